#pragma once
// The privacy sweep page: a child dialog of the main window. The tree, the runs and the result
// list are built on top of this frame.
#include <atomic>

#include "framework/Dialog.h"
#include "sweep/TrayActivity.h"

namespace scw {

class CDlgScan : public CDialog {
public:
    // The main window, which shows the runs' activity in the tray.
    explicit CDlgScan(TrayActivity& mainWindow);

    // Ticks the one-click item set and erases its traces on a worker thread.
    void StartOneClickErase();
    // Rows found by the current run (the tray's progress balloons show it).
    int RunningCount() const { return foundRows_.load(); }

protected:
    void OnOK() override {}
    void OnCancel() override {}

    TrayActivity& mainWindow_;
    std::atomic<int> foundRows_{0};
};

}  // namespace scw
