#pragma once
// Tri-state check boxes of a tree view: a tick is pushed down to every descendant and settled
// upwards into the ancestors. The state lives in the row's state-image bits.
#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace scw {

enum CheckState : UINT { NoCheckBox = 0, Unchecked = 1, PartlyChecked = 2, Checked = 3 };

CheckState GetCheck(HWND tree, HTREEITEM row);
void SetCheck(HWND tree, HTREEITEM row, CheckState state, bool pushDown);

// Toggles the row's check box (Checked -> Unchecked, anything else -> Checked) with push down.
bool ToggleCheck(HWND tree, HTREEITEM row);

// What a press or Space does to a row's check box: ToggleCheck, or a toggle that asks first.
// True when the row has a check box (whether or not its state changed).
using RowToggle = std::function<bool(HWND tree, HTREEITEM row)>;

// Space toggles the selected row's check box as a press on it does; the tree view's own toggling
// and its type-ahead never see the key. True when the message was used.
bool ToggleCheckByKey(HWND tree, UINT message, WPARAM key, const RowToggle& toggle = ToggleCheck);

// Rows as screen readers count them: 1 for the first row, then every row an expanded parent
// shows, in display order (collapsed rows' children are not counted).
long RowChildId(HWND tree, HTREEITEM row);
HTREEITEM RowOfChildId(HWND tree, long childId);

// A left press on a row's check box toggles it (Checked -> Unchecked, anything else ->
// Checked) with push down. Returns true when the press hit a check box, so the caller can
// suppress the tree view's own toggling.
bool ToggleCheckAt(HWND tree, POINT clientPoint, const RowToggle& toggle = ToggleCheck);

// Gives the tree view our check-box images and frees the list it made for itself. The list
// stays ours: take it back (a null list) when the tree's parent is destroyed, or the tree view
// frees it with itself.
void UseStateImages(HWND tree, HIMAGELIST images);

}  // namespace scw
