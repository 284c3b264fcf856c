#include "junk/core/JunkMatch.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace scw {

namespace {
constexpr const wchar_t* kWholeNames[] = {L"iebak.dat", L"system.1st", L"suhdlog.dat",
                                          L"modemdet.txt", L"thumbs.db", L"mscreate.dir"};
}  // namespace

std::wstring JunkListName(std::wstring_view fileName) {
    std::wstring lower(fileName);
    if (!lower.empty()) ::CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
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
