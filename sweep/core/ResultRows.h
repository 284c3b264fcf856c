#pragma once
// The rows of the result list, kept apart from the list view: the scan worker appends at its
// own pace and the list view (a virtual list) shows them in batches on the user-interface
// thread. Each trace is still one row, in the order found.
#include <string>

#include "framework/LockedRows.h"

namespace scw {

struct ResultRow {
    std::wstring item;      // column 0: the item's display name
    std::wstring name;      // column 1: value or file name
    std::wstring location;  // column 2: root prefix and key path, or folder
    bool isRegistry = false;
};

using ResultRows = LockedRows<ResultRow>;

}  // namespace scw
