#include "junk/page/DlgJunkScan.h"

#include <commctrl.h>

#include "controls/WhiteBackground.h"
#include "engine/HostRoots.h"
#include "framework/Dpi.h"
#include "framework/WindowText.h"
#include "junk/core/JunkTypes.h"
#include "junk/page/CheckBoxImages.h"
#include "junk/page/JunkFolderBrowser.h"
#include "res/resource.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr wchar_t kNoTypeTicked[] = L"Please select at least one item of junk file type";
constexpr wchar_t kNoPath[] = L"Please choose a path for cleaning junk files";

struct Placement {
    int id;
    RECT rect;
};

// Pixel positions in the 574 x 325 panel; Scan Now is placed from the bottom right corner.
constexpr Placement kPlacements[] = {
    {IDC_JUNK_CATALOG_LABEL, {12, 8, 292, 24}},   {IDC_JUNK_TYPES, {12, 26, 302, 315}},
    {IDC_JUNK_PLACE_GROUP, {316, 8, 562, 150}},   {IDC_JUNK_PLACE_LABEL, {328, 22, 552, 38}},
    {IDC_JUNK_ALLDISKS, {330, 46, 346, 62}},      {IDC_JUNK_ALLDISKS_TEXT, {350, 46, 540, 62}},
    {IDC_JUNK_CHOOSEDIR, {330, 70, 346, 86}},     {IDC_JUNK_CHOOSEDIR_TEXT, {350, 70, 540, 86}},
    {IDC_JUNK_PATH, {330, 96, 470, 138}},         {IDC_JUNK_BROWSER, {478, 104, 550, 128}},
    {IDC_JUNK_SELECT_LABEL, {318, 162, 560, 178}}, {IDC_JUNK_DEFAULT, {330, 184, 346, 200}},
    {IDC_JUNK_DEFAULT_TEXT, {350, 184, 410, 200}}, {IDC_JUNK_ALL, {418, 184, 434, 200}},
    {IDC_JUNK_ALL_TEXT, {438, 184, 478, 200}},     {IDC_JUNK_NONE, {486, 184, 502, 200}},
    {IDC_JUNK_NONE_TEXT, {506, 184, 560, 200}},
};

void ShowMessageBox(HWND owner, const wchar_t* text) { ::MessageBoxW(owner, text, L"Scourwell", MB_OK); }

}  // namespace

CDlgJunkScan::CDlgJunkScan() : CPageDialog(IDD_JUNK_SCAN), showMessage(ShowMessageBox) {}

BOOL CDlgJunkScan::OnInitDialog() {
    for (auto [radio, id] : {std::pair{&allDisks_, IDC_JUNK_ALLDISKS}, {&chooseDir_, IDC_JUNK_CHOOSEDIR},
                             {&default_, IDC_JUNK_DEFAULT}, {&all_, IDC_JUNK_ALL}, {&none_, IDC_JUNK_NONE}}) {
        radio->AttachDlgItem(hwnd_, id);
        radio->SetGlyphStrip(IDB_RADIO_STRIP);
    }
    LinkRadioGroup({&allDisks_, &chooseDir_});
    LinkRadioGroup({&default_, &all_, &none_});
    placeGroup_.AttachDlgItem(hwnd_, IDC_JUNK_PLACE_GROUP);
    placeGroup_.SetCaptionBackground(RGB(255, 255, 255));
    // The frame has no caption; its first label says what it holds.
    placeGroup_.SetAccessibleName(L"Place to search");
    ::SetWindowTextW(hwnd_, L"Scan");
    scanNow_.Create(L"Scan Now", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 195, 57}, hwnd_, IDC_JUNK_SCANNOW);
    scanNow_.SetBitmaps(IDB_SCANNOW_NORMAL, IDB_SCANNOW_HOVER, IDB_SCANNOW_PRESSED, IDB_SCANNOW_PRESSED, 195, 57);
    PlaceControls();
    FillTypeList();
    default_.SetTicked(true);
    ResetPlace();
    return TRUE;
}

void CDlgJunkScan::PlaceControls() {
    for (const Placement& p : kPlacements) {
        ::MoveWindow(GetDlgItem(p.id), p.rect.left, p.rect.top, p.rect.right - p.rect.left, p.rect.bottom - p.rect.top,
                     FALSE);
    }
    PlaceScanNow();
}

void CDlgJunkScan::PlaceScanNow() {
    RECT client = ClientRect(hwnd_);
    const Dpi& dpi = laidOutFor_;
    ::MoveWindow(scanNow_.GetSafeHwnd(), client.right - dpi.Scale(220), client.bottom - dpi.Scale(70), dpi.Scale(195),
                 dpi.Scale(57), TRUE);
}

