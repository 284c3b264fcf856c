#include "sweep/page/ScanAnimation.h"

#include <commctrl.h>

namespace scw {

void ScanAnimation::Start(CMyObject* item) {
    item_ = item;
    frame_ = 0;
    ::SetTimer(Tree(), kTimer, kFrameMs, nullptr);
    InvalidateRowsOf(item);
}

void ScanAnimation::Stop(CMyObject* item) {
    ::KillTimer(Tree(), kTimer);
    item_ = nullptr;
    InvalidateRowsOf(item);
}

void ScanAnimation::Tick() {
    if (!item_) {
        ::KillTimer(Tree(), kTimer);
        return;
    }
    frame_ = (frame_ + 1) % kFrames;
    InvalidateRowsOf(item_);
}

void ScanAnimation::Forget() {
    ::KillTimer(Tree(), kTimer);
    item_ = nullptr;
}

void ScanAnimation::InvalidateRowsOf(const CMyObject* node) {
    for (const CMyObject* n = node; n; n = n->parent) {
        HTREEITEM row = rows_.Of(*n).item;
        if (!row) continue;
        RECT rc{};
        if (TreeView_GetItemRect(Tree(), row, &rc, FALSE)) ::InvalidateRect(Tree(), &rc, FALSE);
    }
}

}  // namespace scw
