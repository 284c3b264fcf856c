#pragma once
// One word for what an update check found, as records and scripts name it.
#include "update/core/AutoUpdater.h"

namespace scw {

// "newer", "current", "malformed" (also for an answer that names no version), "no-version" (the
// running program has none) or "failed" (no connection, or update.ini could not be fetched).
const wchar_t* UpdateStatusWord(const UpdateFinding& finding);

}  // namespace scw
