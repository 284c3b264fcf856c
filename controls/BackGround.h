#pragma once
// The skin of a borderless window: bitmaps composed into its client area, and a window region
// whose corners follow the key-coloured pixels of the composed image.
#include <windows.h>

#include <array>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CBackGround {
public:
    static constexpr int kSlots = 9;
    // Slots the main window's composition uses.
    enum Slot { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };

    void SetOwner(HWND owner, const RECT& client) {
        owner_ = owner;
        client_ = client;
    }
    // Loads a bitmap resource into a slot at the present DPI; false if the slot or the resource
    // does not exist.
    bool SetBitmap(int slot, UINT bitmapId);
    // Loads every slot again for `dpi` (the art drawn for it); the pieces' sizes change with it.
    void SetDpi(Dpi dpi);
    Dpi GetDpi() const { return dpi_; }
    SIZE BitmapSize(int slot) const;
    void DrawBitmap(int slot, HDC dc, int x, int y) const;
    void TileBitmap(int slot, HDC dc, const RECT& rect) const;

    // White, then the top banner, the left and right columns below it and the bottom strip.
    void ComposeMainWindow(HDC dc) const;
    // Gives the owner the client rectangle less every key-coloured pixel of the corner squares
    // (KeyCutCornerRegion); a region equal to the current one is not set again, since
    // setting it redraws the window and the next paint would cut the corners once more.
    bool CutCorners(HDC composed, int cornerSize, COLORREF key);
    // Layered window with the key colour transparent; false if the platform lacks the call.
    bool SetColorKey(COLORREF key);

private:
    HWND owner_ = nullptr;
    RECT client_{};
    std::array<UniqueBitmap, kSlots> bitmaps_;
    std::array<UINT, kSlots> ids_{};
    Dpi dpi_;
};

}  // namespace scw
