#include "rules/RuleGuard.h"

#include <shlobj.h>

#include <algorithm>

#include "engine/FinalPath.h"
#include "rules/Wildcard.h"

namespace scw::rules {

namespace {

const int kSystemFolders[] = {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON,
                              CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA};

// The system's own kinds of files: programs, libraries, drivers and what installs them.
const wchar_t* const kProgramTypes[] = {L"EXE", L"DLL", L"SYS", L"DRV", L"OCX", L"CPL", L"SCR", L"COM",
                                        L"MSC", L"MUI", L"EFI", L"MSI", L"MSP", L"CAT", L"MUM", L"MANIFEST",
                                        L"INF", L"BAT", L"CMD", L"PS1", L"VBS", L"JS"};
// Kinds that are traces whatever their name.
const wchar_t* const kTraceTypes[] = {L"LOG", L"TMP", L"BAK", L"OLD", L"DMP", L"ETL", L"CHK", L"ERR"};

template <size_t N>
bool IsOneOf(const std::wstring& upper, const wchar_t* const (&list)[N]) {
    return std::any_of(std::begin(list), std::end(list), [&](const wchar_t* type) { return upper == type; });
}

std::wstring Upper(const std::wstring& text) {
    std::wstring upper;
    for (wchar_t c : text) upper += FoldCase(c);
    return upper;
}

bool Same(const std::wstring& a, const wchar_t* b) {
    return _wcsicmp(a.c_str(), b) == 0;
}

std::vector<std::wstring> Parts(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= path.size() && !path.empty()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Below the user's part of the registry (Software\..., System\...).
bool SoftwarePartsMayGoWhole(std::vector<std::wstring> parts) {
    if (parts.size() < 3 || Same(parts[0], L"System")) return false;
    if (!Same(parts[0], L"Software")) return true;
    if (Same(parts[1], L"Wow6432Node")) {
        parts.erase(parts.begin() + 1);
        return SoftwarePartsMayGoWhole(parts);
    }
    if (Same(parts[1], L"Classes") && parts.size() == 3) return false;
    if (Same(parts[1], L"Microsoft") && Same(parts[2], L"Windows") &&
        (parts.size() == 3 || (parts.size() == 4 && Same(parts[3], L"CurrentVersion"))))
        return false;
    if (Same(parts[1], L"Microsoft") && Same(parts[2], L"Windows NT") && parts.size() == 4 &&
        Same(parts[3], L"CurrentVersion"))
        return false;
    return true;
}

}  // namespace

RuleGuard::RuleGuard(const Environment& env) : env_(env), folders_(env) {
    auto add = [this](const std::wstring& folder) {
        systemKeys_.push_back(FolderKey(folder));
        const std::wstring final = FinalPathOf(folder);
        if (!final.empty()) systemKeys_.push_back(FolderKey(final));
    };
    if (auto windows = env.WindowsFolder()) add(*windows);
    for (int csidl : kSystemFolders)
        if (auto folder = env.KnownFolder(csidl)) add(*folder);
    if (auto profile = env.KnownFolder(CSIDL_PROFILE)) {
        profileKeys_.push_back(FolderKey(*profile));
        const std::wstring final = FinalPathOf(*profile);
        if (!final.empty()) profileKeys_.push_back(FolderKey(final));
    }
}

Reach RuleGuard::ReachOf(const std::wstring& finalFolder) const {
    if (!folders_.MaySearch(finalFolder)) return Reach::Nothing;
    if (!folders_.MayWalk(finalFolder)) return Reach::OwnFiles;
    const std::wstring key = FolderKey(finalFolder);
    const size_t cut = key.find_last_of(L'\\', key.size() - 2);
    const std::wstring parent = cut == std::wstring::npos ? L"" : key.substr(0, cut + 1);
    const bool inProfile = std::find(profileKeys_.begin(), profileKeys_.end(), parent) != profileKeys_.end();
    return inProfile ? Reach::OwnFiles : Reach::Tree;
}

bool RuleGuard::IsSystemFolder(const std::wstring& finalFolder) const {
    const std::wstring key = FolderKey(finalFolder);
    return std::any_of(systemKeys_.begin(), systemKeys_.end(),
                       [&](const std::wstring& system) { return key.rfind(system, 0) == 0; });
}

bool MayMatchInProtected(const std::wstring& pattern, bool systemFolder) {
    const std::wstring upper = Upper(pattern);
    const size_t dot = upper.rfind(L'.');
    const std::wstring stem = dot == std::wstring::npos ? upper : upper.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? L"" : upper.substr(dot + 1);
    if (!HasWildcard(upper)) return !(systemFolder && IsOneOf(extension, kProgramTypes));
    if (extension.empty() || HasWildcard(extension) || IsOneOf(extension, kProgramTypes)) return false;
    const size_t plain = stem.size() - WildcardCount(stem);
    if (plain >= 3) return true;
    return systemFolder && plain == 0 && IsOneOf(extension, kTraceTypes);
}

bool RegistryKeyMayGoWhole(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> parts = Parts(path);
    if (std::any_of(parts.begin(), parts.end(), [](const std::wstring& part) { return part.empty(); })) return false;
    if (root == HKEY_USERS) {
        // Below HKU each user's hive comes first; "<SID>_Classes" is that user's classes.
        if (parts.empty()) return false;
        const bool classes = parts[0].size() > 8 && Same(parts[0].substr(parts[0].size() - 8), L"_Classes");
        parts.erase(parts.begin());
        if (classes) root = HKEY_CLASSES_ROOT;
    }
    if (parts.size() < 3) return false;
    if (root == HKEY_CLASSES_ROOT) parts.insert(parts.begin(), {L"Software", L"Classes"});
    return SoftwarePartsMayGoWhole(parts);
}

}  // namespace scw::rules
