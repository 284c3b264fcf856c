#pragma once
// Ticks in the trees that show rule entries (the sweep's item tree, the one-click chooser) ask
// before they take entries that carry a warning. A tick of one such entry shows its warning with
// OK and Cancel. A tick that reaches several, or reaches one through its program, its category or
// Select All, asks once, listing them: Yes ticks everything, No ticks everything but them,
// Cancel ticks nothing. Unticking, and entries already ticked, ask nothing. Each row's item data
// is its node.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

namespace scw {

// Asks the user with a message box of `type`; tests answer themselves.
using AskWarning = std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)>;
int AskWarningBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Ticks every row given (with push down), asking first as above. False when the user cancelled.
bool TickRowsWarned(HWND tree, const std::vector<HTREEITEM>& rows, const AskWarning& ask);
// A press or Space on a check box: a tick asks as above; unticking does not.
bool ToggleCheckWarned(HWND tree, HTREEITEM row, const AskWarning& ask);

}  // namespace scw
