#include "controls/KeyedResample.h"

#include <algorithm>

namespace scw {

namespace {

struct Span {
    int first = 0;                   // first source index covered
    std::vector<long long> weights;  // covered length of each source index from `first` on
};

// Source pixel s spans [s * to, (s + 1) * to) and destination pixel d spans [d * from, (d + 1) * from)
// in units of 1 / (from * to): every overlap is a whole number, so the sums are exact.
std::vector<Span> Overlaps(int from, int to) {
    std::vector<Span> spans(static_cast<size_t>(to));
    for (int d = 0; d < to; ++d) {
        const long long begin = static_cast<long long>(d) * from;
        const long long end = begin + from;
        Span& span = spans[static_cast<size_t>(d)];
        span.first = static_cast<int>(begin / to);
        for (int s = span.first; s < from && static_cast<long long>(s) * to < end; ++s) {
            const long long lo = std::max(begin, static_cast<long long>(s) * to);
            const long long hi = std::min(end, static_cast<long long>(s + 1) * to);
            if (hi > lo) span.weights.push_back(hi - lo);
        }
    }
    return spans;
}

}  // namespace

std::vector<uint32_t> ResampleKeyed(std::span<const uint32_t> source, int width, int height, int toWidth,
                                    int toHeight, uint32_t key) {
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0) return {};
    if (source.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return {};
    if (key != kNoKey) key &= 0xFFFFFF;
    const std::vector<Span> columns = Overlaps(width, toWidth);
    const std::vector<Span> rows = Overlaps(height, toHeight);
    std::vector<uint32_t> out(static_cast<size_t>(toWidth) * static_cast<size_t>(toHeight));
    for (int y = 0; y < toHeight; ++y) {
        const Span& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < toWidth; ++x) {
            const Span& column = columns[static_cast<size_t>(x)];
            long long keyArea = 0, colorArea = 0, red = 0, green = 0, blue = 0;
            for (size_t j = 0; j < row.weights.size(); ++j) {
                const uint32_t* line = source.data() + static_cast<size_t>(row.first + static_cast<int>(j)) * width;
                for (size_t i = 0; i < column.weights.size(); ++i) {
                    const long long area = row.weights[j] * column.weights[i];
                    const uint32_t pixel = line[column.first + static_cast<int>(i)] & 0xFFFFFF;
                    if (pixel == key) {
                        keyArea += area;
                        continue;
                    }
                    colorArea += area;
                    red += area * ((pixel >> 16) & 0xFF);
                    green += area * ((pixel >> 8) & 0xFF);
                    blue += area * (pixel & 0xFF);
                }
            }
            uint32_t& target = out[static_cast<size_t>(y) * toWidth + x];
            if (keyArea * 2 >= keyArea + colorArea) {
                target = key;
                continue;
            }
            const auto mean = [colorArea](long long sum) {
                return static_cast<uint32_t>((sum + colorArea / 2) / colorArea);
            };
            target = (mean(red) << 16) | (mean(green) << 8) | mean(blue);
            // An average that happens to hit the key would punch a hole: move it off by one step.
            if (target == key) target ^= 1;
        }
    }
    return out;
}

}  // namespace scw
