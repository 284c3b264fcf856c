#pragma once
// The one interface the engine reports through. The sweep page, the console front end and the
// tests each implement it; the engine never sees a window.
#include <windows.h>

#include <atomic>
#include <string>

#include "engine/ListedFile.h"
#include "engine/MyObject.h"

namespace scw {

// One trace as a scan finds it.
struct TraceRow {
    const CMyObject& item;    // the item being scanned (column 0 shows item.displayName)
    const std::wstring& name;  // value name (empty for a key's default value) or file name
    // Root prefix + key path for a registry value; the folder (ending in a backslash) for a file.
    const std::wstring& location;
    bool isRegistry;  // row data: 1 registry value, 0 file
};

class ScanRun {
public:
    virtual ~ScanRun() = default;

    // Manual-reset event; signalled means stop. Null means the run cannot be stopped.
    virtual HANDLE StopEvent() const = 0;
    // One found trace. Implementations add the row and call CountTrace(row.item).
    virtual void ReportTrace(const TraceRow& row) = 0;
    // One outcome of a delete: success adds `number` (or 1 when it is 0) to the deleted
    // count, failure adds 1 to the failed count. DeletionTally does the arithmetic.
    virtual void ReportDeletion(bool success, DWORD number) = 0;
    // Why a listed file (or the folder holding it) was not deleted, just before its failure is
    // reported: the console names each one, a window only counts them.
    virtual void ReportRefusal(const std::wstring& /*path*/, const DeleteOutcome& /*outcome*/) {}
    // Around the scan of one item. SetScanState(item, ...) sets item, program and category.
    virtual void MarkScanning(CMyObject& item) = 0;
    virtual void MarkScanned(CMyObject& item) = 0;

    // Zero time-out poll of the stop event; a run with more than one reason to stop says so here.
    virtual bool StopRequested() const;
};

// Adds 1 to the trace count of the item, its program and its category.
void CountTrace(CMyObject& item);
// Sets the scan state of the item, its program and its category.
void SetScanState(CMyObject& item, ScanState state);

// Deleted and failed counters with the arithmetic of ReportDeletion; safe to read from another
// thread while a worker adds.
struct DeletionTally {
    std::atomic<long> deleted{0};
    std::atomic<long> failed{0};
    void Add(bool success, DWORD number) {
        if (success)
            deleted += number == 0 ? 1 : static_cast<long>(number);
        else
            ++failed;
    }
};

}  // namespace scw
