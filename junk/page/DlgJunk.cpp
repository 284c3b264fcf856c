#include "junk/page/DlgJunk.h"

#include "controls/MemDC.h"
#include "controls/SelfPaint.h"
#include "controls/SkinDraw.h"
#include "controls/WhiteBackground.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "state/RunFlags.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr COLORREF kFrameColor = RGB(0xED, 0xEB, 0xE6);
constexpr int kTabWidth = 108, kTabHeight = 26, kTabGap = 2;
// The tabs stand on the panels' top edge.
constexpr POINT kTabOrigin{11, 130 - kTabHeight};
}  // namespace

CDlgJunk::CDlgJunk() : CPageDialog(IDD_JUNK), header_(IDB_JUNK_HEADER) {}

BOOL CDlgJunk::OnInitDialog() {
    TakePageSize();
    header_.Fit(hwnd_);

    tabs_.Create(hwnd_,
                 RECT{kTabOrigin.x, kTabOrigin.y, kTabOrigin.x + 2 * kTabWidth + kTabGap, kTabOrigin.y + kTabHeight},
                 IDC_JUNK_TABS);
    tabs_.SetItemCount(2);
    tabs_.SetAccessibleName(L"Junk cleaner panels");
    tabs_.SetItemName(kScanPanel, L"Scan");
    tabs_.SetItemName(kResultsPanel, L"Results");
    tabs_.SetItemRect(kScanPanel, 0, 0, kTabWidth, kTabHeight);
    tabs_.SetItemRect(kResultsPanel, kTabWidth + kTabGap, 0, 2 * kTabWidth + kTabGap, kTabHeight);
    tabs_.SetItemBitmaps(kScanPanel, IDB_JUNKTAB_SCAN_NORMAL, IDB_JUNKTAB_SCAN_HOT, IDB_JUNKTAB_SCAN_HOT);
    tabs_.SetItemBitmaps(kResultsPanel, IDB_JUNKTAB_RESULTS_NORMAL, IDB_JUNKTAB_RESULTS_HOT,
                         IDB_JUNKTAB_RESULTS_HOT);
    // The pattern list must not change under a running search.
    tabs_.SetLocked([] { return JunkSearchBusy.load() != 0; });

    scan_.onScan = [this](const std::wstring& root, const std::vector<std::wstring>& patterns) {
        StartJunkSearch(root, patterns);
    };
    for (CDialog* panel : {static_cast<CDialog*>(&scan_), static_cast<CDialog*>(&results_)}) {
        if (!panel->Create(hwnd_)) continue;
        ::SetWindowPos(panel->GetSafeHwnd(), nullptr, kPanelRect.left, kPanelRect.top,
                       kPanelRect.right - kPanelRect.left, kPanelRect.bottom - kPanelRect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowPanel(kScanPanel);
    return TRUE;
}

void CDlgJunk::ShowPanel(int index) {
    for (CDialog* panel : {static_cast<CDialog*>(&scan_), static_cast<CDialog*>(&results_)}) {
        if (panel->GetSafeHwnd()) ::ShowWindow(panel->GetSafeHwnd(), SW_HIDE);
    }
    CDialog* shown = index == kScanPanel ? static_cast<CDialog*>(&scan_)
                     : index == kResultsPanel ? static_cast<CDialog*>(&results_)
                                              : nullptr;
    if (shown && shown->GetSafeHwnd()) ::ShowWindow(shown->GetSafeHwnd(), SW_SHOW);
}

void CDlgJunk::StartJunkSearch(const std::wstring& root, const std::vector<std::wstring>& patterns) {
    tabs_.SetCurrent(kResultsPanel);
    ShowPanel(kResultsPanel);
    results_.StartSearch(root, patterns);
}

void CDlgJunk::Reset() {
    ++resetCount_;
    if (!hwnd_) return;
    tabs_.SetCurrent(kScanPanel);
    ShowPanel(kScanPanel);
    scan_.ResetPlace();
    results_.ClearRows();
}

bool CDlgJunk::OnDpiChanged(Dpi, const RECT*) {
    header_.Fit(hwnd_);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return false;
}

void CDlgJunk::Paint(HDC dc) {
    RECT client = ClientRect(hwnd_);
    ::FillRect(dc, &client, PageBrush());
    header_.Draw(hwnd_, dc);
    const Dpi dpi = DpiOfWindow(hwnd_);
    UniqueBrush frame(::CreateSolidBrush(kFrameColor));
    const int margin = dpi.Scale(10);
    FrameAtDpi(dc, RECT{margin, dpi.Scale(80), client.right - margin, client.bottom - margin}, frame.Get(), dpi);
}

bool CDlgJunk::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { Paint(dc); })) return true;
    switch (message) {
    case kSkinTabChanged:
        ShowPanel(static_cast<int>(lParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace scw
