#pragma once
// When the scheduled one-click erase is due. Windowless: the main window's one-minute timer asks,
// and the clock is handed in so tests need no waiting.
#include <windows.h>

#include <functional>

#include "state/Settings.h"

namespace scw {

class ScanScheduler {
public:
    // Local wall-clock time.
    using Clock = std::function<SYSTEMTIME()>;
    // A tick later than this after the previous one is a gap (the computer slept), not a late
    // tick: occurrences inside a gap are not caught up.
    static constexpr long long kMaxCatchUpMinutes = 3;

    explicit ScanScheduler(Clock clock = LocalClock);

    static SYSTEMTIME LocalClock();
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // One timer tick. True when an occurrence of the schedule fell since the previous tick (or,
    // on the first tick, in the current minute) and has not fired yet; it then counts as fired.
    // When `busy`, such an occurrence is used up without firing.
    bool Tick(const SettingsValues& settings, bool busy);

    // Whether the schedule names this local minute.
    static bool Scheduled(const SettingsValues& settings, const SYSTEMTIME& time);

private:
    Clock clock_;
    long long lastTick_ = -1;   // minute number of the previous tick
    long long lastFired_ = -1;  // minute number of the last occurrence used up
};

}  // namespace scw
