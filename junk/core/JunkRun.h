#pragma once
// The junk search and the junk Delete all, each on a worker thread, one at a time, reporting to
// a JunkView (and the Delete all to the deletion progress dialog).
#include <atomic>
#include <string>
#include <vector>

#include "deletion/core/DeletionProgress.h"
#include "framework/WorkerThread.h"
#include "junk/core/JunkView.h"

namespace scw {

class JunkRun {
public:
    explicit JunkRun(JunkView& view) : view_(view) {}
    // Stops and joins the worker: it must not outlive the view it reports to.
    ~JunkRun();
    JunkRun(const JunkRun&) = delete;
    JunkRun& operator=(const JunkRun&) = delete;

    // Searches every fixed disk (empty root) or the root (ending in a backslash) for files that
    // match the patterns. Sets JunkSearchBusy until the search ends. False while a run is alive.
    bool StartSearch(std::wstring root, std::vector<std::wstring> patterns);
    // Ends the search within one directory entry; rows found so far stay.
    void RequestStop();

    // Deletes the rows on a worker that starts suspended: call Resume once the progress
    // window exists. At the end the view's rows are gone and the dialog is finished.
    bool StartDeleteAll(std::vector<JunkRow> rows, DeletionProgress& progress);
    void Resume() { worker_.Resume(); }
    // The progress window could not be shown: the worker, never resumed, ends deleting nothing.
    void CancelDeleteAll() { worker_.RequestStop(); }

    bool Busy() const { return worker_.Running(); }
    // Waits for the current worker, pumping messages.
    void Wait() { worker_.Join(); }
    int Deleted() const { return deleted_; }
    int Failed() const { return failed_; }

private:
    bool Launch(WorkerThread::Body body, bool suspended);

    JunkView& view_;
    std::atomic<bool> stop_{false};
    std::atomic<int> deleted_{0};
    std::atomic<int> failed_{0};
    WorkerThread worker_;
};

}  // namespace scw
