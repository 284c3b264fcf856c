#pragma once
// A worker thread with its own manual-reset stop event. Every running worker is known to a
// process-wide list, so the application can stop and join them all before it frees what they use.
#include <windows.h>

#include <functional>

#include "framework/UniqueHandle.h"

namespace scw {

class WorkerThread {
public:
    using Body = std::function<void(HANDLE stopEvent)>;

    WorkerThread();
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the body on a new thread with a fresh, unsignalled stop event. False if one still runs.
    bool Start(Body body);
    // Starts the thread suspended; Resume lets it run.
    bool StartSuspended(Body body);
    void Resume();
    void RequestStop();
    bool Running() const;
    HANDLE StopEvent() const { return stopEvent_.Get(); }
    // Signals the stop event and waits for the thread, pumping messages so a worker that sends
    // this thread a message can still finish.
    void StopAndJoin();
    void Join();

    // Stops and joins every worker of the process (called at program exit).
    static void StopAndJoinAll();

private:
    bool Launch(Body body, bool suspended);

    UniqueKernelHandle thread_;
    UniqueKernelHandle stopEvent_;
};

// Waits for the handle while dispatching this thread's messages; true when it was signalled.
bool WaitPumpingMessages(HANDLE handle, DWORD timeoutMs = INFINITE);

}  // namespace scw
