#include "controls/DigiChar.h"

#include <cmath>
#include <cwctype>

namespace scw {

namespace {

constexpr double kT = 8.0;  // segment thickness

// A bar between two points, with pointed ends (plain) or rounded ends (smooth).
CDSegment Bar(DigiPoint a, DigiPoint b, bool smooth, double thickness = kT) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / length, uy = dy / length;  // along
    const double nx = -uy, ny = ux;                   // across
    const double h = thickness / 2;
    CDSegment s;
    auto add = [&](double along, double across, DigiPoint base) {
        s.points.push_back({base.x + ux * along + nx * across, base.y + uy * along + ny * across});
    };
    if (!smooth) {
        add(0, 0, a);
        add(h, -h, a);
        add(-h, -h, b);
        add(0, 0, b);
        add(-h, h, b);
        add(h, h, a);
        return s;
    }
    constexpr int kSteps = 6;
    const double pi = std::acos(-1.0);
    for (int i = 0; i <= kSteps; ++i) {  // round cap at b, then at a
        const double angle = -pi / 2 + pi * i / kSteps;
        add(std::cos(angle) * h - h, std::sin(angle) * h, b);
    }
    for (int i = 0; i <= kSteps; ++i) {
        const double angle = pi / 2 + pi * i / kSteps;
        add(std::cos(angle) * h + h, std::sin(angle) * h, a);
    }
    return s;
}

CDSegment Dot(double cx, double cy, double size, bool smooth) {
    const double h = size / 2;
    CDSegment s;
    if (!smooth) {
        s.points = {{cx - h, cy - h}, {cx + h, cy - h}, {cx + h, cy + h}, {cx - h, cy + h}};
        return s;
    }
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 12; ++i) s.points.push_back({cx + h * std::cos(pi * i / 6), cy + h * std::sin(pi * i / 6)});
    return s;
}

// Shared outer frame of a 49 x 83 cell.
constexpr double kL = 6, kR = 43, kTop = 6, kMid = 41.5, kBottom = 77;
constexpr double kGap = 2;  // between touching segments

CDSegment Top(bool s) { return Bar({kL + kGap, kTop}, {kR - kGap, kTop}, s); }
CDSegment Middle(bool s) { return Bar({kL + kGap, kMid}, {kR - kGap, kMid}, s); }
CDSegment Bottom(bool s) { return Bar({kL + kGap, kBottom}, {kR - kGap, kBottom}, s); }
CDSegment UpperLeft(bool s) { return Bar({kL, kTop + kGap}, {kL, kMid - kGap}, s); }
CDSegment LowerLeft(bool s) { return Bar({kL, kMid + kGap}, {kL, kBottom - kGap}, s); }
CDSegment UpperRight(bool s) { return Bar({kR, kTop + kGap}, {kR, kMid - kGap}, s); }
CDSegment LowerRight(bool s) { return Bar({kR, kMid + kGap}, {kR, kBottom - kGap}, s); }

struct Masks {
    wchar_t c;
    uint16_t seven;
    uint16_t fourteen;
};

constexpr Masks kDigitMasks[] = {
    {L' ', 0x00, 0x0000}, {L'0', 0x77, 0x3F00}, {L'1', 0x24, 0x1800}, {L'2', 0x5D, 0x36C0},
    {L'3', 0x6D, 0x3CC0}, {L'4', 0x2E, 0x19C0}, {L'5', 0x6B, 0x2DC0}, {L'6', 0x7B, 0x2FC0},
    {L'7', 0x25, 0x3800}, {L'8', 0x7F, 0x3FC0}, {L'9', 0x6F, 0x3DC0}, {L'-', 0x08, 0x00C0},
};

