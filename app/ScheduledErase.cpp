#include "app/ScheduledErase.h"

#include "app/TrayIcon.h"
#include "state/RunFlags.h"
#include "sweep/page/DlgScan.h"

namespace scw {

namespace {
constexpr UINT kSchedulerPeriodMs = 60000;
constexpr UINT kAutoScanBalloonMs = 2000;
// "Running the automatic scan"
constexpr wchar_t kAutoScanText[] = L"\u6B63\u5728\u6267\u884C\u81EA\u52A8\u626B\u63CF\u7A0B\u5E8F";
}  // namespace

void ScheduledErase::Start(HWND owner) {
    owner_ = owner;
    ::SetTimer(owner_, kSchedulerTimer, kSchedulerPeriodMs, nullptr);
}

void ScheduledErase::Stop() {
    if (owner_) ::KillTimer(owner_, kSchedulerTimer);
}

void ScheduledErase::Tick(const SettingsValues& settings, CDlgScan& scanPage, CTrayIcon& tray) {
    // Any sweep run, its delete phase included, lets the occurrence pass: no balloon, no run.
    const bool busy =
        SweepBusy.load() || SweepDeleting.load() || (scanPage.Run() && scanPage.Run()->Busy());
    if (!scheduler_.Tick(settings, busy)) return;
    tray.ShowInfoBalloon(L"Auto Scan", kAutoScanText, kAutoScanBalloonMs);
    scanPage.StartOneClickErase();
}

}  // namespace scw
