#pragma once
// Check boxes for a list view's rows (unticked, ticked) drawn at a DPI, in the small icon size
// of that DPI, as the list view draws its own at the system's.
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

UniqueImageList MakeCheckBoxImages(Dpi dpi);

}  // namespace scw
