#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace scw {

// Text of a string-table entry of the given module (this program when null); empty if absent.
std::wstring LoadResourceString(UINT id, HINSTANCE module = nullptr);

// Conversions at the narrow boundaries (system code page, as the shell hands paths over).
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
std::string WideToUtf8(std::wstring_view text);

// Full path of the running program file and its folder with a trailing backslash.
std::wstring ModulePath(HMODULE module = nullptr);
std::wstring ModuleFolder(HMODULE module = nullptr);

std::wstring FormatInt(long long value);

}  // namespace scw
