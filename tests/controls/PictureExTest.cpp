#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

#include "ControlHost.h"
#include "GifBuilder.h"
#include "controls/PictureEx.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "tests/common/TestSupport.h"

namespace scw {
namespace {

using test::Canvas;
using test::ControlHost;
using test::GifBuilder;

struct Picture {
    ControlHost host;
    CPictureEx picture;
    Picture() { picture.Create(WS_VISIBLE, RECT{0, 0, 50, 50}, host.Hwnd(), 1016); }
    COLORREF Shown(int x = 1, int y = 1) {
        Canvas canvas(60, 60);
        canvas.Print(picture.GetSafeHwnd());
        return canvas.Pixel(x, y);
    }
};

long long MillisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

TEST(PictureEx, OneFrameGifIsShownStillWithoutAThread) {
    Picture p;
    ASSERT_TRUE(p.picture.LoadFromMemory(GifBuilder(6, 4).Frame({.colorIndex = 2, .delay = 10}).Bytes()));
    EXPECT_TRUE(p.picture.IsGIF());
    EXPECT_EQ(0, p.picture.GetFrameCount());
    ASSERT_TRUE(p.picture.Draw());
    EXPECT_FALSE(p.picture.IsPlaying());
    EXPECT_EQ(RGB(0, 0, 255), p.Shown());
    RECT rc;
    ::GetClientRect(p.picture.GetSafeHwnd(), &rc);
    EXPECT_EQ(6, rc.right);  // the control takes the picture's size
    EXPECT_EQ(4, rc.bottom);
}

TEST(PictureEx, AnimatedGifPlaysItsFramesOnItsWindowsTimerAndStops) {
    Picture p;
    const auto gif = GifBuilder(8, 8).Frame({.colorIndex = 0, .delay = 2}).Frame({.colorIndex = 1, .delay = 2}).Bytes();
    ASSERT_TRUE(p.picture.LoadFromMemory(gif));
    EXPECT_EQ(2, p.picture.GetFrameCount());
    ASSERT_TRUE(p.picture.Draw());
    EXPECT_TRUE(p.picture.IsPlaying());
    bool sawRed = false, sawGreen = false;
    for (int i = 0; i < 60 && !(sawRed && sawGreen); ++i) {
        const COLORREF c = p.Shown();
        sawRed = sawRed || c == RGB(255, 0, 0);
        sawGreen = sawGreen || c == RGB(0, 255, 0);
        test::PumpMessages(25);
    }
    EXPECT_TRUE(sawRed);
    EXPECT_TRUE(sawGreen);
    EXPECT_LT(MillisecondsOf([&] { p.picture.Stop(); }), 1000);
    EXPECT_FALSE(p.picture.IsPlaying());
    const COLORREF last = p.Shown();
    test::PumpMessages(250);
    EXPECT_EQ(last, p.Shown());  // the surface keeps the last picture
    EXPECT_TRUE(p.picture.Draw());  // and can play again
    EXPECT_TRUE(p.picture.IsPlaying());
}

// The window thread plays the frames: no thread to outlive the control, nothing painted into
// the surface while the window paints from it.
TEST(PictureEx, PlayingStartsNoThreadAndTheControlGoesWhilePlaying) {
    const auto gif = GifBuilder(8, 8).Frame({.colorIndex = 0, .delay = 2}).Frame({.colorIndex = 1, .delay = 2}).Bytes();
    const std::vector<DWORD> before = test::LiveThreadIds();
    {
        Picture p;
        ASSERT_TRUE(p.picture.LoadFromMemory(gif));
        ASSERT_TRUE(p.picture.Draw());
        test::PumpMessages(100);
        const std::vector<DWORD> during = test::LiveThreadIds();
        for (DWORD id : during)
            EXPECT_NE(std::find(before.begin(), before.end(), id), before.end()) << "thread " << id << " started";
        // The host and the control go while a frame is due: its timer goes with its window.
        ::DestroyWindow(p.host.Hwnd());
        EXPECT_FALSE(p.picture.IsPlaying());
    }
    test::PumpMessages(50);
}

TEST(PictureEx, StopOnAControlThatIsNotPlayingReturnsAtOnce) {
    Picture p;
    EXPECT_LT(MillisecondsOf([&] { p.picture.Stop(); }), 50);
    ASSERT_TRUE(p.picture.LoadFromMemory(GifBuilder(2, 2).Frame({}).Frame({.colorIndex = 1}).Bytes()));
    EXPECT_LT(MillisecondsOf([&] { p.picture.Stop(); }), 50);
}

TEST(PictureEx, ABitmapIsShownStill) {
    // A 3x2 24-bit bitmap file in memory, all one colour.
    std::vector<uint8_t> bmp(54 + 2 * 12, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 3);
    put32(22, 2);
    bmp[26] = 1;
    bmp[28] = 24;
    for (size_t row = 0; row < 2; ++row)
        for (size_t x = 0; x < 3; ++x) {
            bmp[54 + row * 12 + x * 3] = 30;  // blue, green, red
            bmp[54 + row * 12 + x * 3 + 1] = 90;
            bmp[54 + row * 12 + x * 3 + 2] = 200;
        }
    Picture p;
    ASSERT_TRUE(p.picture.LoadFromMemory(bmp));
    EXPECT_FALSE(p.picture.IsGIF());
    EXPECT_EQ(3, p.picture.GetSize().cx);
    ASSERT_TRUE(p.picture.Draw());
    EXPECT_FALSE(p.picture.IsPlaying());
    EXPECT_EQ(RGB(200, 90, 30), p.Shown());
}

TEST(PictureEx, BrokenGifsFailCleanlyOrShowWhatLoaded) {
    Picture p;
    const auto gif = GifBuilder(6, 6).Frame({.colorIndex = 0}).Frame({.colorIndex = 1}).Frame({.colorIndex = 2})
                         .Bytes();
    const std::vector<uint8_t> cut(gif.begin(), gif.end() - 6);  // inside the third frame's data
    ASSERT_TRUE(p.picture.LoadFromMemory(cut));
    EXPECT_EQ(2, p.picture.GetFrameCount());
    const std::vector<uint8_t> headerOnly(gif.begin(), gif.begin() + 20);
    EXPECT_FALSE(p.picture.LoadFromMemory(headerOnly));
    EXPECT_FALSE(p.picture.Draw());
    EXPECT_EQ(0, p.picture.GetFrameCount());
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        std::vector<uint8_t> noise = {'G', 'I', 'F', '8', '9', 'a'};
        for (int i = 0; i < 120; ++i) noise.push_back(static_cast<uint8_t>(random()));
        if (p.picture.LoadFromMemory(noise)) p.picture.Draw();
        p.picture.Stop();
    }
    EXPECT_FALSE(p.picture.LoadFromMemory(std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(PictureEx, LoadsTheProgramsAnimationsFromResources) {
    Picture p;
    ASSERT_TRUE(p.picture.Load(IDR_GIF_DELETING, L"GIF"));
    EXPECT_GT(p.picture.GetFrameCount(), 1);
    EXPECT_EQ(272, p.picture.GetSize().cx);
    ASSERT_TRUE(p.picture.Load(IDR_GIF_JUNK_SEARCH, L"GIF"));
    EXPECT_GT(p.picture.GetFrameCount(), 1);
    EXPECT_FALSE(p.picture.Load(4242, L"GIF"));
}

SIZE ClientSize(HWND window) {
    RECT rc{};
    ::GetClientRect(window, &rc);
    return SIZE{rc.right, rc.bottom};
}

TEST(PictureEx, AnimationComesFromTheSetDrawnForTheWindowsDpiAndTakesItsScaledSize) {
    struct Case {
        int dpi;
        SIZE drawn, shown;
    };
    // The junk search is 103 x 106 at 96 DPI; 120 DPI shows the 150 % set reduced.
    for (const Case& c : {Case{96, {103, 106}, {103, 106}}, Case{120, {155, 159}, {129, 133}},
                          Case{144, {155, 159}, {155, 159}}, Case{192, {206, 212}, {206, 212}},
                          Case{240, {206, 212}, {258, 265}}}) {
        Picture p;
        SetLayoutDpi(p.host.Hwnd(), Dpi(c.dpi));
        ASSERT_TRUE(p.picture.Load(IDR_GIF_JUNK_SEARCH, L"GIF")) << c.dpi;
        EXPECT_EQ(c.drawn.cx, p.picture.GetSize().cx) << c.dpi;
        EXPECT_EQ(c.drawn.cy, p.picture.GetSize().cy) << c.dpi;
        const SIZE client = ClientSize(p.picture.GetSafeHwnd());
        EXPECT_EQ(c.shown.cx, client.cx) << c.dpi;
        EXPECT_EQ(c.shown.cy, client.cy) << c.dpi;
        // Painted over its whole size: the picture's white corners, no canvas showing through.
        p.picture.SetBkColor(RGB(9, 9, 9));
        ASSERT_TRUE(p.picture.Draw());
        p.picture.Stop();
        Canvas canvas(300, 300);
        canvas.Print(p.picture.GetSafeHwnd());
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0)) << c.dpi;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(c.shown.cx - 1, 0)) << c.dpi;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(c.shown.cx - 1, c.shown.cy - 1)) << c.dpi;
    }
}

