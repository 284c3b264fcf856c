#pragma once
// The places of a top-level window's controls, recorded once as laid out at 96 DPI and put back
// at any DPI: the window lays itself out in skin pixels, then this takes it to its real scale.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Dpi.h"
#include "framework/ScaledFont.h"

namespace scw {

class DpiLayout {
public:
    // Records the place of every child of `root`, and of the children of child dialogs (pages and
    // panels), as laid out now at 96 DPI; their fonts are taken as made for `fontsMadeFor`.
    // Controls' own inner windows (a list's header) stay theirs.
    void Capture(HWND root, Dpi fontsMadeFor);
    // Puts every recorded window that still exists at its place for `dpi`, gives each its font at
    // `dpi`, then sends each WM_DPICHANGED_AFTERPARENT so controls remake their images and
    // measures, and redraws the lot. Records `dpi` on the root first.
    void Apply(HWND root, Dpi dpi);

    size_t Count() const { return placed_.size(); }

private:
    struct Placed {
        HWND window;
        RECT at96;
        int font;  // index into fonts_, or -1
    };
    struct FontEntry {
        HFONT original;
        Dpi madeFor;
        ScaledFont scaled;
    };
    void CaptureChildren(HWND parent, Dpi fontsMadeFor);
    int FontIndex(HFONT font, Dpi madeFor);

    std::vector<Placed> placed_;
    std::vector<std::unique_ptr<FontEntry>> fonts_;
};

// True for windows of the dialog class: pages and panels whose children a layout records.
bool IsDialogWindow(HWND window);

}  // namespace scw
