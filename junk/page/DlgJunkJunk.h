#pragma once
// The Results panel of the junk page: the list of junk files found, the search animation, and
// Stop, Delete and Delete all. The search and the deletion run on JunkRun's worker; the worker
// appends rows under a lock and the list catches up on a timer.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/MyListCtrl.h"
#include "controls/NButtonEx.h"
#include "controls/PictureEx.h"
#include "controls/PageDialog.h"
#include "framework/Dpi.h"
#include "framework/UiChannel.h"
#include "junk/core/JunkRows.h"
#include "junk/core/JunkRun.h"

namespace scw {

class CDlgJunkJunk : public CPageDialog, private JunkView {
public:
    static constexpr int kListId = 1052;
    static constexpr int kStopId = 30005;
    static constexpr int kDeleteId = 30006;
    static constexpr int kDeleteAllId = 30007;

    CDlgJunkJunk();
    ~CDlgJunkJunk() override;

    // Searches every fixed disk (empty root) or the root for files matching the patterns.
    bool StartSearch(const std::wstring& root, const std::vector<std::wstring>& patterns);
    void ClearRows();

    // Shows a message to the user; tests record it instead.
    std::function<void(HWND owner, const wchar_t* text)> showMessage;
    // Shows the Delete all progress dialog; tests may watch it.
    std::function<void(CDialog& dialog)> onProgressShown;
    // Runs on the search's worker after each file found is kept; tests hold the search there.
    std::function<void(const JunkRow& row)> onFound;

    JunkRun& Run() { return *run_; }
    const JunkRows& Rows() const { return rows_; }
    HWND List() const { return list_.GetSafeHwnd(); }
    // Rows the list view shows now (it catches up with Rows() on a timer while a search runs).
    int ShownRows() const;
    bool ButtonEnabled(int id) const;
    bool AnimationPlaying() const { return animation_.IsPlaying(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;

private:
    // JunkView, called on the run's worker.
    void SearchStarted() override;
    void FoundJunk(const JunkRow& row) override;
    void SearchEnded() override;
    void RowsDeleted() override;

    // Places the controls from the panel's size, then stops the animation (as any resize does).
    void Layout();
    void PlaceControls();
    void ShowRowCount();
    void OnDelete();
    void OnDeleteAll();
    void FillDisplayInfo(NMLVDISPINFOW& info) const;

    UiChannel channel_;
    CMyListCtrl list_;
    CPictureEx animation_;
    CNButtonEx stop_, delete_, deleteAll_;
    JunkRows rows_;
    // Laid out at 96 DPI when made; the layout of the main window says when that changes.
    Dpi laidOutFor_;
    // Last: its worker is joined before the controls and the channel it reports to go away.
    std::unique_ptr<JunkRun> run_;
};

}  // namespace scw
