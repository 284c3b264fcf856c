#pragma once
// Display scaling. Every length the skin gives is a length at 96 DPI; a window shows it at the DPI
// its top-level window is laid out for. Nothing else in the program multiplies by a DPI.
#include <windows.h>

// Sent to child windows after their top-level window changed DPI (declared only for newer targets).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace scw {

inline constexpr int kBaseDpi = 96;

class Dpi {
public:
    constexpr Dpi() = default;
    constexpr explicit Dpi(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

    constexpr int Value() const { return dpi_; }
    // 100 at 96 DPI, 150 at 144 DPI.
    constexpr int Percent() const { return dpi_ * 100 / kBaseDpi; }

    int Scale(int length96) const { return ::MulDiv(length96, dpi_, kBaseDpi); }
    // Each edge on its own, so controls that touch at 96 DPI still touch and never overlap.
    RECT Scale(const RECT& rect96) const {
        return RECT{Scale(rect96.left), Scale(rect96.top), Scale(rect96.right), Scale(rect96.bottom)};
    }
    SIZE Scale(SIZE size96) const { return SIZE{Scale(size96.cx), Scale(size96.cy)}; }
    POINT Scale(POINT point96) const { return POINT{Scale(point96.x), Scale(point96.y)}; }
    // Back to 96 DPI (rounded), for lengths measured on a scaled window.
    int Unscale(int length) const { return ::MulDiv(length, kBaseDpi, dpi_); }
    // A length from a layout made for `from` taken to this DPI.
    int Rescale(int length, Dpi from) const { return ::MulDiv(length, dpi_, from.dpi_); }
    // lfHeight of a font of `points` points at this DPI.
    int FontHeight(int points) const { return -::MulDiv(points, dpi_, 72); }

    friend constexpr bool operator==(Dpi a, Dpi b) { return a.dpi_ == b.dpi_; }
    friend constexpr bool operator!=(Dpi a, Dpi b) { return a.dpi_ != b.dpi_; }

private:
    int dpi_ = kBaseDpi;
};

// Per-monitor awareness (version 2 where the system has it, else system awareness). Call first.
void EnableDpiAwareness();
// The DPI of the screen this process started on.
Dpi SystemDpi();
// The DPI the window's top-level window is laid out for: what that window recorded with
// SetLayoutDpi, else what the system says of it.
Dpi DpiOfWindow(HWND window);
// Recorded by a top-level window each time it lays itself out for a DPI.
void SetLayoutDpi(HWND topLevel, Dpi dpi);
// Removes that record; a dialog does it as it is destroyed.
void ForgetLayoutDpi(HWND topLevel);
// What the system says of the window's DPI, whatever its layout records (what the system draws
// its scroll bars and frame at).
Dpi SystemDpiOfWindow(HWND window);
// A system metric at a DPI (the system's own value where it cannot say).
int SystemMetricForDpi(int index, Dpi dpi);
// Small and large icon sizes at a DPI.
SIZE SmallIconSize(Dpi dpi);
SIZE LargeIconSize(Dpi dpi);
// Newer systems re-lay dialogs and their controls out from the template on a change of DPI; a
// window that scales itself turns that off for each dialog and control.
void KeepDialogScalingOurs(HWND dialog);
void KeepControlScalingOurs(HWND control);

}  // namespace scw
