#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/MenuXP.h"
#include "controls/MyListCtrl.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

using namespace scw;

namespace {
int Width(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

struct ScreenDc {
    ScreenDc() : dc(::CreateCompatibleDC(nullptr)) { ::SelectObject(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT)); }
    UniqueMemDc dc;
};
}  // namespace

TEST(ListColumnShortening, KeepsFittingTextsAndCutsLongOnesUntilTheDotsFit) {
    ScreenDc screen;
    HDC dc = screen.dc.Get();
    const std::wstring shortText = L"a.txt";
    EXPECT_EQ(ShortenToFit(dc, shortText, Width(dc, shortText) + 12), shortText);

    const std::wstring longText = L"C:\\Documents and Settings\\someone\\Local Settings\\Temp\\report-final.doc";
    const int column = 120;
    std::wstring shown = ShortenToFit(dc, longText, column);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
    std::wstring kept = shown.substr(0, shown.size() - 3);
    EXPECT_EQ(longText.substr(0, kept.size()), kept);
    EXPECT_LE(Width(dc, shown), column - 12);
    // One more character would not have fitted: the cut is as short as it can be.
    EXPECT_GT(Width(dc, longText.substr(0, kept.size() + 1) + L"..."), column - 12);

    // A column too narrow for any character still shows the dots.
    EXPECT_EQ(ShortenToFit(dc, longText, 14), L"...");

    // The margin is 12 pixels at 96 DPI and grows with the DPI.
    EXPECT_EQ(ShortenToFit(dc, shortText, Width(dc, shortText) + 18, Dpi(144)), shortText);
    EXPECT_NE(ShortenToFit(dc, shortText, Width(dc, shortText) + 12, Dpi(144)), shortText);
}

TEST(ListColumnShortening, TextsBeyondTheBufferAreCutBeforeShortening) {
    ScreenDc screen;
    std::wstring huge(1000, L'x');
    std::wstring shown = ShortenToFit(screen.dc.Get(), huge, 100000);
    EXPECT_LE(shown.size(), 259u);
    EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
}

namespace {
// The tray menu's entries, with a foreign entry that must not count.
void FillMenu(CMenuXP& menu) {
    menu.AddSideBar(std::make_unique<CMenuXPSideBar>(12, L"Scourwell"));
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20000, L"Security(&S)"));
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20003, L"Shredder(&F)"));
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20002, L"Settings(&O)"));
    menu.AppendSeparator();
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20006, L"One-click Erase(&C)"));
    menu.AppendSeparator();
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20007, L"Exit(&C)"));
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 1, L"Foreign(&Z)");
}

void Highlight(HMENU menu, int index) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = MFS_HILITE;
    ::SetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
}
}  // namespace

TEST(MenuCharacter, NoneOneOrSeveralMatchingItems) {
    CMenuXP menu;
    FillMenu(menu);
    HMENU h = menu.GetSafeHmenu();
    // Positions: 0 side bar, 1 Security, 2 Shredder, 3 Settings, 4 sep, 5 One-click, 6 sep, 7 Exit, 8 foreign.
    EXPECT_FALSE(CMenuXP::MenuChar(L'q', h).has_value());
    EXPECT_FALSE(CMenuXP::MenuChar(L'z', h).has_value()) << "only our own items count";

    // One match executes it, whatever the case of the typed character.
    EXPECT_EQ(*CMenuXP::MenuChar(L'o', h), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(*CMenuXP::MenuChar(L'F', h), MAKELRESULT(2, MNC_EXECUTE));

    // Several matches select the next one after the highlighted item, wrapping to the first.
    EXPECT_EQ(*CMenuXP::MenuChar(L'c', h), MAKELRESULT(5, MNC_SELECT));
    Highlight(h, 5);
    EXPECT_EQ(*CMenuXP::MenuChar(L'c', h), MAKELRESULT(7, MNC_SELECT));
    Highlight(h, 7);
    EXPECT_EQ(*CMenuXP::MenuChar(L'c', h), MAKELRESULT(5, MNC_SELECT));
}

namespace {
MENUITEMINFOW ItemInfo(HMENU menu, int index) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_ID;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
    return info;
}

MEASUREITEMSTRUCT Measure(const CMenuXP& menu, int index) {
    const MENUITEMINFOW info = ItemInfo(menu.GetSafeHmenu(), index);
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemID = info.wID;
    m.itemData = info.dwItemData;
    EXPECT_TRUE(menu.MeasureItem(m));
    return m;
}
}  // namespace

