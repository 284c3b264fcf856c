#pragma once
// Draws the rows of the item tree: dotted lines, expand button, check box, icon and name, and
// at the right edge an item's trace count and its status square. Holds the images it draws.
#include <windows.h>
#include <commctrl.h>

#include "engine/MyObject.h"
#include "sweep/page/NodeRows.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

// Where the tree view puts a row's boxes at 96 DPI, so that its layout and hit tests match the drawing.
struct TreeRowLayout {
    static constexpr int kIconSize = 16;
    static constexpr int kBoxWidth = 16;
    // Left of a row's text: expand button 52..36, check box 36..20, icon 20..0 pixels.
    static constexpr int kExpandBox = 52;
    static constexpr int kCheckBox = 36;
    static constexpr int kIconBox = 20;
    static constexpr int kStatusSquare = 16;
    static constexpr int kStatusGap = 5;
    static constexpr int kAnimationFrames = 8;
    static constexpr int kCheckSize = 13;
    static constexpr int kExpandSize = 9;
};

// The same boxes at a DPI. Each box is scaled on its own and the offsets are summed from them,
// as the tree view sums the widths of its image lists: drawing and hit tests stay in step.
struct TreeRowMetrics {
    explicit TreeRowMetrics(Dpi dpi = Dpi());
    int iconSize;
    int boxWidth;
    int iconBox;
    int checkBox;   // iconBox + boxWidth
    int expandBox;  // checkBox + boxWidth
    int checkSize;
    int expandSize;
    int statusSquare;
    int statusGap;
    // Least row height: a pixel above and below the icons and status squares.
    int minRowHeight;
    // The selection reaches this far right of the name, whose text starts this far in.
    int selectionPad;
    int textInset;
};

class TreeRowPainter {
public:
    // Window thread, once the tree exists, and again whenever its DPI changes.
    void LoadImages(Dpi dpi);
    const TreeRowMetrics& Metrics() const { return metrics_; }

    // The rows of the tree view that fall into `area` of its client area, each node's count
    // and status square where `rows` places them. `animated` shows the given frame of the
    // running animation; other running items show its first frame.
    struct Animation {
        const CMyObject* item = nullptr;
        int frame = 0;
    };
    void PaintRows(HWND tree, HDC dc, const RECT& area, const NodeRows& rows, Animation animation) const;

private:
    struct RowGeometry {
        RECT row{};  // the whole row
        int textLeft = 0;
    };

    static bool GetRowGeometry(HWND tree, HTREEITEM row, RowGeometry& geometry);
    void PaintRow(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& geometry, const NodeRows& rows,
                  Animation animation) const;
    void PaintLines(HWND tree, HDC dc, HTREEITEM row, const RowGeometry& geometry) const;
    void PaintName(HWND tree, HDC dc, const CMyObject& node, UINT state, const RowGeometry& geometry) const;
    void PaintCount(HDC dc, const CMyObject& node, const NodeRow& places, const RowGeometry& geometry,
                    Animation animation) const;

    TreeRowMetrics metrics_;
    UniqueImageList icons_;
    UniqueImageList checks_;
    UniqueImageList expand_;
    UniqueImageList frames_;
    UniqueImageList done_;
};

}  // namespace scw
