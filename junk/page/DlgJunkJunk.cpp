#include "junk/page/DlgJunkJunk.h"

#include <commctrl.h>

#include "controls/WhiteBackground.h"
#include "deletion/page/DlgScanResult.h"
#include "framework/Dpi.h"
#include "junk/core/JunkDelete.h"
#include "res/resource.h"
#include "state/RunFlags.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr wchar_t kNotRemoved[] = L"For certain reasons,the file could not be removed by Scourwell";
// While a search runs the list catches up with the rows found on this timer: a low-priority
// message, so painting and input keep their turn however fast files come.
constexpr UINT_PTR kRowsTimer = 15;
constexpr UINT kRowsTimerMs = 100;

void ShowMessageBox(HWND owner, const wchar_t* text) { ::MessageBoxW(owner, text, L"Scourwell", MB_OK); }

// The text is not drawn (the pictures carry the captions); screen readers read it.
void CreateButton(CNButtonEx& button, const wchar_t* text, HWND parent, int id, const UINT (&images)[4]) {
    button.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 104, 27}, parent, id);
    button.SetBitmaps(images[0], images[1], images[2], images[3], 104, 27);
}

void Place(HWND window, int left, int top, int right, int bottom) {
    ::MoveWindow(window, left, top, right - left, bottom - top, TRUE);
}
}  // namespace

CDlgJunkJunk::CDlgJunkJunk() : CPageDialog(IDD_JUNK_RESULTS), showMessage(ShowMessageBox) {}

CDlgJunkJunk::~CDlgJunkJunk() {
    // The worker reports into the controls below: stop and join it while they still exist.
    run_.reset();
}

BOOL CDlgJunkJunk::OnInitDialog() {
    run_ = std::make_unique<JunkRun>(static_cast<JunkView&>(*this));
    animation_.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 103, 106}, hwnd_, IDC_JUNK_ANIMATION);
    animation_.SetBkColor(RGB(255, 255, 255));
    animation_.SetAccessibleName(L"Junk search at work");
    animation_.Load(IDR_GIF_JUNK_SEARCH, L"GIF");
    animation_.Draw();

    list_.columns = {{L"File", 100, LVCFMT_LEFT}, {L"Path", 350, LVCFMT_LEFT}};
    list_.Create(WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE, RECT{0, 0, 100, 100}, hwnd_, kListId);
    list_.SetAccessibleName(L"Junk files found");
    ::SetWindowTextW(hwnd_, L"Results");
    ::SendMessageW(list_.GetSafeHwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    CreateButton(stop_, L"Stop", hwnd_, kStopId,
                 {IDB_JUNK_STOP_NORMAL, IDB_JUNK_STOP_HOVER, IDB_JUNK_STOP_HOVER, IDB_JUNK_STOP_DISABLED});
    CreateButton(delete_, L"Delete", hwnd_, kDeleteId,
                 {IDB_JUNK_DELETE_NORMAL, IDB_JUNK_DELETE_HOVER, IDB_JUNK_DELETE_PRESSED, IDB_JUNK_DELETE_DISABLED});
    CreateButton(deleteAll_, L"Delete all", hwnd_, kDeleteAllId,
                 {IDB_JUNK_DELETEALL_NORMAL, IDB_JUNK_DELETEALL_HOVER, IDB_JUNK_DELETEALL_PRESSED,
                  IDB_JUNK_DELETEALL_DISABLED});
    stop_.Enable(false);
    Layout();
    return TRUE;
}

void CDlgJunkJunk::Layout() {
    PlaceControls();
    animation_.Stop();
}

void CDlgJunkJunk::PlaceControls() {
    RECT client = ClientRect(hwnd_);
    const int W = client.right, H = client.bottom;
    // Lengths from the panel's edges, at the DPI the panel is laid out for.
    auto s = [this](int length96) { return laidOutFor_.Scale(length96); };
    Place(list_.GetSafeHwnd(), s(5), s(5), W - s(112), H - s(5));
    Place(animation_.GetSafeHwnd(), W - s(108), H - s(211), W - s(5), H - s(105));
    Place(stop_.GetSafeHwnd(), W - s(106), H - s(98), W - s(2), H - s(71));
    Place(delete_.GetSafeHwnd(), W - s(106), H - s(65), W - s(2), H - s(38));
    Place(deleteAll_.GetSafeHwnd(), W - s(106), H - s(32), W - s(2), H - s(5));
}

bool CDlgJunkJunk::StartSearch(const std::wstring& root, const std::vector<std::wstring>& patterns) {
    return run_ && run_->StartSearch(root, patterns);
}

void CDlgJunkJunk::ClearRows() {
    rows_.Clear();
    ShowRowCount();
}

