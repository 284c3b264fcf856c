#include "cli/WipeCommand.h"

#include <windows.h>

#include <optional>

#include "cli/Commands.h"
#include "cli/CtrlCEvent.h"
#include "cli/Record.h"
#include "framework/UniqueHandle.h"
#include "shred/core/FreeSpaceWipe.h"

namespace scw::cli {

namespace {
long long Count(std::uint64_t n) { return static_cast<long long>(n); }

// Nothing shows while it works: the records come at the end.
class SilentWipeView : public WipeView {
    void WipeStarted(const WipeVolume&, std::uint64_t) override {}
    void WipePhaseChanged(WipePhase, int) override {}
    void WipeProgress(std::uint64_t) override {}
    void WipeRecords(std::uint64_t) override {}
    void WipeEnded(const WipeSummary&) override {}
};

std::wstring Rate(const WipeSummary& summary) {
    if (summary.milliseconds == 0) return L"";
    const double mibPerSecond = summary.bytesWritten / 1048576.0 / (summary.milliseconds / 1000.0);
    return L" (" + std::to_wstring(static_cast<long long>(mibPerSecond)) + L" MiB/s)";
}
}  // namespace

int WipeFreeSpaceOf(ConsoleOut& out, const std::wstring& drive, int passes, bool json, bool yes) {
    const VolumeCheck check = CheckWipeVolume(drive);
    if (!check.Ok()) {
        out.Err(L"scourwell-cli: refusing " + drive + L": " + check.Reason());
        out.Err(L"nothing was wiped");
        return ExitUsage;
    }
    const std::wstring& root = check.volume.root;
    if (!yes) {
        out.Out(FormatRecord({{L"result", std::wstring(L"free")}, {L"drive", root},
                              {L"free", Count(check.volume.freeBytes)}},
                             json));
        out.Err(L"nothing was wiped: add --yes to wipe the free space of " + root);
        return ExitUsage;
    }

    std::optional<CtrlCEvent> stop(std::in_place);
    SilentWipeView view;
    const WipeSummary summary = WipeFreeSpace(root, passes, stop->Get(), view);
    stop.reset();

    if (summary.leftoversRemoved)
        out.Err(L"removed " + std::to_wstring(summary.leftoversRemoved) + L" files an earlier wipe had left");
    out.Err(L"wrote " + std::to_wstring(summary.bytesWritten) + L" bytes in " +
            std::to_wstring(summary.milliseconds) + L" ms" + Rate(summary) + L", filled " +
            std::to_wstring(summary.recordsFilled) + L" records");
    if (summary.Ok()) {
        out.Out(FormatRecord({{L"result", std::wstring(L"wiped")}, {L"drive", root},
                              {L"written", Count(summary.bytesWritten)}, {L"records", Count(summary.recordsFilled)}},
                             json));
        return ExitDone;
    }
    const bool stopped = summary.stopped && summary.cleanedUp && summary.failure.empty();
    out.Out(FormatRecord({{L"result", std::wstring(stopped ? L"stopped" : L"failed")}, {L"drive", root},
                          {L"reason", summary.Problem()}},
                         json));
    if (stopped) {
        out.Err(L"stopped by Ctrl+C; the wipe's files were deleted");
        return ExitStopped;
    }
    return ExitFailures;
}

}  // namespace scw::cli
