// One overwrite pass of the shredder over a large file against a bare WriteFile loop with the
// same 64 KiB block and one FlushFileBuffers, in the same run; then 3 and 7 passes.
// Usage: bench_shred_passes.exe FOLDER [MiB] [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "shred/core/ShredFile.h"
#include "shred/core/ShredRun.h"

namespace {

constexpr DWORD kBlock = 65536;

struct QuietView : scw::ShredView {
    void RunStarted(std::uint64_t, int) override {}
    void Progress(std::uint64_t) override {}
    void FileFinished(const scw::ShredRow&, const scw::FileOutcome&) override {}
    void BuffersUnavailable() override {}
    void RunEnded(const scw::ShredSummary&) override {}
};

// Writes the file afresh (outside any timing), so every pass overwrites allocated data.
bool MakeFile(const std::wstring& path, std::uint64_t size, const std::vector<char>& block) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    for (std::uint64_t at = 0; at < size; at += kBlock) WriteFile(h, block.data(), kBlock, &done, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
    return true;
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BareLoop(const std::wstring& path, std::uint64_t size, const std::vector<char>& block) {
    auto start = std::chrono::steady_clock::now();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD done = 0;
    for (std::uint64_t at = 0; at < size; at += kBlock) WriteFile(h, block.data(), kBlock, &done, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
    return Seconds(start);
}

double Shred(const std::wstring& path, int passes, std::uint64_t& written) {
    scw::ShredList list;
    QuietView view;
    scw::AddShredPath(list, path);
    scw::ShredRun run(list, view);
    auto start = std::chrono::steady_clock::now();
    scw::ShredSummary summary = run.RunHere(passes, nullptr);
    written = summary.bytesWritten;
    return Seconds(start);
}

// What the shredder does after the last pass, alone: cut to nothing, rename at random, delete.
double Removal(const std::wstring& path) {
    auto start = std::chrono::steady_clock::now();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    SetEndOfFile(h);
    FlushFileBuffers(h);
    CloseHandle(h);
    std::wstring left;
    scw::RemoveFileName(path, left);
    return Seconds(start);
}

// The least a shredder of one pass does: the bare loop, then the file deleted.
double BareLoopAndDelete(const std::wstring& path, std::uint64_t size, const std::vector<char>& block) {
    auto start = std::chrono::steady_clock::now();
    BareLoop(path, size, block);
    DeleteFileW(path.c_str());
    return Seconds(start);
}

double PlainDelete(const std::wstring& path) {
    auto start = std::chrono::steady_clock::now();
    DeleteFileW(path.c_str());
    return Seconds(start);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder = argc > 1 ? argv[1] : L"C:\\scourwell-bench\\";
    if (folder.back() != L'\\') folder += L'\\';
    const std::uint64_t mib = argc > 2 ? _wtoi(argv[2]) : 1024;
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
    const std::uint64_t size = mib << 20;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"shred.bin";
    std::vector<char> block(kBlock);
    for (DWORD i = 0; i < kBlock; ++i) block[i] = static_cast<char>(rand() & 0xFF);

    std::vector<double> bare, one, removal, plainDelete, bareAndDelete;
    std::uint64_t written = 0;
    for (int r = 0; r < rounds; ++r) {
        if (!MakeFile(path, size, block)) return 1;
        bare.push_back(BareLoop(path, size, block));
        one.push_back(Shred(path, 1, written));
        if (!MakeFile(path, size, block)) return 1;
        removal.push_back(Removal(path));
        if (!MakeFile(path, size, block)) return 1;
        plainDelete.push_back(PlainDelete(path));
        if (!MakeFile(path, size, block)) return 1;
        bareAndDelete.push_back(BareLoopAndDelete(path, size, block));
        if (written != size) std::fprintf(stderr, "shred wrote %llu of %llu bytes\n", (unsigned long long)written,
                                          (unsigned long long)size);
    }
    const double mb = static_cast<double>(size) / (1 << 20);
    std::printf("file: %llu MiB, median of %d rounds\n", (unsigned long long)mib, rounds);
    std::printf("bare WriteFile loop + flush: %.3f s (%.0f MiB/s)\n", Median(bare), mb / Median(bare));
    std::printf("shred 1 pass:                %.3f s (%.0f MiB/s)\n", Median(one), mb / Median(one));
    std::printf("shred / bare throughput:     %.2fx\n", Median(bare) / Median(one));
    // The bare loop leaves its file; the shredder also removes it, which a plain delete of the
    // same file costs nearly as much.
    const double pass = Median(one) - Median(removal);
    std::printf("removal (cut, rename, delete): %.3f s; a plain DeleteFileW: %.3f s\n", Median(removal),
                Median(plainDelete));
    std::printf("shred 1 pass without removal: %.3f s (%.0f MiB/s), / bare: %.2fx\n", pass, mb / pass,
                Median(bare) / pass);
    // Freeing a large file's blocks costs what it costs on the volume (on one mounted with online
    // discard, a tenth of a second for 256 MiB), and the bare loop never pays it.
    std::printf("bare loop + flush + DeleteFileW: %.3f s; shred 1 pass / that: %.2fx\n", Median(bareAndDelete),
                Median(bareAndDelete) / Median(one));
    for (int passes : {3, 7}) {
        if (!MakeFile(path, size, block)) return 1;
        double s = Shred(path, passes, written);
        std::printf("shred %d passes:              %.3f s (%.0f MiB/s per pass, %llu bytes written)\n", passes, s,
                    mb * passes / s, (unsigned long long)written);
    }
    if (!MakeFile(path, size, block)) return 1;  // left for dd over the same file
    return 0;
}
