#include "framework/DpiLayout.h"

namespace scw {

namespace {
bool HasClass(HWND window, const wchar_t* name) {
    wchar_t cls[32] = {};
    return ::GetClassNameW(window, cls, 32) > 0 && ::lstrcmpiW(cls, name) == 0;
}

RECT PlaceInParent(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    // A drop-down list's height is the open list's: the closed box alone would leave no room to open.
    if (HasClass(window, L"ComboBox")) {
        RECT dropped{};
        if (::SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) &&
            dropped.bottom > rc.bottom - rc.top + (dropped.top - rc.top))
            rc.bottom = rc.top + (dropped.bottom - dropped.top);
    }
    return rc;
}
}  // namespace

bool IsDialogWindow(HWND window) { return HasClass(window, L"#32770"); }

void DpiLayout::Capture(HWND root, Dpi fontsMadeFor) {
    placed_.clear();
    fonts_.clear();
    if (IsDialogWindow(root)) KeepDialogScalingOurs(root);
    CaptureChildren(root, fontsMadeFor);
}

void DpiLayout::CaptureChildren(HWND parent, Dpi fontsMadeFor) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (IsDialogWindow(child)) KeepDialogScalingOurs(child);
        KeepControlScalingOurs(child);
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
        placed_.push_back(Placed{child, PlaceInParent(child), font ? FontIndex(font, fontsMadeFor) : -1});
        if (IsDialogWindow(child)) CaptureChildren(child, fontsMadeFor);
    }
}

int DpiLayout::FontIndex(HFONT font, Dpi madeFor) {
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i]->original == font) return static_cast<int>(i);
    ScaledFont described = ScaledFont::FromMade(font, madeFor);
    if (!described.Described()) return -1;
    fonts_.push_back(std::make_unique<FontEntry>(FontEntry{font, madeFor, std::move(described)}));
    return static_cast<int>(fonts_.size() - 1);
}

void DpiLayout::Apply(HWND root, Dpi dpi) {
    SetLayoutDpi(root, dpi);
    for (const Placed& p : placed_) {
        if (!::IsWindow(p.window)) continue;
        const RECT rc = dpi.Scale(p.at96);
        ::SetWindowPos(p.window, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (p.font < 0) continue;
        FontEntry& font = *fonts_[p.font];
        HFONT shown = dpi == font.madeFor ? font.original : font.scaled.Get(dpi);
        ::SendMessageW(p.window, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
    }
    for (const Placed& p : placed_)
        if (::IsWindow(p.window)) ::SendMessageW(p.window, WM_DPICHANGED_AFTERPARENT, 0, 0);
    ::RedrawWindow(root, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace scw
