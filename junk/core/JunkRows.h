#pragma once
// The rows of the junk results list, kept apart from the list view: the search appends at its
// own pace and the list (a virtual list) catches up on the window thread.
#include <mutex>
#include <optional>
#include <vector>

#include "junk/core/JunkWalk.h"

namespace scw {

class JunkRows {
public:
    void Append(JunkRow row);
    void Clear();
    size_t Size() const;
    std::optional<JunkRow> At(size_t index) const;
    bool Erase(size_t index);
    std::vector<JunkRow> Snapshot() const;

private:
    mutable std::mutex lock_;
    std::vector<JunkRow> rows_;
};

}  // namespace scw
