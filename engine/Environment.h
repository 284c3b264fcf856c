#pragma once
// Everything target resolution asks of the system apart from the registry: known folders,
// the Windows folder, environment variables and the logical drives. Tests substitute fixture
// folders through OverrideEnvironment; the registry is always the real one.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scw {

class Environment {
public:
    virtual ~Environment() = default;
    // SHGetFolderPathW for the current user, current path; no trailing backslash.
    virtual std::optional<std::wstring> KnownFolder(int csidl) const = 0;
    // GetWindowsDirectoryW; no trailing backslash.
    virtual std::optional<std::wstring> WindowsFolder() const = 0;
    // GetEnvironmentVariableW; nullopt when unset or empty.
    virtual std::optional<std::wstring> Variable(const std::wstring& name) const = 0;
    // Drive roots ("C:\") in the order GetLogicalDriveStringsW gives them.
    virtual std::vector<std::wstring> LogicalDrives() const = 0;
    virtual UINT DriveType(const std::wstring& root) const = 0;
    // Under Wine, the Linux folder that is the host's root ("/"), which nothing may walk.
    virtual std::string HostRootFolder() const { return "/"; }
};

class SystemEnvironment : public Environment {
public:
    std::optional<std::wstring> KnownFolder(int csidl) const override;
    std::optional<std::wstring> WindowsFolder() const override;
    std::optional<std::wstring> Variable(const std::wstring& name) const override;
    std::vector<std::wstring> LogicalDrives() const override;
    UINT DriveType(const std::wstring& root) const override;
};

// The process's own environment.
const Environment& SystemEnv();

// Answers from its own tables where it has an entry, from the system otherwise. A folder set
// to nullopt resolves as failed. Set drives replace the system's drive list entirely.
class OverrideEnvironment : public SystemEnvironment {
public:
    void SetKnownFolder(int csidl, std::optional<std::wstring> folder) { known_[csidl] = std::move(folder); }
    void SetWindowsFolder(std::optional<std::wstring> folder) { windows_ = std::move(folder); hasWindows_ = true; }
    void SetVariable(const std::wstring& name, std::optional<std::wstring> value) { vars_[name] = std::move(value); }
    void AddDrive(const std::wstring& root, UINT type) { drives_.push_back({root, type}); hasDrives_ = true; }
    void ClearDrives() { drives_.clear(); hasDrives_ = true; }
    // A harmless Linux folder standing in for the host's root.
    void SetHostRootFolder(std::string folder) { hostRoot_ = std::move(folder); }

    std::optional<std::wstring> KnownFolder(int csidl) const override;
    std::optional<std::wstring> WindowsFolder() const override;
    std::optional<std::wstring> Variable(const std::wstring& name) const override;
    std::vector<std::wstring> LogicalDrives() const override;
    UINT DriveType(const std::wstring& root) const override;
    std::string HostRootFolder() const override { return hostRoot_; }

private:
    std::string hostRoot_ = "/";
    struct Drive {
        std::wstring root;
        UINT type;
    };
    std::map<int, std::optional<std::wstring>> known_;
    std::optional<std::wstring> windows_;
    bool hasWindows_ = false;
    std::map<std::wstring, std::optional<std::wstring>> vars_;
    std::vector<Drive> drives_;
    bool hasDrives_ = false;
};

}  // namespace scw
