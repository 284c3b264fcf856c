#pragma once
// What a sweep run shows while it works. The sweep page implements it with its controls; the
// tests implement it with plain records. Every call comes from the run's worker thread, so an
// implementation hands window work to the user-interface thread synchronously.
#include <string>

#include "engine/MyObject.h"
#include "engine/ScanRun.h"

namespace scw {

class SweepView {
public:
    virtual ~SweepView() = default;
    // Scan phase on: the Scan button shows Stop, Delete and Delete all are disabled; and back.
    virtual void ShowScanPhase(bool scanning) = 0;
    virtual void SetWorkingAnimation(bool running) = 0;
    virtual void ClearResults() = 0;
    virtual void AddResultRow(const TraceRow& row) = 0;
    virtual void MarkScanning(CMyObject& item) = 0;
    virtual void MarkScanned(CMyObject& item) = 0;
    // Scan states and counts were reset: lay out and repaint the tree.
    virtual void NodesReset() = 0;
    virtual void StartTrayActivity(const std::wstring& title, const std::wstring& text) = 0;
    virtual void StopTrayActivity(const std::wstring& title, const std::wstring& text) = 0;
};

}  // namespace scw
