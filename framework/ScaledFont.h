#pragma once
// A font described at 96 DPI and made for whichever DPI a window shows it at.
#include <windows.h>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class ScaledFont {
public:
    ScaledFont() = default;
    // lfHeight (and lfWidth) in pixels at 96 DPI.
    explicit ScaledFont(const LOGFONTW& at96) : at96_(at96), described_(true) {}
    // A font of `pixelHeight` pixels at 96 DPI (negative: character height, as CreateFont takes it).
    static ScaledFont Make(const wchar_t* face, int pixelHeight, int weight = FW_NORMAL, bool underline = false,
                           int escapement = 0, BYTE quality = CLEARTYPE_QUALITY,
                           BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE);
    // A font that was made for `madeFor` (a dialog's font, a stock or menu font), described at 96
    // DPI; undescribed for a null or unknown font.
    static ScaledFont FromMade(const LOGFONTW& font, Dpi madeFor);
    static ScaledFont FromMade(HFONT font, Dpi madeFor);
    // `points` points: -points * 96 / 72 pixels at 96 DPI.
    static ScaledFont FromPoints(const wchar_t* face, int points, int weight = FW_NORMAL);

    // The font at `dpi`, made again only when the DPI differs from the last call; null if undescribed.
    HFONT Get(Dpi dpi);
    bool Described() const { return described_; }

private:
    LOGFONTW at96_{};
    bool described_ = false;
    UniqueFont font_;
    Dpi madeFor_;
};

}  // namespace scw
