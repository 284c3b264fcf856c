#include "controls/ControlDpi.h"

#include <cwchar>

namespace scw {

int SystemMetricAt(int index, Dpi dpi) { return dpi.Rescale(::GetSystemMetrics(index), SystemDpi()); }

ScaledFont DescribeFont(const wchar_t* face, int height96, int weight, bool underline, int escapement,
                        BYTE quality, BYTE pitchAndFamily) {
    LOGFONTW font{};
    font.lfHeight = height96;
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = quality;
    font.lfPitchAndFamily = pitchAndFamily;
    ::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return ScaledFont(font);
}

ScaledFont DescribeSystemFont(const LOGFONTW& atSystemDpi) {
    LOGFONTW at96 = atSystemDpi;
    const Dpi system = SystemDpi();
    at96.lfHeight = system.Unscale(atSystemDpi.lfHeight);
    at96.lfWidth = system.Unscale(atSystemDpi.lfWidth);
    return ScaledFont(at96);
}

ScaledFont DescribeSystemFont(HFONT font) {
    LOGFONTW described{};
    if (!font || !::GetObjectW(font, sizeof(described), &described)) return ScaledFont();
    return DescribeSystemFont(described);
}

}  // namespace scw
