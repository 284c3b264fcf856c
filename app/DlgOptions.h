#pragma once
// The settings page: a child dialog of the main window. It reads the settings file when it is
// created; its controls, saving and the scheduler are built on top of this frame.
#include "framework/Dialog.h"

namespace scw {

class CDlgOptions : public CDialog {
public:
    CDlgOptions();

    // Offers to save unsaved changes, then hides the page (every page change calls it).
    void Hide();
    // The scheduler's check, once a minute from the main window's timer.
    void ScheduledScanCheck();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};

}  // namespace scw
