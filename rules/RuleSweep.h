#pragma once
// Scanning and deleting what one rule entry names, through the engine's one walk, its deletion
// primitive, its registry sweep and the rule guard, reporting through the scan run as the
// catalogue's items do (`node` is the entry's node; rows show its name).
#include <vector>

#include "engine/MyObject.h"
#include "engine/ScanRun.h"
#include "rules/RuleEntry.h"
#include "rules/RuleGuard.h"

namespace scw::rules {

// A folder a FileKey reaches, judged: its final path and what may be done there.
struct RulePlace {
    std::wstring folder;  // final path, ending in a backslash
    std::vector<std::wstring> patterns;
    bool recurse = false;
    bool removeSelf = false;
};

// Where the key reaches and what it may do there; what the guard refused goes to `problems`.
std::vector<RulePlace> PlacesOf(const FileKey& key, const RuleEntry& entry, const RuleGuard& guard,
                                std::vector<RuleProblem>* problems = nullptr);

// False when the run's stop ended the scan.
bool ScanRuleEntry(ScanRun& run, CMyObject& node, const RuleEntry& entry, const RuleGuard& guard,
                   std::vector<RuleProblem>* problems = nullptr);
// Deletes what a scan would list; REMOVESELF removes the emptied folders too.
void DeleteRuleEntry(ScanRun& run, CMyObject& node, const RuleEntry& entry, const RuleGuard& guard,
                     std::vector<RuleProblem>* problems = nullptr);

}  // namespace scw::rules
