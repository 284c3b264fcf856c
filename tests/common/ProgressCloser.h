#pragma once
// Plays the user at a Delete all: closes the deletion progress dialog with its Exit button once
// the deletion has finished, and notes whether the dialog showed its alert at that moment.
// Run Tick on a thread timer while the dialog's modal loop runs. DialogsRefused plays a system
// that cannot open it.
#include <windows.h>

#include "deletion/page/DlgScanResult.h"

namespace scw::test {

struct ProgressCloser {
    static inline HWND dialog = nullptr;
    static inline bool alertShown = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!dialog || !::IsWindow(dialog)) return;
        HWND exitButton = ::GetDlgItem(dialog, CDlgScanResult::kExitId);
        if (!exitButton || !::IsWindowVisible(exitButton)) return;
        alertShown = ::IsWindowVisible(::GetDlgItem(dialog, CDlgScanResult::kAlertId)) != FALSE;
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(CDlgScanResult::kExitId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(exitButton));
        dialog = nullptr;
    }
};

// While it lives, every dialog of this thread fails to be created, as when the system runs out
// of windows.
class DialogsRefused {
public:
    DialogsRefused() : hook_(::SetWindowsHookExW(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~DialogsRefused() {
        if (hook_) ::UnhookWindowsHookEx(hook_);
    }
    DialogsRefused(const DialogsRefused&) = delete;
    DialogsRefused& operator=(const DialogsRefused&) = delete;
    explicit operator bool() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
            if (create->lpcs->lpszClass == MAKEINTATOM(32770)) return 1;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

}  // namespace scw::test
