#pragma once
// The header picture at the top left of a page (junk cleaner, shredder, settings), drawn at the
// page's DPI and remade when that changes.
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class PageHeader {
public:
    // Its place on the page at 96 DPI.
    static constexpr RECT kBox{10, 10, 10 + 161, 10 + 61};

    explicit PageHeader(UINT bitmapId) : bitmapId_(bitmapId) {}

    // Loads the picture for the page's DPI unless it has it already.
    void Fit(HWND page);
    // Fits, then draws the picture in its box.
    void Draw(HWND page, HDC dc);
    HBITMAP Bitmap() const { return bitmap_.Get(); }

private:
    UINT bitmapId_;
    UniqueBitmap bitmap_;
    Dpi madeFor_;
};

// A frame `Scale(1)` pixels wide inside `box`: one pixel at 96 DPI, as wide as the skin's lines elsewhere.
void FrameAtDpi(HDC dc, const RECT& box, HBRUSH brush, Dpi dpi);

}  // namespace scw
