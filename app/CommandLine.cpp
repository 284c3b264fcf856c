#include "app/CommandLine.h"

namespace scw {

StartupOptions ParseCommandLine(std::wstring_view commandLine) {
    StartupOptions options;
    // At position 0 the text is the program path, never the option.
    options.autoStart = commandLine.size() > 1 && commandLine.find(L"-A", 1) != std::wstring_view::npos;
    size_t shred = commandLine.find(L"-S:");
    if (shred != std::wstring_view::npos) options.shredPath = std::wstring(commandLine.substr(shred + 3));
    return options;
}

}  // namespace scw
