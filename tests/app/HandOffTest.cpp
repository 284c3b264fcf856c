#include <gtest/gtest.h>

#include <cstring>

#include "WindowFixture.h"
#include "app/HandOff.h"
#include "app/ProcessState.h"
#include "shred/page/DlgShred.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

TEST(HandOffPayload, NeverReadsBeyondTheByteCount) {
    // The payload ends right before a page that may not be read: a read past cbData would crash.
    GuardedPage guarded;
    ASSERT_TRUE(guarded.Ready());
    char* text = guarded.Tail(8);
    std::memcpy(text, "C:\\x.txt", 8);  // no NUL inside the 8 bytes
    COPYDATASTRUCT block{0, 8, text};
    EXPECT_FALSE(ReadHandOffPath(&block).has_value());
    text[7] = '\0';
    EXPECT_EQ(ReadHandOffPath(&block).value(), L"C:\\x.tx");

    EXPECT_FALSE(ReadHandOffPath(nullptr).has_value());
    COPYDATASTRUCT empty{0, 0, text};
    EXPECT_FALSE(ReadHandOffPath(&empty).has_value());
}

TEST(HandOffUtf16, IsReadWithinTheByteCountAndIdentifierZeroStaysNarrow) {
    const wchar_t path[] = L"C:\\d\\\u2603\u6587.txt";  // a snowman and a CJK sign: no code page of the west
    const DWORD bytes = sizeof path;                    // with the terminating NUL
    // Each payload ends right before a page that may not be read: a read past cbData would crash.
    GuardedPage guarded;
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

TEST_F(MainWindowTest, AnEmptyUtf16HandOffShowsTheShredderRestoredButAnUnterminatedOneChangesNothing) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(Window()); }, 3000));
    const wchar_t noNul[] = L"C:\\b.txt";
    SendHandOff(noNul, 4 * sizeof(wchar_t), lume::kHandOffUtf16);
    EXPECT_FALSE(::IsWindowVisible(Window()));
    EXPECT_TRUE(state_.autoStartFlag);
    EXPECT_EQ(w.CurrentPage(), kPageScan);

    const wchar_t empty[] = L"";
    SendHandOff(empty, sizeof empty, lume::kHandOffUtf16);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_FALSE(::IsIconic(Window()));
    EXPECT_FALSE(state_.autoStartFlag);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_EQ(w.SelectedTab(), kPageShred);
    EXPECT_TRUE(w.ShredPage().QueuedPaths().empty());
}

// Runs in a second process, started by the test below: finds the window by its title and hands
// it a file, as the file manager's extension does.
TEST(HandOffSender, SendsAFileToTheWindowTitledScourwell) {
    wchar_t path[260] = {};
    if (!::GetEnvironmentVariableW(L"SCOURWELL_TEST_HANDOFF", path, 260)) GTEST_SKIP() << "helper of another test";
    HWND window = ::FindWindowW(nullptr, L"Scourwell");
    ASSERT_NE(window, nullptr);
    std::string narrow(path, path + wcslen(path));
    COPYDATASTRUCT block{0, static_cast<DWORD>(narrow.size() + 1), narrow.data()};
    ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
}

TEST_F(MainWindowTest, AnotherProcessHandsAFileToTheRunningWindow) {
    CLumeDlg& w = Open();
    ::ShowWindow(Window(), SW_HIDE);
    TempFolder files(L"handoff");
    const std::wstring handed = files / L"from another process.txt";
    WriteFileText(handed);
    ::SetEnvironmentVariableW(L"SCOURWELL_TEST_HANDOFF", handed.c_str());
    std::wstring self = TestBinFolder() + L"test_" TEST_SUITE_NAME L".exe";
    ChildProcess sender(L"\"" + self + L"\" --gtest_filter=HandOffSender.*");
    ::SetEnvironmentVariableW(L"SCOURWELL_TEST_HANDOFF", nullptr);
    ASSERT_TRUE(sender.Started());
    DWORD code = 1;
    // The sender's message is answered only while this thread pumps.
    ASSERT_TRUE(WaitUntil([&] { return sender.Wait(0, &code); }, 60000));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(w.ShredPage().QueuedPaths(), std::vector<std::wstring>{handed});
    EXPECT_TRUE(::IsWindowVisible(Window()));
}

}  // namespace scw::test
