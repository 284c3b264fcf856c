#include "sweep/core/CheckClicks.h"

#include <windowsx.h>
#include <commctrl.h>

#include "sweep/core/TreeChecks.h"

namespace scw {

namespace {
constexpr UINT_PTR kHookId = 0x5343;

LRESULT CALLBACK CheckClickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (ToggleCheckAt(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
            ::SetFocus(hwnd);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hwnd, CheckClickProc, kHookId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

bool HookCheckClicks(HWND tree) { return tree && ::SetWindowSubclass(tree, CheckClickProc, kHookId, 0); }

}  // namespace scw
