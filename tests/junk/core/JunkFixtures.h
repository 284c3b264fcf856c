#pragma once
// What the junk tests share: a view that records rows and calls, and a progress dialog stand-in.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "junk/core/JunkRun.h"

namespace scw::test {

// Planted by the test command from outside the program: file-link.tmp, a symbolic link to
// precious.txt (content "precious") beside it.
inline const std::wstring kPlantedJunkLinks = L"C:\\scourwell-links\\junk\\";

class RecordingJunkView : public JunkView {
public:
    void SearchStarted() override { calls.push_back(L"started"); }
    void FoundJunk(const JunkRow& row) override {
        std::lock_guard<std::mutex> guard(lock);
        rows.push_back(row);
        if (onRow) onRow(row);
    }
    void SearchEnded() override { calls.push_back(L"ended"); }
    void RowsDeleted() override { calls.push_back(L"rows deleted"); }

    // The rows as the results list shows them (names in lower case).
    std::vector<std::wstring> Paths() const {
        std::vector<std::wstring> paths;
        for (const JunkRow& row : rows) paths.push_back(row.folder + row.ListName());
        return paths;
    }

    std::mutex lock;
    std::vector<JunkRow> rows;
    std::vector<std::wstring> calls;
    std::function<void(const JunkRow&)> onRow;
};

class FakeProgress : public DeletionProgress {
public:
    void AddDeleted(int number) override { deleted += number; }
    void AddFailed() override { ++failed; }
    void FinishDeletion() override { finished = true; }
    std::atomic<int> deleted{0};
    std::atomic<int> failed{0};
    std::atomic<bool> finished{false};
};

}  // namespace scw::test
