// The free-space wipe's fill against a bare unbuffered WriteFile loop of the same block size on
// the same drive, and the time of its file-record fill. Run by bench/wipe_fill.sh on a mounted
// NTFS image: never on a drive of this machine.
// Usage: bench_wipe_fill.exe DRIVE [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/ListedFile.h"
#include "shred/core/FreeSpaceWipe.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Fill {
    double seconds = 0;
    std::uint64_t bytes = 0;
};

// What any fill must do at least: one file, 1 MiB unbuffered writes until the disk is full
// (smaller aligned writes for the last free clusters), one flush.
Fill BareFill(const std::wstring& root, DWORD sectorBytes) {
    const std::wstring path = root + L"bench-bare-fill.tmp";
    constexpr DWORD kBlock = 1u << 20;
    auto* block = static_cast<unsigned char*>(::VirtualAlloc(nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    for (DWORD i = 0; i < kBlock; ++i) block[i] = static_cast<unsigned char>(i * 131 + 7);
    Fill fill;
    const Clock::time_point start = Clock::now();
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING | FILE_FLAG_WRITE_THROUGH, nullptr);
    DWORD chunk = kBlock;
    while (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        if (::WriteFile(file, block, chunk, &done, nullptr) && done == chunk) {
            fill.bytes += done;
            continue;
        }
        fill.bytes += done;
        if (done > 0 || chunk <= sectorBytes) break;
        chunk /= 2;
    }
    if (file != INVALID_HANDLE_VALUE) {
        ::FlushFileBuffers(file);
        ::CloseHandle(file);
    }
    fill.seconds = Seconds(start);
    scw::DeleteListedFile(scw::ListingFolder(root).value_or(root) + L"bench-bare-fill.tmp");
    ::VirtualFree(block, 0, MEM_RELEASE);
    return fill;
}

// Times the wipe's fill from its start to the record fill, as the wipe reports it.
class TimingView : public scw::WipeView {
public:
    Clock::time_point fillStart, fillEnd;
    std::uint64_t bytes = 0;
    void WipeStarted(const scw::WipeVolume&, std::uint64_t) override { fillStart = Clock::now(); }
    void WipePhaseChanged(scw::WipePhase phase, int) override {
        if (phase != scw::WipePhase::Filling && fillEnd == Clock::time_point{}) fillEnd = Clock::now();
    }
    void WipeProgress(std::uint64_t written) override { bytes = written; }
    void WipeRecords(std::uint64_t) override {}
    void WipeEnded(const scw::WipeSummary&) override {}
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bench_wipe_fill DRIVE [rounds]\n");
        return 2;
    }
    const scw::VolumeCheck check = scw::CheckWipeVolume(argv[1]);
    if (!check.Ok()) {
        std::fwprintf(stderr, L"%ls\n", check.Reason().c_str());
        return 2;
    }
    const int rounds = std::max(1, argc > 2 ? _wtoi(argv[2]) : 3);
    const std::wstring root = check.volume.root;
    std::vector<double> bare, wipe, records;
    std::uint64_t bareBytes = 0, wipeBytes = 0, recordCount = 0;
    for (int round = 0; round < rounds; ++round) {
        const Fill fill = BareFill(root, check.volume.sectorBytes);
        bare.push_back(fill.bytes / fill.seconds);
        bareBytes = fill.bytes;
        TimingView view;
        const scw::WipeSummary summary = scw::WipeFreeSpace(root, 1, nullptr, view);
        if (!summary.Ok()) {
            std::fwprintf(stderr, L"the wipe failed: %ls\n", summary.Problem().c_str());
            return 1;
        }
        wipe.push_back(view.bytes / std::chrono::duration<double>(view.fillEnd - view.fillStart).count());
        wipeBytes = view.bytes;
        records.push_back(summary.recordMilliseconds / 1000.0);
        recordCount = summary.recordsFilled;
    }
    const double mib = 1048576.0;
    std::wprintf(L"bare unbuffered fill (1 MiB writes): %8.1f MiB/s  (%llu bytes, median of %d)\n", Median(bare) / mib,
                 static_cast<unsigned long long>(bareBytes), rounds);
    std::wprintf(L"wipe fill (1 pass, same writes):     %8.1f MiB/s  (%llu bytes)\n", Median(wipe) / mib,
                 static_cast<unsigned long long>(wipeBytes));
    std::wprintf(L"wipe / bare throughput:              %8.2fx\n", Median(wipe) / Median(bare));
    std::wprintf(L"record fill:                         %8.3f s  (%llu records)\n", Median(records),
                 static_cast<unsigned long long>(recordCount));
    return 0;
}
