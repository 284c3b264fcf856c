#include "shred/core/WipeRun.h"

namespace scw {

WipeRun::WipeRun(WipeView& view, Wipe wipe) : view_(view), wipe_(std::move(wipe)) {}

WipeRun::Wipe WipeRun::DefaultWipe() {
    return [](const std::wstring& drive, int passes, HANDLE stopEvent, WipeView& view) {
        return WipeFreeSpace(drive, passes, stopEvent, view);
    };
}

bool WipeRun::Start(const std::wstring& drive, int passes) {
    if (worker_.Running()) return false;
    return worker_.Start([this, drive, passes](HANDLE stopEvent) { wipe_(drive, passes, stopEvent, view_); });
}

}  // namespace scw
