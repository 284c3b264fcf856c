#include "controls/FocusCue.h"

namespace scw {

namespace {
std::optional<bool> highContrastOverride;
constexpr wchar_t kHiddenMark[] = L"ScourwellFocusCuesHidden";

void RedrawAll(HWND topLevel) { ::RedrawWindow(topLevel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN); }
}  // namespace

bool ShowsFocusCue(HWND window) {
    if (!window || ::GetFocus() != window) return false;
    if (::GetPropW(::GetAncestor(window, GA_ROOT), kHiddenMark)) return false;
    const LRESULT state = ::SendMessageW(window, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

void DrawFocusCue(HDC dc, const RECT& rect, Dpi dpi, int inset96) {
    const int inset = dpi.Scale(inset96);
    const int thickness = dpi.Scale(2);
    RECT outer = rect;
    ::InflateRect(&outer, -inset, -inset);
    if (outer.right - outer.left <= 2 * thickness || outer.bottom - outer.top <= 2 * thickness) outer = rect;
    HBRUSH brush = ::CreateSolidBrush(SkinOrSystemColour(kSkinInk, COLOR_HIGHLIGHT));
    const RECT edges[4] = {{outer.left, outer.top, outer.right, outer.top + thickness},
                           {outer.left, outer.bottom - thickness, outer.right, outer.bottom},
                           {outer.left, outer.top, outer.left + thickness, outer.bottom},
                           {outer.right - thickness, outer.top, outer.right, outer.bottom}};
    for (const RECT& edge : edges) ::FillRect(dc, &edge, brush);
    ::DeleteObject(brush);
}

bool HighContrastOn() {
    if (highContrastOverride) return *highContrastOverride;
    HIGHCONTRASTW contrast{sizeof(contrast), 0, nullptr};
    if (!::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) { highContrastOverride = on; }

COLORREF SkinOrSystemColour(COLORREF skin, int systemIndex) {
    return HighContrastOn() ? ::GetSysColor(systemIndex) : skin;
}

void ShowFocusCuesFromNowOn(HWND topLevel) {
    if (!topLevel) return;
    const bool marked = ::RemovePropW(topLevel, kHiddenMark) != nullptr;
    if (::SendMessageW(topLevel, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)
        ::SendMessageW(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    else if (marked)
        RedrawAll(topLevel);
}

void HideFocusCuesUntilKeyboard(HWND topLevel) {
    if (!topLevel) return;
    ::SetPropW(topLevel, kHiddenMark, reinterpret_cast<HANDLE>(1));
    ::SendMessageW(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    RedrawAll(topLevel);
}

void InitializeFocusCues(HWND topLevel) {
    BOOL always = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
    if (always)
        ShowFocusCuesFromNowOn(topLevel);
    else
        HideFocusCuesUntilKeyboard(topLevel);
}

void ForgetFocusCues(HWND topLevel) {
    if (topLevel) ::RemovePropW(topLevel, kHiddenMark);
}

}  // namespace scw
