#include "controls/GuiDrawLayer.h"

namespace scw::GuiDrawLayer {

COLORREF AddToEachPart(COLORREF colour, int delta) {
    auto part = [delta](int value) { return static_cast<BYTE>((value + delta) & 0xFF); };
    return RGB(part(GetRValue(colour)), part(GetGValue(colour)), part(GetBValue(colour)));
}

COLORREF GroupBoxCaption() { return AddToEachPart(::GetSysColor(COLOR_HIGHLIGHT), 10); }
COLORREF GroupBoxFrame() { return ::GetSysColor(COLOR_BTNSHADOW); }
COLORREF MenuBackground() { return ::GetSysColor(COLOR_MENU); }
COLORREF MenuSelectedBackground() { return ::GetSysColor(COLOR_HIGHLIGHT); }
COLORREF MenuText() { return ::GetSysColor(COLOR_MENUTEXT); }
COLORREF MenuSelectedText() { return ::GetSysColor(COLOR_HIGHLIGHTTEXT); }
COLORREF MenuDisabledText() { return ::GetSysColor(COLOR_GRAYTEXT); }

}  // namespace scw::GuiDrawLayer
