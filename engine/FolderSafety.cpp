#include "engine/FolderSafety.h"

#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "engine/FinalPath.h"
#include "engine/HostRoots.h"
#include "engine/Resolvers.h"
#include "engine/Targets.h"

namespace scw {

namespace {

const int kTopFolders[] = {
    CSIDL_WINDOWS,       CSIDL_SYSTEM,         CSIDL_SYSTEMX86,       CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROFILE, CSIDL_APPDATA,
    CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA, CSIDL_PERSONAL,        CSIDL_COMMON_DOCUMENTS,
    CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_MYMUSIC, CSIDL_MYPICTURES,
    CSIDL_MYVIDEO,
};

// Folders that may be emptied but must go on existing.
const int kKeptFolders[] = {CSIDL_RECENT, CSIDL_COOKIES, CSIDL_HISTORY, CSIDL_INTERNET_CACHE, CSIDL_FAVORITES,
                            CSIDL_CDBURN_AREA, CSIDL_SENDTO, CSIDL_TEMPLATES};

bool IsDriveRoot(const std::wstring& key) {
    if (key.size() == 3 && key[1] == L':' && key[2] == L'\\') return true;
    // "\\server\share\" is the root of a network drive.
    if (key.rfind(L"\\\\", 0) == 0)
        return std::count(key.begin() + 2, key.end(), L'\\') <= 2;
    return false;
}

bool IsAbsolute(const std::wstring& folder) {
    if (folder.size() >= 3 && iswalpha(folder[0]) && folder[1] == L':' && folder[2] == L'\\') return true;
    return folder.rfind(L"\\\\", 0) == 0 && folder.rfind(L"\\\\?\\", 0) != 0 && folder.rfind(L"\\\\.\\", 0) != 0;
}

// "." and ".." components, and empty ones ("C:\a\\b") or ones the system would trim (trailing
// dots and blanks), all of which can make a path name a folder it does not spell.
bool HasOddComponent(const std::wstring& folder) {
    bool unc = folder.rfind(L"\\\\", 0) == 0;
    if (folder.find(L"\\\\", unc ? 1 : 0) != std::wstring::npos) return true;
    size_t start = unc ? 2 : 0;
    while (start < folder.size()) {
        size_t end = folder.find(L'\\', start);
        if (end == std::wstring::npos) end = folder.size();
        wchar_t tail = folder[end - 1];
        if (end > start && (tail == L'.' || tail == L' ')) return true;
        start = end + 1;
    }
    return false;
}

// The long, full form of an existing folder, so that a short name ("PROGRA~1") or another
// spelling is still recognised as the protected folder it is.
std::wstring Canonical(const std::wstring& folder) {
    wchar_t full[MAX_PATH] = {};
    DWORD length = ::GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return FolderKey(folder);
    wchar_t longer[MAX_PATH] = {};
    length = ::GetLongPathNameW(full, longer, MAX_PATH);
    return FolderKey(length && length < MAX_PATH ? longer : full);
}

// Where an existing folder really is, every link on the way resolved; nullopt when it cannot be
// opened. Text alone cannot tell that "C:\alias\" is the profile folder.
std::optional<std::wstring> FinalKey(const std::wstring& folder) {
    const std::wstring path = FinalPathOf(folder);
    if (path.empty()) return std::nullopt;
    return FolderKey(path);
}

// The folder's key by its spelling and, when it exists, by where it really is.
std::vector<std::wstring> KeysOf(const std::wstring& folder) {
    std::vector<std::wstring> keys{Canonical(folder)};
    if (auto resolved = FinalKey(folder); resolved && *resolved != keys.front()) keys.push_back(*resolved);
    return keys;
}

// True when `key` is `inner` or one of its ancestors; both end in a backslash, so whole components compare.
bool Contains(const std::wstring& key, const std::wstring& inner) { return inner.rfind(key, 0) == 0; }

}  // namespace

std::wstring FolderKey(std::wstring folder) {
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : towupper(c);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

FolderGuard::FolderGuard(const Environment& env) {
    auto protect = [this](const std::wstring& folder) {
        for (std::wstring& key : KeysOf(folder)) protected_.push_back(std::move(key));
    };
    auto keep = [this](const std::wstring& folder) {
        for (std::wstring& key : KeysOf(folder)) kept_.push_back(std::move(key));
    };
    for (int csidl : kTopFolders)
        if (auto folder = env.KnownFolder(csidl)) protect(*folder);
    if (auto windows = env.WindowsFolder()) {
        protect(*windows);
        // The system's own folders, whatever the known-folder table answers for them.
        for (const wchar_t* name : {L"System32", L"SysWOW64", L"WinSxS"}) protect(*windows + L"\\" + name);
    }
    if (auto profile = ResolveProfileFolder(env)) {
        // The folder that holds every user's profile.
        std::wstring key = Canonical(*profile);
        size_t cut = key.find_last_of(L'\\', key.size() - 2);
        if (cut != std::wstring::npos) protect(key.substr(0, cut + 1));
    }
    // Under Wine, the Linux root: a drive onto it (Z:) would hand every file of the host to a walk.
    if (const HostRoots host(env.HostRootFolder()); !host.Key().empty()) protected_.push_back(host.Key());
    for (int csidl : kKeptFolders)
        if (auto folder = env.KnownFolder(csidl)) keep(*folder);
    for (const wchar_t* variable : {L"TEMP", L"TMP"})
        if (auto folder = env.Variable(variable)) keep(*folder);
    if (auto windows = env.WindowsFolder()) {
        keep(*windows + L"\\Temp");
        keep(*windows + L"\\Debug");
    }
}

bool FolderGuard::KeepsItself(const std::wstring& folder) const {
    for (const std::wstring& key : KeysOf(folder))
        if (std::find(kept_.begin(), kept_.end(), key) != kept_.end()) return true;
    return false;
}

bool FolderGuard::MaySearch(const std::wstring& folder) const {
    if (folder.empty() || folder.size() > kMaxPathChars || folder.back() != L'\\') return false;
    if (!IsAbsolute(folder) || HasOddComponent(folder)) return false;
    if (folder.find_first_of(L"*?\"<>|/") != std::wstring::npos) return false;
    // A target that is itself a link would search whatever it points to. Asked with its final
    // backslash, the system answers for the folder the link points to.
    DWORD attributes = ::GetFileAttributesW(folder.substr(0, folder.size() - 1).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool FolderGuard::MayWalk(const std::wstring& folder) const {
    if (!MaySearch(folder) || IsDriveRoot(FolderKey(folder))) return false;
    // A walking delete removes the folders it empties: a parent of a protected or kept folder
    // would take that folder with it, and a link on the way can make any spelling reach one.
    for (const std::wstring& key : KeysOf(folder)) {
        if (IsDriveRoot(key)) return false;
        for (const std::wstring& inner : protected_)
            if (Contains(key, inner)) return false;
        for (const std::wstring& inner : kept_)
            if (Contains(key, inner) && key != inner) return false;
    }
    return true;
}

}  // namespace scw
