#pragma once
// What the skinned controls share to show themselves at their window's DPI: their API keeps
// taking 96-DPI lengths, and they make images, fonts and measures for DpiOfWindow(hwnd).
// Fonts are described with ScaledFont (framework/ScaledFont.h).
#include <windows.h>

#include "framework/Dpi.h"

namespace scw {

// A system metric, which the system gives at its own DPI, taken to `dpi`.
int SystemMetricAt(int index, Dpi dpi);

}  // namespace scw
