// Starts the real program as separate processes in a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cmath>

#include "app/LumeApp.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "sweep/page/DlgScan.h"
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

// The program's control with this id, anywhere below its main window.
HWND FindControl(HWND mainWindow, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND button) {
    ::PostMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

// The one-click chooser of the process: a top-level dialog with its caption.
HWND FindChooser(DWORD processId) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        wchar_t caption[64] = {};
        ::GetWindowTextW(w, caption, 64);
        if (owner == processId && std::wstring(caption) == L"Set items for one-click erase ") return w;
    }
    return nullptr;
}

bool ProcessAlive(DWORD processId) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool alive = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !alive; more = ::Process32NextW(snapshot, &entry))
        alive = entry.th32ProcessID == processId;
    ::CloseHandle(snapshot);
    return alive;
}

// Whether the shell still holds the program's icon: a change to a removed icon is refused.
bool TrayIconPresent(HWND mainWindow) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = mainWindow;
    record.uID = 128;
    return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

// The display's scale for the processes started meanwhile, as the display settings set it.
class DisplayScale {
public:
    explicit DisplayScale(DWORD dpi) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof old_;
        hadOld_ = ::RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
                  ERROR_SUCCESS;
        ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~DisplayScale() {
        if (hadOld_)
            ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else
            ::RegDeleteValueW(key_, L"LogPixels");
        ::RegCloseKey(key_);
    }
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool hadOld_ = false;
};

SIZE WindowSize(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// Whether the process shows its splash: a visible tool window of the dialog class.
bool SplashShown(DWORD processId) {
    struct Search {
        DWORD processId;
        bool found;
    } search{processId, false};
    ::EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            wchar_t name[16] = {};
            ::GetClassNameW(w, name, 16);
            if (owner == s->processId && ::IsWindowVisible(w) && std::wstring(name) == L"#32770" &&
                (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
                s->found = true;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// The window is built behind the splash and shows only once the splash is gone, already at the
// display's scale with its pages in place: never beside the splash, never at 100 % first.
TEST_F(StartupProcess, TheWindowFirstShowsWhenTheSplashIsGoneAndAtTheDisplaysScale) {
    DisplayScale scale(144);
    ChildProcess child(L"\"" + program + L"\"", folder.Path());
    ASSERT_TRUE(child.Started());
    HWND window = nullptr;
    bool builtBehindSplash = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const bool splash = SplashShown(child.Id());
            window = ::FindWindowW(nullptr, L"Scourwell");
            // The window exists from its creation until the splash ends: longer than its build.
            builtBehindSplash = builtBehindSplash || (window && splash && !::IsWindowVisible(window));
            return window && ::IsWindowVisible(window);
        },
        20000));
    EXPECT_FALSE(SplashShown(child.Id()));
    EXPECT_NEAR(WindowSize(window).cx, 800 * 1.5, 1.0);
    EXPECT_NEAR(WindowSize(window).cy, 686 * 1.5, 1.0);
    EXPECT_NE(FindControl(window, IDC_MAIN_TAB), nullptr);
    EXPECT_TRUE(builtBehindSplash);
    ExitProgram(child, window);
}

TEST_F(StartupProcess, OpensAtTheScaleOfTheDisplayWithItsControlsScaledAlike) {
    for (DWORD dpi : {144u, 192u}) {
        SCOPED_TRACE(dpi);
        DisplayScale scale(dpi);
        ChildProcess child(L"\"" + program + L"\" -A", folder.Path());
        HWND window = WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        const double f = dpi / 96.0;
        // The window opens at its template's size and takes the skin's once its pages exist; a
        // page's button and the tab strip grow with it.
        auto scaledAlike = [&](HWND w, SIZE size96) {
            return w && std::abs(WindowSize(w).cx - size96.cx * f) <= 1.0 &&
                   std::abs(WindowSize(w).cy - size96.cy * f) <= 1.0;
        };
        HWND saveButton = nullptr, tabs = nullptr;
        WaitUntil([&] {
            // The junk page's Browser button has the same id: Save is asked of the settings page.
            saveButton = ::GetDlgItem(::GetParent(FindControl(window, IDC_OPT_CHOOSE_ONECLICK)), IDC_OPT_SAVE);
            tabs = FindControl(window, IDC_MAIN_TAB);
            return scaledAlike(window, {800, 686}) && scaledAlike(saveButton, {105, 30}) && scaledAlike(tabs, {139, 204});
        }, 10000);
        EXPECT_NEAR(WindowSize(window).cx, 800 * f, 1.0);
        EXPECT_NEAR(WindowSize(window).cy, 686 * f, 1.0);
        ASSERT_NE(saveButton, nullptr);
        EXPECT_NEAR(WindowSize(saveButton).cx, 105 * f, 1.0);
        ASSERT_NE(tabs, nullptr);
        EXPECT_NEAR(WindowSize(tabs).cy, 204 * f, 1.0);
        ExitProgram(child, window);
    }
}

TEST_F(StartupProcess, TrayExitWhileANestedModalDialogIsOpenEndsTheProgramAndRemovesItsIcon) {
    ChildProcess child(L"\"" + program + L"\" -A", folder.Path());
    ASSERT_TRUE(child.Started());
    HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(window); }, 5000)) << "the icon is there while it runs";

    // The settings page's "Set items for one-click erase " runs the chooser in a nested modal loop.
    HWND choose = FindControl(window, IDC_OPT_CHOOSE_ONECLICK);
    ASSERT_NE(choose, nullptr);
    Click(choose);
    ASSERT_TRUE(WaitUntil([&] { return FindChooser(child.Id()) != nullptr; }, 20000)) << "the chooser opens";

    ::PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_TRUE(child.Wait(20000)) << "a quit in the nested dialog's loop ends the whole program";
    EXPECT_FALSE(ProcessAlive(child.Id()));
    EXPECT_FALSE(TrayIconPresent(window));
}

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
