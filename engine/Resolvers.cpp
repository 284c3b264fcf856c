#include "engine/Resolvers.h"

#include <shlobj.h>

#include "framework/IniFileRW.h"

namespace scw {

namespace {

constexpr size_t kProfilePathChars = 63;   // the "Path" of profiles.ini: 64 with a terminator
constexpr size_t kPocoPathChars = 259;

// Reads at most `limit` characters; a longer value is refused, never cut into another path.
std::optional<std::wstring> ReadIniLimited(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                                           size_t limit) {
    CIniFileRW ini(CIniFileRW::ByPath{}, file);
    std::wstring value = ini.ReadString(section, key, static_cast<DWORD>(limit + 2));
    if (value.empty() || value.size() > limit) return std::nullopt;
    return value;
}

bool HoldsDotDot(const std::wstring& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = path.size();
        if (path.compare(start, end - start, L"..") == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> ResolveProfileFolder(const Environment& env) {
    // The user's profile itself, not a folder derived from a sibling's name length: that
    // only matched the oldest systems.
    auto profile = env.KnownFolder(CSIDL_PROFILE);
    if (!profile) return std::nullopt;
    return *profile + L"\\";
}

std::optional<std::wstring> ResolveLocalMicrosoft(const Environment& env) {
    auto local = env.KnownFolder(CSIDL_LOCAL_APPDATA);
    if (!local) return std::nullopt;
    return *local + L"\\Microsoft\\";
}

std::optional<std::wstring> ResolveTempVariable(const Environment& env) {
    auto temp = env.Variable(L"TEMP");
    // "C:\Temp\" is as usual as "C:\Temp"; the rules append their own backslash.
    while (temp && temp->size() > 1 && temp->back() == L'\\') temp->pop_back();
    return temp;
}

std::optional<std::wstring> ReadProfileFolder(const Environment& env, const std::wstring& programFolder) {
    auto appData = env.KnownFolder(CSIDL_APPDATA);
    if (!appData) return std::nullopt;
    auto path = ReadIniLimited(*appData + programFolder + L"profiles.ini", L"Profile0", L"Path", kProfilePathChars);
    if (!path) return std::nullopt;
    // Only a relative profile ("Profiles/abcd.default") names a folder below the Profiles
    // folder; an absolute one, an empty name or a way out with ".." gives nothing.
    size_t slash = path->find(L'/');
    if (slash == std::wstring::npos) return std::nullopt;
    std::wstring folder = path->substr(slash + 1);
    if (folder.empty() || HoldsDotDot(folder) || folder.find(L':') != std::wstring::npos ||
        folder.front() == L'/' || folder.front() == L'\\')
        return std::nullopt;
    for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::optional<std::wstring> ReadPocoMailPath(const Environment& env, int which) {
    auto appData = env.KnownFolder(CSIDL_APPDATA);
    if (!appData) return std::nullopt;
    std::wstring pocoFolder = *appData + L"\\PocoMail\\";
    const wchar_t* section = which == 1 ? L"Mail" : L"Program";
    const wchar_t* key = which == 1 ? L"AttachPath" : L"MailPath";
    if (which != 1 && which != 3) return std::nullopt;
    auto value = ReadIniLimited(pocoFolder + L"poco.ini", section, key, kPocoPathChars);
    if (!value) return std::nullopt;
    if (value->size() >= 2 && (*value)[1] == L':') return value;
    return pocoFolder + *value;
}

}  // namespace scw
