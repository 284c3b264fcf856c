#pragma once
// Moves a borderless window with the mouse: a press on its face grabs it, a timer makes it
// follow the cursor until the button is released or the capture is lost.
#include <windows.h>

namespace scw {

class WindowDrag {
public:
    // The window's timer that moves it; the id must be free among the window's timers.
    explicit WindowDrag(UINT_PTR timerId) : timerId_(timerId) {}

    // A press at the point (client coordinates, as the mouse message gives it).
    void Begin(HWND window, LPARAM point);
    // On the timer: the window follows the cursor.
    void Follow();
    void End();
    bool Dragging() const { return dragging_; }

private:
    UINT_PTR timerId_;
    HWND window_ = nullptr;
    POINT grabOffset_{};
    bool dragging_ = false;
};

}  // namespace scw
