#include "controls/MyListCtrl.h"

#include "controls/FocusCue.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
constexpr int kMargin = 12;   // both paddings of a cell
constexpr int kPadding = 6;
constexpr size_t kMaxText = 259;  // the shortening works on a buffer of 260 characters

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
}  // namespace

std::wstring ShortenToFit(HDC dc, std::wstring text, int columnWidth, Dpi dpi) {
    const int room = columnWidth - dpi.Scale(kMargin);
    // Texts beyond the buffer are cut first, and the cut is always shown by the dots.
    if (text.size() > kMaxText) text.resize(kMaxText - 3);
    else if (TextWidth(dc, text) <= room) return text;
    while (!text.empty() && TextWidth(dc, text + L"...") > room) text.pop_back();
    return text + L"...";
}

bool AnswerDisplayText(NMLVDISPINFOW& info, const std::function<std::wstring(size_t row, int column)>& cellText) {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0 || info.item.iItem < 0)
        return true;
    const std::wstring text = cellText(static_cast<size_t>(info.item.iItem), info.item.iSubItem);
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
    return true;
}

bool CMyListCtrl::Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) {
    HWND window = ::CreateWindowExW(exStyle, WC_LISTVIEWW, L"", style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AppInstance(), nullptr);
    if (!window || !Attach(window)) return false;
    ServeAccessibility(*this);
    ::SendMessageW(window, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    ::SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    columnsDpi_ = DpiOfWindow(window);
    int index = 0;
    for (ListColumn& column : columns) {
        if (column.name.size() > 20) column.name.resize(20);
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        lvc.fmt = column.flag;
        lvc.cx = columnsDpi_.Scale(column.width);
        lvc.pszText = column.name.data();
        ::SendMessageW(window, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvc));
    }
    MeasureRowsAgain();
    return true;
}

void CMyListCtrl::SetColumnWidth(int column, int width96) {
    if (!hwnd_) return;
    RescaleColumns();
    ::SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(columnsDpi_.Scale(width96), 0));
}

void CMyListCtrl::RescaleColumns() {
    const Dpi dpi = DpiOfWindow(hwnd_);
    if (dpi == columnsDpi_) return;
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const int width = static_cast<int>(::SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, column, 0));
        ::SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(dpi.Rescale(width, columnsDpi_), 0));
    }
    columnsDpi_ = dpi;
}

int CMyListCtrl::RowHeight() const {
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectScope select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    int height = metrics.tmHeight;
    // An underscore's ink may lie below the font's cell, where the grid line would hide it.
    GLYPHMETRICS glyph{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (::GetGlyphOutlineW(dc.Get(), L'_', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR)
        height = std::max(height, static_cast<int>(metrics.tmAscent - glyph.gmptGlyphOrigin.y + static_cast<LONG>(glyph.gmBlackBoxY)));
    if (auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(hwnd_, LVM_GETIMAGELIST, LVSIL_SMALL, 0))) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        height = std::max(height, cy);
    }
    return height + 1;  // the platform's grid line, one pixel at any DPI
}

