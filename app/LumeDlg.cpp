#include "app/LumeDlg.h"

#include "app/DlgOptions.h"
#include "app/HandOff.h"
#include "app/PageKeys.h"
#include "app/ProgramIcon.h"
#include "app/SiteAddresses.h"
#include "app/UpdateFeedback.h"
#include "app/WebPages.h"
#include "controls/FocusCue.h"
#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "controls/SubclassWindow.h"
#include "framework/App.h"
#include "framework/ScaleChildren.h"
#include "framework/StartupTrace.h"
#include "state/RunFlags.h"
#include "junk/page/DlgJunk.h"
#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "sweep/page/DlgScan.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr POINT kPageOrigin{178, 158};
constexpr int kCornerSize = 7;
constexpr UINT kSchedulerPeriodMs = 60000;
constexpr UINT kAutoScanBalloonMs = 2000;
// "Running the automatic scan"
constexpr wchar_t kAutoScanText[] = L"\u6B63\u5728\u6267\u884C\u81EA\u52A8\u626B\u63CF\u7A0B\u5E8F";

// What the strip's pictures say, for screen readers; the pages' windows carry the same names.
constexpr const wchar_t* kPageNames[4] = {L"Privacy Sweep", L"Junk Cleaner", L"Shredder", L"Settings"};

bool AnyRunBusy() { return SweepBusy.load() || SweepDeleting.load() || JunkSearchBusy.load(); }

// The junk search draws into its page while it runs: the window stays in view meanwhile.
bool MayMinimize() { return !JunkSearchBusy.load(); }

// The address as a person reads it: no scheme, no trailing slash.
std::wstring DisplayAddress(std::wstring url) {
    if (size_t scheme = url.find(L"://"); scheme != std::wstring::npos) url.erase(0, scheme + 3);
    if (!url.empty() && url.back() == L'/') url.pop_back();
    return url;
}
}  // namespace

CLumeDlg::CLumeDlg(Catalogue& catalogue, ProcessState& state, CIniFileRW settingsFile)
    : CDialog(IDD_MAIN),
      state_(state),
      background_(std::make_unique<CBackGround>()),
      scanPage_(std::make_unique<CDlgScan>(*this, catalogue, settingsFile)),
      optionsPage_(std::make_unique<CDlgOptions>(state.settings, catalogue, settingsFile)),
      shredPage_(std::make_unique<CDlgShred>()),
      junkPage_(std::make_unique<CDlgJunk>()),
      minimizeButton_(std::make_unique<CNButtonEx>()),
      closeButton_(std::make_unique<CNButtonEx>()) {
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

    homeLink_.AttachDlgItem(hwnd_, IDC_MAIN_HOMELINK);
    ::SetWindowTextW(homeLink_.GetSafeHwnd(), DisplayAddress(kHomePageUrl).c_str());
    homeLink_.SetURL(kHomePageUrl);
    homeLink_.SetLinkCursor(::LoadCursorW(nullptr, IDC_HAND));

    ::SetWindowTextW(hwnd_, L"Scourwell");

    RECT client = ClientRect(hwnd_);
    background_->SetOwner(hwnd_, client);
    background_->SetDpi(Dpi());
    background_->SetBitmap(CBackGround::kTop, IDB_SKIN_TOP);
    background_->SetBitmap(CBackGround::kLeft, IDB_SKIN_LEFT);
    background_->SetBitmap(CBackGround::kRight, IDB_SKIN_RIGHT);
    background_->SetBitmap(CBackGround::kBottom, IDB_SKIN_BOTTOM);

    FitToSkin();
    SkinButtons();
    CreateTabStrip();
    StartupMark("skin and buttons made");
    CreatePages();

    PlaceWindowButtons();
    OrderForKeyboard();
    layout_.Capture(hwnd_, dpi);
    ApplyDpi(dpi, nullptr);
    StartupMark("taken to its DPI");

    tray_.Init(hwnd_, mainIcon_.Get());
    tray_.Add();
    trayAnimation_.SetOwner(hwnd_, [this] { return scanPage_->RunningCount(); });

    if (!state_.shredPathArgument.empty()) {
        SelectTab(kPageShred);
        shredPage_->AddPath(state_.shredPathArgument);
    } else {
        SelectTab(kPageScan);
    }
    currentPage_ = SelectedTab();

    ShowPage(currentPage_);
    InitializeFocusCues(hwnd_);
    ::SetTimer(hwnd_, kSchedulerTimer, kSchedulerPeriodMs, nullptr);
    if (state_.settings.autoUpdate) {
        startupUpdate_ = std::make_unique<StartupUpdateCheck>(hwnd_);
        startupUpdate_->Start();
    }
    return TRUE;
}

