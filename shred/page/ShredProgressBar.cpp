#include "shred/page/ShredProgressBar.h"

#include <commctrl.h>

namespace scw {

void ShredProgressBar::Attach(HWND bar, const RECT& place) {
    bar_ = bar;
    ::SetWindowTextW(bar, L"Shredding progress");
    ::SetWindowPos(bar, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(bar, PBM_SETRANGE32, 0, 0);
    Clear();
}

void ShredProgressBar::Start(std::uint64_t totalBytes, int passes) {
    scale_.emplace(totalBytes, passes);
    bytes_ = 0;
    ::SendMessageW(bar_, PBM_SETRANGE32, 0, scale_->Range());
}

void ShredProgressBar::Clear() { ::SendMessageW(bar_, PBM_SETPOS, 0, 0); }

void ShredProgressBar::Report(std::uint64_t bytes, UiChannel& channel) {
    bytes_ = bytes;
    if (queued_.exchange(true)) return;
    channel.Post([this] {
        queued_ = false;
        if (scale_) ::SendMessageW(bar_, PBM_SETPOS, scale_->Position(bytes_), 0);
    });
}

}  // namespace scw
