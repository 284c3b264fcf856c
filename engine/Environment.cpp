#include "engine/Environment.h"

#include <shlobj.h>

namespace scw {

std::optional<std::wstring> SystemEnvironment::KnownFolder(int csidl) const {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)) || !buffer[0])
        return std::nullopt;
    return std::wstring(buffer);
}

std::optional<std::wstring> SystemEnvironment::WindowsFolder() const {
    wchar_t buffer[1024] = {};
    UINT length = ::GetWindowsDirectoryW(buffer, 1024);
    if (length == 0 || length >= 1024) return std::nullopt;
    return std::wstring(buffer, length);
}

std::optional<std::wstring> SystemEnvironment::Variable(const std::wstring& name) const {
    wchar_t buffer[1024] = {};
    DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer, 1024);
    // A value that does not fit is refused rather than cut into another path.
    if (length == 0 || length >= 1024) return std::nullopt;
    return std::wstring(buffer, length);
}

std::vector<std::wstring> SystemEnvironment::LogicalDrives() const {
    wchar_t buffer[1024] = {};
    DWORD length = ::GetLogicalDriveStringsW(1024, buffer);
    std::vector<std::wstring> drives;
    if (length == 0 || length >= 1024) return drives;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) drives.emplace_back(p);
    return drives;
}

UINT SystemEnvironment::DriveType(const std::wstring& root) const { return ::GetDriveTypeW(root.c_str()); }

const Environment& SystemEnv() {
    static const SystemEnvironment env;
    return env;
}

std::optional<std::wstring> OverrideEnvironment::KnownFolder(int csidl) const {
    auto it = known_.find(csidl);
    return it != known_.end() ? it->second : SystemEnvironment::KnownFolder(csidl);
}

std::optional<std::wstring> OverrideEnvironment::WindowsFolder() const {
    return hasWindows_ ? windows_ : SystemEnvironment::WindowsFolder();
}

std::optional<std::wstring> OverrideEnvironment::Variable(const std::wstring& name) const {
    auto it = vars_.find(name);
    return it != vars_.end() ? it->second : SystemEnvironment::Variable(name);
}

std::vector<std::wstring> OverrideEnvironment::LogicalDrives() const {
    if (!hasDrives_) return SystemEnvironment::LogicalDrives();
    std::vector<std::wstring> roots;
    for (const Drive& d : drives_) roots.push_back(d.root);
    return roots;
}

UINT OverrideEnvironment::DriveType(const std::wstring& root) const {
    if (!hasDrives_) return SystemEnvironment::DriveType(root);
    for (const Drive& d : drives_)
        if (d.root == root) return d.type;
    return DRIVE_NO_ROOT_DIR;
}

}  // namespace scw
