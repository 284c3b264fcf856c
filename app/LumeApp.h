#pragma once
// The application object: single instance, command line, splash, catalogue, main window.
#include <windows.h>

#include "engine/Catalogue.h"
#include "framework/App.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr wchar_t kInstanceMutexName[] = L"XXXXXX_SCOURWELL";

class CLumeApp : public CWinApp {
public:
    CLumeApp();
    ~CLumeApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    void BuildCatalogue() { catalogue_.Build(); }
    // Stops and joins every worker first: none may walk a node that is being freed.
    void FreeCatalogue();
    Catalogue& TheCatalogue() { return catalogue_; }

    // The command line as the platform reports it; tests replace it.
    virtual std::wstring CommandLine() const;

private:
    UniqueKernelHandle mutex_;
    Catalogue catalogue_;
};

// The one application object of the process, or null before it exists.
CLumeApp* TheApp();

}  // namespace scw
