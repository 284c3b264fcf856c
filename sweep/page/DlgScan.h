#pragma once
// The privacy sweep page: the item tree, the result list, the run buttons and the working
// animation. The runs themselves are SweepRun's; this page is their view.
#include <functional>
#include <memory>

#include "controls/MyListCtrl.h"
#include "controls/NButtonEx.h"
#include "controls/PictureEx.h"
#include "engine/Catalogue.h"
#include "engine/Environment.h"
#include "controls/PageDialog.h"
#include "framework/UiChannel.h"
#include "sweep/page/MyTreeCtrl.h"
#include "sweep/core/ResultRows.h"
#include "sweep/core/SweepRun.h"
#include "sweep/core/SweepView.h"
#include "sweep/core/TrayActivity.h"

namespace scw {

class CDlgScan : public CPageDialog, public SweepView {
public:
    static constexpr int kSelectAll = 15100;
    static constexpr int kSelectNone = 15101;
    static constexpr int kSelectDefault = 15102;
    static constexpr int kScan = 15001;
    static constexpr int kDelete = 15002;
    static constexpr int kDeleteAll = 15003;
    static constexpr int kResultList = 10001;
    static constexpr int kAnimation = 1016;

    // The main window, which shows the runs' activity in the tray; the catalogue the tree shows
    // (it outlives the page); the settings file of the item sets.
    CDlgScan(TrayActivity& mainWindow, Catalogue& catalogue, CIniFileRW settings, const Environment& env = SystemEnv());
    ~CDlgScan() override;

    // Ticks the one-click item set and erases its traces on a worker thread.
    void StartOneClickErase();
    // Rows found by the current run (the tray's progress balloons show it).
    int RunningCount() const { return run_ ? run_->FoundRows() : 0; }

    // Asks the user the "Select All" question; tests answer it themselves.
    std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption)> askUser;
    // Tells the user something went wrong; tests record it instead.
    std::function<void(HWND owner, const wchar_t* text, const wchar_t* caption)> tellUser;
    // Shows the Delete all progress dialog; tests may watch it.
    std::function<void(CDialog& dialog)> onProgressShown;

    CMyTreeCtrl& Tree() { return tree_; }
    SweepRun* Run() { return run_.get(); }
    HWND ResultList() const { return list_.GetSafeHwnd(); }
    const ResultRows& Rows() const { return rows_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // SweepView, called by the run's worker.
    void ShowScanPhase(bool scanning) override;
    void SetWorkingAnimation(bool running) override;
    void ClearResults() override;
    void AddResultRow(const TraceRow& row) override;
    void MarkScanning(CMyObject& item) override { tree_.MarkScanning(item); }
    void MarkScanned(CMyObject& item) override { tree_.MarkScanned(item); }
    void NodesReset() override;

    void CreateControls();
    void OnSelect(WORD id);
    void OnScan();
    void OnDelete();
    void OnDeleteAll();
    // Runs the function on the page's own thread and waits for it; nothing once the page's
    // window or the page is gone.
    void OnUiThread(const std::function<void()>& work);
    void ShowRowCount();
    std::vector<CMyObject*> TickedItems();

    UiChannel channel_;
    TrayActivity& mainWindow_;
    const Environment& env_;
    Catalogue& catalogue_;
    CIniFileRW settings_;
    CNButtonEx selectAll_, selectNone_, selectDefault_, scan_, delete_, deleteAll_;
    CMyTreeCtrl tree_;
    CMyListCtrl list_;
    CPictureEx animation_;
    ResultRows rows_;
    // Last: the run's worker is joined before the controls it draws into go away.
    std::unique_ptr<SweepRun> run_;
};

}  // namespace scw
