#include "state/RunFlags.h"

namespace scw {

std::atomic<int> SweepBusy{0};
std::atomic<int> SweepDeleting{0};
std::atomic<int> JunkSearchBusy{0};

}  // namespace scw
