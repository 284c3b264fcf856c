#pragma once
// File name patterns of rule files: '*' any run of characters, '?' one character, letter case
// ignored, and a closing ".*" that also matches a name without an extension ("*.*" matches
// every name, "cache.*" also "cache").
#include <string>
#include <string_view>

namespace scw::rules {

class Wildcard {
public:
    explicit Wildcard(std::wstring_view pattern);
    bool Matches(std::wstring_view name) const;
    const std::wstring& Folded() const { return folded_; }

private:
    std::wstring folded_;
    bool optionalExtension_ = false;
};

// Upper case for comparing names: ASCII directly, the rest through the system's table.
wchar_t FoldCase(wchar_t c);
bool HasWildcard(std::wstring_view text);
// The number of '*' and '?' in the text.
size_t WildcardCount(std::wstring_view text);

}  // namespace scw::rules
