#pragma once
// The program's one top-level window.
#include "framework/Dialog.h"

namespace scw {

class CLumeDlg : public CDialog {
public:
    CLumeDlg();

    // Ends the program: the modal run returns with exit code -1.
    void ExitProgram();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
};

}  // namespace scw
