#include "rules/Wildcard.h"

#include <windows.h>

#include <cwctype>

namespace scw::rules {

namespace {

// Folded pattern against a name; '*' backtracks to its last position only, which is enough for
// patterns of '*' and '?' and keeps the match linear in practice.
bool MatchFolded(std::wstring_view pattern, std::wstring_view name) {
    size_t p = 0, n = 0, star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace

wchar_t FoldCase(wchar_t c) {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    // The file system's own table: the C library's folds ASCII only.
    using UpcaseFn = WCHAR(NTAPI*)(WCHAR);
    static const auto upcase = reinterpret_cast<UpcaseFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
    return upcase ? upcase(c) : static_cast<wchar_t>(std::towupper(c));
}

bool HasWildcard(std::wstring_view text) {
    return text.find_first_of(L"*?") != std::wstring_view::npos;
}

size_t WildcardCount(std::wstring_view text) {
    size_t count = 0;
    for (wchar_t c : text) count += c == L'*' || c == L'?';
    return count;
}

Wildcard::Wildcard(std::wstring_view pattern) {
    folded_.reserve(pattern.size());
    for (wchar_t c : pattern) folded_ += FoldCase(c);
    optionalExtension_ = folded_.size() >= 2 && folded_.ends_with(L".*");
}

bool Wildcard::Matches(std::wstring_view name) const {
    if (MatchFolded(folded_, name)) return true;
    return optionalExtension_ && name.find(L'.') == std::wstring_view::npos &&
           MatchFolded(std::wstring_view(folded_).substr(0, folded_.size() - 2), name);
}

}  // namespace scw::rules
