#include "controls/MenuXP.h"

#include <algorithm>
#include <cwctype>

#include "controls/GuiDrawLayer.h"
#include "framework/Dpi.h"

namespace scw {

std::wstring CBCGKeyHelper::Format() const {
    std::wstring text;
    if (accel_.fVirt & FCONTROL) text += L"Ctrl+";
    if (accel_.fVirt & FSHIFT) text += L"Shift+";
    if (accel_.fVirt & FALT) text += L"Alt+";
    if (accel_.fVirt & FVIRTKEY) {
        wchar_t name[64] = {};
        LONG scan = static_cast<LONG>(::MapVirtualKeyW(accel_.key, MAPVK_VK_TO_VSC)) << 16;
        if (::GetKeyNameTextW(scan, name, 64) > 0) text += name;
    } else {
        text += static_cast<wchar_t>(accel_.key);
    }
    return text;
}

CMenuXP::CMenuXP()
    : menu_(::CreatePopupMenu()),
      sideBarFont_(ScaledFont::Make(L"Arial", 16, FW_BOLD, false, 900, DEFAULT_QUALITY, DEFAULT_PITCH)) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font_ = ScaledFont::FromMade(metrics.lfMenuFont, SystemDpi());
        metrics.lfMenuFont.lfWeight = FW_BOLD;
        boldFont_ = ScaledFont::FromMade(metrics.lfMenuFont, SystemDpi());
    }
}

CMenuXP::~CMenuXP() = default;

Dpi CMenuXP::MenuDpi() const { return owner_ ? DpiOfWindow(owner_) : SystemDpi(); }

void CMenuXP::PrepareToShow(HWND owner) {
    owner_ = owner;
    const Dpi dpi = MenuDpi();
    if (dpi == measuredFor_) return;
    measuredFor_ = dpi;
    // Setting an item again makes the platform forget the size it measured.
    const int count = ::GetMenuItemCount(menu_.Get());
    for (int index = 0; index < count; ++index) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (::GetMenuItemInfoW(menu_.Get(), static_cast<UINT>(index), TRUE, &info))
            ::SetMenuItemInfoW(menu_.Get(), static_cast<UINT>(index), TRUE, &info);
    }
}

bool CMenuXP::Append(UINT flags, UINT_PTR idOrPopup, std::unique_ptr<CMenuXPItem> item) {
    flags |= MF_OWNERDRAW;
    if (breakPending_) flags |= MF_MENUBREAK;
    if (barBreakPending_) flags |= MF_MENUBARBREAK;
    breakPending_ = barBreakPending_ = false;
    if (!::AppendMenuW(menu_.Get(), flags, idOrPopup, reinterpret_cast<LPCWSTR>(item.get()))) return false;
    items_.push_back(std::move(item));
    return true;
}

void CMenuXP::AddSideBar(std::unique_ptr<CMenuXPSideBar> bar) {
    Append(MF_SEPARATOR, 0, std::move(bar));
    breakPending_ = true;
}

bool CMenuXP::AppendODMenu(UINT flags, std::unique_ptr<CMenuXPItem> item, const ACCEL* accel) {
    if (accel) item->text += L"\t" + CBCGKeyHelper(*accel).Format();
    UINT_PTR id = item->id;
    return Append(flags, id, std::move(item));
}

bool CMenuXP::AppendSeparator() { return Append(MF_SEPARATOR, 0, std::make_unique<CMenuXPSeparator>()); }

bool CMenuXP::AppendODPopup(UINT flags, CMenuXP& popup, std::unique_ptr<CMenuXPItem> item) {
    return Append(flags | MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), std::move(item));
}

