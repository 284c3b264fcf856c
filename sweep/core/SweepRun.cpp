#include "sweep/core/SweepRun.h"

#include "engine/Targets.h"
#include "engine/Sweep.h"
#include "rules/RuleGuard.h"
#include "rules/RuleNodes.h"
#include "rules/RuleSweep.h"
#include "state/RuleItemSets.h"
#include "state/RunFlags.h"
#include "state/ItemSets.h"

namespace scw {

namespace {
constexpr wchar_t kScanning[] = L"Scanning in process";
constexpr wchar_t kScanItems[] = L"Scan Items:";
constexpr wchar_t kScanned[] = L"Scanning is completed";
constexpr wchar_t kTotalScanItems[] = L"Total Scan Items:";
constexpr wchar_t kDeleting[] = L"Deleting in process";
constexpr wchar_t kDeletingItems[] = L"Deleteing Items:";
constexpr wchar_t kDeleted[] = L"Deleting is completed";
constexpr wchar_t kDeleteStopped[] = L"Deleting is stopped";
constexpr wchar_t kTotalDeleted[] = L"Total Deleted Items:";
}  // namespace

SweepRun::SweepRun(Catalogue& catalogue, SweepView& view, CIniFileRW settings, const Environment& env,
                   TrayActivity* tray)
    : catalogue_(catalogue), view_(view), settings_(std::move(settings)), env_(env), tray_(tray),
      scanStop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

SweepRun::~SweepRun() { worker_.StopAndJoin(); }

bool SweepRun::Launch(WorkerThread::Body body, bool suspended) {
    if (worker_.Running()) return false;
    worker_.Join();  // release the handle of a finished worker
    return suspended ? worker_.StartSuspended(std::move(body)) : worker_.Start(std::move(body));
}

bool SweepRun::ScanOrStop(std::vector<CMyObject*> ticked) {
    if (SweepBusy) {
        ::SetEvent(scanStop_.Get());
        return false;
    }
    if (oneClickDeleting_) {
        worker_.RequestStop();
        return false;
    }
    if (worker_.Running()) return false;
    return LaunchRun([this, ticked = std::move(ticked)](HANDLE) mutable {
        StartRun(std::move(ticked));
        ScanSelection();
        EndScan();
    });
}

bool SweepRun::StartOneClick(std::vector<CMyObject*> ticked) {
    if (SweepBusy || SweepDeleting || worker_.Running()) return false;
    return LaunchRun([this, ticked = std::move(ticked)](HANDLE) mutable {
        progress_ = nullptr;
        StartRun(std::move(ticked));
        ScanSelection();
        // Before the scan phase ends, so a stop pressed at any moment after it reaches the delete phase.
        oneClickDeleting_ = true;
        EndScan();
        StartTray(kDeleting, kDeletingItems);
        bool complete = selection_.empty() || DeleteSelection(false);
        oneClickDeleting_ = false;
        StopTray(complete ? kDeleted : kDeleteStopped, kTotalDeleted);
    });
}

bool SweepRun::LaunchRun(WorkerThread::Body body) {
    // Set here, before the worker exists, so that a second start is refused at once.
    SweepBusy = 1;
    // Every run starts with no stop pending; a stop pressed before this start belongs to no run.
    ::ResetEvent(scanStop_.Get());
    bool started = Launch(std::move(body));
    if (!started) SweepBusy = 0;
    return started;
}

bool SweepRun::CanDeleteAll() const {
    return !SweepBusy && !worker_.Running() && !selection_.empty() && foundRows_ > 0;
}

bool SweepRun::StartDeleteAll(DeletionProgress& progress) {
    if (!CanDeleteAll()) return false;
    progress_ = &progress;
    return Launch(
        [this](HANDLE stop) {
            DeletionProgress* dialog = progress_;
            // Stopped before it was resumed (the dialog could not be made, or the program ends):
            // nothing is deleted and nothing is reset.
            if (::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
                progress_ = nullptr;
                return;
            }
            DeleteSelection(true);
            progress_ = nullptr;
            dialog->FinishDeletion();
        },
        true);
}

void SweepRun::StartRun(std::vector<CMyObject*> ticked) {
    SweepBusy = 1;
    StartTray(kScanning, kScanItems);
    view_.ShowScanPhase(true);
    view_.ClearResults();
    selection_.clear();
    ResetNodes();
    for (CMyObject* item : ticked) {
        if (item && item->level == LevelItem) selection_.push_back(item);
    }
    if (recordRecent_) {
        std::vector<int> ids;
        for (CMyObject* item : selection_)
            if (item->itemId != 0) ids.push_back(static_cast<int>(item->itemId));
        WriteItemSet(settings_, ItemSet::Recent, ids);
        WriteRuleItemSet(settings_, ItemSet::Recent, rules::RuleNamesOf(selection_));
    }
    foundRows_ = 0;
    tally_.deleted = 0;
    tally_.failed = 0;
    view_.SetWorkingAnimation(true);
}

void SweepRun::ScanSelection() {
    scanPhase_ = true;
    const rules::RuleGuard guard(env_);
    for (size_t i = 0; i < selection_.size(); ++i) {
        CMyObject& item = *selection_[i];
        if (const rules::RuleEntry* rule = rules::RuleOf(item)) {
            // A rule entry goes through its own sweep, which keeps to the rule guard.
            MarkScanning(item);
            rules::ScanRuleEntry(*this, item, *rule, guard);
            MarkScanned(item);
        } else {
            CollectTargets(item, env_);
            ScanTargets(*this, item, env_);
        }
        if (StopRequested()) {
            // The items after a stop are no longer part of this run.
            selection_.resize(i + 1);
            break;
        }
    }
    scanPhase_ = false;
}

void SweepRun::EndScan() {
    view_.ShowScanPhase(false);
    view_.SetWorkingAnimation(false);
    SweepBusy = 0;
    StopTray(kScanned, kTotalScanItems);
}

bool SweepRun::DeleteSelection(bool onlyFound) {
    bool complete = true;
    const rules::RuleGuard guard(env_);
    for (CMyObject* item : selection_) {
        if (Stopping()) {
            complete = false;
            break;
        }
        if (onlyFound && item->traceCount <= 0) continue;
        if (const rules::RuleEntry* rule = rules::RuleOf(*item))
            rules::DeleteRuleEntry(*this, *item, *rule, guard);
        else
            DeleteTargets(*this, *item, env_);
    }
    ResetNodes();
    selection_.clear();
    view_.ClearResults();
    return complete;
}

void SweepRun::ResetNodes() {
    catalogue_.ForEach([](CMyObject* node) {
        node->scanState = ScanIdle;
        node->traceCount = 0;
    });
    view_.NodesReset();
}

void SweepRun::StartTray(const wchar_t* title, const wchar_t* text) {
    if (tray_) tray_->StartTrayActivity(title, text);
}

void SweepRun::StopTray(const wchar_t* title, const wchar_t* text) {
    if (tray_) tray_->StopTrayActivity(title, text);
}

void SweepRun::MarkScanning(CMyObject& item) {
    SetScanState(item, ScanRunning);
    view_.MarkScanning(item);
}

void SweepRun::MarkScanned(CMyObject& item) {
    SetScanState(item, ScanDone);
    view_.MarkScanned(item);
}

bool SweepRun::Stopping() const { return ::WaitForSingleObject(worker_.StopEvent(), 0) == WAIT_OBJECT_0; }

bool SweepRun::StopRequested() const {
    return scanPhase_ && (::WaitForSingleObject(scanStop_.Get(), 0) == WAIT_OBJECT_0 || Stopping());
}

void SweepRun::ReportTrace(const TraceRow& row) {
    view_.AddResultRow(row);
    CountTrace(const_cast<CMyObject&>(row.item));
    ++foundRows_;
}

void SweepRun::ReportRefusal(const std::wstring& path, const DeleteOutcome& outcome) {
    view_.ShowRefusal(path, outcome);
}

void SweepRun::ReportDeletion(bool success, DWORD number) {
    tally_.Add(success, number);
    if (DeletionProgress* dialog = progress_) {
        if (success)
            dialog->AddDeleted(static_cast<int>(number));
        else
            dialog->AddFailed();
    }
}

}  // namespace scw
