#pragma once
// The four pages of the main window: made as its children at their place, one in view at a time.
#include <windows.h>

#include <array>
#include <memory>

#include "app/PageIndex.h"
#include "state/Settings.h"
#include "engine/Catalogue.h"
#include "framework/IniFileRW.h"
#include "sweep/core/TrayActivity.h"

namespace scw {

class CDialog;
class CDlgScan;
class CDlgJunk;
class CDlgShred;
class CDlgOptions;

class MainPages {
public:
    MainPages(TrayActivity& tray, Catalogue& catalogue, SettingsValues& settings, CIniFileRW settingsFile);
    ~MainPages();

    void Create(HWND owner);
    // Hides every page, then shows the one at `index` right behind `after` (in view and in the tab
    // order); false, with every page hidden, when `index` names no page.
    bool Show(int index, HWND after);
    // The first control Tab reaches on the page at `index`; none for another index.
    HWND FirstControl(int index) const;
    // In the pages' order.
    std::array<HWND, kPageCount> Windows() const;

    CDlgScan& Scan() { return *scan_; }
    CDlgJunk& Junk() { return *junk_; }
    CDlgShred& Shred() { return *shred_; }
    CDlgOptions& Options() { return *options_; }

private:
    CDialog* Page(int index) const;

    std::unique_ptr<CDlgScan> scan_;
    std::unique_ptr<CDlgOptions> options_;
    std::unique_ptr<CDlgShred> shred_;
    std::unique_ptr<CDlgJunk> junk_;
};

}  // namespace scw
