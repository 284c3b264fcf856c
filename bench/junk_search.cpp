// Times the junk search with the Default rows over the tree of 100,000 files in 5,051 folders
// against a bare FindFirstFileW walk of the same tree, in the same run. Also prints, for the
// record, a walk that tests every entry for being a folder by making it the current directory.
// Usage: bench_junk_search.exe [folder] [rounds]   (the tree is made once if missing)
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "junk/core/JunkTypes.h"
#include "junk/core/JunkWalk.h"

namespace {

struct CountingSink : scw::JunkSink {
    void FoundJunk(const scw::JunkRow&) override { ++found; }
    long found = 0;
};

// Every entry costs a SetCurrentDirectoryW call: a success means a folder, a failure a file.
long CurrentDirectoryWalk(const std::wstring& folder, const scw::JunkMatcher& matcher, long& entries) {
    long found = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!wcscmp(data.cFileName, L".") || !wcscmp(data.cFileName, L"..")) continue;
        ++entries;
        std::wstring path = folder + data.cFileName;
        if (SetCurrentDirectoryW(path.c_str())) {
            found += CurrentDirectoryWalk(path + L"\\", matcher, entries);
        } else if (matcher.Matches(scw::JunkListName(data.cFileName))) {
            ++found;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root;
    int rounds = 0;
    if (!BenchSetup(argc, argv, root, rounds)) return 1;
    const std::wstring tree = root + L"tree\\";
    const scw::JunkMatcher matcher(scw::DefaultJunkPatterns());
    std::atomic<bool> stop{false};
    HANDLE stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);

    std::vector<double> bare, search;
    long bareFiles = 0, found = 0;
    for (int r = 0; r < rounds; ++r) {
        bare.push_back(Seconds([&] { bareFiles = BareWalk(tree); }));
        CountingSink sink;
        search.push_back(Seconds([&] { scw::SearchJunk(tree, matcher, sink, scw::JunkStop{&stop, stopEvent}); }));
        found = sink.found;
    }
    long entries = 0, literalFound = 0;
    const double literal = Seconds([&] { literalFound = CurrentDirectoryWalk(tree, matcher, entries); });
    CloseHandle(stopEvent);

    const double b = Median(bare), s = Median(search);
    std::printf("files: bare walk %ld; junk found: search %ld, current-directory walk %ld\n", bareFiles, found,
                literalFound);
    std::printf("bare FindFirstFileW walk:          %.3f s (median of %d)\n", b, rounds);
    std::printf("junk search, Default rows:         %.3f s (median of %d)\n", s, rounds);
    std::printf("junk search / bare walk:           %.2fx\n", s / b);
    std::printf("current-directory test per entry:  %.3f s (one round, %ld entries), %.2fx the bare walk\n", literal,
                entries, literal / b);
    return found == literalFound ? 0 : 2;
}
