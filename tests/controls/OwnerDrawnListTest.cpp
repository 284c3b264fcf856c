#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/MyListCtrl.h"
#include "controls/SubclassWindow.h"
#include "framework/App.h"
#include "tests/common/TestSupport.h"

using namespace scw;

namespace {
// A parent that hands drawing back to its controls, as the pages do.
LRESULT CALLBACK ReflectingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToControl(message, wParam, lParam, result)) return result;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateReflectingHost() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReflectingProc;
    wc.hInstance = AppInstance();
    wc.lpszClassName = L"ScwReflectingHost";
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(WS_EX_TOPMOST, L"ScwReflectingHost", L"host", WS_POPUP | WS_VISIBLE, 10, 10, 320, 200,
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
