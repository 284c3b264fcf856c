#pragma once
// What a rule file may delete. A rule file is data anyone may have edited, so it gets the folder
// guard of the catalogue and stricter rules besides:
// - a folder the guard lets a walk delete in (not a drive root, not a protected top folder, not a
//   parent of one) is the rule's to clean as it says, recursively too;
// - in any other folder (the profile, Documents, AppData, the Windows folder, System32, and every
//   folder directly in the profile, where Downloads, Favorites and the like live, ...)
//   only the folder's own files, never RECURSE or REMOVESELF, and only by patterns that cannot
//   stand for the user's or the system's own files (MayMatchInProtected);
// - a registry key is deleted whole only below the keys everything else lives in
//   (RegistryKeyMayGoWhole).
#include <windows.h>

#include <string>
#include <vector>

#include "engine/Environment.h"
#include "engine/FolderSafety.h"
#include "rules/CachedEnvironment.h"

namespace scw::rules {

enum class Reach {
    Nothing,   // not a folder that may be looked into at all
    OwnFiles,  // protected: its own files only, by careful patterns
    Tree,      // the rule's to clean, folders below included
};

class RuleGuard {
public:
    explicit RuleGuard(const Environment& env);

    const Environment& Env() const { return env_; }
    const FolderGuard& Folders() const { return folders_; }

    // For a folder's final path (links resolved), ending in a backslash. Folders directly in the
    // profile are the user's (Downloads, Saved Games, Contacts, ...) whether or not the system
    // names them: a rule reaches only their own files.
    Reach ReachOf(const std::wstring& finalFolder) const;
    // True for the Windows folder, the program files folders and ProgramData, and below them.
    bool IsSystemFolder(const std::wstring& finalFolder) const;

private:
    CachedEnvironment env_;
    FolderGuard folders_;
    std::vector<std::wstring> systemKeys_;   // upper case, ending in a backslash
    std::vector<std::wstring> profileKeys_;  // the profile folder, as spelled and where it really is
};

// A pattern a rule may use in a protected folder (see the README for the rule):
// - a name without wildcards, except a program's or library's in a system folder;
// - with wildcards: a plain extension that is not a program's or library's, and either at least
//   three plain characters before it ("AMD_*.log") or, in a system folder only, a trace's
//   extension (log, tmp, bak, old, dmp, etl, chk, err) after nothing but wildcards ("*.log").
bool MayMatchInProtected(const std::wstring& pattern, bool systemFolder);

// False for the keys that hold everything else: a hive root, anything fewer than three parts below
// its hive, Software\Classes and the keys directly below it, Software\Microsoft\Windows and its
// CurrentVersion, Software\Microsoft\Windows NT\CurrentVersion, and anything under System; the
// same below Software\Wow6432Node.
bool RegistryKeyMayGoWhole(HKEY root, const std::wstring& path);

}  // namespace scw::rules
