#pragma once
// Scanning and deleting an item's targets, and deleting one listed trace.
#include "engine/Environment.h"
#include "engine/MyObject.h"
#include "engine/ScanRun.h"
#include "engine/TraceList.h"

namespace scw {

// Scans every target of the item in order, reporting each trace. `env` tells which folders are
// too wide to walk (drive roots, the system's and the user's top folders). Always true.
bool ScanTargets(ScanRun& run, CMyObject& item, const Environment& env = SystemEnv());

// Deletes every target of the item in order, reporting each outcome. Always true.
bool DeleteTargets(ScanRun& run, CMyObject& item, const Environment& env = SystemEnv());

// Deletes the trace of the first selected row and removes the row. False when nothing was
// selected or the file or value could not be deleted (its row then stays); a trace already gone
// counts as deleted.
bool DeleteListedTrace(TraceList& list);

// Asks the browser's URL history object to clear itself; the result of ClearHistory, or the
// failure to create the object.
HRESULT ClearUrlHistory();

}  // namespace scw
