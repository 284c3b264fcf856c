#pragma once
// Walks the blocks of a GIF held in memory, strictly inside the given bytes, and cuts single
// frames out of it as self-contained GIFs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scw {

struct GifFrameInfo {
    size_t begin = 0;  // the frame's graphic control extension, or its descriptor when it has none
    size_t end = 0;    // one past its last data sub-block
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0;     // hundredths of a second
    int disposal = 0;  // 2 restore to background, 3 restore to previous
};

struct GifInfo {
    int width = 0, height = 0;  // logical screen
    size_t headerSize = 0;      // header, screen descriptor and global colour table
    bool hasBackground = false;
    uint8_t background[3] = {255, 255, 255};  // red, green, blue
    std::vector<GifFrameInfo> frames;
    bool complete = false;  // the walk reached the trailer
};

bool HasGifSignature(std::span<const uint8_t> data);
// Empty when the data is not a GIF, its colour table runs past the end, or it holds no frame.
// A block that would run past the end ends the walk; the frames before it are kept.
std::optional<GifInfo> ParseGif(std::span<const uint8_t> data);
// Header, screen descriptor and global colour table, the frame's own bytes, and a trailer.
std::vector<uint8_t> BuildFrameGif(std::span<const uint8_t> data, const GifInfo& info, const GifFrameInfo& frame);
// How long a frame shows: very short delays are stretched to 100 ms.
int FrameDelayMs(int hundredths);

}  // namespace scw