void CLumeDlg::FitToSkin() {
    // The skin is drawn for two pixels per dialog unit. The window takes the skin's size and the
    // template's controls keep their places on it, whatever the dialog font measures here.
    const SIZE top = background_->BitmapSize(CBackGround::kTop);
    const SIZE left = background_->BitmapSize(CBackGround::kLeft);
    if (top.cx <= 0 || left.cy <= 0) return;
    const int width = top.cx;
    const int height = top.cy + left.cy;
    size96_ = SIZE{width, height};
    ScaleChildren(hwnd_, width, height);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = ClientRect(hwnd_);
    background_->SetOwner(hwnd_, client);
}

void CLumeDlg::ApplyDpi(Dpi dpi, const RECT* suggested) {
    SetIcons(dpi);
    // At 96 DPI the window is already as the skin is drawn: nothing moves.
    if (!suggested && dpi == Dpi() && background_->GetDpi() == dpi) return;
    background_->SetDpi(dpi);
    const SIZE size = dpi.Scale(size96_);
    // The corners are cut again at the new size by the next paint.
    ::SetWindowRgn(hwnd_, nullptr, FALSE);
    if (suggested)
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = ClientRect(hwnd_);
    background_->SetOwner(hwnd_, client);
    layout_.Apply(hwnd_, dpi);
}

bool CLumeDlg::OnDpiChanged(Dpi dpi, const RECT* suggested) {
    ApplyDpi(dpi, suggested);
    tray_.UpdateForDpi();
    return true;
}

void CLumeDlg::SetIcons(Dpi dpi) {
    mainIcon_.Reset(LoadProgramIcon(IDI_MAIN, SmallIconSize(dpi)));
    bigIcon_.Reset(LoadProgramIcon(IDI_MAIN, LargeIconSize(dpi)));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mainIcon_.Get()));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
}

void CLumeDlg::SkinButtons() {
    // Their texts are not drawn (the pictures say it); they name the buttons for screen readers.
    minimizeButton_->Create(L"Minimize", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 29, 23}, hwnd_,
                            ID_MAIN_MINIMIZE);
    minimizeButton_->SetBitmaps(IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED, IDB_MIN_PRESSED, 29, 23);
    closeButton_->Create(L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 29, 23}, hwnd_, ID_MAIN_CLOSE);
    closeButton_->SetBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, IDB_CLOSE_PRESSED, 29, 23);
    updateButton_.AttachDlgItem(hwnd_, IDC_MAIN_UPDATE);
    updateButton_.SetBitmaps(IDB_UPDATE_NORMAL, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, 75, 33);
    helpTopButton_.AttachDlgItem(hwnd_, IDC_MAIN_HELP_TOP);
    helpTopButton_.SetBitmaps(IDB_HELP_TOP_NORMAL, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, 75, 33);
    helpSideButton_.AttachDlgItem(hwnd_, IDC_MAIN_HELP_SIDE);
    helpSideButton_.SetBitmaps(IDB_HELP_SIDE_NORMAL, IDB_HELP_SIDE_HOVER, IDB_HELP_SIDE_PRESSED,
                               IDB_HELP_SIDE_PRESSED, 139, 39);
}

