#include "engine/FolderWalk.h"

#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {

bool IsLinkEntry(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
bool IsFolderEntry(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

UniqueFind FindFirst(const std::wstring& mask, WIN32_FIND_DATAW& data, bool foldersOnly = false) {
    if (mask.size() > kMaxPathChars) return UniqueFind();
    return UniqueFind(::FindFirstFileExW(mask.c_str(), FindExInfoBasic, &data,
                                         foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
}

struct Walk {
    FolderVisitor& visitor;
    const WalkOptions& options;

    // False when the visitor stopped the walk.
    bool Folder(const std::wstring& folder, bool first) {
        if (visitor.StopRequested()) return false;
        const bool narrow = options.pattern != L"*" && options.pattern != L"*.*";
        // A narrower pattern is looked for in the first folder only; the others are walked whole.
        if (narrow && !first) return true;
        bool going = true;
        if (options.readFolderFirst) {
            std::vector<WIN32_FIND_DATAW> entries;
            ForEach(folder, [&](const WIN32_FIND_DATAW& data) {
                entries.push_back(data);
                return true;
            });
            for (const WIN32_FIND_DATAW& data : entries)
                if (!(going = Entry(folder, data))) break;
        } else {
            ForEach(folder, [&](const WIN32_FIND_DATAW& data) { return going = Entry(folder, data); });
        }
        if (going) visitor.OnFolderDone(folder);
        return going;
    }

    template <typename F>
    void ForEach(const std::wstring& folder, F&& each) {
        WIN32_FIND_DATAW data;
        UniqueFind find = FindFirst(folder + options.pattern, data);
        // A folder that cannot be listed (denied, gone, not a folder) is skipped.
        if (!find) return;
        do {
            if (IsDotsName(data.cFileName)) continue;
            if (!each(data)) return;
        } while (::FindNextFileW(find.Get(), &data));
    }

    bool Entry(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
        if (visitor.StopRequested()) return false;
        const size_t length = folder.size() + wcslen(data.cFileName);
        if (IsFolderEntry(data)) {
            // A linked folder belongs to someone else's tree: neither entered nor listed.
            if (IsLinkEntry(data) || !options.recurse) return true;
            if (length + 1 > kMaxPathChars) {
                visitor.OnTooLong(folder, data.cFileName);
                return true;
            }
            if (!visitor.OnFolder(folder, data)) return true;
            return Folder(folder + data.cFileName + L'\\', false);
        }
        if (length > kMaxPathChars) {
            visitor.OnTooLong(folder, data.cFileName);
            return true;
        }
        return visitor.OnFile(folder, data);
    }
};

bool HasWildcard(const std::wstring& text) { return text.find_first_of(L"*?") != std::wstring::npos; }

void Expand(const std::wstring& done, const std::wstring& rest, size_t limit, std::vector<std::wstring>& found) {
    if (found.size() >= limit) return;
    if (!HasWildcard(rest)) {
        const std::wstring folder = done + rest;
        if (folder.size() > kMaxPathChars) return;
        const DWORD attributes = ::GetFileAttributesW(folder.size() > 3 ? folder.substr(0, folder.size() - 1).c_str()
                                                                        : folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            found.push_back(folder);
        return;
    }
    // Up to the first segment that holds a wildcard: the plain part is added as it is.
    const size_t wild = rest.find_first_of(L"*?");
    const size_t start = rest.find_last_of(L'\\', wild);
    const std::wstring plain = start == std::wstring::npos ? L"" : rest.substr(0, start + 1);
    const size_t end = rest.find(L'\\', wild);
    const std::wstring segment = rest.substr(plain.size(), end - plain.size());
    const std::wstring after = end == std::wstring::npos ? L"" : rest.substr(end + 1);
    const std::wstring base = done + plain;
    WIN32_FIND_DATAW data;
    UniqueFind find = FindFirst(base + segment, data, true);
    if (!find) return;
    do {
        if (IsDotsName(data.cFileName) || !IsFolderEntry(data) || IsLinkEntry(data)) continue;
        Expand(base + data.cFileName + L'\\', after, limit, found);
        if (found.size() >= limit) return;
    } while (::FindNextFileW(find.Get(), &data));
}

}  // namespace

bool WalkFolder(const std::wstring& folder, FolderVisitor& visitor, const WalkOptions& options) {
    if (folder.empty() || folder.back() != L'\\' || folder.size() > kMaxPathChars) return true;
    return Walk{visitor, options}.Folder(folder, true);
}

std::vector<std::wstring> ExpandFolderPattern(const std::wstring& pattern, size_t limit) {
    std::vector<std::wstring> found;
    if (pattern.empty()) return found;
    std::wstring rest = pattern;
    if (rest.back() != L'\\') rest += L'\\';
    // The drive or share part never holds a wildcard that is expanded.
    const size_t rootEnd = rest.find(L'\\') + 1;
    if (HasWildcard(rest.substr(0, rootEnd))) return found;
    Expand(rest.substr(0, rootEnd), rest.substr(rootEnd), limit, found);
    return found;
}

}  // namespace scw
