#include "update/core/AutoUpdater.h"

#include <wininet.h>

#include "framework/UniqueHandle.h"
#include "update/core/UpdateBody.h"
#include "update/core/UpdateCopy.h"
#include "update/core/UpdateSource.h"
#include "update/core/Versions.h"

namespace scw {

namespace {
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}
}  // namespace

CAutoUpdater::CAutoUpdater(UpdaterOptions options)
    : options_(std::move(options)), internet_(OpenInternetSession(options_.deadlineMs)) {}

bool CAutoUpdater::KeepLocalCopy(const std::string& body) const {
    std::wstring path = options_.localCopyPath;
    // Without the program's folder there is no place beside it (a bare name would land wherever
    // the current folder is).
    if (path.empty() && !ProgramFolder().empty()) path = ProgramFolder() + kUpdateFileName;
    if (path.empty() || path.size() > MAX_PATH - 1) return false;
    // A copy that cannot be written costs nothing: the check goes on from the body it received.
    return ReplaceUpdateCopy(path, body);
}

UpdateFinding CAutoUpdater::Fetch(const std::wstring& location, HANDLE stop) const {
    UpdateFinding finding;
    DWORD connection = 0;
    if (!internet_ || !::InternetGetConnectedState(&connection, 0)) {
        finding.code = kUpdateNoConnection;
        return finding;
    }
    const std::optional<std::string> body =
        DownloadWithin(internet_, location + kUpdateFileName, options_.deadlineMs, stop);
    if (!body) {
        finding.code = kUpdateOpenFailed;
        return finding;
    }
    finding.serverVersion = VersionNamedIn(*body);
    // Only an answer that names a version is an update description worth keeping: a portal's or
    // a proxy's page in its place would replace a good copy with nothing.
    if (finding.serverVersion) finding.localCopySaved = KeepLocalCopy(*body);

    finding.runningVersion = options_.runningVersion ? *options_.runningVersion : RunningVersionText();
    if (finding.runningVersion.empty()) {
        finding.code = kUpdateNoRunningVersion;
        return finding;
    }
    // An answer that names no version offers nothing (a default would offer a version that does
    // not exist).
    if (!finding.serverVersion) return finding;
    finding.comparison = CompareVersions(*finding.serverVersion, finding.runningVersion);
    finding.code = finding.comparison == 1 ? kUpdateProceed : kUpdateNotNewer;
    return finding;
}

int CAutoUpdater::Check(const std::wstring& location, const std::function<bool()>& proceed) const {
    const UpdateFinding finding = Fetch(location);
    if (!finding.Newer()) return finding.code;
    return proceed && !proceed() ? kUpdateDeclined : kUpdateProceed;
}

}  // namespace scw
