// Times Delete all of a kind-10 target over a tree of 100,000 files in 5,051 folders against a
// bare FindFirstFileW + DeleteFileW walk over an identical tree, in the same run. Each round
// deletes two fresh copies; the order alternates so neither side always gets the warmer cache.
// Before each timing it waits for the disk to settle (the previous side's deletions are still
// being written to the journal for a few seconds, and would land in the other side's time).
// Usage: bench_engine_delete.exe [folder] [rounds] [settle ms, 6000]   (copies missing in the
// folder are made here)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"

namespace {

// The baseline: what any deleting walker must do at least.
long BareDelete(const std::wstring& folder) {
    return BareWalk(
        folder,
        [](const std::wstring& in, const wchar_t* name) { return DeleteFileW((in + name).c_str()) != FALSE; },
        [](const std::wstring& done) { RemoveDirectoryW(done.c_str()); });
}

// One copy of the tree, made unless the bench script made it already; the flag goes first so
// a half-deleted copy is never taken for a whole one.
bool FreshCopy(const std::wstring& copy) {
    if (!MakeTree(copy)) return false;
    DeleteFileW((copy + L"complete.flag").c_str());
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root = argc > 1 ? argv[1] : L"C:\\scourwell-bench-delete\\";
    if (root.back() != L'\\') root += L'\\';
    int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
    if (rounds < 1) rounds = 1;
    const DWORD settle = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 6000;
    CreateDirectoryW(root.c_str(), nullptr);

    std::vector<double> bare, engine;
    long bareFiles = 0, engineFiles = 0, engineFailed = 0;
    for (int r = 0; r < rounds; ++r) {
        std::wstring round = root + L"round" + std::to_wstring(r);
        std::wstring bareCopy = round + L"-bare\\", engineCopy = round + L"-engine\\";
        if (!FreshCopy(bareCopy) || !FreshCopy(engineCopy)) {
            std::fwprintf(stderr, L"could not make the trees\n");
            return 1;
        }
        scw::CMyObject category(nullptr, 1, scw::LevelCategory, 0, L"Category");
        scw::CMyObject program(&category, 2, scw::LevelProgram, 0, L"Program");
        scw::CMyObject item(&program, 900, scw::LevelItem, 0, L"Item");
        scw::AddTarget(item, nullptr, engineCopy + L"tree\\", L"*.*", scw::KindAllFiles);
        CountingRun run;
        auto timeBare = [&] {
            Sleep(settle);
            bare.push_back(Seconds([&] { bareFiles = BareDelete(bareCopy + L"tree\\"); }));
        };
        auto timeEngine = [&] {
            Sleep(settle);
            engine.push_back(Seconds([&] { scw::DeleteTargets(run, item); }));
        };
        if (r % 2 == 0) {
            timeBare();
            timeEngine();
        } else {
            timeEngine();
            timeBare();
        }
        engineFiles = run.deleted;
        engineFailed = run.failed;
        RemoveDirectoryW(bareCopy.c_str());
        RemoveDirectoryW(engineCopy.c_str());
    }
    double b = Median(bare), e = Median(engine);
    std::printf("files deleted: bare walk %ld, engine %ld (failed %ld)\n", bareFiles, engineFiles, engineFailed);
    std::printf("bare FindFirstFileW + DeleteFileW: %.3f s (median of %d)\n", b, rounds);
    std::printf("engine Delete all (kind 10):       %.3f s (median of %d)\n", e, rounds);
    std::printf("engine / bare walk:                %.2fx\n", e / b);
    return bareFiles == engineFiles && engineFailed == 0 ? 0 : 2;
}
