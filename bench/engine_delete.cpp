// Times Delete all of a kind-10 target over a tree of 100,000 files in 5,051 folders against a
// bare FindFirstFileW + DeleteFileW walk over an identical tree, in the same run. Each round
// deletes two fresh copies; the order alternates so neither side always gets the warmer cache.
// Usage: bench_engine_delete.exe [folder] [rounds]   (copies missing in the folder are made here)
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
    long files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
                files += BareDelete(folder + data.cFileName + L"\\");
        } else if (DeleteFileW((folder + data.cFileName).c_str())) {
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    RemoveDirectoryW(folder.c_str());
    return files;
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
        auto timeBare = [&] { bare.push_back(Seconds([&] { bareFiles = BareDelete(bareCopy + L"tree\\"); })); };
        auto timeEngine = [&] { engine.push_back(Seconds([&] { scw::DeleteTargets(run, item); })); };
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
