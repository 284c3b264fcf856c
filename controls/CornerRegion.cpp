#include "controls/CornerRegion.h"

#include <algorithm>

#include "framework/UniqueHandle.h"

namespace scw {

HRGN KeyCutCornerRegion(HDC picture, const RECT& area, int cornerSize, COLORREF key) {
    HRGN region = ::CreateRectRgnIndirect(&area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int n = std::min({cornerSize, width / 2, height / 2});
    const POINT corners[4] = {{area.left, area.top},
                              {area.right - n, area.top},
                              {area.left, area.bottom - n},
                              {area.right - n, area.bottom - n}};
    for (const POINT& corner : corners) {
        for (int y = corner.y; y < corner.y + n; ++y) {
            // Each run of key pixels along a row leaves the region at once.
            for (int x = corner.x; x < corner.x + n;) {
                int end = x;
                while (end < corner.x + n && ::GetPixel(picture, end, y) == key) ++end;
                if (end == x) {
                    ++x;
                    continue;
                }
                UniqueRgn run(::CreateRectRgn(x, y, end, y + 1));
                ::CombineRgn(region, region, run.Get(), RGN_DIFF);
                x = end;
            }
        }
    }
    return region;
}

HRGN KeyCutCornerRegion(HBITMAP picture, int cornerSize, COLORREF key) {
    BITMAP info{};
    if (!picture || !::GetObjectW(picture, sizeof info, &info)) return nullptr;
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    SelectScope selected(dc.Get(), picture);
    return KeyCutCornerRegion(dc.Get(), RECT{0, 0, info.bmWidth, info.bmHeight}, cornerSize, key);
}

}  // namespace scw
