#pragma once
// The item tree's "More Programs" category: one program node per group with a detected entry and
// one item per detected entry, after the catalogue's categories. Its nodes have no catalogue ID
// (0), so the catalogue's item sets never store them; their ticks are kept by entry name.
#include <string>
#include <vector>

#include "engine/Environment.h"
#include "engine/MyObject.h"
#include "rules/RuleEntry.h"
#include "rules/RuleSet.h"

namespace scw::rules {

inline constexpr wchar_t kMoreProgramsName[] = L"More Programs";
inline constexpr UINT kMoreProgramsIcon = 37;
inline constexpr UINT kRuleProgramIcon = 38;

// An item of the category: it holds its own copy of the entry, so it lives as long as the node.
class RuleNode : public CMyObject {
public:
    RuleNode(CMyObject* parent, RuleEntry ruleEntry);
    const RuleEntry entry;
};

// The entry of a rule item; null for every other node.
const RuleEntry* RuleOf(const CMyObject& node);

// The category with the detected entries of the set, groups in the order first met; null when
// none is detected (or memory ran out). The caller owns the subtree (Catalogue::Append).
CMyObject* BuildMorePrograms(const RuleSet& set, const Environment& env);

// The rule entries' names of the ticked items among `items` (others are skipped).
std::vector<std::wstring> RuleNamesOf(const std::vector<CMyObject*>& items);

}  // namespace scw::rules
