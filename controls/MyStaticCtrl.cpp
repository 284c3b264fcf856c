#include "controls/MyStaticCtrl.h"

#include "controls/FocusCue.h"

#include "framework/App.h"
#include "framework/ScaledFont.h"

namespace scw {

bool CMyStaticCtrl::Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, UINT id) {
    HWND window = ::CreateWindowExW(0, L"STATIC", text.c_str(), style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AppInstance(), nullptr);
    if (!window) return false;
    font_ = ScaledFont::Make(L"MS Sans Serif", Dpi().FontHeight(8), FW_NORMAL, false, 0, DEFAULT_QUALITY, DEFAULT_PITCH);
    if (!Attach(window)) return false;
    SendFont(true);
    return true;
}

HFONT CMyStaticCtrl::LabelFont() { return font_.Get(hwnd_ ? DpiOfWindow(hwnd_) : Dpi()); }

void CMyStaticCtrl::SendFont(bool always) {
    if (!hwnd_ || !font_.Described()) return;
    const Dpi dpi = DpiOfWindow(hwnd_);
    if (!always && dpi == fontSentFor_) return;
    fontSentFor_ = dpi;
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get(dpi)), FALSE);
}

void CMyStaticCtrl::SetBkColor(COLORREF colour) {
    backColour_ = colour;
    brush_.Reset(colour == CLR_NONE ? nullptr : ::CreateSolidBrush(colour));
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CMyStaticCtrl::OnDpiChanged() {
    // The layout hands out its own copy of our font for a new DPI; ours is the one to show.
    SendFont(true);
}

bool CMyStaticCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == ReflectedMessage(WM_CTLCOLORSTATIC)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, SkinOrSystemColour(textColour_, COLOR_WINDOWTEXT));
        if (brush_) {
            ::SetBkColor(dc, backColour_);
            result = reinterpret_cast<LRESULT>(brush_.Get());
        } else {
            ::SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        }
        return true;
    }
    if (message == WM_LBUTTONUP) {
        // A transparent label is drawn anew over a fresh background.
        HWND parent = ::GetParent(hwnd_);
        RECT rc;
        ::GetWindowRect(hwnd_, &rc);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        ::InvalidateRect(parent, &rc, TRUE);
        ::UpdateWindow(parent);
    }
    if (message == WM_PAINT) SendFont(false);
    (void)lParam;
    return false;
}

}  // namespace scw
