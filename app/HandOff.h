#pragma once
// The file path another process hands the main window by WM_COPYDATA.
#include <windows.h>

#include <optional>
#include <string>

#include "shellext/HandOffContract.h"

namespace scw {

// The payload as a path. With the identifier lume::kHandOffUtf16 it is UTF-16; with any other
// identifier (0 is what the shell extension sends) it is narrow text in the system code page.
// At most cbData bytes are read, and only up to the first NUL within them. No path when the
// block is missing, empty or holds no NUL; an empty string is a hand-off all the same (it shows
// the shredder and adds nothing).
std::optional<std::wstring> ReadHandOffPath(const COPYDATASTRUCT* data);

// The main window's own class (the dialog template names it), so the shell extension can tell
// our window from any other titled "Scourwell". Registered once per process.
bool RegisterMainWindowClass(HINSTANCE instance);

}  // namespace scw
