#include <windows.h>

#include <gtest/gtest.h>

#include "app/DlgWelcome.h"
#include "framework/Dpi.h"

namespace scw {
namespace {

RECT WindowRect(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return rc;
}

// The screen's colour at a client point of a shown window.
COLORREF ShownAt(HWND window, int x, int y) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(window);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return color;
}

TEST(WelcomeAtDpi, SplashTakesThePicturesSizeAtItsDpiAndFollowsADpiChange) {
    CDlgWelcome splash;
    ASSERT_TRUE(splash.Create(nullptr));
    HWND window = splash.GetSafeHwnd();
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    const Dpi start = DpiOfWindow(window);
    RECT rc = WindowRect(window);
    EXPECT_EQ(start.Scale(CDlgWelcome::kWidth), rc.right - rc.left);
    EXPECT_EQ(start.Scale(CDlgWelcome::kHeight), rc.bottom - rc.top);
    // Centred on the screen, as at 96 DPI.
    EXPECT_NEAR(::GetSystemMetrics(SM_CXSCREEN) / 2, (rc.left + rc.right) / 2, 1);

    // Moved to a 150 % screen: the suggested place, the picture drawn for 150 % over all of it.
    RECT suggested{10, 20, 10 + 600, 20 + 400};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    rc = WindowRect(window);
    EXPECT_EQ(10, rc.left);
    EXPECT_EQ(20, rc.top);
    EXPECT_EQ(684, rc.right - rc.left);
    EXPECT_EQ(450, rc.bottom - rc.top);
    EXPECT_EQ(144, DpiOfWindow(window).Value());
    // The splash is a dark gradient to its last pixel; the dialog's face colour would be light.
    const COLORREF corner = ShownAt(window, 683, 449);
    EXPECT_LT(GetRValue(corner) + GetGValue(corner) + GetBValue(corner), 3 * 128);
    splash.EndDialog(IDOK);
}

}  // namespace
}  // namespace scw
