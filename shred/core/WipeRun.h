#pragma once
// A free-space wipe on a worker of its own, for the window: started, stopped and joined like a
// shred run. The worker reports through the view only.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/WorkerThread.h"
#include "shred/core/FreeSpaceWipe.h"

namespace scw {

class WipeRun {
public:
    using Wipe = std::function<WipeSummary(const std::wstring& drive, int passes, HANDLE stopEvent, WipeView& view)>;

    // `wipe` is the real one but in tests, which must never fill this machine's own disk.
    explicit WipeRun(WipeView& view, Wipe wipe = DefaultWipe());
    // Stops and joins the worker: it cleans up before the view goes.
    ~WipeRun() { worker_.StopAndJoin(); }

    // False while a wipe runs.
    bool Start(const std::wstring& drive, int passes);
    void RequestStop() { worker_.RequestStop(); }
    bool Busy() const { return worker_.Running(); }
    // Waits for the worker, pumping messages.
    void Wait() { worker_.Join(); }

    static Wipe DefaultWipe();

private:
    WipeView& view_;
    Wipe wipe_;
    WorkerThread worker_;
};

}  // namespace scw
