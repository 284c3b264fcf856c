// Times a rule entry's scan over the benchmark tree (100,000 files in 5,051 folders), reached
// through a wildcard folder segment, with a pattern and an exclusion, against a bare walk of the
// same folders, in the same run.
// Usage: bench_rules_scan.exe [folder] [rounds]   (the tree is made once if missing)
#include <windows.h>

#include <cstdio>

#include "bench/BenchSupport.h"
#include "engine/Environment.h"
#include "engine/FolderWalk.h"
#include "rules/RuleGuard.h"
#include "rules/RuleParser.h"
#include "rules/RuleSweep.h"

namespace {
// The one walk with a visitor that only counts: what every rule scan walks through.
struct CountingVisitor : scw::FolderVisitor {
    long files = 0;
    bool OnFile(const std::wstring&, const WIN32_FIND_DATAW&) override {
        ++files;
        return true;
    }
};
}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root;
    int rounds = 5;
    if (!BenchSetup(argc, argv, root, rounds)) return 1;
    const std::wstring tree = root + L"tree\\";
    std::vector<scw::rules::RuleEntry> entries;
    std::vector<scw::rules::RuleProblem> problems;
    scw::rules::ParseRuleText(L"[Bench Cache *]\nSection=Bench\nFileKey1=" + tree + L"top*|*.dat;*.tmp|RECURSE\n" +
                                  L"ExcludeKey1=FILE|" + tree + L"top0\\folder0\\|file0.dat\n",
                              L"bench.ini", entries, problems);
    if (entries.size() != 1 || !problems.empty()) return 1;
    const scw::rules::RuleGuard guard(scw::SystemEnv());
    scw::CMyObject node(nullptr, 0, scw::LevelItem, 0, L"Bench Cache");

    long bareFiles = 0, ruleFiles = 0, walkFiles = 0;
    std::vector<double> bare, rules, walks;
    BareWalk(tree);  // warm the system's caches once
    for (int i = 0; i < rounds; ++i) {
        bare.push_back(Seconds([&] { bareFiles = BareWalk(tree); }));
        CountingRun run;
        rules.push_back(Seconds([&] { scw::rules::ScanRuleEntry(run, node, entries[0], guard); }));
        ruleFiles = run.traces;
        CountingVisitor visitor;
        walks.push_back(Seconds([&] { scw::WalkFolder(tree, visitor); }));
        walkFiles = visitor.files;
    }
    const double placing = Seconds([&] { scw::rules::PlacesOf(entries[0].fileKeys[0], entries[0], guard); });
    std::wprintf(L"median of %d rounds over %ls (judging the %zu folders the entry reaches: %.0f ms)\n", rounds,
                 tree.c_str(), scw::rules::PlacesOf(entries[0].fileKeys[0], entries[0], guard).size(), placing * 1000);
    std::wprintf(L"  bare FindFirstFileW walk     %7.0f ms  (%ld files)\n", Median(bare) * 1000, bareFiles);
    std::wprintf(L"  the one walk, only counting  %7.0f ms  (%ld files)\n", Median(walks) * 1000, walkFiles);
    std::wprintf(L"  rule entry scan              %7.0f ms  (%ld traces)\n", Median(rules) * 1000, ruleFiles);
    std::wprintf(L"  ratio rule scan / bare walk  %7.2f  (target: at most 1.10)\n", Median(rules) / Median(bare));
    std::wprintf(L"  ratio rule scan / one walk   %7.2f\n", Median(rules) / Median(walks));
    return 0;
}
