#pragma once
// The console's free-space wipe: tells the drive's free space (without --yes) or wipes it.
#include <string>

#include "cli/ConsoleOut.h"

namespace scw::cli {

int WipeFreeSpaceOf(ConsoleOut& out, const std::wstring& drive, int passes, bool json, bool yes);

}  // namespace scw::cli
