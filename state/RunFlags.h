#pragma once
// Process-wide busy flags. Each is written by the run that owns it (sweep scan, sweep delete,
// junk search) and read by the window, the tray and the tab strip to keep runs from overlapping.
#include <atomic>

namespace scw {

extern std::atomic<int> SweepBusy;
extern std::atomic<int> SweepDeleting;
extern std::atomic<int> JunkSearchBusy;

}  // namespace scw
