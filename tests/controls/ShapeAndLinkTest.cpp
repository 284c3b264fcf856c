#include <gtest/gtest.h>

#include "controls/BackGround.h"
#include "controls/CornerRegion.h"
#include "controls/GuiDrawLayer.h"
#include "controls/GuiGroupBox.h"
#include "controls/HyperLink.h"
#include "controls/MyStaticCtrl.h"
#include "framework/App.h"
#include "framework/DpiLayout.h"
#include "framework/UniqueHandle.h"
#include "tests/common/WindowGeometry.h"

using namespace scw;

namespace {
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A white 40 x 30 image in a memory DC.
struct Canvas {
    Canvas() {
        HDC screen = ::GetDC(nullptr);
        dc.Reset(::CreateCompatibleDC(screen));
        bitmap.Reset(::CreateCompatibleBitmap(screen, 40, 30));
        ::ReleaseDC(nullptr, screen);
        ::SelectObject(dc.Get(), bitmap.Get());
        RECT all{0, 0, 40, 30};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    UniqueMemDc dc;
    UniqueBitmap bitmap;
};

// A plain top-level window to hang controls on.
struct Host {
    Host() {
        window = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                   AppInstance(), nullptr);
    }
    ~Host() { ::DestroyWindow(window); }
    HWND window;
};
}  // namespace

TEST(CornerRegion, RemovesOnlyKeyColouredCornerPixels) {
    Canvas canvas;
    HDC dc = canvas.dc.Get();
    const RECT client{0, 0, 40, 30};
    // Key colour in two corners, and once in the middle where it must stay.
    ::SetPixel(dc, 0, 0, kMagenta);
    ::SetPixel(dc, 1, 0, kMagenta);
    ::SetPixel(dc, 39, 29, kMagenta);
    ::SetPixel(dc, 20, 15, kMagenta);
    UniqueRgn region(KeyCutCornerRegion(dc, client, 7, kMagenta));
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(::PtInRegion(region.Get(), 1, 0));
    EXPECT_FALSE(::PtInRegion(region.Get(), 39, 29));
    EXPECT_TRUE(::PtInRegion(region.Get(), 2, 0));
    EXPECT_TRUE(::PtInRegion(region.Get(), 20, 15));
    EXPECT_TRUE(::PtInRegion(region.Get(), 39, 0));
}

TEST(CornerRegion, ImageWithoutKeyColourLeavesTheWindowRectangular) {
    Canvas canvas;
    const RECT client{0, 0, 40, 30};
    UniqueRgn region(KeyCutCornerRegion(canvas.dc.Get(), client, 7, kMagenta));
    UniqueRgn whole(::CreateRectRgnIndirect(&client));
    EXPECT_TRUE(::EqualRgn(region.Get(), whole.Get()));
}

TEST(CornerRegion, CuttingTheSameCornersAgainKeepsTheWindowsRegion) {
    Host host;
    Canvas canvas;
    ::SetPixel(canvas.dc.Get(), 0, 0, kMagenta);
    CBackGround background;
    background.SetOwner(host.window, RECT{0, 0, 40, 30});
    ASSERT_TRUE(background.CutCorners(canvas.dc.Get(), 7, kMagenta));
    UniqueRgn first(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(host.window, first.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(first.Get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(first.Get(), 1, 0));
    // Painting again must not reset the region, which would redraw the window endlessly.
    EXPECT_TRUE(background.CutCorners(canvas.dc.Get(), 7, kMagenta));
}

TEST(BackGround, LoadsSkinBitmapsAndRefusesUnknownSlots) {
    CBackGround background;
    EXPECT_TRUE(background.SetBitmap(CBackGround::kTop, 372));
    EXPECT_GT(background.BitmapSize(CBackGround::kTop).cx, 0);
    EXPECT_FALSE(background.SetBitmap(CBackGround::kSlots, 372));
    EXPECT_FALSE(background.SetBitmap(4, 65000)) << "no such resource";
    EXPECT_EQ(background.BitmapSize(4).cx, 0);
}

TEST(HyperlinkFallback, CommandIsCutAtTheFirstPlaceholder) {
    EXPECT_EQ(HtmFallbackCommandLine(LR"("C:\b\browser.exe" -nohome "%1" -x)", L"http://a/"),
              LR"("C:\b\browser.exe" -nohome  http://a/)");
    EXPECT_EQ(HtmFallbackCommandLine(LR"(C:\b\browser.exe %1)", L"http://a/"), LR"(C:\b\browser.exe  http://a/)");
    EXPECT_EQ(HtmFallbackCommandLine(LR"(C:\b\browser.exe)", L"http://a/"), LR"(C:\b\browser.exe http://a/)");
    EXPECT_EQ(HtmFallbackCommandLine(L"", L"http://a/"), L"");
}

TEST(HyperlinkClick, BeepsOnceAndStaysUnvisitedWhenNothingOpensIt) {
    Host host;
    HWND label = ::CreateWindowExW(0, L"STATIC", L"http://x.invalid/", WS_CHILD | WS_VISIBLE, 0, 0, 100, 16,
                                   host.window, nullptr, AppInstance(), nullptr);
    CHyperLink link;
    int beeps = 0;
    std::string ran;
    HyperlinkOps ops;
    ops.shellOpen = [](const std::wstring&) { return false; };
    ops.htmOpenCommand = [] { return std::wstring(LR"("C:\b\br.exe" "%1")"); };
    ops.run = [&](const std::string& line) {
        ran = line;
        return false;
    };
    ops.beep = [&] { ++beeps; };
    link.SetOps(ops);
    ASSERT_TRUE(link.Attach(label));
    EXPECT_EQ(link.URL(), L"http://x.invalid/") << "the target starts as the window text";

    ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(link.Visited());
    EXPECT_EQ(ran, R"("C:\b\br.exe"  http://x.invalid/)");

    // The fallback succeeding marks the link visited, without a beep.
    ops.run = [](const std::string&) { return true; };
    link.SetOps(ops);
    ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(link.Visited());
}

TEST(SkinnedLabels, GroupBoxKeepsItsTemplateCaptionForItsOwnDrawing) {
    Host host;
    HWND box = ::CreateWindowExW(0, L"BUTTON", L"General Settings", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 200,
                                 100, host.window, nullptr, AppInstance(), nullptr);
    CGuiGroupBox group;
    ASSERT_TRUE(group.Attach(box));
    EXPECT_EQ(group.Caption(), L"General Settings");
    EXPECT_EQ(::GetWindowTextLengthW(box), 0) << "the platform has no caption left to draw";
    // Drawing with our caption must not crash and leaves the window text empty.
    ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(::GetWindowTextLengthW(box), 0);
}

TEST(SkinnedLabels, TransparentLabelAnswersItsParentsColourQuestionWithANullBrush) {
    Host host;
    CMyStaticCtrl label;
    ASSERT_TRUE(label.Create(L"Scan all Disk", WS_VISIBLE, RECT{0, 0, 100, 16}, host.window, 77));
    HDC dc = ::GetDC(label.GetSafeHwnd());
    LRESULT result = 0;
    ASSERT_TRUE(ReflectToControl(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(label.GetSafeHwnd()), result));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(result), ::GetStockObject(NULL_BRUSH));
    label.SetBkColor(RGB(1, 2, 3));
    ASSERT_TRUE(ReflectToControl(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(label.GetSafeHwnd()), result));
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(result), ::GetStockObject(NULL_BRUSH));
    ::ReleaseDC(label.GetSafeHwnd(), dc);
}

