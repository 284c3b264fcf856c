#include "deletion/core/DeletionSteps.h"

#include <algorithm>

namespace scw {

void DeletionSteps::Start(int total) {
    total_ = total;
    unit_ = std::max(1, total / kSegments);
    deleted_ = 0;
    failed_ = 0;
    step_ = 0;
}

DeletionSteps::Change DeletionSteps::AddDeleted(int number) {
    deleted_ += number == 0 ? 1 : number;
    return Advance();
}

DeletionSteps::Change DeletionSteps::AddFailed() {
    ++failed_;
    return Advance();
}

DeletionSteps::Change DeletionSteps::Advance() {
    Change change;
    const long long done = static_cast<long long>(deleted_.load()) + failed_.load();
    const int step = step_.load();
    // Once the bar is full nothing more moves before the end: deletions beyond the total (whole
    // keys, unlisted files) would otherwise step on every further tenth.
    if (step < kSegments && done > static_cast<long long>(step + 1) * unit_) {
        step_ = step + 1;
        change.counts = change.bar = true;
    }
    if (done >= total_ && step_.load() != kSegments) {
        step_ = kSegments;
        change.bar = true;
    }
    return change;
}

}  // namespace scw