void CLumeDlg::CreateTabStrip() {
    constexpr int kTabWidth = 139, kTabHeight = 39, kTabGap = 16;
    tabStrip_.Create(hwnd_, RECT{18, 180, 18 + kTabWidth, 180 + 204}, IDC_MAIN_TAB);
    tabStrip_.SetItemCount(4);
    tabStrip_.SetAccessibleName(L"Pages");
    // Pages must not change under a running junk search.
    tabStrip_.SetLocked([] { return JunkSearchBusy.load() != 0; });
    const UINT images[4][3] = {{IDB_TAB_SWEEP_NORMAL, IDB_TAB_SWEEP_HOT, IDB_TAB_SWEEP_SELECTED},
                               {IDB_TAB_JUNK_NORMAL, IDB_TAB_JUNK_HOT, IDB_TAB_JUNK_SELECTED},
                               {IDB_TAB_SHRED_NORMAL, IDB_TAB_SHRED_HOT, IDB_TAB_SHRED_SELECTED},
                               {IDB_TAB_SETTINGS_NORMAL, IDB_TAB_SETTINGS_HOT, IDB_TAB_SETTINGS_SELECTED}};
    for (int i = 0; i < 4; ++i) {
        const int top = i * (kTabHeight + kTabGap);
        tabStrip_.SetItemRect(i, 0, top, kTabWidth, top + kTabHeight);
        tabStrip_.SetItemBitmaps(i, images[i][0], images[i][1], images[i][2]);
        tabStrip_.SetItemName(i, kPageNames[i]);
    }
}

