#include "junk/core/JunkWalk.h"

#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
bool IsDots(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

struct Walk {
    const JunkMatcher& matcher;
    JunkSink& sink;
    const JunkStop& stop;

    bool Folder(const std::wstring& folder) {
        if (stop.AtFolder()) return false;
        const std::wstring mask = folder + L"*.*";
        if (mask.size() > kMaxPathChars) return true;
        WIN32_FIND_DATAW data;
        UniqueFind find(::FindFirstFileExW(mask.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
        // A folder that cannot be listed (denied, gone, not a folder) is skipped.
        if (!find) return true;
        do {
            if (!Entry(folder, data)) return false;
            if (!::FindNextFileW(find.Get(), &data)) break;
            if (stop.AtEntry()) return false;
        } while (true);
        return true;
    }

    bool Entry(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
        if (IsDots(data.cFileName)) return true;
        // A link is neither entered nor listed: deleting a file link can remove its target. Where
        // the system shows a file link as a plain file (Wine), the delete refuses it instead:
        // checking every match here doubled the search's time.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
        const size_t length = folder.size() + wcslen(data.cFileName);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (length + 1 > kMaxPathChars) return true;
            return Folder(folder + data.cFileName + L'\\');
        }
        if (length > kMaxPathChars) return true;
        wchar_t buffer[MAX_PATH];
        const std::wstring_view lower = JunkListName(data.cFileName, buffer);
        if (matcher.Matches(lower)) sink.FoundJunk(JunkRow{std::wstring(lower), folder});
        return true;
    }
};
}  // namespace

std::vector<std::wstring> FixedDriveRoots(const HostRoots& hosts) {
    std::vector<std::wstring> roots;
    wchar_t buffer[1025] = {};
    const DWORD length = ::GetLogicalDriveStringsW(1024, buffer);
    if (length == 0 || length > 1024) return roots;
    for (const wchar_t* root = buffer; *root; root += wcslen(root) + 1) {
        if (::GetDriveTypeW(root) == DRIVE_FIXED && !hosts.IsHostRoot(root)) roots.emplace_back(root);
    }
    return roots;
}

std::optional<std::wstring> FullJunkRoot(const std::wstring& root, const HostRoots& hosts) {
    if (root.empty()) return std::nullopt;
    wchar_t full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameW(root.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    std::wstring folder(full, length);
    if (folder.back() != L'\\') folder += L'\\';
    if (folder.size() > kMaxPathChars || hosts.Refusal(folder)) return std::nullopt;
    return folder;
}

bool WalkForJunk(const std::wstring& folder, const JunkMatcher& matcher, JunkSink& sink, const JunkStop& stop) {
    if (folder.empty() || folder.back() != L'\\' || folder.size() > kMaxPathChars) return true;
    return Walk{matcher, sink, stop}.Folder(folder);
}

void SearchJunk(const std::wstring& root, const JunkMatcher& matcher, JunkSink& sink, const JunkStop& stop) {
    if (!root.empty()) {
        if (std::optional<std::wstring> full = FullJunkRoot(root)) WalkForJunk(*full, matcher, sink, stop);
        return;
    }
    for (const std::wstring& drive : FixedDriveRoots()) {
        if (!WalkForJunk(drive, matcher, sink, stop)) return;
    }
}

}  // namespace scw
