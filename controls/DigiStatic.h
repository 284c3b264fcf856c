#pragma once
// A static control that shows its text as lit segments (seven- or fourteen-segment cells and
// narrow colon/dot cells), scaled to the control.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/DigiChar.h"
#include "controls/AccessibleServer.h"
#include "controls/SubclassWindow.h"

namespace scw {

class CDigiStatic : public CSubclassWindow, private AccessibleFacts {
public:
    CDigiStatic() = default;
    ~CDigiStatic() override = default;

    bool Create(const std::wstring& caption, DWORD style, const RECT& rect, HWND parent, int id);

    void SetText(const std::wstring& text);
    void SetFormattedText(const wchar_t* format, ...);
    void SetFormattedText(UINT stringId, ...);
    void SetColor(COLORREF off, COLORREF on);
    void SetBkColor(COLORREF background);
    void SetTransparent(bool transparent);
    // Refused (false) when the two sets of style bits overlap.
    bool ModifyDigiStyle(unsigned remove, unsigned add);

    const std::wstring& Text() const { return text_; }
    unsigned Style() const { return style_; }
    COLORREF OnColor() const { return on_; }
    COLORREF OffColor() const { return off_; }
    COLORREF BkColor() const { return background_; }
    // The cells of the last paint, and how many segments it drew.
    const std::vector<CDigiChar>& Cells() const { return cells_; }
    int LastSegmentsDrawn() const { return segmentsDrawn_; }

    void DrawTo(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

    void OnAttached() override { ServeAccessibility(*this); }

private:
    // Static text to screen readers: its given name (what it counts), the digits as its value.
    std::wstring AccessibleName(long) override;
    long AccessibleRole(long) override { return ROLE_SYSTEM_STATICTEXT; }
    std::wstring AccessibleValue(long) override { return ShownText(); }
    std::wstring ShownText() const;

    void BuildCells();
    void Redraw();
    void SetFormattedV(const wchar_t* format, va_list args);

    std::wstring text_ = L"?";  // "?" means no text was set: the window's caption shows
    bool modified_ = true;
    std::vector<CDigiChar> cells_;
    COLORREF off_ = RGB(0, 52, 0);
    COLORREF on_ = RGB(0, 255, 0);
    COLORREF background_ = RGB(0, 0, 0);
    unsigned style_ = kDigiDefaultStyle;
    int segmentsDrawn_ = 0;
};

}  // namespace scw
