#pragma once
// Opening a listed file for shredding, and what refuses it. Only the very file listed is ever
// written: it is opened once without following a link and checked through that handle (its final
// path must be the listed one, letter for letter), and every pass, the cut, the rename and the
// delete go through that same handle. A link is refused (writing through it would destroy the
// file it points to), and so is a folder, or a file whose folder now leads somewhere else.
#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/ListedFile.h"

namespace scw {

// ProtectedFolder: a folder the shredder never walks (a drive or share root, a system or user
// top folder, or a parent of one).
// Moved: its folder now leads somewhere else (renamed, or swapped for a link) since it was listed.
// TooLong: its full path is over the platform's limit, so it was never listed.
enum class ShredRefusal { None, Missing, Folder, Link, ReadOnly, Locked, BadPath, ProtectedFolder, Moved, TooLong, Other };

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
    ListedFile file;  // open only when the check passed
    ShredCheck check;
    // True when it may be renamed and deleted through this handle (another program that holds
    // it without delete sharing leaves it open for writing only).
    bool removable = false;
};

// Opens the listed file with the given access (share mode: writers only), asking for delete
// access too where it can be had.
ShredTarget OpenShredTarget(const std::wstring& listedPath, DWORD access);

// The check of a file about to be listed: opened for writing as a shred pass opens it, measured
// and closed again.
ShredCheck CheckShredCandidate(const std::wstring& fullPath);

// True when the path names a link (symbolic link, junction, mount point) rather than a file or
// a folder of its own.
bool IsLinkPath(const std::wstring& fullPath);

// "link", "moved", "too long", "read-only", "locked", "missing", "folder", "bad path",
// "protected folder" or the system's message.
std::wstring RefusalText(const ShredCheck& check);
std::wstring SystemMessage(DWORD error);

}  // namespace scw
