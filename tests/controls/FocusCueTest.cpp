// The focus cue of the controls that draw themselves: shown on the focused control only while the
// window's UI state shows cues, at the DPI's thickness, and in system colours under high contrast.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/FocusCue.h"
#include "controls/GlyphButton.h"
#include "controls/NButtonEx.h"
#include "controls/SkinTab.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;

int CuePixels(HWND control, COLORREF colour) {
    Canvas canvas(200, 60);
    canvas.Print(control);
    return canvas.Count(colour);
}

void SetCues(HWND host, bool shown) {
    if (shown)
        ShowFocusCuesFromNowOn(host);
    else
        HideFocusCuesUntilKeyboard(host);
}

TEST(FocusCue, ButtonCheckBoxAndStripShowItOnlyWithTheFocusAndWhileCuesAreShown) {
    ControlHost host(RGB(250, 250, 250));
    CNButtonEx button;
    ASSERT_TRUE(button.Create(L"Scan", WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 100, 30}, host.Hwnd(), 1));
    button.SetBitmapHandles(test::MakeSolidBitmap(100, 30, RGB(200, 230, 200)), nullptr, nullptr, nullptr, 100, 30);
    CNCheckBoxEX box;
    ASSERT_TRUE(box.Create(L"Scan every", WS_VISIBLE | WS_TABSTOP, RECT{0, 40, 150, 60}, host.Hwnd(), 2));
    box.SetGlyphStripHandle(test::MakeSolidBitmap(72, 12, RGB(90, 90, 90)));
    CSkinTab strip;
    ASSERT_TRUE(strip.Create(host.Hwnd(), RECT{0, 70, 100, 130}, 3));
    strip.SetItemCount(2);
    strip.SetItemRect(0, 0, 0, 100, 25);
    strip.SetItemRect(1, 0, 30, 100, 55);

    for (HWND control : {button.GetSafeHwnd(), box.GetSafeHwnd(), strip.GetSafeHwnd()}) {
        SetCues(host.Hwnd(), true);
        ::SetFocus(button.GetSafeHwnd() == control ? box.GetSafeHwnd() : button.GetSafeHwnd());
        EXPECT_EQ(CuePixels(control, kSkinInk), 0) << "not focused";
        ::SetFocus(control);
        EXPECT_GT(CuePixels(control, kSkinInk), 40) << "focused, cues shown";
        SetCues(host.Hwnd(), false);
        EXPECT_EQ(CuePixels(control, kSkinInk), 0) << "the system hides focus cues until the keyboard is used";
    }

    // High contrast: the cue and the box's text in the system's colours.
    SetCues(host.Hwnd(), true);
    OverrideHighContrast(true);
    ::SetFocus(box.GetSafeHwnd());
    EXPECT_EQ(CuePixels(box.GetSafeHwnd(), kSkinInk), 0);
    EXPECT_GT(CuePixels(box.GetSafeHwnd(), ::GetSysColor(COLOR_HIGHLIGHT)), 40);
    OverrideHighContrast(std::nullopt);
}

TEST(FocusCue, StripKeysChooseAsClicksDoAndRespectTheLock) {
    ControlHost host;
    CSkinTab strip;
    ASSERT_TRUE(strip.Create(host.Hwnd(), RECT{0, 0, 100, 120}, 3));
    strip.SetItemCount(3);
    for (int i = 0; i < 3; ++i) strip.SetItemRect(i, 0, i * 40, 100, i * 40 + 35);
    EXPECT_EQ(::SendMessageW(strip.GetSafeHwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    EXPECT_TRUE(::GetWindowLongW(strip.GetSafeHwnd(), GWL_STYLE) & WS_TABSTOP);

    ::SendMessageW(strip.GetSafeHwnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(host.CountOf(kSkinTabChanged), 0) << "no item before the first";
    ::SendMessageW(strip.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(strip.GetSafeHwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(strip.GetCurrent(), 2);
    ASSERT_EQ(host.CountOf(kSkinTabChanged), 2);
    EXPECT_EQ(host.Messages().back().lParam, 2);

    bool locked = true;
    strip.SetLocked([&] { return locked; });
    ::SendMessageW(strip.GetSafeHwnd(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(strip.GetCurrent(), 2);
    locked = false;
    ::SendMessageW(strip.GetSafeHwnd(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(strip.GetCurrent(), 0);
    EXPECT_EQ(host.CountOf(kSkinTabChanged), 3);
}

}  // namespace
}  // namespace scw
