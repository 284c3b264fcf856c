#include "cli/UpdateCommand.h"

#include "cli/Commands.h"
#include "cli/Record.h"
#include "update/core/AutoUpdater.h"
#include "update/core/UpdateSource.h"
#include "update/core/Versions.h"

namespace scw::cli {

namespace {
const wchar_t* StatusWord(const UpdateFinding& finding) {
    switch (finding.code) {
    case kUpdateNoConnection:
    case kUpdateOpenFailed:
        return L"failed";
    case kUpdateNoRunningVersion:
        return L"no-version";
    case kUpdateProceed:
        return L"newer";
    default:
        break;
    }
    // An answer that names no version is as useless as a malformed one.
    if (!finding.serverVersion || finding.comparison == kFirstMalformed || finding.comparison == kSecondMalformed)
        return L"malformed";
    return L"current";
}
}  // namespace

int CheckForUpdate(ConsoleOut& out, bool json) {
    const UpdateFinding finding = CAutoUpdater().Fetch(UpdateDownloadLocation());
    const std::wstring running = finding.runningVersion.empty() ? RunningVersionText() : finding.runningVersion;
    Field server{L"server", std::monostate{}};
    if (finding.serverVersion) server.value = *finding.serverVersion;
    out.Out(FormatRecord({{L"status", std::wstring(StatusWord(finding))}, server, {L"running", running}}, json));
    return finding.code == kUpdateNoConnection || finding.code == kUpdateOpenFailed ? ExitFailures : ExitDone;
}

}  // namespace scw::cli
