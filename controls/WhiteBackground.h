#pragma once
// Pages and panels on a plain white ground: the dialog's own brush, and what a skinned child that
// copies its parent's background is given when it asks the parent to print.
#include <windows.h>

namespace scw {

inline bool HandleWhiteBackground(HWND dialog, UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
    case WM_PRINTCLIENT: {
        RECT client;
        ::GetClientRect(dialog, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace scw
