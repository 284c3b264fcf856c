#include "GifBuilder.h"

namespace scw::test {

namespace {

void Word(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void SubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = std::min<size_t>(255, data.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + at, data.begin() + at + n);
    }
    out.push_back(0);
}

// LZW with code size 2 that clears the table every two pixels, so every code stays 3 bits wide.
std::vector<uint8_t> Encode(int pixels, int index) {
    std::vector<uint8_t> bytes;
    uint32_t buffer = 0;
    int bits = 0;
    auto emit = [&](uint32_t code) {
        buffer |= code << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.push_back(static_cast<uint8_t>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0) emit(4);  // clear
        emit(static_cast<uint32_t>(index));
    }
    emit(5);  // end of information
    if (bits > 0) bytes.push_back(static_cast<uint8_t>(buffer & 0xFF));
    return bytes;
}

}  // namespace

GifBuilder::GifBuilder(int width, int height) : width_(width), height_(height) {}

GifBuilder& GifBuilder::Frame(const GifFrameShape& shape) {
    const int w = shape.width ? shape.width : width_;
    const int h = shape.height ? shape.height : height_;
    if (shape.delay >= 0) {
        body_.insert(body_.end(), {0x21, 0xF9, 0x04, static_cast<uint8_t>((shape.disposal & 7) << 2)});
        Word(body_, shape.delay);
        body_.insert(body_.end(), {0x00, 0x00});
    }
    body_.push_back(0x2C);
    Word(body_, shape.left);
    Word(body_, shape.top);
    Word(body_, w);
    Word(body_, h);
    body_.push_back(0x00);
    body_.push_back(0x02);  // LZW code size
    SubBlocks(body_, Encode(w * h, shape.colorIndex));
    return *this;
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
    body_.insert(body_.end(), {0x21, 0xFE});
    SubBlocks(body_, std::vector<uint8_t>(text.begin(), text.end()));
    return *this;
}

GifBuilder& GifBuilder::Application() {
    const char id[] = "NETSCAPE2.0";
    body_.insert(body_.end(), {0x21, 0xFF, 0x0B});
    body_.insert(body_.end(), id, id + 11);
    SubBlocks(body_, {0x01, 0x00, 0x00});
    return *this;
}

std::vector<uint8_t> GifBuilder::Bytes(bool trailer) const {
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Word(out, width_);
    Word(out, height_);
    out.insert(out.end(), {0x81, 0x03, 0x00});  // global table of 4 entries, background index 3
    out.insert(out.end(), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    out.insert(out.end(), body_.begin(), body_.end());
    if (trailer) out.push_back(0x3B);
    return out;
}

}  // namespace scw::test
