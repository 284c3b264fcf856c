#include "app/TrayIcon.h"

#include "framework/App.h"
#include "res/resource.h"

namespace scw {

namespace {
CTrayIcon::Notifier& TheNotifier() {
    static CTrayIcon::Notifier notifier;
    return notifier;
}

HICON LoadSmallIcon(UINT id) {
    return static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
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

void CTrayIcon::Init(HWND owner, HICON mainIcon) {
    owner_ = owner;
    mainIcon_ = mainIcon;
    for (size_t i = 0; i < frames_.size(); ++i) frames_[i].Reset(LoadSmallIcon(kFrameIcons[i]));
    record_ = NOTIFYICONDATAW{};
    // The full record of this platform's headers, balloon fields included.
    record_.cbSize = sizeof(NOTIFYICONDATAW);
    record_.hWnd = owner;
    record_.uID = kTrayIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hIcon = mainIcon;
    CopyText(record_.szTip, kIdleTip);
}

bool CTrayIcon::Add() {
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return Notify(NIM_ADD) != FALSE;
}

bool CTrayIcon::Remove() { return Notify(NIM_DELETE) != FALSE; }

void CTrayIcon::BuildMenu() {
    if (menuBuilt_) return;
    menu_.SetBackBitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(kMenuBackground), IMAGE_BITMAP, 0, 0, 0)));
    menu_.AddSideBar(std::make_unique<CMenuXPSideBar>(12, kIdleTip));
    for (size_t i = 0; i < std::size(kMenuEntries); ++i) {
        const MenuEntry& entry = kMenuEntries[i];
        menuIcons_[i].Reset(LoadSmallIcon(entry.icon));
        if (entry.command == ID_TRAY_ONECLICK || entry.command == ID_TRAY_EXIT) menu_.AppendSeparator();
        menu_.AppendODMenu(MF_STRING, std::make_unique<CMenuXPText>(entry.command, entry.text, menuIcons_[i].Get()));
    }
    menuBuilt_ = true;
}

void CTrayIcon::ShowMenu() {
    BuildMenu();
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
    std::wstring tip = title;
    if (frame < 0) {
        record_.hIcon = mainIcon_;
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
