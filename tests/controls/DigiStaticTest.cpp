#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/DigiStatic.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;

std::vector<CDigiChar::Kind> Kinds(const std::vector<CDigiChar>& cells) {
    std::vector<CDigiChar::Kind> kinds;
    for (const auto& c : cells) kinds.push_back(c.kind());
    return kinds;
}

TEST(DigiCells, TimeShowsFourDigitsAndOneNarrowColon) {
    const auto cells = BuildDigiCells(L"12:30", kDigiDefaultStyle);
    using K = CDigiChar;
    EXPECT_EQ((std::vector<CDigiChar::Kind>{K::kSeven, K::kSeven, K::kColonDot, K::kSeven, K::kSeven}), Kinds(cells));
    EXPECT_EQ(0x24, cells[0].Mask());
    EXPECT_EQ(0x5D, cells[1].Mask());
    EXPECT_EQ(0x3, cells[2].Mask());
    EXPECT_EQ(18, cells[2].Width());
    EXPECT_EQ(49, cells[3].Width());
    EXPECT_EQ(3, cells[2].SegmentCount());
    EXPECT_EQ(7, cells[0].SegmentCount());
}

TEST(DigiCells, DecimalPointIsANarrowCellWithOnlyTheFullStopLit) {
    const auto cells = BuildDigiCells(L"1.5", kDigiDefaultStyle);
    ASSERT_EQ(3u, cells.size());
    EXPECT_EQ(CDigiChar::kColonDot, cells[1].kind());
    EXPECT_EQ(0x4, cells[1].Mask());
    EXPECT_FALSE(cells[1].IsLit(0));
    EXPECT_TRUE(cells[1].IsLit(2));
}

TEST(DigiCells, LowerCaseShowsAsUpperCaseAndUnknownCharactersLeaveNoGap) {
    const auto lower = BuildDigiCells(L"scan", kDigiDefaultStyle);
    const auto upper = BuildDigiCells(L"SCAN", kDigiDefaultStyle);
    ASSERT_EQ(4u, lower.size());
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(upper[i].Mask(), lower[i].Mask());
    EXPECT_EQ(0x2DC0, lower[0].Mask());
    EXPECT_EQ(CDigiChar::kFourteen, lower[0].kind());  // letters are fourteen-segment whatever the style

    const auto skipped = BuildDigiCells(L"4#%\u00e92!", kDigiDefaultStyle);
    ASSERT_EQ(2u, skipped.size());
    EXPECT_EQ(0x2E, skipped[0].Mask());
    EXPECT_EQ(0x5D, skipped[1].Mask());
}

TEST(DigiCells, FourteenStyleTurnsDigitsSpaceAndMinusIntoFourteenSegmentCells) {
    const auto cells = BuildDigiCells(L"8 -", kDigiFourteen | kDigiNoOff);
    ASSERT_EQ(3u, cells.size());
    EXPECT_EQ(CDigiChar::kFourteen, cells[0].kind());
    EXPECT_EQ(0x3FC0, cells[0].Mask());
    EXPECT_EQ(0x0000, cells[1].Mask());
    EXPECT_EQ(0x00C0, cells[2].Mask());
    EXPECT_EQ(14, cells[0].SegmentCount());
    EXPECT_TRUE(cells[2].NoOff());
}

struct Display {
    ControlHost host;
    CDigiStatic digits;
    explicit Display(const wchar_t* caption = L"") {
        digits.Create(caption, WS_VISIBLE, RECT{0, 0, 120, 40}, host.Hwnd(), 1000);
    }
    void Paint(Canvas& canvas) { canvas.Print(digits.GetSafeHwnd()); }
};

TEST(DigiStatic, ShowsItsCaptionUntilATextIsSet) {
    Display d(L"7:5");
    Canvas canvas(120, 40);
    d.Paint(canvas);
    ASSERT_EQ(3u, d.digits.Cells().size());
    EXPECT_EQ(0x25, d.digits.Cells()[0].Mask());
    d.digits.SetText(L"0");
    d.Paint(canvas);
    ASSERT_EQ(1u, d.digits.Cells().size());
    EXPECT_EQ(0x77, d.digits.Cells()[0].Mask());
}

TEST(DigiStatic, NoOffDrawsExactlyTheTwoLitSegmentsOfAOne) {
    Display d;
    d.digits.SetText(L"1");
    d.digits.SetColor(RGB(0, 60, 0), RGB(0, 250, 0));
    {
        Canvas canvas(120, 40);
        d.Paint(canvas);
        EXPECT_EQ(7, d.digits.LastSegmentsDrawn());
        EXPECT_GT(canvas.Count(RGB(0, 60, 0)), 0);
    }
    ASSERT_TRUE(d.digits.ModifyDigiStyle(0, kDigiNoOff));
    Canvas canvas(120, 40);
    d.Paint(canvas);
    EXPECT_EQ(2, d.digits.LastSegmentsDrawn());
    EXPECT_EQ(0, canvas.Count(RGB(0, 60, 0)));  // no unlit segment anywhere
    EXPECT_GT(canvas.Count(RGB(0, 250, 0)), 0);
}

TEST(DigiStatic, SettingTheSameTextAgainDoesNotRedraw) {
    Display d;
    d.digits.SetText(L"42");
    HWND w = d.digits.GetSafeHwnd();
    ::ValidateRect(w, nullptr);
    d.digits.SetText(L"42");
    EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
    d.digits.SetFormattedText(L"%d", 42);
    EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
    d.digits.SetFormattedText(L"%d", 43);
    EXPECT_TRUE(::GetUpdateRect(w, nullptr, FALSE));
}

TEST(DigiStatic, StyleChangesWithOverlappingBitsAreRefused) {
    Display d;
    EXPECT_FALSE(d.digits.ModifyDigiStyle(kDigiSoft, kDigiSoft | kDigiNoOff));
    EXPECT_EQ(kDigiDefaultStyle, d.digits.Style());
    EXPECT_TRUE(d.digits.ModifyDigiStyle(kDigiSoft, kDigiFourteen));
    EXPECT_EQ(unsigned(kDigiProportional | kDigiFourteen), d.digits.Style());
}

TEST(DigiStatic, ProportionalTextIsCentredOnTheBackground) {
    Display d;
    d.digits.SetText(L"8");
    d.digits.SetBkColor(RGB(5, 5, 5));
    Canvas canvas(120, 40);
    d.Paint(canvas);
    EXPECT_EQ(RGB(5, 5, 5), canvas.Pixel(5, 20));    // left margin
    EXPECT_EQ(RGB(5, 5, 5), canvas.Pixel(115, 20));  // right margin
    ASSERT_TRUE(d.digits.ModifyDigiStyle(kDigiProportional | kDigiSoft, 0));
    Canvas stretched(120, 40);
    d.Paint(stretched);
    EXPECT_EQ(RGB(0, 255, 0), stretched.Pixel(60, 20));  // middle bar spans the width
    EXPECT_EQ(RGB(0, 255, 0), stretched.Pixel(25, 20));
}

}  // namespace
}  // namespace scw
