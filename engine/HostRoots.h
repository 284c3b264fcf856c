#pragma once
// Under Wine the files of the Linux host are within reach: a drive whose folder is the Linux root
// (Z: in an ordinary prefix, a fixed disk to every program) and the "\\?\unix\" paths, which the
// file dialogs offer as "/". A cleaner must never take the host's root for a folder to search,
// walk or shred. On Windows there is no host, and nothing is its root.
#include <optional>
#include <string>

namespace scw {

// "\\?\" and "\\.\" paths reach past the drives (under Wine "\\?\unix\" is the host's whole disk).
bool IsDevicePath(const std::wstring& path);

// True when this process runs under Wine: kernel32 then maps Windows paths to Linux ones.
bool RunningUnderWine();

class HostRoots {
public:
    // `hostRoot` is the Linux folder taken for the host's root: "/", but for tests, which stand a
    // harmless folder in for it.
    explicit HostRoots(const std::string& hostRoot = "/");

    // True when the folder is the host's root however it is reached: a drive whose folder it is,
    // a link to it, its own "\\?\unix\" name. Judged where the folder really is, links resolved.
    bool IsHostRoot(const std::wstring& folder) const;

    // Where the host's root really is, upper case and ending in a backslash, as the folder guard
    // keys its protected folders; empty off Wine.
    const std::wstring& Key() const { return key_; }

    // Why a folder may not be the root of a search, a walk or a shredding: a device path, or the
    // host's root. Nothing when it may be.
    std::optional<std::wstring> Refusal(const std::wstring& folder) const;

private:
    std::wstring key_;
};

}  // namespace scw
