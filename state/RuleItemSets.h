#pragma once
// The rule entries ticked in each of the three item sets, by entry name, in sections of their own
// beside the catalogue's ([DefaultRuleItem] with DefaultRuleItems=N and item0=Name ...), so a
// setting.ini of a version without rule files reads unchanged and such a version ignores them.
#include <string>
#include <vector>

#include "framework/IniFileRW.h"
#include "state/ItemSets.h"

namespace scw {

// More names than this are never read or stored.
inline constexpr int kMaxRuleItemSetEntries = 5000;

struct RuleItemSetContent {
    bool written = false;             // false while the set was never saved
    std::vector<std::wstring> names;  // in the order saved
};

RuleItemSetContent ReadRuleItemSet(const CIniFileRW& file, ItemSet set);
// Replaces the set's section as a whole.
void WriteRuleItemSet(const CIniFileRW& file, ItemSet set, const std::vector<std::wstring>& names);

}  // namespace scw
