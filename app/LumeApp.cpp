#include "app/LumeApp.h"

#include <commctrl.h>

#include "app/CommandLine.h"
#include "app/DlgWelcome.h"
#include "app/LumeDlg.h"
#include "engine/OverwriteDelete.h"
#include "framework/StartupTrace.h"
#include "framework/WorkerThread.h"
#include "rules/RuleNodes.h"
#include "shred/core/WipeFolder.h"

namespace scw {

namespace {
constexpr DWORD kSplashMs = 1000;
}  // namespace

CLumeApp::CLumeApp(CIniFileRW settingsFile) : settingsFile_(std::move(settingsFile)) {}

CLumeApp::~CLumeApp() { FreeCatalogue(); }

void CLumeApp::LoadSettings() {
    EnsureDefaultSettings(settingsFile_);
    state_.settings = ReadSettings(settingsFile_);
    SetOverwriteBeforeDelete(state_.settings.overwriteBeforeDelete != 0);
}

std::wstring CLumeApp::CommandLine() const { return ::GetCommandLineW(); }

BOOL CLumeApp::InitInstance() {
    mutex_.Reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    // Another instance runs: end silently, without a window and without activating it.
    if (::GetLastError() == ERROR_ALREADY_EXISTS) return FALSE;

    StartupOptions options = ParseCommandLine(CommandLine());
    ProcessState& state = state_;
    state.autoStartFlag = options.autoStart;
    state.shredPathArgument = options.shredPath;

    CDlgWelcome splash;
    const DWORD splashShownAt = ::GetTickCount();
    if (!state.autoStartFlag && splash.Create(nullptr)) {
        // Shown without taking the focus: a splash that never was the active window closes at
        // once, where an activated one makes the window manager's hand-back cost seconds.
        ::ShowWindow(splash.GetSafeHwnd(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(splash.GetSafeHwnd());
        StartupMark("splash shown");
    }
    BuildCatalogue();
    StartupMark("catalogue built");
    // Rule files are read and their programs detected while the splash shows anyway.
    catalogue_.Append(rules::BuildMorePrograms(rules::LoadRuleSet(rules::ProgramFolder()), SystemEnv()));
    StartupMark("rule files read");
    // A wipe that was killed left a drive nearly full: that space is the user's again first.
    RemoveWipeLeftoversOnAllDrives();

    // The pages use common controls; register their classes before any dialog is made.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);
    LoadSettings();
    // Screen readers reach the skinned controls' objects through COM on this thread.
    ComScope com;
    CLumeDlg mainWindow(catalogue_, state_, settingsFile_);
    // The window is built, at the display's scale, behind the splash; the splash stays one second
    // in all (the build counts towards it) and is gone before the window shows.
    mainWindow.beforeShown = [&] {
        if (!splash.GetSafeHwnd()) return;
        const DWORD elapsed = ::GetTickCount() - splashShownAt;
        if (elapsed < kSplashMs) ::Sleep(kSplashMs - elapsed);
        splash.EndDialog(IDOK);
        StartupMark("splash ended");
    };
    mainWindow.DoModal();
    SetMainWindow(nullptr);
    return FALSE;
}

void CLumeApp::FreeCatalogue() {
    WorkerThread::StopAndJoinAll();
    catalogue_.Free();
}

int CLumeApp::ExitInstance() {
    FreeCatalogue();
    if (mutex_) {
        ::ReleaseMutex(mutex_.Get());
        mutex_.Reset();
    }
    return CWinApp::ExitInstance();
}

}  // namespace scw
