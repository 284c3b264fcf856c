#include "shred/core/ShredTarget.h"

#include <shlwapi.h>

#include "engine/FinalPath.h"
#include "engine/ListedFile.h"
#include "engine/Targets.h"

namespace scw {

namespace {

bool UsablePath(const std::wstring& fullPath) {
    if (fullPath.empty() || fullPath.size() > kMaxPathChars) return false;
    if (::PathIsRelativeW(fullPath.c_str())) return false;
    if (fullPath.back() == L'\\' || fullPath.find_first_of(L"*?\"<>|") != std::wstring::npos) return false;
    // "\\?\" and device paths are not what a user lists.
    return !fullPath.starts_with(L"\\\\?\\") && !fullPath.starts_with(L"\\\\.\\");
}

}  // namespace

ShredCheck ShredCheck::OfError(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return Refusing(ShredRefusal::Missing, code);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Refusing(ShredRefusal::Locked, code);
    default:
        return Refusing(ShredRefusal::Other, code);
    }
}

namespace {

ShredCheck CheckOfRefusal(const DeleteOutcome& outcome) {
    switch (outcome.refusal) {
    case DeleteRefusal::None: return {};
    case DeleteRefusal::Gone: return ShredCheck::Refusing(ShredRefusal::Missing, outcome.error);
    case DeleteRefusal::Link: return ShredCheck::Refusing(ShredRefusal::Link);
    case DeleteRefusal::Moved: return ShredCheck::Refusing(ShredRefusal::Moved);
    case DeleteRefusal::Folder: return ShredCheck::Refusing(ShredRefusal::Folder);
    case DeleteRefusal::TooLong: return ShredCheck::Refusing(ShredRefusal::TooLong);
    case DeleteRefusal::Locked: return ShredCheck::Refusing(ShredRefusal::Locked, outcome.error);
    default: return ShredCheck::OfError(outcome.error ? outcome.error : ERROR_ACCESS_DENIED);
    }
}

}  // namespace

ShredTarget OpenShredTarget(const std::wstring& listedPath, DWORD access) {
    ShredTarget target;
    if (!UsablePath(listedPath)) {
        target.check = ShredCheck::Refusing(ShredRefusal::BadPath);
        return target;
    }
    // What the name itself is, before anything is opened: a link to a folder is a link first.
    const DWORD attributes = ::GetFileAttributesW(listedPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const ShredRefusal refusal = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? ShredRefusal::Link
                                     : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? ShredRefusal::Folder
                                     : (attributes & FILE_ATTRIBUTE_READONLY)    ? ShredRefusal::ReadOnly
                                                                                 : ShredRefusal::None;
        if (refusal != ShredRefusal::None) {
            target.check = ShredCheck::Refusing(refusal);
            return target;
        }
    }
    target.file = ListedFile::Open(listedPath, access, FILE_SHARE_WRITE);
    target.removable = target.file.Ok();
    // Held by a program that lets others write but not delete: it is still overwritten, and its
    // removal is tried once the passes are done.
    if (target.file.Check().refusal == DeleteRefusal::Locked)
        target.file = ListedFile::Open(listedPath, access, FILE_SHARE_WRITE, false);
    target.check = CheckOfRefusal(target.file.Check());
    if (!target.check.Ok()) return target;
    target.check.size = target.file.Size();
    target.check.links = target.file.Info().nNumberOfLinks;
    return target;
}

ShredCheck CheckShredCandidate(const std::wstring& fullPath) {
    return OpenShredTarget(fullPath, GENERIC_WRITE).check;
}

bool IsLinkPath(const std::wstring& fullPath) {
    const DWORD attributes = ::GetFileAttributesW(fullPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
    UniqueFileHandle handle(::CreateFileW(fullPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring path = fullPath;
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return handle && !ReachedDirectly(handle.Get(), path);
}

std::wstring SystemMessage(DWORD error) { return SystemErrorText(error); }

std::wstring RefusalText(const ShredCheck& check) {
    switch (check.refusal) {
    case ShredRefusal::None: return L"";
    case ShredRefusal::Missing: return L"missing";
    case ShredRefusal::Folder: return L"folder";
    case ShredRefusal::Link: return L"link";
    case ShredRefusal::ReadOnly: return L"read-only";
    case ShredRefusal::Locked: return L"locked";
    case ShredRefusal::BadPath: return L"bad path";
    case ShredRefusal::ProtectedFolder: return L"protected folder";
    case ShredRefusal::Moved: return L"moved";
    case ShredRefusal::TooLong: return L"too long";
    case ShredRefusal::Other: return SystemMessage(check.error);
    }
    return L"";
}

}  // namespace scw
