#pragma once
// The tree view lays its rows out, and hit-tests them, from the sizes of its image lists. These
// blank lists of the painter's box widths put its check-box and icon areas exactly where we draw.
#include <windows.h>
#include <commctrl.h>

#include "framework/UniqueHandle.h"
#include "sweep/page/TreeRowPainter.h"

namespace scw {

class TreeLayoutImages {
public:
    // Gives the tree lists for these boxes; the lists it had before go once it no longer uses them.
    void Load(HWND tree, const TreeRowMetrics& metrics);
    // Our state list is ours to free: the tree view must not free it with itself (WM_DESTROY).
    static void Release(HWND tree) { TreeView_SetImageList(tree, nullptr, TVSIL_STATE); }

private:
    UniqueImageList states_;
    UniqueImageList icons_;
};

}  // namespace scw
