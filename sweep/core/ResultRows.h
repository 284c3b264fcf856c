#pragma once
// The rows of the result list, kept apart from the list view: the scan worker appends at its
// own pace and the list view (a virtual list) shows them in batches on the user-interface
// thread. Each trace is still one row, in the order found.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/TraceList.h"
#include "framework/LockedRows.h"

namespace scw {

struct ResultRow {
    std::wstring item;      // column 0: the item's display name
    std::wstring name;      // column 1: value or file name
    std::wstring location;  // column 2: root prefix and key path, or folder
    bool isRegistry = false;
};

using ResultRows = LockedRows<ResultRow>;

// The single-trace delete's view of the result list: the rows above with the list view's
// selection. Removing a row also lowers the run's row count.
class ResultListAdapter : public TraceList {
public:
    ResultListAdapter(HWND list, ResultRows& rows, std::function<void()> onRemoved)
        : list_(list), rows_(rows), onRemoved_(std::move(onRemoved)) {}
    int FirstSelectedRow() const override;
    std::wstring RowText(int row, int column) const override;
    LPARAM RowData(int row) const override;
    void RemoveRow(int row) override;

private:
    HWND list_;
    ResultRows& rows_;
    std::function<void()> onRemoved_;
};

}  // namespace scw
