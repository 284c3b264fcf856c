#pragma once
// The file path another process hands the main window by WM_COPYDATA.
#include <windows.h>

#include <optional>
#include <string>

namespace scw {

// The payload as a narrow string in the system code page: at most cbData bytes are read, and
// only up to the first NUL within them. No path when the block is missing, empty or holds no NUL;
// an empty string is a hand-off all the same (it shows the shredder and adds nothing).
std::optional<std::wstring> ReadHandOffPath(const COPYDATASTRUCT* data);

}  // namespace scw
