#include "shred/page/DlgShred.h"

#include <commctrl.h>

#include "controls/SkinDraw.h"
#include "controls/SubclassWindow.h"
#include "controls/WhiteBackground.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "shred/core/ShredFolder.h"
#include "shred/core/ShredTarget.h"
#include "shred/page/DlgWipeFree.h"
#include "shred/page/FilePickers.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr wchar_t kNoMemory[] = L"\u5206\u914d\u5185\u5b58\u5931\u8d25\uff01";

struct ButtonImages {
    UINT normal, hover, pressed, disabled;
};
constexpr ButtonImages kShredImages{IDB_SHRED_NORMAL, IDB_SHRED_HOVER, IDB_SHRED_PRESSED, IDB_SHRED_HOVER};
constexpr ButtonImages kStopImages{IDB_SHRED_STOP_NORMAL, IDB_SHRED_STOP_HOVER, IDB_SHRED_STOP_PRESSED,
                                   IDB_SHRED_STOP_HOVER};

RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

void CreateButton(CNButtonEx& button, HWND parent, int id, const wchar_t* caption, const RECT& r,
                  const ButtonImages& images) {
    button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, parent, id);
    button.SetBitmaps(images.normal, images.hover, images.pressed, images.disabled, r.right - r.left,
                      r.bottom - r.top);
}

void RunWipeDialog(HWND owner, int passes) {
    CDlgWipeFree dialog(passes);
    dialog.DoModal(::GetAncestor(owner, GA_ROOT));
}

void TellWithMessageBox(HWND owner, const std::wstring& text) {
    ::MessageBoxW(owner, text.c_str(), L"Scourwell", MB_OK | MB_ICONINFORMATION);
}

std::wstring Count(int n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n == 1 ? one : many);
}
}  // namespace

std::wstring ShredRunReport(const ShredSummary& s) {
    std::wstring text;
    auto line = [&](const std::wstring& part) { text += (text.empty() ? L"" : L"\n\n") + part; };
    auto stay = [](int n) { return n == 1 ? L"it stays in the list." : L"they stay in the list."; };
    if (s.notRemoved)
        line(Count(s.notRemoved, L"file was", L"files were") + L" overwritten but could not be removed; " +
             stay(s.notRemoved));
    if (s.failed)
        line(Count(s.failed, L"file", L"files") + L" could not be overwritten (in use or gone); " + stay(s.failed));
    if (s.namesOnly)
        line(Count(s.namesOnly, L"file has", L"files have") +
             L" other names (hard links): only the chosen name was removed. The data was not overwritten, "
             L"because the other names still use it.");
    if (s.tooLong)
        line(Count(s.tooLong, L"file was", L"files were") +
             L" skipped (too long): the full path is longer than Windows allows, so it was not shredded and "
             L"stays on the disk.");
    if (s.leftAlone)
        line(Count(s.leftAlone, L"entry is a link", L"entries are links") +
             L": a link is never shredded, so what it points to stays untouched.");
    return text;
}

std::wstring ShredFolderRefusal(const std::wstring& folder, const ShredCheck& check) {
    const std::wstring quoted = L"\"" + folder + L"\"";
    switch (check.refusal) {
    case ShredRefusal::ProtectedFolder:
        return L"Scourwell will not shred " + quoted +
               L".\n\nIt is a drive, a network share, a folder of Windows or of your programs, your profile or "
               L"one of its main folders (such as Documents or Desktop), or a folder that holds one of them. "
               L"Shredding it would destroy everything stored there.\n\nChoose a folder further down, or add "
               L"files one by one with Add File. The list was not changed.";
    case ShredRefusal::Link:
        return quoted + L" is a link to another folder. The shredder never follows links: choose the folder "
                        L"itself. The list was not changed.";
    default:
        return L"Scourwell cannot shred " + quoted + L": " + RefusalText(check) + L". The list was not changed.";
    }
}

CDlgShred::CDlgShred()
    : CPageDialog(IDD_SHRED), chooseFiles(ChooseFilesToShred), chooseFolder(ChooseFolderToShred),
      tellUser(TellWithMessageBox), runWipeDialog(RunWipeDialog), header_(IDB_SHRED_HEADER) {}

CDlgShred::~CDlgShred() {
    // The worker reports into the controls below: stop and join it while they still exist.
    run_.reset();
}

void CDlgShred::AddPath(const std::wstring& fullPath) {
    if (AddOne(fullPath)) ShowRows();
}

bool CDlgShred::AddOne(const std::wstring& fullPath) { return AddShredPath(rows_, fullPath).added; }

std::vector<std::wstring> CDlgShred::QueuedPaths() const {
    std::vector<std::wstring> paths;
    for (const ShredRow& row : rows_.Rows()) paths.push_back(row.FullPath());
    return paths;
}

int CDlgShred::Passes() const {
    if (radios_[2].IsTicked()) return 7;
    if (radios_[1].IsTicked()) return 3;
    return 1;
}

