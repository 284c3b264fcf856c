#pragma once
// The item tree of the privacy sweep page: a tree view whose rows are the catalogue nodes and
// which paints every row itself, with a count column and a status square at its right edge.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "engine/Catalogue.h"
#include "framework/UniqueHandle.h"
#include "sweep/core/TreeChecks.h"

namespace scw {

class CMyTreeCtrl {
public:
    static constexpr int kControlId = 10000;
    static constexpr UINT_PTR kAnimationTimer = 1000;
    static constexpr UINT kAnimationMs = 500;
    static constexpr int kAnimationFrames = 8;
    static constexpr int kStatusSquare = 16;
    static constexpr int kStatusGap = 5;

    CMyTreeCtrl() = default;
    ~CMyTreeCtrl();
    CMyTreeCtrl(const CMyTreeCtrl&) = delete;
    CMyTreeCtrl& operator=(const CMyTreeCtrl&) = delete;

    // Creates the tree view child in the parent's font. False if the window cannot be made.
    bool Create(HWND parent, const RECT& rect, int id = kControlId);
    HWND GetSafeHwnd() const { return hwnd_; }

    // One row per node, in display order, all collapsed; every node keeps its row handle.
    void Fill(const Catalogue& catalogue);

    // Ticks the node of each ID (depth first from the root list); unknown IDs are skipped.
    void ApplyItemSet(const std::vector<int>& ids);
    void CheckAll();
    void UncheckAll();
    CheckState GetCheck(const CMyObject& node) const;

    // Size of "67890" in the tree's font: the count column's width and the text height.
    SIZE MeasureCountColumn() const;
    // For the node and its whole subtree: scan state and count back to 0, count column laid
    // out anew, rows repainted; every Checked item is appended to `checked` in display order.
    // Safe from a worker thread: the work runs on the tree's own thread.
    void ResetNodeView(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked);
    // Every category in root-list order; returns the Checked items in display order.
    std::vector<CMyObject*> ResetAllNodes(SIZE countColumn);

    // Around the scan of one item; callable from a worker thread. They set the scan state of
    // the item, its program and its category and hand the drawing to the tree's thread.
    void MarkScanning(CMyObject& item);
    void MarkScanned(CMyObject& item);
    const CMyObject* AnimatedItem() const { return animated_; }
    int AnimationFrame() const { return frame_; }

    // Paints the rows that fall into `area` of the client area into `dc` (the paint handler
    // hands it an off-screen bitmap; tests hand it their own).
    void PaintRows(HDC dc, const RECT& area);

private:
    struct RowGeometry {
        RECT row{};   // the whole row
        int textLeft = 0;
    };

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void LoadImages();
    void InsertSubtree(CMyObject* node, HTREEITEM parentRow);
    void ForEachCategoryRow(CheckState state);

    void LayoutNode(CMyObject& node, SIZE countColumn);
    void ResetSubtree(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked);
    void OnScanning(CMyObject* item);
    void OnScanned(CMyObject* item);
    void OnAnimationTick();
    void InvalidateRowOf(const CMyObject* node, bool countOnly);

    bool GetRowGeometry(HTREEITEM row, RowGeometry& geometry) const;
    void PaintRow(HDC dc, HTREEITEM row, const RowGeometry& geometry);
    void PaintLines(HDC dc, const CMyObject& node, HTREEITEM row, const RowGeometry& geometry);
    void PaintCount(HDC dc, const CMyObject& node, const RowGeometry& geometry);
    int ClientWidthWithScrollBar() const;

    HWND hwnd_ = nullptr;
    const Catalogue* catalogue_ = nullptr;
    HIMAGELIST icons_ = nullptr;
    HIMAGELIST checks_ = nullptr;
    HIMAGELIST layoutStates_ = nullptr;
    HIMAGELIST layoutIcons_ = nullptr;
    HIMAGELIST expand_ = nullptr;
    HIMAGELIST frames_ = nullptr;
    HIMAGELIST done_ = nullptr;
    // Only touched on the tree's own thread.
    CMyObject* animated_ = nullptr;
    int frame_ = 0;
};

}  // namespace scw
