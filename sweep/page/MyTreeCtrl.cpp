#include "sweep/page/MyTreeCtrl.h"

#include <windowsx.h>

#include <string>

#include "controls/MemDC.h"
#include "engine/ScanRun.h"
#include "framework/App.h"
#include "res/resource.h"

namespace scw {

namespace {
// Private messages through which other threads hand work to the tree's own thread.
constexpr UINT kMsgScanning = WM_APP + 0x310;
constexpr UINT kMsgScanned = WM_APP + 0x311;
constexpr UINT kMsgReset = WM_APP + 0x312;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLineColour = RGB(160, 160, 160);
constexpr int kIconCount = 37;
constexpr int kCheckSize = 13;
constexpr int kExpandSize = 9;
constexpr int kIconSize = 16;
// Boxes left of a row's text: expand button 52..36, check box 36..20, icon 20..0 pixels.
constexpr int kExpandBox = 52;
constexpr int kCheckBox = 36;
constexpr int kIconBox = 20;
constexpr int kBoxWidth = 16;

struct ResetArgs {
    CMyObject* node;
    SIZE countColumn;
    std::vector<CMyObject*>* checked;
};

HIMAGELIST LoadStrip(UINT bitmapId, int width, int height, int count, COLORREF transparent) {
    HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list) return nullptr;
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) ::ImageList_AddMasked(list, bitmap.Get(), transparent);
    return list;
}

HIMAGELIST BlankList(int width, int count) {
    HIMAGELIST list = ::ImageList_Create(width, kIconSize, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list) return nullptr;
    HDC screen = ::GetDC(nullptr);
    UniqueBitmap blank(::CreateCompatibleBitmap(screen, width * count, kIconSize));
    ::ReleaseDC(nullptr, screen);
    if (!blank) return list;
    {
        UniqueMemDc dc(::CreateCompatibleDC(nullptr));
        SelectScope select(dc.Get(), blank.Get());
        RECT all{0, 0, width * count, kIconSize};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ::ImageList_AddMasked(list, blank.Get(), kWhite);
    return list;
}

void DestroyList(HIMAGELIST& list) {
    if (list) ::ImageList_Destroy(list);
    list = nullptr;
}

CMyObject* NodeOf(HWND tree, HTREEITEM row, UINT* state = nullptr) {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_STATE | TVIF_HANDLE;
    item.hItem = row;
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_SELECTED | TVIS_EXPANDED;
    if (!TreeView_GetItem(tree, &item)) return nullptr;
    if (state) *state = item.state;
    return reinterpret_cast<CMyObject*>(item.lParam);
}

// Dotted lines in the tree's manner; the dot phase follows the client coordinates so the
// pieces of neighbouring rows join up.
void DottedHorizontal(HDC dc, int x1, int x2, int y) {
    for (int x = x1; x < x2; ++x)
        if (((x + y) & 1) == 0) ::SetPixelV(dc, x, y, kLineColour);
}
void DottedVertical(HDC dc, int x, int y1, int y2) {
    for (int y = y1; y < y2; ++y)
        if (((x + y) & 1) == 0) ::SetPixelV(dc, x, y, kLineColour);
}
}  // namespace

CMyTreeCtrl::~CMyTreeCtrl() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    DestroyList(icons_);
    DestroyList(checks_);
    DestroyList(layoutStates_);
    DestroyList(layoutIcons_);
    DestroyList(expand_);
    DestroyList(frames_);
    DestroyList(done_);
}

