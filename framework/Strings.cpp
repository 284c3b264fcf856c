#include "framework/Strings.h"

#include <vector>

namespace scw {

std::wstring LoadResourceString(UINT id, HINSTANCE module) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    // With a zero buffer size LoadStringW hands out a read-only pointer to the resource text.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return std::wstring(text, static_cast<size_t>(length));
}

namespace {
std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string ToNarrow(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                  nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}
}  // namespace

std::wstring AnsiToWide(std::string_view text) { return ToWide(CP_ACP, text); }
std::string WideToAnsi(std::wstring_view text) { return ToNarrow(CP_ACP, text); }
std::string WideToUtf8(std::wstring_view text) { return ToNarrow(CP_UTF8, text); }

std::wstring ModulePath(HMODULE module) {
    std::vector<wchar_t> buffer(2048);
    DWORD n = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return {};
    return std::wstring(buffer.data(), n);
}

std::wstring ModuleFolder(HMODULE module) {
    std::wstring path = ModulePath(module);
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring FormatInt(long long value) { return std::to_wstring(value); }

}  // namespace scw
