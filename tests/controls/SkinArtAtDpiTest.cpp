#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ControlHost.h"
#include "controls/SkinDraw.h"
#include "res/resource.h"

namespace scw {
namespace {

using test::Canvas;

// Every pixel of a bitmap, drawn on a canvas.
struct Drawn {
    SIZE size;
    Canvas canvas;
    explicit Drawn(HBITMAP bitmap) : size(BitmapSize(bitmap)), canvas(size.cx, size.cy) {
        DrawBitmap(canvas.Dc(), bitmap, 0, 0, size.cx, size.cy);
    }
};

TEST(SkinArtAtDpi, EachDpiGetsThe96DpiSizeScaledAndTheDrawnSetAsIsAtItsOwnScale) {
    // Side tab, the bitmap that holds two buttons, the splash; a strip with odd cells (13 pixels)
    // whose scaled whole is a pixel off its scaled cells at 144 DPI.
    for (UINT id : {IDB_TAB_SWEEP_SELECTED, IDB_MIN_PRESSED, IDB_SPLASH, IDB_TREE_CHECKS}) {
        const SIZE size96 = BitmapSize(LoadSkinBitmap(id).Get());
        ASSERT_GT(size96.cx, 0) << id;
        for (int value : {96, 120, 144, 168, 192, 240}) {
            if (id == IDB_TREE_CHECKS && value == 144) continue;
            const Dpi dpi(value);
            UniqueBitmap bitmap = LoadSkinBitmap(id, dpi);
            const SIZE size = BitmapSize(bitmap.Get());
            EXPECT_EQ(dpi.Scale(size96.cx), size.cx) << id << " at " << value;
            EXPECT_EQ(dpi.Scale(size96.cy), size.cy) << id << " at " << value;
        }
        // At 144 and 192 DPI the picture is the one drawn for that scale: a strip keeps its whole
        // cells, a picture shows its own pixels (here, its top-left one, the key on a tab).
        for (int value : {144, 192}) {
            UniqueBitmap loaded = LoadSkinBitmap(id, Dpi(value));
            const SIZE size = BitmapSize(loaded.Get());
            if (id == IDB_TREE_CHECKS) {
                EXPECT_EQ(4 * Dpi(value).Scale(13), size.cx) << value;
            }
            if (id == IDB_TAB_SWEEP_SELECTED) {
                EXPECT_EQ(kSkinKeyColor, Drawn(loaded.Get()).canvas.Pixel(0, 0)) << value;
            }
        }
    }
}

TEST(SkinArtAtDpi, ReducedAndEnlargedArtHasNoPinkFringe) {
    // The selected side tab is a pill on the key colour; its corners are key at every scale.
    for (int value : {120, 168, 240}) {
        UniqueBitmap bitmap = LoadSkinBitmap(IDB_TAB_SWEEP_SELECTED, Dpi(value));
        Drawn d(bitmap.Get());
        EXPECT_EQ(kSkinKeyColor, d.canvas.Pixel(0, 0)) << value;
        EXPECT_EQ(kSkinKeyColor, d.canvas.Pixel(d.size.cx - 1, d.size.cy - 1)) << value;
        int fringe = 0;
        for (int y = 0; y < d.size.cy; ++y) {
            for (int x = 0; x < d.size.cx; ++x) {
                const COLORREF c = d.canvas.Pixel(x, y);
                // Key mixed into the teal pill or the white text: red and blue high, green low.
                fringe += c != kSkinKeyColor && GetRValue(c) > 120 && GetBValue(c) > 150 && GetGValue(c) < 110;
            }
        }
        EXPECT_EQ(0, fringe) << value;
    }
}

TEST(SkinArtAtDpi, ImageStripIsCutAtTheScaledCellSize) {
    // Tree check states: 4 cells of 13 x 13 at 96 DPI; white shows the tree through.
    for (int value : {96, 120, 144, 192, 240}) {
        const Dpi dpi(value);
        UniqueImageList list = LoadSkinImageStrip(IDB_TREE_CHECKS, 13, 13, 4, RGB(255, 255, 255), dpi);
        ASSERT_TRUE(list) << value;
        EXPECT_EQ(4, ::ImageList_GetImageCount(list.Get())) << value;
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(list.Get(), &cx, &cy);
        const int cell = dpi.Scale(13);
        EXPECT_EQ(cell, cx) << value;
        EXPECT_EQ(cell, cy) << value;
        // Image 0 ("no box") is all clear; image 3 (ticked) is a whole box from edge to edge.
        const COLORREF sentinel = RGB(1, 2, 3);
        Canvas none(cell, cell, sentinel), ticked(cell, cell, sentinel);
        ::ImageList_Draw(list.Get(), 0, none.Dc(), 0, 0, ILD_NORMAL);
        ::ImageList_Draw(list.Get(), 3, ticked.Dc(), 0, 0, ILD_NORMAL);
        EXPECT_EQ(cell * cell, none.Count(sentinel)) << value;
        EXPECT_NE(sentinel, ticked.Pixel(0, cell / 2)) << value;
        EXPECT_NE(sentinel, ticked.Pixel(cell - 1, cell / 2)) << value;
        EXPECT_NE(sentinel, ticked.Pixel(cell / 2, cell - 1)) << value;
    }
}

TEST(SkinArtAtDpi, MissingLargerSetGivesWayToTheNextSmaller) {
    const auto all = [](int) { return true; };
    const auto only150 = [](int p) { return p == 150; };
    const auto none = [](int) { return false; };
    EXPECT_EQ(100, ChooseSkinSet(Dpi(96), all));
    EXPECT_EQ(150, ChooseSkinSet(Dpi(120), all));
    EXPECT_EQ(150, ChooseSkinSet(Dpi(144), all));
    EXPECT_EQ(200, ChooseSkinSet(Dpi(168), all));
    EXPECT_EQ(200, ChooseSkinSet(Dpi(288), all));
    EXPECT_EQ(150, ChooseSkinSet(Dpi(192), only150));
    EXPECT_EQ(100, ChooseSkinSet(Dpi(144), none));
    EXPECT_EQ(100, ChooseSkinSet(Dpi(192), none));
}

}  // namespace
}  // namespace scw
