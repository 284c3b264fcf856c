#include "shred/core/ShredFolder.h"

#include <shlwapi.h>
#include <windows.h>

#include "engine/FinalPath.h"
#include "engine/FolderSafety.h"
#include "engine/FolderWalk.h"
#include "engine/ListedFile.h"
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

class FilesBelow final : public FolderVisitor {
public:
    explicit FilesBelow(const FolderFiles& files) : files_(files) {}
    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        files_.onFile(folder + entry.cFileName);
        return true;
    }
    void OnTooLong(const std::wstring& folder, const wchar_t* name) override {
        if (files_.onTooLong) files_.onTooLong(folder + name);
    }

private:
    const FolderFiles& files_;
};

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

ShredCheck ForEachFileBelow(const std::wstring& folder, const FolderFiles& files, const Environment& env) {
    ShredCheck check = CheckShredFolder(folder, env);
    if (!check.Ok()) return check;
    // Files are named where they really are: the shred checks each against that path.
    const std::optional<std::wstring> root = ListingFolder(AsFolderPath(folder));
    if (!root) return ShredCheck::Refusing(ShredRefusal::Link);
    FilesBelow visitor(files);
    WalkFolder(*root, visitor);
    return check;
}

ShredCheck ForEachFileBelow(const std::wstring& folder, const std::function<void(const std::wstring&)>& onFile,
                            const Environment& env) {
    return ForEachFileBelow(folder, FolderFiles{onFile, nullptr}, env);
}

}  // namespace scw
