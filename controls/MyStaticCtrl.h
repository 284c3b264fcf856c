#pragma once
// A label that draws on a transparent background (or on a colour, when one is set).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CMyStaticCtrl : public CSubclassWindow {
public:
    // Creates the label with its own 8-point "MS Sans Serif" font, made for the window's DPI.
    bool Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, UINT id);

    void SetTextColor(COLORREF colour) { textColour_ = colour; }
    // CLR_NONE means transparent.
    void SetBkColor(COLORREF colour);
    COLORREF TextColor() const { return textColour_; }
    COLORREF BkColor() const { return backColour_; }
    HFONT LabelFont();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    void SendFont(bool always);

    COLORREF textColour_ = RGB(0, 0, 0);
    COLORREF backColour_ = CLR_NONE;
    UniqueBrush brush_;
    ScaledFont font_;
    Dpi fontSentFor_;
};

}  // namespace scw
