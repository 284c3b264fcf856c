#pragma once
// Push button drawn by the program: mode 2 copies one of four bitmaps (the caption is part of the
// images), mode 1 draws a rounded button with text in six colours; other modes leave the
// platform's look. Tracks hover and can show a tooltip. Sizes and fonts are given at 96 DPI and
// shown at the window's DPI. Window thread only: workers reach it through their owner's UiChannel.
#include <windows.h>

#include <string>

#include "controls/AccessibleServer.h"
#include "controls/ButtonTooltip.h"
#include "controls/SelfPaint.h"
#include "controls/StateImages.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CNButtonEx : public CSubclassWindow, private AccessibleFacts {
public:
    enum Mode { kPlatform = 0, kDrawn = 1, kBitmap = 2 };
    enum Image { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };
    static constexpr size_t kMaxText = 130;
    static constexpr size_t kMaxTooltip = ButtonTooltip::kMaxText;

    CNButtonEx();
    ~CNButtonEx() override;

    // Creates the platform button; modes 1 and 2 add BS_OWNERDRAW.
    bool Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, int id);
    // Loads four bitmap resources (normal, hover, pressed, disabled) and sets the draw size (at
    // 96 DPI) and mode. The images are made again for the window's DPI whenever it changes.
    bool SetBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled, int width, int height, int mode = kBitmap);
    // The same with bitmaps already made; the button takes ownership of them. They cannot be made
    // again, so they and their draw size stay as given at any DPI.
    void SetBitmapHandles(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, int width, int height,
                          int mode = kBitmap);
    void SetColors(COLORREF normalFill, COLORREF hoverFill, COLORREF pressedFill, COLORREF text, COLORREF border,
                   COLORREF disabledText);
    void SetFont(int pointSize, const std::wstring& face);
    void SetText(const std::wstring& text);
    void Enable(bool enable);
    void SetTooltip(const std::wstring& text);
    // What Enter on the focused button does: the click command to the parent, unless disabled.
    void Press();

    const std::wstring& Text() const { return text_; }
    int GetMode() const { return mode_; }
    bool IsHover() const { return hoverState_.hover; }
    bool IsEnabledFlag() const { return enabled_; }
    HWND Tooltip() const { return tooltip_.Window(); }
    // As given; ShownSize is what a paint at the window's DPI covers.
    SIZE DrawSize() const { return images_.DrawSize(); }
    SIZE ShownSize() const { return images_.ShownSize(WindowDpi()); }
    // The size that shows the whole text in the drawn mode (asked for with BCM_GETIDEALSIZE).
    SIZE IdealTextSize();
    HBITMAP StateImage(Image which) const { return images_.Get(which); }
    // The font the drawn mode writes with at the window's DPI (null before SetFont).
    HFONT Font();

    // Draws the current state into dc at (0, 0) of the button.
    void DrawTo(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;
    void OnAttached() override;

private:
    // A push button to screen readers, named by its text, else its tooltip or a given name.
    std::wstring AccessibleName(long child) override;
    long AccessibleRole(long) override { return ROLE_SYSTEM_PUSHBUTTON; }
    long AccessibleState(long) override;
    std::wstring AccessibleDefaultAction(long) override { return L"Press"; }
    bool AccessibleDoDefaultAction(long) override;

    Dpi WindowDpi() const;
    // Remakes images loaded by id when the window's DPI differs from the one they were made for.
    void EnsureImages();
    void SendFont();
    void DrawBitmapMode(HDC dc, bool disabled, bool pressed);
    void DrawTextMode(HDC dc, const RECT& rc, bool disabled, bool pressed);
    void Redraw();
    void MakeOwnerDraw();

    std::wstring text_;
    int mode_ = kPlatform;
    StateImages images_;
    COLORREF normalFill_, hoverFill_, pressedFill_, textColor_, border_, disabledText_;
    ScaledFont font_;
    HoverState hoverState_;
    bool enabled_ = true;
    ButtonTooltip tooltip_;
};

}  // namespace scw
