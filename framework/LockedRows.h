#pragma once
// The rows of a result list kept apart from the list view: a worker appends at its own pace
// under the lock, and the window thread reads them as a virtual list catches up.
#include <mutex>
#include <optional>
#include <vector>

namespace scw {

template <typename Row>
class LockedRows {
public:
    void Append(Row row) {
        std::lock_guard<std::mutex> guard(lock_);
        rows_.push_back(std::move(row));
    }
    void Clear() {
        std::lock_guard<std::mutex> guard(lock_);
        rows_.clear();
    }
    size_t Size() const {
        std::lock_guard<std::mutex> guard(lock_);
        return rows_.size();
    }
    std::optional<Row> At(size_t index) const {
        std::lock_guard<std::mutex> guard(lock_);
        if (index >= rows_.size()) return std::nullopt;
        return rows_[index];
    }
    bool Erase(size_t index) {
        std::lock_guard<std::mutex> guard(lock_);
        if (index >= rows_.size()) return false;
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
        return true;
    }
    std::vector<Row> Snapshot() const {
        std::lock_guard<std::mutex> guard(lock_);
        return rows_;
    }

private:
    mutable std::mutex lock_;
    std::vector<Row> rows_;
};

}  // namespace scw
