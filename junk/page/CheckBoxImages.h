#pragma once
// Check boxes for a list view's rows (unticked, ticked) drawn at a DPI: the cells of the list
// view's own check boxes at 96 DPI, scaled, each holding a box of 13 pixels scaled, drawn in the
// look of the list's own (light grey rounded frame, dark tick) with lines as wide as the scale.
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

UniqueImageList MakeCheckBoxImages(SIZE cell96, Dpi dpi);

}  // namespace scw
