#include "rules/RuleDetection.h"

#include "engine/FolderWalk.h"
#include "engine/Registry.h"
#include "framework/UniqueHandle.h"
#include "rules/RegistryPath.h"
#include "rules/RuleVariables.h"
#include "rules/Wildcard.h"

namespace scw::rules {

namespace {

bool OpenKey(HKEY root, const std::wstring& path) {
    UniqueKey key;
    return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Put()) == ERROR_SUCCESS;
}

// "10.0" as 10000; nullopt for anything else than digits and one optional dot part.
std::optional<unsigned> VersionNumber(const std::wstring& text) {
    unsigned major = 0, minor = 0;
    size_t at = 0;
    auto digits = [&](unsigned& into) {
        const size_t start = at;
        while (at < text.size() && iswdigit(text[at]) && at - start < 4) into = into * 10 + (text[at++] - L'0');
        return at > start;
    };
    if (!digits(major)) return std::nullopt;
    if (at < text.size() && text[at] == L'.') {
        ++at;
        if (!digits(minor)) return std::nullopt;
        while (at < text.size() && (iswdigit(text[at]) || text[at] == L'.')) ++at;  // build numbers
    }
    if (at != text.size()) return std::nullopt;
    return major * 1000 + minor;
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    return first == std::wstring::npos ? L"" : text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

unsigned WindowsVersionNumber() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto getVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!getVersion || getVersion(&info) != 0) return 0;
    return info.dwMajorVersion * 1000 + info.dwMinorVersion;
}

bool RuleDetector::OsInRange(const std::wstring& range) const {
    const size_t bar = range.find(L'|');
    if (bar == std::wstring::npos) return false;
    const std::wstring low = Trimmed(range.substr(0, bar)), high = Trimmed(range.substr(bar + 1));
    if (low.empty() && high.empty()) return false;
    const std::optional<unsigned> min = low.empty() ? std::optional<unsigned>(0) : VersionNumber(low);
    const std::optional<unsigned> max = high.empty() ? std::optional<unsigned>(~0u) : VersionNumber(high);
    return min && max && *min <= version_ && version_ <= *max;
}

bool RuleDetector::KeyPathExists(HKEY root, const std::wstring& path) {
    std::wstring cacheKey = std::to_wstring(reinterpret_cast<ULONG_PTR>(root)) + L"\\";
    for (wchar_t c : path) cacheKey += FoldCase(c);
    auto [cached, fresh] = keys_.try_emplace(cacheKey, false);
    if (!fresh) return cached->second;
    const size_t cut = path.find_last_of(L'\\');
    const bool parentThere = cut == std::wstring::npos || KeyPathExists(root, path.substr(0, cut));
    // The map's node stays where it is while the parents are added.
    return cached->second = parentThere && OpenKey(root, path);
}

bool RuleDetector::KeyExists(const std::wstring& text) {
    RegistryPath path;
    if (!ParseRegistryPath(text, path)) return false;
    if (KeyPathExists(path.root, path.path)) return true;
    const std::optional<std::wstring> wow = Wow32KeyPath(path.root, path.path);
    return wow && KeyPathExists(path.root, *wow);
}

bool RuleDetector::FileExists(const std::wstring& path) {
    std::wstring cacheKey;
    for (wchar_t c : path) cacheKey += FoldCase(c);
    auto [cached, fresh] = files_.try_emplace(cacheKey, false);
    if (!fresh) return cached->second;
    const size_t cut = path.find_last_of(L'\\');
    // A drive root ("C:\\") or a share is asked directly.
    const bool parentThere = cut == std::wstring::npos || cut < 3 || FileExists(path.substr(0, cut));
    return cached->second = parentThere && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RuleDetector::PathExists(const std::wstring& text) {
    auto [cached, fresh] = texts_.try_emplace(text, false);
    if (!fresh) return cached->second;
    bool found = false;
    for (const std::wstring& expanded : ExpandVariables(text, env_)) {
        const std::optional<std::wstring> path = ResolveDots(expanded);
        if (!path || path->size() > 259) continue;
        const size_t wild = path->find_first_of(L"*?");
        if (wild == std::wstring::npos) {
            found = FileExists(path->size() > 3 && path->back() == L'\\' ? path->substr(0, path->size() - 1) : *path);
        } else if (const size_t plain = path->find_last_of(L'\\', wild); FileExists(path->substr(0, plain))) {
            // Folders with wildcards expand through the walk's own expansion (never through a
            // link); the last segment is looked for in each.
            const size_t cut = path->find_last_of(L'\\');
            const Wildcard last(path->substr(cut + 1));
            for (const std::wstring& folder : ExpandFolderPattern(path->substr(0, cut + 1), 256)) {
                WIN32_FIND_DATAW data;
                UniqueFind find(::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                                   FindExSearchNameMatch, nullptr, 0));
                if (!find) continue;
                do {
                    found = !IsDotsName(data.cFileName) && last.Matches(data.cFileName);
                } while (!found && ::FindNextFileW(find.Get(), &data));
                if (found) break;
            }
        }
        if (found) break;
    }
    return cached->second = found;
}

bool RuleDetector::Special(const std::wstring& name) {
    if (name == L"DET_CHROME") return PathExists(L"%LocalAppData%\\Google\\Chrome\\User Data");
    if (name == L"DET_MOZILLA") return PathExists(L"%AppData%\\Mozilla\\Firefox");
    if (name == L"DET_THUNDERBIRD") return PathExists(L"%AppData%\\Thunderbird");
    if (name == L"DET_OPERA") return PathExists(L"%AppData%\\Opera Software");
    return false;
}

bool RuleDetector::IsDetected(const RuleEntry& entry) {
    if (!entry.HasDetection()) return true;
    if (!entry.detectOs.empty() && OsInRange(entry.detectOs)) return true;
    for (const std::wstring& key : entry.detectKeys)
        if (KeyExists(key)) return true;
    for (const std::wstring& path : entry.detectFiles)
        if (PathExists(path)) return true;
    for (const std::wstring& name : entry.specialDetects)
        if (Special(name)) return true;
    return false;
}

}  // namespace scw::rules
