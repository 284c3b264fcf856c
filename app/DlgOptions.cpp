#include "app/DlgOptions.h"

#include "app/RunAtLogon.h"
#include "app/UpdateFeedback.h"
#include "controls/SkinDraw.h"
#include "engine/OverwriteDelete.h"
#include "controls/SubclassWindow.h"
#include "controls/WhiteBackground.h"
#include "framework/ScaleChildren.h"
#include "res/options.h"
#include "res/resource.h"
#include "sweep/page/DlgOptionsChoose.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr RECT kSaveRect{470, 350, 575, 380};
constexpr int kSchedulerBoxes[] = {IDC_OPT_DAY, IDC_OPT_HOUR, IDC_OPT_MINUTE, IDC_OPT_HALF};
constexpr const wchar_t* kDays[] = {L"Day",      L"Sunday", L"Monday",  L"Tuesday",
                                    L"Wednesday", L"Thursday", L"Friday", L"Saturday"};

int AskWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption) {
    return ::MessageBoxW(owner, text, caption, MB_OKCANCEL);
}

void AddStrings(HWND combo, int first, int last) {
    for (int i = first; i <= last; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
}
}  // namespace

CDlgOptions::CDlgOptions(SettingsValues& inUse, const Catalogue& catalogue, CIniFileRW settings)
    : CPageDialog(IDD_OPTIONS), askUser(AskWithMessageBox), inUse_(inUse), catalogue_(catalogue),
      settings_(std::move(settings)), header_(IDB_OPTIONS_HEADER) {
    chooseOneClickItems = [this](HWND owner) { RunChooser(owner); };
    checkUpdate = [](HWND owner) { CheckUpdateWithFeedback(owner); };
}

CDlgOptions::~CDlgOptions() = default;

BOOL CDlgOptions::OnInitDialog() {
    LayOut();
    CreateControls();
    FillLists();
    ShowValues(inUse_);
    return TRUE;
}

void CDlgOptions::LayOut() {
    // The page is drawn at two pixels per dialog unit, like the skin around it, whatever size the
    // dialog font measures here; the page itself fills the area beside the tab strip.
    constexpr int kTemplateWidth = 612, kTemplateHeight = 458;  // 306 x 229 dialog units
    ScaleChildren(hwnd_, kTemplateWidth, kTemplateHeight);
    TakePageSize();
}

void CDlgOptions::CreateControls() {
    generalGroup_.AttachDlgItem(hwnd_, IDC_OPT_GENERAL_GROUP);
    exitGroup_.AttachDlgItem(hwnd_, IDC_OPT_EXIT_GROUP);
    schedulerGroup_.AttachDlgItem(hwnd_, IDC_OPT_SCHEDULER_GROUP);
    generalGroup_.SetCaption(L"General Settings");
    exitGroup_.SetCaption(L"Exit Settings");
    schedulerGroup_.SetCaption(L"Scan Scheduler");
    for (CGuiGroupBox* group : {&generalGroup_, &exitGroup_, &schedulerGroup_})
        group->SetCaptionBackground(RGB(255, 255, 255));

    save_.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, kSaveRect, hwnd_, IDC_OPT_SAVE);
    save_.SetBitmaps(IDB_SAVE_NORMAL, IDB_SAVE_HOVER, IDB_SAVE_PRESSED, IDB_MIN_PRESSED, 105, 30);
    save_.SetTooltip(L"Save");

    runAtStartup_.AttachDlgItem(hwnd_, IDC_OPT_RUN_AT_STARTUP);
    autoUpdate_.AttachDlgItem(hwnd_, IDC_OPT_AUTO_UPDATE);
    overwrite_.AttachDlgItem(hwnd_, IDC_OPT_OVERWRITE);
    scanEvery_.AttachDlgItem(hwnd_, IDC_OPT_SCAN_EVERY);
    for (CNCheckBoxEX* box : {&runAtStartup_, &autoUpdate_, &overwrite_, &scanEvery_})
        box->SetGlyphStrip(IDB_CHECK_STRIP);
    exitRadio_.AttachDlgItem(hwnd_, IDC_OPT_EXIT);
    trayRadio_.AttachDlgItem(hwnd_, IDC_OPT_TRAY);
    exitRadio_.SetGlyphStrip(IDB_RADIO_STRIP);
    trayRadio_.SetGlyphStrip(IDB_RADIO_STRIP);
    LinkRadioGroup({&exitRadio_, &trayRadio_});
}

