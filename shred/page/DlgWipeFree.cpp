#include "shred/page/DlgWipeFree.h"

#include <commctrl.h>

#include <cstdio>

#include "res/resource.h"

namespace scw {

namespace {

std::wstring Decimal(double value, int places) {
    wchar_t text[64];
    std::swprintf(text, 64, L"%.*f", places, value);
    return text;
}

// Over the main window, whose place the system does not always take into account.
void CenterOnOwner(HWND dialog) {
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    RECT outer, own;
    if (!owner || !::GetWindowRect(owner, &outer) || !::GetWindowRect(dialog, &own)) return;
    const int x = outer.left + ((outer.right - outer.left) - (own.right - own.left)) / 2;
    const int y = outer.top + ((outer.bottom - outer.top) - (own.bottom - own.top)) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring VolumeLine(const WipeVolume& volume) {
    return volume.root + L"   " + ReadableBytes(volume.freeBytes) + L" free of " + ReadableBytes(volume.totalBytes) +
           (volume.fileSystem.empty() ? L"" : L", " + volume.fileSystem) +
           (volume.driveType == DRIVE_REMOVABLE ? L", removable" : L"");
}

}  // namespace

std::wstring ReadableBytes(std::uint64_t bytes) {
    static const wchar_t* const kUnits[] = {L"bytes", L"KiB", L"MiB", L"GiB", L"TiB"};
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 4) {
        value /= 1024;
        ++unit;
    }
    return unit == 0 ? std::to_wstring(bytes) + L" bytes" : Decimal(value, 1) + L" " + kUnits[unit];
}

std::wstring WipeReport(const WipeSummary& s) {
    std::wstring text;
    if (s.failure.empty())
        text = L"Written: " + std::to_wstring(s.bytesWritten) + L" bytes (" + ReadableBytes(s.bytesWritten) +
               L"); file records filled: " + std::to_wstring(s.recordsFilled) + L"; time: " +
               Decimal(s.milliseconds / 1000.0, 1) + L" s.";
    const std::wstring problem = s.Problem();
    if (!problem.empty()) text += (text.empty() ? L"" : L" ") + problem;
    else text = L"The free space of " + s.root + L" was wiped. " + text;
    return text;
}

CDlgWipeFree::CDlgWipeFree(int passes) : CDialog(IDD_WIPEFREE), initialPasses_(passes) {}

CDlgWipeFree::~CDlgWipeFree() {
    // The worker reports into this dialog: it is stopped, cleans up and is joined first.
    run_.reset();
}

BOOL CDlgWipeFree::OnInitDialog() {
    channel_ = std::make_unique<UiChannel>();
    run_ = std::make_unique<WipeRun>(*this, wipe);
    CenterOnOwner(hwnd_);
    volumes_ = listVolumes();
    HWND combo = GetDlgItem(IDC_WIPE_DRIVE);
    for (const WipeVolume& volume : volumes_)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VolumeLine(volume).c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    const int radio = initialPasses_ == 7 ? IDC_WIPE_THOROUGH : initialPasses_ == 3 ? IDC_WIPE_SAFE : IDC_WIPE_QUICK;
    ::CheckRadioButton(hwnd_, IDC_WIPE_QUICK, IDC_WIPE_THOROUGH, radio);
    ::SendMessageW(GetDlgItem(IDC_WIPE_PROGRESS), PBM_SETRANGE32, 0, 0);
    if (volumes_.empty()) {
        SetText(IDC_WIPE_STATUS, L"There is no fixed or removable drive to wipe.");
        ::EnableWindow(GetDlgItem(IDC_WIPE_START), FALSE);
    }
    return TRUE;
}

int CDlgWipeFree::Passes() const {
    if (::IsDlgButtonChecked(hwnd_, IDC_WIPE_THOROUGH) == BST_CHECKED) return 7;
    if (::IsDlgButtonChecked(hwnd_, IDC_WIPE_SAFE) == BST_CHECKED) return 3;
    return 1;
}

void CDlgWipeFree::SetText(int id, const std::wstring& text) { ::SetWindowTextW(GetDlgItem(id), text.c_str()); }

std::wstring CDlgWipeFree::ReportText() const {
    wchar_t text[1024] = {};
    ::GetWindowTextW(GetDlgItem(IDC_WIPE_REPORT), text, 1024);
    return text;
}

std::wstring CDlgWipeFree::StatusText() const {
    wchar_t text[1024] = {};
    ::GetWindowTextW(GetDlgItem(IDC_WIPE_STATUS), text, 1024);
    return text;
}

bool CDlgWipeFree::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_WIPE_START && code == BN_CLICKED) {
        OnStart();
        return true;
    }
    return false;
}

