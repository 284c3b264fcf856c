#include "controls/SkinDraw.h"

#include "framework/App.h"

namespace scw {

UniqueBitmap LoadSkinBitmap(UINT id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// Placeholder until the art comes at several scales: the 96-DPI picture stretched.
UniqueBitmap LoadSkinBitmap(UINT id, Dpi dpi) {
    UniqueBitmap base = LoadSkinBitmap(id);
    if (!base || dpi == Dpi()) return base;
    const SIZE size = BitmapSize(base.Get());
    WindowDc screen(nullptr);
    UniqueBitmap scaled(::CreateCompatibleBitmap(screen.Get(), dpi.Scale(size.cx), dpi.Scale(size.cy)));
    UniqueMemDc from(::CreateCompatibleDC(screen.Get())), to(::CreateCompatibleDC(screen.Get()));
    SelectScope a(from.Get(), base.Get()), b(to.Get(), scaled.Get());
    ::SetStretchBltMode(to.Get(), COLORONCOLOR);
    ::StretchBlt(to.Get(), 0, 0, dpi.Scale(size.cx), dpi.Scale(size.cy), from.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    return scaled;
}

UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key, Dpi dpi) {
    UniqueImageList list(::ImageList_Create(dpi.Scale(width), dpi.Scale(height), ILC_COLOR24 | ILC_MASK, count, 0));
    UniqueBitmap strip = LoadSkinBitmap(id, dpi);
    if (list && strip) ::ImageList_AddMasked(list.Get(), strip.Get(), key);
    return list;
}

UniqueBitmap LoadSkinBitmapFile(const std::wstring& path) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key) {
    UniqueImageList list(::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0));
    UniqueBitmap strip = LoadSkinBitmap(id);
    if (list && strip) ::ImageList_AddMasked(list.Get(), strip.Get(), key);
    return list;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap) return;
    UniqueMemDc source(::CreateCompatibleDC(dc));
    SelectScope select(source.Get(), bitmap);
    ::BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

void DrawBitmapPartKeyed(HDC dc, HBITMAP bitmap, int x, int y, const RECT& part, COLORREF key) {
    if (!bitmap) return;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (width <= 0 || height <= 0) return;
    UniqueMemDc source(::CreateCompatibleDC(dc));
    SelectScope select(source.Get(), bitmap);
    ::TransparentBlt(dc, x, y, width, height, source.Get(), part.left, part.top, width, height, key);
}

void DrawBitmapKeyed(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key) {
    const SIZE size = BitmapSize(bitmap);
    DrawBitmapPartKeyed(dc, bitmap, x, y, RECT{0, 0, size.cx, size.cy}, key);
}

void CopyParentBackground(HWND child, HDC dc) {
    HWND parent = ::GetParent(child);
    RECT rc{};
    ::GetClientRect(child, &rc);
    if (!parent) {
        ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    POINT origin{0, 0};
    ::MapWindowPoints(child, parent, &origin, 1);
    if (WindowDc parentDc(parent); parentDc)
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, parentDc.Get(), origin.x, origin.y, SRCCOPY);
    // A parent that draws on request gives the exact background, without our own old pixels.
    POINT old{};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    const int saved = ::SaveDC(dc);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::RestoreDC(dc, saved);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

bool TrackHoverAndLeave(HWND window) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window, 1};
    return ::TrackMouseEvent(&track) != FALSE;
}

}  // namespace scw
