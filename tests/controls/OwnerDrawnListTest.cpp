#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/MyListCtrl.h"
#include "controls/SubclassWindow.h"
#include "framework/App.h"
#include "framework/DpiLayout.h"
#include "tests/common/TestSupport.h"

using namespace scw;

namespace {
// A parent that hands drawing back to its controls, as the pages do.
LRESULT CALLBACK ReflectingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToControl(message, wParam, lParam, result)) return result;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateReflectingHost(int width = 320, int height = 200) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReflectingProc;
    wc.hInstance = AppInstance();
    wc.lpszClassName = L"ScwReflectingHost";
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(WS_EX_TOPMOST, L"ScwReflectingHost", L"host", WS_POPUP | WS_VISIBLE, 10, 10, width, height,
                             nullptr, nullptr, AppInstance(), nullptr);
}
}  // namespace

TEST(OwnerDrawnList, CreatesItsColumnsAndHighlightsTheSelectedRowWithoutFocus) {
    HWND host = CreateReflectingHost();
    ASSERT_NE(host, nullptr);
    CMyListCtrl list;
    list.columns = {{L"A column name longer than twenty", 120, LVCFMT_LEFT}, {L"Path", 180, LVCFMT_LEFT}};
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                            RECT{0, 0, 320, 200}, host, 1001));
    HWND h = list.GetSafeHwnd();
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(h, LVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 255));
    EXPECT_TRUE(::SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
    wchar_t name[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = name;
    column.cchTextMax = 64;
    ASSERT_TRUE(::SendMessageW(h, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::wstring(name).size(), 20u) << "column names hold up to 20 characters";

    for (int row = 0; row < 2; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"x.txt");
        ::SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(h, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    ::SetFocus(host);
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    test::PumpMessages(100);

    RECT rows[2];
    for (int row = 0; row < 2; ++row) {
        rows[row].left = LVIR_BOUNDS;
        ::SendMessageW(h, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rows[row]));
    }
    HDC dc = ::GetDC(h);
    // A point in the second column, right of its short text.
    COLORREF unselected = ::GetPixel(dc, 290, (rows[0].top + rows[0].bottom) / 2);
    COLORREF selected = ::GetPixel(dc, 290, (rows[1].top + rows[1].bottom) / 2);
    ::ReleaseDC(h, dc);
    EXPECT_EQ(unselected, RGB(255, 255, 255));
    EXPECT_EQ(selected, ::GetSysColor(COLOR_HIGHLIGHT)) << "LVS_SHOWSELALWAYS keeps the highlight without focus";
    ::DestroyWindow(host);
}

namespace {
void AddRows(HWND list, std::initializer_list<const wchar_t*> names) {
    int row = 0;
    for (const wchar_t* name : names) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<wchar_t*>(name);
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

RECT RowRect(HWND list, int row) {
    RECT rc{};
    rc.left = LVIR_BOUNDS;
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

int ShownRowHeight(HWND list) {
    const RECT rc = RowRect(list, 0);
    return rc.bottom - rc.top;
}

int ColumnWidth(HWND list, int column) {
    return static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
}

int TextHeight(HFONT font) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return metrics.tmHeight;
}

HFONT ListFont(HWND list) { return reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)); }

struct ReportList {
    HWND host = CreateReflectingHost(500, 400);
    CMyListCtrl list;
    ReportList() {
        list.columns = {{L"File/Folder Name", 120, LVCFMT_LEFT}, {L"Path", 180, LVCFMT_LEFT}};
        list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                    RECT{0, 0, 320, 200}, host, 1001);
        AddRows(list.GetSafeHwnd(), {L"photo.jpg.___", L"b.txt", L"c.txt"});
    }
    ~ReportList() { ::DestroyWindow(host); }
    HWND Hwnd() const { return list.GetSafeHwnd(); }
};
}  // namespace

TEST(OwnerDrawnListDpi, ColumnWidthsAndRowHeightFollowTheLayoutsDpiAndComeBack) {
    ReportList r;
    HWND h = r.Hwnd();
    ::SendMessageW(h, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(150, 0));  // as a drag of the divider does
    const int rows96 = ShownRowHeight(h);
    EXPECT_EQ(r.list.RowHeight(), rows96);
    EXPECT_GE(rows96, TextHeight(ListFont(h)) + 1);

    DpiLayout layout;
    layout.Capture(r.host, Dpi(96));
    layout.Apply(r.host, Dpi(144));
    EXPECT_EQ(180, ColumnWidth(h, 0));
    EXPECT_EQ(225, ColumnWidth(h, 1)) << "a dragged width is rescaled too";
    const int rows144 = ShownRowHeight(h);
    EXPECT_EQ(r.list.RowHeight(), rows144);
    EXPECT_GE(rows144, TextHeight(ListFont(h)) + 1) << "the row holds a line of the list's font at this DPI";
    EXPECT_GT(rows144, rows96 * 4 / 3);
    r.list.SetColumnWidth(0, 100);
    EXPECT_EQ(150, ColumnWidth(h, 0)) << "widths are given at 96 DPI";

    layout.Apply(r.host, Dpi(96));
    EXPECT_EQ(100, ColumnWidth(h, 0));
    EXPECT_EQ(150, ColumnWidth(h, 1));
    EXPECT_EQ(rows96, ShownRowHeight(h));
}

TEST(OwnerDrawnListDpi, RowHeightFollowsANewFontWhileTheListKeepsItsSize) {
    ReportList r;
    HWND h = r.Hwnd();
    const int rows96 = ShownRowHeight(h);
    LOGFONTW described{};
    ::GetObjectW(ListFont(h), sizeof(described), &described);
    described.lfHeight *= 2;
    HFONT large = ::CreateFontIndirectW(&described);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE);
    EXPECT_EQ(r.list.RowHeight(), ShownRowHeight(h));
    EXPECT_GT(ShownRowHeight(h), rows96);
    ::DestroyWindow(r.host);
    ::DeleteObject(large);
}

TEST(OwnerDrawnList, TrailingUnderscoresShowAboveTheGridLineAtEveryDpi) {
    ReportList r;
    HWND h = r.Hwnd();
    DpiLayout layout;
    layout.Capture(r.host, Dpi(96));
    for (Dpi dpi : {Dpi(96), Dpi(144), Dpi(192)}) {
        layout.Apply(r.host, dpi);
        ::SetFocus(r.host);
        ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        test::PumpMessages(100);
        // Where the underscores of "photo.jpg.___" lie in the first column.
        HDC dc = ::GetDC(h);
        HGDIOBJ old = ::SelectObject(dc, ListFont(h));
        SIZE stem{}, whole{};
        ::GetTextExtentPoint32W(dc, L"photo.jpg.", 10, &stem);
        ::GetTextExtentPoint32W(dc, L"photo.jpg.___", 13, &whole);
        ::SelectObject(dc, old);
        const RECT row = RowRect(h, 0);
        const int left = row.left + dpi.Scale(6);
        int inked = 0;
        for (int y = row.top; y < row.bottom - 1; ++y)  // the last pixel row is the grid line's
            for (int x = left + stem.cx; x < left + whole.cx; ++x) {
                const COLORREF pixel = ::GetPixel(dc, x, y);
                inked += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 384 ? 1 : 0;
            }
        ::ReleaseDC(h, dc);
        EXPECT_GT(inked, 0) << "underscores hidden at " << dpi.Value();
    }
}