void CDlgJunkScan::FitTypeList() {
    HWND list = TypeList();
    if (!list) return;
    for (int column = 0; column < 2; ++column)
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, column, laidOutFor_.Scale(kColumnWidths[column]));
    // At 96 DPI the list view's own check boxes; at any other ours, drawn at that scale.
    UniqueImageList checks;
    if (laidOutFor_ != Dpi()) {
        if (!ownChecks_) {
            auto own = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
            int cx = 0, cy = 0;
            if (!own || !ImageList_GetIconSize(own, &cx, &cy)) return;
            checkCell96_ = SIZE{cx, cy};
        }
        checks = MakeCheckBoxImages(checkCell96_, laidOutFor_);
        if (!checks) return;
    }
    HIMAGELIST shown = checks ? checks.Get() : ownChecks_;
    if (!shown) return;  // the list view's own are shown already
    const auto previous = reinterpret_cast<HIMAGELIST>(
        ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(shown)));
    // The list view frees only the list it shows as it goes: we hold its own while ours are shown.
    if (!ownChecks_) ownChecks_ = previous;
    if (!checks) ownChecks_ = nullptr;
    checks_ = std::move(checks);
}

void CDlgJunkScan::OnDestroy() {
    // The list view's own check boxes go back to it, to be freed with it; ours go with us.
    laidOutFor_ = Dpi();
    FitTypeList();
}

void CDlgJunkScan::FillTypeList() {
    HWND list = TypeList();
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const wchar_t* headers[] = {L"Type", L"Description"};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(headers[column]);
        c.cx = kColumnWidths[column];
        ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    }
    int row = 0;
    for (const JunkType& type : JunkTypes()) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(type.pattern);
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(type.description);
        ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        ++row;
    }
    TickRows(kDefaultJunkTypeCount);
}

int CDlgJunkScan::RowCount() const { return static_cast<int>(::SendMessageW(TypeList(), LVM_GETITEMCOUNT, 0, 0)); }

bool CDlgJunkScan::IsRowTicked(int row) const {
    const LRESULT state = ::SendMessageW(TypeList(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void CDlgJunkScan::TickRow(int row, bool ticked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    ::SendMessageW(TypeList(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// Ticks the first `ticked` rows and unticks the rest.
void CDlgJunkScan::TickRows(int ticked) {
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) TickRow(row, row < ticked);
}

void CDlgJunkScan::ResetPlace() {
    ::SetWindowTextW(GetDlgItem(IDC_JUNK_PATH), L"");
    allDisks_.SetTicked(true);
    chooseDir_.SetTicked(false);
    ChoosePlace(true);
}

void CDlgJunkScan::ChoosePlace(bool allDisks) {
    ::EnableWindow(GetDlgItem(IDC_JUNK_PATH), !allDisks);
    ::EnableWindow(GetDlgItem(IDC_JUNK_BROWSER), !allDisks);
}

bool CDlgJunkScan::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_JUNK_ALLDISKS: ChoosePlace(true); return true;
    case IDC_JUNK_CHOOSEDIR: ChoosePlace(false); return true;
    case IDC_JUNK_DEFAULT: TickRows(kDefaultJunkTypeCount); return true;
    case IDC_JUNK_ALL: TickRows(kJunkTypeCount); return true;
    case IDC_JUNK_NONE: TickRows(0); return true;
    case IDC_JUNK_BROWSER: OnBrowse(); return true;
    case IDC_JUNK_SCANNOW: OnScanNow(); return true;
    default: return false;
    }
}

bool CDlgJunkScan::RefusesRoot(const std::wstring& root) {
    const std::optional<std::wstring> why = HostRoots().Refusal(root);
    if (why) showMessage(hwnd_, (L"Scourwell will not search \"" + root + L"\" for junk files: " + *why + L".").c_str());
    return why.has_value();
}

void CDlgJunkScan::OnBrowse() {
    // Wine's browser offers the Linux root as "/" beside My Computer.
    if (std::optional<std::wstring> folder = BrowseForJunkFolder(hwnd_); folder && !RefusesRoot(*folder))
        ::SetWindowTextW(GetDlgItem(IDC_JUNK_PATH), folder->c_str());
}

std::vector<std::wstring> CDlgJunkScan::TickedPatterns() const {
    std::vector<std::wstring> patterns;
    const int rows = RowCount();
    for (int row = 0; row < rows && row < kJunkTypeCount; ++row) {
        if (IsRowTicked(row)) patterns.emplace_back(JunkTypes()[static_cast<size_t>(row)].pattern);
    }
    return patterns;
}

void CDlgJunkScan::OnScanNow() {
    const std::vector<std::wstring> patterns = TickedPatterns();
    if (patterns.empty()) {
        showMessage(hwnd_, kNoTypeTicked);
        return;
    }
    std::wstring root;
    if (!allDisks_.IsTicked()) {
        root = WindowText(GetDlgItem(IDC_JUNK_PATH));
        if (root.empty()) {
            showMessage(hwnd_, kNoPath);
            return;
        }
        if (root.back() != L'\\') root += L'\\';
        if (RefusesRoot(root)) return;
    }
    if (onScan) onScan(root, patterns);
}

bool CDlgJunkScan::OnDpiChanged(Dpi dpi, const RECT*) {
    // Told once the layout has moved the panel and its controls to their places at the DPI.
    laidOutFor_ = dpi;
    PlaceScanNow();
    FitTypeList();
    return false;
}

bool CDlgJunkScan::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        result = PageLabelColours(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_SIZE:
        PlaceScanNow();
        return false;
    case WM_DRAWITEM:
        return ReflectToControl(message, wParam, lParam, result);
    default:
        return false;
    }
}

}  // namespace scw
