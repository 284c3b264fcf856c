#include "controls/SubclassWindow.h"

#include <commctrl.h>

#include "controls/AccessibleServer.h"
#include "framework/Dpi.h"

namespace scw {

namespace {
constexpr UINT_PTR kSubclassId = 0x5357;  // one subclass of ours per window
thread_local HWND measuringControl = nullptr;
}  // namespace

MeasureRequestScope::MeasureRequestScope(HWND control) : previous_(measuringControl) { measuringControl = control; }
MeasureRequestScope::~MeasureRequestScope() { measuringControl = previous_; }

CSubclassWindow::~CSubclassWindow() {
    if (access_) access_->Disconnect();
    Detach();
}

void CSubclassWindow::ServeAccessibility(AccessibleFacts& facts) {
    if (!access_) access_ = std::make_unique<AccessibleServer>(facts);
}

bool CSubclassWindow::Attach(HWND window) {
    if (!window || !::IsWindow(window)) return false;
    Detach();
    if (!::SetWindowSubclass(window, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    hwnd_ = window;
    OnAttached();
    return true;
}

void CSubclassWindow::Detach() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
    hwnd_ = nullptr;
}

LRESULT CSubclassWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CSubclassWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<CSubclassWindow*>(data);
    LRESULT result = 0;
    bool handled = false;
    try {
        if (self->access_ && self->access_->Answer(hwnd, message, wParam, lParam, result)) return result;
        if (message == WM_DPICHANGED_AFTERPARENT) self->OnDpiChanged();
        handled = self->OnMessage(message, wParam, lParam, result);
    } catch (...) {
        // No exception may cross the window procedure.
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        // A reader that still holds the control's object hears that it is gone.
        if (self->access_) self->access_->Disconnect();
        ::RemoveWindowSubclass(hwnd, Proc, kSubclassId);
        self->hwnd_ = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return handled ? result : ::DefSubclassProc(hwnd, message, wParam, lParam);
}

bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->CtlType != ODT_MENU) control = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (measure && measure->CtlType != ODT_MENU && measuringControl &&
            static_cast<UINT>(::GetDlgCtrlID(measuringControl)) == measure->CtlID)
            control = measuringControl;
        break;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header) control = header->hwndFrom;
        break;
    }
    default:
        return false;
    }
    if (!control || !::IsWindow(control)) return false;
    result = ::SendMessageW(control, ReflectedMessage(message), wParam, lParam);
    return result != 0;
}

}  // namespace scw
