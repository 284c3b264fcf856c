#include "cli/RuleCommands.h"

#include <memory>

#include "cli/Commands.h"
#include "cli/Record.h"
#include "engine/Registry.h"
#include "rules/RuleDetection.h"
#include "rules/RuleGuard.h"
#include "rules/RuleSweep.h"

namespace scw::cli {

namespace {

void PrintProblems(ConsoleOut& out, const std::vector<rules::RuleProblem>& problems) {
    for (const rules::RuleProblem& problem : problems) out.Err(problem.Text());
}

// A rule entry's run as the console sees it: traces as records, counts on standard error.
class RuleConsoleRun : public ScanRun {
public:
    RuleConsoleRun(ConsoleOut& out, bool json, DeletionTally& tally) : out_(out), json_(json), tally_(tally) {}

    HANDLE StopEvent() const override { return nullptr; }
    bool StopRequested() const override { return Interrupted(); }
    void ReportTrace(const TraceRow& row) override {
        ++traces_;
        CountTrace(const_cast<CMyObject&>(row.item));
        out_.Out(FormatRecord({{L"id", std::wstring(L"rule")},
                               {L"item", row.item.displayName},
                               {L"type", std::wstring(row.isRegistry ? L"reg" : L"file")},
                               {L"location", row.location},
                               {L"name", row.name}},
                              json_));
    }
    void ReportDeletion(bool success, DWORD number) override { tally_.Add(success, number); }
    void ReportRefusal(const std::wstring& path, const DeleteOutcome& outcome) override {
        out_.Out(OutcomeRecord(L"failed", path, outcome.Reason(), json_));
    }
    void MarkScanning(CMyObject& item) override { SetScanState(item, ScanRunning); }
    void MarkScanned(CMyObject& item) override {
        SetScanState(item, ScanDone);
        if (item.traceCount > 0) out_.Err(L"rule " + item.displayName + L": " + std::to_wstring(item.traceCount));
    }
    long Traces() const { return traces_; }

private:
    ConsoleOut& out_;
    bool json_;
    DeletionTally& tally_;
    long traces_ = 0;
};

std::wstring Joined(const std::vector<std::wstring>& parts, const wchar_t* separator) {
    std::wstring joined;
    for (const std::wstring& part : parts) joined += (joined.empty() ? L"" : separator) + part;
    return joined;
}

}  // namespace

int ListRules(ConsoleOut& out, bool json) {
    const rules::RuleSet set = rules::LoadRuleSet(rules::ProgramFolder());
    PrintProblems(out, set.problems);
    rules::RuleDetector detector(SystemEnv());
    for (const rules::RuleEntry& entry : set.entries)
        out.Out(FormatRecord({{L"name", entry.name},
                              {L"group", entry.group},
                              {L"state", std::wstring(detector.IsDetected(entry) ? L"detected" : L"absent")},
                              {L"file", entry.sourceFile}},
                             json));
    out.Err(std::to_wstring(set.entries.size()) + L" rule entries");
    return ExitDone;
}

RuleChoice ChooseRules(ConsoleOut& out, const Arguments& args, const std::vector<std::wstring>& savedNames) {
    RuleChoice choice;
    if (!args.allRules && args.ruleNames.empty() && savedNames.empty()) return choice;
    choice.set = rules::LoadRuleSet(rules::ProgramFolder());
    if (!choice.set.problems.empty())
        out.Err(L"scourwell-cli: " + std::to_wstring(choice.set.problems.size()) +
                L" problems in the rule files ('scourwell-cli rules' lists them)");
    std::vector<std::wstring> unknown;
    auto choose = [&](const rules::RuleEntry* entry) {
        for (const rules::RuleEntry* chosen : choice.entries)
            if (chosen == entry) return;
        choice.entries.push_back(entry);
    };
    if (args.allRules) {
        rules::RuleDetector detector(SystemEnv());
        for (const rules::RuleEntry& entry : choice.set.entries)
            if (detector.IsDetected(entry)) choose(&entry);
    }
    for (const std::wstring& name : savedNames)
        if (const rules::RuleEntry* entry = choice.set.Find(name)) choose(entry);
    for (const std::wstring& name : args.ruleNames) {
        if (const rules::RuleEntry* entry = choice.set.Find(name))
            choose(entry);
        else
            unknown.push_back(name);
    }
    if (!unknown.empty()) out.Err(L"scourwell-cli: ignored rule names that name no entry: " + Joined(unknown, L", "));
    for (const rules::RuleEntry* entry : choice.entries)
        if (!entry->warning.empty()) out.Err(L"scourwell-cli: warning for " + entry->name + L": " + entry->warning);
    return choice;
}

void ListRuleTargets(ConsoleOut& out, const std::vector<const rules::RuleEntry*>& entries, bool json) {
    size_t count = 0;
    for (const rules::RuleEntry* entry : entries) {
        for (const rules::FileKey& key : entry->fileKeys) {
            std::wstring name = Joined(key.patterns, L";");
            if (key.removeSelf)
                name += L"|REMOVESELF";
            else if (key.recurse)
                name += L"|RECURSE";
            out.Out(FormatRecord({{L"id", std::wstring(L"rule")},
                                  {L"item", entry->name},
                                  {L"type", std::wstring(L"file")},
                                  {L"path", key.folder},
                                  {L"name", name}},
                                 json));
            ++count;
        }
        for (const rules::RegKey& key : entry->regKeys) {
            out.Out(FormatRecord({{L"id", std::wstring(L"rule")},
                                  {L"item", entry->name},
                                  {L"type", std::wstring(L"reg")},
                                  {L"path", RootPrefix(key.root) + key.path},
                                  {L"name", key.wholeKey ? std::wstring(L"*.*") : key.value}},
                                 json));
            ++count;
        }
    }
    out.Err(std::to_wstring(count) + L" targets in " + std::to_wstring(entries.size()) + L" rule entries");
}

bool SweepRules(ConsoleOut& out, const std::vector<const rules::RuleEntry*>& entries, bool json, bool clean,
                DeletionTally& tally) {
    CatchCtrlC();
    const rules::RuleGuard guard(SystemEnv());
    RuleConsoleRun run(out, json, tally);
    std::vector<std::unique_ptr<CMyObject>> nodes;
    std::vector<rules::RuleProblem> refused;
    for (const rules::RuleEntry* entry : entries) {
        if (run.StopRequested()) break;
        nodes.push_back(std::make_unique<CMyObject>(nullptr, 0, LevelItem, 0, entry->name));
        run.MarkScanning(*nodes.back());
        rules::ScanRuleEntry(run, *nodes.back(), *entry, guard, &refused);
        run.MarkScanned(*nodes.back());
    }
    out.Err(std::to_wstring(run.Traces()) + L" traces in " + std::to_wstring(nodes.size()) + L" rule entries");
    // What the guard refused is said once, at the scan.
    for (const rules::RuleProblem& problem : refused) out.Err(problem.Text());
    if (clean) {
        for (size_t i = 0; i < nodes.size() && !run.StopRequested(); ++i)
            if (nodes[i]->traceCount > 0) rules::DeleteRuleEntry(run, *nodes[i], *entries[i], guard);
    }
    return !run.StopRequested();
}

}  // namespace scw::cli
