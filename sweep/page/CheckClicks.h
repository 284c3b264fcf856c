#pragma once
// Lets a plain tree view toggle its check boxes through the tri-state logic: a left press on a
// check box is handled by ToggleCheckAt and never reaches the tree view's own toggling.
#include <windows.h>

#include "controls/SubclassWindow.h"
#include "sweep/page/TreeAccess.h"
#include "sweep/page/TreeChecks.h"

namespace scw {

class CCheckClicks : public CSubclassWindow {
public:
    // What a press or Space does to a check box; ToggleCheck unless the owner asks first.
    RowToggle toggle = ToggleCheck;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAttached() override { ServeAccessibility(access_); }

private:
    TreeAccess access_{*this};
};

}  // namespace scw
