#include "app/ScanScheduler.h"

#include <optional>

namespace scw {

namespace {
constexpr long long kTicksPerMinute = 60LL * 10'000'000;

// Minutes since 1601 of a local time; the local fields are numbered like UTC ones, so a repeated
// hour at the end of summer time gives the same numbers twice and cannot fire twice.
std::optional<long long> MinuteNumber(const SYSTEMTIME& time) {
    FILETIME file{};
    if (!::SystemTimeToFileTime(&time, &file)) return std::nullopt;
    const long long ticks = (static_cast<long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return ticks / kTicksPerMinute;
}

std::optional<SYSTEMTIME> TimeOfMinute(long long minute) {
    const unsigned long long ticks = static_cast<unsigned long long>(minute) * kTicksPerMinute;
    FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    if (!::FileTimeToSystemTime(&file, &time)) return std::nullopt;
    return time;
}
}  // namespace

ScanScheduler::ScanScheduler(Clock clock) : clock_(std::move(clock)) {}

SYSTEMTIME ScanScheduler::LocalClock() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now;
}

bool ScanScheduler::Scheduled(const SettingsValues& s, const SYSTEMTIME& time) {
    if (s.schedulerDay != 0 && s.schedulerDay != time.wDayOfWeek + 1) return false;
    const int targetHour = s.schedulerHour + (s.schedulerHalf == 1 ? 12 : 0);
    return time.wHour == targetHour && time.wMinute == s.schedulerMinute;
}

bool ScanScheduler::Tick(const SettingsValues& settings, bool busy) {
    const std::optional<long long> now = MinuteNumber(clock_());
    if (!now) return false;
    // A late tick still covers the minutes since the previous one; a first tick, a gap or a clock
    // set back covers only the current minute.
    long long first = *now;
    if (lastTick_ >= 0 && *now > lastTick_ && *now - lastTick_ <= kMaxCatchUpMinutes) first = lastTick_ + 1;
    lastTick_ = *now;
    if (!settings.schedulerOn) return false;

    for (long long minute = first; minute <= *now; ++minute) {
        if (minute <= lastFired_) continue;
        const std::optional<SYSTEMTIME> time = TimeOfMinute(minute);
        if (!time || !Scheduled(settings, *time)) continue;
        lastFired_ = minute;
        return !busy;
    }
    return false;
}

}  // namespace scw
