#include "app/DlgWelcome.h"

#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "res/resource.h"
#include "framework/ClientRect.h"

namespace scw {

CDlgWelcome::CDlgWelcome() : CDialog(IDD_WELCOME) {}

BOOL CDlgWelcome::OnInitDialog() {
    ::ShowWindow(GetDlgItem(IDOK), splashMode_ ? SW_HIDE : SW_SHOW);
    ShowAt(DpiOfWindow(hwnd_), nullptr);
    // The splash takes no focus: focusing a control would activate it, and an activated window
    // costs the window manager's hand-back when it closes.
    return splashMode_ ? FALSE : TRUE;
}

void CDlgWelcome::ShowAt(Dpi dpi, const RECT* suggested) {
    SetLayoutDpi(hwnd_, dpi);
    image_ = LoadSkinBitmap(splashMode_ ? IDB_SPLASH : IDB_WELCOME, dpi);
    const SIZE size = dpi.Scale(SIZE{kWidth, kHeight});
    int x = (::GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    if (suggested) {
        x = suggested->left;
        y = suggested->top;
    }
    ::SetWindowPos(hwnd_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

bool CDlgWelcome::OnDpiChanged(Dpi dpi, const RECT* suggested) {
    ShowAt(dpi, suggested);
    return true;
}

void CDlgWelcome::OnDestroy() { ForgetLayoutDpi(hwnd_); }

bool CDlgWelcome::OnPaint() {
    PaintScope paint(hwnd_);
    if (image_) {
        UniqueMemDc memory(::CreateCompatibleDC(paint.Get()));
        SelectScope select(memory.Get(), image_.Get());
        RECT client = ClientRect(hwnd_);
        ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    return true;
}

}  // namespace scw
