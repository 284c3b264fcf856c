#include "update/core/AutoUpdater.h"

#include <wininet.h>

#include "framework/UniqueHandle.h"
#include "update/core/UpdateBody.h"
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
    // A copy that cannot be written (a read-only update.ini or program folder) costs nothing: the
    // check goes on from the body it received. A read-only copy is asked about first, since not
    // every file system refuses to overwrite one (an administrator's may not).
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), body.data(), static_cast<DWORD>(body.size()), &written, nullptr) &&
           written == body.size();
}

UpdateFinding CAutoUpdater::Fetch(const std::wstring& location) const {
    UpdateFinding finding;
    DWORD connection = 0;
    if (!internet_ || !::InternetGetConnectedState(&connection, 0)) {
        finding.code = kUpdateNoConnection;
        return finding;
    }
    const std::optional<std::string> body = DownloadWithin(internet_, location + kUpdateFileName, options_.deadlineMs);
    if (!body) {
        finding.code = kUpdateOpenFailed;
        return finding;
    }
    finding.localCopySaved = KeepLocalCopy(*body);

    finding.runningVersion = options_.runningVersion ? *options_.runningVersion : RunningVersionText();
    if (finding.runningVersion.empty()) {
        finding.code = kUpdateNoRunningVersion;
        return finding;
    }
    finding.serverVersion = VersionNamedIn(*body);
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
