#pragma once
// Skinned check box and radio button: a strip of six glyph frames (unticked normal, hover, pressed,
// ticked normal, hover, pressed) drawn over whatever the parent shows behind the control, and the
// window text beside it. The ticked flag is the control's own; the platform only sends the click.
// A strip loaded by id is made for the window's DPI, and the glyph column and gaps scale with it.
// Space ticks as a click does; a radio group is one tab stop whose arrows move the choice.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/AccessibleServer.h"
#include "controls/SelfPaint.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/ScaledFont.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CNGlyphButton : public CSubclassWindow, private AccessibleFacts {
public:
    bool Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, int id);
    // Made again for the window's DPI whenever it changes.
    bool SetGlyphStrip(UINT bitmapId);
    // Takes ownership of the strip, which stays as given at any DPI.
    void SetGlyphStripHandle(HBITMAP strip);
    HBITMAP GlyphStrip() const { return strip_.Get(); }
    // Where the text starts and the font it is written in, at the window's DPI.
    int TextLeft();
    HFONT TextFont();
    // The size that shows the glyph and the whole text (asked for with BCM_GETIDEALSIZE).
    SIZE IdealSize();

    bool IsTicked() const { return ticked_; }
    void SetTicked(bool ticked);
    bool IsHover() const { return hoverState_.hover; }

    void DrawTo(HDC dc);

protected:
    CNGlyphButton() = default;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;
    void OnAttached() override;
    // Runs on a release inside the control while hovered, before the platform sends the click.
    virtual void OnClickRelease() = 0;
    // Radios copy their frames with magenta as the transparent colour.
    virtual bool KeyedFrames() const = 0;
    // After the ticked flag changed by any means.
    virtual void OnTickChanged();
    // A key for the control; true when it used the key up entirely.
    virtual bool OnKey(UINT message, WPARAM key);
    virtual bool WantsArrows() const { return false; }
    void Redraw();

    bool ticked_ = false;

    // The click a mouse makes: the tick changes, then the parent hears the command.
    void ClickAsUser();

private:
    // Named by its text, else by the label placed just after it.
    std::wstring AccessibleName(long child) override;
    long AccessibleRole(long) override { return KeyedFrames() ? ROLE_SYSTEM_RADIOBUTTON : ROLE_SYSTEM_CHECKBUTTON; }
    long AccessibleState(long) override;
    std::wstring AccessibleDefaultAction(long) override;
    bool AccessibleDoDefaultAction(long) override;

    Dpi WindowDpi() const;
    void LoadStrip();
    void EnsureStrip();

    UniqueBitmap strip_;
    UINT stripId_ = 0;  // 0 when the strip was given as a handle
    Dpi stripDpi_;
    ScaledFont defaultFont_;
    HoverState hoverState_;
};

class CNCheckBoxEX : public CNGlyphButton {
protected:
    void OnClickRelease() override;
    bool KeyedFrames() const override { return false; }
};

class CNRadioEx : public CNGlyphButton {
public:
    static constexpr int kMaxLinks = 10;
    // Adds another member of this radio's group; false when the list is full.
    bool Link(CNRadioEx* other);
    int LinkCount() const { return static_cast<int>(links_.size()); }

protected:
    void OnClickRelease() override;
    bool KeyedFrames() const override { return true; }
    void OnTickChanged() override;
    // Up/Left and Down/Right move to the previous or next radio of the group and choose it.
    bool OnKey(UINT message, WPARAM key) override;
    bool WantsArrows() const override { return true; }

private:
    std::vector<CNRadioEx*> GroupInReadingOrder();
    void UpdateTabStops();

    std::vector<CNRadioEx*> links_;
};

// Links every radio of a group to every other one.
void LinkRadioGroup(std::initializer_list<CNRadioEx*> group);

}  // namespace scw
