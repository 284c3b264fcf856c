#pragma once
// The "Browser" folder picker of the junk page. It reopens, while the program runs, at the folder
// last highlighted in it (not only the one last confirmed).
#include <windows.h>

#include <optional>
#include <string>

namespace scw {

// Shows the shell's folder browser owned by `owner`; the chosen folder, or nothing when cancelled.
std::optional<std::wstring> BrowseForJunkFolder(HWND owner);

// The folder the browser opens at next (process-wide); tests may set it.
std::wstring JunkBrowserStartFolder();
void SetJunkBrowserStartFolder(const std::wstring& folder);

}  // namespace scw
