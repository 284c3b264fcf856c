#include <gtest/gtest.h>

#include <random>

#include "GifBuilder.h"
#include "controls/GifParser.h"

namespace scw {
namespace {

using test::GifBuilder;

TEST(GifParser, ReadsScreenBackgroundAndEachFramesDelayDisposalAndPlace) {
    const auto gif = GifBuilder(8, 6)
                         .Application()
                         .Frame({.colorIndex = 0, .delay = 0, .disposal = 2})
                         .Comment("between frames")
                         .Frame({.colorIndex = 1, .delay = 25, .disposal = 3, .left = 2, .top = 1, .width = 4,
                                 .height = 3})
                         .Frame({.colorIndex = 2, .delay = -1})
                         .Bytes();
    const auto info = ParseGif(gif);
    ASSERT_TRUE(info);
    EXPECT_EQ(8, info->width);
    EXPECT_EQ(6, info->height);
    EXPECT_EQ(13u + 12u, info->headerSize);
    EXPECT_EQ(255, info->background[0] & info->background[1] & info->background[2]);
    EXPECT_TRUE(info->complete);
    ASSERT_EQ(3u, info->frames.size());
    EXPECT_EQ(0, info->frames[0].delay);
    EXPECT_EQ(2, info->frames[0].disposal);
    EXPECT_EQ(25, info->frames[1].delay);
    EXPECT_EQ(3, info->frames[1].disposal);
    EXPECT_EQ(2, info->frames[1].left);
    EXPECT_EQ(1, info->frames[1].top);
    EXPECT_EQ(4, info->frames[1].width);
    EXPECT_EQ(3, info->frames[1].height);
    EXPECT_EQ(0, info->frames[2].delay);  // no control extension: no delay, disposal 0
    EXPECT_EQ(0, info->frames[2].disposal);
    EXPECT_EQ(0x21, gif[info->frames[1].begin]);  // a frame starts at its control extension
    EXPECT_EQ(0x2C, gif[info->frames[2].begin]);
}

TEST(GifParser, FrameDelaysBelowFiveHundredthsPlayAtOneHundredMilliseconds) {
    for (int d = 0; d <= 4; ++d) EXPECT_EQ(100, FrameDelayMs(d)) << d;
    EXPECT_EQ(50, FrameDelayMs(5));
    EXPECT_EQ(250, FrameDelayMs(25));
}

TEST(GifParser, CutsAFrameIntoASelfContainedGif) {
    const auto gif = GifBuilder(4, 4).Frame({.colorIndex = 0}).Frame({.colorIndex = 1, .delay = 7}).Bytes();
    const auto info = ParseGif(gif);
    ASSERT_TRUE(info);
    const auto single = BuildFrameGif(gif, *info, info->frames[1]);
    ASSERT_EQ(info->headerSize + (info->frames[1].end - info->frames[1].begin) + 1, single.size());
    EXPECT_EQ(0x3B, single.back());
    const auto again = ParseGif(single);
    ASSERT_TRUE(again);
    ASSERT_EQ(1u, again->frames.size());
    EXPECT_EQ(7, again->frames[0].delay);
}

TEST(GifParser, TruncatedGifsKeepTheWholeFramesBeforeTheCutAndNeverFailLate) {
    const auto gif = GifBuilder(6, 6).Frame({.colorIndex = 0}).Frame({.colorIndex = 1}).Frame({.colorIndex = 2})
                         .Bytes();
    const auto full = ParseGif(gif);
    ASSERT_TRUE(full);
    for (size_t length = 0; length < gif.size(); ++length) {
        const std::vector<uint8_t> cut(gif.begin(), gif.begin() + length);
        const auto info = ParseGif(cut);
        size_t whole = 0;
        for (const auto& f : full->frames) whole += f.end <= length ? 1 : 0;
        if (whole == 0) {
            EXPECT_FALSE(info) << length;
            continue;
        }
        ASSERT_TRUE(info) << length;
        EXPECT_EQ(whole, info->frames.size()) << length;
        EXPECT_FALSE(info->complete);
        for (const auto& f : info->frames) EXPECT_LE(f.end, length);
    }
}

TEST(GifParser, RefusesColourTablesAndBlocksThatRunPastTheEnd) {
    std::vector<uint8_t> bigTable = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0x87, 0, 0};  // 768-byte table
    bigTable.resize(13 + 100, 0);
    EXPECT_FALSE(ParseGif(bigTable));

    auto gif = GifBuilder(2, 2).Frame({.colorIndex = 0}).Bytes(false);
    gif.insert(gif.end(), {0x21, 0xFE, 0xFF, 'x'});  // a comment claiming 255 bytes
    const auto info = ParseGif(gif);
    ASSERT_TRUE(info);
    EXPECT_EQ(1u, info->frames.size());

    const std::vector<uint8_t> noFrames = GifBuilder(2, 2).Comment("only words").Bytes();
    EXPECT_FALSE(ParseGif(noFrames));
    EXPECT_FALSE(ParseGif(std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'b', 1, 0, 1, 0, 0, 0, 0, 0x3B}));
}

TEST(GifParser, RandomBytesBehindAGifHeaderAreWalkedSafely) {
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> data = {'G', 'I', 'F', '8', '9', 'a'};
        const size_t length = random() % 200;
        for (size_t i = 0; i < length; ++i) data.push_back(static_cast<uint8_t>(random()));
        if (round % 3 == 0 && data.size() > 13) data[13] = 0x2C;  // steer some rounds into image blocks
        const auto info = ParseGif(data);
        if (!info) continue;
        for (const auto& f : info->frames) {
            EXPECT_LE(f.begin, f.end);
            EXPECT_LE(f.end, data.size());
            EXPECT_LE(BuildFrameGif(data, *info, f).size(), data.size() + 1);
        }
    }
}

}  // namespace
}  // namespace scw
