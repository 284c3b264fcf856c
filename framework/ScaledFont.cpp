#include "framework/ScaledFont.h"

#include <cwchar>

namespace scw {

ScaledFont ScaledFont::Make(const wchar_t* face, int pixelHeight, int weight, bool underline, int escapement,
                            BYTE quality, BYTE pitchAndFamily) {
    LOGFONTW font{};
    font.lfHeight = pixelHeight;
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = quality;
    font.lfPitchAndFamily = pitchAndFamily;
    ::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return ScaledFont(font);
}

ScaledFont ScaledFont::FromPoints(const wchar_t* face, int points, int weight) {
    return Make(face, Dpi(kBaseDpi).FontHeight(points), weight);
}

ScaledFont ScaledFont::FromMade(const LOGFONTW& font, Dpi madeFor) {
    LOGFONTW at96 = font;
    at96.lfHeight = madeFor.Unscale(font.lfHeight);
    at96.lfWidth = madeFor.Unscale(font.lfWidth);
    return ScaledFont(at96);
}

ScaledFont ScaledFont::FromMade(HFONT font, Dpi madeFor) {
    LOGFONTW described{};
    if (!font || !::GetObjectW(font, sizeof(described), &described)) return ScaledFont();
    return FromMade(described, madeFor);
}

HFONT ScaledFont::Get(Dpi dpi) {
    if (!described_) return nullptr;
    if (font_ && madeFor_ == dpi) return font_.Get();
    LOGFONTW scaled = at96_;
    scaled.lfHeight = dpi.Scale(at96_.lfHeight);
    scaled.lfWidth = dpi.Scale(at96_.lfWidth);
    font_.Reset(::CreateFontIndirectW(&scaled));
    madeFor_ = dpi;
    return font_.Get();
}

}  // namespace scw
