#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/SkinDraw.h"
#include "controls/SkinTab.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "state/RunFlags.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;

constexpr COLORREF kBack = RGB(10, 20, 30);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Three tabs of 30x10 stacked with 5 pixels between them; each image is one colour per state,
// with a magenta column at its right edge to prove the key colour is see-through.
struct Strip {
    ControlHost host{kBack};
    CSkinTab tab;
    explicit Strip(Dpi dpi = Dpi()) {
        SetLayoutDpi(host.Hwnd(), dpi);
        tab.Create(host.Hwnd(), dpi.Scale(RECT{0, 0, 40, 40}), 1006);
        tab.SetItemCount(3);
        // Locked as the main window locks its strip.
        tab.SetLocked([] { return JunkSearchBusy.load() != 0; });
        for (int i = 0; i < 3; ++i) {
            tab.SetItemRect(i, 0, i * 15, 30, i * 15 + 10);
            tab.SetItemBitmapHandles(i, Image(RGB(100 + i, 0, 0)), Image(RGB(0, 100 + i, 0)),
                                     Image(RGB(0, 0, 100 + i)));
        }
    }
    static HBITMAP Image(COLORREF color) {
        return test::MakeQuadrantBitmap(30, 10, color, kMagenta, color, kMagenta);
    }
    void Click(int y) {
        test::MouseDown(tab.GetSafeHwnd(), 5, y);
        ::SendMessageW(tab.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    }
};

TEST(SkinTab, ClickOnAnotherTabNotifiesParentWithItsIndexAndCurrentTabSendsNothing) {
    Strip s;
    s.Click(5);  // the current tab
    EXPECT_EQ(0, s.host.CountOf(WM_USER + 100));
    s.Click(20);
    ASSERT_EQ(1, s.host.CountOf(WM_USER + 100));
    EXPECT_EQ(0u, s.host.Messages()[0].wParam);
    EXPECT_EQ(1, s.host.Messages()[0].lParam);
    EXPECT_EQ(1, s.tab.GetCurrent());
    s.Click(20);
    s.Click(12);  // between two items
    EXPECT_EQ(1, s.host.CountOf(WM_USER + 100));
}

TEST(SkinTab, IgnoresPressesWhileAJunkSearchRuns) {
    Strip s;
    JunkSearchBusy = 1;
    s.Click(35);
    JunkSearchBusy = 0;
    EXPECT_EQ(0, s.host.CountOf(WM_USER + 100));
    EXPECT_EQ(0, s.tab.GetCurrent());
    s.Click(35);
    EXPECT_EQ(2, s.tab.GetCurrent());
}

TEST(SkinTab, DrawsCurrentSelectedHotHotOthersNormalOverTheBackground) {
    Strip s;
    s.tab.SetCurrent(1);
    ::SendMessageW(s.tab.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 35));
    EXPECT_EQ(2, s.tab.GetHot());
    Canvas canvas(40, 40);
    canvas.Print(s.tab.GetSafeHwnd());
    EXPECT_EQ(RGB(100, 0, 0), canvas.Pixel(2, 2));   // normal
    EXPECT_EQ(RGB(0, 0, 101), canvas.Pixel(2, 17));  // selected
    EXPECT_EQ(RGB(0, 102, 0), canvas.Pixel(2, 32));  // hot
    EXPECT_EQ(kBack, canvas.Pixel(20, 2));           // magenta lets the parent show
    EXPECT_EQ(kBack, canvas.Pixel(35, 12));          // outside every item
    ::SendMessageW(s.tab.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, s.tab.GetHot());
}

TEST(SkinTab, CurrentItemLiesOnTopWhereItemsOverlap) {
    Strip s;
    s.tab.SetItemRect(1, 0, 5, 30, 15);  // overlaps item 0's lower half
    s.tab.SetCurrent(0);
    Canvas canvas(40, 40);
    canvas.Print(s.tab.GetSafeHwnd());
    EXPECT_EQ(RGB(0, 0, 100), canvas.Pixel(2, 7));
    s.tab.SetCurrent(1);
    canvas.Print(s.tab.GetSafeHwnd());
    EXPECT_EQ(RGB(0, 0, 101), canvas.Pixel(2, 7));
}

TEST(SkinTabDpi, ItemsArePlacedDrawnAndHitAtTheWindowsDpi) {
    Strip s(Dpi(144));
    const RECT second = s.tab.ItemRect(1);
    // Each edge of the 96-DPI place (0, 15, 30, 25) scaled.
    EXPECT_EQ(0, second.left);
    EXPECT_EQ(23, second.top);
    EXPECT_EQ(45, second.right);
    EXPECT_EQ(38, second.bottom);
    // Between two items at this DPI, though inside the second one's 96-DPI place.
    EXPECT_EQ(-1, s.tab.HitTest(POINT{5, 17}));
    // Inside the third one only at this DPI.
    EXPECT_EQ(2, s.tab.HitTest(POINT{40, 50}));
    s.Click(50);
    ASSERT_EQ(1, s.host.CountOf(WM_USER + 100));
    EXPECT_EQ(2, s.host.Messages()[0].lParam);

    Canvas canvas(60, 60);
    canvas.Print(s.tab.GetSafeHwnd());
    EXPECT_EQ(RGB(101, 0, 0), canvas.Pixel(2, 25));  // normal, at its scaled place
    EXPECT_EQ(RGB(0, 0, 102), canvas.Pixel(2, 47));  // selected
    EXPECT_EQ(kBack, canvas.Pixel(2, 40));           // the gap between them
}

TEST(SkinTabDpi, ResourceImagesAreRemadeWhenTheDpiChanges) {
    ControlHost host(kBack);
    SetLayoutDpi(host.Hwnd(), Dpi(144));
    CSkinTab tab;
    ASSERT_TRUE(tab.Create(host.Hwnd(), Dpi(144).Scale(RECT{0, 0, 140, 40}), 1006));
    tab.SetItemCount(1);
    tab.SetItemRect(0, 0, 0, 139, 39);
    ASSERT_TRUE(tab.SetItemBitmaps(0, IDB_TAB_SWEEP_NORMAL, IDB_TAB_SWEEP_HOT, IDB_TAB_SWEEP_SELECTED));
    auto expectMadeFor = [&](Dpi dpi) {
        const UINT ids[3] = {IDB_TAB_SWEEP_NORMAL, IDB_TAB_SWEEP_HOT, IDB_TAB_SWEEP_SELECTED};
        for (int state = 0; state < 3; ++state) {
            const SIZE made = test::SizeOf(LoadSkinBitmap(ids[state], dpi).Get());
            const SIZE held = test::SizeOf(tab.ItemImage(0, state));
            EXPECT_EQ(made.cx, held.cx) << dpi.Value() << " state " << state;
            EXPECT_EQ(made.cy, held.cy) << dpi.Value() << " state " << state;
        }
    };
    expectMadeFor(Dpi(144));
    test::ChangeDpi(host.Hwnd(), Dpi(96), {tab.GetSafeHwnd()});
    expectMadeFor(Dpi(96));
    SetLayoutDpi(host.Hwnd(), Dpi(120));
    Canvas canvas(200, 60);
    canvas.Print(tab.GetSafeHwnd());
    expectMadeFor(Dpi(120));
}

}  // namespace
}  // namespace scw