void CMyListCtrl::MeasureRowsAgain() {
    // A move that says it sized the list: the platform measures, without the list really moving.
    RECT rc{};
    ::GetWindowRect(hwnd_, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
    WINDOWPOS pos{hwnd_, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                  SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER};
    ::SendMessageW(hwnd_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CMyListCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const int row = static_cast<int>(item.itemID);
    const LONG style = ::GetWindowLongW(hwnd_, GWL_STYLE);
    const UINT state = static_cast<UINT>(::SendMessageW(hwnd_, LVM_GETITEMSTATE, row,
                                                        LVIS_SELECTED | LVIS_DROPHILITED | LVIS_FOCUSED));
    const bool listFocused = hasFocus_ || ::GetFocus() == hwnd_;
    const bool highlighted = ((state & LVIS_SELECTED) && (listFocused || (style & LVS_SHOWSELALWAYS))) ||
                             (state & LVIS_DROPHILITED);
    const Dpi dpi = DpiOfWindow(hwnd_);
    // Texts keep off the grid line on the row's last pixel row.
    const bool gridLines = ::SendMessageW(hwnd_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES;
    const LONG textBottom = item.rcItem.bottom - (gridLines ? 1 : 0);

    RECT rowRect = item.rcItem;
    ::FillRect(dc, &rowRect,
               highlighted ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);

    int imageWidth = 0;
    if (HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageW(hwnd_, LVM_GETIMAGELIST, LVSIL_SMALL, 0))) {
        LVITEMW lvi{};
        lvi.mask = LVIF_IMAGE;
        lvi.iItem = row;
        ::SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvi));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        ImageList_Draw(images, lvi.iImage, dc, rowRect.left, rowRect.top + (rowRect.bottom - rowRect.top - cy) / 2,
                       highlighted ? ILD_SELECTED : ILD_NORMAL);
        imageWidth = cx;
    }

    int left = rowRect.left;
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_WIDTH | LVCF_FMT;
        if (!::SendMessageW(hwnd_, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc))) break;
        const std::wstring buffer = CellText(row, column);
        RECT cell{left, rowRect.top, left + lvc.cx, textBottom};
        if (column == 0) cell.left += imageWidth;
        cell.left += dpi.Scale(kPadding);
        cell.right -= dpi.Scale(kPadding);
        std::wstring text = ShortenToFit(dc, buffer, lvc.cx - (column == 0 ? imageWidth : 0), dpi);
        UINT align = DT_LEFT;
        if ((lvc.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) align = DT_RIGHT;
        if ((lvc.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) align = DT_CENTER;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
                    align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        left += lvc.cx;
    }
    if ((state & LVIS_FOCUSED) && listFocused && ShowsFocusCue(hwnd_)) ::DrawFocusRect(dc, &rowRect);
}

std::wstring CMyListCtrl::CellText(int row, int column) const {
    wchar_t buffer[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 260;
    ::SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

long CMyListCtrl::AccessibleChildCount() {
    return hwnd_ ? static_cast<long>(::SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring CMyListCtrl::AccessibleName(long child) {
    return child ? CellText(static_cast<int>(child) - 1, 0) : AccessibleNameGiven();
}

std::wstring CMyListCtrl::AccessibleDescription(long child) {
    std::wstring text;
    for (int column = 1; child && column < static_cast<int>(columns.size()); ++column) {
        if (!text.empty()) text += L", ";
        text += columns[static_cast<size_t>(column)].name + L": " + CellText(static_cast<int>(child) - 1, column);
    }
    return text;
}

long CMyListCtrl::AccessibleState(long child) {
    if (!child) return 0;
    const UINT state = static_cast<UINT>(
        ::SendMessageW(hwnd_, LVM_GETITEMSTATE, child - 1, LVIS_SELECTED | LVIS_FOCUSED));
    long result = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (state & LVIS_SELECTED) result |= STATE_SYSTEM_SELECTED;
    return result;
}

RECT CMyListCtrl::AccessibleChildRect(long child) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ::SendMessageW(hwnd_, LVM_GETITEMRECT, child - 1, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

long CMyListCtrl::AccessibleFocusedChild() {
    const int row = static_cast<int>(::SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return row + 1;
}

bool CMyListCtrl::AccessibleSelect(long child) {
    if (!child) return false;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return ::SendMessageW(hwnd_, LVM_SETITEMSTATE, child - 1, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

void CMyListCtrl::OnDpiChanged() {
    RescaleColumns();
    MeasureRowsAgain();
}

bool CMyListCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case ReflectedMessage(WM_DRAWITEM):
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case ReflectedMessage(WM_MEASUREITEM):
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(RowHeight());
        result = TRUE;
        return true;
    case WM_WINDOWPOSCHANGED: {
        MeasureRequestScope measuring(hwnd_);
        result = Default(message, wParam, lParam);
        return true;
    }
    case WM_SETFONT:
        // A new font (the layout gives one for each DPI) needs rows of its height.
        result = Default(message, wParam, lParam);
        MeasureRowsAgain();
        return true;
    case WM_SETFOCUS:
        hasFocus_ = true;
        return false;
    case WM_KILLFOCUS:
        hasFocus_ = false;
        return false;
    default:
        return false;
    }
}

}  // namespace scw
