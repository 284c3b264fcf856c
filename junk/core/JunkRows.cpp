#include "junk/core/JunkRows.h"

namespace scw {

void JunkRows::Append(JunkRow row) {
    std::lock_guard<std::mutex> guard(lock_);
    rows_.push_back(std::move(row));
}

void JunkRows::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    rows_.clear();
}

size_t JunkRows::Size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return rows_.size();
}

std::optional<JunkRow> JunkRows::At(size_t index) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= rows_.size()) return std::nullopt;
    return rows_[index];
}

bool JunkRows::Erase(size_t index) {
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= rows_.size()) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::vector<JunkRow> JunkRows::Snapshot() const {
    std::lock_guard<std::mutex> guard(lock_);
    return rows_;
}

}  // namespace scw
