// The junk page shown at 100, 125, 150 and 200 %: laid out at 96 DPI, then taken to the scale as
// the main window does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/SkinDraw.h"
#include "junk/page/DlgJunk.h"
#include "res/resource.h"
#include "tests/common/DpiHost.h"

namespace scw::test {
namespace {

SIZE StateImageSize(HWND list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0)), &cx,
                          &cy);
    return SIZE{cx, cy};
}

int RowHeight(HWND list) {
    RECT first{LVIR_BOUNDS, 0, 0, 0}, second{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ::SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    return second.top - first.top;
}

// The list's column widths and check boxes at the DPI, given its check boxes at 96 DPI.
void ExpectTypeListAt(HWND list, Dpi dpi, SIZE checks96) {
    EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), dpi.Scale(80));
    EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), dpi.Scale(170));
    const SIZE checks = StateImageSize(list);
    EXPECT_EQ(checks.cx, dpi.Scale(checks96.cx));
    EXPECT_EQ(checks.cy, dpi.Scale(checks96.cy));
    // A row holds its check box and its text.
    EXPECT_GE(RowHeight(list), checks.cy);
    EXPECT_GE(RowHeight(list), TextSizeIn(list, L"*.tmp").cy);
}

class JunkDpiTest : public testing::TestWithParam<int> {};

TEST_P(JunkDpiTest, PanelsHeaderAndTypeListTakeTheScale) {
    const Dpi dpi(GetParam());
    SIZE checks96{};
    {
        DpiHost plain(Dpi(96));
        CDlgJunk page;
        ASSERT_TRUE(page.Create(plain.Get()));
        plain.Apply();
        checks96 = StateImageSize(page.ScanPanel().TypeList());
        ASSERT_GT(checks96.cx, 0);
    }
    DpiHost host(dpi);
    CDlgJunk page;
    ASSERT_TRUE(page.Create(host.Get()));
    host.Apply();

    // Both panels, the Scan panel's Scan Now and the Results panel's controls are placed when the
    // panels are sized: they land where their 96-DPI places do.
    ExpectScaledLayout(host, page.GetSafeHwnd());
    EXPECT_GE(ExpectTextFits(page.ScanPanel().GetSafeHwnd()), 8);

    const SIZE header = BitmapSize(page.HeaderBitmap());
    EXPECT_EQ(header.cx, dpi.Scale(161));
    EXPECT_EQ(header.cy, dpi.Scale(61));

    HWND list = page.ScanPanel().TypeList();
    ExpectTypeListAt(list, dpi, checks96);
    EXPECT_EQ(page.ScanPanel().RowCount(), 45);
    EXPECT_EQ(page.ScanPanel().IsRowTicked(11), true);
    EXPECT_EQ(page.ScanPanel().IsRowTicked(12), false);

    // Moved to a screen at 100 %: the list's own check boxes and widths come back.
    host.ApplyAgain(Dpi(96));
    ExpectTypeListAt(list, Dpi(96), checks96);
    EXPECT_EQ(BitmapSize(page.HeaderBitmap()).cx, 161);
    EXPECT_EQ(page.ScanPanel().IsRowTicked(11), true) << "ticks survive a change of check boxes";
}

INSTANTIATE_TEST_SUITE_P(Scales, JunkDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace scw::test
