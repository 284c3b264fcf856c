#include "app/DlgOptions.h"

#include "app/ProcessState.h"
#include "state/Settings.h"
#include "res/resource.h"

namespace scw {

CDlgOptions::CDlgOptions() : CDialog(IDD_OPTIONS) {}

BOOL CDlgOptions::OnInitDialog() {
    // The settings values are valid from here on; the close rule and the scheduler read them.
    TheProcessState().settings = ReadSettings(SettingsFile());
    return TRUE;
}

void CDlgOptions::Hide() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

void CDlgOptions::ScheduledScanCheck() {}

}  // namespace scw
