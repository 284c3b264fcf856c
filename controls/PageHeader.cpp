#include "controls/PageHeader.h"

#include "controls/SkinDraw.h"

namespace scw {

void PageHeader::Fit(HWND page) {
    const Dpi dpi = DpiOfWindow(page);
    if (bitmap_ && madeFor_ == dpi) return;
    bitmap_ = LoadSkinBitmap(bitmapId_, dpi);
    madeFor_ = dpi;
}

void PageHeader::Draw(HWND page, HDC dc) {
    Fit(page);
    const RECT box = madeFor_.Scale(kBox);
    DrawBitmap(dc, bitmap_.Get(), box.left, box.top, box.right - box.left, box.bottom - box.top);
}

void FrameAtDpi(HDC dc, const RECT& box, HBRUSH brush, Dpi dpi) {
    const int width = dpi.Scale(1);
    const RECT edges[] = {{box.left, box.top, box.right, box.top + width},
                          {box.left, box.bottom - width, box.right, box.bottom},
                          {box.left, box.top + width, box.left + width, box.bottom - width},
                          {box.right - width, box.top + width, box.right, box.bottom - width}};
    for (const RECT& edge : edges)
        if (edge.right > edge.left && edge.bottom > edge.top) ::FillRect(dc, &edge, brush);
}

}  // namespace scw
