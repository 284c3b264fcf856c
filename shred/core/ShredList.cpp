#include "shred/core/ShredList.h"

#include <algorithm>
#include <utility>

namespace scw {

bool ShredList::Append(ShredRow row) {
    std::lock_guard<std::mutex> guard(lock_);
    for (const ShredRow& listed : rows_)
        if (listed.SameFile(row)) return false;
    rows_.push_back(std::move(row));
    return true;
}

bool ShredList::Contains(const std::wstring& name, const std::wstring& folder) const {
    std::lock_guard<std::mutex> guard(lock_);
    return std::any_of(rows_.begin(), rows_.end(),
                       [&](const ShredRow& row) { return row.name == name && row.folder == folder; });
}

size_t ShredList::Size() const {
    std::lock_guard<std::mutex> guard(lock_);
    return rows_.size();
}

std::optional<ShredRow> ShredList::At(size_t index) const {
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= rows_.size()) return std::nullopt;
    return rows_[index];
}

std::vector<ShredRow> ShredList::Rows() const {
    std::lock_guard<std::mutex> guard(lock_);
    return rows_;
}

bool ShredList::Remove(const ShredRow& row) {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = std::find_if(rows_.begin(), rows_.end(), [&](const ShredRow& r) { return r.SameFile(row); });
    if (found == rows_.end()) return false;
    rows_.erase(found);
    return true;
}

void ShredList::RemoveAt(std::vector<size_t> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::lock_guard<std::mutex> guard(lock_);
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        if (*it < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
}

void ShredList::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    rows_.clear();
    passedOver_.clear();
}

void ShredList::AddPassedOver(std::wstring path, std::wstring reason) {
    std::lock_guard<std::mutex> guard(lock_);
    passedOver_.emplace_back(std::move(path), std::move(reason));
}

std::vector<std::pair<std::wstring, std::wstring>> ShredList::PassedOver() const {
    std::lock_guard<std::mutex> guard(lock_);
    return passedOver_;
}

std::vector<std::pair<std::wstring, std::wstring>> ShredList::TakePassedOver() {
    std::lock_guard<std::mutex> guard(lock_);
    return std::exchange(passedOver_, {});
}

void ShredList::Rename(const ShredRow& row, const std::wstring& newName) {
    std::lock_guard<std::mutex> guard(lock_);
    for (ShredRow& listed : rows_)
        if (listed.SameFile(row)) listed.name = newName;
}

ShredRow RowOfPath(const std::wstring& fullPath) {
    ShredRow row;
    size_t slash = fullPath.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        row.name = fullPath;
    } else {
        row.folder = fullPath.substr(0, slash + 1);
        row.name = fullPath.substr(slash + 1);
    }
    return row;
}

}  // namespace scw
