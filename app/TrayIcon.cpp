#include "app/TrayIcon.h"

#include "app/ProgramIcon.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "res/resource.h"

namespace scw {

namespace {
CTrayIcon::Notifier& TheNotifier() {
    static CTrayIcon::Notifier notifier;
    return notifier;
}

template <size_t N>
void CopyText(wchar_t (&target)[N], const std::wstring& text) {
    ::lstrcpynW(target, text.c_str(), static_cast<int>(N));
}

// Animation frames in their order, and the menu entries top to bottom.
constexpr UINT kFrameIcons[4] = {IDI_TRAY_FRAME0, IDI_TRAY_FRAME1, IDI_TRAY_FRAME2, IDI_TRAY_FRAME3};
struct MenuEntry {
    UINT command;
    const wchar_t* text;
    UINT icon;
};
constexpr MenuEntry kMenuEntries[7] = {
    {ID_TRAY_SECURITY, L"Security(&S)", IDI_MENU_SECURITY},
    {ID_TRAY_JUNK, L"Junk(&J)", IDI_MENU_JUNK},
    {ID_TRAY_SHREDDER, L"Shredder(&F)", IDI_MENU_SHREDDER},
    {ID_TRAY_SETTINGS, L"Settings(&O)", IDI_MENU_SETTINGS},
    {ID_TRAY_HELP, L"Help(&H)", IDI_MENU_HELP},
    {ID_TRAY_ONECLICK, L"One-click Erase(&C)", IDI_MENU_ONECLICK},
    {ID_TRAY_EXIT, L"Exit(&C)", IDI_MENU_EXIT}};
// The menu's background image is the welcome picture.
constexpr UINT kMenuBackground = IDB_WELCOME;
}  // namespace

void CTrayIcon::SetNotifier(Notifier notifier) { TheNotifier() = std::move(notifier); }

CTrayIcon::CTrayIcon() = default;
CTrayIcon::~CTrayIcon() = default;

BOOL CTrayIcon::Notify(DWORD action) {
    if (TheNotifier()) return TheNotifier()(action, record_);
    return ::Shell_NotifyIconW(action, &record_);
}

void CTrayIcon::LoadIcons(Dpi dpi) {
    iconDpi_ = dpi;
    const SIZE size = SmallIconSize(dpi);
    idleIcon_.Reset(LoadProgramIcon(IDI_MAIN, size));
    for (size_t i = 0; i < frames_.size(); ++i) frames_[i].Reset(LoadProgramIcon(kFrameIcons[i], size));
}

// The items keep borrowing the icons, so each item is pointed at its new one.
void CTrayIcon::LoadMenuPictures(Dpi dpi) {
    menu_.SetBackBitmap(LoadSkinBitmap(kMenuBackground, dpi).Release());
    const SIZE size = SmallIconSize(dpi);
    for (size_t i = 0; i < std::size(kMenuEntries); ++i) {
        UniqueIcon icon(LoadProgramIcon(kMenuEntries[i].icon, size));
        if (menuItems_[i]) menuItems_[i]->icon = icon.Get();
        menuIcons_[i] = std::move(icon);
    }
}

void CTrayIcon::UpdateForDpi() {
    const Dpi dpi = DpiOfWindow(owner_);
    if (dpi == iconDpi_) return;
    // Which icon the record shows now, to show the same one remade.
    int shown = -1;
    for (size_t i = 0; i < frames_.size(); ++i)
        if (record_.hIcon && record_.hIcon == frames_[i].Get()) shown = static_cast<int>(i);
    const bool idle = record_.hIcon == IdleIcon();
    LoadIcons(dpi);
    if (menuBuilt_) LoadMenuPictures(dpi);
    if (!idle && shown < 0) return;
    record_.hIcon = shown >= 0 ? frames_[static_cast<size_t>(shown)].Get() : IdleIcon();
    const UINT flags = record_.uFlags;
    record_.uFlags = NIF_ICON;
    Notify(NIM_MODIFY);
    record_.uFlags = flags;
}

bool CTrayIcon::HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MEASUREITEM:
        if (!menu_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_DRAWITEM:
        if (!menu_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_MENUCHAR:
        if (auto answer = CMenuXP::MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam))) {
            result = *answer;
            return true;
        }
        return false;
    default:
        // The shell restarted and forgot the icon.
        if (message != 0 && message == taskbarCreatedMessage_) Add();
        return false;
    }
}

void CTrayIcon::Init(HWND owner, HICON mainIcon) {
    owner_ = owner;
    mainIcon_ = mainIcon;
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    LoadIcons(DpiOfWindow(owner));
    record_ = NOTIFYICONDATAW{};
    // The full record of this platform's headers, balloon fields included.
    record_.cbSize = sizeof(NOTIFYICONDATAW);
    record_.hWnd = owner;
    record_.uID = kTrayIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hIcon = IdleIcon();
    CopyText(record_.szTip, kIdleTip);
}

bool CTrayIcon::Add() {
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return Notify(NIM_ADD) != FALSE;
}

bool CTrayIcon::Remove() { return Notify(NIM_DELETE) != FALSE; }

void CTrayIcon::BuildMenu() {
    if (menuBuilt_) return;
    UpdateForDpi();
    menu_.AddSideBar(std::make_unique<CMenuXPSideBar>(12, kIdleTip));
    for (size_t i = 0; i < std::size(kMenuEntries); ++i) {
        const MenuEntry& entry = kMenuEntries[i];
        if (entry.command == ID_TRAY_ONECLICK || entry.command == ID_TRAY_EXIT) menu_.AppendSeparator();
        auto item = std::make_unique<CMenuXPText>(entry.command, entry.text);
        menuItems_[i] = item.get();
        menu_.AppendODMenu(MF_STRING, std::move(item));
    }
    LoadMenuPictures(iconDpi_);
    menuBuilt_ = true;
}

void CTrayIcon::ShowMenu() {
    BuildMenu();
    UpdateForDpi();
    menu_.PrepareToShow(owner_);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(owner_);
    ::TrackPopupMenu(menu_.GetSafeHmenu(), 0, cursor.x, cursor.y, 0, owner_, nullptr);
    // Lets the menu close when the user clicks elsewhere after it.
    ::PostMessageW(owner_, WM_NULL, 0, 0);
}

void CTrayIcon::Tick(int frame, bool ownerVisible, const std::wstring& title, const std::wstring& text, int count) {
    if (!ownerVisible) {
        record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
        record_.uTimeout = 1000;
        record_.dwInfoFlags = NIIF_INFO;
        CopyText(record_.szInfo, text + std::to_wstring(count));
        CopyText(record_.szInfoTitle, title);
    } else {
        record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    }
    UpdateForDpi();
    std::wstring tip = title;
    if (frame < 0) {
        record_.hIcon = IdleIcon();
        tip = kIdleTip;
    } else {
        record_.hIcon = frames_[static_cast<size_t>(frame) % frames_.size()].Get();
        frame_ = (frame + 1) % 4;
    }
    CopyText(record_.szTip, tip);
    Notify(NIM_MODIFY);
}

void CTrayIcon::ShowInfoBalloon(const std::wstring& title, const std::wstring& text, UINT timeoutMs) {
    record_.uFlags = NIF_INFO;
    record_.uTimeout = timeoutMs;
    record_.dwInfoFlags = NIIF_INFO;
    CopyText(record_.szInfo, text);
    CopyText(record_.szInfoTitle, title);
    Notify(NIM_MODIFY);
}

}  // namespace scw
