#include "shred/core/ShredFolder.h"

#include <shlwapi.h>
#include <windows.h>

#include "engine/FinalPath.h"
#include "engine/FolderSafety.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {

// The folder as the checks ask the system about it: without trailing backslashes except a
// root's (asked with one, the system answers for the folder a link points to, not the link).
std::wstring AsFolderPath(std::wstring folder) {
    // "C:" alone is the current folder on C: to the system, but whoever names it means the drive.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::wstring WithSlash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

void WalkBelow(const std::wstring& folder, const std::function<void(const std::wstring&)>& onFile) {
    const std::wstring base = WithSlash(folder);
    const std::wstring pattern = base + L"*.*";
    if (pattern.size() > kMaxPathChars) return;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = base + name;
        if (path.size() > kMaxPathChars) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A linked folder belongs to someone else's tree.
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) WalkBelow(path, onFile);
            continue;
        }
        onFile(path);
    } while (::FindNextFileW(find.Get(), &data));
}

}  // namespace

ShredCheck CheckShredFolder(const std::wstring& folder, const Environment& env) {
    const std::wstring path = AsFolderPath(folder);
    if (path.empty() || path.size() >= kMaxPathChars || ::PathIsRelativeW(path.c_str()) ||
        path.find_first_of(L"*?\"<>|") != std::wstring::npos)
        return ShredCheck::Refusing(ShredRefusal::BadPath);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ShredCheck::OfError(::GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ShredCheck::Refusing(ShredRefusal::Other, ERROR_DIRECTORY);

    const FolderGuard guard(env);
    if (IsLinkPath(path)) {
        // Never walked; but a link to the profile is the profile to the user who chose it.
        const std::wstring target = FinalPathOf(path);
        const bool protectedTarget = !target.empty() && !guard.MayWalk(WithSlash(target));
        return ShredCheck::Refusing(protectedTarget ? ShredRefusal::ProtectedFolder : ShredRefusal::Link);
    }
    if (!guard.MaySearch(WithSlash(path))) return ShredCheck::Refusing(ShredRefusal::BadPath);
    if (!guard.MayWalk(WithSlash(path))) return ShredCheck::Refusing(ShredRefusal::ProtectedFolder);
    return {};
}

ShredCheck ForEachFileBelow(const std::wstring& folder, const std::function<void(const std::wstring&)>& onFile,
                            const Environment& env) {
    ShredCheck check = CheckShredFolder(folder, env);
    if (check.Ok()) WalkBelow(AsFolderPath(folder), onFile);
    return check;
}

}  // namespace scw
