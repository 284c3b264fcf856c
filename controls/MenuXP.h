#pragma once
// A popup menu drawn by the program: a gradient side bar, icons, an optional background image,
// and keyboard selection by the "&" characters of the item texts.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    int size = 16;         // icon size, or the side bar's width
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
    // Takes ownership; null for none.
    void SetBackBitmap(HBITMAP bitmap) { background_.Reset(bitmap); }

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
    void DrawSideBar(HDC dc, RECT rc, const CMenuXPSideBar& bar) const;

    UniqueMenu menu_;
    std::vector<std::unique_ptr<CMenuXPItem>> items_;
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueBitmap background_;
    int style_ = kXP;
    bool breakPending_ = false;
    bool barBreakPending_ = false;
};

}  // namespace scw
