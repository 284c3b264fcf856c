#include "engine/FolderSafety.h"

#include <shlobj.h>

#include <algorithm>

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

}  // namespace

std::wstring FolderKey(std::wstring folder) {
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : towupper(c);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

FolderGuard::FolderGuard(const Environment& env) {
    for (int csidl : kTopFolders)
        if (auto folder = env.KnownFolder(csidl)) protected_.push_back(Canonical(*folder));
    if (auto windows = env.WindowsFolder()) protected_.push_back(Canonical(*windows));
    if (auto profile = ResolveProfileFolder(env)) {
        // The folder that holds every user's profile.
        std::wstring key = Canonical(*profile);
        size_t cut = key.find_last_of(L'\\', key.size() - 2);
        if (cut != std::wstring::npos) protected_.push_back(key.substr(0, cut + 1));
    }
    for (int csidl : kKeptFolders)
        if (auto folder = env.KnownFolder(csidl)) kept_.push_back(Canonical(*folder));
    for (const wchar_t* variable : {L"TEMP", L"TMP"})
        if (auto folder = env.Variable(variable)) kept_.push_back(Canonical(*folder));
    if (auto windows = env.WindowsFolder()) {
        kept_.push_back(Canonical(*windows + L"\\Temp"));
        kept_.push_back(Canonical(*windows + L"\\Debug"));
    }
}

bool FolderGuard::KeepsItself(const std::wstring& folder) const {
    std::wstring key = Canonical(folder);
    return std::find(kept_.begin(), kept_.end(), key) != kept_.end();
}

bool FolderGuard::MayWalk(const std::wstring& folder) const {
    if (folder.empty() || folder.size() > kMaxPathChars || folder.back() != L'\\') return false;
    if (!IsAbsolute(folder) || HasOddComponent(folder)) return false;
    if (folder.find_first_of(L"*?\"<>|/") != std::wstring::npos) return false;
    if (IsDriveRoot(FolderKey(folder))) return false;
    std::wstring key = Canonical(folder);
    if (IsDriveRoot(key)) return false;
    if (std::find(protected_.begin(), protected_.end(), key) != protected_.end()) return false;
    // A target that is itself a link would walk whatever it points to.
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    return true;
}

}  // namespace scw
