#pragma once
// An event that Ctrl+C and Ctrl+Break set while this object lives, for the runs that poll an event
// between their writes (the shredder, the free-space wipe). Ctrl+C arrives on a thread of its own.
#include <windows.h>

#include "framework/UniqueHandle.h"

namespace scw::cli {

class CtrlCEvent {
public:
    CtrlCEvent();
    ~CtrlCEvent();
    CtrlCEvent(const CtrlCEvent&) = delete;
    CtrlCEvent& operator=(const CtrlCEvent&) = delete;
    // Manual-reset; signalled once Ctrl+C came.
    HANDLE Get() const { return event_.Get(); }

private:
    UniqueKernelHandle event_;
};

}  // namespace scw::cli
