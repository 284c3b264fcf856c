#pragma once
// One place an item looks for traces: a registry key or a folder, with a name and a kind.
#include <windows.h>

#include <cstdint>
#include <string>

namespace scw {

enum TargetKind : uint32_t {
    KindPlain = 0,       // registry: the named value, or every value below the key with "*.*"
    KindUnlisted = 1,    // folder walked, nothing reported, emptied on delete
    KindAllFiles = 10,   // every file below the folder
    KindExtension = 11,  // files whose extension (from the last dot) equals the name
    KindExactName = 12,  // files whose name equals the name exactly
};

struct TraceTarget {
    HKEY root = nullptr;       // null for a file-system target
    std::wstring rootPrefix;   // "HKEY_CURRENT_USER\" and the like; empty for folders
    std::wstring path;         // key path below the root, or a folder ending in a backslash
    std::wstring name;         // value name or "*.*"; file name, extension or "*.*"
    TargetKind kind = KindPlain;

    bool IsRegistry() const { return root != nullptr; }
};

}  // namespace scw
