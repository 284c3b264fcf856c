#pragma once
// One entry of a rule file in the community format, as read: where to look, what to leave alone,
// and how to tell whether the program it cleans is installed. Paths are kept as written (with
// their %variables%); they are resolved when the entry runs.
#include <windows.h>

#include <string>
#include <vector>

namespace scw::rules {

// A folder and the file patterns to delete in it.
struct FileKey {
    std::wstring folder;                 // as written, without a trailing backslash
    std::vector<std::wstring> patterns;  // "*.log", "cookies.sqlite*", ...
    bool recurse = false;                // also every folder below
    bool removeSelf = false;             // implies recurse; emptied folders go, the named one too
    int line = 0;
};

// A registry key (the whole key) or one value of it.
struct RegKey {
    HKEY root = nullptr;
    std::wstring path;   // below the root, without a trailing backslash
    std::wstring value;  // empty with wholeKey
    bool wholeKey = true;
    int line = 0;
};

enum class ExcludeKind { File, Path, Reg };

// What an entry must leave alone although its keys name it.
struct ExcludeKey {
    ExcludeKind kind = ExcludeKind::File;
    std::wstring folder;                 // File, Path: as written, without a trailing backslash
    std::vector<std::wstring> patterns;  // File, Path: empty for everything
    HKEY root = nullptr;                 // Reg
    std::wstring keyPath;                // Reg
    int line = 0;
};

struct RuleEntry {
    std::wstring name;   // without the trailing " *"
    std::wstring group;  // "Google Chrome", "Windows", ... or "Other"
    std::wstring sourceFile;
    int line = 0;  // of the section header

    std::vector<std::wstring> detectKeys;   // registry keys, any one existing detects
    std::vector<std::wstring> detectFiles;  // files or folders, wildcards allowed
    std::wstring detectOs;                  // "min|max" as written, either side empty
    std::vector<std::wstring> specialDetects;

    std::vector<FileKey> fileKeys;
    std::vector<RegKey> regKeys;
    std::vector<ExcludeKey> excludes;
    std::wstring warning;

    bool HasDetection() const {
        return !detectKeys.empty() || !detectFiles.empty() || !detectOs.empty() || !specialDetects.empty();
    }
};

// A problem met while reading or running a rule file: "FILE:LINE: message".
struct RuleProblem {
    std::wstring file;
    int line = 0;
    std::wstring message;
    std::wstring Text() const { return file + L":" + std::to_wstring(line) + L": " + message; }
};

}  // namespace scw::rules
