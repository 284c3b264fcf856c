#pragma once
// Character cells of the segment display: each cell is a set of segment outlines in design units
// (cells are 83 units high; 49 wide for seven- and fourteen-segment cells, 18 for colon/dot) and
// a mask of the segments that are lit.
#include <cstdint>
#include <string>
#include <vector>

namespace scw {

// Style bits of the display.
enum DigiStyle : unsigned {
    kDigiSmooth = 1,
    kDigiFourteen = 2,
    kDigiProportional = 4,
    kDigiNoOff = 8,
    kDigiSoft = 16,
};
inline constexpr unsigned kDigiDefaultStyle = kDigiProportional | kDigiSoft;
inline constexpr int kDigiCellHeight = 83;

struct DigiPoint {
    double x, y;
};

// One segment's outline, a closed polygon in design units.
struct CDSegment {
    std::vector<DigiPoint> points;
};

class CDigiChar {
public:
    enum Kind { kSeven, kFourteen, kColonDot };
    Kind kind() const { return kind_; }
    int Width() const { return width_; }
    int SegmentCount() const { return static_cast<int>(segments_.size()); }
    uint16_t Mask() const { return mask_; }
    bool NoOff() const { return noOff_; }
    void SetNoOff(bool noOff) { noOff_ = noOff; }
    bool IsLit(int segment) const { return (mask_ >> segment) & 1; }
    const std::vector<CDSegment>& Segments() const { return segments_; }

protected:
    CDigiChar(Kind kind, int width, uint16_t mask) : kind_(kind), width_(width), mask_(mask) {}
    std::vector<CDSegment> segments_;

private:
    Kind kind_;
    int width_;
    uint16_t mask_;
    bool noOff_ = false;
};

class CDigi7Segment : public CDigiChar {
public:
    CDigi7Segment(uint16_t mask, bool smooth);
};

class CDigi14Segment : public CDigiChar {
public:
    CDigi14Segment(uint16_t mask, bool smooth);
};

class CDigiColonDotChar : public CDigiChar {
public:
    CDigiColonDotChar(uint16_t mask, bool smooth);
};

// Turns a text into cells: upper-cased; digits, space and "-" as seven-segment cells (fourteen with
// kDigiFourteen); letters and * + ( ) \ / ' as fourteen-segment cells; ":" and "." as colon/dot
// cells; anything else leaves no cell.
std::vector<CDigiChar> BuildDigiCells(const std::wstring& text, unsigned style);

}  // namespace scw
