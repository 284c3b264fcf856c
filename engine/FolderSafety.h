#pragma once
// Which folders a walking scan or delete may enter. A stored value under another program's
// control (a registry value, an INI file) must never turn a target into a whole drive or one of
// the system's or the user's top folders.
#include <string>
#include <vector>

#include "engine/Environment.h"

namespace scw {

class FolderGuard {
public:
    explicit FolderGuard(const Environment& env);

    // True for an absolute folder ending in a backslash, at most 259 characters, without "." or
    // ".." components or wildcards, that is not itself a link: one whose own files may be looked at.
    bool MaySearch(const std::wstring& folder) const;

    // MaySearch, and the folder is neither a drive root nor a protected top folder nor a parent of
    // one or of a kept folder, judged where it really is (links resolved) as well as by its spelling.
    bool MayWalk(const std::wstring& folder) const;

    // True for a folder the system or the user's programs expect to exist (TEMP, the Recent,
    // Cookies, History, Internet cache and Favorites folders, Windows\Temp and Windows\Debug):
    // a delete may empty it but never removes the folder itself.
    bool KeepsItself(const std::wstring& folder) const;

private:
    // Upper case, each ending in a backslash; a folder reached through a link has both its keys.
    std::vector<std::wstring> protected_;
    std::vector<std::wstring> kept_;
};

// Upper case with a trailing backslash, for comparing folder names.
std::wstring FolderKey(std::wstring folder);

}  // namespace scw
