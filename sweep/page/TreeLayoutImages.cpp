#include "sweep/page/TreeLayoutImages.h"

#include "sweep/page/TreeChecks.h"

namespace scw {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);

UniqueImageList BlankList(int width, int height, int count) {
    UniqueImageList list(::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0));
    if (!list) return list;
    UniqueBitmap blank(::CreateCompatibleBitmap(WindowDc(nullptr).Get(), width * count, height));
    if (!blank) return list;
    {
        UniqueMemDc dc(::CreateCompatibleDC(nullptr));
        SelectScope select(dc.Get(), blank.Get());
        RECT all{0, 0, width * count, height};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ::ImageList_AddMasked(list.Get(), blank.Get(), kWhite);
    return list;
}
}  // namespace

void TreeLayoutImages::Load(HWND tree, const TreeRowMetrics& m) {
    UniqueImageList states = BlankList(m.boxWidth, m.iconSize, 4);
    UniqueImageList icons = BlankList(m.iconBox, m.iconSize, 1);
    TreeView_SetImageList(tree, icons.Get(), TVSIL_NORMAL);
    // The first time the tree view's own check boxes go; later our previous list goes below.
    if (states_)
        TreeView_SetImageList(tree, states.Get(), TVSIL_STATE);
    else
        UseStateImages(tree, states.Get());
    states_ = std::move(states);
    icons_ = std::move(icons);
}

}  // namespace scw
