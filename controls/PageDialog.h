#pragma once
// A page of the main window, or a panel of a page: a child dialog on the skin's white ground (the
// system's window colour under high contrast), where Enter and Escape do nothing.
#include <windows.h>

#include "framework/Dialog.h"

namespace scw {

class CPageDialog : public CDialog {
public:
    // Every page fills the main window between the tab strip and its right edge, above the bottom strip.
    static constexpr int kPageWidth = 612;
    static constexpr int kPageHeight = 488;

    using CDialog::CDialog;

protected:
    void OnOK() final {}
    void OnCancel() final {}
    // The controls sit at fixed pixel places, so a page takes a fixed pixel size too (its
    // template's dialog units would scale with whatever font the system substitutes).
    void TakePageSize();
    // The page's own messages; the white ground answers what the page leaves.
    virtual bool OnPageMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;
};

}  // namespace scw
