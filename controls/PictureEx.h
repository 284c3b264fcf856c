#pragma once
// A static control that shows a picture; an animated GIF plays on a thread of its own that
// composes each frame into an off-screen surface, from which the control paints.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "controls/SubclassWindow.h"
#include "framework/UiChannel.h"
#include "framework/UniqueHandle.h"
#include "framework/WorkerThread.h"

namespace scw {

class CPictureEx : public CSubclassWindow {
public:
    CPictureEx();
    ~CPictureEx() override;

    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    bool Load(UINT resourceId, const wchar_t* resourceType);
    bool Load(const std::wstring& path);
    bool LoadFromMemory(std::span<const uint8_t> bytes);
    // Shows the picture; an animated GIF starts playing.
    bool Draw();
    // Ends playing and joins the playing thread; the surface keeps the last picture.
    void Stop();
    void UnLoad();

    bool IsGIF() const { return isGif_; }
    bool IsPlaying() const { return playing_.load(); }
    // 0 unless the picture is animated.
    int GetFrameCount() const { return animated_ ? static_cast<int>(frames_.size()) : 0; }
    COLORREF GetBkColor() const { return background_; }
    // Overrides the colour behind transparent parts and of restored areas.
    void SetBkColor(COLORREF color);
    SIZE GetSize() const { return size_; }
    // Paint only this part of the surface (nothing: the whole surface).
    void SetPaintRect(std::optional<RECT> rect);
    void DrawTo(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct Frame {
        UniqueBitmap color;  // the frame on black
        UniqueBitmap mask;   // white where the frame is transparent, black where it paints
        int left = 0, top = 0, width = 0, height = 0;
        int delay = 0, disposal = 0;
    };

    bool Decode(std::span<const uint8_t> bytes);
    bool DecodeAnimation(std::span<const uint8_t> bytes);
    std::optional<Frame> LoadFrame(std::span<const uint8_t> bytes);
    bool PrepareSurface();
    void FillSurface(const RECT& area);
    void Compose(const Frame& frame);
    void Invalidate();
    // The playing thread asks the window thread to repaint.
    void InvalidateFromPlayer();
    void Play(HANDLE stop);

    bool isGif_ = false;
    bool animated_ = false;
    SIZE size_{0, 0};
    COLORREF background_ = RGB(255, 255, 255);
    bool backgroundSet_ = false;
    std::vector<Frame> frames_;
    std::mutex surfaceLock_;  // the play thread composes while the window paints
    UniqueMemDc surfaceDc_;
    UniqueBitmap surface_;
    HGDIOBJ surfaceOld_ = nullptr;
    std::optional<RECT> paintRect_;
    std::atomic<bool> playing_{false};
    // Declared last: the player is joined and the channel closed before anything they use goes.
    std::unique_ptr<UiChannel> channel_;
    WorkerThread player_;
};

}  // namespace scw
