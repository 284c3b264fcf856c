#pragma once
// Which folders the shredder may take whole. Taking a folder overwrites and deletes every file
// below it, so a drive or share root, a top folder of the system or the user (Windows, Program
// Files, the profile, AppData, Documents, Desktop, Users, ...) or a parent of one is refused,
// judged where the folder really is (links resolved) as well as by its spelling.
#include <functional>
#include <string>

#include "engine/Environment.h"
#include "shred/core/ShredTarget.h"

namespace scw {

// Passes (refusal None) a folder the shredder may walk. Otherwise: ProtectedFolder, also for a
// link that leads to one; Link for any other link (links are never walked); Missing; BadPath;
// Other with ERROR_DIRECTORY for a file.
ShredCheck CheckShredFolder(const std::wstring& folder, const Environment& env = SystemEnv());

// What a folder walk hands over: every file below (its final path, as a row records it), and
// every file whose full path is over the platform limit (never listed, never cut).
struct FolderFiles {
    std::function<void(const std::wstring&)> onFile;
    std::function<void(const std::wstring&)> onTooLong;
};

// Every file below the folder, depth first, hidden and system files included, when
// CheckShredFolder passes it; the check is returned either way. Linked folders inside are never
// entered.
ShredCheck ForEachFileBelow(const std::wstring& folder, const FolderFiles& files, const Environment& env = SystemEnv());
ShredCheck ForEachFileBelow(const std::wstring& folder, const std::function<void(const std::wstring&)>& onFile,
                            const Environment& env = SystemEnv());

}  // namespace scw
