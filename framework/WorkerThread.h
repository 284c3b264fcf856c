#pragma once
// A worker thread with its own manual-reset stop event. Its owner joins it (the destructor does);
// the process-wide list is only the program's last stop before it frees shared data at exit.
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

    // Stops every worker of the process and waits for their threads (program exit, after the
    // owners are gone). Never touches a worker object after a message was pumped.
    static void StopAndJoinAll();

private:
    bool Launch(Body body, bool suspended);
    void ResumeFully();

    UniqueKernelHandle thread_;
    UniqueKernelHandle stopEvent_;
};

// Waits for the handle while dispatching this thread's messages; true when it was signalled.
bool WaitPumpingMessages(HANDLE handle, DWORD timeoutMs = INFINITE);

}  // namespace scw
