// What each step of a checked delete costs, against a bare DeleteFileW over the same files: each
// way deletes its own fresh copy of 250 folders of 20 files, the rounds rotating the order. Shows
// where a checked delete loses its time on this system (under Wine every question about a handle
// is a round trip to the server).
// The program's own delete is timed too, with and without the held folder to open through, and a
// folder's hold and removal against RemoveDirectoryW. SCOURWELL_PIECES picks rows of the table,
// SCOURWELL_SETTLE_MS waits before each timing (on a disk, for the journal of the last one).
// Usage: bench_delete_pieces.exe [folder] [rounds]   (bench/delete_pieces.sh runs it)
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/ListedFile.h"

namespace {

constexpr int kFolders = 250, kPerFolder = 20;

bool MakeCopy(const std::wstring& root) {
    CreateDirectoryW(root.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) {
        const std::wstring folder = root + L"f" + std::to_wstring(f) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int i = 0; i < kPerFolder; ++i)
            if (!MakeEmptyFile(folder + L"file" + std::to_wstring(i) + L".dat")) return false;
    }
    return true;
}

HANDLE OpenItself(const std::wstring& path, DWORD access, DWORD share) {
    return CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Opens `leaf` relative to an open folder, as the program's delete does.
HANDLE OpenIn(HANDLE folder, const std::wstring& leaf) {
    return scw::OpenFileIn(folder, leaf, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES).Release();
}

bool Dispose(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != 0;
}

void Basic(HANDLE file) {
    FILE_BASIC_INFO basic;
    GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic));
}
void Standard(HANDLE file) {
    FILE_STANDARD_INFO standard;
    GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof(standard));
}
void Tag(HANDLE file) {
    FILE_ATTRIBUTE_TAG_INFO tag;
    GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof(tag));
}
void FinalPath(HANDLE file) {
    wchar_t buffer[MAX_PATH + 8];
    GetFinalPathNameByHandleW(file, buffer, MAX_PATH + 8, FILE_NAME_NORMALIZED);
}
void NameInfo(HANDLE file) {
    alignas(8) unsigned char buffer[sizeof(FILE_NAME_INFO) + MAX_PATH * 2 + 16];
    GetFileInformationByHandleEx(file, FileNameInfo, buffer, sizeof(buffer));
}
void ObjectName(HANDLE file) {
    alignas(8) unsigned char buffer[1024];
    ULONG length = 0;
    NtQueryObject(file, ObjectNameInformation, buffer, sizeof(buffer), &length);
}

using FileStep = std::function<void(const std::wstring& folder, HANDLE held, const std::wstring& leaf)>;

struct Way {
    const char* name;
    bool holdsFolder;
    FileStep step;
    std::vector<double> seconds = {};
};

// Deletes every file of a copy the given way; a folder held when the way holds one.
double Run(const std::wstring& root, const Way& way) {
    return Seconds([&] {
        for (int f = 0; f < kFolders; ++f) {
            const std::wstring folder = root + L"f" + std::to_wstring(f) + L"\\";
            HANDLE held = INVALID_HANDLE_VALUE;
            if (way.holdsFolder)
                held = OpenItself(folder.substr(0, folder.size() - 1), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE);
            for (int i = 0; i < kPerFolder; ++i) way.step(folder, held, L"file" + std::to_wstring(i) + L".dat");
            if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        }
    });
}

void RemoveCopy(const std::wstring& root) {
    BareWalk(
        root, [](const std::wstring& in, const wchar_t* name) { return DeleteFileW((in + name).c_str()) != FALSE; },
        [](const std::wstring& done) { RemoveDirectoryW(done.c_str()); });
}

