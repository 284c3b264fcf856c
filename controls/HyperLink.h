#pragma once
// A label that opens its target in the user's browser, with a fallback through the program
// registered for ".htm" and a beep when nothing can open it.
#include <windows.h>

#include <functional>
#include <string>

#include "controls/AccessibleServer.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"

namespace scw {

// The platform calls opening a link needs; tests replace them.
struct HyperlinkOps {
    std::function<bool(const std::wstring& target)> shellOpen;  // true when the shell opened it
    std::function<std::wstring()> htmOpenCommand;              // command of the ".htm" handler, or empty
    std::function<bool(const std::string& commandLine)> run;    // true when the program started
    std::function<void()> beep;
    static HyperlinkOps Platform();
};

// The ".htm" handler's command cut at its first "%1" (quoted, else bare), then a blank and the
// target. Empty when there is no command.
std::wstring HtmFallbackCommandLine(const std::wstring& command, const std::wstring& target);

// Opens the target; false (after one beep) when neither the shell nor the fallback could.
bool OpenHyperlinkTarget(const std::wstring& target, const HyperlinkOps& ops);

class CHyperLink : public CSubclassWindow, private AccessibleFacts {
public:
    CHyperLink();
    ~CHyperLink() override;

    void SetURL(const std::wstring& target);
    const std::wstring& URL() const { return target_; }
    void SetColours(COLORREF link, COLORREF visited);
    void SetVisited(bool visited);
    bool Visited() const { return visited_; }
    void SetUnderline(bool underline);
    void SetAutoSize(bool adjust);
    void SetTipText(const std::wstring& text);
    void SetLinkCursor(HCURSOR cursor) { cursor_ = cursor; }
    void SetOps(HyperlinkOps ops) { ops_ = std::move(ops); }
    // What a click does.
    bool Open();
    // The underlined font the link shows in at the window's DPI.
    HFONT LinkFont();

protected:
    void OnAttached() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    // A link named by its text; its target is the value, following it the default action.
    std::wstring AccessibleName(long) override { return WindowText(hwnd_); }
    long AccessibleRole(long) override { return ROLE_SYSTEM_LINK; }
    long AccessibleState(long) override { return STATE_SYSTEM_LINKED | (visited_ ? STATE_SYSTEM_TRAVERSED : 0); }
    std::wstring AccessibleValue(long) override { return target_; }
    std::wstring AccessibleDefaultAction(long) override { return L"Jump"; }
    bool AccessibleDoDefaultAction(long) override { return Open(); }

    void Redraw();
    // Gives the window the link font for its DPI when it does not have it yet.
    void SendFont(bool always);

    std::wstring target_;
    COLORREF linkColour_ = RGB(0, 0, 238);
    COLORREF visitedColour_ = RGB(85, 26, 139);
    bool visited_ = false;
    bool underline_ = true;
    bool adjustToFit_ = true;
    ScaledFont font_;
    Dpi fontSentFor_;
    HCURSOR cursor_ = nullptr;
    HWND tooltip_ = nullptr;
    HyperlinkOps ops_;
};

}  // namespace scw
