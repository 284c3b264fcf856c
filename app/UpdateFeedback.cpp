#include "app/UpdateFeedback.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "app/SiteAddresses.h"
#include "app/WebPages.h"
#include "update/core/AutoUpdater.h"
#include "update/core/UpdateSource.h"

namespace scw {

namespace {
constexpr wchar_t kCaption[] = L"Scourwell";

UpdateMessageBox& TheMessageBox() {
    static UpdateMessageBox box;
    return box;
}

int ShowMessage(HWND owner, const std::wstring& text, UINT type) {
    if (TheMessageBox()) return TheMessageBox()(owner, text, type);
    return ::MessageBoxW(owner, text.c_str(), kCaption, type);
}

bool AskToProceed(HWND owner) { return ShowMessage(owner, kUpdateQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL; }

void OpenHomePage() { OpenWebPage(kHomePageUrl, SW_SHOW); }
}  // namespace

void SetUpdateMessageBox(UpdateMessageBox box) { TheMessageBox() = std::move(box); }

int CheckUpdateWithFeedback(HWND owner) {
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    const int code = CAutoUpdater().Check(UpdateDownloadLocation(), [owner] { return AskToProceed(owner); });
    ::SetCursor(previous);
    switch (code) {
    case kUpdateProceed:
        OpenHomePage();
        break;
    case kUpdateNoConnection:
    case kUpdateOpenFailed:
        ShowMessage(owner, kConnectionFailed, MB_OK | MB_ICONWARNING);
        break;
    case kUpdateNotNewer:
        ShowMessage(owner, kNoUpdates, MB_OK | MB_ICONINFORMATION);
        break;
    default:
        break;
    }
    return code;
}

struct StartupUpdateCheck::Shared {
    std::mutex lock;
    const UiChannel* channel = nullptr;  // null once the check's owner has gone
    std::function<void()> offer;
    std::atomic<bool> finished{false};
};

StartupUpdateCheck::StartupUpdateCheck(HWND owner) : owner_(owner), shared_(std::make_shared<Shared>()) {
    shared_->channel = &channel_;
    shared_->offer = [this] { Offer(); };
}

StartupUpdateCheck::~StartupUpdateCheck() {
    std::lock_guard<std::mutex> guard(shared_->lock);
    shared_->channel = nullptr;
    channel_.Close();
}

void StartupUpdateCheck::Start() {
    std::thread([shared = shared_, location = UpdateDownloadLocation()] {
        const bool newer = CAutoUpdater().Fetch(location).Newer();
        {
            std::lock_guard<std::mutex> guard(shared->lock);
            if (newer && shared->channel) shared->channel->Post(shared->offer);
        }
        shared->finished = true;
    }).detach();
}

bool StartupUpdateCheck::Finished() const { return shared_->finished.load(); }

void StartupUpdateCheck::Offer() {
    // The window may have closed while the answer was on its way.
    if (::IsWindow(owner_) && AskToProceed(owner_)) OpenHomePage();
}

}  // namespace scw
