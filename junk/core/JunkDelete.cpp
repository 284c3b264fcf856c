#include "junk/core/JunkDelete.h"

#include <windows.h>

#include "engine/FinalPath.h"
#include "engine/Targets.h"

namespace scw {

bool DeleteJunkFile(const std::wstring& path) {
    if (path.empty() || path.size() > kMaxPathChars) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    // Only a file reached through its own folder under its own name: a file link that shows as
    // a plain file would take its target with it.
    if (!ReachedDirectly(path)) return false;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        DWORD cleared = attributes & ~FILE_ATTRIBUTE_READONLY;
        if (!::SetFileAttributesW(path.c_str(), cleared ? cleared : FILE_ATTRIBUTE_NORMAL)) return false;
    }
    if (::DeleteFileW(path.c_str())) return true;
    // Still there (in use, denied): leave it as it was found.
    if (readOnly) ::SetFileAttributesW(path.c_str(), attributes);
    return false;
}

int DeleteJunkFiles(const std::vector<JunkRow>& rows, const std::function<void(const JunkRow&, bool)>& done,
                    const std::atomic<bool>* stop) {
    int failed = 0;
    for (const JunkRow& row : rows) {
        if (stop && stop->load()) break;
        const bool deleted = DeleteJunkFile(row.FullPath());
        if (!deleted) ++failed;
        if (done) done(row, deleted);
    }
    return failed;
}

}  // namespace scw
