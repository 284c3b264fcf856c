#pragma once
// The program's icons at any size: each icon is also kept with an entry for every size a screen
// asks for from 100 % to 200 % (16 to 64 pixels), drawn at that size.
#include <windows.h>

namespace scw {

// Resource id of an icon's every-size copy.
inline constexpr UINT kEverySizeIconOffset = 10000;

// The icon `id` at `size`: the entry drawn at that size, or the nearest one resized by the system
// when no entry has it; null when the icon does not exist. The caller destroys it.
HICON LoadProgramIcon(UINT id, SIZE size);

}  // namespace scw
