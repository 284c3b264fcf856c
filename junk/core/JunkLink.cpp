#include "junk/core/JunkLink.h"

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace scw {

std::wstring FinalPathOf(const std::wstring& path) {
    // No access asked: a file another program holds without sharing still opens.
    UniqueFileHandle handle(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return {};
    wchar_t buffer[MAX_PATH + 8] = {};
    const DWORD length = ::GetFinalPathNameByHandleW(handle.Get(), buffer, MAX_PATH + 8, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= MAX_PATH + 8) return {};
    return std::wstring(buffer, length);
}

FileReach ReachOf(const std::wstring& folderFinal, const std::wstring& folder, const std::wstring& name) {
    if (folderFinal.empty()) return FileReach::Unknown;
    const std::wstring file = FinalPathOf(folder + name);
    if (file.empty()) return FileReach::Unknown;
    std::wstring expected = folderFinal;
    if (expected.back() != L'\\') expected += L'\\';
    expected += name;
    const bool same = ::CompareStringOrdinal(file.c_str(), static_cast<int>(file.size()), expected.c_str(),
                                             static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
    return same ? FileReach::Direct : FileReach::Elsewhere;
}

}  // namespace scw
