#pragma once
// A flat group frame that draws its own caption, so the platform's caption never shows.
#include <windows.h>

#include <string>

#include "controls/AccessibleServer.h"
#include "controls/SubclassWindow.h"
#include "framework/ScaledFont.h"

namespace scw {

class CGuiGroupBox : public CSubclassWindow, private AccessibleFacts {
public:
    enum Align { kLeft = 0, kRight = 1, kVerticalUp = 2, kVerticalDown = 3 };

    void SetCaption(const std::wstring& text);
    const std::wstring& Caption() const { return caption_; }
    void SetAlign(int align) { align_ = align; }
    void SetCaptionBackground(COLORREF colour) { captionBack_ = colour; }
    // The caption's font at the window's DPI (turned for the vertical alignments).
    HFONT CaptionFont();

protected:
    void OnAttached() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A grouping named by its caption (the window's own text is cleared so the platform draws none).
    std::wstring AccessibleName(long) override { return caption_.empty() ? AccessibleNameGiven() : caption_; }
    long AccessibleRole(long) override { return ROLE_SYSTEM_GROUPING; }

    void Paint(HDC dc);

    std::wstring caption_;
    int align_ = kLeft;
    COLORREF captionBack_ = RGB(233, 233, 233);
    ScaledFont font_;
    ScaledFont verticalFont_;
};

}  // namespace scw
