#pragma once
// The shredder page: a child dialog of the main window. The list, the methods and the shredding
// are built on top of this frame.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

namespace scw {

class CDlgShred : public CDialog {
public:
    CDlgShred();

    // The main window, set before the page is created.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    // Queues one file given by its full path (command line, shell hand-off, dialogs).
    void AddPath(const std::wstring& fullPath);
    // The full paths in the queue, in order.
    std::vector<std::wstring> QueuedPaths() const { return queued_; }

protected:
    void OnOK() override {}
    void OnCancel() override {}

    HWND mainWindow_ = nullptr;

private:
    std::vector<std::wstring> queued_;
};

}  // namespace scw
