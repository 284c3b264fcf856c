#pragma once
// The four commands; each returns the program's exit code.
#include "cli/ConsoleOut.h"
#include "cli/Selection.h"
#include "engine/Catalogue.h"
#include "rules/RuleEntry.h"

namespace scw::cli {

enum ExitCode : int { ExitDone = 0, ExitFailures = 1, ExitUsage = 2, ExitStopped = 3 };

int ListItems(ConsoleOut& out, const Catalogue& catalogue, bool json);
int ListTargets(ConsoleOut& out, const Selection& selection, bool json);
// A scan, or with `clean` a scan followed by the deletion of every selected item and rule entry.
int Sweep(ConsoleOut& out, Catalogue& catalogue, const Selection& selection,
          const std::vector<const rules::RuleEntry*>& ruleEntries, bool json, bool clean);

// Ctrl+C stops the run in progress; Interrupted() says whether it came.
void CatchCtrlC();
bool Interrupted();

}  // namespace scw::cli
