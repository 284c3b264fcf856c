#pragma once
// Templates are drawn at two pixels per dialog unit, whatever the dialog font measures here: a
// window built from one moves its controls to that scale itself.
#include <windows.h>

namespace scw {

// Moves and sizes every child of `parent` from the parent's present client size to
// width x height, keeping each child's place in proportion. Nothing happens while the client
// area is empty.
void ScaleChildren(HWND parent, int width, int height);

}  // namespace scw
