#pragma once
// The four commands; each returns the program's exit code.
#include "cli/ConsoleOut.h"
#include "cli/Selection.h"
#include "engine/Catalogue.h"

namespace scw::cli {

enum ExitCode : int { ExitDone = 0, ExitFailures = 1, ExitUsage = 2, ExitStopped = 3 };

int ListItems(ConsoleOut& out, const Catalogue& catalogue, bool json);
int ListTargets(ConsoleOut& out, const Selection& selection, bool json);
// A scan, or with `clean` a scan followed by the deletion of every selected item.
int Sweep(ConsoleOut& out, Catalogue& catalogue, const Selection& selection, bool json, bool clean);

}  // namespace scw::cli
