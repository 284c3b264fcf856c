#pragma once
// What a sweep run shows while it works. The sweep page implements it with its controls; the
// tests implement it with plain records. Every call comes from the run's worker thread, so an
// implementation hands window work to the user-interface thread synchronously.
#include "engine/MyObject.h"
#include "engine/ScanRun.h"

namespace scw {

class SweepView {
public:
    virtual ~SweepView() = default;
    // Scan phase on: the Scan button shows Stop, Delete and Delete all are disabled; and back.
    virtual void ShowScanPhase(bool scanning) = 0;
    virtual void AddResultRow(const TraceRow& row) = 0;
    // Around the scan of one item; the run has set the scan state of the item, its program and
    // its category already.
    virtual void MarkScanning(CMyObject&) {}
    virtual void MarkScanned(CMyObject&) {}
    // A listed file a delete left, and why; the deletion progress counts it as failed already.
    virtual void ShowRefusal(const std::wstring& /*path*/, const DeleteOutcome& /*outcome*/) {}
    // What only a window shows: the working animation, an emptied list, the tree after its scan
    // states and counts were reset.
    virtual void SetWorkingAnimation(bool) {}
    virtual void ClearResults() {}
    virtual void NodesReset() {}
};

}  // namespace scw
