#include "sweep/core/ResultRows.h"

#include <commctrl.h>

namespace scw {

void ResultRows::Append(ResultRow row) {
    std::lock_guard<std::mutex> guard(lock_);
    rows_.push_back(std::move(row));
}

void ResultRows::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    rows_.clear();
}

size_t ResultRows::Size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return rows_.size();
}

std::optional<ResultRow> ResultRows::At(size_t index) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= rows_.size()) return std::nullopt;
    return rows_[index];
}

bool ResultRows::Erase(size_t index) {
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= rows_.size()) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

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
