#pragma once
// An environment that asks the system once per name: thousands of rule entries name the same
// few known folders, and each answer is a trip through the shell's folder table. One thread only.
#include <map>
#include <optional>
#include <string>

#include "engine/Environment.h"

namespace scw::rules {

class CachedEnvironment : public Environment {
public:
    explicit CachedEnvironment(const Environment& inner) : inner_(inner) {}

    std::optional<std::wstring> KnownFolder(int csidl) const override {
        auto [at, fresh] = known_.try_emplace(csidl);
        if (fresh) at->second = inner_.KnownFolder(csidl);
        return at->second;
    }
    std::optional<std::wstring> WindowsFolder() const override {
        if (!windowsAsked_) windows_ = inner_.WindowsFolder();
        windowsAsked_ = true;
        return windows_;
    }
    std::optional<std::wstring> Variable(const std::wstring& name) const override {
        auto [at, fresh] = variables_.try_emplace(name);
        if (fresh) at->second = inner_.Variable(name);
        return at->second;
    }
    std::vector<std::wstring> LogicalDrives() const override { return inner_.LogicalDrives(); }
    UINT DriveType(const std::wstring& root) const override { return inner_.DriveType(root); }

private:
    const Environment& inner_;
    mutable std::map<int, std::optional<std::wstring>> known_;
    mutable std::map<std::wstring, std::optional<std::wstring>> variables_;
    mutable std::optional<std::wstring> windows_;
    mutable bool windowsAsked_ = false;
};

}  // namespace scw::rules