// Opens by full path as the checked delete does, asks `questions`, deletes through the handle.
FileStep ByPath(std::function<void(HANDLE)> questions) {
    return [questions](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
        HANDLE file = OpenItself(folder + leaf, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        if (file == INVALID_HANDLE_VALUE) return;
        questions(file);
        Dispose(file);
        CloseHandle(file);
    };
}

FileStep InHeld(std::function<void(HANDLE)> questions) {
    return [questions](const std::wstring&, HANDLE held, const std::wstring& leaf) {
        HANDLE file = OpenIn(held, leaf);
        if (file == INVALID_HANDLE_VALUE) return;
        questions(file);
        Dispose(file);
        CloseHandle(file);
    };
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root = argc > 1 ? argv[1] : L"C:\\scourwell-bench-pieces\\";
    if (root.back() != L'\\') root += L'\\';
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    CreateDirectoryW(root.c_str(), nullptr);
    auto none = [](HANDLE) {};
    std::vector<Way> ways = {
        {"DeleteFileW (baseline)", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) { DeleteFileW((folder + leaf).c_str()); }},
        {"open by path + delete by handle", false, ByPath(none)},
        {"  + basic + standard info", false, ByPath([](HANDLE h) { Basic(h), Standard(h); })},
        {"  + basic + standard + final path", false, ByPath([](HANDLE h) { Basic(h), Standard(h), FinalPath(h); })},
        {"  + attribute tag only", false, ByPath(Tag)},
        {"  + final path only", false, ByPath(FinalPath)},
        {"  + file name info only", false, ByPath(NameInfo)},
        {"  + object name only", false, ByPath(ObjectName)},
        {"open in held folder + delete by handle", true, InHeld(none)},
        {"  + attribute tag", true, InHeld(Tag)},
        {"  + attribute tag + object name", true, InHeld([](HANDLE h) { Tag(h), ObjectName(h); })},
        {"  + attribute tag + file name info", true, InHeld([](HANDLE h) { Tag(h), NameInfo(h); })},
        {"  + attribute tag + final path", true, InHeld([](HANDLE h) { Tag(h), FinalPath(h); })},
        {"open (delete access only) + delete by handle", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
             HANDLE file = OpenItself(folder + leaf, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
             if (file == INVALID_HANDLE_VALUE) return;
             Dispose(file);
             CloseHandle(file);
         }},
        {"open (delete + read attributes) + delete by handle", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
             HANDLE file = OpenItself(folder + leaf, DELETE | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
             if (file == INVALID_HANDLE_VALUE) return;
             Dispose(file);
             CloseHandle(file);
         }},
        {"open with delete-on-close", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
             HANDLE file = CreateFileW((folder + leaf).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_DELETE_ON_CLOSE,
                                       nullptr);
             if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
         }},
        {"open (delete only) + final path + delete by handle", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
             HANDLE file = OpenItself(folder + leaf, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
             if (file == INVALID_HANDLE_VALUE) return;
             FinalPath(file);
             Dispose(file);
             CloseHandle(file);
         }},
        {"DeleteListedFile (the program's delete)", false,
         [](const std::wstring& folder, HANDLE, const std::wstring& leaf) {
             const std::wstring path = folder + leaf;
             scw::DeleteListedFile(path);
         }},
    };
    // SCOURWELL_PIECES="0,1,5" times only those ways (by their place in the table).
    if (const char* only = getenv("SCOURWELL_PIECES")) {
        std::vector<Way> chosen;
        for (const char* at = only; *at; ++at)
            if (isdigit(static_cast<unsigned char>(*at))) {
                const size_t k = strtoul(at, const_cast<char**>(&at), 10);
                if (k < ways.size()) chosen.push_back(ways[k]);
                if (!*at) break;
            }
        ways = chosen;
    }
    const DWORD settle = getenv("SCOURWELL_SETTLE_MS") ? atoi(getenv("SCOURWELL_SETTLE_MS")) : 0;
    for (int r = 0; r < rounds; ++r) {
        for (size_t k = 0; k < ways.size(); ++k) {
            Way& way = ways[(k + r) % ways.size()];
            const std::wstring copy = root + L"copy\\";
            if (!MakeCopy(copy)) {
                std::fwprintf(stderr, L"could not make the files\n");
                return 1;
            }
            // On a disk, the new files' own writes would otherwise land in the middle of the timing.
            Sleep(settle);
            way.seconds.push_back(Run(copy, way));
            RemoveCopy(copy);
        }
    }
    // What a folder costs the checked delete: held while its files go, then removed once empty.
    std::vector<double> bareFolders, heldFolders, holdsOnly;
    const std::wstring empties = root + L"empties\\";
    auto makeEmpties = [&] {
        CreateDirectoryW(empties.c_str(), nullptr);
        for (int f = 0; f < kFolders; ++f) CreateDirectoryW((empties + L"e" + std::to_wstring(f)).c_str(), nullptr);
    };
    for (int r = 0; r < rounds; ++r) {
        makeEmpties();
        bareFolders.push_back(Seconds([&] {
            for (int f = 0; f < kFolders; ++f) RemoveDirectoryW((empties + L"e" + std::to_wstring(f)).c_str());
        }));
        makeEmpties();
        const std::wstring listed = *scw::ListingFolder(empties);
        holdsOnly.push_back(Seconds([&] {
            for (int f = 0; f < kFolders; ++f) scw::HeldFolder::Hold(listed + L"e" + std::to_wstring(f) + L"\\");
        }));
        heldFolders.push_back(Seconds([&] {
            for (int f = 0; f < kFolders; ++f)
                scw::HeldFolder::Hold(listed + L"e" + std::to_wstring(f) + L"\\").RemoveIfEmpty();
        }));
        RemoveDirectoryW(empties.c_str());
    }
    // The program's delete with and without the held folder's handle to open through.
    std::vector<double> byPath, throughHeld;
    for (int r = 0; r < rounds; ++r) {
        for (bool within : {r % 2 == 0, r % 2 != 0}) {
            const std::wstring copy = root + L"copy\\";
            if (!MakeCopy(copy)) return 1;
            Sleep(settle);
            const std::wstring listed = *scw::ListingFolder(copy);
            long failed = 0;
            const double seconds = Seconds([&] {
                for (int f = 0; f < kFolders; ++f) {
                    const std::wstring folder = listed + L"f" + std::to_wstring(f) + L"\\";
                    scw::HeldFolder held = scw::HeldFolder::Hold(folder);
                    for (int i = 0; i < kPerFolder; ++i)
                        failed += !scw::DeleteListedFile(folder + L"file" + std::to_wstring(i) + L".dat",
                                                         {.within = within ? &held : nullptr})
                                       .Deleted();
                }
            });
            (within ? throughHeld : byPath).push_back(seconds);
            if (failed) std::fprintf(stderr, "%ld files were not deleted\n", failed);
            RemoveCopy(copy);
        }
    }
    std::printf("%-52s %7.1f us/file (median), %7.1f (quickest)\n", "DeleteListedFile by path, folders held",
                Median(byPath) * 1e6 / (kFolders * kPerFolder),
                *std::min_element(byPath.begin(), byPath.end()) * 1e6 / (kFolders * kPerFolder));
    std::printf("%-52s %7.1f us/file (median), %7.1f (quickest)\n", "DeleteListedFile through the held folder",
                Median(throughHeld) * 1e6 / (kFolders * kPerFolder),
                *std::min_element(throughHeld.begin(), throughHeld.end()) * 1e6 / (kFolders * kPerFolder));
    std::printf("%d empty folders, median of %d rounds\n", kFolders, rounds);
    std::printf("%-42s %7.1f us/folder (quickest)\n", "HeldFolder::Hold + RemoveIfEmpty",
                *std::min_element(heldFolders.begin(), heldFolders.end()) * 1e6 / kFolders);
    std::printf("%-42s %7.1f us/folder\n", "RemoveDirectoryW", Median(bareFolders) * 1e6 / kFolders);
    std::printf("%-42s %7.1f us/folder\n", "HeldFolder::Hold", Median(holdsOnly) * 1e6 / kFolders);
    std::printf("%-42s %7.1f us/folder\n", "HeldFolder::Hold + RemoveIfEmpty", Median(heldFolders) * 1e6 / kFolders);
    const double base = Median(ways[0].seconds);
    // The quickest round is the best guess at a way's own cost on a machine others share.
    auto quickest = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    const double least = quickest(ways[0].seconds);
    std::printf("%d files, %d rounds: median, and the quickest round\n", kFolders * kPerFolder, rounds);
    for (const Way& way : ways)
        std::printf("%-52s %7.1f us/file %5.2fx   %7.1f us/file %5.2fx\n", way.name,
                    Median(way.seconds) * 1e6 / (kFolders * kPerFolder), Median(way.seconds) / base,
                    quickest(way.seconds) * 1e6 / (kFolders * kPerFolder), quickest(way.seconds) / least);
    RemoveDirectoryW(root.c_str());
    return 0;
}
