#pragma once
// A static control that shows a picture; an animated GIF plays from a timer of the control's own
// window, which composes each frame into an off-screen surface, from which the control paints. A picture is a
// 96-DPI picture: the control shows it at its window's DPI and takes that size; a resource comes
// from the set drawn for that DPI (id + 10000 at 150 %, + 20000 at 200 %) when there is one.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "controls/AccessibleServer.h"
#include "controls/PictureDecode.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CPictureEx : public CSubclassWindow, private AccessibleFacts {
public:
    CPictureEx();
    ~CPictureEx() override;

    // rect at 96 DPI, as every control's place is given before its window is laid out for its DPI.
    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    // Loads for the window's DPI now, and again when that DPI changes.
    bool Load(UINT resourceId, const wchar_t* resourceType);
    bool Load(const std::wstring& path);
    bool LoadFromMemory(std::span<const uint8_t> bytes);
    // Shows the picture; an animated GIF starts playing (it needs the window for its timer).
    bool Draw();
    // Ends playing; the surface keeps the last picture.
    void Stop();
    void UnLoad();

    bool IsGIF() const { return isGif_; }
    bool IsPlaying() const { return playing_; }
    // 0 unless the picture is animated.
    int GetFrameCount() const { return animated_ ? static_cast<int>(frames_.size()) : 0; }
    COLORREF GetBkColor() const { return background_; }
    // Overrides the colour behind transparent parts and of restored areas.
    void SetBkColor(COLORREF color);
    // The picture's size as drawn (at the DPI of the set it came from).
    SIZE GetSize() const { return size_; }
    // The size it is shown at, which the window takes.
    SIZE GetShownSize() const { return shown_; }
    // Paint only this part of the surface, in the picture's pixels (nothing: the whole surface).
    void SetPaintRect(std::optional<RECT> rect);
    void DrawTo(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

    void OnAttached() override { ServeAccessibility(*this); }

private:
    // An animation to screen readers, named by its page; animated while it plays.
    std::wstring AccessibleName(long) override { return AccessibleNameGiven(); }
    long AccessibleRole(long) override { return ROLE_SYSTEM_ANIMATION; }
    long AccessibleState(long) override { return IsPlaying() ? STATE_SYSTEM_ANIMATED : 0; }

    bool Decode(std::span<const uint8_t> bytes);
    bool LoadResourceFor(UINT id, const wchar_t* type, Dpi dpi);
    // Sizes the window to the picture at `dpi`; size96 is the picture's size at 96 DPI.
    void ShowAt(Dpi dpi, SIZE size96);
    void DrawScaled(HDC dc, const RECT& part);
    bool PrepareSurface();
    void FillSurface(const RECT& area);
    void Compose(const PictureFrame& frame);
    void Invalidate();
    // Composes frame `index_` and sets the timer for its delay.
    void ShowFrame();
    // Its delay is over: undoes the frame as its disposal says and moves to the next one.
    void NextFrame();

    bool isGif_ = false;
    bool animated_ = false;
    SIZE size_{0, 0};
    SIZE shown_{0, 0};
    Dpi shownFor_;
    SIZE size96_{0, 0};
    // The resource to load again at another DPI (0: the picture came from memory or a file).
    UINT resourceId_ = 0;
    std::wstring resourceTypeName_;
    const wchar_t* resourceType_ = nullptr;  // an integer resource type, or resourceTypeName_
    uint32_t* surfaceBits_ = nullptr;
    COLORREF background_ = RGB(255, 255, 255);
    bool backgroundSet_ = false;
    std::vector<PictureFrame> frames_;
    UniqueMemDc surfaceDc_;
    UniqueBitmap surface_;
    HGDIOBJ surfaceOld_ = nullptr;
    std::optional<RECT> paintRect_;
    bool playing_ = false;
    size_t index_ = 0;
    // What a frame that restores its background (disposal 3) covered when it was shown.
    UniqueBitmap saved_;
};

}  // namespace scw
