// Times a scan through the real sweep page (tree, result list, run worker) of a kind-10 target
// holding 100,000 files against the engine scanning the same tree with a sink that only
// counts, in the same run. Prints rows per second, the ratio, the peak memory and the longest
// time the page's window went without handling its messages.
// Usage: bench_sweep_page.exe [folder] [rounds]   (the tree is made once if missing)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/Catalogue.h"
#include "engine/Environment.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "sweep/page/DlgScan.h"
#include "state/ItemSets.h"
#include "state/Settings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kTempItem = 106;  // "Temporary file directory": every file below %TEMP%


struct NoTray : scw::TrayActivity {
    void StartTrayActivity(const std::wstring&, const std::wstring&) override {}
    void StopTrayActivity(const std::wstring&, const std::wstring&) override {}
};

// The longest gap between ticks of a 10 ms timer of the window's thread during the scan.
DWORD g_lastTick = 0, g_longestGap = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DWORD now = ::GetTickCount();
    if (g_lastTick) g_longestGap = std::max(g_longestGap, now - g_lastTick);
    g_lastTick = now;
}


double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root = argc > 1 ? argv[1] : L"C:\\scourwell-bench\\";
    if (root.back() != L'\\') root += L'\\';
    int rounds = std::max(1, argc > 2 ? _wtoi(argv[2]) : 3);
    if (!MakeTree(root)) return 1;

    scw::OverrideEnvironment env;
    env.SetVariable(L"TEMP", root + L"tree");
    scw::Catalogue catalogue;
    catalogue.Build();
    scw::CMyObject& item = *catalogue.Find(kTempItem);

    std::vector<double> engine, page;
    long engineRows = 0;
    for (int r = 0; r < rounds; ++r) {
        CountingRun run;
        auto start = Clock::now();
        scw::CollectTargets(item, env);
        scw::ScanTargets(run, item, env);
        engine.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        engineRows = run.traces;
    }
    double enginePeak = PeakMegabytes();

    scw::CIniFileRW settings(scw::CIniFileRW::ByPath{}, root + scw::kSettingsFileName);
    scw::WriteItemSet(settings, scw::ItemSet::Recent, {static_cast<int>(kTempItem)});
    HWND host = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 560, nullptr, nullptr,
                                  nullptr, nullptr);
    NoTray tray;
    long pageRows = 0;
    for (int r = 0; r < rounds; ++r) {
        scw::CDlgScan dialog(tray, catalogue, settings, env);
        dialog.Create(host);
        ::SetWindowPos(dialog.GetSafeHwnd(), nullptr, 0, 0, 620, 520, SWP_NOZORDER | SWP_SHOWWINDOW);
        g_lastTick = 0;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
        auto start = Clock::now();
        ::SendMessageW(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(scw::CDlgScan::kScan, BN_CLICKED), 0);
        dialog.Run()->Wait();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        page.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        ::KillTimer(nullptr, timer);
        pageRows = static_cast<long>(::SendMessageW(dialog.ResultList(), 0x1004 /* LVM_GETITEMCOUNT */, 0, 0));
    }
    double pagePeak = PeakMegabytes();
    ::DestroyWindow(host);

    double e = Median(engine), p = Median(page);
    std::printf("rows: engine %ld, page list %ld\n", engineRows, pageRows);
    std::printf("engine, counting sink: %.3f s, %.0f rows/s (median of %d)\n", e, engineRows / e, rounds);
    std::printf("sweep page:            %.3f s, %.0f rows/s (median of %d)\n", p, pageRows / p, rounds);
    std::printf("page / engine:         %.2fx\n", p / e);
    std::printf("peak working set:      engine %.1f MB, with the page %.1f MB\n", enginePeak, pagePeak);
    std::printf("longest UI stall:      %lu ms\n", g_longestGap);
    return engineRows == pageRows ? 0 : 2;
}
