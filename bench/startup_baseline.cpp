// The start-up baseline: a minimal program of ours that shows one dialog, marking the moment its
// window is first painted, the same way Scourwell.exe marks its own.
#include <windows.h>

#include "framework/StartupTrace.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"

namespace {
INT_PTR CALLBACK BaselineProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    static bool marked = false;
    if (message == WM_PAINT) {
        { scw::PaintScope paint(hwnd); }
        if (!marked) scw::StartupMark("main window visible");
        marked = true;
        return TRUE;
    }
    if (message == WM_CLOSE) {
        ::DestroyWindow(hwnd);
        return TRUE;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    scw::StartupMark("process entered");
    HWND window = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_WELCOME), nullptr, BaselineProc, 0);
    if (!window) return 1;
    ::ShowWindow(window, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
