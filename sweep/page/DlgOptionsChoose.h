#pragma once
// The one-click chooser: a modal dialog whose tree ticks the items of the one-click set.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "engine/Catalogue.h"
#include "framework/Dialog.h"
#include "framework/DpiLayout.h"
#include "framework/IniFileRW.h"
#include "framework/UniqueHandle.h"
#include "sweep/page/CheckClicks.h"

namespace scw {

class CDlgOptionsChoose : public CDialog {
public:
    static constexpr int kTreeId = 10000;
    static constexpr int kSelectNoneId = 3;
    static constexpr size_t kMaxCategoryRows = 10;

    CDlgOptionsChoose(const Catalogue& catalogue, CIniFileRW settings);
    ~CDlgOptionsChoose() override;

    HWND Tree() const { return tree_; }
    // The row that shows an item ID, or null.
    HTREEITEM RowOf(UINT itemId) const;
    const std::vector<HTREEITEM>& CategoryRows() const { return categories_; }
    // The DPI the dialog is laid out for: its owner's.
    Dpi ShownDpi() const { return dpi_; }

protected:
    BOOL OnInitDialog() override;
    // Save: writes the ticked items as the one-click set, then closes.
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnDestroy() override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;

private:
    bool CreateTree();
    // Records the template's layout, made for dpi_, as it stands at 96 DPI; the layout also keeps
    // the system's own re-layout off the dialog.
    void RecordLayout();
    // Takes the layout to `dpi`; the client area keeps its centre.
    void TakeToDpi(Dpi dpi);
    void LoadCheckImages();
    HTREEITEM InsertRow(HTREEITEM parent, UINT itemId);
    std::vector<int> ReadShownSet() const;
    std::vector<int> CollectTicked() const;

    const Catalogue& catalogue_;
    CIniFileRW settings_;
    HWND tree_ = nullptr;
    CCheckClicks checkClicks_;
    UniqueImageList states_;
    std::vector<HTREEITEM> categories_;
    Dpi dpi_;
    DpiLayout layout_;
    SIZE client96_{};
    int baseIndent_ = 0;
};

}  // namespace scw
