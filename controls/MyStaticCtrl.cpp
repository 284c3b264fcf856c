#include "controls/MyStaticCtrl.h"

#include "framework/App.h"

namespace scw {

bool CMyStaticCtrl::Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, UINT id) {
    HWND window = ::CreateWindowExW(0, L"STATIC", text.c_str(), style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AppInstance(), nullptr);
    if (!window) return false;
    const int height = -::MulDiv(8, ::GetDeviceCaps(WindowDc(window).Get(), LOGPIXELSY), 72);
    font_.Reset(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif"));
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return Attach(window);
}

void CMyStaticCtrl::SetBkColor(COLORREF colour) {
    backColour_ = colour;
    brush_.Reset(colour == CLR_NONE ? nullptr : ::CreateSolidBrush(colour));
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool CMyStaticCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == ReflectedMessage(WM_CTLCOLORSTATIC)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, textColour_);
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
    (void)lParam;
    return false;
}

}  // namespace scw
