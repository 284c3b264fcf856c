#pragma once
// The item trees to screen readers: an outline whose items are the rows a reader can reach (every
// row whose parents are expanded, child ids counted in display order as TreeChecks counts them),
// each named by its text, with its level as value and its tick as checked, mixed or neither.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "controls/AccessibleServer.h"
#include "controls/SubclassWindow.h"

namespace scw {

class TreeAccess : public AccessibleFacts {
public:
    explicit TreeAccess(const CSubclassWindow& tree) : tree_(tree) {}

    // Optional: more about a row (the sweep tree says how many traces it found).
    std::function<std::wstring(HTREEITEM row)> describe;

    std::wstring AccessibleName(long child) override;
    long AccessibleRole(long child) override { return child ? ROLE_SYSTEM_OUTLINEITEM : ROLE_SYSTEM_OUTLINE; }
    long AccessibleState(long child) override;
    long AccessibleChildCount() override;
    std::wstring AccessibleValue(long child) override;
    std::wstring AccessibleDescription(long child) override;
    std::wstring AccessibleDefaultAction(long child) override;
    bool AccessibleDoDefaultAction(long child) override;
    bool AccessibleSelect(long child) override;
    RECT AccessibleChildRect(long child) override;
    long AccessibleFocusedChild() override;

private:
    HWND Tree() const { return tree_.GetSafeHwnd(); }
    HTREEITEM Row(long child) const;

    const CSubclassWindow& tree_;
};

}  // namespace scw
