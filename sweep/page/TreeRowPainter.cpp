#include "sweep/page/TreeRowPainter.h"

#include <string>

#include "controls/SkinDraw.h"
#include "res/resource.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLineColour = RGB(160, 160, 160);
constexpr int kIconCount = 39;
using L = TreeRowLayout;

CMyObject* NodeOf(HWND tree, HTREEITEM row, UINT* state) {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_STATE | TVIF_HANDLE;
    item.hItem = row;
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_SELECTED | TVIS_EXPANDED;
    if (!TreeView_GetItem(tree, &item)) return nullptr;
    *state = item.state;
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

// Draws image `index` of the list centred vertically in the row, `size` pixels square.
void DrawCentred(HIMAGELIST list, int index, HDC dc, int x, const RECT& row, int size) {
    if (list) ::ImageList_Draw(list, index, dc, x, row.top + (row.bottom - row.top - size) / 2, ILD_TRANSPARENT);
}
}  // namespace

TreeRowMetrics::TreeRowMetrics(Dpi dpi)
    : iconSize(dpi.Scale(L::kIconSize)), boxWidth(dpi.Scale(L::kBoxWidth)), iconBox(dpi.Scale(L::kIconBox)),
      checkBox(iconBox + boxWidth), expandBox(checkBox + boxWidth), checkSize(dpi.Scale(L::kCheckSize)),
      expandSize(dpi.Scale(L::kExpandSize)), statusSquare(dpi.Scale(L::kStatusSquare)),
      statusGap(dpi.Scale(L::kStatusGap)), minRowHeight(dpi.Scale(L::kIconSize + 2)), selectionPad(dpi.Scale(4)),
      textInset(dpi.Scale(2)) {}

void TreeRowPainter::LoadImages(Dpi dpi) {
    metrics_ = TreeRowMetrics(dpi);
    icons_ = LoadSkinImageStrip(IDB_TREE_ICONS, L::kIconSize, L::kIconSize, kIconCount, kSkinKeyColor, dpi);
    checks_ = LoadSkinImageStrip(IDB_TREE_CHECKS, L::kCheckSize, L::kCheckSize, 4, kWhite, dpi);
    expand_ = LoadSkinImageStrip(IDB_TREE_EXPAND, L::kExpandSize, L::kExpandSize, 2, kWhite, dpi);
    frames_ = LoadSkinImageStrip(IDB_TREE_SCANANIM, L::kStatusSquare, L::kStatusSquare, L::kAnimationFrames,
                                 kSkinKeyColor, dpi);
    done_ = LoadSkinImageStrip(IDB_TREE_DONE, L::kStatusSquare, L::kStatusSquare, 1, kSkinKeyColor, dpi);
}

bool TreeRowPainter::GetRowGeometry(HWND tree, HTREEITEM row, RowGeometry& geometry) {
    RECT text{};
    if (!TreeView_GetItemRect(tree, row, &geometry.row, FALSE)) return false;
    if (!TreeView_GetItemRect(tree, row, &text, TRUE)) return false;
    geometry.textLeft = text.left;
    return true;
}

void TreeRowPainter::PaintRows(HWND tree, HDC dc, const RECT& area, const NodeRows& rows, Animation animation) const {
    if (!tree) return;
    UniqueBrush white(::CreateSolidBrush(kWhite));
    ::FillRect(dc, &area, white.Get());
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(tree, WM_GETFONT, 0, 0));
    SelectScope selectFont(dc, font);
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT client = ClientRect(tree);
    for (HTREEITEM row = TreeView_GetFirstVisible(tree); row; row = TreeView_GetNextVisible(tree, row)) {
        RowGeometry geometry;
        if (!GetRowGeometry(tree, row, geometry)) break;
        if (geometry.row.top >= client.bottom) break;
        RECT overlap{};
        if (::IntersectRect(&overlap, &geometry.row, &area)) PaintRow(tree, dc, row, geometry, rows, animation);
    }
    ::SetBkMode(dc, oldMode);
}

