#include "sweep/core/ResultRows.h"

#include <commctrl.h>

namespace scw {

int ResultListAdapter::FirstSelectedRow() const {
    return static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring ResultListAdapter::RowText(int row, int column) const {
    std::optional<ResultRow> r = rows_.At(static_cast<size_t>(row));
    if (!r) return {};
    switch (column) {
    case 0: return r->item;
    case 1: return r->name;
    case 2: return r->location;
    default: return {};
    }
}

LPARAM ResultListAdapter::RowData(int row) const {
    std::optional<ResultRow> r = rows_.At(static_cast<size_t>(row));
    return r && r->isRegistry ? 1 : 0;
}

void ResultListAdapter::RemoveRow(int row) {
    if (!rows_.Erase(static_cast<size_t>(row))) return;
    // Indices after the row move up by one: no selection may point at a different trace.
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    ::SendMessageW(list_, LVM_SETITEMCOUNT, rows_.Size(), LVSICF_NOSCROLL);
    ::InvalidateRect(list_, nullptr, FALSE);
    if (onRemoved_) onRemoved_();
}

}  // namespace scw
