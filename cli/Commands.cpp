#include "cli/Commands.h"

#include <atomic>
#include <mutex>

#include "state/Settings.h"
#include "cli/ConsoleView.h"
#include "cli/Record.h"
#include "cli/RuleCommands.h"
#include "engine/Targets.h"
#include "sweep/core/SweepRun.h"

namespace scw::cli {

namespace {
// Ctrl+C arrives on a thread of its own; the lock keeps the run alive while it is told to stop.
std::mutex g_runLock;
SweepRun* g_run = nullptr;
std::atomic<bool> g_interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    g_interrupted = true;
    std::lock_guard<std::mutex> guard(g_runLock);
    if (g_run) g_run->RequestStop();
    return TRUE;
}

class StopOnCtrlC {
public:
    explicit StopOnCtrlC(SweepRun& run) {
        std::lock_guard<std::mutex> guard(g_runLock);
        g_run = &run;
        ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    }
    ~StopOnCtrlC() {
        std::lock_guard<std::mutex> guard(g_runLock);
        g_run = nullptr;
    }
    // A Ctrl+C between installing the handler and the worker's start hit no stop event yet.
    void Started(SweepRun& run) {
        if (g_interrupted) run.RequestStop();
    }
};

}  // namespace

void CatchCtrlC() { ::SetConsoleCtrlHandler(OnConsoleControl, TRUE); }
bool Interrupted() { return g_interrupted; }

namespace {
long long Id(const CMyObject* node) { return node ? static_cast<long long>(node->itemId) : 0; }
}  // namespace

int ListItems(ConsoleOut& out, const Catalogue& catalogue, bool json) {
    catalogue.ForEach([&](CMyObject* node) {
        Field parent{L"parent", {}};
        if (node->parent) parent.value = Id(node->parent);
        out.Out(FormatRecord({{L"id", Id(node)},
                              {L"level", static_cast<long long>(node->level)},
                              parent,
                              {L"icon", static_cast<long long>(node->icon)},
                              {L"text", node->displayName}},
                             json));
    });
    return ExitDone;
}

int ListTargets(ConsoleOut& out, const Selection& selection, bool json) {
    size_t count = 0;
    for (CMyObject* item : selection.items) {
        CollectTargets(*item);
        for (const TraceTarget& target : item->targets) {
            ++count;
            out.Out(FormatRecord({{L"id", Id(item)},
                                  {L"root", target.rootPrefix},
                                  {L"path", target.path},
                                  {L"name", target.name},
                                  {L"kind", static_cast<long long>(target.kind)}},
                                 json));
        }
    }
    out.Err(std::to_wstring(count) + L" targets in " + std::to_wstring(selection.items.size()) + L" items");
    return ExitDone;
}

int Sweep(ConsoleOut& out, Catalogue& catalogue, const Selection& selection,
          const std::vector<const rules::RuleEntry*>& ruleEntries, bool json, bool clean) {
    DeletionTally tally;
    // An empty catalogue selection still says so, unless rule entries are what was asked for.
    if (!selection.items.empty() || ruleEntries.empty()) {
        ConsoleView view(out, json);
        SweepRun run(catalogue, view, CIniFileRW(kSettingsFileName));
        // Only the program's own window records what it ran last.
        run.SetRecordRecent(false);
        StopOnCtrlC stopper(run);
        bool started = clean ? run.StartOneClick(selection.items) : run.ScanOrStop(selection.items);
        if (!started) {
            out.Err(L"scourwell-cli: the run could not be started");
            return ExitFailures;
        }
        stopper.Started(run);
        run.Wait();
        tally.deleted += run.Tally().deleted;
        tally.failed += run.Tally().failed;
    }
    if (!ruleEntries.empty() && !g_interrupted) SweepRules(out, ruleEntries, json, clean, tally);
    if (clean) out.Err(L"deleted " + std::to_wstring(tally.deleted) + L", failed " + std::to_wstring(tally.failed));
    if (clean && tally.failed > 0) return ExitFailures;
    if (g_interrupted) {
        out.Err(L"stopped by Ctrl+C");
        return ExitStopped;
    }
    return ExitDone;
}

}  // namespace scw::cli
