#include "app/WindowDrag.h"

#include <windowsx.h>

namespace scw {

namespace {
constexpr UINT kFollowPeriodMs = 20;
}

void WindowDrag::Begin(HWND window, LPARAM point) {
    window_ = window;
    grabOffset_ = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    dragging_ = true;
    ::SetCapture(window_);
    ::SetTimer(window_, timerId_, kFollowPeriodMs, nullptr);
}

void WindowDrag::Follow() {
    if (!dragging_) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetWindowPos(window_, nullptr, cursor.x - grabOffset_.x, cursor.y - grabOffset_.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowDrag::End() {
    if (!dragging_) return;
    dragging_ = false;
    ::KillTimer(window_, timerId_);
    if (::GetCapture() == window_) ::ReleaseCapture();
}

}  // namespace scw