void CDlgOptions::FillLists() {
    HWND day = GetDlgItem(IDC_OPT_DAY);
    for (const wchar_t* name : kDays) ::SendMessageW(day, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    AddStrings(GetDlgItem(IDC_OPT_HOUR), 0, 11);
    AddStrings(GetDlgItem(IDC_OPT_MINUTE), 0, 59);
    HWND half = GetDlgItem(IDC_OPT_HALF);
    for (const wchar_t* name : {L"AM", L"PM"}) ::SendMessageW(half, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void CDlgOptions::ShowValues(const SettingsValues& v) {
    runAtStartup_.SetTicked(v.runAtStartup != 0);
    autoUpdate_.SetTicked(v.autoUpdate != 0);
    overwrite_.SetTicked(v.overwriteBeforeDelete != 0);
    scanEvery_.SetTicked(v.schedulerOn != 0);
    const std::pair<int, int> selections[] = {{IDC_OPT_HALF, v.schedulerHalf},
                                              {IDC_OPT_MINUTE, v.schedulerMinute},
                                              {IDC_OPT_HOUR, v.schedulerHour},
                                              {IDC_OPT_DAY, v.schedulerDay}};
    for (auto [id, index] : selections) {
        HWND combo = GetDlgItem(id);
        const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        // A value outside the list leaves the box without a selection.
        ::SendMessageW(combo, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
    }
    EnableSchedulerBoxes(v.schedulerOn != 0);
    exitRadio_.SetTicked(v.exitOnClose != 0);
    trayRadio_.SetTicked(v.trayOnClose != 0);
}

void CDlgOptions::EnableSchedulerBoxes(bool enable) {
    for (int id : kSchedulerBoxes) ::EnableWindow(GetDlgItem(id), enable);
}

int CDlgOptions::Selected(int comboId) const {
    return static_cast<int>(::SendMessageW(GetDlgItem(comboId), CB_GETCURSEL, 0, 0));
}

void CDlgOptions::Save() {
    SettingsValues wanted;
    wanted.runAtStartup = runAtStartup_.IsTicked();
    wanted.autoUpdate = autoUpdate_.IsTicked();
    wanted.overwriteBeforeDelete = overwrite_.IsTicked();
    wanted.schedulerOn = scanEvery_.IsTicked();
    wanted.schedulerDay = Selected(IDC_OPT_DAY);
    wanted.schedulerHour = Selected(IDC_OPT_HOUR);
    wanted.schedulerMinute = Selected(IDC_OPT_MINUTE);
    wanted.schedulerHalf = Selected(IDC_OPT_HALF);
    wanted.exitOnClose = exitRadio_.IsTicked();
    wanted.trayOnClose = trayRadio_.IsTicked();
    WriteSettings(settings_, wanted, inUse_);
    SetOverwriteBeforeDelete(inUse_.overwriteBeforeDelete != 0);
    SetRunAtLogon(wanted.runAtStartup != 0);
}

bool CDlgOptions::Changed() const {
    const SettingsValues& v = inUse_;
    if (runAtStartup_.IsTicked() != (v.runAtStartup != 0) || scanEvery_.IsTicked() != (v.schedulerOn != 0) ||
        autoUpdate_.IsTicked() != (v.autoUpdate != 0) || overwrite_.IsTicked() != (v.overwriteBeforeDelete != 0))
        return true;
    // The schedule's time counts only while the schedule is on.
    if (scanEvery_.IsTicked() &&
        (Selected(IDC_OPT_DAY) != v.schedulerDay || Selected(IDC_OPT_HOUR) != v.schedulerHour ||
         Selected(IDC_OPT_MINUTE) != v.schedulerMinute || Selected(IDC_OPT_HALF) != v.schedulerHalf))
        return true;
    return exitRadio_.IsTicked() != (v.exitOnClose != 0) || trayRadio_.IsTicked() != (v.trayOnClose != 0);
}

bool CDlgOptions::IsTicked(int controlId) const {
    for (const CNGlyphButton* box : std::initializer_list<const CNGlyphButton*>{
             &runAtStartup_, &autoUpdate_, &overwrite_, &scanEvery_, &exitRadio_, &trayRadio_}) {
        if (::GetDlgCtrlID(box->GetSafeHwnd()) == controlId) return box->IsTicked();
    }
    return false;
}

std::wstring CDlgOptions::GroupCaption(int controlId) const {
    for (const CGuiGroupBox* group : {&generalGroup_, &exitGroup_, &schedulerGroup_}) {
        if (::GetDlgCtrlID(group->GetSafeHwnd()) == controlId) return group->Caption();
    }
    return {};
}

void CDlgOptions::Hide() {
    if (!hwnd_) return;
    if (Changed()) {
        if (askUser(hwnd_, kSaveQuestion, L"Scourwell") == IDOK)
            Save();
        else
            ShowValues(inUse_);
    }
    ::ShowWindow(hwnd_, SW_HIDE);
}

void CDlgOptions::RunChooser(HWND owner) {
    CDlgOptionsChoose chooser(catalogue_, settings_);
    chooser.DoModal(owner);
}

bool CDlgOptions::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    HWND root = ::GetAncestor(hwnd_, GA_ROOT);
    switch (id) {
    case IDC_OPT_SCAN_EVERY:
        EnableSchedulerBoxes(scanEvery_.IsTicked());
        return true;
    case IDC_OPT_SAVE:
        Save();
        return true;
    case IDC_OPT_CHOOSE_ONECLICK:
        if (chooseOneClickItems) chooseOneClickItems(root);
        return true;
    case IDC_OPT_CHECK_UPDATE:
        if (checkUpdate) checkUpdate(root);
        return true;
    default:
        return false;
    }
}

void CDlgOptions::PaintBackground(HDC dc) {
    RECT client = ClientRect(hwnd_);
    ::FillRect(dc, &client, PageBrush());
    header_.Draw(hwnd_, dc);
}

bool CDlgOptions::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        // White with the page's picture, also for the skinned boxes that copy what lies behind them.
        PaintBackground(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        if (ReflectToControl(message, wParam, lParam, result)) return true;
        result = PageLabelColours(reinterpret_cast<HDC>(wParam));
        return true;
    }
    default:
        return ReflectToControl(message, wParam, lParam, result);
    }
}

}  // namespace scw
