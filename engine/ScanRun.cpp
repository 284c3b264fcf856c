#include "engine/ScanRun.h"

namespace scw {

bool ScanRun::StopRequested() const {
    HANDLE stop = StopEvent();
    return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

void CountTrace(CMyObject& item) {
    for (CMyObject* node = &item; node; node = node->parent) ++node->traceCount;
}

void SetScanState(CMyObject& item, ScanState state) {
    for (CMyObject* node = &item; node; node = node->parent) node->scanState = state;
}

}  // namespace scw