bool CMenuXP::MeasureItem(MEASUREITEMSTRUCT& measure) const {
    auto* item = reinterpret_cast<const CMenuXPItem*>(measure.itemData);
    if (measure.CtlType != ODT_MENU || !item || item->magic != kMenuXPMagic) return false;
    const Dpi dpi = MenuDpi();
    const int checkWidth = SystemMetricForDpi(SM_CXMENUCHECK, dpi);
    const int size = dpi.Scale(item->size);
    if (item->sideBar) {
        measure.itemWidth = static_cast<UINT>(size);
        // One pixel rather than none: an empty entry is never drawn on some platforms, and the
        // bar stretches itself over the whole column when it is drawn.
        measure.itemHeight = 1;
    } else if (item->separator) {
        measure.itemWidth = 0;
        measure.itemHeight = static_cast<UINT>(SystemMetricForDpi(SM_CYMENUCHECK, dpi) / 2);
    } else {
        WindowDc dc(nullptr);
        RECT rc{0, 0, 0, 0};
        {
            HFONT bold = boldFont_.Get(dpi);
            SelectScope font(dc.Get(), bold ? static_cast<HGDIOBJ>(bold) : ::GetStockObject(DEFAULT_GUI_FONT));
            ::DrawTextW(dc.Get(), item->text.c_str(), static_cast<int>(item->text.size()), &rc,
                        DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
        }
        const int height = std::max<int>(rc.bottom - rc.top, size + dpi.Scale(4));
        const int width = item->buttonStyle ? height : (rc.right - rc.left) + dpi.Scale(4) + 2 * size + dpi.Scale(8);
        measure.itemHeight = static_cast<UINT>(height);
        measure.itemWidth = static_cast<UINT>(std::max(0, width - (checkWidth - 1)));
        return true;
    }
    measure.itemWidth = static_cast<UINT>(std::max(0, static_cast<int>(measure.itemWidth) - (checkWidth - 1)));
    return true;
}

void CMenuXP::DrawSideBar(HDC dc, RECT rc, const CMenuXPSideBar& bar, Dpi dpi) const {
    // The bar spans the whole column, whatever height the platform gave the entry.
    RECT area;
    if (HWND menuWindow = ::WindowFromDC(dc); menuWindow && ::GetClientRect(menuWindow, &area))
        rc.bottom = std::max(rc.bottom, area.bottom);
    else if (::GetClipBox(dc, &area) != ERROR)
        rc.bottom = std::max(rc.bottom, area.bottom);
    const int height = rc.bottom - rc.top;
    for (int step = 0; step < 256 && height > 0; ++step) {
        auto mix = [step](int a, int b) { return a + (b - a) * step / 255; };
        COLORREF colour = RGB(mix(GetRValue(bar.startColour), GetRValue(bar.endColour)),
                              mix(GetGValue(bar.startColour), GetGValue(bar.endColour)),
                              mix(GetBValue(bar.startColour), GetBValue(bar.endColour)));
        RECT band{rc.left, rc.top + height * step / 256, rc.right, rc.top + height * (step + 1) / 256};
        if (band.bottom <= band.top) continue;
        UniqueBrush brush(::CreateSolidBrush(colour));
        ::FillRect(dc, &band, brush.Get());
    }
    SelectScope scope(dc, sideBarFont_.Get(dpi));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutW(dc, rc.left - dpi.Scale(2), rc.bottom - dpi.Scale(4), bar.text.c_str(),
               static_cast<int>(bar.text.size()));
}

bool CMenuXP::DrawItem(const DRAWITEMSTRUCT& draw) const {
    auto* item = reinterpret_cast<const CMenuXPItem*>(draw.itemData);
    if (draw.CtlType != ODT_MENU || !item || item->magic != kMenuXPMagic) return false;
    HDC dc = draw.hDC;
    RECT rc = draw.rcItem;
    const Dpi dpi = MenuDpi();
    if (item->sideBar) {
        DrawSideBar(dc, rc, static_cast<const CMenuXPSideBar&>(*item), dpi);
        return true;
    }
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

    // Background: the matching part of the image, or a plain fill.
    if (background_ && (!selected || disabled)) {
        UniqueMemDc mem(::CreateCompatibleDC(dc));
        SelectScope select(mem.Get(), background_.Get());
        ::BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem.Get(), rc.left, rc.top, SRCCOPY);
    } else {
        const bool useSelected = selected && !(style_ == kXP && disabled);
        UniqueBrush brush(::CreateSolidBrush(useSelected ? GuiDrawLayer::MenuSelectedBackground()
                                                         : GuiDrawLayer::MenuBackground()));
        ::FillRect(dc, &rc, brush.Get());
        if (style_ == kXP && selected && !disabled) ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    const int size = dpi.Scale(item->size);
    if (item->separator) {
        const int middle = (rc.top + rc.bottom) / 2;
        RECT line{rc.left + size + dpi.Scale(6), middle, rc.right - dpi.Scale(2), middle + 1};
        ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
        return true;
    }

    const int box = size + dpi.Scale(4);
    if (item->icon) {
        const int x = rc.left + dpi.Scale(2);
        const int y = rc.top + (rc.bottom - rc.top - size) / 2;
        if (disabled) {
            const int shift = dpi.Scale(1);
            ::DrawStateW(dc, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT), nullptr, reinterpret_cast<LPARAM>(item->icon), 0,
                         x + shift, y + shift, size, size, DST_ICON | DSS_MONO);
            ::DrawStateW(dc, ::GetSysColorBrush(COLOR_BTNSHADOW), nullptr, reinterpret_cast<LPARAM>(item->icon), 0, x,
                         y, size, size, DST_ICON | DSS_MONO);
        } else {
            ::DrawIconEx(dc, x, y, item->icon, size, size, 0, nullptr, DI_NORMAL);
        }
    }
    HFONT font = font_.Get(dpi);
    SelectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? GuiDrawLayer::MenuDisabledText()
                                : (selected ? GuiDrawLayer::MenuSelectedText() : GuiDrawLayer::MenuText()));
    RECT textRect{rc.left + box + dpi.Scale(2), rc.top, rc.right - dpi.Scale(4), rc.bottom};
    const size_t tab = item->text.find(L'\t');
    std::wstring label = item->text.substr(0, tab);
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    if (draw.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect, flags | DT_LEFT);
    if (tab != std::wstring::npos) {
        std::wstring accel = item->text.substr(tab + 1);
        ::DrawTextW(dc, accel.c_str(), static_cast<int>(accel.size()), &textRect, flags | DT_RIGHT);
    }
    return true;
}

std::optional<LRESULT> CMenuXP::MenuChar(wchar_t character, HMENU menu) {
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(character));
    const int count = ::GetMenuItemCount(menu);
    std::vector<int> matches;
    int highlighted = -1;
    for (int index = 0; index < count; ++index) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info)) continue;
        if (info.fState & MFS_HILITE) highlighted = index;
        auto* item = reinterpret_cast<const CMenuXPItem*>(info.dwItemData);
        if (!(info.fType & MFT_OWNERDRAW) || !item || item->magic != kMenuXPMagic) continue;
        const std::wstring& text = item->text;
        for (size_t at = text.find(L'&'); at != std::wstring::npos && at + 1 < text.size();
             at = text.find(L'&', at + 1)) {
            if (static_cast<wchar_t>(std::towupper(text[at + 1])) == wanted) {
                matches.push_back(index);
                break;
            }
        }
    }
    if (matches.empty()) return std::nullopt;
    if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
    for (int index : matches) {
        if (index > highlighted) return MAKELRESULT(index, MNC_SELECT);
    }
    return MAKELRESULT(matches.front(), MNC_SELECT);
}

}  // namespace scw
