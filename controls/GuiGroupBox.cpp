#include "controls/GuiGroupBox.h"

#include "controls/FocusCue.h"

#include <iterator>

#include "controls/GuiDrawLayer.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
ScaledFont CaptionFontAt96(int escapement) {
    return ScaledFont::Make(L"Verdana", 11, FW_NORMAL, false, escapement, DEFAULT_QUALITY, DEFAULT_PITCH);
}
}  // namespace

HFONT CGuiGroupBox::CaptionFont() {
    const bool vertical = align_ == kVerticalUp || align_ == kVerticalDown;
    ScaledFont& font = vertical ? verticalFont_ : font_;
    if (!font.Described()) font = CaptionFontAt96(vertical ? 900 : 0);
    return font.Get(DpiOfWindow(hwnd_));
}

void CGuiGroupBox::OnAttached() {
    ServeAccessibility(*this);
    int length = ::GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    caption_ = text;
    // The window text goes so the platform has no caption to draw.
    ::SetWindowTextW(hwnd_, L"");
}

void CGuiGroupBox::SetCaption(const std::wstring& text) {
    caption_ = text;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool CGuiGroupBox::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_PAINT) {
        PaintScope paint(hwnd_);
        Paint(paint.Get());
        result = 0;
        return true;
    }
    return false;
}

void CGuiGroupBox::Paint(HDC dc) {
    RECT rc = ClientRect(hwnd_);
    const bool vertical = align_ == kVerticalUp || align_ == kVerticalDown;
    const Dpi dpi = DpiOfWindow(hwnd_);
    SelectScope fontScope(dc, CaptionFont());
    SIZE text{};
    ::GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    const int half = vertical ? text.cx / 2 : text.cy / 2;

    // The frame runs through the middle of the caption band.
    RECT frame = rc;
    if (vertical)
        frame.left += half;
    else
        frame.top += half;

    const int inset = dpi.Scale(6);  // of the caption from the frame's end
    const int room = dpi.Scale(4);   // around the caption's text
    RECT captionRect{};
    if (!caption_.empty()) {
        if (align_ == kLeft)
            captionRect = {rc.left + inset, rc.top, rc.left + inset + text.cx + room, rc.top + text.cy};
        else if (align_ == kRight)
            captionRect = {rc.right - inset - text.cx - room, rc.top, rc.right - inset, rc.top + text.cy};
        else
            captionRect = {rc.left, rc.top + inset, rc.left + text.cy, rc.top + inset + text.cx + room};
    }

    UniquePen pen(::CreatePen(PS_SOLID, 1, GuiDrawLayer::GroupBoxFrame()));
    SelectScope penScope(dc, pen.Get());
    const int c = dpi.Scale(2);  // corners cut diagonally
    POINT points[] = {{frame.left + c, frame.top},         {frame.right - 1 - c, frame.top},
                      {frame.right - 1, frame.top + c},    {frame.right - 1, frame.bottom - 1 - c},
                      {frame.right - 1 - c, frame.bottom - 1}, {frame.left + c, frame.bottom - 1},
                      {frame.left, frame.bottom - 1 - c},  {frame.left, frame.top + c},
                      {frame.left + c, frame.top}};
    ::Polyline(dc, points, static_cast<int>(std::size(points)));

    if (caption_.empty()) return;
    UniqueBrush back(::CreateSolidBrush(SkinOrSystemColour(captionBack_, COLOR_WINDOW)));
    ::FillRect(dc, &captionRect, back.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, SkinOrSystemColour(GuiDrawLayer::GroupBoxCaption(), COLOR_WINDOWTEXT));
    const int pad = room / 2;
    if (vertical)
        ::TextOutW(dc, captionRect.left, captionRect.bottom - pad, caption_.c_str(), static_cast<int>(caption_.size()));
    else
        ::TextOutW(dc, captionRect.left + pad, captionRect.top, caption_.c_str(), static_cast<int>(caption_.size()));
}

}  // namespace scw
