#pragma once
// The turning status square of the item being scanned: a frame every half second on the item
// tree's own thread, repainting the rows of the item, its program and its category (whose counts
// change with it).
#include <windows.h>

#include "controls/SubclassWindow.h"
#include "engine/MyObject.h"
#include "sweep/page/NodeRows.h"
#include "sweep/page/TreeRowPainter.h"

namespace scw {

class ScanAnimation {
public:
    static constexpr UINT_PTR kTimer = 1000;
    static constexpr UINT kFrameMs = 500;
    static constexpr int kFrames = TreeRowLayout::kAnimationFrames;

    ScanAnimation(const CSubclassWindow& tree, const NodeRows& rows) : tree_(tree), rows_(rows) {}

    void Start(CMyObject* item);
    void Stop(CMyObject* item);
    // The tree's kTimer went off.
    void Tick();
    // The tree's window is going.
    void Forget();

    CMyObject* Item() const { return item_; }
    int Frame() const { return frame_; }

private:
    HWND Tree() const { return tree_.GetSafeHwnd(); }
    void InvalidateRowsOf(const CMyObject* node);

    const CSubclassWindow& tree_;
    const NodeRows& rows_;
    CMyObject* item_ = nullptr;
    int frame_ = 0;
};

}  // namespace scw
