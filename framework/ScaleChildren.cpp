#include "framework/ScaleChildren.h"
#include "framework/ClientRect.h"

namespace scw {

void ScaleChildren(HWND parent, int width, int height) {
    RECT client = ClientRect(parent);
    if (client.right <= 0 || client.bottom <= 0) return;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        ::SetWindowPos(child, nullptr, ::MulDiv(rc.left, width, client.right), ::MulDiv(rc.top, height, client.bottom),
                       ::MulDiv(rc.right - rc.left, width, client.right),
                       ::MulDiv(rc.bottom - rc.top, height, client.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace scw
