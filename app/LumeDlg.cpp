#include "app/LumeDlg.h"

#include <vector>

#include "app/HandOff.h"
#include "app/PageKeys.h"
#include "app/SiteAddresses.h"
#include "app/UpdateFeedback.h"
#include "app/WebPages.h"
#include "controls/FocusCue.h"
#include "controls/SubclassWindow.h"
#include "framework/App.h"
#include "framework/StartupTrace.h"
#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "state/RunFlags.h"
#include "sweep/page/DlgScan.h"

namespace scw {

namespace {
bool AnyRunBusy() { return SweepBusy.load() || SweepDeleting.load() || JunkSearchBusy.load(); }

// The junk search draws into its page while it runs: the window stays in view meanwhile.
bool MayMinimize() { return !JunkSearchBusy.load(); }
}  // namespace

CLumeDlg::CLumeDlg(Catalogue& catalogue, ProcessState& state, CIniFileRW settingsFile)
    : CDialog(IDD_MAIN), state_(state), pages_(*this, catalogue, state.settings, settingsFile) {
    RegisterMainWindowClass(AppInstance());
}

CLumeDlg::~CLumeDlg() {
    // Each page joins its own workers as it goes; what they still post here is dropped.
    channel_.Close();
    DestroyWindow();
}

BOOL CLumeDlg::OnInitDialog() {
    StartupMark("main window created");
    // Everything below is made and laid out in the skin's pixels (96 DPI), then taken to the
    // window's DPI at once: controls that size themselves see the same scale as the layout.
    const Dpi dpi = DpiOfWindow(hwnd_);
    SetLayoutDpi(hwnd_, Dpi());

    chrome_.Build(hwnd_);
    strip_.Create(hwnd_);
    StartupMark("skin and buttons made");
    pages_.Create(hwnd_);

    chrome_.PlaceButtons(kPageOrigin.y);
    OrderForKeyboard();
    chrome_.CaptureAndApply(dpi);
    StartupMark("taken to its DPI");

    tray_.Init(hwnd_, chrome_.SmallIcon());
    tray_.Add();
    trayAnimation_.SetOwner(hwnd_, [this] { return pages_.Scan().RunningCount(); });

    if (!state_.shredPathArgument.empty()) {
        strip_.Select(kPageShred);
        pages_.Shred().AddPath(state_.shredPathArgument);
    } else {
        strip_.Select(kPageScan);
    }
    currentPage_ = SelectedTab();

    ShowPage(currentPage_);
    InitializeFocusCues(hwnd_);
    scheduledErase_.Start(hwnd_);
    if (state_.settings.autoUpdate) {
        startupUpdate_ = std::make_unique<StartupUpdateCheck>(hwnd_);
        startupUpdate_->Start();
    }
    StartupMark("main window built");
    // The dialog manager shows the window once this returns.
    if (beforeShown) beforeShown();
    return TRUE;
}

bool CLumeDlg::OnDpiChanged(Dpi dpi, const RECT* suggested) {
    chrome_.ApplyDpi(dpi, suggested);
    tray_.UpdateForDpi();
    return true;
}

void CLumeDlg::OrderForKeyboard() {
    // Update and Help lie over the pages' top edge, so they stay above the pages in this order too.
    std::vector<HWND> order;
    for (HWND window : chrome_.WindowsBeforeStrip()) order.push_back(window);
    order.push_back(strip_.Window());
    for (HWND window : pages_.Windows()) order.push_back(window);
    for (HWND window : chrome_.WindowsAfterPages()) order.push_back(window);
    HWND after = HWND_TOP;
    for (HWND window : order) {
        if (!window) continue;
        ::SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = window;
    }
}

bool CLumeDlg::PreTranslate(const MSG& msg) {
    if (IsNavigationKey(msg)) ShowFocusCuesFromNowOn(hwnd_);
    return strip_.HandlePageKey(msg, [this] { return pages_.FirstControl(currentPage_); });
}

void CLumeDlg::ShowPage(int index) {
    if (index == kPageFaq) {
        OpenWebPage(kFaqPageUrl, SW_SHOWNORMAL);
        return;
    }
    // Beneath the Update and Help buttons, which reach into the page area, and right after the
    // strip in the tab order.
    if (!pages_.Show(index, strip_.Window())) return;
    currentPage_ = index;
    // A focus left in a hidden page would take keys no one sees: the strip takes it.
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus) && !::IsWindowVisible(focus)) ::SetFocus(strip_.Window());
}

void CLumeDlg::ExitProgram() {
    tray_.Remove();
    ::PostQuitMessage(-1);
}

void CLumeDlg::ApplyCloseRule() {
    if (JunkSearchBusy.load()) return;
    const SettingsValues& settings = state_.settings;
    if (settings.exitOnClose) ExitProgram();
    if (settings.trayOnClose) ::ShowWindow(hwnd_, SW_HIDE);
}

