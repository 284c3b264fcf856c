#include "shred/core/ShredTarget.h"

#include <shlwapi.h>

#include "engine/FinalPath.h"
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

ShredTarget OpenShredTarget(const std::wstring& fullPath, DWORD access) {
    ShredTarget target;
    if (!UsablePath(fullPath)) {
        target.check = ShredCheck::Refusing(ShredRefusal::BadPath);
        return target;
    }
    const DWORD attributes = ::GetFileAttributesW(fullPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        target.check = ShredCheck::OfError(::GetLastError());
        return target;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        target.check = ShredCheck::Refusing(ShredRefusal::Link);
        return target;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        target.check = ShredCheck::Refusing(ShredRefusal::Folder);
        return target;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        target.check = ShredCheck::Refusing(ShredRefusal::ReadOnly);
        return target;
    }
    // Opening the link itself where the system knows it as one, so nothing behind it is touched.
    UniqueFileHandle handle(::CreateFileW(fullPath.c_str(), access, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle) {
        target.check = ShredCheck::OfError(::GetLastError());
        return target;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle.Get(), &info)) {
        target.check = ShredCheck::OfError(::GetLastError());
        return target;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        target.check = ShredCheck::Refusing(ShredRefusal::Link);
        return target;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        target.check = ShredCheck::Refusing(ShredRefusal::Folder);
        return target;
    }
    if (!ReachedDirectly(handle.Get(), fullPath)) {
        target.check = ShredCheck::Refusing(ShredRefusal::Link);
        return target;
    }
    target.check.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    target.check.links = info.nNumberOfLinks;
    target.handle = std::move(handle);
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

std::wstring SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return message;
}

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
    case ShredRefusal::Other: return SystemMessage(check.error);
    }
    return L"";
}

}  // namespace scw
