#include "framework/UiChannel.h"

#include <deque>
#include <mutex>

#include "framework/App.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
constexpr wchar_t kWindowClass[] = L"ScourwellUiChannel";
constexpr UINT kWakeMessage = WM_APP + 0x3A0;

// One closure on its way; a sender waits on `done` (set when run or dropped).
struct Parcel {
    std::function<void()> work;
    HANDLE done = nullptr;
    bool* ran = nullptr;
};
}  // namespace

struct UiChannel::Core {
    std::mutex lock;
    bool open = true;
    DWORD threadId = ::GetCurrentThreadId();
    HWND window = nullptr;
    std::deque<Parcel> queue;

    // Window thread: runs everything queued, one closure at a time, outside the lock so a
    // closure may itself post to the channel.
    void Drain() {
        for (;;) {
            Parcel parcel;
            {
                std::lock_guard<std::mutex> guard(lock);
                if (!open || queue.empty()) return;
                parcel = std::move(queue.front());
                queue.pop_front();
            }
            try {
                parcel.work();
            } catch (...) {
                // A closure never lets an exception cross the message loop.
            }
            if (parcel.ran) *parcel.ran = true;
            if (parcel.done) ::SetEvent(parcel.done);
        }
    }

    bool Enqueue(Parcel parcel) {
        HWND target;
        {
            std::lock_guard<std::mutex> guard(lock);
            if (!open || !window) return false;
            queue.push_back(std::move(parcel));
            target = window;
        }
        // Only a wake-up: the closure waits in the queue, so a lost wake-up costs nothing but time
        // and a closed window leaves it to Close.
        ::PostMessageW(target, kWakeMessage, 0, 0);
        return true;
    }
};

namespace {
LRESULT CALLBACK ChannelWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWakeMessage) {
        auto* core = reinterpret_cast<UiChannel::Core*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (core) core->Drain();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterChannelClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ChannelWindowProc;
        wc.hInstance = AppInstance();
        wc.lpszClassName = kWindowClass;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}
}  // namespace

UiChannel::UiChannel() : core_(std::make_shared<Core>()) {
    RegisterChannelClass();
    core_->window = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, AppInstance(),
                                      nullptr);
    if (core_->window) ::SetWindowLongPtrW(core_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(core_.get()));
}

UiChannel::~UiChannel() {
    Close();
    if (core_->window) ::DestroyWindow(core_->window);
}

void UiChannel::Close() {
    std::deque<Parcel> dropped;
    {
        std::lock_guard<std::mutex> guard(core_->lock);
        core_->open = false;
        dropped.swap(core_->queue);
    }
    for (Parcel& parcel : dropped)
        if (parcel.done) ::SetEvent(parcel.done);
}

bool UiChannel::Post(std::function<void()> work) const { return core_->Enqueue(Parcel{std::move(work)}); }

bool UiChannel::Send(std::function<void()> work) const {
    if (::GetCurrentThreadId() == core_->threadId) {
        {
            std::lock_guard<std::mutex> guard(core_->lock);
            if (!core_->open) return false;
        }
        work();
        return true;
    }
    UniqueKernelHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) return false;
    // Written by the window thread before it sets `done`, read here after: the event orders them.
    bool ran = false;
    // The core outlives the wait even if the owner closes the channel meanwhile.
    std::shared_ptr<Core> keep = core_;
    if (!keep->Enqueue(Parcel{std::move(work), done.Get(), &ran})) return false;
    ::WaitForSingleObject(done.Get(), INFINITE);
    return ran;
}

}  // namespace scw
