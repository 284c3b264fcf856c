#pragma once
// The application object: single instance, command line, splash, catalogue, main window. It is
// the one place the program is put together: it reads the settings once and owns the catalogue,
// and hands both to the main window, which hands them to its pages.
#include <windows.h>

#include "app/ProcessState.h"
#include "engine/Catalogue.h"
#include "framework/App.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr wchar_t kInstanceMutexName[] = L"XXXXXX_SCOURWELL";

class CLumeApp : public CWinApp {
public:
    // `settingsFile`: setting.ini beside the program unless a test names another.
    explicit CLumeApp(CIniFileRW settingsFile = SettingsFile());
    ~CLumeApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    void BuildCatalogue() { catalogue_.Build(); }
    // Stops and joins every worker first: none may walk a node that is being freed.
    void FreeCatalogue();
    Catalogue& TheCatalogue() { return catalogue_; }
    // Writes the default settings file when there is none, then reads the values the program runs
    // on; before the main window exists, so it never runs on values nobody has read.
    void LoadSettings();
    const ProcessState& State() const { return state_; }

    // The command line as the platform reports it; tests replace it.
    virtual std::wstring CommandLine() const;

private:
    UniqueKernelHandle mutex_;
    CIniFileRW settingsFile_;
    ProcessState state_;
    Catalogue catalogue_;
};

}  // namespace scw
