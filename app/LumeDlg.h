#pragma once
// The program's one top-level window: a borderless skinned dialog with the tab strip, the four
// pages, the tray icon and the hand-off of files from other processes.
#include <windows.h>

#include <memory>
#include <string>

#include "app/ProcessState.h"
#include "app/ScanScheduler.h"
#include "app/TrayAnimation.h"
#include "app/TrayIcon.h"
#include "app/WindowDrag.h"
#include "controls/BackGround.h"
#include "controls/HyperLink.h"
#include "controls/NButtonEx.h"
#include "controls/SkinTab.h"
#include "engine/Catalogue.h"
#include "framework/Dialog.h"
#include "framework/DpiLayout.h"
#include "framework/IniFileRW.h"
#include "framework/UiChannel.h"
#include "sweep/core/TrayActivity.h"

namespace scw {

class CDlgScan;
class CDlgJunk;
class CDlgShred;
class CDlgOptions;
class StartupUpdateCheck;

inline constexpr UINT kTabChangedMessage = WM_USER + 100;
inline constexpr UINT kShowShredderMessage = WM_USER + 101;

enum PageIndex { kPageScan = 0, kPageJunk = 1, kPageShred = 2, kPageOptions = 3, kPageFaq = 5 };

inline constexpr UINT_PTR kDragTimer = 5;
inline constexpr UINT_PTR kSchedulerTimer = 6;

class CLumeDlg : public CDialog, public TrayActivity {
public:
    // The catalogue the sweep page shows, the start-up state and settings values the window and
    // its pages run on, and the settings file they save to; all outlive the window.
    CLumeDlg(Catalogue& catalogue, ProcessState& state, CIniFileRW settingsFile);
    ~CLumeDlg() override;

    // Removes the tray icon and ends the modal run with exit code -1.
    void ExitProgram();
    // The one way pages change; index 5 opens the FAQ page instead.
    void ShowPage(int index);

    void StartTrayActivity(const std::wstring& title, const std::wstring& text) override;
    void StopTrayActivity(const std::wstring& title, const std::wstring& text) override;

    int CurrentPage() const { return currentPage_; }
    int SelectedTab() const;
    bool TrayAnimating() const { return trayAnimation_.Animating(); }
    CDlgScan& ScanPage() { return *scanPage_; }
    CDlgJunk& JunkPage() { return *junkPage_; }
    CDlgShred& ShredPage() { return *shredPage_; }
    CDlgOptions& OptionsPage() { return *optionsPage_; }
    CTrayIcon& Tray() { return tray_; }
    ScanScheduler& Scheduler() { return scheduler_; }

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
    // After a page change the focus stays in the strip, else goes to the new page's first control.
    void FocusAfterPageKey(bool stripHadFocus);
    void FitToSkin();
    // Takes the window, its skin, its controls and its corners to `dpi`; at the suggested place
    // when the system moved the window to a screen of another scale.
    void ApplyDpi(Dpi dpi, const RECT* suggested);
    void SetIcons(Dpi dpi);
    void CreatePages();
    void SkinButtons();
    void CreateTabStrip();
    void PlaceWindowButtons();
    void SelectTab(int index);
    void ApplyCloseRule();
    void HandOff(const COPYDATASTRUCT* data);
    void OnTrayCallback(WPARAM iconId, LPARAM mouseMessage);
    void ShowFromTray(int tab, int page);
    // Timer 6: starts the one-click erase when the schedule says so.
    void ScheduledScanCheck();

    // First: runs of the pages post to it until the pages have joined their workers.
    UiChannel channel_;
    ProcessState& state_;
    CNButtonEx updateButton_;
    CNButtonEx helpTopButton_;
    CNButtonEx helpSideButton_;
    CHyperLink homeLink_;
    CSkinTab tabStrip_;
    std::unique_ptr<CBackGround> background_;
    std::unique_ptr<CDlgScan> scanPage_;
    std::unique_ptr<CDlgOptions> optionsPage_;
    std::unique_ptr<CDlgShred> shredPage_;
    std::unique_ptr<CDlgJunk> junkPage_;
    std::unique_ptr<CNButtonEx> minimizeButton_;
    std::unique_ptr<CNButtonEx> closeButton_;
    UniqueIcon mainIcon_;
    UniqueIcon bigIcon_;
    // The window's size and its controls' places at 96 DPI, as the skin is drawn.
    SIZE size96_{};
    DpiLayout layout_;
    int currentPage_ = -1;
    CTrayIcon tray_;
    TrayAnimation trayAnimation_{tray_};
    WindowDrag drag_{kDragTimer};
    bool firstPaintMarked_ = false;
    ScanScheduler scheduler_;
    std::unique_ptr<StartupUpdateCheck> startupUpdate_;
};

}  // namespace scw
