#pragma once
// A popup menu drawn by the program: a gradient side bar, icons, an optional background image,
// and keyboard selection by the "&" characters of the item texts. Sizes are given at 96 DPI and
// measured and drawn at the DPI of the window that owns the menu.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr DWORD kMenuXPMagic = 0x0505A0A0;

// Attached to every owner-drawn entry; the magic number tells our data from anyone else's.
struct CMenuXPItem {
    virtual ~CMenuXPItem() = default;
    DWORD magic = kMenuXPMagic;
    UINT id = 0;
    bool separator = false;
    bool sideBar = false;
    bool buttonStyle = false;
    std::wstring text;  // may hold a tab followed by accelerator text
    HICON icon = nullptr;  // borrowed
    int size = 16;         // icon size, or the side bar's width, at 96 DPI
};

struct CMenuXPText : CMenuXPItem {
    CMenuXPText(UINT itemId, std::wstring itemText, HICON itemIcon = nullptr) {
        id = itemId;
        text = std::move(itemText);
        icon = itemIcon;
    }
};

struct CMenuXPSeparator : CMenuXPItem {
    CMenuXPSeparator() { separator = true; }
};

struct CMenuXPSideBar : CMenuXPItem {
    CMenuXPSideBar(int width, std::wstring barText, COLORREF start = RGB(0, 0, 192), COLORREF end = RGB(0, 0, 0))
        : startColour(start), endColour(end) {
        sideBar = true;
        size = width;
        text = std::move(barText);
    }
    COLORREF startColour;
    COLORREF endColour;
};

// Formats an accelerator as "Ctrl+", "Shift+", "Alt+" and the key's name.
class CBCGKeyHelper {
public:
    explicit CBCGKeyHelper(const ACCEL& accel) : accel_(accel) {}
    std::wstring Format() const;

private:
    ACCEL accel_;
};

class CMenuXP {
public:
    enum Style { kOffice = 1, kXP = 2 };

    CMenuXP();
    ~CMenuXP();
    CMenuXP(const CMenuXP&) = delete;
    CMenuXP& operator=(const CMenuXP&) = delete;

    HMENU GetSafeHmenu() const { return menu_.Get(); }
    void SetMenuStyle(int style) { style_ = style; }
    // Takes ownership; null for none. Drawn as given: the owner hands in one made for its DPI.
    void SetBackBitmap(HBITMAP bitmap) { background_.Reset(bitmap); }

    // Call before showing the menu for `owner`: items are measured and drawn at its DPI, and
    // measured again when that DPI changed since the platform last asked.
    void PrepareToShow(HWND owner);
    Dpi MenuDpi() const;

    void AddSideBar(std::unique_ptr<CMenuXPSideBar> bar);
    bool AppendODMenu(UINT flags, std::unique_ptr<CMenuXPItem> item, const ACCEL* accel = nullptr);
    bool AppendSeparator();
    bool AppendODPopup(UINT flags, CMenuXP& popup, std::unique_ptr<CMenuXPItem> item);

    // Owner-draw callbacks; false when the entry is not one of ours.
    bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
    bool DrawItem(const DRAWITEMSTRUCT& draw) const;

    // WM_MENUCHAR: the result for the character typed in an open menu, or nothing to let the
    // platform decide (no item has that "&" character).
    static std::optional<LRESULT> MenuChar(wchar_t character, HMENU menu);

private:
    bool Append(UINT flags, UINT_PTR idOrPopup, std::unique_ptr<CMenuXPItem> item);
    void DrawSideBar(HDC dc, RECT rc, const CMenuXPSideBar& bar, Dpi dpi) const;

    UniqueMenu menu_;
    std::vector<std::unique_ptr<CMenuXPItem>> items_;
    HWND owner_ = nullptr;
    Dpi measuredFor_;
    // Fonts are remade lazily for the DPI they are drawn at.
    mutable ScaledFont font_;
    mutable ScaledFont boldFont_;
    mutable ScaledFont sideBarFont_;
    UniqueBitmap background_;
    int style_ = kXP;
    bool breakPending_ = false;
    bool barBreakPending_ = false;
};

}  // namespace scw