bool CMyTreeCtrl::Create(HWND parent, const RECT& rect, int id) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_FULLROWSELECT | TVS_SHOWSELALWAYS;
    hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (!hwnd_) return false;
    // Added after creation, so the tree view prepares its check-box state images.
    ::SetWindowLongW(hwnd_, GWL_STYLE, ::GetWindowLongW(hwnd_, GWL_STYLE) | TVS_CHECKBOXES);
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)))
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    TreeView_SetBkColor(hwnd_, kWhite);
    LoadImages();
    // Room for a pixel above and below the 16-pixel icons and status squares.
    if (TreeView_GetItemHeight(hwnd_) < kIconSize + 2) TreeView_SetItemHeight(hwnd_, kIconSize + 2);
    ::SetWindowSubclass(hwnd_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void CMyTreeCtrl::LoadImages() {
    icons_ = LoadStrip(IDB_TREE_ICONS, kIconSize, kIconSize, kIconCount, kMagenta);
    checks_ = LoadStrip(IDB_TREE_CHECKS, kCheckSize, kCheckSize, 4, kWhite);
    expand_ = LoadStrip(IDB_TREE_EXPAND, kExpandSize, kExpandSize, 2, kWhite);
    frames_ = LoadStrip(IDB_TREE_SCANANIM, kStatusSquare, kStatusSquare, kAnimationFrames, kMagenta);
    done_ = LoadStrip(IDB_TREE_DONE, kStatusSquare, kStatusSquare, 1, kMagenta);
    // The tree view lays its rows out (and hit-tests them) from the sizes of its image lists.
    // Blank lists of the box widths put its check-box and icon areas exactly where we draw.
    layoutStates_ = BlankList(kBoxWidth, 4);
    layoutIcons_ = BlankList(kIconBox, 1);
    TreeView_SetImageList(hwnd_, layoutIcons_, TVSIL_NORMAL);
    // The list the tree view made for its check boxes is handed back to us to free.
    if (HIMAGELIST own = TreeView_SetImageList(hwnd_, layoutStates_, TVSIL_STATE)) ::ImageList_Destroy(own);
}

void CMyTreeCtrl::Fill(const Catalogue& catalogue) {
    catalogue_ = &catalogue;
    if (!hwnd_) return;
    TreeView_DeleteAllItems(hwnd_);
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
    node->treeItem = row;
    node->draw.indent = static_cast<int>(TreeView_GetIndent(hwnd_));
    if (!row) return;
    for (CMyObject* child = node->firstChild; child; child = child->nextSibling) InsertSubtree(child, row);
}

void CMyTreeCtrl::ApplyItemSet(const std::vector<int>& ids) {
    if (!catalogue_ || !hwnd_) return;
    for (int id : ids) {
        if (id <= 0) continue;
        CMyObject* node = catalogue_->Find(static_cast<UINT>(id));
        if (node && node->treeItem) SetCheck(hwnd_, node->treeItem, Checked, true);
    }
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyTreeCtrl::ForEachCategoryRow(CheckState state) {
    if (!catalogue_ || !hwnd_) return;
    for (CMyObject* category = catalogue_->Head(); category; category = category->next)
        if (category->treeItem) SetCheck(hwnd_, category->treeItem, state, true);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyTreeCtrl::CheckAll() { ForEachCategoryRow(Checked); }
void CMyTreeCtrl::UncheckAll() { ForEachCategoryRow(Unchecked); }

CheckState CMyTreeCtrl::GetCheck(const CMyObject& node) const {
    if (!hwnd_ || !node.treeItem) return NoCheckBox;
    return scw::GetCheck(hwnd_, node.treeItem);
}

SIZE CMyTreeCtrl::MeasureCountColumn() const {
    SIZE size{};
    if (!hwnd_) return size;
    HDC dc = ::GetDC(hwnd_);
    if (!dc) return size;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    ::GetTextExtentPoint32W(dc, L"67890", 5, &size);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    return size;
}

int CMyTreeCtrl::ClientWidthWithScrollBar() const {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    int width = client.right - client.left;
    // Counts stay put whether or not a scroll bar comes and goes.
    if (!(::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VSCROLL)) width -= ::GetSystemMetrics(SM_CXVSCROLL);
    return width;
}

void CMyTreeCtrl::LayoutNode(CMyObject& node, SIZE countColumn) {
    const int width = ClientWidthWithScrollBar();
    const int indent = hwnd_ ? static_cast<int>(TreeView_GetIndent(hwnd_)) : 0;
    const int steps = node.level >= LevelItem ? 0 : static_cast<int>(LevelItem - node.level);
    const int right = width - (kStatusSquare + kStatusGap) - steps * indent;
    node.draw.indent = indent;
    node.draw.countColumn = countColumn.cx;
    node.draw.countRect = RECT{right - countColumn.cx, 0, right, 0};
    node.draw.stateRect = node.level == LevelItem ? RECT{width - kStatusSquare, 0, width, 0} : RECT{};
}

void CMyTreeCtrl::ResetSubtree(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked) {
    node.scanState = ScanIdle;
    node.traceCount = 0;
    LayoutNode(node, countColumn);
    if (node.level == LevelItem && GetCheck(node) == Checked) checked.push_back(&node);
    for (CMyObject* child = node.firstChild; child; child = child->nextSibling)
        ResetSubtree(*child, countColumn, checked);
}

void CMyTreeCtrl::ResetNodeView(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked) {
    ResetArgs args{&node, countColumn, &checked};
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SendMessageW(hwnd_, kMsgReset, 0, reinterpret_cast<LPARAM>(&args));
        return;
    }
    // No window: the counts still go back to 0, and nothing is ticked.
    std::vector<CMyObject*> ignored;
    ResetSubtree(node, countColumn, ignored);
}

std::vector<CMyObject*> CMyTreeCtrl::ResetAllNodes(SIZE countColumn) {
    std::vector<CMyObject*> checked;
    if (!catalogue_) return checked;
    for (CMyObject* category = catalogue_->Head(); category; category = category->next)
        ResetNodeView(*category, countColumn, checked);
    return checked;
}

void CMyTreeCtrl::MarkScanning(CMyObject& item) {
    SetScanState(item, ScanRunning);
    if (hwnd_) ::SendMessageW(hwnd_, kMsgScanning, 0, reinterpret_cast<LPARAM>(&item));
}

void CMyTreeCtrl::MarkScanned(CMyObject& item) {
    SetScanState(item, ScanDone);
    if (hwnd_) ::SendMessageW(hwnd_, kMsgScanned, 0, reinterpret_cast<LPARAM>(&item));
}

void CMyTreeCtrl::OnScanning(CMyObject* item) {
    animated_ = item;
    frame_ = 0;
    ::SetTimer(hwnd_, kAnimationTimer, kAnimationMs, nullptr);
    InvalidateRowOf(item, false);
}

void CMyTreeCtrl::OnScanned(CMyObject* item) {
    ::KillTimer(hwnd_, kAnimationTimer);
    animated_ = nullptr;
    InvalidateRowOf(item, false);
}

void CMyTreeCtrl::OnAnimationTick() {
    if (!animated_) {
        ::KillTimer(hwnd_, kAnimationTimer);
        return;
    }
    frame_ = (frame_ + 1) % kAnimationFrames;
    InvalidateRowOf(animated_, true);
}

// The row of the node and the rows of its program and category, whose counts change with it.
void CMyTreeCtrl::InvalidateRowOf(const CMyObject* node, bool /*countOnly*/) {
    for (const CMyObject* n = node; n; n = n->parent) {
        if (!n->treeItem) continue;
        RECT rc{};
        if (TreeView_GetItemRect(hwnd_, n->treeItem, &rc, FALSE)) ::InvalidateRect(hwnd_, &rc, FALSE);
    }
}

bool CMyTreeCtrl::GetRowGeometry(HTREEITEM row, RowGeometry& geometry) const {
    RECT text{};
    if (!TreeView_GetItemRect(hwnd_, row, &geometry.row, FALSE)) return false;
    if (!TreeView_GetItemRect(hwnd_, row, &text, TRUE)) return false;
    geometry.textLeft = text.left;
    return true;
}

void CMyTreeCtrl::PaintRows(HDC dc, const RECT& area) {
    if (!hwnd_) return;
    UniqueBrush white(::CreateSolidBrush(kWhite));
    ::FillRect(dc, &area, white.Get());
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    for (HTREEITEM row = TreeView_GetFirstVisible(hwnd_); row; row = TreeView_GetNextVisible(hwnd_, row)) {
        RowGeometry geometry;
        if (!GetRowGeometry(row, geometry)) break;
        if (geometry.row.top >= client.bottom) break;
        RECT overlap{};
        if (::IntersectRect(&overlap, &geometry.row, &area)) PaintRow(dc, row, geometry);
    }
    ::SetBkMode(dc, oldMode);
    if (oldFont) ::SelectObject(dc, oldFont);
}

void CMyTreeCtrl::PaintRow(HDC dc, HTREEITEM row, const RowGeometry& g) {
    UINT state = 0;
    CMyObject* node = NodeOf(hwnd_, row, &state);
    if (!node) return;
    const int top = g.row.top;
    const int height = g.row.bottom - g.row.top;
    if (::GetWindowLongW(hwnd_, GWL_STYLE) & TVS_HASLINES) PaintLines(dc, *node, row, g);

    if (TreeView_GetChild(hwnd_, row) && expand_) {
        int image = (state & TVIS_EXPANDED) ? 1 : 0;
        ::ImageList_Draw(expand_, image, dc, g.textLeft - kExpandBox + (kBoxWidth - kExpandSize) / 2,
                         top + (height - kExpandSize) / 2, ILD_TRANSPARENT);
    }
    int check = static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
    if (check >= static_cast<int>(Unchecked) && check <= static_cast<int>(Checked) && checks_) {
        ::ImageList_Draw(checks_, check, dc, g.textLeft - kCheckBox + (kBoxWidth - kCheckSize) / 2,
                         top + (height - kCheckSize) / 2, ILD_TRANSPARENT);
    }
    if (icons_ && node->icon < static_cast<UINT>(kIconCount)) {
        ::ImageList_Draw(icons_, static_cast<int>(node->icon), dc, g.textLeft - kIconBox + (kIconBox - kIconSize) / 2,
                         top + (height - kIconSize) / 2, ILD_TRANSPARENT);
    }

    RECT text{g.textLeft, top, g.textLeft, g.row.bottom};
    ::DrawTextW(dc, node->displayName.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    text.right += 4;
    text.top = top;
    text.bottom = g.row.bottom;
    COLORREF textColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (state & TVIS_SELECTED) {
        bool focused = ::GetFocus() == hwnd_;
        ::FillRect(dc, &text, ::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        if (focused) textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    COLORREF oldColour = ::SetTextColor(dc, textColour);
    RECT inner{text.left + 2, text.top, text.right, text.bottom};
    ::DrawTextW(dc, node->displayName.c_str(), -1, &inner, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
    ::SetTextColor(dc, oldColour);
    PaintCount(dc, *node, g);
}

void CMyTreeCtrl::PaintLines(HDC dc, const CMyObject& /*node*/, HTREEITEM row, const RowGeometry& g) {
    const int top = g.row.top;
    const int bottom = g.row.bottom;
    const int middle = top + (bottom - top) / 2;
    const int x = g.textLeft - kExpandBox + kBoxWidth / 2;
    DottedHorizontal(dc, x, g.textLeft - kCheckBox, middle);
    HTREEITEM parent = TreeView_GetParent(hwnd_, row);
    if (parent || TreeView_GetPrevSibling(hwnd_, row)) DottedVertical(dc, x, top, middle);
    if (TreeView_GetNextSibling(hwnd_, row)) DottedVertical(dc, x, middle, bottom);
    const int indent = static_cast<int>(TreeView_GetIndent(hwnd_));
    int ancestorX = x;
    for (HTREEITEM a = parent; a; a = TreeView_GetParent(hwnd_, a)) {
        ancestorX -= indent;
        if (TreeView_GetNextSibling(hwnd_, a)) DottedVertical(dc, ancestorX, top, bottom);
    }
}

void CMyTreeCtrl::PaintCount(HDC dc, const CMyObject& node, const RowGeometry& g) {
    const int scanState = node.scanState.load();
    if (scanState == ScanIdle) return;
    const RECT& count = node.draw.countRect;
    if (count.right > count.left) {
        RECT rc{count.left, g.row.top, count.right, g.row.bottom};
        std::wstring text = std::to_wstring(node.traceCount.load());
        COLORREF old = ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::DrawTextW(dc, text.c_str(), -1, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX);
        ::SetTextColor(dc, old);
    }
    const RECT& square = node.draw.stateRect;
    if (square.right <= square.left) return;
    const int y = g.row.top + (g.row.bottom - g.row.top - kStatusSquare) / 2;
    if (scanState == ScanRunning && frames_) {
        ::ImageList_Draw(frames_, animated_ == &node ? frame_ : 0, dc, square.left, y, ILD_TRANSPARENT);
    } else if (scanState == ScanDone && done_) {
        ::ImageList_Draw(done_, 0, dc, square.left, y, ILD_TRANSPARENT);
    }
}

LRESULT CALLBACK CMyTreeCtrl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<CMyTreeCtrl*>(data);
    if (message == WM_DESTROY) {
        // Our state list is ours to free; the tree view must not free it with itself.
        TreeView_SetImageList(hwnd, nullptr, TVSIL_STATE);
    }
    if (message == WM_NCDESTROY) {
        ::KillTimer(hwnd, kAnimationTimer);
        ::RemoveWindowSubclass(hwnd, SubclassProc, 1);
        self->hwnd_ = nullptr;
        self->animated_ = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CMyTreeCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        {
            CMemDC buffer(dc, hwnd_);
            RECT client{};
            ::GetClientRect(hwnd_, &client);
            PaintRows(buffer, client);
        }
        ::EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        PaintRows(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        // A press on a check box is ours alone: the tree view must not toggle the state again.
        if (ToggleCheckAt(hwnd_, pt)) {
            ::SetFocus(hwnd_);
            ::InvalidateRect(hwnd_, nullptr, FALSE);
            return 0;
        }
        break;
    }
    case WM_TIMER:
        if (wParam == kAnimationTimer) {
            OnAnimationTick();
            return 0;
        }
        break;
    case kMsgScanning:
        OnScanning(reinterpret_cast<CMyObject*>(lParam));
        return 0;
    case kMsgScanned:
        OnScanned(reinterpret_cast<CMyObject*>(lParam));
        return 0;
    case kMsgReset: {
        auto* args = reinterpret_cast<ResetArgs*>(lParam);
        ResetSubtree(*args->node, args->countColumn, *args->checked);
        if (animated_ && animated_->scanState.load() != ScanRunning) OnScanned(animated_);
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    }
    default:
        break;
    }
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

}  // namespace scw
