#pragma once
// What a user is asked before rule entries that carry a `Warning=` are ticked. Ticking one entry
// shows its own warning; a tick that reaches several at once (a program, the category, Select
// All) asks once, listing them, so a bulk tick never takes a warned entry silently.
#include <string>
#include <vector>

#include "engine/MyObject.h"
#include "rules/RuleEntry.h"

namespace scw::rules {

// At most this many entries are listed in one question; the rest are counted.
inline constexpr size_t kListedWarnings = 8;
// A warning longer than this is shown cut, with an ellipsis: the box must fit on the screen.
inline constexpr size_t kShownWarningLength = 240;

// The rule entry with a warning that a node stands for; null for every other node.
const RuleEntry* WarnedEntryOf(const CMyObject& node);

// The question for a bulk tick reaching these entries: each one's name and warning, then what
// Yes, No and Cancel do.
std::wstring WarningsQuestion(const std::vector<const RuleEntry*>& entries);

}  // namespace scw::rules
