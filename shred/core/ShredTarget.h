#pragma once
// Opening a listed file for shredding, and what refuses it. Only the very file named is ever
// written: a link is refused (writing through it would destroy the file it points to), and so is
// a folder. Under Wine a file symlink carries no reparse bit, so a file also counts as a link when
// its final path is not its own folder's final path plus its name.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/UniqueHandle.h"

namespace scw {

// ProtectedFolder: a folder the shredder never walks (a drive or share root, a system or user
// top folder, or a parent of one).
enum class ShredRefusal { None, Missing, Folder, Link, ReadOnly, Locked, BadPath, ProtectedFolder, Other };

struct ShredCheck {
    ShredRefusal refusal = ShredRefusal::None;
    DWORD error = 0;  // the system's code behind Other
    std::uint64_t size = 0;
    DWORD links = 1;  // names of the file (hard links)
    bool Ok() const { return refusal == ShredRefusal::None; }
    static ShredCheck Refusing(ShredRefusal why, DWORD code = 0) {
        ShredCheck check;
        check.refusal = why;
        check.error = code;
        return check;
    }
    // What the system's error on reaching a path means: Missing, Locked, or Other with the code.
    static ShredCheck OfError(DWORD code);
};

struct ShredTarget {
    UniqueFileHandle handle;
    ShredCheck check;
};

// Opens the file with the given access (share mode: writers only). The handle is open only when
// the check passed.
ShredTarget OpenShredTarget(const std::wstring& fullPath, DWORD access);

// The check of a file about to be listed: opened for writing as a shred pass opens it, measured
// and closed again.
ShredCheck CheckShredCandidate(const std::wstring& fullPath);

// True when the path names a link (symbolic link, junction, mount point) rather than a file or
// a folder of its own.
bool IsLinkPath(const std::wstring& fullPath);

// "link", "read-only", "locked", "missing", "folder", "bad path", "protected folder" or the
// system's message.
std::wstring RefusalText(const ShredCheck& check);
std::wstring SystemMessage(DWORD error);

}  // namespace scw
