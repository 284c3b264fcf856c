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

bool ToggleCheck(HWND tree, HTREEITEM row) {
    if (!row || GetCheck(tree, row) == NoCheckBox) return false;
    SetCheck(tree, row, GetCheck(tree, row) == Checked ? Unchecked : Checked, true);
    // Screen readers hear the row's new state.
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, tree, OBJID_CLIENT, RowChildId(tree, row));
    return true;
}

bool ToggleCheckAt(HWND tree, POINT clientPoint, const RowToggle& toggle) {
    TVHITTESTINFO hit{};
    hit.pt = clientPoint;
    HTREEITEM row = TreeView_HitTest(tree, &hit);
    if (!row || !(hit.flags & TVHT_ONITEMSTATEICON)) return false;
    return toggle(tree, row);
}

bool ToggleCheckByKey(HWND tree, UINT message, WPARAM key, const RowToggle& toggle) {
    if (key != VK_SPACE) return false;
    switch (message) {
    case WM_KEYDOWN:
        if (HTREEITEM row = TreeView_GetSelection(tree)) toggle(tree, row);
        ::InvalidateRect(tree, nullptr, FALSE);
        return true;
    case WM_KEYUP:
    case WM_CHAR:
        return true;
    default:
        return false;
    }
}

long RowChildId(HWND tree, HTREEITEM row) {
    long id = 1;
    for (HTREEITEM r = TreeView_GetRoot(tree); r; r = TreeView_GetNextVisible(tree, r), ++id)
        if (r == row) return id;
    return CHILDID_SELF;
}

HTREEITEM RowOfChildId(HWND tree, long childId) {
    if (childId <= 0) return nullptr;
    HTREEITEM r = TreeView_GetRoot(tree);
    for (long id = 1; r && id < childId; ++id) r = TreeView_GetNextVisible(tree, r);
    return r;
}

void UseStateImages(HWND tree, HIMAGELIST images) {
    if (HIMAGELIST own = TreeView_SetImageList(tree, images, TVSIL_STATE)) ::ImageList_Destroy(own);
}

}  // namespace scw
