#include "sweep/page/WarnedTicks.h"

#include "engine/MyObject.h"
#include "rules/RuleWarnings.h"
#include "sweep/page/TreeChecks.h"

namespace scw {

namespace {

struct WarnedRow {
    HTREEITEM row;
    const rules::RuleEntry* entry;
};

const CMyObject* NodeOfRow(HWND tree, HTREEITEM row) {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = row;
    return TreeView_GetItem(tree, &item) ? reinterpret_cast<const CMyObject*>(item.lParam) : nullptr;
}

// The rows at or below `row` that a tick would take and whose entries carry a warning.
void CollectWarned(HWND tree, HTREEITEM row, std::vector<WarnedRow>& warned) {
    if (GetCheck(tree, row) == Checked) return;  // agreed to already, with all below
    const CMyObject* node = NodeOfRow(tree, row);
    if (const rules::RuleEntry* entry = node ? rules::WarnedEntryOf(*node) : nullptr) warned.push_back({row, entry});
    for (HTREEITEM child = TreeView_GetChild(tree, row); child; child = TreeView_GetNextSibling(tree, child))
        CollectWarned(tree, child, warned);
}

void Tick(HWND tree, const std::vector<HTREEITEM>& rows) {
    for (HTREEITEM row : rows) {
        SetCheck(tree, row, Checked, true);
        // Screen readers hear the row's new state.
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, tree, OBJID_CLIENT, RowChildId(tree, row));
    }
}

}  // namespace

int AskWarningBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return ::MessageBoxW(owner, text, caption, type);
}

bool TickRowsWarned(HWND tree, const std::vector<HTREEITEM>& rows, const AskWarning& ask) {
    std::vector<WarnedRow> warned;
    for (HTREEITEM row : rows)
        if (row) CollectWarned(tree, row, warned);
    if (warned.empty() || !ask) {
        Tick(tree, rows);
        return true;
    }
    if (warned.size() == 1 && rows.size() == 1 && warned[0].row == rows[0]) {
        // The entry itself: its own warning, as the rule file words it.
        const rules::RuleEntry& entry = *warned[0].entry;
        if (ask(tree, entry.warning.c_str(), entry.name.c_str(), MB_OKCANCEL | MB_ICONWARNING) != IDOK) return false;
        Tick(tree, rows);
        return true;
    }
    std::vector<const rules::RuleEntry*> entries;
    for (const WarnedRow& w : warned) entries.push_back(w.entry);
    const int answer =
        ask(tree, rules::WarningsQuestion(entries).c_str(), L"Warning", MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer != IDYES && answer != IDNO) return false;
    Tick(tree, rows);
    if (answer == IDNO) {
        for (const WarnedRow& w : warned) {
            SetCheck(tree, w.row, Unchecked, false);
            ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, tree, OBJID_CLIENT, RowChildId(tree, w.row));
        }
    }
    return true;
}

bool ToggleCheckWarned(HWND tree, HTREEITEM row, const AskWarning& ask) {
    const CheckState state = row ? GetCheck(tree, row) : NoCheckBox;
    if (state == NoCheckBox) return false;
    if (state == Checked) return ToggleCheck(tree, row);
    TickRowsWarned(tree, {row}, ask);
    return true;
}

}  // namespace scw
