#include "sweep/page/CheckClicks.h"

#include <windowsx.h>

namespace scw {

bool CCheckClicks::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (ToggleCheckByKey(hwnd_, message, wParam, toggle)) {
        result = 0;
        return true;
    }
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return false;
    if (!ToggleCheckAt(hwnd_, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, toggle)) return false;
    ::SetFocus(hwnd_);
    result = 0;
    return true;
}

}  // namespace scw
