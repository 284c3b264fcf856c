#pragma once
// Plays the user at a Delete all: closes the deletion progress dialog with its Exit button once
// the deletion has finished, and notes whether the dialog showed its alert at that moment.
// Run Tick on a thread timer while the dialog's modal loop runs.
#include <windows.h>

#include "sweep/page/DlgScanResult.h"

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

}  // namespace scw::test
