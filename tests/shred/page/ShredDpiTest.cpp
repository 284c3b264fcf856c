// The shredder page shown at 100, 125, 150 and 200 %: laid out at 96 DPI, then taken to the scale
// as the main window does.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/SkinDraw.h"
#include "shred/page/DlgShred.h"
#include "tests/common/DpiHost.h"

namespace scw::test {
namespace {

class ShredDpiTest : public testing::TestWithParam<int> {};

TEST_P(ShredDpiTest, ControlsHeaderAndMethodLabelsTakeTheScale) {
    const Dpi dpi(GetParam());
    DpiHost host(dpi);
    CDlgShred page;
    ASSERT_TRUE(page.Create(host.Get()));
    host.Apply();
    ExpectScaledLayout(host, page.GetSafeHwnd());
    EXPECT_GE(ExpectTextFits(page.GetSafeHwnd()), 3) << "the three method labels at least";
    const SIZE header = BitmapSize(page.HeaderBitmap());
    EXPECT_EQ(header.cx, dpi.Scale(161));
    EXPECT_EQ(header.cy, dpi.Scale(61));
}

INSTANTIATE_TEST_SUITE_P(Scales, ShredDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace scw::test
