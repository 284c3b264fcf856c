#include "junk/page/CheckBoxImages.h"

#include <commctrl.h>

#include <algorithm>

namespace scw {

namespace {
constexpr int kBox = 13;
}

UniqueImageList MakeCheckBoxImages(SIZE cell96, Dpi dpi) {
    const SIZE size = dpi.Scale(cell96);
    UniqueImageList list(::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 2, 0));
    if (!list) return list;
    WindowDc screen(nullptr);
    UniqueMemDc dc(::CreateCompatibleDC(screen.Get()));
    // The box keeps its margin inside the cell, scaled like the cell.
    const int insetX = dpi.Scale(std::max<int>(0, cell96.cx - kBox) / 2);
    const int insetY = dpi.Scale(std::max<int>(0, cell96.cy - kBox) / 2);
    for (UINT state : {0u, static_cast<UINT>(DFCS_CHECKED)}) {
        UniqueBitmap image(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
        UniqueBitmap mask(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
        if (!image || !mask) return UniqueImageList();
        RECT cell{0, 0, size.cx, size.cy};
        RECT box{insetX, insetY, insetX + dpi.Scale(std::min<int>(kBox, cell96.cx)),
                 insetY + dpi.Scale(std::min<int>(kBox, cell96.cy))};
        {
            // Mask: white (clear) around the box, black (drawn) over it.
            SelectScope select(dc.Get(), mask.Get());
            ::FillRect(dc.Get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::FillRect(dc.Get(), &box, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
        {
            SelectScope select(dc.Get(), image.Get());
            ::FillRect(dc.Get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::DrawFrameControl(dc.Get(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | state);
        }
        ::ImageList_Add(list.Get(), image.Get(), mask.Get());
    }
    return list;
}

}  // namespace scw
