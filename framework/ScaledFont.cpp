#include "framework/ScaledFont.h"

#include <cwchar>

namespace scw {

ScaledFont ScaledFont::Make(const wchar_t* face, int pixelHeight, int weight, bool underline, int escapement) {
    LOGFONTW font{};
    font.lfHeight = pixelHeight;
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    ::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return ScaledFont(font);
}

ScaledFont ScaledFont::FromPoints(const wchar_t* face, int points, int weight) {
    return Make(face, Dpi(kBaseDpi).FontHeight(points), weight);
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
