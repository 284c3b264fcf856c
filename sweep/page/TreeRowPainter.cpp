#include "sweep/page/TreeRowPainter.h"

#include <string>

#include "controls/SkinDraw.h"
#include "res/resource.h"

namespace scw {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLineColour = RGB(160, 160, 160);
constexpr int kIconCount = 37;
constexpr int kCheckSize = 13;
constexpr int kExpandSize = 9;
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

void TreeRowPainter::LoadImages() {
    icons_ = LoadSkinImageStrip(IDB_TREE_ICONS, L::kIconSize, L::kIconSize, kIconCount, kSkinKeyColor);
    checks_ = LoadSkinImageStrip(IDB_TREE_CHECKS, kCheckSize, kCheckSize, 4, kWhite);
    expand_ = LoadSkinImageStrip(IDB_TREE_EXPAND, kExpandSize, kExpandSize, 2, kWhite);
    frames_ = LoadSkinImageStrip(IDB_TREE_SCANANIM, L::kStatusSquare, L::kStatusSquare, L::kAnimationFrames,
                                 kSkinKeyColor);
    done_ = LoadSkinImageStrip(IDB_TREE_DONE, L::kStatusSquare, L::kStatusSquare, 1, kSkinKeyColor);
}

bool TreeRowPainter::GetRowGeometry(HWND tree, HTREEITEM row, RowGeometry& geometry) {
    RECT text{};
    if (!TreeView_GetItemRect(tree, row, &geometry.row, FALSE)) return false;
    if (!TreeView_GetItemRect(tree, row, &text, TRUE)) return false;
    geometry.textLeft = text.left;
    return true;
}

void TreeRowPainter::PaintRows(HWND tree, HDC dc, const RECT& area, const CMyObject* animated, int frame) const {
    if (!tree) return;
    UniqueBrush white(::CreateSolidBrush(kWhite));
    ::FillRect(dc, &area, white.Get());
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(tree, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT client{};
    ::GetClientRect(tree, &client);
    for (HTREEITEM row = TreeView_GetFirstVisible(tree); row; row = TreeView_GetNextVisible(tree, row)) {
        RowGeometry geometry;
        if (!GetRowGeometry(tree, row, geometry)) break;
        if (geometry.row.top >= client.bottom) break;
        RECT overlap{};
        if (::IntersectRect(&overlap, &geometry.row, &area)) PaintRow(tree, dc, row, geometry, animated, frame);
    }
    ::SetBkMode(dc, oldMode);
    if (oldFont) ::SelectObject(dc, oldFont);
}

void TreeRowPainter::PaintRow(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& g, const CMyObject* animated,
                              int frame) const {
    UINT state = 0;
    CMyObject* node = NodeOf(tree, row, &state);
    if (!node) return;
    if (::GetWindowLongW(tree, GWL_STYLE) & TVS_HASLINES) PaintLines(tree, dc, row, g);
    if (TreeView_GetChild(tree, row)) {
        DrawCentred(expand_.Get(), (state & TVIS_EXPANDED) ? 1 : 0, dc,
                    g.textLeft - L::kExpandBox + (L::kBoxWidth - kExpandSize) / 2, g.row, kExpandSize);
    }
    const int check = static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
    if (check >= 1 && check <= 3) {
        DrawCentred(checks_.Get(), check, dc, g.textLeft - L::kCheckBox + (L::kBoxWidth - kCheckSize) / 2, g.row,
                    kCheckSize);
    }
    if (node->icon < static_cast<UINT>(kIconCount)) {
        DrawCentred(icons_.Get(), static_cast<int>(node->icon), dc,
                    g.textLeft - L::kIconBox + (L::kIconBox - L::kIconSize) / 2, g.row, L::kIconSize);
    }
    PaintName(tree, dc, *node, state, g);
    PaintCount(dc, *node, g, animated, frame);
}

void TreeRowPainter::PaintName(HWND tree, HDC dc, const CMyObject& node, UINT state, const RowGeometry& g) {
    RECT text{g.textLeft, g.row.top, g.textLeft, g.row.bottom};
    ::DrawTextW(dc, node.displayName.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    text.right += 4;
    text.top = g.row.top;
    text.bottom = g.row.bottom;
    COLORREF textColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (state & TVIS_SELECTED) {
        const bool focused = ::GetFocus() == tree;
        ::FillRect(dc, &text, ::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        if (focused) textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    COLORREF oldColour = ::SetTextColor(dc, textColour);
    RECT inner{text.left + 2, text.top, text.right, text.bottom};
    ::DrawTextW(dc, node.displayName.c_str(), -1, &inner, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
    ::SetTextColor(dc, oldColour);
}

void TreeRowPainter::PaintLines(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& g) {
    const int top = g.row.top;
    const int bottom = g.row.bottom;
    const int middle = top + (bottom - top) / 2;
    const int x = g.textLeft - L::kExpandBox + L::kBoxWidth / 2;
    DottedHorizontal(dc, x, g.textLeft - L::kCheckBox, middle);
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

void TreeRowPainter::PaintCount(HDC dc, const CMyObject& node, const RowGeometry& g, const CMyObject* animated,
                                int frame) const {
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
    if (scanState == ScanRunning) {
        DrawCentred(frames_.Get(), animated == &node ? frame : 0, dc, square.left, g.row, L::kStatusSquare);
    } else if (scanState == ScanDone) {
        DrawCentred(done_.Get(), 0, dc, square.left, g.row, L::kStatusSquare);
    }
}

}  // namespace scw
