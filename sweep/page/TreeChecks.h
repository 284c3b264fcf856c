#pragma once
// Tri-state check boxes of a tree view: a tick is pushed down to every descendant and settled
// upwards into the ancestors. The state lives in the row's state-image bits.
#include <windows.h>
#include <commctrl.h>

namespace scw {

enum CheckState : UINT { NoCheckBox = 0, Unchecked = 1, PartlyChecked = 2, Checked = 3 };

CheckState GetCheck(HWND tree, HTREEITEM row);
void SetCheck(HWND tree, HTREEITEM row, CheckState state, bool pushDown);

// A left press on a row's check box toggles it (Checked -> Unchecked, anything else ->
// Checked) with push down. Returns true when the press hit a check box, so the caller can
// suppress the tree view's own toggling.
bool ToggleCheckAt(HWND tree, POINT clientPoint);

// Gives the tree view our check-box images and frees the list it made for itself. The list
// stays ours: take it back (a null list) when the tree's parent is destroyed, or the tree view
// frees it with itself.
void UseStateImages(HWND tree, HIMAGELIST images);

}  // namespace scw
