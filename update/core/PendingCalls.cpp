#include "update/core/PendingCalls.h"

#include <algorithm>
#include <new>

namespace scw {

PendingCalls* PendingCalls::Create() {
    PendingCalls* calls = new (std::nothrow) PendingCalls();
    if (calls && !calls->completed_) {
        delete calls;
        return nullptr;
    }
    return calls;
}

void PendingCalls::Release() {
    bool last;
    {
        std::lock_guard<std::mutex> hold(lock_);
        last = --holds_ == 0;
    }
    if (last) delete this;
}

void PendingCalls::Adopt(HINTERNET handle) {
    std::lock_guard<std::mutex> hold(lock_);
    adopted_.push_back(handle);
    ++holds_;
}

void PendingCalls::Closing(HINTERNET handle) {
    bool last;
    {
        std::lock_guard<std::mutex> hold(lock_);
        // Only handles this exchange opened and adopted hold it; a handle that failed half-way
        // through its opening may report closing too.
        auto found = std::find(adopted_.begin(), adopted_.end(), handle);
        if (found == adopted_.end()) return;
        adopted_.erase(found);
        last = --holds_ == 0;
    }
    if (last) delete this;
}

void PendingCalls::Arm() {
    ::ResetEvent(completed_.Get());
    result_ = 0;
}

bool PendingCalls::Finish(BOOL returned, HANDLE stop, ULONGLONG deadline) {
    if (returned) return true;
    if (::GetLastError() != ERROR_IO_PENDING) return false;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    const HANDLE waits[] = {completed_.Get(), stop};
    if (::WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, static_cast<DWORD>(deadline - now)) != WAIT_OBJECT_0)
        return false;
    // Written before the event was set.
    return result_ != 0;
}

void CALLBACK PendingCalls::OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD infoLength) {
    auto* calls = reinterpret_cast<PendingCalls*>(context);
    if (!calls || !info) return;
    if (status == INTERNET_STATUS_REQUEST_COMPLETE && infoLength >= sizeof(INTERNET_ASYNC_RESULT)) {
        calls->result_ = static_cast<const INTERNET_ASYNC_RESULT*>(info)->dwResult;
        ::SetEvent(calls->completed_.Get());
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING && infoLength >= sizeof(HINTERNET)) {
        calls->Closing(*static_cast<const HINTERNET*>(info));
    }
}

}  // namespace scw
