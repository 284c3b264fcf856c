#pragma once
// The main window's skin: the pictures it is drawn with and its cut corners, the window's own
// buttons and home link, its icons, and taking all of that to the window's DPI.
#include <windows.h>

#include <array>

#include "controls/BackGround.h"
#include "controls/HyperLink.h"
#include "controls/NButtonEx.h"
#include "framework/Dpi.h"
#include "framework/DpiLayout.h"
#include "framework/UniqueHandle.h"

namespace scw {

class MainChrome {
public:
    // Makes the skin and the buttons in the skin's pixels (96 DPI) and gives the window the
    // skin's size.
    void Build(HWND window);
    // Minimise and close at the top right; Update and Help just above the pages' top edge.
    void PlaceButtons(int pagesTop);
    // Records every child's place at 96 DPI (the pages' too, so they must exist by now), then
    // takes the window to `dpi`.
    void CaptureAndApply(Dpi dpi);
    // Takes the window, its skin, its controls and its corners to `dpi`; at the suggested place
    // when the system moved the window to a screen of another scale.
    void ApplyDpi(Dpi dpi, const RECT* suggested);
    void Paint();

    HICON SmallIcon() const { return mainIcon_.Get(); }
    // In tab order: the windows that come before the page strip, and those after the pages.
    std::array<HWND, 2> WindowsBeforeStrip() const;
    std::array<HWND, 4> WindowsAfterPages() const;

private:
    void FitToSkin();
    void SetIcons(Dpi dpi);
    void SkinButtons();

    HWND window_ = nullptr;
    CBackGround background_;
    CNButtonEx updateButton_;
    CNButtonEx helpTopButton_;
    CNButtonEx helpSideButton_;
    CNButtonEx minimizeButton_;
    CNButtonEx closeButton_;
    CHyperLink homeLink_;
    UniqueIcon mainIcon_;
    UniqueIcon bigIcon_;
    // The window's size and its controls' places at 96 DPI, as the skin is drawn.
    SIZE size96_{};
    DpiLayout layout_;
    bool firstPaintMarked_ = false;
};

}  // namespace scw
