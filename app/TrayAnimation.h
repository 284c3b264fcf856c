#pragma once
// The tray icon's part in a run: the icon animates while the run works and a balloon tells its
// end. Window thread only; runs reach it through the main window's channel.
#include <windows.h>

#include <functional>
#include <string>

#include "app/TrayIcon.h"

namespace scw {

class TrayAnimation {
public:
    explicit TrayAnimation(CTrayIcon& tray) : tray_(tray) {}

    // The window whose timer drives the frames, and where the count of found rows comes from.
    void SetOwner(HWND owner, std::function<int()> runningCount);
    void Start(std::wstring title, std::wstring text);
    // Ends the animation and shows the run's result with the idle icon.
    void Stop(std::wstring title, std::wstring text);
    // The owner's kTrayAnimationTimer.
    void Tick();
    // The owner goes: no more timer.
    void Cancel();
    bool Animating() const { return animating_; }

private:
    void Show(int frame);

    CTrayIcon& tray_;
    HWND owner_ = nullptr;
    std::function<int()> runningCount_;
    std::wstring title_;
    std::wstring text_;
    bool animating_ = false;
};

}  // namespace scw
