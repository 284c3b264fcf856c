#pragma once
// The shredder page: the list of files to destroy, the three methods, the buttons that fill the
// list, and Shred/Stop. The shredding itself is ShredRun's; this page is its view.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/MyListCtrl.h"
#include "controls/NButtonEx.h"
#include "controls/PageDialog.h"
#include "controls/PageHeader.h"
#include "framework/UiChannel.h"
#include "shred/core/ShredList.h"
#include "shred/core/ShredRun.h"
#include "shred/core/ShredView.h"
#include "shred/page/ShredMethods.h"
#include "shred/page/ShredProgressBar.h"

namespace scw {

class CDlgShred : public CPageDialog, public ShredView {
public:
    static constexpr int kList = 10001;
    static constexpr int kQuick = 1012, kSafe = 1013, kThorough = 1014;
    static constexpr int kAddFile = 15005, kAddDirectory = 15006, kCancelFile = 15007, kCancelAll = 15008;
    static constexpr int kShred = 15009;
    static constexpr int kWipeFree = 15010;
    static constexpr int kProgress = 1015;

    CDlgShred();
    ~CDlgShred() override;

    // The main window, set before the page is created.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    // The one way into the list (command line, shell hand-off, Add File, Add Directory): lists the
    // file unless it is listed already, cannot be opened for writing, or is a folder or a link. A
    // folder adds nothing here, silently, whether or not it is one the shredder never takes.
    void AddPath(const std::wstring& fullPath);
    // The full paths of the rows, in order.
    std::vector<std::wstring> QueuedPaths() const;

    // The system's dialogs; tests answer them themselves.
    std::function<std::vector<std::wstring>(HWND owner)> chooseFiles;
    std::function<std::optional<std::wstring>(HWND owner)> chooseFolder;
    // Tells the user something with an OK button.
    std::function<void(HWND owner, const std::wstring& text)> tellUser;
    // Runs the free-space wipe dialog modally, the page's method ticked; tests replace it.
    std::function<void(HWND owner, int passes)> runWipeDialog;

    bool Idle() const { return idle_; }
    int Passes() const;
    ShredRun& Run() { return *run_; }
    HWND List() const { return list_.GetSafeHwnd(); }
    // The header picture as drawn at the page's DPI.
    HBITMAP HeaderBitmap() const { return header_.Bitmap(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnPaint() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;
    void OnDestroy() override;

private:
    // ShredView, called by the run's worker.
    void RunStarted(std::uint64_t totalBytes, int passes) override;
    void Progress(std::uint64_t bytes) override;
    void FileFinished(const ShredRow& row, const FileOutcome& outcome) override;
    void BuffersUnavailable() override;
    void RunEnded(const ShredSummary& summary) override;

    void CreateControls();
    void OnAddFile();
    void OnAddDirectory();
    void OnCancelFile();
    void OnShred();
    void OnWipeFree();
    void EnableListControls(bool enable);
    bool AddOne(const std::wstring& fullPath);
    void ShowRows();
    void ShowRunning(bool running);

    HWND mainWindow_ = nullptr;
    ShredList rows_;
    bool idle_ = true;
    ShredProgressBar progress_;
    PageHeader header_;
    CMyListCtrl list_;
    ShredMethods methods_;
    CNButtonEx addFile_, addDirectory_, cancelFile_, cancelAll_, shred_, wipeFree_;
    std::unique_ptr<UiChannel> channel_;
    // Last: the worker is joined before the list, the controls and the channel go.
    std::unique_ptr<ShredRun> run_;
};

}  // namespace scw