BOOL CDlgShred::OnInitDialog() {
    channel_ = std::make_unique<UiChannel>();
    run_ = std::make_unique<ShredRun>(rows_, *this);
    header_.Fit(hwnd_);
    CreateControls();
    ShowRows();
    return TRUE;
}

void CDlgShred::CreateControls() {
    TakePageSize();
    RECT client = ClientRect(hwnd_);
    const int W = client.right, H = client.bottom;

    list_.columns = {{L"File/Folder Name", 120, LVCFMT_LEFT}, {L"Path", 180, LVCFMT_LEFT},
                     {L"Size in bytes", 160, LVCFMT_LEFT}};
    list_.Create(WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE, Rect(10, 75, W - 106, H - 100), hwnd_, kList);
    list_.SetAccessibleName(L"Files to shred");
    ::SendMessageW(list_.GetSafeHwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    CreateButton(addFile_, hwnd_, kAddFile, L"Add File", Rect(W - 100, 86, W - 4, 114),
                 {IDB_ADDFILE_NORMAL, IDB_ADDFILE_HOVER, IDB_ADDFILE_PRESSED, IDB_ADDFILE_DISABLED});
    CreateButton(addDirectory_, hwnd_, kAddDirectory, L"Add Directory", Rect(W - 100, 126, W - 4, 154),
                 {IDB_ADDDIR_NORMAL, IDB_ADDDIR_HOVER, IDB_ADDDIR_PRESSED, IDB_ADDDIR_DISABLED});
    CreateButton(cancelFile_, hwnd_, kCancelFile, L"Cancel File", Rect(W - 100, 166, W - 4, 194),
                 {IDB_CANCELFILE_NORMAL, IDB_CANCELFILE_HOVER, IDB_CANCELFILE_PRESSED, IDB_CANCELFILE_DISABLED});
    CreateButton(cancelAll_, hwnd_, kCancelAll, L"Cancel All", Rect(W - 100, 206, W - 4, 234),
                 {IDB_CANCELALL_NORMAL, IDB_CANCELALL_HOVER, IDB_CANCELALL_PRESSED, IDB_CANCELALL_DISABLED});
    CreateButton(wipeFree_, hwnd_, kWipeFree, L"Wipe Free Space", Rect(W - 100, 246, W - 4, 274),
                 {IDB_WIPEFREE_NORMAL, IDB_WIPEFREE_HOVER, IDB_WIPEFREE_PRESSED, IDB_WIPEFREE_DISABLED});
    const wchar_t* labels[3] = {L"Quick(1 overwrite pass)", L"Safe(DOD 5220.22-M:3 overwrite passes)",
                                L"Thorough(7 overwrite passes)"};
    for (int i = 0; i < 3; ++i) {
        const int top = H - 92 + i * 20;
        radios_[i].Create(L"", WS_VISIBLE | WS_TABSTOP, Rect(10, top, 26, top + 18), hwnd_, kQuick + i);
        radios_[i].SetGlyphStrip(IDB_RADIO_STRIP);
        labels_[i].Create(labels[i], WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, Rect(28, top, W - 120, top + 18), hwnd_,
                          4001 + i);
    }
    LinkRadioGroup({&radios_[0], &radios_[1], &radios_[2]});
    radios_[0].SetTicked(true);
    // After the methods, so Tab reaches the method before Shred.
    CreateButton(shred_, hwnd_, kShred, L"Shred", Rect(W - 100, H - 70, W - 7, H - 13), kShredImages);

    HWND bar = GetDlgItem(kProgress);
    // A progress bar draws no text: this names it for screen readers.
    ::SetWindowTextW(bar, L"Shredding progress");
    ::SetWindowPos(bar, nullptr, 10, H - 28, W - 116, 14, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(bar, PBM_SETRANGE32, 0, 0);
    ::SendMessageW(bar, PBM_SETPOS, 0, 0);
}

bool CDlgShred::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case kAddFile: OnAddFile(); return true;
    case kAddDirectory: OnAddDirectory(); return true;
    case kCancelFile: OnCancelFile(); return true;
    case kCancelAll:
        if (idle_) rows_.Clear();
        ShowRows();
        return true;
    case kShred: OnShred(); return true;
    case kWipeFree: OnWipeFree(); return true;
    default: return false;
    }
}

void CDlgShred::OnAddFile() {
    if (!idle_) return;
    for (const std::wstring& path : chooseFiles(hwnd_)) AddOne(path);
    ShowRows();
}

void CDlgShred::OnAddDirectory() {
    if (!idle_) return;
    std::optional<std::wstring> folder = chooseFolder(hwnd_);
    if (!folder) return;
    const ShredCheck check = CheckShredFolder(*folder);
    if (!check.Ok()) {
        // Judged before the list is touched: what the user had listed stays.
        tellUser(hwnd_, ShredFolderRefusal(*folder, check));
        return;
    }
    // A folder replaces the list.
    rows_.Clear();
    AddShredFolder(rows_, *folder);
    ShowRows();
}