void CDlgWipeFree::OnStart() {
    if (running_) {
        run_->RequestStop();
        SetText(IDC_WIPE_STATUS, L"Stopping: the wipe's files are being deleted...");
        ::EnableWindow(GetDlgItem(IDC_WIPE_START), FALSE);
        return;
    }
    const LRESULT chosen = ::SendMessageW(GetDlgItem(IDC_WIPE_DRIVE), CB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= volumes_.size()) return;
    passes_ = Passes();
    SetText(IDC_WIPE_REPORT, L"");
    SetText(IDC_WIPE_STATUS, L"Starting...");
    ShowRunning(true);
    if (!run_->Start(volumes_[static_cast<size_t>(chosen)].root, passes_)) ShowRunning(false);
}

void CDlgWipeFree::OnCancel() {
    // The disk must not stay full: a close while the wipe runs stops it and closes at its end.
    if (running_) {
        closeWhenDone_ = true;
        if (::IsWindowEnabled(GetDlgItem(IDC_WIPE_START))) OnStart();
        return;
    }
    EndDialog(IDCANCEL);
}

void CDlgWipeFree::ShowRunning(bool running) {
    running_ = running;
    SetText(IDC_WIPE_START, running ? L"Stop" : L"Start");
    ::EnableWindow(GetDlgItem(IDC_WIPE_START), TRUE);
    for (int id : {IDC_WIPE_DRIVE, IDC_WIPE_QUICK, IDC_WIPE_SAFE, IDC_WIPE_THOROUGH})
        ::EnableWindow(GetDlgItem(id), !running);
}

void CDlgWipeFree::WipeStarted(const WipeVolume& volume, std::uint64_t expectedBytes) {
    channel_->Send([this, volume, expectedBytes] {
        scale_.emplace(expectedBytes, 1);
        progressBytes_ = 0;
        ::SendMessageW(GetDlgItem(IDC_WIPE_PROGRESS), PBM_SETRANGE32, 0, scale_->Range());
        ::SendMessageW(GetDlgItem(IDC_WIPE_PROGRESS), PBM_SETPOS, 0, 0);
        SetText(IDC_WIPE_STATUS, L"Filling the free space of " + volume.root + L"...");
    });
}

void CDlgWipeFree::WipePhaseChanged(WipePhase phase, int pass) {
    std::wstring text;
    switch (phase) {
    case WipePhase::Filling:
        text = L"Filling the free space: pass " + std::to_wstring(pass) + L" of " + std::to_wstring(passes_);
        break;
    case WipePhase::Records: text = L"Filling the free file records with small files"; break;
    case WipePhase::CleaningUp: text = L"Deleting the wipe's files"; break;
    }
    channel_->Post([this, text] {
        phaseText_ = text;
        SetText(IDC_WIPE_STATUS, text + L"...");
    });
}

void CDlgWipeFree::WipeProgress(std::uint64_t bytesWritten) {
    progressBytes_ = bytesWritten;
    // One update on its way at a time: the bar shows the latest count when it gets its turn.
    if (progressQueued_.exchange(true)) return;
    channel_->Post([this] {
        progressQueued_ = false;
        if (!scale_) return;
        const std::uint64_t bytes = progressBytes_;
        ::SendMessageW(GetDlgItem(IDC_WIPE_PROGRESS), PBM_SETPOS, scale_->Position(bytes), 0);
        SetText(IDC_WIPE_STATUS, phaseText_ + L": " + ReadableBytes(bytes) + L" written");
    });
}

void CDlgWipeFree::WipeRecords(std::uint64_t recordsFilled) {
    channel_->Post([this, recordsFilled] {
        SetText(IDC_WIPE_STATUS, phaseText_ + L": " + std::to_wstring(recordsFilled) + L" records filled");
    });
}

void CDlgWipeFree::WipeEnded(const WipeSummary& summary) {
    const std::wstring report = WipeReport(summary);
    const bool ok = summary.Ok();
    channel_->Send([this, report, ok] {
        ShowRunning(false);
        if (scale_ && ok) ::SendMessageW(GetDlgItem(IDC_WIPE_PROGRESS), PBM_SETPOS, scale_->Range(), 0);
        SetText(IDC_WIPE_STATUS, ok ? L"Done." : L"Ended.");
        SetText(IDC_WIPE_REPORT, report);
        if (closeWhenDone_) EndDialog(IDCANCEL);
    });
}

void CDlgWipeFree::OnDestroy() {
    // Nothing the worker still hands over may reach controls that are going.
    if (run_) run_->RequestStop();
    if (channel_) channel_->Close();
}

}  // namespace scw
