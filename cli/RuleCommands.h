#pragma once
// The console's side of rule files: listing the entries, choosing them by name, and scanning and
// cleaning them with the catalogue's records and counts.
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/ConsoleOut.h"
#include "engine/ScanRun.h"
#include "rules/RuleSet.h"

namespace scw::cli {

int ListRules(ConsoleOut& out, bool json);

// The rule files beside the program and the entries the arguments and the saved sets choose, each
// once. Unknown names given on the command line and each chosen entry's warning go to standard
// error; a saved name whose entry has gone from the rule files is forgotten quietly.
struct RuleChoice {
    rules::RuleSet set;
    std::vector<const rules::RuleEntry*> entries;
};
RuleChoice ChooseRules(ConsoleOut& out, const Arguments& args, const std::vector<std::wstring>& savedNames);

void ListRuleTargets(ConsoleOut& out, const std::vector<const rules::RuleEntry*>& entries, bool json);

// Scans the entries, printing each trace, and with `clean` deletes what they found. Counts go to
// `tally`. False when Ctrl+C stopped it.
bool SweepRules(ConsoleOut& out, const std::vector<const rules::RuleEntry*>& entries, bool json, bool clean,
                DeletionTally& tally);

}  // namespace scw::cli
