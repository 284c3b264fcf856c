#pragma once
// The scheduled one-click erase as the main window runs it: a one-minute timer asks the schedule,
// and an occurrence that falls while no sweep runs shows the tray's balloon and starts the erase.
#include <windows.h>

#include "app/ScanScheduler.h"
#include "state/Settings.h"

namespace scw {

class CDlgScan;
class CTrayIcon;

inline constexpr UINT_PTR kSchedulerTimer = 6;

class ScheduledErase {
public:
    void Start(HWND owner);
    void Stop();
    // Timer kSchedulerTimer.
    void Tick(const SettingsValues& settings, CDlgScan& scanPage, CTrayIcon& tray);
    ScanScheduler& Scheduler() { return scheduler_; }

private:
    HWND owner_ = nullptr;
    ScanScheduler scheduler_;
};

}  // namespace scw
