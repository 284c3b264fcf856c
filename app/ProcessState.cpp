#include "app/ProcessState.h"

namespace scw {

ProcessState& TheProcessState() {
    static ProcessState state;
    return state;
}

}  // namespace scw
