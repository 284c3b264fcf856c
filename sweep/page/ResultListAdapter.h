#pragma once
// The result list view as the single-trace delete sees it.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "engine/TraceList.h"
#include "sweep/core/ResultRows.h"

namespace scw {

// The single-trace delete's view of the result list: the page's result rows with the list view's
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
