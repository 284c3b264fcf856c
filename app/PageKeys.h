#pragma once
// The keys that change pages from anywhere in the main window: Ctrl+Tab and Ctrl+Shift+Tab step
// through the pages (round), Ctrl+1 to Ctrl+4 (also on the number pad) pick one.
#include <windows.h>

#include <optional>

namespace scw {

// The page a key press asks for, given the page shown and the number of pages; none for any other
// key. Reads the modifier keys' state as the message was sent.
std::optional<int> PageForKey(const MSG& msg, int current, int count);

// Keys that move the keyboard focus (Tab, arrows): after them focus cues are shown.
bool IsNavigationKey(const MSG& msg);

}  // namespace scw
