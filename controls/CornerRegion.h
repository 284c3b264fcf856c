#pragma once
// The outline of a skinned window: its rectangle less the key-coloured pixels of its corners,
// which the skin draws to round them off.
#include <windows.h>

namespace scw {

// The rectangle `area` of what `picture` shows (logical coordinates), less every key-coloured
// pixel within its four corner squares of `cornerSize` (at most half the area's width and height).
HRGN KeyCutCornerRegion(HDC picture, const RECT& area, int cornerSize, COLORREF key);
// The same for a whole bitmap placed at (0, 0); null when it is not a bitmap.
HRGN KeyCutCornerRegion(HBITMAP picture, int cornerSize, COLORREF key);

}  // namespace scw
