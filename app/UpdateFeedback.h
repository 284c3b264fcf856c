#pragma once
// The update check as the windows show it: the question, the on-demand messages, the home page,
// and the start-up check whose network exchange runs on a worker.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/UiChannel.h"

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
    // Returns at once: an exchange still waiting on the network is left to end on its own (the
    // platform cannot cancel it), and its answer is dropped. So the program never waits for a
    // slow server when it exits.
    ~StartupUpdateCheck();
    StartupUpdateCheck(const StartupUpdateCheck&) = delete;
    StartupUpdateCheck& operator=(const StartupUpdateCheck&) = delete;

    void Start();
    // True once the exchange has ended (whatever it found).
    bool Finished() const;

private:
    struct Shared;
    void Offer();

    HWND owner_;
    UiChannel channel_;
    // What the worker and this object both use; the worker keeps it alive after this object goes.
    std::shared_ptr<Shared> shared_;
};

}  // namespace scw
