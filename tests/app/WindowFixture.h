#pragma once
// The real main window, created modelessly in the test process, with the browser and the shell's
// notification area replaced by recorders and the settings file under the test's control.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/LumeDlg.h"
#include "app/ProcessState.h"
#include "engine/Catalogue.h"
#include "state/Settings.h"

namespace scw::test {

struct TrayCall {
    DWORD action;
    NOTIFYICONDATAW record;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "exit" and "tray" into a fresh default settings file.
    void WriteCloseSettings(int exitOnClose, int trayOnClose);
    // Reads the settings file as the application does at start-up, then creates the window (on
    // the fixture's catalogue and start-up state) and lets it paint.
    CLumeDlg& Open();
    void Close();
    HWND Window() const { return window_->GetSafeHwnd(); }
    // Shown by the window (also while the window itself is hidden in the tray).
    bool Visible(CDialog& page) const { return (::GetWindowLongW(page.GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Command(UINT id);
    void TrayClick(UINT mouseMessage);
    // True (and removes it) when a quit message is waiting.
    bool QuitPosted();
    // Identifier 1 stands for any but the UTF-16 one: those blocks are read as narrow text.
    void SendHandOff(const void* data, DWORD bytes, ULONG_PTR identifier = 1);

    std::vector<std::wstring> openedPages_;
    std::vector<TrayCall> trayCalls_;
    // What the application object would hand the window.
    ProcessState state_;
    Catalogue catalogue_;

private:
    std::unique_ptr<CLumeDlg> window_;
    std::optional<std::string> savedSettings_;
};

}  // namespace scw::test
