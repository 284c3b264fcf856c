#pragma once
// Every rule entry the program knows: winapp2.ini beside the program (the user puts it there) and
// every *.ini in the "rules" folder beside it, in that order. A file that cannot be read is
// skipped with a problem; the first entry of a name wins.
#include <string>
#include <vector>

#include "rules/RuleEntry.h"

namespace scw::rules {

inline constexpr wchar_t kCommunityRuleFile[] = L"winapp2.ini";
inline constexpr wchar_t kRuleFolder[] = L"rules";

struct RuleSet {
    std::vector<RuleEntry> entries;
    std::vector<RuleProblem> problems;

    // By name, letter case ignored, with or without the trailing " *"; null when none.
    const RuleEntry* Find(const std::wstring& name) const;
};

// The rule files beside a program folder (ending in a backslash), in the order they are read.
std::vector<std::wstring> RuleFilesIn(const std::wstring& programFolder);
// Reads one file into the set; its entries and problems name it as `shownAs` (the path when empty).
void LoadRuleFile(const std::wstring& path, RuleSet& into, const std::wstring& shownAs = L"");
// Reads every rule file beside the program folder; each is named by its path below that folder.
RuleSet LoadRuleSet(const std::wstring& programFolder);
// The folder of the running program, ending in a backslash.
std::wstring ProgramFolder();

}  // namespace scw::rules
