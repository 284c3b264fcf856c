#pragma once
// What the shredder's tests share: a view that writes down what a run showed, and the links that
// the test command plants in the prefix before the suite runs (tests/fixtures/plant-links.sh).
#include <functional>
#include <string>
#include <mutex>
#include <vector>

#include "shred/core/ShredView.h"

namespace scw::test {

// Holds target.txt and folder\sentinel.txt (both "precious"), file-link.txt and folder-link
// pointing at them, and tree\ with sub\plain.txt, sub\folder-link and file-link.txt.
inline const std::wstring kPlantedLinks = L"C:\\scourwell-links\\";

struct ShredRecorder : ShredView {
    std::uint64_t total = 0;
    int passes = 0;
    std::uint64_t lastProgress = 0;
    std::vector<std::pair<ShredRow, FileOutcome>> finished;
    bool noBuffers = false;
    bool ended = false;
    ShredSummary summary;
    // Called with the progress, on the run's thread (a test may ask the run to stop here).
    std::function<void(std::uint64_t)> onProgress;

    void RunStarted(std::uint64_t totalBytes, int passCount) override {
        total = totalBytes;
        passes = passCount;
    }
    void Progress(std::uint64_t bytes) override {
        lastProgress = bytes;
        if (onProgress) onProgress(bytes);
    }
    void FileFinished(const ShredRow& row, const FileOutcome& outcome) override { finished.emplace_back(row, outcome); }
    void BuffersUnavailable() override { noBuffers = true; }
    void RunEnded(const ShredSummary& result) override {
        summary = result;
        ended = true;
    }
};

}  // namespace scw::test
