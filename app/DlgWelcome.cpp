#include "app/DlgWelcome.h"

#include "framework/App.h"
#include "res/resource.h"

namespace scw {

CDlgWelcome::CDlgWelcome() : CDialog(IDD_WELCOME) {}

BOOL CDlgWelcome::OnInitDialog() {
    image_.Reset(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(splashMode_ ? IDB_SPLASH : IDB_WELCOME), IMAGE_BITMAP, 0, 0,
                     LR_DEFAULTCOLOR)));
    ::ShowWindow(GetDlgItem(IDOK), splashMode_ ? SW_HIDE : SW_SHOW);
    int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    ::SetWindowPos(hwnd_, nullptr, x, y, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // The splash takes no focus: focusing a control would activate it, and an activated window
    // costs the window manager's hand-back when it closes.
    return splashMode_ ? FALSE : TRUE;
}

bool CDlgWelcome::OnPaint() {
    PaintScope paint(hwnd_);
    if (image_) {
        UniqueMemDc memory(::CreateCompatibleDC(paint.Get()));
        SelectScope select(memory.Get(), image_.Get());
        RECT client;
        ::GetClientRect(hwnd_, &client);
        ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    return true;
}

}  // namespace scw
