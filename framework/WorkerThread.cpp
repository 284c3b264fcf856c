#include "framework/WorkerThread.h"

#include <process.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace scw {

namespace {
std::mutex g_workersLock;
std::vector<WorkerThread*> g_workers;

struct Launch {
    WorkerThread::Body body;
    HANDLE stopEvent;
};

unsigned __stdcall ThreadEntry(void* parameter) {
    std::unique_ptr<Launch> launch(static_cast<Launch*>(parameter));
    try {
        launch->body(launch->stopEvent);
    } catch (...) {
        // A worker never lets an exception end the process.
    }
    return 0;
}
}  // namespace

bool WaitPumpingMessages(HANDLE handle, DWORD timeoutMs) {
    // A quit seen while waiting is kept and posted again when the wait ends, for the outer loop;
    // meanwhile messages are still pumped, so a worker inside a send to this thread can finish.
    bool sawQuit = false;
    int quitCode = 0;
    bool signalled = false;
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD remaining =
            timeoutMs == INFINITE ? INFINITE : (elapsed >= timeoutMs ? 0 : timeoutMs - elapsed);
        const DWORD r = ::MsgWaitForMultipleObjects(1, &handle, FALSE, remaining, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            signalled = true;
            break;
        }
        if (r != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                sawQuit = true;
                quitCode = static_cast<int>(msg.wParam);
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (sawQuit) ::PostQuitMessage(quitCode);
    return signalled;
}

WorkerThread::WorkerThread() {
    std::lock_guard<std::mutex> lock(g_workersLock);
    g_workers.push_back(this);
}

WorkerThread::~WorkerThread() {
    StopAndJoin();
    std::lock_guard<std::mutex> lock(g_workersLock);
    g_workers.erase(std::remove(g_workers.begin(), g_workers.end(), this), g_workers.end());
}

bool WorkerThread::Start(Body body) { return Launch(std::move(body), false); }
bool WorkerThread::StartSuspended(Body body) { return Launch(std::move(body), true); }

bool WorkerThread::Launch(Body body, bool suspended) {
    if (Running()) return false;
    thread_.Reset();
    stopEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stopEvent_) return false;
    auto launch = std::make_unique<scw::Launch>(scw::Launch{std::move(body), stopEvent_.Get()});
    uintptr_t handle = _beginthreadex(nullptr, 0, ThreadEntry, launch.get(), suspended ? CREATE_SUSPENDED : 0,
                                      nullptr);
    if (!handle) return false;
    launch.release();
    thread_.Reset(reinterpret_cast<HANDLE>(handle));
    return true;
}

void WorkerThread::Resume() {
    if (thread_) ::ResumeThread(thread_.Get());
}

void WorkerThread::ResumeFully() {
    // A suspended worker that was never resumed must run to its end.
    DWORD previous;
    do {
        previous = ::ResumeThread(thread_.Get());
    } while (previous != static_cast<DWORD>(-1) && previous > 1);
}

void WorkerThread::RequestStop() {
    if (stopEvent_) ::SetEvent(stopEvent_.Get());
}

bool WorkerThread::Running() const {
    return thread_ && ::WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

void WorkerThread::Join() {
    if (!thread_) return;
    ResumeFully();
    WaitPumpingMessages(thread_.Get());
    thread_.Reset();
}

void WorkerThread::StopAndJoin() {
    RequestStop();
    Join();
}

void WorkerThread::StopAndJoinAll() {
    // Only copies of the thread handles are kept: a join pumps messages, and an owner destroyed
    // meanwhile (which joins its own worker) must not leave anything here pointing at it.
    std::vector<UniqueKernelHandle> threads;
    {
        std::lock_guard<std::mutex> lock(g_workersLock);
        for (WorkerThread* w : g_workers) {
            if (!w->thread_) continue;
            w->RequestStop();
            w->ResumeFully();
            HANDLE copy = nullptr;
            if (::DuplicateHandle(::GetCurrentProcess(), w->thread_.Get(), ::GetCurrentProcess(), &copy, SYNCHRONIZE,
                                  FALSE, 0))
                threads.emplace_back(copy);
        }
    }
    for (UniqueKernelHandle& thread : threads) WaitPumpingMessages(thread.Get());
}

}  // namespace scw
