#include "app/MainPages.h"

#include "app/DlgOptions.h"
#include "framework/StartupTrace.h"
#include "junk/page/DlgJunk.h"
#include "shred/page/DlgShred.h"
#include "sweep/page/DlgScan.h"

namespace scw {

MainPages::MainPages(TrayActivity& tray, Catalogue& catalogue, SettingsValues& settings, CIniFileRW settingsFile)
    : scan_(std::make_unique<CDlgScan>(tray, catalogue, settingsFile)),
      options_(std::make_unique<CDlgOptions>(settings, catalogue, settingsFile)),
      shred_(std::make_unique<CDlgShred>()),
      junk_(std::make_unique<CDlgJunk>()) {}

MainPages::~MainPages() = default;

CDialog* MainPages::Page(int index) const {
    switch (index) {
    case kPageScan:
        return scan_.get();
    case kPageJunk:
        return junk_.get();
    case kPageShred:
        return shred_.get();
    case kPageOptions:
        return options_.get();
    default:
        return nullptr;
    }
}

void MainPages::Create(HWND owner) {
    shred_->SetMainWindow(owner);
    const int order[] = {kPageScan, kPageOptions, kPageShred, kPageJunk};
    const char* marks[] = {"sweep page created", "settings page created", "shredder page created",
                           "junk page created"};
    for (int i = 0; i < kPageCount; ++i) {
        CDialog* page = Page(order[i]);
        const bool created = page->Create(owner);
        StartupMark(marks[i]);
        if (!created) continue;
        ::SetWindowTextW(page->GetSafeHwnd(), kPageNames[order[i]]);
        ::SetWindowPos(page->GetSafeHwnd(), nullptr, kPageOrigin.x, kPageOrigin.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool MainPages::Show(int index, HWND after) {
    for (CDialog* page : {Page(kPageScan), Page(kPageJunk), Page(kPageShred)}) {
        if (page->GetSafeHwnd()) ::ShowWindow(page->GetSafeHwnd(), SW_HIDE);
    }
    options_->Hide();

    CDialog* shown = Page(index);
    if (!shown) return false;
    if (index == kPageJunk) junk_->Reset();
    if (shown->GetSafeHwnd())
        ::SetWindowPos(shown->GetSafeHwnd(), after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

HWND MainPages::FirstControl(int index) const {
    CDialog* page = Page(index);
    return page ? ::GetNextDlgTabItem(page->GetSafeHwnd(), nullptr, FALSE) : nullptr;
}

std::array<HWND, kPageCount> MainPages::Windows() const {
    return {scan_->GetSafeHwnd(), junk_->GetSafeHwnd(), shred_->GetSafeHwnd(), options_->GetSafeHwnd()};
}

}  // namespace scw
