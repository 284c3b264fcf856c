#pragma once
// The junk cleaner page: a child dialog of the main window. Its Scan and Results panels are
// built on top of this frame.
#include "framework/Dialog.h"

namespace scw {

class CDlgJunk : public CDialog {
public:
    CDlgJunk();

    // Back to the Scan panel with its defaults; called each time the main window shows the page.
    void Reset();
    int ResetCount() const { return resetCount_; }

protected:
    void OnOK() override {}
    void OnCancel() override {}

private:
    int resetCount_ = 0;
};

}  // namespace scw
