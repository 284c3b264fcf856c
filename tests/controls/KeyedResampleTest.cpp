#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/KeyedResample.h"

namespace scw {
namespace {

constexpr uint32_t kKey = 0xFF00FF;
constexpr uint32_t kTeal = 0x0A64C8;

// width x height pixels; the first `keyColumns` columns are the key, the rest teal.
std::vector<uint32_t> KeyOnTheLeft(int width, int height, int keyColumns) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height), kTeal);
    for (int y = 0; y < height; ++y) std::fill_n(pixels.begin() + y * width, keyColumns, kKey);
    return pixels;
}

TEST(KeyedResample, ReducedEdgeIsEitherKeyOrThePictureNeverAMix) {
    // 9 -> 6 (150 % to 100 %) and 9 -> 7 (to 125 %): edges fall inside destination pixels.
    for (int to : {6, 7, 5}) {
        const auto out = ResampleKeyed(KeyOnTheLeft(9, 9, 4), 9, 9, to, to, kKey);
        ASSERT_EQ(static_cast<size_t>(to * to), out.size());
        for (uint32_t pixel : out) EXPECT_TRUE(pixel == kKey || pixel == kTeal) << std::hex << pixel << " at " << to;
        // A destination column is key where the key covers at least half of it.
        int keyColumns = 0;
        for (int x = 0; x < to; ++x) keyColumns += out[static_cast<size_t>(x)] == kKey;
        const int expected = to == 6 ? 3 : to == 7 ? 3 : 2;  // 4/9 of the width, rounded by the half rule
        EXPECT_EQ(expected, keyColumns) << to;
    }
}

TEST(KeyedResample, HalfCoveredPixelIsKeyAndLessIsThePictureUnmixed) {
    EXPECT_EQ(std::vector<uint32_t>{kKey}, ResampleKeyed(std::vector<uint32_t>{kKey, kTeal}, 2, 1, 1, 1, kKey));
    EXPECT_EQ(std::vector<uint32_t>{kTeal},
              ResampleKeyed(std::vector<uint32_t>{kKey, kTeal, kTeal}, 3, 1, 1, 1, kKey));
}

TEST(KeyedResample, PlainPicturesAverageByAreaAndKeyOnlyStaysKey) {
    // Key-free: a plain box filter, rounded to nearest.
    const std::vector<uint32_t> checker{0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    EXPECT_EQ(std::vector<uint32_t>{0x808080}, ResampleKeyed(checker, 2, 2, 1, 1, kKey));
    // Three source pixels over two: the middle one is split between both.
    EXPECT_EQ((std::vector<uint32_t>{0x00002B, 0x0000D5}),  // (2*0 + 128) / 3, (128 + 2*255) / 3
              ResampleKeyed(std::vector<uint32_t>{0x000000, 0x000080, 0x0000FF}, 3, 1, 2, 1, kKey));
    // Without a key even magenta is picture.
    EXPECT_EQ(std::vector<uint32_t>{0x800080},
              ResampleKeyed(std::vector<uint32_t>{kKey, 0x000000}, 2, 1, 1, 1, kNoKey));
    // Key-only, at an odd size.
    const auto keyOnly = ResampleKeyed(std::vector<uint32_t>(7 * 5, kKey), 7, 5, 3, 2, kKey);
    ASSERT_EQ(6u, keyOnly.size());
    EXPECT_TRUE(std::all_of(keyOnly.begin(), keyOnly.end(), [](uint32_t p) { return p == kKey; }));
}

TEST(KeyedResample, AverageThatWouldEqualTheKeyIsMovedOffIt) {
    // (254,0,255) and (255,0,254) average to the key itself: that would be a hole in the picture.
    const auto out = ResampleKeyed(std::vector<uint32_t>{0xFE00FF, 0xFF00FE}, 2, 1, 1, 1, kKey);
    ASSERT_EQ(1u, out.size());
    EXPECT_NE(kKey, out[0]);
}

TEST(KeyedResample, EnlargesWithTheSameRules) {
    EXPECT_EQ((std::vector<uint32_t>{kKey, kKey, kTeal, kTeal}),
              ResampleKeyed(std::vector<uint32_t>{kKey, kTeal}, 2, 1, 4, 1, kKey));
    const auto out = ResampleKeyed(KeyOnTheLeft(3, 3, 1), 3, 3, 5, 4, kKey);
    ASSERT_EQ(20u, out.size());
    for (uint32_t pixel : out) EXPECT_TRUE(pixel == kKey || pixel == kTeal);
}

TEST(KeyedResample, RefusesSizesItCannotServe) {
    const std::vector<uint32_t> three(3, kTeal);
    EXPECT_TRUE(ResampleKeyed(three, 2, 2, 1, 1, kKey).empty());  // fewer pixels than 2 x 2
    EXPECT_TRUE(ResampleKeyed(three, 3, 1, 0, 1, kKey).empty());
    EXPECT_TRUE(ResampleKeyed(three, -3, 1, 1, 1, kKey).empty());
}

}  // namespace
}  // namespace scw
