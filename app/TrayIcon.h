#pragma once
// The notification-area icon of the main window: its record, its menu (built on the first right
// click), the animation frames of a run and the balloons. Icons and the menu's pictures are made
// for the owner's DPI and made again when it changes.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <string>

#include "controls/MenuXP.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 5;
inline constexpr UINT kTrayIconId = 128;
inline constexpr UINT_PTR kTrayAnimationTimer = 1000;
inline constexpr UINT kTrayAnimationPeriodMs = 500;
inline constexpr wchar_t kIdleTip[] = L"Scourwell";

class CTrayIcon {
public:
    // Tests watch the records instead of the shell; an empty function restores the shell.
    using Notifier = std::function<BOOL(DWORD action, const NOTIFYICONDATAW& record)>;
    static void SetNotifier(Notifier notifier);

    CTrayIcon();
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Fills the idle record for the window; does not add the icon yet. The idle icon is the
    // program's icon at the small icon size of the owner's DPI; mainIcon stands in if that fails.
    void Init(HWND owner, HICON mainIcon);
    // Remakes the icons and the menu's pictures when the owner's DPI is not the one they were made
    // for; the icon shown is replaced at once. Ticks and the menu call it too.
    void UpdateForDpi();
    Dpi IconDpi() const { return iconDpi_; }
    bool Add();
    bool Remove();

    // Builds the menu once; later calls do nothing.
    void BuildMenu();
    bool MenuBuilt() const { return menuBuilt_; }
    CMenuXP& Menu() { return menu_; }
    // Tracks the menu at the cursor; the owner receives the chosen command.
    void ShowMenu();
    // The owner's messages that belong to the icon: its menu's measuring, drawing and menu keys,
    // and the shell's restart (the icon is added again, and the owner may look at it too). True
    // when answered, with the result.
    bool HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // One animation step; frame -1 ends the run and puts the idle icon and tip back.
    void Tick(int frame, bool ownerVisible, const std::wstring& title, const std::wstring& text, int count);
    int Frame() const { return frame_; }
    // The scheduler's balloon: icon and tip unchanged.
    void ShowInfoBalloon(const std::wstring& title, const std::wstring& text, UINT timeoutMs);

    const NOTIFYICONDATAW& Record() const { return record_; }

private:
    BOOL Notify(DWORD action);
    void LoadIcons(Dpi dpi);
    void LoadMenuPictures(Dpi dpi);
    HICON IdleIcon() const { return idleIcon_ ? idleIcon_.Get() : mainIcon_; }

    HWND owner_ = nullptr;
    HICON mainIcon_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    UniqueIcon idleIcon_;
    Dpi iconDpi_;
    NOTIFYICONDATAW record_{};
    std::array<UniqueIcon, 4> frames_;
    std::array<UniqueIcon, 7> menuIcons_;
    std::array<CMenuXPText*, 7> menuItems_{};  // owned by menu_
    CMenuXP menu_;
    bool menuBuilt_ = false;
    int frame_ = 0;
};

}  // namespace scw
