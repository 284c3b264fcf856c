#pragma once
#include <string>
#include <string_view>

namespace scw {

struct StartupOptions {
    bool autoStart = false;   // "-A": start hidden in the tray
    std::wstring shredPath;   // everything after the first "-S:", unchanged
};

// The whole command line (program path included) is searched as one string: no tokenising,
// no quote removal, no case folding.
StartupOptions ParseCommandLine(std::wstring_view commandLine);

}  // namespace scw