void CLumeDlg::HandOff(const COPYDATASTRUCT* data) {
    std::optional<std::wstring> path = ReadHandOffPath(data);
    // A block without a terminated string is not a hand-off: nothing changes.
    if (!path) return;
    state_.autoStartFlag = false;
    // The strip follows, so the highlighted tab always names the page in view.
    strip_.Select(kPageShred);
    ShowPage(kPageShred);
    pages_.Shred().AddPath(*path);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
}

void CLumeDlg::ShowFromTray(int page) {
    state_.autoStartFlag = false;
    strip_.Select(page);
    ShowPage(page);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
}

bool CLumeDlg::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
    case ID_MAIN_CLOSE:
        ApplyCloseRule();
        return true;
    case ID_MAIN_MINIMIZE:
        if (MayMinimize()) ::ShowWindow(hwnd_, SW_HIDE);
        return true;
    case IDC_MAIN_UPDATE:
        CheckUpdateWithFeedback(hwnd_);
        return true;
    case IDC_MAIN_HELP_TOP:
    case IDC_MAIN_HELP_SIDE:
    case ID_TRAY_HELP:
        ShowPage(kPageFaq);
        return true;
    case ID_TRAY_SECURITY:
        ShowFromTray(kPageScan);
        return true;
    case ID_TRAY_JUNK:
        ShowFromTray(kPageJunk);
        return true;
    case ID_TRAY_SETTINGS:
        ShowFromTray(kPageOptions);
        return true;
    case ID_TRAY_SHREDDER:
        ShowFromTray(kPageShred);
        return true;
    case ID_TRAY_ONECLICK:
        if (!SweepBusy.load()) pages_.Scan().StartOneClickErase();
        return true;
    case ID_TRAY_EXIT:
        ExitProgram();
        return true;
    default:
        return false;
    }
}

bool CLumeDlg::OnPaint() {
    // A hidden start lives in the tray until something shows the window on purpose.
    if (state_.autoStartFlag) ::ShowWindow(hwnd_, SW_HIDE);
    chrome_.Paint();
    return true;
}

void CLumeDlg::OnTimer(UINT_PTR id) {
    if (id == kDragTimer) {
        drag_.Follow();
    } else if (id == kSchedulerTimer) {
        scheduledErase_.Tick(state_.settings, pages_.Scan(), tray_);
    } else if (id == kTrayAnimationTimer) {
        trayAnimation_.Tick();
    }
}

void CLumeDlg::OnTrayCallback(WPARAM iconId, LPARAM mouseMessage) {
    if (AnyRunBusy() || iconId != kTrayIconId) return;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        state_.autoStartFlag = false;
        // A window minimised from the task bar comes back too, not only a hidden one.
        ::ShowWindow(hwnd_, ::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    } else if (mouseMessage == WM_RBUTTONDOWN) {
        tray_.ShowMenu();
    }
}

// Runs call these from their workers; the texts travel by value to the window thread.
void CLumeDlg::StartTrayActivity(const std::wstring& title, const std::wstring& text) {
    channel_.Post([this, title, text] {
        if (hwnd_) trayAnimation_.Start(title, text);
    });
}

void CLumeDlg::StopTrayActivity(const std::wstring& title, const std::wstring& text) {
    channel_.Post([this, title, text] {
        if (hwnd_) trayAnimation_.Stop(title, text);
    });
}

void CLumeDlg::OnDestroy() {
    ForgetFocusCues(hwnd_);
    drag_.End();
    scheduledErase_.Stop();
    trayAnimation_.Cancel();
    tray_.Remove();
}

bool CLumeDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (tray_.HandleOwnerMessage(message, wParam, lParam, result)) return true;
    switch (message) {
    case kTabChangedMessage:
        state_.autoStartFlag = false;
        ShowPage(static_cast<int>(lParam));
        result = 0;
        return true;
    case kShowShredderMessage:
        ShowPage(kPageShred);
        result = 0;
        return true;
    case WM_COPYDATA:
        HandOff(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return false;
    case kTrayCallbackMessage:
        OnTrayCallback(wParam, lParam);
        result = 0;
        return true;
    case WM_SYSCOMMAND:
        // The task-bar button, the system menu and the keyboard minimise by the same rule as
        // the window's own button.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && !MayMinimize()) {
            result = 0;
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
        drag_.Begin(hwnd_, lParam);
        return true;
    case WM_LBUTTONUP:
        drag_.End();
        return true;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (another window, a key): the window must stop following.
        if (reinterpret_cast<HWND>(lParam) != hwnd_) drag_.End();
        return false;
    case WM_ERASEBKGND:
        result = 1;  // the paint covers the whole client area
        return true;
    default:
        return ReflectToControl(message, wParam, lParam, result);
    }
}

}  // namespace scw
