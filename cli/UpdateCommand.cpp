#include "cli/UpdateCommand.h"

#include "cli/Commands.h"
#include "cli/Record.h"
#include "update/core/AutoUpdater.h"
#include "update/core/UpdateSource.h"
#include "update/core/UpdateStatus.h"
#include "update/core/Versions.h"

namespace scw::cli {

int CheckForUpdate(ConsoleOut& out, bool json) {
    const UpdateFinding finding = CAutoUpdater().Fetch(UpdateDownloadLocation());
    const std::wstring running = finding.runningVersion.empty() ? RunningVersionText() : finding.runningVersion;
    Field server{L"server", std::monostate{}};
    if (finding.serverVersion) server.value = *finding.serverVersion;
    out.Out(FormatRecord({{L"status", std::wstring(UpdateStatusWord(finding))}, server, {L"running", running}}, json));
    return finding.code == kUpdateNoConnection || finding.code == kUpdateOpenFailed ? ExitFailures : ExitDone;
}

}  // namespace scw::cli
