#pragma once
// The Run value that starts the program hidden at logon.
#include <string>

namespace scw {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Scourwell";

// The quoted program path and " -A": unquoted, a path with a blank ("C:\Program Files\...")
// would make Windows try to start "C:\Program.exe" first.
std::wstring RunAtLogonCommand(const std::wstring& programPath);

// Sets the value for this program under the current user's Run key (or deletes it). Failures are
// ignored by the caller; false tells a test.
bool SetRunAtLogon(bool on);
// Sets the value for the given program. A path of MAX_PATH characters or more (or none) writes
// nothing: the program's own path is read into a MAX_PATH buffer, so such a path may have been
// cut, and a cut path would start some other program.
bool WriteRunAtLogon(const std::wstring& programPath);

}  // namespace scw
