#pragma once
// A picture file's bytes (a GIF, animated or not, or anything the system's picture loader reads)
// turned into frames that GDI alone can draw: each frame on black with a mask of its transparent
// pixels. Windowless; bad or absurd input gives nothing.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "framework/UniqueHandle.h"

namespace scw {

struct PictureFrame {
    UniqueBitmap color;  // the frame on black
    UniqueBitmap mask;   // white where the frame is transparent, black where it paints
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0, disposal = 0;  // as the GIF gives them
};

struct DecodedPicture {
    bool isGif = false;
    SIZE size{0, 0};  // the whole picture (a GIF's logical screen)
    std::optional<COLORREF> gifBackground;
    std::vector<PictureFrame> frames;  // never empty; one for a still picture
};

inline constexpr size_t kMaxPictureFileBytes = 64u * 1024 * 1024;

// A frame that does not load is dropped from an animation; a picture without any is nothing.
std::optional<DecodedPicture> DecodePicture(std::span<const uint8_t> bytes);

// A top-down 32-bit DIB of the given size, with access to its pixels.
HBITMAP MakeTopDownDib(int width, int height, uint32_t** bits);

}  // namespace scw
