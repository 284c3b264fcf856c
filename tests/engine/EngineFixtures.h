#pragma once
// A scan run that records what the engine reports, and a small category/program/item chain.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/MyObject.h"
#include "engine/ScanRun.h"
#include "engine/TraceList.h"
#include "tests/common/KeyAccess.h"

namespace scw::test {

struct RecordedTrace {
    std::wstring item;
    std::wstring name;
    std::wstring location;
    bool isRegistry;
};

class RecordingRun : public ScanRun {
public:
    RecordingRun() : stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~RecordingRun() override { ::CloseHandle(stop_); }

    HANDLE StopEvent() const override { return stop_; }
    void ReportTrace(const TraceRow& row) override {
        traces.push_back({row.item.displayName, row.name, row.location, row.isRegistry});
        CountTrace(const_cast<CMyObject&>(row.item));
        if (stopAfter && traces.size() == stopAfter) {
            ::SetEvent(stop_);
            // A user's click never lands within the same millisecond as the walk's last poll.
            ::Sleep(20);
        }
    }
    void ReportDeletion(bool success, DWORD number) override {
        deletions.emplace_back(success, number);
        tally.Add(success, number);
    }
    void MarkScanning(CMyObject& item) override { SetScanState(item, ScanRunning); }
    void MarkScanned(CMyObject& item) override { SetScanState(item, ScanDone); }

    std::vector<RecordedTrace> traces;
    std::vector<std::pair<bool, DWORD>> deletions;
    DeletionTally tally;
    size_t stopAfter = 0;  // sets the stop event once this many traces are in

    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& t : traces) names.push_back(t.name);
        return names;
    }

private:
    HANDLE stop_;
};

// Category -> program -> item, owned together.
struct ItemChain {
    explicit ItemChain(UINT itemId = 900, const std::wstring& name = L"Item")
        : category(nullptr, 1, LevelCategory, 0, L"Category"),
          program(&category, 2, LevelProgram, 0, L"Program"),
          node(&program, itemId, LevelItem, 0, name) {
        category.AddChild(&program);
        program.AddChild(&node);
    }
    CMyObject category;
    CMyObject program;
    CMyObject node;
};

// A trace list of plain rows; the first row marked selected is the selection.
class FakeTraceList : public TraceList {
public:
    struct Row {
        std::wstring columns[3];
        LPARAM data;
        bool selected;
    };
    int FirstSelectedRow() const override {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].selected) return static_cast<int>(i);
        return -1;
    }
    std::wstring RowText(int row, int column) const override { return rows[row].columns[column]; }
    LPARAM RowData(int row) const override { return rows[row].data; }
    void RemoveRow(int row) override { rows.erase(rows.begin() + row); }
    std::vector<Row> rows;
};

// Makes `link` (not yet existing) a registry link to the existing key `target`, both under `root`.
bool MakeRegistryLink(HKEY root, const std::wstring& link, const std::wstring& target);

}  // namespace scw::test
