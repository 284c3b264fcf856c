#pragma once
// The one walk over a folder tree: the sweep, the junk search, the shredder's folder Add and the
// rule files all list files through it. It skips "." and "..", never enters a link (junction,
// symbolic link, mount point: a profile holds junction loops, and what a link reaches may lie
// anywhere), skips and reports paths over the platform limit (a cut path would name something
// else), polls for a stop, and hands every entry to a visitor.
#include <windows.h>

#include <string>
#include <vector>

namespace scw {

class FolderVisitor {
public:
    // A file (anything that is not a folder) in `folder` (ending in a backslash). False stops.
    virtual bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) = 0;
    // A folder below (never a link): true to walk into it.
    virtual bool OnFolder(const std::wstring& /*folder*/, const WIN32_FIND_DATAW& /*entry*/) { return true; }
    // After everything in the folder, and below it, was visited (where an emptied folder goes).
    virtual void OnFolderDone(const std::wstring& /*folder*/) {}
    // An entry skipped because its full path would be over the limit.
    virtual void OnTooLong(const std::wstring& /*folder*/, const wchar_t* /*name*/) {}
    // Polled between entries; true ends the walk.
    virtual bool StopRequested() { return false; }

protected:
    ~FolderVisitor() = default;
};

struct WalkOptions {
    bool recurse = true;
    // The system's search pattern in each folder; folders are still entered whatever it says
    // only when it is "*" (a narrower pattern searches the first folder alone).
    std::wstring pattern = L"*";
    // Reads a folder's entries in full before visiting any, so a visitor that deletes never
    // disturbs the listing it is working through.
    bool readFolderFirst = false;
};

// Walks `folder` (ending in a backslash; for what is deleted, its final path, see ListingFolder).
// False when the visitor stopped the walk.
bool WalkFolder(const std::wstring& folder, FolderVisitor& visitor, const WalkOptions& options = {});

// The existing folders a path with wildcard segments names ("...\User Data\*\*Cache*\"; '*' and
// '?' in any segment, letter case ignored), each ending in a backslash, in the order found. A
// segment never matches a link, so an expansion never leaves the tree it started in; a path
// without wildcards names itself when it exists. At most `limit` folders.
std::vector<std::wstring> ExpandFolderPattern(const std::wstring& pattern, size_t limit = 4096);

// True for "." and "..".
inline bool IsDotsName(const wchar_t* name) {
    return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2]));
}

}  // namespace scw
