// Times the junk search with the Default rows over a tree of 100,000 files in 5,051 folders plus
// one junk file of a Default type in each of the 5,000 lowest folders, against a bare walk of the
// same tree with the same listing call, in the same run. Also prints, for the record,
// a walk that tests every entry for being a folder by making it the current directory.
// Usage: bench_junk_search.exe [folder] [rounds]   (the tree is made once if missing; the folder,
// C:\scourwell-bench-junk\ by default, must not be the other benchmarks' own, which stays junk-free)
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "junk/core/JunkTypes.h"
#include "junk/core/JunkWalk.h"

namespace {

// One name for each kind of Default match: extension, leading tilde, the "??~" rule.
const wchar_t* const kJunkNames[] = {L"junk.tmp", L"junk.swp", L"junk.$$$", L"junk.~ab", L"~junk.doc",
                                     L"junk.ab~", L"junk.temp", L"junk.db$",  L"junk.nch"};
constexpr long kJunkFiles = kTop * kSub;

// The benchmark tree of BenchSupport with one junk file added to each lowest folder, made once.
// False when it cannot be made.
bool MakeJunkTree(const std::wstring& root) {
    const std::wstring done = root + L"junk.flag";
    if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    if (!MakeTree(root)) return false;
    std::fwprintf(stderr, L"planting junk in %ls ...\n", root.c_str());
    const size_t kinds = sizeof(kJunkNames) / sizeof(kJunkNames[0]);
    for (int t = 0; t < kTop; ++t) {
        for (int s = 0; s < kSub; ++s) {
            const std::wstring file = root + L"tree\\top" + std::to_wstring(t) + L"\\folder" + std::to_wstring(s) +
                                      L"\\" + kJunkNames[static_cast<size_t>(t * kSub + s) % kinds];
            if (!MakeEmptyFile(file)) return false;
        }
    }
    return MakeEmptyFile(done);
}

// The least any walker does, with the listing call the search makes (basic information, large
// fetches), so the ratio shows the search's own work: matching each name and reporting the
// rows it finds.
long BasicListingWalk(const std::wstring& folder) {
    long files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*.*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
                files += BasicListingWalk(folder + data.cFileName + L"\\");
        } else {
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

// Keeps each row as the page's list store does, so reporting costs what it costs there.
struct KeepingSink : scw::JunkSink {
    void FoundJunk(const scw::JunkRow& row) override { rows.push_back(row); }
    std::vector<scw::JunkRow> rows;
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
    std::wstring root = argc > 1 ? argv[1] : L"C:\\scourwell-bench-junk\\";
    if (root.back() != L'\\') root += L'\\';
    const int rounds = argc > 2 && _wtoi(argv[2]) > 0 ? _wtoi(argv[2]) : 5;
    if (!MakeJunkTree(root)) {
        std::fwprintf(stderr, L"could not make the junk tree\n");
        return 1;
    }
    const std::wstring tree = root + L"tree\\";
    const scw::JunkMatcher matcher(scw::DefaultJunkPatterns());
    std::atomic<bool> stop{false};
    HANDLE stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);

    std::vector<double> bare, search;
    long bareFiles = 0, found = 0;
    for (int r = 0; r < rounds; ++r) {
        bare.push_back(Seconds([&] { bareFiles = BasicListingWalk(tree); }));
        KeepingSink sink;
        search.push_back(Seconds([&] { scw::SearchJunk(tree, matcher, sink, scw::JunkStop{&stop, stopEvent}); }));
        found = static_cast<long>(sink.rows.size());
    }
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    long entries = 0, literalFound = 0;
    const double literal = Seconds([&] { literalFound = CurrentDirectoryWalk(tree, matcher, entries); });
    SetCurrentDirectoryW(saved);
    CloseHandle(stopEvent);

    const double b = Median(bare), s = Median(search);
    std::printf("files: bare walk %ld; junk planted %ld, found: search %ld, current-directory walk %ld\n", bareFiles,
                kJunkFiles, found, literalFound);
    std::printf("bare walk, the search's listing call: %.3f s (median of %d)\n", b, rounds);
    std::printf("junk search, Default rows:            %.3f s (median of %d)\n", s, rounds);
    std::printf("junk search / bare walk:              %.2fx\n", s / b);
    std::printf("current-directory test per entry:     %.3f s (one round, %ld entries), %.2fx the bare walk\n",
                literal, entries, literal / b);
    return found == kJunkFiles && literalFound == kJunkFiles ? 0 : 2;
}
