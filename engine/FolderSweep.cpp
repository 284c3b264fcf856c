#include "engine/SweepParts.h"

#include <vector>

#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw::sweep {

namespace {

bool IsDots(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

// These three are looked for in their own folder only; walking a drive for them would be slow.
bool SearchesOwnFolderOnly(const std::wstring& name) {
    return name == L"setupapi.log" || name == L"DirectX.log" || name == L"pagefile.sys";
}

bool ExtensionMatches(const wchar_t* fileName, const std::wstring& extension) {
    const wchar_t* dot = wcsrchr(fileName, L'.');
    return extension == (dot ? dot : fileName);
}

bool Lists(TargetKind kind, const wchar_t* fileName, const std::wstring& name) {
    switch (kind) {
    case KindAllFiles: return true;
    case KindExtension: return ExtensionMatches(fileName, name);
    case KindExactName: return name == fileName;
    default: return false;
    }
}

// An exact name with a wildcard ("*.torrent") is a pattern for its own folder: the scan lists
// exactly the files the delete of that pattern removes.
bool IsPattern(const std::wstring& name) { return name.find_first_of(L"*?") != std::wstring::npos; }

UniqueFind FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    if (pattern.size() > kMaxPathChars) return UniqueFind();
    return UniqueFind(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// Polls the stop event at most once a millisecond. A poll is a round trip to the system's
// event object, which under some systems costs as much as reading the entry itself; a
// millisecond is still far below what a user can tell from "at once".
class StopPoller {
public:
    explicit StopPoller(const ScanRun& run) : run_(run) {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        interval_ = frequency.QuadPart / 1000;
    }
    bool Stopped() {
        if (stopped_) return true;
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        if (now.QuadPart < next_) return false;
        next_ = now.QuadPart + interval_;
        stopped_ = run_.StopRequested();
        return stopped_;
    }

private:
    const ScanRun& run_;
    LONGLONG interval_ = 0;
    LONGLONG next_ = 0;
    bool stopped_ = false;
};

struct ScanWalk {
    const WalkContext& ctx;
    bool ownFolderOnly;
    bool listsEveryMatch = false;  // the search pattern alone decides, as it does for the delete
    StopPoller stop{ctx.run};

    // False when the stop event ended the walk.
    bool Walk(const std::wstring& folder) {
        const std::wstring& name = ctx.target.name;
        WIN32_FIND_DATAW data;
        UniqueFind find = FindFirst(folder + (ownFolderOnly ? name : std::wstring(L"*.*")), data);
        if (!find) return true;
        do {
            if (!Visit(folder, data)) return false;
            if (!::FindNextFileW(find.Get(), &data)) break;
            if (stop.Stopped()) return false;
        } while (true);
        return true;
    }

    bool Visit(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
        if (IsDots(data.cFileName)) return true;
        size_t length = folder.size() + wcslen(data.cFileName);
        // Over-long paths are skipped: a cut path would name something else.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (IsLink(data.dwFileAttributes) || ownFolderOnly || length + 1 > kMaxPathChars) return true;
            return Walk(folder + data.cFileName + L"\\");
        }
        if (length > kMaxPathChars || !(listsEveryMatch || Lists(ctx.target.kind, data.cFileName, ctx.target.name)))
            return true;
        std::wstring fileName(data.cFileName);
        ctx.run.ReportTrace(TraceRow{ctx.item, fileName, folder, false});
        return true;
    }
};

struct Entry {
    std::wstring name;
    DWORD attributes;
};

// The entries matching the pattern, read before any is deleted so deleting never disturbs the listing.
std::vector<Entry> ListEntries(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW data;
    UniqueFind find = FindFirst(folder + pattern, data);
    if (!find) return entries;
    do {
        if (!IsDots(data.cFileName)) entries.push_back({data.cFileName, data.dwFileAttributes});
    } while (::FindNextFileW(find.Get(), &data));
    return entries;
}

void DeleteFileReported(ScanRun& run, const std::wstring& path) {
    if (::DeleteFileW(path.c_str())) {
        run.ReportDeletion(true, 0);
        return;
    }
    DWORD error = ::GetLastError();
    // Gone since the listing: nothing was left behind, and a restart must not delete whatever
    // has that name by then.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    // In use or denied: the system removes it at the next restart.
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED)
        ::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    run.ReportDeletion(false, 0);
}

// Kinds 1 and 10: every matching file below the folder, then the emptied folders, itself too
// unless it is a folder that must go on existing.
void DeleteTree(ScanRun& run, const std::wstring& folder, const std::wstring& pattern, bool removeItself = true) {
    for (const Entry& entry : ListEntries(folder, pattern)) {
        std::wstring path = folder + entry.name;
        // The same limits as the scan's: a file of 259 characters is listed, so it is deleted.
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (path.size() + 1 > kMaxPathChars) continue;
            // A link goes as a link; what it points to is never entered.
            if (IsLink(entry.attributes))
                ::RemoveDirectoryW(path.c_str());
            else
                DeleteTree(run, path + L"\\", pattern);
        } else if (path.size() <= kMaxPathChars) {
            DeleteFileReported(run, path);
        }
    }
    if (removeItself) ::RemoveDirectoryW(folder.c_str());
}

// Kind 11: exactly the files the scan lists; folders stay.
void DeleteByExtension(ScanRun& run, const std::wstring& folder, const std::wstring& extension) {
    for (const Entry& entry : ListEntries(folder, L"*.*")) {
        std::wstring path = folder + entry.name;
        if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!IsLink(entry.attributes) && path.size() + 1 <= kMaxPathChars)
                DeleteByExtension(run, path + L"\\", extension);
        } else if (path.size() <= kMaxPathChars && ExtensionMatches(entry.name.c_str(), extension)) {
            DeleteFileReported(run, path);
        }
    }
}

// Kind 12: the files of that name in the folder itself. The search ignores letter case, the scan
// does not: a file the scan would not list ("History.dat") is not deleted either.
void DeleteInFolder(ScanRun& run, const std::wstring& folder, const std::wstring& name) {
    bool pattern = IsPattern(name);
    for (const Entry& entry : ListEntries(folder, name))
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && folder.size() + entry.name.size() <= kMaxPathChars &&
            (pattern || entry.name == name))
            DeleteFileReported(run, folder + entry.name);
}

}  // namespace

bool ScanFolderTarget(const WalkContext& ctx, const FolderGuard& guard) {
    const TraceTarget& target = ctx.target;
    if (!guard.MaySearch(target.path)) return true;
    bool walkable = guard.MayWalk(target.path);
    if (target.kind != KindExactName && !walkable) return true;
    // An exact name in a folder too wide to walk is looked for in that folder only.
    bool pattern = target.kind == KindExactName && IsPattern(target.name);
    ScanWalk walk{ctx, SearchesOwnFolderOnly(target.name) || !walkable || pattern, pattern};
    return walk.Walk(target.path);
}

void DeleteFolderTarget(ScanRun& run, const TraceTarget& target, const FolderGuard& guard) {
    if (target.name.empty() || !guard.MaySearch(target.path)) return;
    if (target.kind == KindExactName) {
        DeleteInFolder(run, target.path, target.name);
        return;
    }
    if (!guard.MayWalk(target.path)) return;
    if (target.kind == KindExtension)
        DeleteByExtension(run, target.path, target.name);
    else
        DeleteTree(run, target.path, target.name, !guard.KeepsItself(target.path));
}

}  // namespace scw::sweep
