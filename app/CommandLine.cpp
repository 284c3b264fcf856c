#include "app/CommandLine.h"

namespace scw {

StartupOptions ParseCommandLine(std::wstring_view commandLine) {
    StartupOptions options;
    // At position 0 the text is the program path, never the option.
    options.autoStart = commandLine.size() > 1 && commandLine.find(L"-A", 1) != std::wstring_view::npos;
    size_t shred = commandLine.find(L"-S:");
    if (shred != std::wstring_view::npos) {
        std::wstring_view path = commandLine.substr(shred + 3);
        // A launcher that quotes each argument with a blank passes "-S:C:\a b\c.txt": the
        // closing quote belongs to the argument, not to the file name.
        if (shred > 0 && commandLine[shred - 1] == L'"' && !path.empty() && path.back() == L'"')
            path.remove_suffix(1);
        options.shredPath = std::wstring(path);
    }
    return options;
}

}  // namespace scw
