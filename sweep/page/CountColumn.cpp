#include "sweep/page/CountColumn.h"

#include <commctrl.h>

#include "framework/ClientRect.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
// The client width as if the vertical scroll bar were shown: counts stay put whether or not a
// scroll bar comes and goes.
int ClientWidthWithScrollBar(HWND tree) {
    RECT client = ClientRect(tree);
    int width = client.right - client.left;
    if (!(::GetWindowLongW(tree, GWL_STYLE) & WS_VSCROLL))
        width -= SystemMetricForDpi(SM_CXVSCROLL, SystemDpiOfWindow(tree));
    return width;
}
}  // namespace

SIZE MeasureCountText(HWND tree) {
    SIZE size{};
    WindowDc dc(tree);
    if (!dc) return size;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(tree, WM_GETFONT, 0, 0));
    SelectScope select(dc.Get(), font);
    ::GetTextExtentPoint32W(dc.Get(), L"67890", 5, &size);
    return size;
}

void PlaceCount(HWND tree, const TreeRowMetrics& m, const CMyObject& node, SIZE countColumn, NodeRow& places) {
    const int width = ClientWidthWithScrollBar(tree);
    const int indent = tree ? static_cast<int>(TreeView_GetIndent(tree)) : 0;
    const int steps = node.level >= LevelItem ? 0 : static_cast<int>(LevelItem - node.level);
    const int right = width - (m.statusSquare + m.statusGap) - steps * indent;
    places.countRect = RECT{right - countColumn.cx, 0, right, 0};
    places.stateRect = node.level == LevelItem ? RECT{width - m.statusSquare, 0, width, 0} : RECT{};
}

}  // namespace scw
