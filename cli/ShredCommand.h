#pragma once
// The console's shred command: lists the files (without --yes) or shreds them.
#include <string>
#include <vector>

#include "cli/ConsoleOut.h"

namespace scw::cli {

int ShredPaths(ConsoleOut& out, const std::vector<std::wstring>& paths, int passes, bool json, bool yes);

}  // namespace scw::cli
