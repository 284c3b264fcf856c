#include "app/LumeDlg.h"

#include "app/Settings.h"
#include "res/resource.h"

namespace scw {

CLumeDlg::CLumeDlg() : CDialog(IDD_MAIN) {}

BOOL CLumeDlg::OnInitDialog() {
    EnsureDefaultSettings(SettingsFile());
    ::SetWindowTextW(hwnd_, L"Scourwell");
    return TRUE;
}

bool CLumeDlg::OnCommand(WORD id, WORD, HWND) {
    if (id == ID_TRAY_EXIT) {
        ExitProgram();
        return true;
    }
    return false;
}

void CLumeDlg::ExitProgram() { ::PostQuitMessage(-1); }

}  // namespace scw
