#pragma once
// The one way from a worker thread to the window thread. A channel is created on the window
// thread by the object that owns the windows (a page, the main window); workers hand it closures
// that then run on the window thread. When the owner goes, the channel closes: work still queued
// and work handed over later is dropped, so nothing ever runs against a freed owner.
#include <windows.h>

#include <functional>
#include <memory>

namespace scw {

class UiChannel {
public:
    // Must be created on the thread that owns the windows the closures touch.
    UiChannel();
    // Closes the channel (on the window thread).
    ~UiChannel();
    UiChannel(const UiChannel&) = delete;
    UiChannel& operator=(const UiChannel&) = delete;

    // Any thread: runs the closure on the window thread and waits until it has run. From the
    // window thread itself it runs at once. False when the channel was closed first (not run).
    bool Send(std::function<void()> work) const;
    // Any thread: queues the closure for the window thread and returns. False when closed.
    bool Post(std::function<void()> work) const;
    // Window thread: drops what is queued, releases waiting senders, refuses new work.
    void Close();

    struct Core;

private:
    std::shared_ptr<Core> core_;
};

}  // namespace scw
