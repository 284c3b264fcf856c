#pragma once
// The shredding of the listed files, on a worker of its own or on the caller's thread. Each run
// gets a new stop event (ShredStopEvent), so a stop meant for an earlier run never ends a later one.
#include <windows.h>

#include <string>

#include "framework/WorkerThread.h"
#include "shred/core/OverwriteBuffers.h"
#include "shred/core/ShredList.h"
#include "shred/core/ShredView.h"

namespace scw {

class ShredRun {
public:
    ShredRun(ShredList& list, ShredView& view) : list_(list), view_(view) {}
    // Stops and joins the worker: it must not outlive the list and the view.
    ~ShredRun() { worker_.StopAndJoin(); }

    // Where the next runs take their overwrite blocks from.
    void UsePageSource(const PageSource& source) { pages_ = source; }

    // The page stops at the first file that cannot be written; the console goes on to the next.
    void SetGoOnAfterFailure(bool goOn) { goOn_ = goOn; }

    // Starts a run over the rows listed now; false while one runs or for a count of passes that
    // is no method.
    bool Start(int passes);
    // Ends the run at its next 64 KiB block.
    void RequestStop() { worker_.RequestStop(); }
    bool Busy() const { return worker_.Running(); }
    // Waits for the worker, pumping messages.
    void Wait() { worker_.Join(); }
    HANDLE ShredStopEvent() const { return worker_.StopEvent(); }

    // The same run on the calling thread, stopped by the given event (may be null).
    ShredSummary RunHere(int passes, HANDLE stopEvent);

private:
    ShredList& list_;
    ShredView& view_;
    bool goOn_ = false;
    PageSource pages_ = kSystemPages;
    WorkerThread worker_;
};

// Adding one file: listed when it can be opened for writing and is neither a folder nor a link;
// a file listed already keeps its one row. The check says why a file was not listed.
struct AddOutcome {
    ShredCheck check;
    bool added = false;
};
AddOutcome AddShredPath(ShredList& list, const std::wstring& fullPath);

// Adding every file below a folder the shredder may take (CheckShredFolder), each as
// AddShredPath adds it; a file whose full path is over the platform limit is passed over and
// kept in the list's record as "too long". The folder's check is returned.
ShredCheck AddShredFolder(ShredList& list, const std::wstring& folder);

}  // namespace scw