TEST(PictureEx, DpiChangeLoadsTheOtherSetAndKeepsPlaying) {
    Picture p;
    SetLayoutDpi(p.host.Hwnd(), Dpi(96));
    ASSERT_TRUE(p.picture.Load(IDR_GIF_SWEEP_WORKING, L"GIF"));
    ASSERT_TRUE(p.picture.Draw());
    // A layout for the new DPI moves the window first (to its scaled 96-DPI place), then tells it.
    SetLayoutDpi(p.host.Hwnd(), Dpi(192));
    ::SetWindowPos(p.picture.GetSafeHwnd(), nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(p.picture.GetSafeHwnd(), 0x02E3, 0, 0);
    EXPECT_EQ(206, p.picture.GetSize().cx);
    const SIZE client = ClientSize(p.picture.GetSafeHwnd());
    EXPECT_EQ(206, client.cx);
    EXPECT_EQ(150, client.cy);
    EXPECT_TRUE(p.picture.IsPlaying());
    // A picture from memory is a 96-DPI picture too: shown at the scale, the same again.
    ASSERT_TRUE(p.picture.LoadFromMemory(GifBuilder(6, 4).Frame({.colorIndex = 2, .delay = 10}).Bytes()));
    EXPECT_EQ(12, ClientSize(p.picture.GetSafeHwnd()).cx);
    ::SetWindowPos(p.picture.GetSafeHwnd(), nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(p.picture.GetSafeHwnd(), 0x02E3, 0, 0);
    EXPECT_EQ(12, ClientSize(p.picture.GetSafeHwnd()).cx);
    EXPECT_EQ(8, ClientSize(p.picture.GetSafeHwnd()).cy);
}

}  // namespace
}  // namespace scw
