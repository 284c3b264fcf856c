#pragma once
// Builds small, valid GIFs in memory for the picture tests: a four-colour global table
// (0 red, 1 green, 2 blue, 3 white) and frames each filled with one colour index.
#include <cstdint>
#include <string>
#include <vector>

namespace scw::test {

struct GifFrameShape {
    int colorIndex = 0;
    int delay = 0;     // hundredths of a second; negative: no graphic control extension
    int disposal = 1;
    int left = 0, top = 0, width = 0, height = 0;  // 0 size: the whole screen
};

class GifBuilder {
public:
    GifBuilder(int width, int height);
    GifBuilder& Frame(const GifFrameShape& shape);
    GifBuilder& Comment(const std::string& text);
    GifBuilder& Application();
    std::vector<uint8_t> Bytes(bool trailer = true) const;

private:
    int width_, height_;
    std::vector<uint8_t> body_;
};

}  // namespace scw::test
