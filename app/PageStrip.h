#pragma once
// The strip of page pictures at the main window's left, and the keys that change pages from
// anywhere in the window as a click on the strip does.
#include <windows.h>

#include <functional>

#include "controls/SkinTab.h"

namespace scw {

class PageStrip {
public:
    void Create(HWND owner);
    HWND Window() const { return strip_.GetSafeHwnd(); }
    int Selected() const { return strip_.GetCurrent(); }
    int Count() const { return strip_.GetItemCount(); }
    // Highlights the tab without telling the owner.
    void Select(int index) { strip_.SetCurrent(index); }

    // Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+1..4: true when the key was one of them. After a page
    // change the focus stays in the strip, else goes to `firstControlShown()`, asked once the
    // owner has shown the new page.
    bool HandlePageKey(const MSG& msg, const std::function<HWND()>& firstControlShown);

private:
    HWND owner_ = nullptr;
    CSkinTab strip_;
};

}  // namespace scw
