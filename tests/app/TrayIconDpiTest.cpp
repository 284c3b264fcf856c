#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/ProgramIcon.h"
#include "app/TrayIcon.h"
#include "controls/MenuXP.h"
#include "framework/Dpi.h"
#include "res/resource.h"

namespace scw {
namespace {

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return SIZE{0, 0};
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return SIZE{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// The icon drawn on white, pixel by pixel.
std::vector<uint32_t> Pixels(HICON icon, int size) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib);
    RECT all{0, 0, size, size};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + size * size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return out;
}

TEST(ProgramIcon, EverySizeComesDrawnAndTheOldSizesKeepTheirPixels) {
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        HICON icon = LoadProgramIcon(IDI_TRAY_FRAME1, SIZE{size, size});
        ASSERT_TRUE(icon) << size;
        EXPECT_EQ(size, IconSize(icon).cx) << size;
        if (size == 16 || size == 32) {  // what the program showed at 96 DPI stays as it was
            HICON old = static_cast<HICON>(
                ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY_FRAME1), IMAGE_ICON, size, size, 0));
            EXPECT_EQ(Pixels(old, size), Pixels(icon, size)) << size;
            ::DestroyIcon(old);
        }
        ::DestroyIcon(icon);
    }
    EXPECT_EQ(nullptr, LoadProgramIcon(4242, SIZE{16, 16}));
}

struct TrayAtDpi : ::testing::Test {
    std::vector<NOTIFYICONDATAW> records;
    HWND owner = nullptr;
    void SetUp() override {
        CTrayIcon::SetNotifier([this](DWORD, const NOTIFYICONDATAW& record) {
            records.push_back(record);
            return TRUE;
        });
        owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        CTrayIcon::SetNotifier({});
        ::DestroyWindow(owner);
    }
    // The icon size of every entry of the tray menu.
    static std::vector<int> MenuIconSizes(CTrayIcon& tray) {
        std::vector<int> sizes;
        HMENU menu = tray.Menu().GetSafeHmenu();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            const auto* item = reinterpret_cast<const CMenuXPItem*>(info.dwItemData);
            if (item && item->icon) sizes.push_back(IconSize(item->icon).cx);
        }
        return sizes;
    }
};

TEST_F(TrayAtDpi, IconsFrameAndMenuIconsTakeTheSmallIconSizeOfTheOwnersDpiAndFollowItsChange) {
    SetLayoutDpi(owner, Dpi(144));
    const int at144 = SmallIconSize(Dpi(144)).cx;
    const int at192 = SmallIconSize(Dpi(192)).cx;
    ASSERT_GT(at192, at144);
    CTrayIcon tray;
    tray.Init(owner, nullptr);
    ASSERT_TRUE(tray.Add());
    EXPECT_EQ(at144, IconSize(records.back().hIcon).cx) << "idle icon";
    tray.Tick(0, true, L"Scanning", L"Items:", 0);
    EXPECT_EQ(at144, IconSize(records.back().hIcon).cx) << "animation frame";
    tray.BuildMenu();
    EXPECT_EQ(std::vector<int>(7, at144), MenuIconSizes(tray));

    // The owner moves to a 200 % screen while a run animates: the frame shown is remade at once.
    SetLayoutDpi(owner, Dpi(192));
    const HICON before = records.back().hIcon;
    tray.UpdateForDpi();
    EXPECT_NE(before, records.back().hIcon);
    EXPECT_EQ(at192, IconSize(records.back().hIcon).cx);
    EXPECT_EQ(std::vector<int>(7, at192), MenuIconSizes(tray));
    tray.Tick(-1, true, L"", L"", 0);
    EXPECT_EQ(at192, IconSize(records.back().hIcon).cx) << "idle icon again";
}

}  // namespace
}  // namespace scw
