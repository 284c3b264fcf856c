#pragma once
// check-update: asks the download location whether a newer version exists; prints one record.
#include "cli/ConsoleOut.h"

namespace scw::cli {

// Exit 0, or 1 when update.ini could not be fetched.
int CheckForUpdate(ConsoleOut& out, bool json);

}  // namespace scw::cli
