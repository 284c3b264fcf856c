#include "app/UpdateFeedback.h"

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

StartupUpdateCheck::StartupUpdateCheck(HWND owner) : owner_(owner) {}

StartupUpdateCheck::~StartupUpdateCheck() {
    channel_.Close();
    worker_.StopAndJoin();
}

void StartupUpdateCheck::Start() {
    worker_.Start([this, location = UpdateDownloadLocation()](HANDLE stop) {
        if (CAutoUpdater().Fetch(location, stop).Newer()) channel_.Post([this] { Offer(); });
        finished_ = true;
    });
}

bool StartupUpdateCheck::Finished() const { return finished_.load(); }

void StartupUpdateCheck::Offer() {
    // The window may have closed while the answer was on its way.
    if (::IsWindow(owner_) && AskToProceed(owner_)) OpenHomePage();
}

}  // namespace scw
