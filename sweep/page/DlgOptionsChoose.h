#pragma once
// The one-click chooser: a modal dialog whose tree ticks the items of the one-click set, the
// catalogue's by ID and the rule files' entries ("More Programs") by name.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/Catalogue.h"
#include "framework/Dialog.h"
#include "framework/DpiLayout.h"
#include "framework/IniFileRW.h"
#include "framework/UniqueHandle.h"
#include "sweep/page/CheckClicks.h"
#include "sweep/page/WarnedTicks.h"

namespace scw {

class CDlgOptionsChoose : public CDialog {
public:
    static constexpr int kTreeId = 10000;
    static constexpr int kSelectNoneId = 3;
    static constexpr size_t kMaxCategoryRows = 10;

    CDlgOptionsChoose(const Catalogue& catalogue, CIniFileRW settings);
    ~CDlgOptionsChoose() override;

    // Asks before ticks take rule entries with a warning (WarnedTicks); tests answer themselves.
    AskWarning confirmWarning = AskWarningBox;

    HWND Tree() const { return tree_; }
    // The row that shows an item ID, or null.
    HTREEITEM RowOf(UINT itemId) const;
    // The row that shows a node (a rule entry's too), or null.
    HTREEITEM RowOf(const CMyObject& node) const;
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
    HTREEITEM InsertRow(HTREEITEM parent, const CMyObject& node);
    void TickShownSet();
    // The ticked items: the catalogue's IDs and the rule entries' names, in display order.
    void CollectTicked(std::vector<int>& ids, std::vector<std::wstring>& ruleNames) const;

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
