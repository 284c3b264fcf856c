#pragma once
// Whether a file name is junk under a list of patterns of the junk type table. A pattern is a
// rule on the name's last extension (or on the name before it), not a general wildcard: "*.tmp"
// takes a.tmp but neither a.tmp2 nor a.tmp.x.
#include <string>
#include <string_view>
#include <vector>

namespace scw {

// The name as the results list shows it (and the match sees it): in lower case.
std::wstring JunkListName(std::wstring_view fileName);
// The same, written into `buffer` (room for fileName.size() characters): a walk that sees every
// file then allocates only for the ones it lists.
std::wstring_view JunkListName(std::wstring_view fileName, wchar_t* buffer);

class JunkMatcher {
public:
    explicit JunkMatcher(const std::vector<std::wstring>& patterns);
    // lowerName is a file name already in lower case.
    bool Matches(std::wstring_view lowerName) const;
    bool Empty() const { return rules_.empty(); }

private:
    enum class Rule { ExtensionIs, ExtensionStartsWithTilde, BaseStartsWithTilde, ThreeCharExtensionEndsWithTilde,
                      WholeNameIs, BaseIs, EightCharBaseWithPrefixAndExtension };
    struct Compiled {
        Rule rule;
        std::wstring text;       // extension, whole name, base or base prefix
        std::wstring extension;  // the fixed extension of the eight-character rule
    };
    static bool Holds(const Compiled& rule, std::wstring_view lower, std::wstring_view base,
                      std::wstring_view extension);

    std::vector<Compiled> rules_;
};

}  // namespace scw
