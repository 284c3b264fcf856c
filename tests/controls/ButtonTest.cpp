#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/NButtonEx.h"
#include "controls/SkinDraw.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "tests/common/WindowGeometry.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;

constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(0, 0, 200);
constexpr COLORREF kDisabled = RGB(120, 120, 120);

struct BitmapButton {
    ControlHost host;
    CNButtonEx button;
    explicit BitmapButton(int drawSize = 20, int windowSize = 20) {
        button.SetBitmapHandles(test::MakeSolidBitmap(20, 20, kNormal), test::MakeSolidBitmap(20, 20, kHover),
                                test::MakeSolidBitmap(20, 20, kPressed), test::MakeSolidBitmap(20, 20, kDisabled),
                                drawSize, drawSize, CNButtonEx::kBitmap);
        button.Create(L"Go", WS_VISIBLE | BS_PUSHBUTTON, RECT{5, 5, 5 + windowSize, 5 + windowSize}, host.Hwnd(), 77);
    }
    COLORREF Shown(int x = 5, int y = 5) {
        Canvas canvas(30, 30);
        canvas.Print(button.GetSafeHwnd());
        return canvas.Pixel(x, y);
    }
};

TEST(BitmapButton, ShowsNormalHoverAndPressedImagesLayered) {
    BitmapButton b;
    ASSERT_TRUE(b.button.GetSafeHwnd());
    EXPECT_EQ(BS_OWNERDRAW, ::GetWindowLongPtrW(b.button.GetSafeHwnd(), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(kNormal, b.Shown());
    test::MouseHover(b.button.GetSafeHwnd());
    EXPECT_TRUE(b.button.IsHover());
    EXPECT_EQ(kHover, b.Shown());
    ::SendMessageW(b.button.GetSafeHwnd(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(kPressed, b.Shown());
    ::SendMessageW(b.button.GetSafeHwnd(), BM_SETSTATE, FALSE, 0);
    ::SendMessageW(b.button.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b.button.IsHover());
    EXPECT_EQ(kNormal, b.Shown());
}

TEST(BitmapButton, DisabledShowsDisabledImageWhateverTheMouseDoes) {
    BitmapButton b;
    b.button.Enable(false);
    EXPECT_FALSE(::IsWindowEnabled(b.button.GetSafeHwnd()));
    EXPECT_EQ(kDisabled, b.Shown());
    test::MouseHover(b.button.GetSafeHwnd());
    EXPECT_EQ(kDisabled, b.Shown());
    test::MouseDown(b.button.GetSafeHwnd());
    ::SendMessageW(b.button.GetSafeHwnd(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(kDisabled, b.Shown());
    test::MouseUp(b.button.GetSafeHwnd());
    EXPECT_EQ(kDisabled, b.Shown());
    // Disabling through the window alone (as workers do) counts as well.
    b.button.Enable(true);
    EXPECT_EQ(kHover, b.Shown());
    ::EnableWindow(b.button.GetSafeHwnd(), FALSE);
    EXPECT_EQ(kDisabled, b.Shown());
}

TEST(BitmapButton, DrawSizeSmallerThanImageShowsOnlyItsTopLeftPart) {
    ControlHost host;
    CNButtonEx button;
    const COLORREF tl = RGB(250, 10, 10), tr = RGB(10, 250, 10), bl = RGB(10, 10, 250), br = RGB(250, 250, 10);
    HBITMAP image = test::MakeQuadrantBitmap(20, 20, tl, tr, bl, br);
    button.SetBitmapHandles(image, image, image, image, 10, 10, CNButtonEx::kBitmap);
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, RECT{0, 0, 20, 20}, host.Hwnd(), 5));
    Canvas canvas(20, 20, RGB(1, 2, 3));
    canvas.Print(button.GetSafeHwnd());
    EXPECT_EQ(tl, canvas.Pixel(0, 0));
    EXPECT_EQ(tl, canvas.Pixel(9, 9));
    // No stretching, and nothing painted beyond the draw size.
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(10, 2));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(2, 10));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(15, 15));
}

TEST(BitmapButton, ClickSendsTheUsualCommandToTheParent) {
    BitmapButton b;
    test::MouseHover(b.button.GetSafeHwnd());
    test::MouseDown(b.button.GetSafeHwnd());
    test::MouseUp(b.button.GetSafeHwnd());
    ASSERT_EQ(1, b.host.CountOf(WM_COMMAND));
    EXPECT_EQ(MAKEWPARAM(77, BN_CLICKED), b.host.Messages()[0].wParam);
}

TEST(BitmapButton, LoadsTheProgramsImagesByResourceId) {
    ControlHost host;
    CNButtonEx button;
    EXPECT_TRUE(button.SetBitmaps(IDB_SAVE_NORMAL, IDB_SAVE_HOVER, IDB_SAVE_PRESSED, IDB_MIN_PRESSED, 105, 30));
    EXPECT_FALSE(button.SetBitmaps(IDB_SAVE_NORMAL, 9999, IDB_SAVE_PRESSED, IDB_MIN_PRESSED, 105, 30));
}

TEST(DrawnButton, FillsNormalHoverAndPressedColours) {
    ControlHost host;
    CNButtonEx button;
    const COLORREF normal = RGB(210, 220, 230), hover = RGB(20, 200, 120), pressed = RGB(90, 20, 160);
    button.SetColors(normal, hover, pressed, RGB(0, 0, 0), RGB(60, 60, 60), RGB(128, 128, 128));
    button.SetBitmapHandles(nullptr, nullptr, nullptr, nullptr, 0, 0, CNButtonEx::kDrawn);
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, RECT{0, 0, 60, 24}, host.Hwnd(), 6));
    auto shown = [&](int x) {
        Canvas canvas(60, 24);
        canvas.Print(button.GetSafeHwnd());
        return canvas.Pixel(x, 12);
    };
    EXPECT_EQ(RGB(60, 60, 60), shown(0));
    EXPECT_EQ(normal, shown(1));
    test::MouseHover(button.GetSafeHwnd());
    EXPECT_EQ(hover, shown(::GetSystemMetrics(SM_CXEDGE)));
    ::SendMessageW(button.GetSafeHwnd(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(pressed, shown(::GetSystemMetrics(SM_CXEDGE) - 1));
}

TEST(BitmapButton, TooltipIsRegisteredWithAQuarterSecondDelayAndGoesWithTheButton) {
    BitmapButton b;
    b.button.SetTooltip(L"Start the scan");
    HWND tip = b.button.Tooltip();
    ASSERT_TRUE(tip);
    EXPECT_EQ(1, ::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(250, ::SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = b.button.GetSafeHwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(b.button.GetSafeHwnd());
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"Start the scan", text);
    ::DestroyWindow(b.button.GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(tip));
}

TEST(BitmapButton, TextIsKeptToItsLimit) {
    BitmapButton b;
    b.button.SetText(std::wstring(300, L'x'));
    EXPECT_EQ(CNButtonEx::kMaxText, b.button.Text().size());
}

// What a bitmap shows at a point, read through a memory DC.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return pixel;
}

TEST(BitmapButtonDpi, ImagesLoadedByIdAreMadeForTheWindowsDpiAndRemadeWhenItChanges) {
    ControlHost host;
    SetLayoutDpi(host.Hwnd(), Dpi(144));
    CNButtonEx button;
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, Dpi(144).Scale(RECT{0, 0, 105, 30}), host.Hwnd(), 7));
    ASSERT_TRUE(button.SetBitmaps(IDB_SAVE_NORMAL, IDB_SAVE_HOVER, IDB_SAVE_PRESSED, IDB_MIN_PRESSED, 105, 30));
    auto expectMadeFor = [&](Dpi dpi) {
        const SIZE made = test::SizeOf(LoadSkinBitmap(IDB_SAVE_NORMAL, dpi).Get());
        const SIZE held = test::SizeOf(button.StateImage(CNButtonEx::kNormal));
        EXPECT_EQ(made.cx, held.cx) << dpi.Value();
        EXPECT_EQ(made.cy, held.cy) << dpi.Value();
        EXPECT_EQ(dpi.Scale(105), button.ShownSize().cx) << dpi.Value();
        EXPECT_EQ(dpi.Scale(30), button.ShownSize().cy) << dpi.Value();
        EXPECT_EQ(105, button.DrawSize().cx) << "the size stays as given";
    };
    expectMadeFor(Dpi(144));
    Canvas canvas(200, 60);
    canvas.Print(button.GetSafeHwnd());
    // The image's far corner at this DPI is shown, where the 96-DPI draw size would have cut it.
    const SIZE shown = button.ShownSize();
    for (POINT at : {POINT{2, 2}, POINT{shown.cx - 2, shown.cy - 2}})
        EXPECT_EQ(BitmapPixel(button.StateImage(CNButtonEx::kNormal), at.x, at.y), canvas.Pixel(at.x, at.y));

    test::ChangeDpi(host.Hwnd(), Dpi(96), {button.GetSafeHwnd()});
    expectMadeFor(Dpi(96));
    // A change is noticed at the next paint too, without the layout's message.
    SetLayoutDpi(host.Hwnd(), Dpi(192));
    canvas.Print(button.GetSafeHwnd());
    expectMadeFor(Dpi(192));
}