namespace {
LOGFONTW Described(HFONT font) {
    LOGFONTW described{};
    ::GetObjectW(font, sizeof(described), &described);
    return described;
}

SIZE ClientSize(HWND window) {
    RECT rc{};
    ::GetClientRect(window, &rc);
    return SIZE{rc.right, rc.bottom};
}
}  // namespace

TEST(SkinnedLabelsDpi, LinkLabelAndGroupCaptionFontsFollowTheLayoutsDpiAndTheirTextsFit) {
    Host host;
    const std::wstring target = L"http://www.example.com/";
    HWND linkWindow = ::CreateWindowExW(0, L"STATIC", target.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 200, 16,
                                        host.window, nullptr, AppInstance(), nullptr);
    CHyperLink link;
    ASSERT_TRUE(link.Attach(linkWindow));
    CMyStaticCtrl label;
    const std::wstring labelText = L"Scan all Disk";
    ASSERT_TRUE(label.Create(labelText, WS_VISIBLE, RECT{0, 20, 100, 36}, host.window, 77));
    const std::wstring caption = L"General Settings";
    HWND box = ::CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 40, 200,
                                 100, host.window, nullptr, AppInstance(), nullptr);
    CGuiGroupBox group;
    ASSERT_TRUE(group.Attach(box));

    DpiLayout layout;
    layout.Capture(host.window, Dpi(96));
    for (Dpi dpi : {Dpi(144), Dpi(192), Dpi(96)}) {
        layout.Apply(host.window, dpi);
        HFONT linkFont = reinterpret_cast<HFONT>(::SendMessageW(linkWindow, WM_GETFONT, 0, 0));
        EXPECT_EQ(link.LinkFont(), linkFont) << "the link shows its own font, not the layout's copy";
        EXPECT_EQ(dpi.Scale(14), Described(linkFont).lfHeight) << dpi.Value();
        EXPECT_TRUE(Described(linkFont).lfUnderline);
        HFONT labelFont = reinterpret_cast<HFONT>(::SendMessageW(label.GetSafeHwnd(), WM_GETFONT, 0, 0));
        EXPECT_EQ(label.LabelFont(), labelFont);
        EXPECT_EQ(dpi.Scale(-11), Described(labelFont).lfHeight) << "8 points at 96 DPI, scaled";
        EXPECT_EQ(dpi.Scale(11), Described(group.CaptionFont()).lfHeight) << dpi.Value();

        const SIZE linkText = test::TextExtent(linkFont, target), linkRoom = ClientSize(linkWindow);
        EXPECT_LE(linkText.cx, linkRoom.cx) << dpi.Value();
        EXPECT_LE(linkText.cy, linkRoom.cy) << dpi.Value();
        const SIZE shown = test::TextExtent(labelFont, labelText), room = ClientSize(label.GetSafeHwnd());
        EXPECT_LE(shown.cx, room.cx) << dpi.Value();
        EXPECT_LE(shown.cy, room.cy) << dpi.Value();
        EXPECT_LE(test::TextExtent(group.CaptionFont(), caption).cx + dpi.Scale(6 + 4), ClientSize(box).cx) << dpi.Value();
    }
}

TEST(GuiDrawLayer, LighteningWrapsEachColourPart) {
    EXPECT_EQ(GuiDrawLayer::AddToEachPart(RGB(250, 5, 255), 10), RGB(4, 15, 9));
}
