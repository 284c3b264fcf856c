#pragma once
// The update check as the windows show it: the question, the on-demand messages, the home page,
// and the start-up check whose network exchange runs on a worker.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "framework/UiChannel.h"
#include "framework/WorkerThread.h"

namespace scw {

inline constexpr wchar_t kUpdateQuestion[] = L"An update is now available. Proceed with the update?";
inline constexpr wchar_t kConnectionFailed[] = L"Internet connection failed. ";
inline constexpr wchar_t kNoUpdates[] = L"There are no updates available at this time.\n Your Scourwell is up-to-date.";

// The message boxes of the update check; tests answer them. An empty function restores the boxes.
using UpdateMessageBox = std::function<int(HWND owner, const std::wstring& text, UINT type)>;
void SetUpdateMessageBox(UpdateMessageBox box);

// Update button and "Check Update": the check, then its message; the window waits on the network
// no longer than the check's deadline (15 s). Returns the check's result code.
int CheckUpdateWithFeedback(HWND owner);

// The silent check at start-up. The network exchange runs on a worker; only an available
// update's question comes to the window (and, on OK, the home page opens).
class StartupUpdateCheck {
public:
    explicit StartupUpdateCheck(HWND owner);  // window thread
    // Drops the answer (the channel closes), then stops and joins the worker, which stops
    // waiting on the network at once: the program never waits for a slow server when it exits.
    ~StartupUpdateCheck();
    StartupUpdateCheck(const StartupUpdateCheck&) = delete;
    StartupUpdateCheck& operator=(const StartupUpdateCheck&) = delete;

    void Start();
    // True once the exchange has ended (whatever it found).
    bool Finished() const;

private:
    void Offer();

    HWND owner_;
    UiChannel channel_;
    std::atomic<bool> finished_{false};
    // Last: joined before what it uses goes.
    WorkerThread worker_;
};

}  // namespace scw
