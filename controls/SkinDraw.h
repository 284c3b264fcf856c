#pragma once
// Small drawing helpers shared by the skinned controls: loading skin bitmaps, copying them plain or
// with a key colour, and fetching what a parent shows behind a child.
#include <windows.h>

#include <string>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr COLORREF kSkinKeyColor = RGB(255, 0, 255);

// A bitmap resource of the program (AppInstance()) as drawn for 96 DPI; null when it does not exist.
UniqueBitmap LoadSkinBitmap(UINT id);
// The same picture for `dpi`, at the 96-DPI picture's size scaled: exactly LoadSkinBitmap(id) at
// 96 DPI; else the art drawn at 150 % (PNG resource id + 10000) or 200 % (id + 20000), whichever
// is the nearest at or above the DPI, reduced to size (enlarged above 200 %). A set that lacks the
// picture gives way to the next smaller one. Key-coloured parts stay exactly the key.
UniqueBitmap LoadSkinBitmap(UINT id, Dpi dpi);
inline constexpr UINT kSkinSet150Offset = 10000;
inline constexpr UINT kSkinSet200Offset = 20000;
// The resource id of a picture in the set drawn at `percent` (100, 150 or 200).
constexpr UINT SkinSetResourceId(UINT id, int percent) {
    return id + (percent == 200 ? kSkinSet200Offset : percent == 150 ? kSkinSet150Offset : 0);
}
// Which drawn set (100, 150 or 200 %) serves `dpi`, given which sets hold the picture.
template <typename HasSet>
int ChooseSkinSet(Dpi dpi, HasSet hasSet) {
    const int wanted = dpi.Value() <= kBaseDpi ? 100 : dpi.Value() <= kBaseDpi * 3 / 2 ? 150 : 200;
    for (int percent : {200, 150}) {
        if (percent <= wanted && hasSet(percent)) return percent;
    }
    return 100;
}
UniqueBitmap LoadSkinBitmapFile(const std::wstring& path);
SIZE BitmapSize(HBITMAP bitmap);
// An image list of `count` pictures cut from a bitmap resource strip; `key` pixels stay clear.
UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key);
// The same at `dpi`; width and height are the pictures' size at 96 DPI. Each picture is resized on
// its own to the scaled size, so the pictures stay whole and the list holds `count` of them.
UniqueImageList LoadSkinImageStrip(UINT id, int width, int height, int count, COLORREF key, Dpi dpi);

// Copies the top-left width x height of the bitmap to (x, y); nothing for a null bitmap.
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);
// Copies the whole bitmap (or the given source part) leaving key-coloured pixels untouched.
void DrawBitmapKeyed(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key = kSkinKeyColor);
void DrawBitmapPartKeyed(HDC dc, HBITMAP bitmap, int x, int y, const RECT& source,
                         COLORREF key = kSkinKeyColor);

// Fills the child's client rectangle in dc (child coordinates) with what its parent shows there:
// the parent's screen pixels, then whatever the parent draws for an erase and a print request.
void CopyParentBackground(HWND child, HDC dc);

// Asks for one hover and one leave notice (hover time 1 ms); returns true if tracking started.
bool TrackHoverAndLeave(HWND window);

}  // namespace scw
