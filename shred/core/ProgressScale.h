#pragma once
// A progress bar's range is a signed 32-bit number; a run's total can be any 64-bit byte count.
// Totals that do not fit are divided by the smallest power of two that makes them fit.
#include <cstdint>

namespace scw {

class ProgressScale {
public:
    ProgressScale(std::uint64_t totalBytes, int passes);
    // The bar's upper end.
    int Range() const { return range_; }
    // Bytes written over all passes so far, as a bar position (never past the range).
    int Position(std::uint64_t bytesWritten) const;

private:
    std::uint64_t total_;
    int passes_;
    int shift_ = 0;
    int range_ = 0;
};

}  // namespace scw
