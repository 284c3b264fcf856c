#pragma once
// Registry paths as rule files write them: "HKCU\Software\X", "HKEY_LOCAL_MACHINE\...", ...
#include <windows.h>

#include <string>

namespace scw::rules {

struct RegistryPath {
    HKEY root = nullptr;
    std::wstring path;  // below the root; no leading or trailing backslash
};

// Accepts HKCU, HKLM, HKU, HKCR and their long names (letter case ignored). False for any other
// root, an empty path below it is allowed (the hive itself).
bool ParseRegistryPath(const std::wstring& text, RegistryPath& out);

}  // namespace scw::rules