constexpr Masks kFourteenOnly[] = {
    {L'A', 0, 0x3BC0}, {L'B', 0, 0x3CA1}, {L'C', 0, 0x2700}, {L'D', 0, 0x3C21}, {L'E', 0, 0x27C0},
    {L'F', 0, 0x23C0}, {L'G', 0, 0x2F80}, {L'H', 0, 0x1BC0}, {L'I', 0, 0x2421}, {L'J', 0, 0x1E00},
    {L'K', 0, 0x0354}, {L'L', 0, 0x0700}, {L'M', 0, 0x1B06}, {L'N', 0, 0x1B12}, {L'O', 0, 0x3F00},
    {L'P', 0, 0x33C0}, {L'Q', 0, 0x3F10}, {L'R', 0, 0x33D0}, {L'S', 0, 0x2DC0}, {L'T', 0, 0x2021},
    {L'U', 0, 0x1F00}, {L'V', 0, 0x030C}, {L'W', 0, 0x1B18}, {L'X', 0, 0x001E}, {L'Y', 0, 0x11E0},
    {L'Z', 0, 0x240C}, {L'*', 0, 0x00FF}, {L'+', 0, 0x00E1}, {L'(', 0, 0x0014}, {L')', 0, 0x000A},
    {L'\\', 0, 0x0012}, {L'/', 0, 0x000C}, {L'\'', 0, 0x0001},
};

}  // namespace

CDigi7Segment::CDigi7Segment(uint16_t mask, bool s) : CDigiChar(kSeven, 49, mask) {
    // Bits: top, upper left, upper right, middle, lower left, lower right, bottom.
    segments_ = {Top(s), UpperLeft(s), UpperRight(s), Middle(s), LowerLeft(s), LowerRight(s), Bottom(s)};
}

CDigi14Segment::CDigi14Segment(uint16_t mask, bool s) : CDigiChar(kFourteen, 49, mask) {
    constexpr double cx = 24.5, inset = kL + kT;
    const double d = 5.5;  // diagonal thickness
    segments_ = {
        Bar({cx, kTop + kT}, {cx, kMid - kGap - 2}, s, 6),                       // 0 centre upper vertical
        Bar({inset, kTop + kT}, {cx - 4, kMid - kT / 2 - 1}, s, d),             // 1 upper-left diagonal
        Bar({kR - kT, kTop + kT}, {cx + 4, kMid - kT / 2 - 1}, s, d),           // 2 upper-right diagonal
        Bar({cx - 4, kMid + kT / 2 + 1}, {inset, kBottom - kT}, s, d),          // 3 lower-left diagonal
        Bar({cx + 4, kMid + kT / 2 + 1}, {kR - kT, kBottom - kT}, s, d),        // 4 lower-right diagonal
        Bar({cx, kMid + kGap + 2}, {cx, kBottom - kT}, s, 6),                    // 5 centre lower vertical
        Bar({kL + kGap, kMid}, {cx - kGap, kMid}, s),                            // 6 middle left half
        Bar({cx + kGap, kMid}, {kR - kGap, kMid}, s),                            // 7 middle right half
        UpperLeft(s), LowerLeft(s), Bottom(s), LowerRight(s), UpperRight(s), Top(s),  // 8 to 13
    };
}

CDigiColonDotChar::CDigiColonDotChar(uint16_t mask, bool s) : CDigiChar(kColonDot, 18, mask) {
    segments_ = {Dot(9, 26, 7, s), Dot(9, 57, 7, s), Dot(9, kBottom, 7, s)};
}

std::vector<CDigiChar> BuildDigiCells(const std::wstring& text, unsigned style) {
    const bool smooth = (style & kDigiSmooth) != 0;
    const bool fourteen = (style & kDigiFourteen) != 0;
    std::vector<CDigiChar> cells;
    for (wchar_t raw : text) {
        const wchar_t c = static_cast<wchar_t>(std::towupper(raw));
        bool found = false;
        for (const Masks& m : kDigitMasks) {
            if (m.c != c) continue;
            if (fourteen) {
                cells.push_back(CDigi14Segment(m.fourteen, smooth));
            } else {
                cells.push_back(CDigi7Segment(m.seven, smooth));
            }
            found = true;
        }
        for (const Masks& m : kFourteenOnly)
            if (!found && m.c == c) {
                cells.push_back(CDigi14Segment(m.fourteen, smooth));
                found = true;
            }
        if (c == L':') cells.push_back(CDigiColonDotChar(0x3, smooth));
        if (c == L'.') cells.push_back(CDigiColonDotChar(0x4, smooth));
    }
    for (CDigiChar& cell : cells) cell.SetNoOff((style & kDigiNoOff) != 0);
    return cells;
}

}  // namespace scw
