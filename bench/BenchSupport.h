#pragma once
// What the benchmarks share: the tree of 100,000 files in 5,051 folders below the root's "tree"
// folder (made once), a scan sink that only counts, and the median of the rounds.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/ScanRun.h"

namespace {

constexpr int kTop = 50, kSub = 100, kFiles = 20;

// An empty file; false when it cannot be made.
inline bool MakeEmptyFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

inline bool MakeTree(const std::wstring& root) {
    std::wstring done = root + L"complete.flag";
    if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::fwprintf(stderr, L"making the tree in %ls ...\n", root.c_str());
    CreateDirectoryW(root.c_str(), nullptr);
    std::wstring tree = root + L"tree\\";
    CreateDirectoryW(tree.c_str(), nullptr);
    for (int t = 0; t < kTop; ++t) {
        std::wstring top = tree + L"top" + std::to_wstring(t) + L"\\";
        CreateDirectoryW(top.c_str(), nullptr);
        for (int s = 0; s < kSub; ++s) {
            std::wstring sub = top + L"folder" + std::to_wstring(s) + L"\\";
            CreateDirectoryW(sub.c_str(), nullptr);
            for (int f = 0; f < kFiles; ++f) {
                if (!MakeEmptyFile(sub + L"file" + std::to_wstring(f) + L".dat")) return false;
            }
        }
    }
    return MakeEmptyFile(done);
}

// The command line of a benchmark: [folder] [rounds]; makes the tree once. False when it cannot.
inline bool BenchSetup(int argc, wchar_t** argv, std::wstring& root, int& rounds) {
    root = argc > 1 ? argv[1] : L"C:\\scourwell-bench\\";
    if (root.back() != L'\\') root += L'\\';
    rounds = argc > 2 ? _wtoi(argv[2]) : 5;
    if (rounds < 1) rounds = 1;
    if (MakeTree(root)) return true;
    std::fwprintf(stderr, L"could not make the tree\n");
    return false;
}

// The engine alone: counts what it is told and polls a real, never signalled stop event.
class CountingRun : public scw::ScanRun {
public:
    CountingRun() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~CountingRun() override { CloseHandle(stop_); }
    HANDLE StopEvent() const override { return stop_; }
    void ReportTrace(const scw::TraceRow& row) override {
        ++traces;
        scw::CountTrace(const_cast<scw::CMyObject&>(row.item));
    }
    void ReportDeletion(bool success, DWORD) override { ++(success ? deleted : failed); }
    void MarkScanning(scw::CMyObject& item) override { scw::SetScanState(item, scw::ScanRunning); }
    void MarkScanned(scw::CMyObject& item) override { scw::SetScanState(item, scw::ScanDone); }
    long traces = 0;
    long deleted = 0, failed = 0;

private:
    HANDLE stop_;
};

// The baseline of every walk: what any walker must do at least. `onFile` gets each file's folder
// and name and says whether it counts; `onFolderDone` gets each folder once it is listed.
template <typename OnFile, typename OnFolderDone>
long BareWalk(const std::wstring& folder, OnFile onFile, OnFolderDone onFolderDone) {
    long files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
                files += BareWalk(folder + data.cFileName + L"\\", onFile, onFolderDone);
        } else if (onFile(folder, data.cFileName)) {
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    onFolderDone(folder);
    return files;
}

inline long BareWalk(const std::wstring& folder) {
    return BareWalk(
        folder, [](const std::wstring&, const wchar_t*) { return true; }, [](const std::wstring&) {});
}

template <typename F>
double Seconds(F&& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace
