#include "junk/core/JunkMatch.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace scw {

namespace {
constexpr const wchar_t* kWholeNames[] = {L"iebak.dat", L"system.1st", L"suhdlog.dat",
                                          L"modemdet.txt", L"thumbs.db", L"mscreate.dir"};
}  // namespace

std::wstring_view JunkListName(std::wstring_view fileName, wchar_t* buffer) {
    // Most names are plain ASCII, lowered here; the system's casing (a call per name, which
    // costs as much as listing the name) is asked only for the others.
    bool ascii = true;
    for (size_t i = 0; i < fileName.size(); ++i) {
        const wchar_t c = fileName[i];
        ascii = ascii && c < 0x80;
        buffer[i] = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    }
    if (!ascii) ::CharLowerBuffW(buffer, static_cast<DWORD>(fileName.size()));
    return std::wstring_view(buffer, fileName.size());
}

std::wstring JunkListName(std::wstring_view fileName) {
    std::wstring lower(fileName.size(), L'\0');
    JunkListName(fileName, lower.data());
    return lower;
}

JunkMatcher::JunkMatcher(const std::vector<std::wstring>& patterns) {
    for (const std::wstring& pattern : patterns) {
        if (pattern == L"*.~*") {
            rules_.push_back({Rule::ExtensionStartsWithTilde, {}, {}});
        } else if (pattern == L"~*.*") {
            rules_.push_back({Rule::BaseStartsWithTilde, {}, {}});
        } else if (pattern == L"*.??~") {
            rules_.push_back({Rule::ThreeCharExtensionEndsWithTilde, {}, {}});
        } else if (pattern == L"ffastun.*" || pattern == L"chklist.*") {
            rules_.push_back({Rule::BaseIs, pattern.substr(0, pattern.size() - 2), {}});
        } else if (pattern == L"file????._dd") {
            rules_.push_back({Rule::EightCharBaseWithPrefixAndExtension, L"file", L"_dd"});
        } else if (pattern == L"twain???.mtx") {
            rules_.push_back({Rule::EightCharBaseWithPrefixAndExtension, L"twain", L"mtx"});
        } else if (std::find(std::begin(kWholeNames), std::end(kWholeNames), pattern) != std::end(kWholeNames)) {
            rules_.push_back({Rule::WholeNameIs, pattern, {}});
        } else if (pattern.starts_with(L"*.")) {
            rules_.push_back({Rule::ExtensionIs, pattern.substr(2), {}});
        }
        // Anything else could only equal "*." plus an extension, which it does not start with.
    }
}

bool JunkMatcher::Matches(std::wstring_view lower) const {
    const size_t dot = lower.rfind(L'.');
    if (dot == std::wstring_view::npos) return false;
    const std::wstring_view base = lower.substr(0, dot);
    const std::wstring_view extension = lower.substr(dot + 1);
    for (const Compiled& rule : rules_) {
        if (Holds(rule, lower, base, extension)) return true;
    }
    return false;
}

bool JunkMatcher::Holds(const Compiled& rule, std::wstring_view lower, std::wstring_view base,
                        std::wstring_view extension) {
    switch (rule.rule) {
    case Rule::ExtensionIs: return extension == rule.text;
    case Rule::ExtensionStartsWithTilde: return extension.starts_with(L'~');
    case Rule::BaseStartsWithTilde: return base.starts_with(L'~');
    case Rule::ThreeCharExtensionEndsWithTilde: return extension.size() == 3 && extension.back() == L'~';
    case Rule::WholeNameIs: return lower == rule.text;
    case Rule::BaseIs: return base == rule.text;
    case Rule::EightCharBaseWithPrefixAndExtension:
        return base.size() == 8 && base.starts_with(rule.text) && extension == rule.extension;
    }
    return false;
}

}  // namespace scw
