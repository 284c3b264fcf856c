#include "junk/core/JunkDelete.h"

#include <windows.h>

#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
std::wstring FinalPath(HANDLE handle) {
    wchar_t buffer[MAX_PATH + 8] = {};
    const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer, MAX_PATH + 8, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= MAX_PATH + 8) return {};
    return std::wstring(buffer, length);
}

std::wstring FinalPathOf(const std::wstring& path) {
    UniqueFileHandle handle(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle ? FinalPath(handle.Get()) : std::wstring();
}

// Some systems show a file link as a plain file. Its final path then leads elsewhere than its
// folder's final path followed by its own name.
bool IsPlainFile(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::wstring file = FinalPathOf(path);
    const std::wstring folder = FinalPathOf(path.substr(0, slash + 1));
    if (file.empty() || folder.empty()) return false;
    std::wstring expected = folder;
    if (expected.back() != L'\\') expected += L'\\';
    expected += path.substr(slash + 1);
    return ::CompareStringOrdinal(file.c_str(), static_cast<int>(file.size()), expected.c_str(),
                                  static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}
}  // namespace

bool DeleteJunkFile(const std::wstring& path) {
    if (path.empty() || path.size() > kMaxPathChars) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    if (!IsPlainFile(path)) return false;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        DWORD cleared = attributes & ~FILE_ATTRIBUTE_READONLY;
        if (!::SetFileAttributesW(path.c_str(), cleared ? cleared : FILE_ATTRIBUTE_NORMAL)) return false;
    }
    if (::DeleteFileW(path.c_str())) return true;
    // Still there (in use, denied): leave it as it was found.
    if (readOnly) ::SetFileAttributesW(path.c_str(), attributes);
    return false;
}

int DeleteJunkFiles(const std::vector<JunkRow>& rows, const std::function<void(const JunkRow&, bool)>& done,
                    const std::atomic<bool>* stop) {
    int failed = 0;
    for (const JunkRow& row : rows) {
        if (stop && stop->load()) break;
        const bool deleted = DeleteJunkFile(row.FullPath());
        if (!deleted) ++failed;
        if (done) done(row, deleted);
    }
    return failed;
}

}  // namespace scw
