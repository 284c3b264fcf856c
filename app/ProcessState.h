#pragma once
// Start-up state and settings values shared by the windows of the main program. Read and
// written on the user-interface thread only.
#include <string>

#include "state/Settings.h"

namespace scw {

struct ProcessState {
    bool autoStartFlag = false;
    std::wstring shredPathArgument;
    SettingsValues settings;  // all 0 until the settings page has read the file
};

ProcessState& TheProcessState();

}  // namespace scw