void TreeRowPainter::PaintRow(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& g, const NodeRows& rows,
                              Animation animation) const {
    UINT state = 0;
    CMyObject* node = NodeOf(tree, row, &state);
    if (!node) return;
    const TreeRowMetrics& m = metrics_;
    if (::GetWindowLongW(tree, GWL_STYLE) & TVS_HASLINES) PaintLines(tree, dc, row, g);
    if (TreeView_GetChild(tree, row)) {
        DrawCentred(expand_.Get(), (state & TVIS_EXPANDED) ? 1 : 0, dc,
                    g.textLeft - m.expandBox + (m.boxWidth - m.expandSize) / 2, g.row, m.expandSize);
    }
    const int check = static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
    if (check >= 1 && check <= 3) {
        DrawCentred(checks_.Get(), check, dc, g.textLeft - m.checkBox + (m.boxWidth - m.checkSize) / 2, g.row,
                    m.checkSize);
    }
    if (node->icon < static_cast<UINT>(kIconCount)) {
        DrawCentred(icons_.Get(), static_cast<int>(node->icon), dc,
                    g.textLeft - m.iconBox + (m.iconBox - m.iconSize) / 2, g.row, m.iconSize);
    }
    PaintName(tree, dc, *node, state, g);
    PaintCount(dc, *node, rows.Of(*node), g, animation);
}

void TreeRowPainter::PaintName(HWND tree, HDC dc, const CMyObject& node, UINT state,
                               const RowGeometry& g) const {
    RECT text{g.textLeft, g.row.top, g.textLeft, g.row.bottom};
    ::DrawTextW(dc, node.displayName.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    text.right += metrics_.selectionPad;
    text.top = g.row.top;
    text.bottom = g.row.bottom;
    COLORREF textColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (state & TVIS_SELECTED) {
        const bool focused = ::GetFocus() == tree;
        ::FillRect(dc, &text, ::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        if (focused) textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    COLORREF oldColour = ::SetTextColor(dc, textColour);
    RECT inner{text.left + metrics_.textInset, text.top, text.right, text.bottom};
    ::DrawTextW(dc, node.displayName.c_str(), -1, &inner, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
    ::SetTextColor(dc, oldColour);
}

void TreeRowPainter::PaintLines(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& g) const {
    const int top = g.row.top;
    const int bottom = g.row.bottom;
    const int middle = top + (bottom - top) / 2;
    const int x = g.textLeft - metrics_.expandBox + metrics_.boxWidth / 2;
    DottedHorizontal(dc, x, g.textLeft - metrics_.checkBox, middle);
    HTREEITEM parent = TreeView_GetParent(tree, row);
    if (parent || TreeView_GetPrevSibling(tree, row)) DottedVertical(dc, x, top, middle);
    if (TreeView_GetNextSibling(tree, row)) DottedVertical(dc, x, middle, bottom);
    const int indent = static_cast<int>(TreeView_GetIndent(tree));
    int ancestorX = x;
    for (HTREEITEM a = parent; a; a = TreeView_GetParent(tree, a)) {
        ancestorX -= indent;
        if (TreeView_GetNextSibling(tree, a)) DottedVertical(dc, ancestorX, top, bottom);
    }
}

void TreeRowPainter::PaintCount(HDC dc, const CMyObject& node, const NodeRow& places, const RowGeometry& g,
                                Animation animation) const {
    const int scanState = node.scanState.load();
    if (scanState == ScanIdle) return;
    const RECT& count = places.countRect;
    if (count.right > count.left) {
        RECT rc{count.left, g.row.top, count.right, g.row.bottom};
        std::wstring text = std::to_wstring(node.traceCount.load());
        COLORREF old = ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::DrawTextW(dc, text.c_str(), -1, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX);
        ::SetTextColor(dc, old);
    }
    const RECT& square = places.stateRect;
    if (square.right <= square.left) return;
    if (scanState == ScanRunning) {
        DrawCentred(frames_.Get(), animation.item == &node ? animation.frame : 0, dc, square.left, g.row, metrics_.statusSquare);
    } else if (scanState == ScanDone) {
        DrawCentred(done_.Get(), 0, dc, square.left, g.row, metrics_.statusSquare);
    }
}

}  // namespace scw
