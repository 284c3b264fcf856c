#pragma once
// What the skinned controls share to show themselves at their window's DPI: their API keeps
// taking 96-DPI lengths, and they make images, fonts and measures for DpiOfWindow(hwnd).
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/ScaledFont.h"

namespace scw {

// A system metric, which the system gives at its own DPI, taken to `dpi`.
int SystemMetricAt(int index, Dpi dpi);

// The font CreateFontW would make from these arguments at 96 DPI, described for any DPI.
ScaledFont DescribeFont(const wchar_t* face, int height96, int weight, bool underline, int escapement,
                        BYTE quality, BYTE pitchAndFamily);

// A font the system made at its own DPI (a stock font, the menu font) described for any DPI.
ScaledFont DescribeSystemFont(const LOGFONTW& atSystemDpi);
ScaledFont DescribeSystemFont(HFONT font);

}  // namespace scw
