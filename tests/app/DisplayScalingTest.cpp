// The main window and its four pages at 100, 125, 150 and 200 % display scaling: the window
// moved to a screen of another scale (WM_DPICHANGED), as the system does it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "WindowFixture.h"
#include "tests/common/WindowGeometry.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/UniqueHandle.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

namespace {
constexpr SIZE kSkinSize{800, 686};

class DisplayScalingTest : public MainWindowTest {
protected:
    // Moves the window to a screen of `dpi`, with the place the system would suggest.
    void MoveToScreenOf(int dpi) {
        RECT rc;
        ::GetWindowRect(Window(), &rc);
        const Dpi to(dpi);
        RECT suggested{rc.left, rc.top, rc.left + to.Scale(kSkinSize.cx), rc.top + to.Scale(kSkinSize.cy)};
        ::SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        PumpMessages(50);
    }

    // Every page in view in turn, so each page's controls are checked as a user sees them.
    template <typename Check>
    void OnEveryPage(CLumeDlg& w, Check check) {
        for (int page : {kPageScan, kPageJunk, kPageShred, kPageOptions}) {
            w.ShowPage(page);
            PumpMessages(20);
            check(page);
        }
        w.ShowPage(kPageScan);
    }
};

using PlaceMap = std::map<HWND, ControlPlace>;

PlaceMap PlacesOf(HWND root) {
    PlaceMap places;
    for (const ControlPlace& p : ControlPlaces(root)) places[p.window] = p;
    return places;
}

RECT ClientOf(HWND window) {
    RECT rc{};
    ::GetClientRect(window, &rc);
    return rc;
}
}  // namespace

TEST_F(DisplayScalingTest, WindowTakesTheSkinSizeTimesTheScaleAndComesBackExactly) {
    CLumeDlg& w = Open();
    const PlaceMap at96 = PlacesOf(Window());
    RECT rc;
    ::GetWindowRect(Window(), &rc);
    EXPECT_EQ(rc.right - rc.left, kSkinSize.cx);
    EXPECT_EQ(rc.bottom - rc.top, kSkinSize.cy);

    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(dpi);
        MoveToScreenOf(dpi);
        EXPECT_EQ(DpiOfWindow(w.ScanPage().GetSafeHwnd()).Value(), dpi) << "the pages follow their window";
        const RECT before = rc;
        ::GetWindowRect(Window(), &rc);
        EXPECT_EQ(rc.left, before.left) << "the suggested place is taken";
        EXPECT_NEAR(rc.right - rc.left, kSkinSize.cx * dpi / 96.0, 1.0);
        EXPECT_NEAR(rc.bottom - rc.top, kSkinSize.cy * dpi / 96.0, 1.0);
        // The corners are cut at the new size: the top-left pixel is outside the window.
        ::UpdateWindow(Window());
        UniqueRgn region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(::GetWindowRgn(Window(), region.Get()), ERROR);
        RECT box{};
        ::GetRgnBox(region.Get(), &box);
        EXPECT_EQ(box.right, rc.right - rc.left) << "the region covers the scaled window";
        EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
        EXPECT_TRUE(::PtInRegion(region.Get(), Dpi(dpi).Scale(7), Dpi(dpi).Scale(7)));
    }

    MoveToScreenOf(96);
    ::GetWindowRect(Window(), &rc);
    EXPECT_EQ(rc.right - rc.left, kSkinSize.cx);
    EXPECT_EQ(rc.bottom - rc.top, kSkinSize.cy);
    // Back at 100 % every control is where it started: no drift from the round trip.
    const PlaceMap back = PlacesOf(Window());
    ASSERT_EQ(back.size(), at96.size());
    for (const auto& [window, place] : at96) {
        SCOPED_TRACE(place.className + L" " + place.text);
        const RECT now = back.at(window).inParent;
        EXPECT_TRUE(::EqualRect(&now, &place.inParent));
    }
}

TEST_F(DisplayScalingTest, EveryControlKeepsItsPlaceInItsPageAtEveryScale) {
    CLumeDlg& w = Open();
    // What the 100 % layout keeps inside its parent and apart from its siblings.
    const PlaceMap at96 = PlacesOf(Window());
    std::set<HWND> insideAt96;
    std::set<std::pair<HWND, HWND>> apartAt96;
    for (const auto& [window, p] : at96) {
        if (Inside(p.inParent, ClientOf(p.parent))) insideAt96.insert(window);
        for (const auto& [other, q] : at96)
            if (window < other && p.parent == q.parent && !Overlap(p.inParent, q.inParent))
                apartAt96.insert({window, other});
    }
    ASSERT_GT(insideAt96.size(), 40u);

    for (int dpi : {120, 144, 192}) {
        SCOPED_TRACE(dpi);
        MoveToScreenOf(dpi);
        OnEveryPage(w, [&](int page) {
            SCOPED_TRACE(page);
            const PlaceMap now = PlacesOf(Window());
            for (HWND window : insideAt96) {
                const ControlPlace& p = now.at(window);
                EXPECT_TRUE(Inside(p.inParent, ClientOf(p.parent)))
                    << "outside its page: " << WideToUtf8(p.className + L" " + p.text);
            }
            for (const auto& [a, b] : apartAt96) {
                EXPECT_FALSE(Overlap(now.at(a).inParent, now.at(b).inParent))
                    << WideToUtf8(now.at(a).className + L" " + now.at(a).text) << " covers "
                    << WideToUtf8(now.at(b).className + L" " + now.at(b).text);
            }
            // Places scale with the window: each edge within a pixel of its 100 % place times the scale.
            for (const auto& [window, p] : at96) {
                if (p.className == L"ComboBox") continue;  // the closed box takes its font's height
                const RECT& r = now.at(window).inParent;
                const double f = dpi / 96.0;
                EXPECT_NEAR(r.left, p.inParent.left * f, 1.0) << WideToUtf8(p.className + L" " + p.text);
                EXPECT_NEAR(r.top, p.inParent.top * f, 1.0) << WideToUtf8(p.className + L" " + p.text);
            }
        });
    }
}

TEST_F(DisplayScalingTest, TextFitsItsControlAtEveryScale) {
    CLumeDlg& w = Open();
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        MoveToScreenOf(dpi);
        OnEveryPage(w, [&](int page) {
            SCOPED_TRACE(page);
            int measured = 0;
            for (const ControlPlace& p : ControlPlaces(Window())) {
                const TextNeed need = MeasureText(p);
                if (!need.shown) continue;
                ++measured;
                EXPECT_LE(need.needed.cx, need.available.cx) << WideToUtf8(p.className + L" \"" + p.text + L"\"");
                EXPECT_LE(need.needed.cy, need.available.cy) << WideToUtf8(p.className + L" \"" + p.text + L"\"");
            }
            if (page == kPageOptions) {
                EXPECT_GT(measured, 10) << "the settings page's labels are measured";
            }
        });
    }
}

}  // namespace scw::test
