#include "engine/FinalPath.h"

#include <vector>

#include "framework/UniqueHandle.h"

namespace scw {

namespace {
UniqueFileHandle OpenWithoutAccess(const std::wstring& path) {
    return UniqueFileHandle(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}
}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
    std::vector<wchar_t> buffer(MAX_PATH + 8);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                   FILE_NAME_NORMALIZED);
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
            if (path.starts_with(L"\\\\?\\")) return path.substr(4);
            return path;
        }
        buffer.resize(length + 1);
    }
    return {};
}

std::wstring FinalPathOf(const std::wstring& path) {
    UniqueFileHandle handle = OpenWithoutAccess(path);
    return handle ? FinalPathOf(handle.Get()) : std::wstring();
}

bool ReachedDirectly(HANDLE file, const std::wstring& fullPath) {
    const size_t slash = fullPath.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    std::wstring expected = FinalPathOf(fullPath.substr(0, slash + 1));
    const std::wstring actual = FinalPathOf(file);
    if (expected.empty() || actual.empty()) return false;
    if (expected.back() != L'\\') expected += L'\\';
    expected += fullPath.substr(slash + 1);
    return ::CompareStringOrdinal(actual.c_str(), static_cast<int>(actual.size()), expected.c_str(),
                                  static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

bool ReachedDirectly(const std::wstring& fullPath) {
    UniqueFileHandle handle = OpenWithoutAccess(fullPath);
    return handle && ReachedDirectly(handle.Get(), fullPath);
}

}  // namespace scw
