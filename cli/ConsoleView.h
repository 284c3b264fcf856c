#pragma once
// The sweep run seen from a console: each trace is printed as it is found, and each file a clean
// left with its reason; the count of each item that found traces and the scan's summary go to
// standard error.
#include <atomic>

#include "cli/ConsoleOut.h"
#include "sweep/core/SweepView.h"

namespace scw::cli {

class ConsoleView : public SweepView {
public:
    ConsoleView(ConsoleOut& out, bool json) : out_(out), json_(json) {}

    void ShowScanPhase(bool scanning) override;
    void AddResultRow(const TraceRow& row) override;
    void MarkScanned(CMyObject& item) override;
    void ShowRefusal(const std::wstring& path, const DeleteOutcome& outcome) override;

private:
    ConsoleOut& out_;
    bool json_;
    std::atomic<long> traces_{0};
    std::atomic<long> items_{0};
};

}  // namespace scw::cli