TEST(BitmapButtonDpi, ImagesGivenAsHandlesStayAsGivenAtAnyDpi) {
    BitmapButton b;
    const HBITMAP given = b.button.StateImage(CNButtonEx::kNormal);
    test::ChangeDpi(b.host.Hwnd(), Dpi(192), {b.button.GetSafeHwnd()});
    EXPECT_EQ(given, b.button.StateImage(CNButtonEx::kNormal));
    EXPECT_EQ(20, b.button.ShownSize().cx);
    Canvas canvas(60, 60);
    canvas.Print(b.button.GetSafeHwnd());
    EXPECT_EQ(kNormal, canvas.Pixel(19, 19));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(21, 21)) << "nothing painted beyond the images";
}

TEST(DrawnButtonDpi, FontIsMadeForTheWindowsDpiAndItsTextFitsTheScaledButton) {
    ControlHost host;
    CNButtonEx button;
    button.SetBitmapHandles(nullptr, nullptr, nullptr, nullptr, 0, 0, CNButtonEx::kDrawn);
    const std::wstring text = L"Delete All";
    ASSERT_TRUE(button.Create(text, WS_VISIBLE, RECT{0, 0, 100, 26}, host.Hwnd(), 6));
    button.SetFont(9, L"Verdana");
    // 9 points at 96 DPI: what the screen's 96 DPI gave before scaling existed.
    EXPECT_EQ(-12, test::FontHeight(button.Font()));

    for (Dpi dpi : {Dpi(144), Dpi(192), Dpi(96)}) {
        ::SetWindowPos(button.GetSafeHwnd(), nullptr, 0, 0, dpi.Scale(100), dpi.Scale(26), SWP_NOZORDER | SWP_NOMOVE);
        test::ChangeDpi(host.Hwnd(), dpi, {button.GetSafeHwnd()});
        HFONT font = button.Font();
        EXPECT_EQ(dpi.FontHeight(9), test::FontHeight(font)) << dpi.Value();
        EXPECT_EQ(font, reinterpret_cast<HFONT>(::SendMessageW(button.GetSafeHwnd(), WM_GETFONT, 0, 0)));
        const SIZE extent = test::TextExtent(font, text);
        const int edge = 2 * ::MulDiv(::GetSystemMetrics(SM_CXEDGE), dpi.Value(), SystemDpi().Value());
        EXPECT_LE(extent.cx, dpi.Scale(100) - edge) << dpi.Value();
        EXPECT_LE(extent.cy, dpi.Scale(26) - edge) << dpi.Value();
    }
}

}  // namespace
}  // namespace scw
