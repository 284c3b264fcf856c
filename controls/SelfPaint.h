#pragma once
// Message handling that several skinned controls share.
#include <windows.h>

#include "controls/MemDC.h"
#include "controls/SkinDraw.h"

namespace scw {

// For a window whose drawing covers its whole client area: no background erase, a paint drawn into
// one off-screen bitmap and copied to the screen at once, and the same drawing for a print into
// another DC. The one place a window of ours buffers its paint. True when the message was one of those.
template <typename Draw>
bool HandleSelfPaint(HWND window, UINT message, WPARAM wParam, LRESULT& result, Draw&& draw) {
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PaintScope paint(window);
        CMemDC buffer(paint.Get(), window);
        draw(buffer.Get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        draw(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

// The hover state of a control: set when the mouse rests on it, cleared when it leaves.
struct HoverState {
    bool hover = false;
    bool tracking = false;

    // Handles the mouse-move, hover and leave messages; redraw runs when the state changes.
    // Mouse moves are only watched (false), so the control's own handling still runs.
    template <typename Redraw>
    bool Handle(HWND window, UINT message, LRESULT& result, Redraw&& redraw) {
        switch (message) {
        case WM_MOUSEMOVE:
            if (!tracking) tracking = TrackHoverAndLeave(window);
            return false;
        case WM_MOUSEHOVER:
            if (!hover) {
                hover = true;
                redraw();
            }
            result = 0;
            return true;
        case WM_MOUSELEAVE:
            hover = false;
            tracking = false;
            redraw();
            result = 0;
            return true;
        default:
            return false;
        }
    }
};

}  // namespace scw
