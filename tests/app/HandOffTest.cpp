#include <gtest/gtest.h>

#include <cstring>

#include "WindowFixture.h"
#include "app/HandOff.h"
#include "shred/page/DlgShred.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

TEST(HandOffPayload, NeverReadsBeyondTheByteCount) {
    // The payload ends right before a page that may not be read: a read past cbData would crash.
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    auto* base = static_cast<char*>(::VirtualAlloc(nullptr, page * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(base + page, page, PAGE_NOACCESS, &old));
    char* text = base + page - 8;
    std::memcpy(text, "C:\\x.txt", 8);  // no NUL inside the 8 bytes
    COPYDATASTRUCT block{0, 8, text};
    EXPECT_FALSE(ReadHandOffPath(&block).has_value());
    text[7] = '\0';
    EXPECT_EQ(ReadHandOffPath(&block).value(), L"C:\\x.tx");
    ::VirtualFree(base, 0, MEM_RELEASE);

    EXPECT_FALSE(ReadHandOffPath(nullptr).has_value());
    COPYDATASTRUCT empty{0, 0, text};
    EXPECT_FALSE(ReadHandOffPath(&empty).has_value());
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
