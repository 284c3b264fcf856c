#pragma once
// The modal deletion progress dialog of Delete all (privacy sweep and junk cleaner): two digit
// displays, a ten-segment bar, an animation while deleting, and an Exit button as its only way out.
#include <windows.h>

#include <atomic>
#include <functional>

#include "controls/DigiStatic.h"
#include "controls/NButtonEx.h"
#include "controls/PictureEx.h"
#include "deletion/core/DeletionProgress.h"
#include "deletion/core/DeletionSteps.h"
#include "framework/Dialog.h"
#include "framework/DpiLayout.h"
#include "framework/UiChannel.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CDlgScanResult : public CDialog, public DeletionProgress {
public:
    static constexpr int kExitId = 1028;
    static constexpr int kDeletedId = 1029;
    static constexpr int kFailedId = 1030;
    static constexpr int kTotalId = 1031;
    static constexpr int kAlertId = 1032;
    static constexpr int kPictureId = 1033;
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 302;
    static constexpr int kSegments = DeletionSteps::kSegments;
    static constexpr RECT kBarRect{90, 150, 330, 161};

    // What the user is told when the window could not be opened (the worker then deletes nothing).
    static constexpr wchar_t kCouldNotOpen[] =
        L"The deletion could not start because its progress window could not be opened.\nNothing was deleted.";

    CDlgScanResult();
    ~CDlgScanResult() override;

    // Shows the dialog modally over the owner's top-level window; false when its window could
    // not be made (the ready call never ran).
    bool ShowModal(HWND owner);

    // Before the dialog is shown: the number of rows to delete.
    void SetTotal(int total) { steps_.Start(total); }
    // Called on the dialog's thread once the window exists: resumes the deletion worker, which
    // was created suspended so that it reports only into a window that is there.
    void SetOnReady(std::function<void()> onReady) { onReady_ = std::move(onReady); }

    // The calls below may come from any thread; window work is done on the dialog's thread.
    void AddDeleted(int number) override { Show(steps_.AddDeleted(number)); }
    void AddFailed() override { Show(steps_.AddFailed()); }
    void FinishDeletion() override;

    int Total() const { return steps_.Total(); }
    int Unit() const { return steps_.Unit(); }
    int Deleted() const { return steps_.Deleted(); }
    int Failed() const { return steps_.Failed(); }
    int Step() const { return steps_.Step(); }
    bool Finished() const { return finished_.load(); }
    const CDigiStatic& DeletedDisplay() const { return deletedDisplay_; }
    const CDigiStatic& FailedDisplay() const { return failedDisplay_; }

    // Draws the window's face (background and bar) into dc; the paint handler buffers it.
    void PaintFace(HDC dc);
    // The DPI the window is shown at: its owner's when it opened, the screen's after a move.
    Dpi ShownDpi() const { return dpi_; }

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape do nothing: only Exit ends the dialog (it has the focus once shown).
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Show(DeletionSteps::Change change);
    void ShowCounts();
    void RepaintBar();
    void OnFinish();
    void CutCorners();
    void CreateControls();
    // Skin pictures, children and outline for `dpi`; the children were captured at 96 DPI.
    void FitToDpi(Dpi dpi);
    void ShowAlertPicture();
    RECT BarRect() const { return dpi_.Scale(kBarRect); }

    // Made on the dialog's thread with the dialog: the reports' way to its windows.
    UiChannel channel_;
    DeletionSteps steps_;
    std::atomic<bool> finished_{false};
    bool shown_ = false;
    Dpi dpi_;
    DpiLayout layout_;
    std::function<void()> onReady_;
    UniqueBitmap background_;
    UniqueBitmap segmentOn_;
    UniqueBitmap segmentOff_;
    UniqueBitmap alert_;
    CDigiStatic deletedDisplay_;
    CDigiStatic failedDisplay_;
    CDigiStatic totalDisplay_;
    CPictureEx picture_;
    CNButtonEx exit_;
};

}  // namespace scw
