#pragma once
// WinINet in its asynchronous mode, as one thread drives it: each call that goes pending is
// waited for here, against a deadline and a stop event, and a wait given up leaves nothing of ours
// running. Closing the handles cancels what is pending; the platform's own threads finish it.
#include <windows.h>
#include <wininet.h>

#include <mutex>
#include <vector>

#include "framework/UniqueHandle.h"

namespace scw {

// What the status callbacks of one exchange's handles share with the thread that waits. The
// callbacks come on the platform's threads and may still come after that thread has given up,
// so this lives until the last adopted handle has reported its closing and the waiter has let go.
class PendingCalls {
public:
    static PendingCalls* Create();  // held once, by the caller
    void Release();

    // The context to open a handle with; Adopt the handle once it is open.
    DWORD_PTR Context() { return reinterpret_cast<DWORD_PTR>(this); }
    void Adopt(HINTERNET handle);

    // Before each call: forgets the previous call's completion.
    void Arm();
    // After the call: true when it succeeded, at once or (returned FALSE, ERROR_IO_PENDING) by
    // `deadline` (GetTickCount64) and before `stop` (optional) was set.
    bool Finish(BOOL returned, HANDLE stop, ULONGLONG deadline);

    // What pending calls write to: valid as long as a call given up may still complete.
    static constexpr DWORD kBlockSize = 4096;
    char* Block() { return block_; }
    DWORD& ReadCount() { return read_; }
    DWORD& AvailableCount() { return available_; }

    // The session's status callback.
    static void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD infoLength);

private:
    PendingCalls() = default;
    void Closing(HINTERNET handle);

    std::mutex lock_;
    int holds_ = 1;
    std::vector<HINTERNET> adopted_;
    UniqueKernelHandle completed_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    DWORD_PTR result_ = 0;
    char block_[kBlockSize] = {};
    DWORD read_ = 0;
    DWORD available_ = 0;
};

}  // namespace scw
