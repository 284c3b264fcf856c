#include "controls/GifParser.h"

#include <cstring>

namespace scw {

namespace {

constexpr uint8_t kExtension = 0x21, kImage = 0x2C, kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9, kComment = 0xFE, kApplication = 0xFF, kPlainText = 0x01;

int Word(std::span<const uint8_t> d, size_t at) { return d[at] | (d[at + 1] << 8); }

// Skips data sub-blocks from pos up to their zero terminator; false if they run past the end.
bool SkipSubBlocks(std::span<const uint8_t> d, size_t& pos) {
    while (pos < d.size()) {
        const size_t length = d[pos++];
        if (length == 0) return true;
        if (length > d.size() - pos) return false;
        pos += length;
    }
    return false;
}

// Moves pos past a fixed-size head; false if it is not all there.
bool Fixed(std::span<const uint8_t> d, size_t& pos, size_t size) {
    if (size > d.size() - pos) return false;
    pos += size;
    return true;
}

}  // namespace

bool HasGifSignature(std::span<const uint8_t> data) {
    return data.size() >= 6 && std::memcmp(data.data(), "GIF", 3) == 0 &&
           (std::memcmp(data.data() + 3, "87a", 3) == 0 || std::memcmp(data.data() + 3, "89a", 3) == 0);
}

std::optional<GifInfo> ParseGif(std::span<const uint8_t> d) {
    if (!HasGifSignature(d) || d.size() < 13) return std::nullopt;
    GifInfo info;
    info.width = Word(d, 6);
    info.height = Word(d, 8);
    const uint8_t packed = d[10];
    size_t tableSize = 0;
    if (packed & 0x80) {
        tableSize = 3u << ((packed & 7) + 1);
        if (tableSize > d.size() - 13) return std::nullopt;
        const size_t index = d[11];
        if (index * 3 + 2 < tableSize) {
            std::memcpy(info.background, d.data() + 13 + index * 3, 3);
            info.hasBackground = true;
        }
    }
    info.headerSize = 13 + tableSize;

    size_t pos = info.headerSize;
    std::optional<GifFrameInfo> control;  // a graphic control extension waiting for its frame
    while (pos < d.size()) {
        const size_t start = pos;
        const uint8_t kind = d[pos];
        if (kind == kTrailer) {
            info.complete = true;
            break;
        }
        if (kind == kImage) {
            if (!Fixed(d, pos, 10)) break;
            GifFrameInfo frame = control.value_or(GifFrameInfo{});
            if (!control) frame.begin = start;
            frame.left = Word(d, start + 1);
            frame.top = Word(d, start + 3);
            frame.width = Word(d, start + 5);
            frame.height = Word(d, start + 7);
            const uint8_t local = d[start + 9];
            if ((local & 0x80) && !Fixed(d, pos, 3u << ((local & 7) + 1))) break;
            if (!Fixed(d, pos, 1) || !SkipSubBlocks(d, pos)) break;  // code size, then the data
            frame.end = pos;
            info.frames.push_back(frame);
            control.reset();
            continue;
        }
        if (kind != kExtension || d.size() - pos < 2) break;  // not a block of this format
        const uint8_t label = d[pos + 1];
        if (label == kGraphicControl) {
            if (!Fixed(d, pos, 8)) break;
            GifFrameInfo frame;
            frame.begin = start;
            frame.disposal = (d[start + 3] >> 2) & 7;
            frame.delay = Word(d, start + 4);
            control = frame;
            continue;
        }
        const size_t head = label == kApplication ? 14 : label == kPlainText ? 15 : 2;
        if (!Fixed(d, pos, head) || !SkipSubBlocks(d, pos)) break;
        if (label == kPlainText) {
            GifFrameInfo frame = control.value_or(GifFrameInfo{});
            if (!control) frame.begin = start;
            frame.left = Word(d, start + 3);
            frame.top = Word(d, start + 5);
            frame.width = Word(d, start + 7);
            frame.height = Word(d, start + 9);
            frame.end = pos;
            info.frames.push_back(frame);
            control.reset();
        }
    }
    if (info.frames.empty()) return std::nullopt;
    return info;
}

std::vector<uint8_t> BuildFrameGif(std::span<const uint8_t> d, const GifInfo& info, const GifFrameInfo& frame) {
    std::vector<uint8_t> out;
    if (info.headerSize > d.size() || frame.begin > frame.end || frame.end > d.size()) return out;
    out.reserve(info.headerSize + (frame.end - frame.begin) + 1);
    out.insert(out.end(), d.begin(), d.begin() + info.headerSize);
    out.insert(out.end(), d.begin() + frame.begin, d.begin() + frame.end);
    out.push_back(kTrailer);
    return out;
}

int FrameDelayMs(int hundredths) { return hundredths < 5 ? 100 : hundredths * 10; }

}  // namespace scw
