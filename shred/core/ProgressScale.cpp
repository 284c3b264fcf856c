#include "shred/core/ProgressScale.h"

#include <climits>

namespace scw {

ProgressScale::ProgressScale(std::uint64_t totalBytes, int passes)
    : total_(totalBytes), passes_(passes > 0 ? passes : 1) {
    while ((total_ >> shift_) > static_cast<std::uint64_t>(INT_MAX)) ++shift_;
    range_ = static_cast<int>(total_ >> shift_);
}

int ProgressScale::Position(std::uint64_t bytesWritten) const {
    std::uint64_t done = bytesWritten / static_cast<std::uint64_t>(passes_);
    if (done > total_) done = total_;
    return static_cast<int>(done >> shift_);
}

}  // namespace scw
