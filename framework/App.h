#pragma once
// The application object: InitInstance, then a message loop if it asked for one, then ExitInstance.
#include <windows.h>

namespace scw {

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns the process exit code. ExitInstance runs whether or not InitInstance succeeded.
    int Run(HINSTANCE instance);

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return exitCode_; }

    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

protected:
    int exitCode_ = 0;

private:
    HWND mainWindow_ = nullptr;
};

// The module whose resources the dialogs and strings come from (this program by default).
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);

}  // namespace scw
