#include "junk/page/CheckBoxImages.h"

#include <commctrl.h>

#include <algorithm>

namespace scw {

namespace {
constexpr int kBox = 13;
constexpr COLORREF kFrame = RGB(174, 174, 174);
constexpr COLORREF kTick = RGB(19, 19, 19);

void DrawBox(HDC dc, const RECT& box, bool ticked, Dpi dpi) {
    UniquePen frame(::CreatePen(PS_INSIDEFRAME, dpi.Scale(1), kFrame));
    {
        SelectScope pen(dc, frame.Get());
        SelectScope brush(dc, ::GetStockObject(WHITE_BRUSH));
        ::RoundRect(dc, box.left, box.top, box.right, box.bottom, dpi.Scale(4), dpi.Scale(4));
    }
    if (!ticked) return;
    // The tick on a 13-unit grid of the box.
    const int size = box.right - box.left;
    auto at = [&](int x, int y) { return POINT{box.left + ::MulDiv(size, x, kBox), box.top + ::MulDiv(size, y, kBox)}; };
    const POINT tick[] = {at(3, 6), at(5, 9), at(10, 4)};
    LOGBRUSH ink{BS_SOLID, kTick, 0};
    UniquePen line(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                  static_cast<DWORD>(dpi.Scale(2)), &ink, 0, nullptr));
    SelectScope pen(dc, line.Get());
    ::Polyline(dc, tick, 3);
}
}  // namespace

UniqueImageList MakeCheckBoxImages(SIZE cell96, Dpi dpi) {
    const SIZE size = dpi.Scale(cell96);
    UniqueImageList list(::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 2, 0));
    if (!list) return list;
    WindowDc screen(nullptr);
    UniqueMemDc dc(::CreateCompatibleDC(screen.Get()));
    // The box keeps its margin inside the cell, scaled like the cell.
    const int left = dpi.Scale(std::max<int>(0, cell96.cx - kBox) / 2);
    const int top = dpi.Scale(std::max<int>(0, cell96.cy - kBox) / 2);
    const RECT box{left, top, left + dpi.Scale(std::min<int>(kBox, cell96.cx)),
                   top + dpi.Scale(std::min<int>(kBox, cell96.cy))};
    for (bool ticked : {false, true}) {
        UniqueBitmap image(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
        UniqueBitmap mask(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
        if (!image || !mask) return UniqueImageList();
        const RECT cell{0, 0, size.cx, size.cy};
        {
            // Mask: white (clear) around the box, black (drawn) over it.
            SelectScope select(dc.Get(), mask.Get());
            ::FillRect(dc.Get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::FillRect(dc.Get(), &box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
        {
            SelectScope select(dc.Get(), image.Get());
            ::FillRect(dc.Get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            DrawBox(dc.Get(), box, ticked, dpi);
        }
        ::ImageList_Add(list.Get(), image.Get(), mask.Get());
    }
    return list;
}

}  // namespace scw
