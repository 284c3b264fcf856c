#pragma once
// The item tree of the privacy sweep page: a tree view whose rows are the catalogue nodes and
// which paints every row itself, with a count column and a status square at its right edge.
// Runs call it from their workers; it does the window work on its own thread, through its channel.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/SubclassWindow.h"
#include "engine/Catalogue.h"
#include "framework/UiChannel.h"
#include "sweep/page/NodeRows.h"
#include "sweep/page/ScanAnimation.h"
#include "sweep/page/TreeAccess.h"
#include "sweep/page/TreeChecks.h"
#include "sweep/page/TreeLayoutImages.h"
#include "sweep/page/TreeRowPainter.h"
#include "sweep/page/WarnedTicks.h"

namespace scw {

class CMyTreeCtrl : public CSubclassWindow {
public:
    static constexpr int kControlId = 10000;
    static constexpr UINT_PTR kAnimationTimer = ScanAnimation::kTimer;
    static constexpr UINT kAnimationMs = ScanAnimation::kFrameMs;
    static constexpr int kAnimationFrames = ScanAnimation::kFrames;
    static constexpr int kStatusSquare = TreeRowLayout::kStatusSquare;
    static constexpr int kStatusGap = TreeRowLayout::kStatusGap;

    CMyTreeCtrl();
    ~CMyTreeCtrl() override;

    // Creates the tree view child in the parent's font. False if the window cannot be made.
    bool Create(HWND parent, const RECT& rect, int id = kControlId);

    // One row per node, in display order, all collapsed.
    void Fill(const Catalogue& catalogue);
    // The node's row, and where its count and status square are drawn (window thread).
    HTREEITEM RowOf(const CMyObject& node) const { return rows_.Of(node).item; }
    const NodeRow& PlacesOf(const CMyObject& node) const { return rows_.Of(node); }

    // Ticks the node of each ID (depth first from the root list); unknown IDs are skipped.
    void ApplyItemSet(const std::vector<int>& ids);
    // Ticks the rule items of these entry names (letter case ignored); names of no item are skipped.
    void ApplyRuleNames(const std::vector<std::wstring>& names);

    // Asks before ticks take rule items with a warning (WarnedTicks); tests answer it themselves.
    AskWarning confirmWarning;
    // Ticks every row, asking once about warned rule items (Select All).
    void CheckAll();
    void UncheckAll();
    CheckState GetCheck(const CMyObject& node) const;

    // Size of "67890" in the tree's font: the count column's width and the text height.
    // Measured on the tree's own thread whoever asks.
    SIZE MeasureCountColumn() const;
    // For the node and its whole subtree: scan state and count back to 0, count column laid
    // out anew, rows repainted; every Checked item is appended to `checked` in display order.
    // Safe from a worker thread: the work runs on the tree's own thread.
    void ResetNodeView(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked);
    // Every category in root-list order; returns the Checked items in display order.
    std::vector<CMyObject*> ResetAllNodes(SIZE countColumn);

    // Around the scan of one item, whose scan state the run has set; callable from a worker
    // thread. They hand the animation and the drawing to the tree's thread.
    void MarkScanning(CMyObject& item);
    void MarkScanned(CMyObject& item);
    const CMyObject* AnimatedItem() const { return animation_.Item(); }
    int AnimationFrame() const { return animation_.Frame(); }

    // Paints the rows that fall into `area` of the client area into `dc` (the paint handler
    // hands it an off-screen bitmap; tests hand it their own).
    void PaintRows(HDC dc, const RECT& area);
    // The boxes of a row at the tree's DPI.
    const TreeRowMetrics& RowMetrics() const { return painter_.Metrics(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    // Runs the work on the tree's thread while its window exists; false when it did not run.
    bool OnTreeThread(const std::function<void()>& work) const;
    // Images, row height, indent and count column for the DPI the tree is shown at now.
    void FitToDpi();
    void RelayoutCounts(CMyObject& node, SIZE countColumn);
    void InsertSubtree(CMyObject* node, HTREEITEM parentRow);
    std::vector<HTREEITEM> CategoryRows() const;
    void ResetSubtree(CMyObject& node, SIZE countColumn, std::vector<CMyObject*>& checked);

    const Catalogue* catalogue_ = nullptr;
    // A press or Space on a check box; a tick asks first about warned rule items.
    const RowToggle toggle_;
    TreeRowPainter painter_;
    NodeRows rows_;
    // The tree view's own indent, taken as its 96-DPI length.
    int baseIndent_ = 0;
    TreeLayoutImages layoutImages_;
    std::unique_ptr<UiChannel> channel_;
    TreeAccess access_{*this};
    // Only touched on the tree's own thread.
    ScanAnimation animation_{*this, rows_};
};

}  // namespace scw
