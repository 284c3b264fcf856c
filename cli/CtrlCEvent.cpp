#include "cli/CtrlCEvent.h"

#include <atomic>

namespace scw::cli {

namespace {
std::atomic<HANDLE> g_stopEvent{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    if (HANDLE event = g_stopEvent.load()) ::SetEvent(event);
    return TRUE;
}
}  // namespace

CtrlCEvent::CtrlCEvent() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    g_stopEvent = event_.Get();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

CtrlCEvent::~CtrlCEvent() {
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    g_stopEvent = nullptr;
}

}  // namespace scw::cli
