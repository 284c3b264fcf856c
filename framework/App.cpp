#include "framework/App.h"

namespace scw {

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE AppInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

CWinApp::CWinApp() = default;
CWinApp::~CWinApp() = default;

int CWinApp::Run(HINSTANCE instance) {
    SetAppInstance(instance);
    if (InitInstance()) {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        exitCode_ = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

}  // namespace scw
