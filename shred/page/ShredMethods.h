#pragma once
// The shredder page's three methods: a radio group (one tab stop) with a label beside each radio,
// Quick ticked at first. The labels grey with their radios.
#include <windows.h>

#include "controls/GlyphButton.h"
#include "controls/MyStaticCtrl.h"

namespace scw {

class ShredMethods {
public:
    // Quick, Safe and Thorough at `firstId` and the two ids after it, one under the other from
    // `top`, their labels reaching to `labelRight`.
    void Create(HWND page, int firstId, int top, int labelRight);
    // Overwrite passes of the ticked method: 1, 3 or 7.
    int Passes() const;
    void Enable(bool enable);

private:
    HWND page_ = nullptr;
    CNRadioEx radios_[3];
    CMyStaticCtrl labels_[3];
};

}  // namespace scw
