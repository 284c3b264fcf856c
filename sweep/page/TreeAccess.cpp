#include "sweep/page/TreeAccess.h"

#include "sweep/page/TreeChecks.h"

namespace scw {

HTREEITEM TreeAccess::Row(long child) const { return RowOfChildId(Tree(), child); }

long TreeAccess::AccessibleChildCount() {
    long count = 0;
    for (HTREEITEM r = TreeView_GetRoot(Tree()); r; r = TreeView_GetNextVisible(Tree(), r)) ++count;
    return count;
}

std::wstring TreeAccess::AccessibleName(long child) {
    if (!child) return tree_.AccessibleNameGiven();
    wchar_t text[260] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = Row(child);
    item.pszText = text;
    item.cchTextMax = 260;
    TreeView_GetItem(Tree(), &item);
    return text;
}

long TreeAccess::AccessibleState(long child) {
    if (!child) return 0;
    HTREEITEM row = Row(child);
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    switch (GetCheck(Tree(), row)) {
    case Checked: state |= STATE_SYSTEM_CHECKED; break;
    case PartlyChecked: state |= STATE_SYSTEM_MIXED; break;
    default: break;
    }
    if (TreeView_GetSelection(Tree()) == row) state |= STATE_SYSTEM_SELECTED;
    if (TreeView_GetChild(Tree(), row))
        state |= (TreeView_GetItemState(Tree(), row, TVIS_EXPANDED) & TVIS_EXPANDED) ? STATE_SYSTEM_EXPANDED
                                                                                    : STATE_SYSTEM_COLLAPSED;
    return state;
}

std::wstring TreeAccess::AccessibleValue(long child) {
    if (!child) return {};
    int level = 0;
    for (HTREEITEM r = TreeView_GetParent(Tree(), Row(child)); r; r = TreeView_GetParent(Tree(), r)) ++level;
    return std::to_wstring(level);
}

std::wstring TreeAccess::AccessibleDescription(long child) {
    return child && describe ? describe(Row(child)) : std::wstring();
}

std::wstring TreeAccess::AccessibleDefaultAction(long child) {
    if (!child) return {};
    return GetCheck(Tree(), Row(child)) == Checked ? L"Uncheck" : L"Check";
}

bool TreeAccess::AccessibleDoDefaultAction(long child) {
    if (!child || !ToggleCheck(Tree(), Row(child))) return false;
    ::InvalidateRect(Tree(), nullptr, FALSE);
    return true;
}

bool TreeAccess::AccessibleSelect(long child) { return child && TreeView_SelectItem(Tree(), Row(child)); }

RECT TreeAccess::AccessibleChildRect(long child) {
    RECT rect{};
    TreeView_GetItemRect(Tree(), Row(child), &rect, FALSE);
    return rect;
}

long TreeAccess::AccessibleFocusedChild() {
    HTREEITEM selected = TreeView_GetSelection(Tree());
    return selected ? RowChildId(Tree(), selected) : 0;
}

}  // namespace scw
