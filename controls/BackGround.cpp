#include "controls/BackGround.h"

#include <algorithm>

#include "controls/CornerRegion.h"
#include "controls/SkinDraw.h"

namespace scw {

bool CBackGround::SetBitmap(int slot, UINT bitmapId) {
    if (slot < 0 || slot >= kSlots) return false;
    ids_[slot] = bitmapId;
    bitmaps_[slot] = LoadSkinBitmap(bitmapId, dpi_);
    return static_cast<bool>(bitmaps_[slot]);
}

void CBackGround::SetDpi(Dpi dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    for (int slot = 0; slot < kSlots; ++slot)
        if (ids_[slot]) bitmaps_[slot] = LoadSkinBitmap(ids_[slot], dpi_);
}

SIZE CBackGround::BitmapSize(int slot) const {
    SIZE size{0, 0};
    if (slot < 0 || slot >= kSlots || !bitmaps_[slot]) return size;
    BITMAP info{};
    if (::GetObjectW(bitmaps_[slot].Get(), sizeof(info), &info)) size = {info.bmWidth, info.bmHeight};
    return size;
}

void CBackGround::DrawBitmap(int slot, HDC dc, int x, int y) const {
    SIZE size = BitmapSize(slot);
    if (size.cx == 0) return;
    UniqueMemDc mem(::CreateCompatibleDC(dc));
    SelectScope select(mem.Get(), bitmaps_[slot].Get());
    ::BitBlt(dc, x, y, size.cx, size.cy, mem.Get(), 0, 0, SRCCOPY);
}

void CBackGround::TileBitmap(int slot, HDC dc, const RECT& rect) const {
    SIZE size = BitmapSize(slot);
    if (size.cx <= 0 || size.cy <= 0) return;
    UniqueMemDc mem(::CreateCompatibleDC(dc));
    SelectScope select(mem.Get(), bitmaps_[slot].Get());
    for (int y = rect.top; y < rect.bottom; y += size.cy) {
        for (int x = rect.left; x < rect.right; x += size.cx) {
            int w = std::min<int>(size.cx, rect.right - x);
            int h = std::min<int>(size.cy, rect.bottom - y);
            ::BitBlt(dc, x, y, w, h, mem.Get(), 0, 0, SRCCOPY);
        }
    }
}

void CBackGround::ComposeMainWindow(HDC dc) const {
    const int width = client_.right - client_.left;
    const int height = client_.bottom - client_.top;
    ::FillRect(dc, &client_, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const SIZE top = BitmapSize(kTop);
    DrawBitmap(kTop, dc, 0, 0);
    DrawBitmap(kLeft, dc, 0, top.cy);
    DrawBitmap(kRight, dc, width - BitmapSize(kRight).cx, top.cy);
    DrawBitmap(kBottom, dc, 0, height - BitmapSize(kBottom).cy);
}

bool CBackGround::CutCorners(HDC composed, int cornerSize, COLORREF key) {
    if (!owner_) return false;
    UniqueRgn region(KeyCutCornerRegion(composed, client_, cornerSize, key));
    UniqueRgn current(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(owner_, current.Get()) != ERROR && ::EqualRgn(current.Get(), region.Get())) return true;
    // The window owns the region once it is set.
    return ::SetWindowRgn(owner_, region.Release(), TRUE) != 0;
}

bool CBackGround::SetColorKey(COLORREF key) {
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user = ::LoadLibraryW(L"User32.dll");
    if (!user || !owner_) return false;
    auto set = reinterpret_cast<SetLayered>(
        reinterpret_cast<void*>(::GetProcAddress(user, "SetLayeredWindowAttributes")));
    bool ok = false;
    if (set) {
        ::SetWindowLongW(owner_, GWL_EXSTYLE, ::GetWindowLongW(owner_, GWL_EXSTYLE) | WS_EX_LAYERED);
        ok = set(owner_, key, 0, LWA_COLORKEY) != 0;
    }
    ::FreeLibrary(user);
    return ok;
}

}  // namespace scw
