#pragma once
// What a control that draws itself tells screen readers (MSAA): it answers WM_GETOBJECT for its
// client area with an IAccessible object that asks the control for name, role, state and its
// simple children (child ids 1..n). The object outlives nothing: when the control goes, the object
// a reader may still hold answers every question with a failure.
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "framework/WindowText.h"

namespace scw {

// The control's answers. Child 0 is the control itself; focus, unavailable and invisible states
// of the control are added from its window.
class AccessibleFacts {
public:
    virtual ~AccessibleFacts() = default;
    virtual std::wstring AccessibleName(long child) = 0;
    virtual long AccessibleRole(long child) = 0;
    virtual long AccessibleState(long /*child*/) { return 0; }
    virtual long AccessibleChildCount() { return 0; }
    virtual std::wstring AccessibleValue(long /*child*/) { return {}; }
    virtual std::wstring AccessibleDescription(long /*child*/) { return {}; }
    virtual std::wstring AccessibleDefaultAction(long /*child*/) { return {}; }
    virtual bool AccessibleDoDefaultAction(long /*child*/) { return false; }
    virtual bool AccessibleSelect(long /*child*/) { return false; }
    // A child's place in the control's client area.
    virtual RECT AccessibleChildRect(long /*child*/) { return RECT{}; }
    // The child with the focus or the selection when the control has the focus; 0 for none.
    virtual long AccessibleFocusedChild() { return 0; }
};

class AccessibleObject;

// Held by the control: answers WM_GETOBJECT and cuts the object loose when the control goes.
class AccessibleServer {
public:
    explicit AccessibleServer(AccessibleFacts& facts) : facts_(facts) {}
    ~AccessibleServer();
    AccessibleServer(const AccessibleServer&) = delete;
    AccessibleServer& operator=(const AccessibleServer&) = delete;

    // For WM_GETOBJECT: answers the client-area question; false for any other (the window's
    // default answers those).
    bool Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Disconnect();

private:
    AccessibleFacts& facts_;
    AccessibleObject* object_ = nullptr;
};

// Tells screen readers that something of the control (or of one child) changed.
void NotifyAccessible(DWORD event, HWND window, long child = CHILDID_SELF);

// The text of the static label just after `window` among its siblings (a label placed beside a
// control that has no text of its own), or empty.
std::wstring LabelAfter(HWND window);

}  // namespace scw
