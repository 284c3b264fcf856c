// The main window's reading of the two payloads the shell extension sends.
#include <gtest/gtest.h>

#include <cstring>

#include "app/HandOff.h"
#include "tests/common/TestSupport.h"

using scw::ReadHandOffPath;

TEST(HandOffUtf16, IsReadWithinTheByteCountAndIdentifierZeroStaysNarrow) {
    const wchar_t path[] = L"C:\\d\\\u2603\u6587.txt";  // a snowman and a CJK sign: no code page of the west
    const DWORD bytes = sizeof path;                    // with the terminating NUL
    // Each payload ends right before a page that may not be read: a read past cbData would crash.
    scw::test::GuardedPage guarded;
    ASSERT_TRUE(guarded.Ready());

    char* text = guarded.Tail(bytes);
    std::memcpy(text, path, bytes);
    COPYDATASTRUCT block{lume::kHandOffUtf16, bytes, text};
    EXPECT_EQ(ReadHandOffPath(&block).value(), path);

    // Identifier 0 is narrow text: "C" followed by a NUL byte reads as "C".
    COPYDATASTRUCT narrow{lume::kHandOffNarrow, bytes, text};
    EXPECT_EQ(ReadHandOffPath(&narrow).value(), L"C");

    // Unaligned UTF-16 is read as well.
    char* odd = guarded.Tail(bytes + 1);
    std::memmove(odd, path, bytes);
    COPYDATASTRUCT unaligned{lume::kHandOffUtf16, bytes, odd};
    EXPECT_EQ(ReadHandOffPath(&unaligned).value(), path);

    // Without its NUL inside the count, and with an odd count, there is no path.
    const DWORD unterminated = bytes - sizeof(wchar_t);
    char* noNul = guarded.Tail(unterminated);
    std::memmove(noNul, path, unterminated);
    COPYDATASTRUCT cut{lume::kHandOffUtf16, unterminated, noNul};
    EXPECT_FALSE(ReadHandOffPath(&cut).has_value());
    char* last = guarded.Tail(1);
    *last = 0;
    COPYDATASTRUCT oneByte{lume::kHandOffUtf16, 1, last};
    EXPECT_FALSE(ReadHandOffPath(&oneByte).has_value());
}
