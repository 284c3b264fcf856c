#pragma once
// Colours of the skinned pieces, derived from the current system colours so the look follows the
// user's colour scheme.
#include <windows.h>

namespace scw::GuiDrawLayer {

// Adds delta to each of red, green and blue, each part taken modulo 256.
COLORREF AddToEachPart(COLORREF colour, int delta);

COLORREF GroupBoxCaption();  // highlight colour lightened by 10
COLORREF GroupBoxFrame();    // button shadow
COLORREF MenuBackground();
COLORREF MenuSelectedBackground();
COLORREF MenuText();
COLORREF MenuSelectedText();
COLORREF MenuDisabledText();

}  // namespace scw::GuiDrawLayer
