#pragma once
// Check boxes for a list view's rows (unticked, ticked) drawn at a DPI: the cells of the list
// view's own check boxes at 96 DPI, scaled, each with a box of the classic 13 pixels scaled.
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

UniqueImageList MakeCheckBoxImages(SIZE cell96, Dpi dpi);

}  // namespace scw
