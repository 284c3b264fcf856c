#include "sweep/page/MyTreeCtrl.h"

#include <windowsx.h>

#include "controls/SelfPaint.h"
#include "engine/ScanRun.h"
#include "framework/App.h"
#include "framework/ClientRect.h"
#include "framework/Dpi.h"
#include "rules/RuleNodes.h"
#include "sweep/page/CountColumn.h"

namespace scw {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);

void ClearCounts(CMyObject& node) {
    node.scanState = ScanIdle;
    node.traceCount = 0;
    for (CMyObject* child = node.firstChild; child; child = child->nextSibling) ClearCounts(*child);
}
}  // namespace

CMyTreeCtrl::CMyTreeCtrl()
    : confirmWarning(AskWarningBox),
      toggle_([this](HWND tree, HTREEITEM row) { return ToggleCheckWarned(tree, row, confirmWarning); }) {}

CMyTreeCtrl::~CMyTreeCtrl() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

bool CMyTreeCtrl::Create(HWND parent, const RECT& rect, int id) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_FULLROWSELECT | TVS_SHOWSELALWAYS;
    HWND tree = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (!tree) return false;
    // Added after creation, so the tree view prepares its check-box state images.
    ::SetWindowLongW(tree, GWL_STYLE, ::GetWindowLongW(tree, GWL_STYLE) | TVS_CHECKBOXES);
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)))
        ::SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    TreeView_SetBkColor(tree, kWhite);
    if (!channel_) channel_ = std::make_unique<UiChannel>();
    if (!Attach(tree)) {
        ::DestroyWindow(tree);
        return false;
    }
    SetAccessibleName(L"Items to sweep");
    access_.describe = [this](HTREEITEM row) {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = row;
        const auto* node = TreeView_GetItem(hwnd_, &item) ? reinterpret_cast<const CMyObject*>(item.lParam) : nullptr;
        return node && node->traceCount > 0 ? std::to_wstring(node->traceCount.load()) + L" found" : std::wstring();
    };
    ServeAccessibility(access_);
    // The indent the tree view settles on for the 96-DPI boxes is the one every DPI scales.
    painter_.LoadImages(Dpi());
    layoutImages_.Load(hwnd_, RowMetrics());
    baseIndent_ = static_cast<int>(TreeView_GetIndent(hwnd_));
    FitToDpi();
    return true;
}

void CMyTreeCtrl::FitToDpi() {
    const Dpi dpi = DpiOfWindow(hwnd_);
    painter_.LoadImages(dpi);
    layoutImages_.Load(hwnd_, RowMetrics());
    const int indent = dpi.Scale(baseIndent_);
    if (static_cast<int>(TreeView_GetIndent(hwnd_)) != indent) TreeView_SetIndent(hwnd_, indent);
    // The tree view's own height for its font and images, but room for a pixel above and below
    // the icons and status squares.
    TreeView_SetItemHeight(hwnd_, -1);
    const int least = RowMetrics().minRowHeight;
    if (TreeView_GetItemHeight(hwnd_) < least) TreeView_SetItemHeight(hwnd_, least);
    // Counts already shown move to the new measures.
    if (catalogue_) {
        const SIZE column = MeasureCountText(hwnd_);
        for (CMyObject* category = catalogue_->Head(); category; category = category->next)
            RelayoutCounts(*category, column);
    }
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyTreeCtrl::RelayoutCounts(CMyObject& node, SIZE countColumn) {
    PlaceCount(hwnd_, RowMetrics(), node, countColumn, rows_[node]);
    for (CMyObject* child = node.firstChild; child; child = child->nextSibling) RelayoutCounts(*child, countColumn);
}

bool CMyTreeCtrl::OnTreeThread(const std::function<void()>& work) const {
    bool ran = false;
    if (channel_) {
        channel_->Send([this, &work, &ran] {
            if (!hwnd_) return;
            work();
            ran = true;
        });
    }
    return ran;
}

void CMyTreeCtrl::Fill(const Catalogue& catalogue) {
    catalogue_ = &catalogue;
    if (!hwnd_) return;
    TreeView_DeleteAllItems(hwnd_);
    rows_.Clear();
    for (CMyObject* category = catalogue.Head(); category; category = category->next)
        InsertSubtree(category, TVI_ROOT);
}

void CMyTreeCtrl::InsertSubtree(CMyObject* node, HTREEITEM parentRow) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = parentRow;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = node->displayName.data();
    ins.item.iImage = ins.item.iSelectedImage = static_cast<int>(node->icon);
    ins.item.lParam = reinterpret_cast<LPARAM>(node);
    ins.item.stateMask = TVIS_STATEIMAGEMASK;
    ins.item.state = INDEXTOSTATEIMAGEMASK(Unchecked);
    HTREEITEM row = TreeView_InsertItem(hwnd_, &ins);
    if (!row) return;
    rows_[*node].item = row;
    for (CMyObject* child = node->firstChild; child; child = child->nextSibling) InsertSubtree(child, row);
}

