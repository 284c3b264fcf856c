#pragma once
// The Scan panel of the junk page: the junk type table with its ticks, the place to search and
// the Scan Now button.
#include <functional>
#include <string>
#include <vector>

#include "controls/GlyphButton.h"
#include "controls/GuiGroupBox.h"
#include "controls/NButtonEx.h"
#include "controls/PageDialog.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CDlgJunkScan : public CPageDialog {
public:
    CDlgJunkScan();

    // Scan Now with a valid choice: the root (empty for every fixed disk) and the patterns.
    std::function<void(const std::wstring& root, const std::vector<std::wstring>& patterns)> onScan;
    // Shows a message to the user; tests record it instead.
    std::function<void(HWND owner, const wchar_t* text)> showMessage;

    // Back to "Scan all Disk" with an empty, disabled path field.
    void ResetPlace();

    bool IsRowTicked(int row) const;  // 0-based
    void TickRow(int row, bool ticked);
    int RowCount() const;
    bool ScanAllDisks() const { return allDisks_.IsTicked(); }
    bool DefaultChosen() const { return default_.IsTicked(); }
    HWND TypeList() const { return GetDlgItem(kTypeListId); }
    static constexpr int kTypeListId = 1048;
    // Widths of the "Type" and "Description" columns at 96 DPI.
    static constexpr int kColumnWidths[2] = {80, 170};

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;
    void OnDestroy() override;

private:
    void PlaceControls();
    void PlaceScanNow();
    void FillTypeList();
    // Column widths and check boxes of the type list for the DPI the panel is laid out for.
    void FitTypeList();
    void ChoosePlace(bool allDisks);
    void TickRows(int ticked);
    void OnBrowse();
    // Tells the user why a folder may never be searched (a device path, the Linux host's root).
    bool RefusesRoot(const std::wstring& root);
    void OnScanNow();
    std::vector<std::wstring> TickedPatterns() const;

    CNRadioEx allDisks_, chooseDir_, default_, all_, none_;
    CGuiGroupBox placeGroup_;
    CNButtonEx scanNow_;
    // Laid out at 96 DPI when made; the layout of the main window says when that changes.
    Dpi laidOutFor_;
    // Check boxes drawn for a DPI other than 96, and the list view's own while ours are shown.
    UniqueImageList checks_;
    HIMAGELIST ownChecks_ = nullptr;
    SIZE checkCell96_{};
};

}  // namespace scw
