#pragma once
// A dialog built from a template, usable modally or modelessly. Subclasses override only the
// handlers they need; everything else gets the platform's default dialog processing.
#include <windows.h>

#include "framework/Dpi.h"

namespace scw {

class CDialog {
public:
    explicit CDialog(UINT templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog or a quit message; returns the result or the quit code.
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog modelessly (a page is a child dialog of its parent).
    bool Create(HWND parent = nullptr);
    // Modal: ends the loop. Modeless: destroys the window.
    void EndDialog(INT_PTR result);
    void DestroyWindow();

    // What the message loop does with each message for this dialog: the dialog's own keys first
    // (PreTranslate), then the platform's keyboard navigation. True when the message was used.
    bool RouteMessage(MSG& msg);

    HWND GetSafeHwnd() const { return hwnd_; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
    UINT TemplateId() const { return templateId_; }
    bool IsModalRunning() const { return modal_ && !ended_; }
    // True when the last modal run ended through a quit message.
    bool EndedByQuit() const { return endedByQuit_; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Commands other than IDOK and IDCANCEL; return true when handled.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    // Return true when the client area was painted.
    virtual bool OnPaint() { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    virtual void OnDestroy() {}
    // The DPI the window is shown at changed: for a top-level window (WM_DPICHANGED, with the place
    // the system suggests; return true when handled), or for a child dialog once its top-level
    // window has laid it out anew (WM_DPICHANGED_AFTERPARENT, no place; default processing follows).
    virtual bool OnDpiChanged(Dpi /*dpi*/, const RECT* /*suggested*/) { return false; }
    // Keys the dialog takes before the platform's navigation sees them; true when used.
    virtual bool PreTranslate(const MSG& /*msg*/) { return false; }
    // Any other message; set result and return true when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    bool modal_ = false;
    bool ended_ = false;
    bool endedByQuit_ = false;
    INT_PTR result_ = 0;
};

}  // namespace scw
