// Times a kind-10 scan of a tree of 100,000 files in 5,051 folders against a bare
// FindFirstFileW walk of the same tree, in the same run. Prints seconds and the ratio.
// Usage: bench_engine_scan.exe [folder] [rounds]   (the tree is made once if missing)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "bench/BenchSupport.h"

int wmain(int argc, wchar_t** argv) {
    std::wstring root;
    int rounds = 0;
    if (!BenchSetup(argc, argv, root, rounds)) return 1;
    std::wstring tree = root + L"tree\\";

    scw::CMyObject category(nullptr, 1, scw::LevelCategory, 0, L"Category");
    scw::CMyObject program(&category, 2, scw::LevelProgram, 0, L"Program");
    scw::CMyObject item(&program, 900, scw::LevelItem, 0, L"Item");
    scw::AddTarget(item, nullptr, tree, L"*.*", scw::KindAllFiles);

    std::vector<double> bare, scan;
    long bareFiles = 0, scanFiles = 0;
    for (int r = 0; r < rounds; ++r) {
        bare.push_back(Seconds([&] { bareFiles = BareWalk(tree); }));
        CountingRun run;
        scan.push_back(Seconds([&] { scw::ScanTargets(run, item); }));
        scanFiles = run.traces;
    }
    double b = Median(bare), s = Median(scan);
    std::printf("files: bare walk %ld, scan %ld\n", bareFiles, scanFiles);
    std::printf("bare FindFirstFileW walk: %.3f s (median of %d)\n", b, rounds);
    std::printf("kind-10 scan:             %.3f s (median of %d)\n", s, rounds);
    std::printf("scan / bare walk:         %.2fx\n", s / b);
    return bareFiles == scanFiles ? 0 : 2;
}
