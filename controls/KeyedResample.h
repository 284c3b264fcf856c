#pragma once
// Resizes a skin picture whose key colour marks where the background shows through, without
// letting the key bleed into the picture's edges or the picture's colours into the key.
#include <cstdint>
#include <span>
#include <vector>

namespace scw {

// Pixels are 0x00RRGGBB, rows top to bottom. Each destination pixel averages the source pixels it
// covers by covered area, leaving key pixels out; it is the key when key pixels cover at least half
// of it. Works for enlarging too (each source pixel then covers several destination pixels).
// Empty when a size is not positive or the source holds fewer than width x height pixels.
// kNoKey: every pixel is picture (a plain area-weighted resize).
inline constexpr uint32_t kNoKey = 0xFFFFFFFF;
std::vector<uint32_t> ResampleKeyed(std::span<const uint32_t> source, int width, int height, int toWidth,
                                    int toHeight, uint32_t key);

}  // namespace scw
