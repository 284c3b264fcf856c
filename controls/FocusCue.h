#pragma once
// Where the keyboard focus is, shown the same way by every control that draws itself: a frame in
// the skin's dark ink, or in the system's colours when high contrast is on. The frame appears only
// while the window's UI state shows focus cues (the system's "show focus rectangles" setting, or
// the user has pressed a navigation key since the last mouse use).
#include <windows.h>

#include <optional>

#include "framework/Dpi.h"

namespace scw {

// The skin's dark ink: the colour of its drawn text.
inline constexpr COLORREF kSkinInk = RGB(18, 45, 74);

// The window has the keyboard focus and its UI state does not hide focus cues.
bool ShowsFocusCue(HWND window);
// A frame `inset96` pixels (at 96 DPI) inside `rect`, thick enough to see at the DPI.
void DrawFocusCue(HDC dc, const RECT& rect, Dpi dpi, int inset96 = 2);

// Windows' high-contrast mode is on (or what a test decided).
bool HighContrastOn();
void OverrideHighContrast(std::optional<bool> on);
// The skin's colour, or the system colour `systemIndex` while high contrast is on.
COLORREF SkinOrSystemColour(COLORREF skin, int systemIndex);

// Opens the window's UI state to focus cues when the user navigates by keyboard; the window's
// children redraw.
void ShowFocusCuesFromNowOn(HWND topLevel);
// Hides them until the keyboard is used. The window keeps a mark of its own besides the system's UI
// state, which not every system keeps.
void HideFocusCuesUntilKeyboard(HWND topLevel);
// As a window starts: cues shown when the system's setting asks for them always, else hidden until
// the keyboard is used.
void InitializeFocusCues(HWND topLevel);
// Drops the window's mark as it is destroyed.
void ForgetFocusCues(HWND topLevel);

}  // namespace scw
