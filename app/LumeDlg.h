#pragma once
// The program's one top-level window: a borderless skinned dialog with the page strip, the four
// pages, the tray icon and the hand-off of files from other processes.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/MainChrome.h"
#include "app/MainPages.h"
#include "app/PageIndex.h"
#include "app/PageStrip.h"
#include "app/ProcessState.h"
#include "app/ScheduledErase.h"
#include "app/TrayAnimation.h"
#include "app/TrayIcon.h"
#include "app/WindowDrag.h"
#include "engine/Catalogue.h"
#include "framework/Dialog.h"
#include "framework/IniFileRW.h"
#include "framework/UiChannel.h"
#include "sweep/core/TrayActivity.h"

namespace scw {

class StartupUpdateCheck;

inline constexpr UINT kTabChangedMessage = WM_USER + 100;
inline constexpr UINT kShowShredderMessage = WM_USER + 101;

inline constexpr UINT_PTR kDragTimer = 5;

class CLumeDlg : public CDialog, public TrayActivity {
public:
    // The catalogue the sweep page shows, the start-up state and settings values the window and
    // its pages run on, and the settings file they save to; all outlive the window.
    CLumeDlg(Catalogue& catalogue, ProcessState& state, CIniFileRW settingsFile);
    ~CLumeDlg() override;

    // Runs once the window is built and taken to its DPI, before it first shows: the application
    // ends its splash there, so the window is made while the splash is up anyway.
    std::function<void()> beforeShown;

    // Removes the tray icon and ends the modal run with exit code -1.
    void ExitProgram();
    // The one way pages change; index 5 opens the FAQ page instead.
    void ShowPage(int index);

    void StartTrayActivity(const std::wstring& title, const std::wstring& text) override;
    void StopTrayActivity(const std::wstring& title, const std::wstring& text) override;

    int CurrentPage() const { return currentPage_; }
    int SelectedTab() const { return strip_.Selected(); }
    bool TrayAnimating() const { return trayAnimation_.Animating(); }
    CDlgScan& ScanPage() { return pages_.Scan(); }
    CDlgJunk& JunkPage() { return pages_.Junk(); }
    CDlgShred& ShredPage() { return pages_.Shred(); }
    CDlgOptions& OptionsPage() { return pages_.Options(); }
    CTrayIcon& Tray() { return tray_; }
    ScanScheduler& Scheduler() { return scheduledErase_.Scheduler(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+1..4 change pages as a click on the strip does.
    bool PreTranslate(const MSG& msg) override;

private:
    // Tab order is the windows' order: the strip, the shown page, then the window's own buttons.
    void OrderForKeyboard();
    void ApplyCloseRule();
    void HandOff(const COPYDATASTRUCT* data);
    void OnTrayCallback(WPARAM iconId, LPARAM mouseMessage);
    void ShowFromTray(int page);

    // First: runs of the pages post to it until the pages have joined their workers.
    UiChannel channel_;
    ProcessState& state_;
    MainChrome chrome_;
    PageStrip strip_;
    MainPages pages_;
    int currentPage_ = -1;
    CTrayIcon tray_;
    TrayAnimation trayAnimation_{tray_};
    WindowDrag drag_{kDragTimer};
    ScheduledErase scheduledErase_;
    std::unique_ptr<StartupUpdateCheck> startupUpdate_;
};

}  // namespace scw
