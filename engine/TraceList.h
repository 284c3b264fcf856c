#pragma once
// The list of found traces as the single-trace delete sees it: rows of three text columns
// (item name, trace name, location) and the row data (1 registry value, 0 file).
#include <windows.h>

#include <string>

namespace scw {

class TraceList {
public:
    virtual ~TraceList() = default;
    // Index of the first selected row, or -1 when none is selected.
    virtual int FirstSelectedRow() const = 0;
    virtual std::wstring RowText(int row, int column) const = 0;
    virtual LPARAM RowData(int row) const = 0;
    // Removes the row and lowers the run's row count by 1.
    virtual void RemoveRow(int row) = 0;
};

}  // namespace scw
