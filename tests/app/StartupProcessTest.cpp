// Starts the real program as separate processes in a folder of its own.
#include <gtest/gtest.h>

#include "app/LumeApp.h"
#include "res/resource.h"
#include "tests/common/TestSupport.h"

using namespace scw::test;

namespace {

class StartupProcess : public testing::Test {
protected:
    void SetUp() override {
        program = folder / L"Scourwell.exe";
        ASSERT_TRUE(::CopyFileW((TestBinFolder() + L"Scourwell.exe").c_str(), program.c_str(), FALSE));
    }

    HWND WaitForMainWindow() {
        HWND window = nullptr;
        WaitUntil([&] { return (window = ::FindWindowW(nullptr, L"Scourwell")) != nullptr; }, 20000);
        return window;
    }

    // Ends the running program through its exit command and waits for the process.
    void ExitProgram(ChildProcess& child, HWND window) {
        ::PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
        EXPECT_TRUE(child.Wait(20000));
    }

    TempFolder folder{L"startup"};
    std::wstring program;
};

}  // namespace

TEST_F(StartupProcess, ASecondInstanceEndsAtOnceAndTheFirstKeepsRunning) {
    ChildProcess first(L"\"" + program + L"\" -A", folder.Path());
    ASSERT_TRUE(first.Started());
    HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);

    DWORD secondExit = 99;
    ChildProcess second(L"\"" + program + L"\" -S:C:\\x.txt", folder.Path());
    ASSERT_TRUE(second.Wait(10000, &secondExit)) << "the second instance must end by itself";
    EXPECT_EQ(secondExit, 0u);

    EXPECT_FALSE(first.Wait(0)) << "the first instance keeps running";
    EXPECT_EQ(::FindWindowW(nullptr, L"Scourwell"), window);
    EXPECT_TRUE(FileExists(folder / L"setting.ini"));
    ExitProgram(first, window);
}

TEST_F(StartupProcess, StartsWhenTheSettingsFileCannotBeWritten) {
    MakeFolders(folder / L"setting.ini\\");
    ChildProcess child(L"\"" + program + L"\" -A", folder.Path());
    HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(FolderExists(folder / L"setting.ini"));
    ExitProgram(child, window);
}
