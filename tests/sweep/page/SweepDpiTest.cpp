// The privacy sweep page and its item tree shown at 100, 125, 150 and 200 %: laid out at 96 DPI,
// then taken to the scale as the main window does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "engine/Catalogue.h"
#include "state/Settings.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/DpiHost.h"
#include "tests/sweep/page/SweepViewFixture.h"

namespace scw::test {
namespace {

SIZE ImageSize(HIMAGELIST list) {
    int cx = 0, cy = 0;
    if (list) ImageList_GetIconSize(list, &cx, &cy);
    return SIZE{cx, cy};
}

// What the tree shows that depends on the DPI.
struct TreeLook {
    int rowHeight;
    int indent;
    SIZE stateImages;
    SIZE icons;
    SIZE countColumn;
    int fontHeight;
    bool operator==(const TreeLook& o) const {
        return rowHeight == o.rowHeight && indent == o.indent && stateImages.cx == o.stateImages.cx &&
               stateImages.cy == o.stateImages.cy && icons.cx == o.icons.cx && icons.cy == o.icons.cy &&
               countColumn.cx == o.countColumn.cx && countColumn.cy == o.countColumn.cy && fontHeight == o.fontHeight;
    }
};

// An item tree in a DPI host, with the page's font, shown with its first item scanned.
class ShownTree {
public:
    explicit ShownTree(Dpi dpi) : host(dpi) {
        font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana");
        ::SendMessageW(host.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        catalogue.Build();
        created = tree.Create(host.Get(), RECT{10, 30, 457, 400});
        tree.Fill(catalogue);
        hwnd = tree.GetSafeHwnd();
        host.Apply();
        TreeView_Expand(hwnd, tree.RowOf(Node(102)), TVE_EXPAND);
        TreeView_Expand(hwnd, tree.RowOf(Node(103)), TVE_EXPAND);
        PumpMessages(20);
    }
    ~ShownTree() {
        ::DestroyWindow(hwnd);
        ::DeleteObject(font);
    }

    CMyObject& Node(UINT id) { return *catalogue.Find(id); }
    TreeLook Look() {
        LOGFONTW shown{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof shown, &shown);
        return TreeLook{TreeView_GetItemHeight(hwnd),
                        static_cast<int>(TreeView_GetIndent(hwnd)),
                        ImageSize(TreeView_GetImageList(hwnd, TVSIL_STATE)),
                        ImageSize(TreeView_GetImageList(hwnd, TVSIL_NORMAL)),
                        tree.MeasureCountColumn(),
                        shown.lfHeight};
    }
    RECT Row(UINT id) { return TreeRowRect(tree, Node(id)); }
    int SquareWidth(UINT id) {
        const RECT& square = tree.PlacesOf(Node(id)).stateRect;
        return square.right - square.left;
    }
    int TextLeft(UINT id) { return TreeRowRect(tree, Node(id), true).left; }
    // Green pixels of the done image in the first item's status square.
    int DoneInk() {
        tree.ResetAllNodes(tree.MeasureCountColumn());
        Node(104).scanState = ScanDone;
        RECT client{};
        ::GetClientRect(hwnd, &client);
        Canvas canvas(client.right, client.bottom);
        tree.PaintRows(canvas.Dc(), client);
        const RECT& square = tree.PlacesOf(Node(104)).stateRect;
        const RECT row = Row(104);
        return canvas.Greenish(RECT{square.left, row.top, square.right, row.bottom});
    }

    DpiHost host;
    HFONT font = nullptr;
    Catalogue catalogue;
    CMyTreeCtrl tree;
    HWND hwnd = nullptr;
    bool created = false;
};

class TreeDpiTest : public testing::TestWithParam<int> {};

TEST_P(TreeDpiTest, RowsImagesAndCountsScaleAndAChangeBackRestoresThe96DpiLook) {
    const Dpi dpi(GetParam());
    TreeLook at96{};
    int doneInk96 = 0;
    {
        ShownTree plain(Dpi(96));
        ASSERT_TRUE(plain.created);
        at96 = plain.Look();
        doneInk96 = plain.DoneInk();
    }
    ShownTree shown(dpi);
    ASSERT_TRUE(shown.created);
    const TreeLook look = shown.Look();
    const TreeRowMetrics& m = shown.tree.RowMetrics();

    EXPECT_EQ(look.fontHeight, dpi.Scale(-12));
    EXPECT_EQ(look.stateImages.cx, dpi.Scale(16));
    EXPECT_EQ(look.stateImages.cy, dpi.Scale(16));
    EXPECT_EQ(look.icons.cx, dpi.Scale(20));
    EXPECT_EQ(look.indent, dpi.Scale(at96.indent));
    // Room for the text and for the icons and status squares (the tree view keeps heights even).
    EXPECT_GE(look.rowHeight, look.countColumn.cy);
    EXPECT_GE(look.rowHeight, m.minRowHeight - 1);
    EXPECT_GE(look.rowHeight, dpi.Scale(at96.rowHeight) - 2);
    // The count column is "67890" in the tree's font at this DPI.
    EXPECT_EQ(look.countColumn.cx, TextSizeIn(shown.hwnd, L"67890").cx);
    EXPECT_GE(look.countColumn.cx, dpi.Scale(at96.countColumn.cx) * 9 / 10);

    // The done image is drawn at the DPI: its ink grows with the square's area.
    const int doneInk = shown.DoneInk();
    EXPECT_EQ(shown.SquareWidth(104), dpi.Scale(16));
    EXPECT_GE(doneInk, doneInk96 * dpi.Value() * dpi.Value() / (96 * 96) * 3 / 4);

    // A press in the middle of the drawn check box is the tree view's check box too.
    const RECT row = shown.Row(103);
    const int x = shown.TextLeft(103) - m.checkBox + m.boxWidth / 2;
    const LPARAM at = MAKELPARAM(x, (row.top + row.bottom) / 2);
    ::SendMessageW(shown.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(shown.hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(shown.tree.GetCheck(shown.Node(126)), Checked);
    // There it draws the ticked box (green).
    RECT client{};
    ::GetClientRect(shown.hwnd, &client);
    Canvas canvas(client.right, client.bottom);
    shown.tree.PaintRows(canvas.Dc(), client);
    const int textLeft = shown.TextLeft(103);
    EXPECT_GT(canvas.Greenish(RECT{textLeft - m.checkBox, row.top, textLeft - m.iconBox, row.bottom}), 20);

    // Counts shown before a change of DPI move with it; back at 96 DPI all is as it was.
    shown.host.ApplyAgain(Dpi(96));
    EXPECT_TRUE(shown.Look() == at96);
    EXPECT_EQ(shown.SquareWidth(104), 16);
    EXPECT_EQ(shown.DoneInk(), doneInk96);
}

INSTANTIATE_TEST_SUITE_P(Scales, TreeDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

struct NoTray : TrayActivity {
    void StartTrayActivity(const std::wstring&, const std::wstring&) override {}
    void StopTrayActivity(const std::wstring&, const std::wstring&) override {}
};

class SweepPageDpiTest : public testing::TestWithParam<int> {};

TEST_P(SweepPageDpiTest, EveryControlKeepsItsPlaceInsideThePage) {
    TempFolder root{L"sweepdpi"};
    CIniFileRW settings{CIniFileRW::ByPath{}, root / L"setting.ini"};
    EnsureDefaultSettings(settings);
    Catalogue catalogue;
    catalogue.Build();
    NoTray tray;
    DpiHost host{Dpi(GetParam())};
    CDlgScan page(tray, catalogue, settings);
    ASSERT_TRUE(page.Create(host.Get()));
    host.Apply();
    // The working animation takes its picture's size at the DPI.
    ExpectScaledLayout(host, page.GetSafeHwnd(), {CDlgScan::kAnimation});
    RECT animation{};
    ::GetWindowRect(page.GetDlgItem(CDlgScan::kAnimation), &animation);
    EXPECT_LE(std::abs(animation.right - animation.left - host.GetDpi().Scale(103)), 1);
    EXPECT_LE(std::abs(animation.bottom - animation.top - host.GetDpi().Scale(75)), 1);
    // The tree's rows are as tall as its text at this DPI.
    HWND tree = page.Tree().GetSafeHwnd();
    EXPECT_GE(TreeView_GetItemHeight(tree), TextSizeIn(tree, L"Internet Explorer").cy);
}

INSTANTIATE_TEST_SUITE_P(Scales, SweepPageDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace scw::test
