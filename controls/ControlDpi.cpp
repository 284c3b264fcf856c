#include "controls/ControlDpi.h"

namespace scw {

int SystemMetricAt(int index, Dpi dpi) { return dpi.Rescale(::GetSystemMetrics(index), SystemDpi()); }

}  // namespace scw
