#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/GlyphButton.h"
#include "controls/SkinDraw.h"
#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "res/resource.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;

constexpr COLORREF kBack = RGB(10, 20, 30);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Six 12x12 frames, frame i filled with colour (40 * i + 20, 0, 0); frame 5's left half is magenta.
HBITMAP MakeStrip() {
    HBITMAP strip = test::MakeSolidBitmap(72, 12, RGB(0, 0, 0));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, strip);
    for (int i = 0; i < 6; ++i) {
        RECT r{i * 12, 0, i * 12 + 12, 12};
        HBRUSH brush = ::CreateSolidBrush(RGB(40 * i + 20, 0, 0));
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
    }
    RECT magenta{60, 0, 66, 12};
    HBRUSH brush = ::CreateSolidBrush(kMagenta);
    ::FillRect(dc, &magenta, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return strip;
}

COLORREF FrameColor(int i) { return RGB(40 * i + 20, 0, 0); }

template <typename T>
void Place(ControlHost& host, T& control, int id, int y = 0) {
    ASSERT_TRUE(control.Create(L"", WS_VISIBLE, RECT{0, y, 80, y + 20}, host.Hwnd(), id));
    control.SetGlyphStripHandle(MakeStrip());
}

void Click(HWND window, int upX = 5, int upY = 5) {
    test::MouseHover(window);
    test::MouseDown(window);
    test::MouseUp(window, upX, upY);
}

TEST(SkinRadio, ClickOnATickedRadioLeavesItTickedAndStillSendsTheClick) {
    ControlHost host(kBack);
    CNRadioEx radio;
    Place(host, radio, 1012);
    Click(radio.GetSafeHwnd());
    EXPECT_TRUE(radio.IsTicked());
    Click(radio.GetSafeHwnd());
    EXPECT_TRUE(radio.IsTicked());
    ASSERT_EQ(2, host.CountOf(WM_COMMAND));
    EXPECT_EQ(MAKEWPARAM(1012, BN_CLICKED), host.Messages()[1].wParam);
}

TEST(SkinRadio, PressAndReleaseOutsideChangesNothing) {
    ControlHost host(kBack);
    CNRadioEx radio;
    Place(host, radio, 1012);
    Click(radio.GetSafeHwnd(), 200, 5);
    EXPECT_FALSE(radio.IsTicked());
    EXPECT_EQ(0, host.CountOf(WM_COMMAND));
}

TEST(SkinRadio, TickingAnyOfThreeLinkedRadiosUnticksTheOtherTwo) {
    ControlHost host(kBack);
    CNRadioEx a, b, c;
    Place(host, a, 1, 0);
    Place(host, b, 2, 20);
    Place(host, c, 3, 40);
    LinkRadioGroup({&a, &b, &c});
    EXPECT_EQ(2, a.LinkCount());
    a.SetTicked(true);
    for (CNRadioEx* pick : {&b, &c, &a}) {
        Click(pick->GetSafeHwnd());
        EXPECT_TRUE(pick->IsTicked());
        EXPECT_EQ(1, int(a.IsTicked()) + int(b.IsTicked()) + int(c.IsTicked()));
    }
}

TEST(SkinRadio, LinkListHoldsAtMostTenOthers) {
    CNRadioEx radios[12];
    for (int i = 1; i < 12; ++i) radios[0].Link(&radios[i]);
    EXPECT_EQ(CNRadioEx::kMaxLinks, radios[0].LinkCount());
    EXPECT_FALSE(radios[0].Link(&radios[0]));
}

TEST(SkinCheckBox, ClickInvertsTheTickAndNeedsTheMouseOverIt) {
    ControlHost host(kBack);
    CNCheckBoxEX box;
    Place(host, box, 1017);
    Click(box.GetSafeHwnd());
    EXPECT_TRUE(box.IsTicked());
    Click(box.GetSafeHwnd());
    EXPECT_FALSE(box.IsTicked());
    Click(box.GetSafeHwnd(), 5, 300);
    EXPECT_FALSE(box.IsTicked());
    EXPECT_EQ(2, host.CountOf(WM_COMMAND));
}

