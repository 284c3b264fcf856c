#include "sweep/page/DlgScan.h"

#include <commctrl.h>

#include "controls/SubclassWindow.h"
#include "controls/WhiteBackground.h"
#include "deletion/page/DlgScanResult.h"
#include "engine/Sweep.h"
#include "state/RunFlags.h"
#include "res/resource.h"
#include "sweep/page/ResultListAdapter.h"
#include "state/ItemSets.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
// While a scan runs the list catches up with the rows found on this timer: a low-priority
// message, so painting and input keep their turn however fast traces come.
constexpr UINT_PTR kRowsTimer = 15;
constexpr UINT kRowsTimerMs = 100;

constexpr wchar_t kSelectAllWarning[] =
    L"Now you have chosen \"Select All\" item. \nThis action will delete much important privacy,\nfor example, "
    L"Favorites (Bookmarked sites).\nPlease pay attention to this action!";

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

int AskWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption) {
    return ::MessageBoxW(owner, text, caption, MB_YESNO | MB_ICONEXCLAMATION);
}

void TellWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption) {
    ::MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}

// The text is not drawn (the pictures carry the captions); screen readers read it.
void CreateButton(CNButtonEx& button, const wchar_t* text, HWND parent, int id, const RECT& r, UINT firstImage) {
    button.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, parent, id);
    button.SetBitmaps(firstImage, firstImage + 1, firstImage + 2, firstImage + 3, r.right - r.left, r.bottom - r.top);
}
}  // namespace

CDlgScan::CDlgScan(TrayActivity& mainWindow, Catalogue& catalogue, CIniFileRW settings, const Environment& env)
    : CPageDialog(IDD_SCAN), askUser(AskWithMessageBox), tellUser(TellWithMessageBox), mainWindow_(mainWindow),
      env_(env), catalogue_(catalogue), settings_(std::move(settings)) {}

CDlgScan::~CDlgScan() {
    // The worker reports into the controls below: stop and join it while they still exist.
    // Its reports from now on are dropped, so the join cannot wait on this half-gone page.
    channel_.Close();
    run_.reset();
}

BOOL CDlgScan::OnInitDialog() {
    run_ = std::make_unique<SweepRun>(catalogue_, *this, settings_, env_, &mainWindow_);
    CreateControls();
    tree_.Fill(catalogue_);
    ItemSetContent recent = ReadItemSet(settings_, ItemSet::Recent);
    tree_.ApplyItemSet(recent.count == -1 ? ReadItemSet(settings_, ItemSet::Default).ids : recent.ids);
    return TRUE;
}

