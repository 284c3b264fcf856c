#pragma once
// Attaches a C++ object to a control window so it can handle the control's own messages. The
// platform tells the parent about drawing and colours; the parent hands those back to the
// control with ReflectToControl, and the control sees them as ReflectedMessage(message).
#include <windows.h>

#include <memory>
#include <string>

namespace scw {

class AccessibleFacts;
class AccessibleServer;

inline constexpr UINT kReflectBase = WM_APP + 0x2000;
constexpr UINT ReflectedMessage(UINT message) { return kReflectBase + message; }

class CSubclassWindow {
public:
    CSubclassWindow() = default;
    virtual ~CSubclassWindow();
    CSubclassWindow(const CSubclassWindow&) = delete;
    CSubclassWindow& operator=(const CSubclassWindow&) = delete;

    // Takes over an existing window (a dialog control); false if it is not a window.
    bool Attach(HWND window);
    bool AttachDlgItem(HWND dialog, int id) { return Attach(::GetDlgItem(dialog, id)); }
    void Detach();
    HWND GetSafeHwnd() const { return hwnd_; }
    // The name screen readers read where the control's own text does not say what it does.
    void SetAccessibleName(std::wstring name) { accessibleName_ = std::move(name); }
    const std::wstring& AccessibleNameGiven() const { return accessibleName_; }

protected:
    // A control that draws itself answers screen readers' questions from these facts.
    void ServeAccessibility(AccessibleFacts& facts);
    // Return true and set result when handled; otherwise the control's own procedure runs.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    // Called once the window has been attached.
    virtual void OnAttached() {}
    // The window has its place and font for a new DPI (the layout's WM_DPICHANGED_AFTERPARENT):
    // remake what was made for the old one. OnMessage and the control's own procedure follow.
    virtual void OnDpiChanged() {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    std::unique_ptr<AccessibleServer> access_;
    std::wstring accessibleName_;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data);
};

// For a parent's message about one of its controls (colours, owner drawing and measuring,
// notifications): passes it to the control as a reflected message. True when the control handled it.
bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A measure question names its control only by id. A control that lets the platform handle a
// message during which the platform asks the parent to measure it (a list view being sized)
// names itself for that while, so ReflectToControl can hand the question back to it.
class MeasureRequestScope {
public:
    explicit MeasureRequestScope(HWND control);
    ~MeasureRequestScope();
    MeasureRequestScope(const MeasureRequestScope&) = delete;
    MeasureRequestScope& operator=(const MeasureRequestScope&) = delete;

private:
    HWND previous_;
};

}  // namespace scw
