#include "sweep/page/ResultListAdapter.h"

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
    // Indices after the row move up by one: the selection moves with them, so every other
    // selected trace stays selected and none points at a different trace.
    std::vector<int> selected;
    for (int i = -1; (i = static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                                          LVNI_SELECTED))) >= 0;)
        if (i != row) selected.push_back(i > row ? i - 1 : i);
    int focused = static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list_, LVM_SETITEMCOUNT, rows_.Size(), LVSICF_NOSCROLL);
    state.stateMask = state.state = LVIS_SELECTED;
    for (int i : selected) ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&state));
    if (focused >= 0 && focused != row) {
        state.stateMask = state.state = LVIS_FOCUSED;
        ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(focused > row ? focused - 1 : focused),
                       reinterpret_cast<LPARAM>(&state));
    }
    ::InvalidateRect(list_, nullptr, FALSE);
    if (onRemoved_) onRemoved_();
}

}  // namespace scw