TEST(MenuXP, MeasuresSideBarSeparatorAndTextItems) {
    CMenuXP menu;
    FillMenu(menu);
    HMENU h = menu.GetSafeHmenu();
    auto measure = [&](int index) { return Measure(menu, index); };
    MEASUREITEMSTRUCT bar = measure(0);
    EXPECT_LE(bar.itemHeight, 1u) << "the bar adds no height of its own";
    MEASUREITEMSTRUCT text = measure(1);
    EXPECT_GE(text.itemHeight, 20u) << "icon size 16 + 4";
    EXPECT_EQ(measure(4).itemHeight, static_cast<UINT>(::GetSystemMetrics(SM_CYMENUCHECK) / 2));
    // The side bar forces a new column, so the first text item carries the break.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(h, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_MENUBREAK);
    ::GetMenuItemInfoW(h, 2, TRUE, &info);
    EXPECT_FALSE(info.fType & MFT_MENUBREAK);

    // Data that is not ours is left to others.
    MEASUREITEMSTRUCT foreign{};
    foreign.CtlType = ODT_MENU;
    DWORD notOurs = 42;
    foreign.itemData = reinterpret_cast<ULONG_PTR>(&notOurs);
    EXPECT_FALSE(menu.MeasureItem(foreign));
}

TEST(MenuXP, AcceleratorTextListsModifiersInOrder) {
    ACCEL accel{static_cast<BYTE>(FALT | FSHIFT | FCONTROL), L'K', 0};
    EXPECT_EQ(CBCGKeyHelper(accel).Format(), L"Ctrl+Shift+Alt+K");
    CMenuXP menu;
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(1, L"Open"), &accel);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoW(menu.GetSafeHmenu(), 0, TRUE, &info);
    EXPECT_EQ(reinterpret_cast<CMenuXPItem*>(info.dwItemData)->text, L"Open\tCtrl+Shift+Alt+K");
}

namespace {
// A 16 x 16 icon of one colour, no transparent pixels.
HICON MakeSolidIcon(COLORREF colour) {
    HBITMAP image = test::MakeSolidBitmap(16, 16, colour);
    HBITMAP mask = test::MakeSolidBitmap(16, 16, RGB(0, 0, 0));
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(image);
    ::DeleteObject(mask);
    return icon;
}
}  // namespace

TEST(MenuXPDpi, ItemsAreMeasuredAndIconsDrawnAtTheOwnersDpi) {
    test::ControlHost owner;
    const COLORREF red = RGB(230, 0, 0);
    HICON icon = MakeSolidIcon(red);
    CMenuXP menu;
    FillMenu(menu);
    menu.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(20008, L"With an icon", icon));
    const int iconItem = 9;
    menu.PrepareToShow(owner.Hwnd());
    const MEASUREITEMSTRUCT text96 = Measure(menu, 1);

    SetLayoutDpi(owner.Hwnd(), Dpi(144));
    menu.PrepareToShow(owner.Hwnd());
    EXPECT_EQ(144, menu.MenuDpi().Value());
    const MEASUREITEMSTRUCT text144 = Measure(menu, 1);
    EXPECT_GE(text144.itemHeight, 30u) << "an icon of 24 pixels and its room";
    EXPECT_GT(text144.itemWidth, text96.itemWidth * 4 / 3) << "text in a font for this DPI, icon boxes scaled";

    // The icon fills a box of 24 pixels, two (scaled: three) pixels in from the left.
    const MEASUREITEMSTRUCT measured = Measure(menu, iconItem);
    const MENUITEMINFOW info = ItemInfo(menu.GetSafeHmenu(), iconItem);
    test::Canvas canvas(200, 60, RGB(1, 2, 3));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = info.wID;
    draw.hDC = canvas.Dc();
    draw.rcItem = RECT{0, 0, 200, static_cast<LONG>(measured.itemHeight)};
    draw.itemData = info.dwItemData;
    ASSERT_TRUE(menu.DrawItem(draw));
    const int middle = static_cast<int>(measured.itemHeight) / 2;
    EXPECT_EQ(red, canvas.Pixel(3, middle));
    EXPECT_EQ(red, canvas.Pixel(3 + 23, middle));
    EXPECT_NE(red, canvas.Pixel(3 + 24, middle));
    ::DestroyIcon(icon);
}
