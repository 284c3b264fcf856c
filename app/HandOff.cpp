#include "app/HandOff.h"

#include <cstring>

#include "framework/Strings.h"

namespace scw {

namespace {

std::optional<std::wstring> ReadNarrow(const char* bytes, size_t size) {
    const void* end = std::memchr(bytes, 0, size);
    if (!end) return std::nullopt;
    const size_t length = static_cast<size_t>(static_cast<const char*>(end) - bytes);
    return AnsiToWide(std::string_view(bytes, length));
}

std::optional<std::wstring> ReadUtf16(const char* bytes, size_t size) {
    // Copied out character by character: the sender's block need not be aligned for wchar_t.
    std::wstring path;
    for (size_t at = 0; at + sizeof(wchar_t) <= size; at += sizeof(wchar_t)) {
        wchar_t c;
        std::memcpy(&c, bytes + at, sizeof c);
        if (c == L'\0') return path;
        path += c;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> ReadHandOffPath(const COPYDATASTRUCT* data) {
    if (!data || !data->lpData || data->cbData == 0) return std::nullopt;
    const char* bytes = static_cast<const char*>(data->lpData);
    if (data->dwData == lume::kHandOffUtf16) return ReadUtf16(bytes, data->cbData);
    return ReadNarrow(bytes, data->cbData);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, lume::kMainWindowClassW, &existing)) return true;
    // A dialog class like the system's own, under our name.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &wc)) return false;
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.lpszClassName = lume::kMainWindowClassW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpfnWndProc = ::DefDlgProcW;
    return ::RegisterClassExW(&wc) != 0;
}

}  // namespace scw
