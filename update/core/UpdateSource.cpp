#include "update/core/UpdateSource.h"

#include <windows.h>

namespace scw {

namespace {
bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    const size_t n = ::wcslen(prefix);
    return text.size() >= n && ::CompareStringOrdinal(text.c_str(), static_cast<int>(n), prefix,
                                                       static_cast<int>(n), TRUE) == CSTR_EQUAL;
}
}  // namespace

std::wstring UpdateDownloadLocation() {
    wchar_t value[1024] = {};
    const DWORD length = ::GetEnvironmentVariableW(kUpdateBaseVariable, value, 1024);
    if (length == 0 || length >= 1024) return kUpdateDownloadBase;
    std::wstring base(value, length);
    if (!StartsWithNoCase(base, L"http://") && !StartsWithNoCase(base, L"https://")) return kUpdateDownloadBase;
    // The file name is appended to the location, so a base without its slash would name another file.
    if (base.back() != L'/') base += L'/';
    return base;
}

}  // namespace scw
