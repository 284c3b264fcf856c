#pragma once
// The junk cleaner page: a child dialog of the main window with a header, a frame, and a two-tab
// strip over its Scan and Results panels.
#include "controls/SkinTab.h"
#include "controls/PageDialog.h"
#include "framework/UniqueHandle.h"
#include "junk/page/DlgJunkJunk.h"
#include "junk/page/DlgJunkScan.h"
#include "controls/PageHeader.h"

namespace scw {

class CDlgJunk : public CPageDialog {
public:
    enum Panel { kScanPanel = 0, kResultsPanel = 1 };
    static constexpr RECT kPanelRect{1, 130, 1 + 574, 130 + 325};

    CDlgJunk();

    // Back to the Scan panel with its defaults; called each time the main window shows the page.
    void Reset();
    int ResetCount() const { return resetCount_; }
    void ShowPanel(int index);
    // Shows the Results panel and searches there.
    void StartJunkSearch(const std::wstring& root, const std::vector<std::wstring>& patterns);

    CDlgJunkScan& ScanPanel() { return scan_; }
    CDlgJunkJunk& ResultsPanel() { return results_; }
    CSkinTab& Tabs() { return tabs_; }
    // The header picture as drawn at the page's DPI.
    HBITMAP HeaderBitmap() const { return header_.Bitmap(); }

protected:
    BOOL OnInitDialog() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;

private:
    void Paint(HDC dc);

    CSkinTab tabs_;
    CDlgJunkScan scan_;
    CDlgJunkJunk results_;
    PageHeader header_;
    int resetCount_ = 0;
};

}  // namespace scw
