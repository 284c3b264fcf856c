#pragma once
// The update check as the windows show it: the question, the on-demand messages, the home page,
// and the start-up check whose network exchange runs on a worker.
#include <windows.h>

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

// Update button and "Check Update": the check, then its message; the window waits at most the
// network time-out. Returns the check's result code.
int CheckUpdateWithFeedback(HWND owner);

// The silent check at start-up. The network exchange runs on a worker; only an available
// update's question comes to the window (and, on OK, the home page opens).
class StartupUpdateCheck {
public:
    explicit StartupUpdateCheck(HWND owner);  // window thread
    ~StartupUpdateCheck();
    StartupUpdateCheck(const StartupUpdateCheck&) = delete;
    StartupUpdateCheck& operator=(const StartupUpdateCheck&) = delete;

    void Start();
    bool Running() const { return worker_.Running(); }

private:
    void Offer();

    HWND owner_;
    UiChannel channel_;
    WorkerThread worker_;
};

}  // namespace scw
