#include "sweep/page/TreeChecks.h"

namespace scw {

namespace {
void SetOwnState(HWND tree, HTREEITEM row, CheckState state) {
    TreeView_SetItemState(tree, row, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
}

void PushDown(HWND tree, HTREEITEM parent, CheckState state) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
        if (GetCheck(tree, child) != NoCheckBox) SetOwnState(tree, child, state);
        PushDown(tree, child, state);
    }
}

// True when some other child of the parent that shows a check box differs from the state.
bool SiblingsDiffer(HWND tree, HTREEITEM row, CheckState state) {
    HTREEITEM parent = TreeView_GetParent(tree, row);
    for (HTREEITEM s = TreeView_GetChild(tree, parent); s; s = TreeView_GetNextSibling(tree, s)) {
        if (s == row) continue;
        CheckState other = GetCheck(tree, s);
        if (other != NoCheckBox && other != state) return true;
    }
    return false;
}
}  // namespace

CheckState GetCheck(HWND tree, HTREEITEM row) {
    UINT bits = TreeView_GetItemState(tree, row, TVIS_STATEIMAGEMASK);
    return static_cast<CheckState>((bits & TVIS_STATEIMAGEMASK) >> 12);
}

void SetCheck(HWND tree, HTREEITEM row, CheckState state, bool pushDown) {
    if (!row) return;
    SetOwnState(tree, row, state);
    if (state == NoCheckBox) return;
    if (pushDown) PushDown(tree, row, state);

    for (HTREEITEM r = row;;) {
        HTREEITEM parent = TreeView_GetParent(tree, r);
        if (!parent) return;
        if (SiblingsDiffer(tree, r, state)) {
            for (HTREEITEM a = parent; a; a = TreeView_GetParent(tree, a)) {
                if (GetCheck(tree, a) != NoCheckBox) SetOwnState(tree, a, PartlyChecked);
            }
            return;
        }
        SetOwnState(tree, parent, state);
        r = parent;
    }
}

bool ToggleCheckAt(HWND tree, POINT clientPoint) {
    TVHITTESTINFO hit{};
    hit.pt = clientPoint;
    HTREEITEM row = TreeView_HitTest(tree, &hit);
    if (!row || !(hit.flags & TVHT_ONITEMSTATEICON)) return false;
    SetCheck(tree, row, GetCheck(tree, row) == Checked ? Unchecked : Checked, true);
    return true;
}

void UseStateImages(HWND tree, HIMAGELIST images) {
    if (HIMAGELIST own = TreeView_SetImageList(tree, images, TVSIL_STATE)) ::ImageList_Destroy(own);
}

}  // namespace scw
