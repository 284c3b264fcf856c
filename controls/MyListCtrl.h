#pragma once
// A report list drawn by the program: full-row highlight, grid lines, and column texts shortened
// with "..." when they do not fit. Column widths are given at 96 DPI; widths, row height and
// padding follow the window's DPI.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/AccessibleServer.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"

namespace scw {

struct ListColumn {
    std::wstring name;  // up to 20 characters
    int width = 0;      // pixels at 96 DPI
    int flag = 0;       // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
};

// The text shown in a column of the given width: unchanged when it fits within the width less a
// margin of 12 pixels at 96 DPI, otherwise cut from its end until the rest plus "..." fits.
std::wstring ShortenToFit(HDC dc, std::wstring text, int columnWidth, Dpi dpi = Dpi());

// Answers a virtual list's LVN_GETDISPINFOW with the text of the cell it asks for (cut to its
// buffer). Always handled.
bool AnswerDisplayText(NMLVDISPINFOW& info, const std::function<std::wstring(size_t row, int column)>& cellText);

class CMyListCtrl : public CSubclassWindow, private AccessibleFacts {
public:
    // The creating page fills the column table before Create.
    std::vector<ListColumn> columns;

    bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id);
    void DrawItem(const DRAWITEMSTRUCT& item);
    // A width at 96 DPI, shown at the window's DPI.
    void SetColumnWidth(int column, int width96);
    // The owner-drawn row's height for the list's font: its text, marks that reach below the
    // text cell (underscores), a small image if the list has them, and the grid line.
    int RowHeight() const;
    // A cell's text as the list shows it (asked of the owner for a virtual list).
    std::wstring CellText(int row, int column) const;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    // A list to screen readers: one list item per row, named by its first column; the other
    // columns read as "Header: text" in the row's description.
    std::wstring AccessibleName(long child) override;
    long AccessibleRole(long child) override { return child ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST; }
    long AccessibleState(long child) override;
    long AccessibleChildCount() override;
    std::wstring AccessibleDescription(long child) override;
    RECT AccessibleChildRect(long child) override;
    long AccessibleFocusedChild() override;
    bool AccessibleSelect(long child) override;

    // Takes the present widths (set or dragged) from the DPI they were shown at to the window's.
    void RescaleColumns();
    // The platform asks for the row height only when the list is sized: make it ask again.
    void MeasureRowsAgain();

    bool hasFocus_ = false;
    Dpi columnsDpi_;
};

}  // namespace scw
