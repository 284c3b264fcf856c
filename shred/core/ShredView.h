#pragma once
// What a shred run shows while it works. The page implements it with its controls, the console
// with records and the tests with plain lists. Every call comes from the run's thread.
#include <cstdint>
#include <string>

#include "shred/core/ShredFile.h"
#include "shred/core/ShredList.h"

namespace scw {

struct ShredSummary {
    int shredded = 0;
    int namesOnly = 0;   // hard-linked: name removed, data kept for the other names
    int leftAlone = 0;   // links and folders
    int failed = 0;      // could not be opened or written
    int notRemoved = 0;  // overwritten, but still on disk
    int tooLong = 0;     // passed over by a folder Add: the full path is over the platform limit
    bool stopped = false;
    bool noBuffers = false;
    std::uint64_t bytesWritten = 0;
    bool AllShredded() const {
        return !stopped && !noBuffers && namesOnly + leftAlone + failed + notRemoved + tooLong == 0;
    }
};

class ShredView {
public:
    virtual ~ShredView() = default;
    // The run begins: total bytes of the listed files, and the passes of the method.
    virtual void RunStarted(std::uint64_t totalBytes, int passes) = 0;
    // Bytes of all passes so far; files passed over count as if written, so the end is
    // totalBytes times passes.
    virtual void Progress(std::uint64_t bytes) = 0;
    // The row was handled; it has already left the list unless the file is still there.
    virtual void FileFinished(const ShredRow& row, const FileOutcome& outcome) = 0;
    // A file an Add passed over (never listed, never written), with the reason ("too long").
    virtual void PassedOver(const std::wstring& /*path*/, const std::wstring& /*reason*/) {}
    // The overwrite blocks could not be had: nothing was written.
    virtual void BuffersUnavailable() = 0;
    virtual void RunEnded(const ShredSummary& summary) = 0;
};

}  // namespace scw
