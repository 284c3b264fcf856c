#pragma once
// Start-up state and the settings values the main program runs on. The application object owns
// one, read once at start-up, and hands it to the windows; read and written on the
// user-interface thread only.
#include <string>

#include "state/Settings.h"

namespace scw {

struct ProcessState {
    bool autoStartFlag = false;
    std::wstring shredPathArgument;
    SettingsValues settings;
};

}  // namespace scw
