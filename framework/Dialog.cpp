#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/Dpi.h"

namespace scw {

namespace {
// Messages whose dialog-procedure return value is the result itself, not a handled flag.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}
}  // namespace

CDialog::CDialog(UINT templateId) : templateId_(templateId) {}

CDialog::~CDialog() { DestroyWindow(); }

void CDialog::DestroyWindow() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool CDialog::Create(HWND parent) {
    modal_ = false;
    return ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::DoModal(HWND parent) {
    modal_ = true;
    ended_ = false;
    endedByQuit_ = false;
    result_ = -1;
    if (!::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this))) {
        modal_ = false;
        return -1;
    }
    bool disabledParent = parent && ::IsWindowEnabled(parent);
    if (disabledParent) ::EnableWindow(parent, FALSE);
    if (!ended_ && hwnd_) ::ShowWindow(hwnd_, SW_SHOW);

    MSG msg;
    while (!ended_) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit message ends the modal run; its code becomes the result. It is posted again
            // so every loop outside this one ends too (a quit must never be lost in a nested loop).
            result_ = static_cast<INT_PTR>(static_cast<int>(msg.wParam));
            endedByQuit_ = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!RouteMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (disabledParent) ::EnableWindow(parent, TRUE);
    DestroyWindow();
    modal_ = false;
    ended_ = true;
    return result_;
}

bool CDialog::RouteMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
    return PreTranslate(msg) || ::IsDialogMessageW(hwnd_, &msg);
}

void CDialog::EndDialog(INT_PTR result) {
    if (modal_) {
        result_ = result;
        ended_ = true;
        // Wake the loop in case the call came from outside a message.
        if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
        return;
    }
    DestroyWindow();
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // No exception may cross the window procedure.
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (id == IDOK && !lParam) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        break;
    }
    case WM_PAINT:
        if (OnPaint()) return TRUE;
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return TRUE;
    case WM_DPICHANGED:
        if (!OnDpiChanged(Dpi(HIWORD(wParam)), reinterpret_cast<const RECT*>(lParam))) break;
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_DPICHANGED_AFTERPARENT:
        OnDpiChanged(DpiOfWindow(hwnd_), nullptr);
        return FALSE;
    case WM_DESTROY:
        OnDestroy();
        ForgetLayoutDpi(hwnd_);
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result)) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace scw
