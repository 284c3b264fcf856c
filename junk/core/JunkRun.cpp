#include "junk/core/JunkRun.h"

#include "junk/core/JunkDelete.h"
#include "state/RunFlags.h"

namespace scw {

JunkRun::~JunkRun() {
    stop_ = true;
    worker_.StopAndJoin();
}

bool JunkRun::Launch(WorkerThread::Body body, bool suspended) {
    if (worker_.Running()) return false;
    worker_.Join();  // release the handle of a finished worker
    return suspended ? worker_.StartSuspended(std::move(body)) : worker_.Start(std::move(body));
}

bool JunkRun::StartSearch(std::wstring root, std::vector<std::wstring> patterns) {
    if (JunkSearchBusy || worker_.Running()) return false;
    // Set before the worker exists, so that the tab strips and a second start are refused at once.
    JunkSearchBusy = 1;
    stop_ = false;
    const bool started = Launch(
        [this, root = std::move(root), patterns = std::move(patterns)](HANDLE stopEvent) {
            view_.SearchStarted();
            SearchJunk(root, JunkMatcher(patterns), view_, JunkStop{&stop_, stopEvent});
            view_.SearchEnded();
            JunkSearchBusy = 0;
        },
        false);
    if (!started) JunkSearchBusy = 0;
    return started;
}

void JunkRun::RequestStop() {
    stop_ = true;
    worker_.RequestStop();
}

bool JunkRun::StartDeleteAll(std::vector<JunkRow> rows, DeletionProgress& progress) {
    if (rows.empty() || JunkSearchBusy) return false;
    stop_ = false;
    deleted_ = 0;
    failed_ = 0;
    return Launch(
        [this, rows = std::move(rows), &progress](HANDLE stopEvent) {
            // Resumed by the dialog once its window exists; stopped before that, it deletes nothing.
            if (::WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0) return;
            DeleteJunkFiles(rows, [&](const JunkRow&, const DeleteOutcome& outcome) {
                if (outcome.Deleted()) {
                    ++deleted_;
                    progress.AddDeleted(1);
                } else {
                    ++failed_;
                    progress.AddFailed();
                }
            });
            view_.RowsDeleted();
            progress.FinishDeletion();
        },
        true);
}

}  // namespace scw
