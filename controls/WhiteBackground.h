#pragma once
// Pages and panels on a plain white ground: the dialog's own brush, and what a skinned child that
// copies its parent's background is given when it asks the parent to print.
#include <windows.h>

#include "controls/FocusCue.h"
#include "framework/ClientRect.h"

namespace scw {

// White, or the system's window colour while high contrast is on (texts are then drawn in its text
// colour).
inline HBRUSH PageBrush() {
    return HighContrastOn() ? ::GetSysColorBrush(COLOR_WINDOW) : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

// A plain label on the page: the page's ground behind it, the system's text colour in high contrast.
inline LRESULT PageLabelColours(HDC dc) {
    ::SetBkColor(dc, HighContrastOn() ? ::GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
    if (HighContrastOn()) ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(PageBrush());
}

inline bool HandleWhiteBackground(HWND dialog, UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(PageBrush());
        return true;
    case WM_PRINTCLIENT: {
        RECT client = ClientRect(dialog);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, PageBrush());
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace scw
