#include "cli/ConsoleView.h"

#include "cli/Record.h"

namespace scw::cli {

void ConsoleView::ShowScanPhase(bool scanning) {
    if (scanning) {
        traces_ = 0;
        items_ = 0;
        return;
    }
    out_.Err(std::to_wstring(traces_) + L" traces in " + std::to_wstring(items_) + L" items");
}

void ConsoleView::AddResultRow(const TraceRow& row) {
    ++traces_;
    out_.Out(FormatRecord({{L"id", static_cast<long long>(row.item.itemId)},
                           {L"item", row.item.displayName},
                           {L"type", std::wstring(row.isRegistry ? L"reg" : L"file")},
                           {L"location", row.location},
                           {L"name", row.name}},
                          json_));
}

void ConsoleView::MarkScanned(CMyObject& item) {
    ++items_;
    // Items that found nothing would bury the few that did.
    if (item.traceCount > 0)
        out_.Err(std::to_wstring(item.itemId) + L" " + item.displayName + L": " + std::to_wstring(item.traceCount));
}

void ConsoleView::ShowRefusal(const std::wstring& path, const DeleteOutcome& outcome) {
    out_.Out(OutcomeRecord(L"failed", path, outcome.Reason(), json_));
}

}  // namespace scw::cli
