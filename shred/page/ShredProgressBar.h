#pragma once
// The shredder page's progress bar over the bytes a run writes. The worker reports after every
// block; the bar takes the latest count on the window thread, with one update on its way at a time.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>

#include "framework/UiChannel.h"
#include "shred/core/ProgressScale.h"

namespace scw {

class ShredProgressBar {
public:
    // Takes the page's bar, names it for screen readers (a bar draws no text), places it, empties it.
    void Attach(HWND bar, const RECT& place);
    // Window thread: a run of these bytes and passes begins, or the bar goes back to empty.
    void Start(std::uint64_t totalBytes, int passes);
    void Clear();
    // Any thread.
    void Report(std::uint64_t bytes, UiChannel& channel);

private:
    HWND bar_ = nullptr;
    std::optional<ProgressScale> scale_;
    std::atomic<std::uint64_t> bytes_{0};
    std::atomic<bool> queued_{false};
};

}  // namespace scw
