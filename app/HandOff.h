#pragma once
// The file path another process hands the main window by WM_COPYDATA.
#include <windows.h>

#include <optional>
#include <string>

namespace scw {

// The payload as a narrow string in the system code page: at most cbData bytes are read, and
// only up to the first NUL within them. No path when the block is missing, empty, holds no NUL
// or holds an empty string.
std::optional<std::wstring> ReadHandOffPath(const COPYDATASTRUCT* data);

}  // namespace scw
