#pragma once
// Reads the entries of one rule file. One bad key or entry never stops the others: each problem
// is recorded as FILE:LINE: message and the rest is read on.
#include <string>
#include <vector>

#include "rules/RuleEntry.h"

namespace scw::rules {

// Patterns with more wildcards than this are refused: they make walks explode.
inline constexpr size_t kMaxWildcards = 10;
// Longer lines are refused.
inline constexpr size_t kMaxLineChars = 8192;

// Appends the entries of `text` (the file's content) in file order; `fileName` is what problems
// and entries name as their source.
void ParseRuleText(const std::wstring& text, const std::wstring& fileName, std::vector<RuleEntry>& entries,
                   std::vector<RuleProblem>& problems);

// The entry name as shown and matched: blanks trimmed, the conventional trailing " *" removed.
std::wstring EntryName(const std::wstring& sectionName);

}  // namespace scw::rules
