#pragma once
// A report list drawn by the program: full-row highlight, grid lines, and column texts shortened
// with "..." when they do not fit.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/SubclassWindow.h"

namespace scw {

struct ListColumn {
    std::wstring name;  // up to 20 characters
    int width = 0;      // pixels
    int flag = 0;       // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
};

// The text shown in a column of the given width: unchanged when it fits within the width less a
// 12-pixel margin, otherwise cut from its end until the rest plus "..." fits.
std::wstring ShortenToFit(HDC dc, std::wstring text, int columnWidth);

// Answers a virtual list's LVN_GETDISPINFOW with the text of the cell it asks for (cut to its
// buffer). Always handled.
bool AnswerDisplayText(NMLVDISPINFOW& info, const std::function<std::wstring(size_t row, int column)>& cellText);

class CMyListCtrl : public CSubclassWindow {
public:
    // The creating page fills the column table before Create.
    std::vector<ListColumn> columns;

    bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id);
    void DrawItem(const DRAWITEMSTRUCT& item);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool hasFocus_ = false;
};

}  // namespace scw