void CMyTreeCtrl::ApplyItemSet(const std::vector<int>& ids) {
    if (!catalogue_ || !hwnd_) return;
    for (int id : ids) {
        if (id <= 0) continue;
        CMyObject* node = catalogue_->Find(static_cast<UINT>(id));
        if (HTREEITEM row = node ? RowOf(*node) : nullptr) SetCheck(hwnd_, row, Checked, true);
    }
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyTreeCtrl::ApplyRuleNames(const std::vector<std::wstring>& names) {
    if (!catalogue_ || !hwnd_ || names.empty()) return;
    catalogue_->ForEach([&](CMyObject* node) {
        const rules::RuleEntry* entry = rules::RuleOf(*node);
        if (!entry) return;
        for (const std::wstring& name : names) {
            if (::CompareStringOrdinal(name.c_str(), -1, entry->name.c_str(), -1, TRUE) != CSTR_EQUAL) continue;
            if (HTREEITEM row = RowOf(*node)) SetCheck(hwnd_, row, Checked, true);
            break;
        }
    });
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

std::vector<HTREEITEM> CMyTreeCtrl::CategoryRows() const {
    std::vector<HTREEITEM> rows;
    if (!catalogue_ || !hwnd_) return rows;
    for (CMyObject* category = catalogue_->Head(); category; category = category->next)
        if (HTREEITEM row = RowOf(*category)) rows.push_back(row);
    return rows;
}

void CMyTreeCtrl::CheckAll() {
    TickRowsWarned(hwnd_, CategoryRows(), confirmWarning);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyTreeCtrl::UncheckAll() {
    for (HTREEITEM row : CategoryRows()) SetCheck(hwnd_, row, Unchecked, true);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

CheckState CMyTreeCtrl::GetCheck(const CMyObject& node) const {
    HTREEITEM row = RowOf(node);
    if (!hwnd_ || !row) return NoCheckBox;
    return scw::GetCheck(hwnd_, row);
}

SIZE CMyTreeCtrl::MeasureCountColumn() const {
    SIZE size{};
    OnTreeThread([this, &size] { size = MeasureCountText(hwnd_); });
    return size;
}

void CMyTreeCtrl::ResetSubtree(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked) {
    node.scanState = ScanIdle;
    node.traceCount = 0;
    PlaceCount(hwnd_, RowMetrics(), node, countColumn, rows_[node]);
    if (node.level == LevelItem && GetCheck(node) == Checked) checked.push_back(&node);
    for (CMyObject* child = node.firstChild; child; child = child->nextSibling)
        ResetSubtree(*child, countColumn, checked);
}

void CMyTreeCtrl::ResetNodeView(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked) {
    const bool shown = OnTreeThread([&] {
        ResetSubtree(node, countColumn, checked);
        CMyObject* animated = animation_.Item();
        if (animated && animated->scanState.load() != ScanRunning) animation_.Stop(animated);
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    });
    if (shown) return;
    // No window: the counts still go back to 0, and nothing is ticked.
    ClearCounts(node);
}

std::vector<CMyObject*> CMyTreeCtrl::ResetAllNodes(SIZE countColumn) {
    std::vector<CMyObject*> checked;
    if (!catalogue_) return checked;
    for (CMyObject* category = catalogue_->Head(); category; category = category->next)
        ResetNodeView(*category, countColumn, checked);
    return checked;
}

void CMyTreeCtrl::MarkScanning(CMyObject& item) {
    OnTreeThread([this, &item] { animation_.Start(&item); });
}

void CMyTreeCtrl::MarkScanned(CMyObject& item) {
    OnTreeThread([this, &item] { animation_.Stop(&item); });
}

void CMyTreeCtrl::PaintRows(HDC dc, const RECT& area) { painter_.PaintRows(hwnd_, dc, area, rows_, {animation_.Item(), animation_.Frame()}); }

void CMyTreeCtrl::OnDpiChanged() {
    // Sent after the layout gave the tree its place and its font for the new DPI.
    FitToDpi();
}

bool CMyTreeCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (ToggleCheckByKey(hwnd_, message, wParam, toggle_)) {
        result = 0;
        return true;
    }
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { PaintRows(dc, ClientRect(hwnd_)); });
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press on a check box is ours alone: the tree view must not toggle the state again.
        if (ToggleCheckAt(hwnd_, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, toggle_)) {
            ::SetFocus(hwnd_);
            ::InvalidateRect(hwnd_, nullptr, FALSE);
            result = 0;
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam != kAnimationTimer) return false;
        animation_.Tick();
        result = 0;
        return true;
    case WM_DESTROY:
        TreeLayoutImages::Release(hwnd_);
        return false;
    case WM_NCDESTROY:
        animation_.Forget();
        return false;
    default:
        return false;
    }
}

}  // namespace scw
