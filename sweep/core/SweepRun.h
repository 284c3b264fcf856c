#pragma once
// The scan, Delete all and one-click runs of the privacy sweep: one worker at a time, driving
// the engine over the ticked items and reporting to the page through SweepView.
#include <atomic>
#include <string>
#include <vector>

#include "deletion/core/DeletionProgress.h"
#include "engine/Catalogue.h"
#include "engine/Environment.h"
#include "engine/ScanRun.h"
#include "framework/IniFileRW.h"
#include "framework/UniqueHandle.h"
#include "framework/WorkerThread.h"
#include "sweep/core/SweepView.h"
#include "sweep/core/TrayActivity.h"

namespace scw {

class SweepRun : public ScanRun {
public:
    // The tray, when there is one, hears of each run's start and end.
    SweepRun(Catalogue& catalogue, SweepView& view, CIniFileRW settings, const Environment& env = SystemEnv(),
             TrayActivity* tray = nullptr);
    // Stops and joins the worker: it must not outlive the page it reports to.
    ~SweepRun() override;

    // User-interface thread. Scan button: a scan with the ticked items, or, while a scan phase
    // runs, a request to stop it after the current item, or, while a one-click delete phase
    // runs, a request to stop that phase after the current item. False when nothing was started.
    bool ScanOrStop(std::vector<CMyObject*> tickedItems);
    // One-click erase with the given ticked items (the one-click set). Skipped while any run
    // or delete phase is in progress, so two runs never overlap.
    bool StartOneClick(std::vector<CMyObject*> tickedItems);
    // Delete all: true when there is something to delete; then the caller shows the progress
    // dialog modally. StartDeleteAll's worker is created suspended and reports into the dialog
    // once the dialog's window exists and calls ResumeDeleteAll.
    bool CanDeleteAll() const;
    bool StartDeleteAll(DeletionProgress& progress);
    void ResumeDeleteAll() { worker_.Resume(); }
    // The progress dialog could not be shown: the Delete all worker, never resumed, ends without
    // deleting anything, and the results stay as they are.
    void CancelDeleteAll() { worker_.RequestStop(); }

    // The recent item set records the runs of the program's own window only.
    void SetRecordRecent(bool record) { recordRecent_ = record; }

    // True while any worker of this run is alive.
    bool Busy() const { return worker_.Running(); }
    // Waits for the current worker, pumping messages (tests, exit).
    void Wait() { worker_.Join(); }
    // Also ends a delete phase after its current item (program exit, console Ctrl+C).
    void RequestStop() { worker_.RequestStop(); }

    int FoundRows() const { return foundRows_; }
    void RowRemoved() { --foundRows_; }
    const std::vector<CMyObject*>& Selection() const { return selection_; }
    const DeletionTally& Tally() const { return tally_; }

    // ScanRun, called by the engine on the worker.
    HANDLE StopEvent() const override { return scanPhase_ ? worker_.StopEvent() : nullptr; }
    // The user's stop of the scan phase, or the end of the whole run (program exit).
    bool StopRequested() const override;
    void ReportTrace(const TraceRow& row) override;
    void ReportDeletion(bool success, DWORD number) override;
    void ReportRefusal(const std::wstring& path, const DeleteOutcome& outcome) override;
    void MarkScanning(CMyObject& item) override;
    void MarkScanned(CMyObject& item) override;

private:
    bool Launch(WorkerThread::Body body, bool suspended = false);
    // Launch for a run with a scan phase: busy from the moment of the start.
    bool LaunchRun(WorkerThread::Body body);
    void StartRun(std::vector<CMyObject*> ticked);
    void ScanSelection();
    void EndScan();
    // Deletes every selected item, or only those that found traces; then resets the view.
    // False when a stop ended it before the last item.
    bool DeleteSelection(bool onlyFound);
    void ResetNodes();
    // The whole run is to end: program exit, console interrupt, a stop of a delete phase.
    bool Stopping() const;
    void StartTray(const wchar_t* title, const wchar_t* text);
    void StopTray(const wchar_t* title, const wchar_t* text);

    Catalogue& catalogue_;
    SweepView& view_;
    CIniFileRW settings_;
    const Environment& env_;
    TrayActivity* tray_;
    std::vector<CMyObject*> selection_;
    std::atomic<int> foundRows_{0};
    std::atomic<bool> scanPhase_{false};
    std::atomic<bool> oneClickDeleting_{false};
    // The Scan button's stop: it ends the scan phase only, so a one-click run still deletes
    // what it found before the stop.
    UniqueKernelHandle scanStop_;
    bool recordRecent_ = true;
    std::atomic<DeletionProgress*> progress_{nullptr};
    DeletionTally tally_;
    WorkerThread worker_;
};

}  // namespace scw