void CDlgJunkJunk::SearchStarted() {
    rows_.Clear();
    channel_.Send([this] {
        ShowRowCount();
        stop_.Enable(true);
        delete_.Enable(false);
        deleteAll_.Enable(false);
        animation_.Draw();
        ::SetTimer(hwnd_, kRowsTimer, kRowsTimerMs, nullptr);
    });
}

void CDlgJunkJunk::FoundJunk(const JunkRow& row) {
    rows_.Append(row);
    if (onFound) onFound(row);
}

void CDlgJunkJunk::SearchEnded() {
    channel_.Send([this] {
        ::KillTimer(hwnd_, kRowsTimer);
        ShowRowCount();
        animation_.Stop();
        stop_.Enable(false);
        delete_.Enable(true);
        deleteAll_.Enable(true);
    });
}

void CDlgJunkJunk::RowsDeleted() {
    rows_.Clear();
    channel_.Send([this] { ShowRowCount(); });
}

void CDlgJunkJunk::OnDestroy() {
    // Work the search still hands over would find no windows: drop it, and end a search that
    // has no list left to fill.
    channel_.Close();
    if (run_) run_->RequestStop();
}

void CDlgJunkJunk::OnTimer(UINT_PTR id) {
    if (id == kRowsTimer) ShowRowCount();
}

int CDlgJunkJunk::ShownRows() const { return static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }

bool CDlgJunkJunk::ButtonEnabled(int id) const {
    for (const CNButtonEx* button : {&stop_, &delete_, &deleteAll_}) {
        if (::GetDlgCtrlID(button->GetSafeHwnd()) == id) return button->IsEnabledFlag();
    }
    return false;
}

void CDlgJunkJunk::ShowRowCount() {
    HWND list = list_.GetSafeHwnd();
    if (!list) return;
    const size_t count = rows_.Size();
    const size_t shown = static_cast<size_t>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (count < shown) {
        // Rows went: no selection may point at a different file.
        LVITEMW clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    }
    ::SendMessageW(list, LVM_SETITEMCOUNT, count, count >= shown ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0);
    if (count < shown) ::InvalidateRect(list, nullptr, FALSE);
}

bool CDlgJunkJunk::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case kStopId:
        if (run_) run_->RequestStop();
        return true;
    case kDeleteId:
        OnDelete();
        return true;
    case kDeleteAllId:
        OnDeleteAll();
        return true;
    default:
        return false;
    }
}

void CDlgJunkJunk::OnDelete() {
    if (JunkSearchBusy || run_->Busy()) return;
    const int selected =
        static_cast<int>(::SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected < 0) return;
    std::optional<JunkRow> row = rows_.At(static_cast<size_t>(selected));
    if (!row) return;
    if (!DeleteJunkFile(row->FullPath())) {
        // The row stays, so the user can try again.
        showMessage(hwnd_, kNotRemoved);
        return;
    }
    rows_.Erase(static_cast<size_t>(selected));
    ShowRowCount();
}

void CDlgJunkJunk::OnDeleteAll() {
    if (JunkSearchBusy || run_->Busy() || rows_.Size() == 0) return;
    CDlgScanResult dialog;
    dialog.SetTotal(static_cast<int>(rows_.Size()));
    dialog.SetOnReady([this, &dialog] {
        run_->Resume();
        if (onProgressShown) onProgressShown(dialog);
    });
    if (!run_->StartDeleteAll(rows_.Snapshot(), dialog)) return;
    // The worker starts only once the dialog's window exists; without one it is ended unused
    // (waiting for a window that never comes would hang the page).
    const bool shown = dialog.ShowModal(hwnd_);
    if (!shown) run_->CancelDeleteAll();
    run_->Wait();
    ShowRowCount();
    if (!shown) showMessage(hwnd_, CDlgScanResult::kCouldNotOpen);
}

void CDlgJunkJunk::FillDisplayInfo(NMLVDISPINFOW& info) const {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    std::optional<JunkRow> row = rows_.At(static_cast<size_t>(info.item.iItem));
    std::wstring text;
    if (row) text = info.item.iSubItem == 0 ? row->ListName() : row->folder;
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
}

bool CDlgJunkJunk::OnDpiChanged(Dpi dpi, const RECT*) {
    // Told once the layout has moved the panel to its size at the DPI. That move stopped the
    // animation as a resize does; a running search gets it back.
    laidOutFor_ = dpi;
    PlaceControls();
    if (JunkSearchBusy.load() != 0) animation_.Draw();
    return false;
}

bool CDlgJunkJunk::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return false;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ReflectToControl(message, wParam, lParam, result);
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kListId && header->code == LVN_KEYDOWN &&
            reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            // The Delete key does what the Delete button does, under the same rules.
            if (delete_.IsEnabledFlag()) OnDelete();
            return true;
        }
        if (header->idFrom != kListId || header->code != LVN_GETDISPINFOW) return false;
        FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return true;
    }
    default:
        return false;
    }
}

}  // namespace scw
