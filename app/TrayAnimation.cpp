#include "app/TrayAnimation.h"

namespace scw {

void TrayAnimation::SetOwner(HWND owner, std::function<int()> runningCount) {
    owner_ = owner;
    runningCount_ = std::move(runningCount);
}

void TrayAnimation::Start(std::wstring title, std::wstring text) {
    title_ = std::move(title);
    text_ = std::move(text);
    ::SetTimer(owner_, kTrayAnimationTimer, kTrayAnimationPeriodMs, nullptr);
    animating_ = true;
}

void TrayAnimation::Stop(std::wstring title, std::wstring text) {
    title_ = std::move(title);
    text_ = std::move(text);
    Cancel();
    Show(-1);
}

void TrayAnimation::Tick() { Show(tray_.Frame()); }

void TrayAnimation::Cancel() {
    if (owner_) ::KillTimer(owner_, kTrayAnimationTimer);
    animating_ = false;
}

void TrayAnimation::Show(int frame) {
    tray_.Tick(frame, ::IsWindowVisible(owner_) != FALSE, title_, text_, runningCount_ ? runningCount_() : 0);
    if (frame < 0) title_ = kIdleTip;
}

}  // namespace scw