TEST(SkinCheckBox, DrawsTheFrameOfItsStateCentredInTheGlyphColumn) {
    ControlHost host(kBack);
    CNCheckBoxEX box;
    Place(host, box, 1017);
    auto shown = [&](int x, int y) {
        Canvas canvas(80, 20);
        canvas.Print(box.GetSafeHwnd());
        return canvas.Pixel(x, y);
    };
    EXPECT_EQ(FrameColor(0), shown(2, 4));
    EXPECT_EQ(kBack, shown(1, 4));    // left of the centred frame: the parent shows
    EXPECT_EQ(kBack, shown(30, 10));  // no text, so the parent shows beside the glyph
    box.SetTicked(true);
    EXPECT_EQ(FrameColor(3), shown(8, 10));
    test::MouseHover(box.GetSafeHwnd());
    EXPECT_EQ(FrameColor(4), shown(8, 10));
    ::SendMessageW(box.GetSafeHwnd(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(kMagenta, shown(3, 10));  // check boxes copy their frames opaquely
}

TEST(SkinRadio, FramesAreCopiedWithMagentaTransparent) {
    ControlHost host(kBack);
    CNRadioEx radio;
    Place(host, radio, 1012);
    radio.SetTicked(true);
    test::MouseHover(radio.GetSafeHwnd());
    ::SendMessageW(radio.GetSafeHwnd(), BM_SETSTATE, TRUE, 0);
    Canvas canvas(80, 20);
    canvas.Print(radio.GetSafeHwnd());
    EXPECT_EQ(FrameColor(4), canvas.Pixel(3, 10));  // the hover frame shows through the pressed one
    EXPECT_EQ(FrameColor(5), canvas.Pixel(10, 10));
}

TEST(SkinCheckBoxDpi, StripGlyphColumnAndTextFollowTheWindowsDpiAndTheTextKeepsOffTheGlyph) {
    const std::wstring text = L"Run at startup";
    ScaledFont dialogFont = ScaledFont::Make(L"Tahoma", -11);
    for (Dpi dpi : {Dpi(96), Dpi(144), Dpi(192)}) {
        ControlHost host(kBack);
        SetLayoutDpi(host.Hwnd(), dpi);
        CNCheckBoxEX box;
        const RECT at96{0, 0, 120, 20};
        ASSERT_TRUE(box.Create(text, WS_VISIBLE, dpi.Scale(at96), host.Hwnd(), 1017));
        // The dialog's font at this DPI, as the layout hands it out.
        ::SendMessageW(box.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont.Get(dpi)), FALSE);
        ASSERT_TRUE(box.SetGlyphStrip(IDB_CHECK_STRIP));
        const SIZE strip = test::SizeOf(box.GlyphStrip());
        EXPECT_EQ(test::SizeOf(LoadSkinBitmap(IDB_CHECK_STRIP, dpi).Get()).cx, strip.cx) << dpi.Value();

        const int frame = strip.cx / 6;
        const int glyphRight = (dpi.Scale(16) - frame) / 2 + frame;
        const int width = dpi.Scale(120), height = dpi.Scale(20);
        Canvas canvas(width, height);
        canvas.Print(box.GetSafeHwnd());
        ASSERT_GT(box.TextLeft(), glyphRight) << dpi.Value();
        for (int x = glyphRight; x < box.TextLeft(); ++x)
            for (int y = 0; y < height; ++y) ASSERT_EQ(kBack, canvas.Pixel(x, y)) << dpi.Value() << " at " << x;

        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, box.TextFont());
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        EXPECT_LE(box.TextLeft() + extent.cx, width) << dpi.Value();
        EXPECT_LE(extent.cy, height) << dpi.Value();
        int inked = 0;
        for (int x = box.TextLeft(); x < box.TextLeft() + extent.cx; ++x)
            for (int y = 0; y < height; ++y) inked += canvas.Pixel(x, y) != kBack ? 1 : 0;
        EXPECT_GT(inked, 0) << "the text is drawn where it was measured";
    }
}

TEST(SkinRadioDpi, StripLoadedByIdIsRemadeWhenTheDpiChangesAndAGivenStripIsKept) {
    ControlHost host(kBack);
    SetLayoutDpi(host.Hwnd(), Dpi(144));
    CNRadioEx loaded, given;
    ASSERT_TRUE(loaded.Create(L"", WS_VISIBLE, RECT{0, 0, 30, 30}, host.Hwnd(), 1));
    ASSERT_TRUE(given.Create(L"", WS_VISIBLE, RECT{0, 30, 30, 60}, host.Hwnd(), 2));
    ASSERT_TRUE(loaded.SetGlyphStrip(IDB_RADIO_STRIP));
    given.SetGlyphStripHandle(MakeStrip());
    const HBITMAP givenStrip = given.GlyphStrip();
    EXPECT_EQ(test::SizeOf(LoadSkinBitmap(IDB_RADIO_STRIP, Dpi(144)).Get()).cy, test::SizeOf(loaded.GlyphStrip()).cy);
    test::ChangeDpi(host.Hwnd(), Dpi(96), {loaded.GetSafeHwnd(), given.GetSafeHwnd()});
    EXPECT_EQ(12, test::SizeOf(loaded.GlyphStrip()).cy);
    EXPECT_EQ(givenStrip, given.GlyphStrip());
    // Noticed at paint too.
    SetLayoutDpi(host.Hwnd(), Dpi(192));
    Canvas canvas(30, 30);
    canvas.Print(loaded.GetSafeHwnd());
    EXPECT_EQ(test::SizeOf(LoadSkinBitmap(IDB_RADIO_STRIP, Dpi(192)).Get()).cy, test::SizeOf(loaded.GlyphStrip()).cy);
}

}  // namespace
}  // namespace scw
