// The main window's reading of the two payloads the shell extension sends.
#include <gtest/gtest.h>

#include <cstring>

#include "app/HandOff.h"

using scw::ReadHandOffPath;

TEST(HandOffUtf16, IsReadWithinTheByteCountAndIdentifierZeroStaysNarrow) {
    // The payload ends right before a page that may not be read: a read past cbData would crash.
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    auto* base = static_cast<char*>(::VirtualAlloc(nullptr, page * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(base + page, page, PAGE_NOACCESS, &old));

    const wchar_t path[] = L"C:\\d\\\u2603\u6587.txt";  // a snowman and a CJK sign: no code page of the west
    const DWORD bytes = sizeof path;                    // with the terminating NUL
    char* text = base + page - bytes;
    std::memcpy(text, path, bytes);
    COPYDATASTRUCT block{lume::kHandOffUtf16, bytes, text};
    EXPECT_EQ(ReadHandOffPath(&block).value(), path);

    // Without its NUL inside the count, and with an odd count, there is no path.
    const DWORD unterminated = bytes - sizeof(wchar_t);
    char* noNul = base + page - unterminated;
    std::memcpy(noNul, path, unterminated);
    COPYDATASTRUCT cut{lume::kHandOffUtf16, unterminated, noNul};
    EXPECT_FALSE(ReadHandOffPath(&cut).has_value());
    base[page - 1] = 0;
    COPYDATASTRUCT oneByte{lume::kHandOffUtf16, 1, base + page - 1};
    EXPECT_FALSE(ReadHandOffPath(&oneByte).has_value());

    // Unaligned UTF-16 is read as well.
    char* odd = base + page - bytes - 1;
    std::memcpy(odd, path, bytes);
    COPYDATASTRUCT unaligned{lume::kHandOffUtf16, bytes, odd};
    EXPECT_EQ(ReadHandOffPath(&unaligned).value(), path);

    // Identifier 0 is narrow text: "C" followed by a NUL byte reads as "C".
    std::memcpy(text, path, bytes);
    COPYDATASTRUCT narrow{lume::kHandOffNarrow, bytes, text};
    EXPECT_EQ(ReadHandOffPath(&narrow).value(), L"C");
    ::VirtualFree(base, 0, MEM_RELEASE);
}
