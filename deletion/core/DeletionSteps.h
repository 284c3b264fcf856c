#pragma once
// The counts of a deletion and the ten-segment bar that shows them. The bar moves at most once
// per tenth of the total, so a fast deletion of many rows costs the window ten updates, not one
// per row. Reports come from the worker; the window thread reads the counts at any time.
#include <atomic>

namespace scw {

class DeletionSteps {
public:
    static constexpr int kSegments = 10;

    // What one report changed on the display.
    struct Change {
        bool counts = false;  // a new segment: show the counts too
        bool bar = false;
    };

    // Before the deletion: the number of rows to delete; the counts start again at zero.
    void Start(int total);
    Change AddDeleted(int number);
    Change AddFailed();
    // The deletion is over: the bar is full whatever was counted.
    void Finish() { step_ = kSegments; }

    int Total() const { return total_; }
    int Unit() const { return unit_; }
    int Deleted() const { return deleted_.load(); }
    int Failed() const { return failed_.load(); }
    int Step() const { return step_.load(); }

private:
    Change Advance();

    int total_ = 0;
    int unit_ = 1;
    std::atomic<int> deleted_{0};
    std::atomic<int> failed_{0};
    std::atomic<int> step_{0};
};

}  // namespace scw