void CDlgScan::CreateControls() {
    TakePageSize();
    RECT client = ClientRect(hwnd_);
    const int W = client.right, H = client.bottom;
    CreateButton(selectAll_, L"Select All", hwnd_, kSelectAll, Rect(10, 10, 159, 31), IDB_SWEEP_SELALL_NORMAL);
    CreateButton(selectNone_, L"Select None", hwnd_, kSelectNone, Rect(159, 10, 308, 31), IDB_SWEEP_SELNONE_NORMAL);
    CreateButton(selectDefault_, L"Select Default", hwnd_, kSelectDefault, Rect(308, 10, 457, 31),
                 IDB_SWEEP_SELDEFAULT_NORMAL);
    CreateButton(scan_, L"Scan", hwnd_, kScan, Rect(483, 10, 587, 37), IDB_SWEEP_SCAN_NORMAL);
    CreateButton(delete_, L"Delete", hwnd_, kDelete, Rect(483, 43, 587, 70), IDB_SWEEP_DELETE_NORMAL);
    CreateButton(deleteAll_, L"Delete all", hwnd_, kDeleteAll, Rect(483, 76, 587, 103), IDB_SWEEP_DELETEALL_NORMAL);
    selectAll_.SetTooltip(L"Select All");
    selectNone_.SetTooltip(L"Select None");
    selectDefault_.SetTooltip(L"Select Default");

    RECT treeRect = Rect(10, 30, 457, H / 2);
    tree_.Create(hwnd_, treeRect, CMyTreeCtrl::kControlId);
    // Tab order: the select row and the tree below it, then the run buttons, then the list.
    ::SetWindowPos(tree_.GetSafeHwnd(), selectDefault_.GetSafeHwnd(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    list_.columns = {{L"Name", 200, LVCFMT_LEFT}, {L"Value", 100, LVCFMT_LEFT}, {L"Item", 240, LVCFMT_LEFT}};
    list_.Create(WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE, Rect(10, treeRect.bottom + 4, W - 10, H - 10), hwnd_, kResultList);
    list_.SetAccessibleName(L"Traces found");
    ::SendMessageW(list_.GetSafeHwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    // Centred between the tree and the right edge, and between Delete all and the tree's bottom.
    const int width = 103, height = 75;
    int left = treeRect.right + (W - treeRect.right - width) / 2;
    int top = 103 + (treeRect.bottom - 103 - height) / 2 + 5;
    animation_.Create(WS_CHILD | WS_VISIBLE, Rect(left, top, left + width, top + height), hwnd_, kAnimation);
    animation_.SetBkColor(RGB(255, 255, 255));
    animation_.SetAccessibleName(L"Sweep at work");
    animation_.Load(IDR_GIF_SWEEP_WORKING, L"GIF");
    // Between runs the picture shows its first frame, still.
    animation_.Draw();
    animation_.Stop();
}

bool CDlgScan::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case kSelectAll:
    case kSelectNone:
    case kSelectDefault:
        OnSelect(id);
        return true;
    case kScan:
        OnScan();
        return true;
    case kDelete:
        OnDelete();
        return true;
    case kDeleteAll:
        OnDeleteAll();
        return true;
    default:
        return false;
    }
}

void CDlgScan::OnSelect(WORD id) {
    if (SweepBusy) return;
    if (id == kSelectAll) {
        if (askUser(hwnd_, kSelectAllWarning, L"Warning") != IDNO) tree_.CheckAll();
        return;
    }
    tree_.UncheckAll();
    if (id == kSelectDefault) tree_.ApplyItemSet(ReadItemSet(settings_, ItemSet::Default).ids);
}

std::vector<CMyObject*> CDlgScan::TickedItems() { return tree_.ResetAllNodes(tree_.MeasureCountColumn()); }

void CDlgScan::OnScan() {
    // While a run works the button can only stop it: its scan phase, or a one-click delete phase.
    if (SweepBusy || run_->Busy()) {
        run_->ScanOrStop({});
        return;
    }
    run_->ScanOrStop(TickedItems());
}

void CDlgScan::StartOneClickErase() {
    if (!run_ || SweepBusy || SweepDeleting || run_->Busy()) return;
    tree_.UncheckAll();
    tree_.ApplyItemSet(ReadItemSet(settings_, ItemSet::OneClick).ids);
    run_->StartOneClick(TickedItems());
}

void CDlgScan::OnDelete() {
    if (SweepBusy || run_->Busy()) return;
    ResultListAdapter adapter(list_.GetSafeHwnd(), rows_, [this] { run_->RowRemoved(); });
    DeleteListedTrace(adapter);
}

void CDlgScan::OnDeleteAll() {
    if (!run_->CanDeleteAll()) return;
    CDlgScanResult dialog;
    dialog.SetTotal(run_->FoundRows());
    dialog.SetOnReady([this, &dialog] {
        run_->ResumeDeleteAll();
        if (onProgressShown) onProgressShown(dialog);
    });
    if (!run_->StartDeleteAll(dialog)) return;
    SweepDeleting = 1;
    const bool shown = dialog.ShowModal(hwnd_);
    SweepDeleting = 0;
    // The worker starts only once the dialog's window exists; without one it is ended unused.
    if (!shown) run_->CancelDeleteAll();
    run_->Wait();
    if (!shown) tellUser(hwnd_, CDlgScanResult::kCouldNotOpen, L"Scourwell");
}

void CDlgScan::OnUiThread(const std::function<void()>& work) {
    channel_.Send([this, &work] {
        if (hwnd_) work();
    });
}

void CDlgScan::NodesReset() {
    OnUiThread([this] { tree_.ResetAllNodes(tree_.MeasureCountColumn()); });
}

void CDlgScan::ShowScanPhase(bool scanning) {
    OnUiThread([this, scanning] {
        UINT first = scanning ? IDB_SWEEP_STOP_NORMAL : IDB_SWEEP_SCAN_NORMAL;
        scan_.SetBitmaps(first, first + 1, first + 2, first + 3, 104, 27);
        scan_.SetText(scanning ? L"Stop" : L"Scan");
        delete_.Enable(!scanning);
        deleteAll_.Enable(!scanning);
        if (scanning) {
            ::SetTimer(hwnd_, kRowsTimer, kRowsTimerMs, nullptr);
        } else {
            ::KillTimer(hwnd_, kRowsTimer);
            ShowRowCount();
        }
    });
}

void CDlgScan::SetWorkingAnimation(bool running) {
    OnUiThread([this, running] {
        if (running)
            animation_.Draw();
        else
            animation_.Stop();
    });
}

void CDlgScan::ClearResults() {
    rows_.Clear();
    OnUiThread([this] { ShowRowCount(); });
}

void CDlgScan::AddResultRow(const TraceRow& row) {
    rows_.Append(ResultRow{row.item.displayName, row.name, row.location, row.isRegistry});
}

void CDlgScan::OnTimer(UINT_PTR id) {
    if (id == kRowsTimer) ShowRowCount();
}

void CDlgScan::ShowRowCount() {
    HWND list = list_.GetSafeHwnd();
    if (!list) return;
    size_t count = rows_.Size();
    size_t shown = static_cast<size_t>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    ::SendMessageW(list, LVM_SETITEMCOUNT, count, count >= shown ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0);
}

bool CDlgScan::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ReflectToControl(message, wParam, lParam, result);
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kResultList && header->code == LVN_KEYDOWN &&
            reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            // The Delete key does what the Delete button does, under the same rules.
            OnDelete();
            return true;
        }
        if (header->idFrom != kResultList || header->code != LVN_GETDISPINFOW) return false;
        return AnswerDisplayText(*reinterpret_cast<NMLVDISPINFOW*>(lParam), [this](size_t index, int column) {
            std::optional<ResultRow> row = rows_.At(index);
            if (!row) return std::wstring();
            return column == 0 ? row->item : column == 1 ? row->name : row->location;
        });
    }
    default:
        return false;
    }
}

}  // namespace scw