void CDlgShred::OnCancelFile() {
    if (!idle_) return;
    std::vector<size_t> selected;
    HWND list = list_.GetSafeHwnd();
    for (int i = -1; (i = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        selected.push_back(static_cast<size_t>(i));
    rows_.RemoveAt(selected);
    ShowRows();
}

void CDlgShred::OnShred() {
    if (run_->Busy()) {
        run_->RequestStop();
        return;
    }
    // A wipe of free space holds the page as a shred run does.
    if (!idle_) return;
    run_->Start(Passes());
}

void CDlgShred::OnWipeFree() {
    if (!idle_ || run_->Busy()) return;
    idle_ = false;
    EnableListControls(false);
    shred_.Enable(false);
    runWipeDialog(hwnd_, Passes());
    shred_.Enable(true);
    EnableListControls(true);
    idle_ = true;
}

void CDlgShred::ShowRows() {
    HWND list = list_.GetSafeHwnd();
    if (!list) return;
    // Rows come and go anywhere in the list: the selection and the drawing start afresh.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    ::SendMessageW(list, LVM_SETITEMCOUNT, rows_.Size(), LVSICF_NOSCROLL);
    ::InvalidateRect(list, nullptr, TRUE);
}

void CDlgShred::ShowRunning(bool running) {
    idle_ = !running;
    const ButtonImages& images = running ? kStopImages : kShredImages;
    shred_.SetBitmaps(images.normal, images.hover, images.pressed, images.disabled, 93, 57);
    shred_.SetText(running ? L"Stop" : L"Shred");
    EnableListControls(!running);
    ::SendMessageW(GetDlgItem(kProgress), PBM_SETPOS, 0, 0);
}

void CDlgShred::EnableListControls(bool enable) {
    for (CNRadioEx& radio : radios_) ::EnableWindow(radio.GetSafeHwnd(), enable);
    // The labels belong to the radios: they grey with them.
    for (CMyStaticCtrl& label : labels_) {
        label.SetTextColor(enable ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT));
        RECT rc;
        ::GetWindowRect(label.GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rc), 2);
        ::RedrawWindow(hwnd_, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    for (CNButtonEx* button : {&addFile_, &addDirectory_, &cancelFile_, &cancelAll_, &wipeFree_})
        button->Enable(enable);
}

void CDlgShred::RunStarted(std::uint64_t totalBytes, int passes) {
    channel_->Send([this, totalBytes, passes] {
        scale_.emplace(totalBytes, passes);
        progressBytes_ = 0;
        ShowRunning(true);
        ::SendMessageW(GetDlgItem(kProgress), PBM_SETRANGE32, 0, scale_->Range());
    });
}

void CDlgShred::Progress(std::uint64_t bytes) {
    progressBytes_ = bytes;
    // One update on its way at a time: the bar shows the latest count when it gets its turn.
    if (progressQueued_.exchange(true)) return;
    channel_->Post([this] {
        progressQueued_ = false;
        if (scale_) ::SendMessageW(GetDlgItem(kProgress), PBM_SETPOS, scale_->Position(progressBytes_), 0);
    });
}

void CDlgShred::FileFinished(const ShredRow&, const FileOutcome&) {
    channel_->Post([this] { ShowRows(); });
}

void CDlgShred::BuffersUnavailable() {
    channel_->Send([this] { tellUser(hwnd_, kNoMemory); });
}

void CDlgShred::RunEnded(const ShredSummary& summary) {
    const std::wstring report = ShredRunReport(summary);
    channel_->Send([this] {
        ShowRunning(false);
        ShowRows();
    });
    if (!report.empty()) channel_->Post([this, report] { tellUser(hwnd_, report); });
}

void CDlgShred::OnDestroy() {
    // Nothing the worker still hands over may reach controls that are going.
    if (run_) run_->RequestStop();
    if (channel_) channel_->Close();
}

bool CDlgShred::OnDpiChanged(Dpi, const RECT*) {
    header_.Fit(hwnd_);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return false;
}

bool CDlgShred::OnPaint() {
    PaintScope paint(hwnd_);
    RECT client = ClientRect(hwnd_);
    ::FillRect(paint.Get(), &client, PageBrush());
    header_.Draw(hwnd_, paint.Get());
    return true;
}

bool CDlgShred::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        result = TRUE;  // OnPaint fills everything
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ReflectToControl(message, wParam, lParam, result);
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kList && header->code == LVN_KEYDOWN &&
            reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            // The Delete key takes the selected rows off the list, as Cancel File does; it never
            // shreds anything.
            OnCancelFile();
            return true;
        }
        if (header->idFrom != kList || header->code != LVN_GETDISPINFOW) return false;
        return AnswerDisplayText(*reinterpret_cast<NMLVDISPINFOW*>(lParam), [this](size_t index, int column) {
            std::optional<ShredRow> row = rows_.At(index);
            if (!row) return std::wstring();
            return column == 0 ? row->name : column == 1 ? row->folder : std::to_wstring(row->size);
        });
    }
    default:
        return false;
    }
}

}  // namespace scw