void CLumeDlg::PlaceWindowButtons() {
    RECT client = ClientRect(hwnd_);
    const int w = client.right;
    ::SetWindowPos(minimizeButton_->GetSafeHwnd(), nullptr, w - 72, 5, 29, 23, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(closeButton_->GetSafeHwnd(), nullptr, w - 40, 5, 29, 23, SWP_NOZORDER | SWP_NOACTIVATE);
    // Update and Help sit just under the banner and end above the pages' first row of buttons
    // (10 pixels into a page), so neither covers the other.
    for (HWND button : {updateButton_.GetSafeHwnd(), helpTopButton_.GetSafeHwnd()}) {
        RECT rc;
        if (!button || !::GetWindowRect(button, &rc)) continue;
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rc), 2);
        const int top = kPageOrigin.y + 8 - (rc.bottom - rc.top);
        ::SetWindowPos(button, nullptr, rc.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CLumeDlg::CreatePages() {
    shredPage_->SetMainWindow(hwnd_);
    CDialog* pages[] = {scanPage_.get(), optionsPage_.get(), shredPage_.get(), junkPage_.get()};
    const char* marks[] = {"sweep page created", "settings page created", "shredder page created",
                           "junk page created"};
    const int pageIndex[] = {kPageScan, kPageOptions, kPageShred, kPageJunk};
    for (int i = 0; i < 4; ++i) {
        CDialog* page = pages[i];
        const bool created = page->Create(hwnd_);
        StartupMark(marks[i]);
        if (!created) continue;
        ::SetWindowTextW(page->GetSafeHwnd(), kPageNames[pageIndex[i]]);
        ::SetWindowPos(page->GetSafeHwnd(), nullptr, kPageOrigin.x, kPageOrigin.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CLumeDlg::OrderForKeyboard() {
    // Update and Help lie over the pages' top edge, so they stay above the pages in this order too.
    HWND order[] = {updateButton_.GetSafeHwnd(),   helpTopButton_.GetSafeHwnd(), tabStrip_.GetSafeHwnd(),
                    scanPage_->GetSafeHwnd(),      junkPage_->GetSafeHwnd(),     shredPage_->GetSafeHwnd(),
                    optionsPage_->GetSafeHwnd(),   helpSideButton_.GetSafeHwnd(), homeLink_.GetSafeHwnd(),
                    minimizeButton_->GetSafeHwnd(), closeButton_->GetSafeHwnd()};
    HWND after = HWND_TOP;
    for (HWND window : order) {
        if (!window) continue;
        ::SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = window;
    }
}

bool CLumeDlg::PreTranslate(const MSG& msg) {
    if (IsNavigationKey(msg)) ShowFocusCuesFromNowOn(hwnd_);
    const std::optional<int> page = PageForKey(msg, SelectedTab(), tabStrip_.GetItemCount());
    if (!page) return false;
    ShowFocusCuesFromNowOn(hwnd_);
    const bool stripHadFocus = ::GetFocus() == tabStrip_.GetSafeHwnd();
    // The strip decides, so a locked strip refuses keys exactly as it refuses clicks.
    if (tabStrip_.Choose(*page)) FocusAfterPageKey(stripHadFocus);
    return true;
}

void CLumeDlg::FocusAfterPageKey(bool stripHadFocus) {
    HWND target = tabStrip_.GetSafeHwnd();
    CDialog* pages[] = {scanPage_.get(), junkPage_.get(), shredPage_.get(), optionsPage_.get()};
    if (!stripHadFocus && currentPage_ >= 0 && currentPage_ < 4) {
        if (HWND first = ::GetNextDlgTabItem(pages[currentPage_]->GetSafeHwnd(), nullptr, FALSE)) target = first;
    }
    ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

int CLumeDlg::SelectedTab() const { return tabStrip_.GetCurrent(); }

void CLumeDlg::SelectTab(int index) { tabStrip_.SetCurrent(index); }

void CLumeDlg::ShowPage(int index) {
    if (index == kPageFaq) {
        OpenWebPage(kFaqPageUrl, SW_SHOWNORMAL);
        return;
    }
    for (CDialog* page : {static_cast<CDialog*>(scanPage_.get()), static_cast<CDialog*>(junkPage_.get()),
                          static_cast<CDialog*>(shredPage_.get())}) {
        if (page->GetSafeHwnd()) ::ShowWindow(page->GetSafeHwnd(), SW_HIDE);
    }
    optionsPage_->Hide();

    CDialog* shown = nullptr;
    switch (index) {
    case kPageScan:
        shown = scanPage_.get();
        break;
    case kPageJunk:
        junkPage_->Reset();
        shown = junkPage_.get();
        break;
    case kPageShred:
        shown = shredPage_.get();
        break;
    case kPageOptions:
        shown = optionsPage_.get();
        break;
    default:
        return;
    }
    currentPage_ = index;
    // Beneath the Update and Help buttons, which reach into the page area, and right after the
    // strip in the tab order.
    if (shown->GetSafeHwnd())
        ::SetWindowPos(shown->GetSafeHwnd(), tabStrip_.GetSafeHwnd(), 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // A focus left in a hidden page would take keys no one sees: the strip takes it.
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus) && !::IsWindowVisible(focus)) ::SetFocus(tabStrip_.GetSafeHwnd());
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
    SelectTab(kPageShred);
    ShowPage(kPageShred);
    shredPage_->AddPath(*path);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
}

void CLumeDlg::ShowFromTray(int tab, int page) {
    state_.autoStartFlag = false;
    SelectTab(tab);
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
        ShowPage(kPageFaq);
        return true;
    case ID_TRAY_SECURITY:
        ShowFromTray(0, kPageScan);
        return true;
    case ID_TRAY_JUNK:
        ShowFromTray(1, kPageJunk);
        return true;
    case ID_TRAY_SETTINGS:
        ShowFromTray(3, kPageOptions);
        return true;
    case ID_TRAY_SHREDDER:
        ShowFromTray(2, kPageShred);
        return true;
    case ID_TRAY_HELP:
        ShowPage(kPageFaq);
        return true;
    case ID_TRAY_ONECLICK:
        if (!SweepBusy.load()) scanPage_->StartOneClickErase();
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
    {
        PaintScope paint(hwnd_);
        CMemDC mem(paint.Get(), hwnd_);
        background_->ComposeMainWindow(mem);
        background_->CutCorners(mem, DpiOfWindow(hwnd_).Scale(kCornerSize), kSkinKeyColor);
    }
    if (!firstPaintMarked_ && ::IsWindowVisible(hwnd_)) {
        firstPaintMarked_ = true;
        StartupMark("main window visible");
    }
    return true;
}

void CLumeDlg::OnTimer(UINT_PTR id) {
    if (id == kDragTimer) {
        drag_.Follow();
    } else if (id == kSchedulerTimer) {
        ScheduledScanCheck();
    } else if (id == kTrayAnimationTimer) {
        trayAnimation_.Tick();
    }
}

void CLumeDlg::ScheduledScanCheck() {
    // Any sweep run, its delete phase included, lets the occurrence pass: no balloon, no run.
    const bool busy = SweepBusy.load() || SweepDeleting.load() || (scanPage_->Run() && scanPage_->Run()->Busy());
    if (!scheduler_.Tick(state_.settings, busy)) return;
    tray_.ShowInfoBalloon(L"Auto Scan", kAutoScanText, kAutoScanBalloonMs);
    scanPage_->StartOneClickErase();
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
    ::KillTimer(hwnd_, kSchedulerTimer);
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
