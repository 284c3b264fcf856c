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
#include "shred/page/ShredTexts.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {

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

}  // namespace

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

int CDlgShred::Passes() const { return methods_.Passes(); }

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
    methods_.Create(hwnd_, kQuick, H - 92, W - 120);
    // After the methods, so Tab reaches the method before Shred.
    CreateButton(shred_, hwnd_, kShred, L"Shred", Rect(W - 100, H - 70, W - 7, H - 13), kShredImages);

    progress_.Attach(GetDlgItem(kProgress), Rect(10, H - 28, W - 106, H - 14));
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
    progress_.Clear();
}

void CDlgShred::EnableListControls(bool enable) {
    methods_.Enable(enable);
    for (CNButtonEx* button : {&addFile_, &addDirectory_, &cancelFile_, &cancelAll_, &wipeFree_})
        button->Enable(enable);
}

void CDlgShred::RunStarted(std::uint64_t totalBytes, int passes) {
    channel_->Send([this, totalBytes, passes] {
        ShowRunning(true);
        progress_.Start(totalBytes, passes);
    });
}

void CDlgShred::Progress(std::uint64_t bytes) { progress_.Report(bytes, *channel_); }

void CDlgShred::FileFinished(const ShredRow&, const FileOutcome&) {
    channel_->Post([this] { ShowRows(); });
}

void CDlgShred::BuffersUnavailable() {
    channel_->Send([this] { tellUser(hwnd_, kShredNoMemory); });
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
