#include "framework/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/UniqueHandle.h"

namespace scw {

namespace {
const std::wstring& TraceFile() {
    static const std::wstring file = [] {
        wchar_t buffer[MAX_PATH];
        const DWORD length = ::GetEnvironmentVariableW(L"SCOURWELL_STARTUP_TRACE", buffer, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
    }();
    return file;
}
}  // namespace

void StartupMark(const char* phase) {
    if (TraceFile().empty()) return;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kEpochTicks = 116444736000000000ULL;  // 1601 to 1970 in 100 ns
    const double seconds = static_cast<double>(ticks - kEpochTicks) / 1e7;
    char line[160];
    const int length = std::snprintf(line, sizeof line, "%.4f\t%s\n", seconds, phase);
    if (length <= 0 || length >= static_cast<int>(sizeof line)) return;
    UniqueFileHandle file(::CreateFileW(TraceFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.Get(), line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace scw
