#pragma once
// Lets a plain tree view toggle its check boxes through the tri-state logic: a left press on a
// check box is handled by ToggleCheckAt and never reaches the tree view's own toggling.
#include <windows.h>

namespace scw {

// Installs the hook for the life of the window.
bool HookCheckClicks(HWND tree);

}  // namespace scw
