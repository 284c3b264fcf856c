#pragma once
// The rows of the junk results list: the search appends, the list (a virtual list) catches up
// on the window thread.
#include "framework/LockedRows.h"
#include "junk/core/JunkWalk.h"

namespace scw {

using JunkRows = LockedRows<JunkRow>;

}  // namespace scw
