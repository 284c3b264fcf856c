// The scheduler with a clock the test moves: which minutes fire, and that each occurrence fires
// once however the one-minute timer drifts.
#include <gtest/gtest.h>

#include <vector>

#include "app/ScanScheduler.h"

using namespace scw;

namespace {
// 2026-12-07 is a Monday.
constexpr long long kMondayMidnight = 0;
constexpr long long kSecond = 10'000'000;

SYSTEMTIME At(long long seconds) {
    SYSTEMTIME base{2026, 12, 1, 7, 0, 0, 0, 0};
    FILETIME file{};
    ::SystemTimeToFileTime(&base, &file);
    unsigned long long ticks = (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    ticks += static_cast<unsigned long long>(seconds * kSecond);
    file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME t{};
    ::FileTimeToSystemTime(&file, &t);
    return t;
}

SettingsValues Schedule(int day, int hour, int minute, int half) {
    SettingsValues s;
    s.schedulerOn = 1;
    s.schedulerDay = day;
    s.schedulerHour = hour;
    s.schedulerMinute = minute;
    s.schedulerHalf = half;
    return s;
}

struct Fired {
    int dayOfWeek, hour, minute;
    bool operator==(const Fired&) const = default;
};

// Ticks every `periodMs` from `startSeconds` for `days`; the local times at which it fired.
std::vector<Fired> Simulate(const SettingsValues& s, double periodMs, long long startSeconds, int days) {
    long long now = startSeconds * 1000;
    ScanScheduler scheduler([&] { return At(now / 1000); });
    std::vector<Fired> fired;
    for (; now < (startSeconds + days * 86400LL) * 1000; now += static_cast<long long>(periodMs)) {
        if (scheduler.Tick(s, false)) {
            SYSTEMTIME t = At(now / 1000);
            fired.push_back({t.wDayOfWeek, t.wHour, t.wMinute});
        }
    }
    return fired;
}
}  // namespace

TEST(ScanScheduler, DayAtFivePastNoonFiresOnceEveryDayWhateverTheTimerDrift) {
    const SettingsValues noon = Schedule(0, 0, 5, 1);  // "Day" 0 : 05 PM
    for (double period : {60000.0, 60900.0, 59300.0, 61700.0}) {
        SCOPED_TRACE(period);
        std::vector<Fired> fired = Simulate(noon, period, kMondayMidnight + 37, 3);
        ASSERT_EQ(fired.size(), 3u);
        for (size_t i = 0; i < fired.size(); ++i) {
            EXPECT_EQ(fired[i].dayOfWeek, static_cast<int>(1 + i));
            EXPECT_EQ(fired[i].hour, 12);
            // A late tick fires the occurrence it skipped at once, in the next minute at most.
            EXPECT_TRUE(fired[i].minute == 5 || fired[i].minute == 6) << fired[i].minute;
        }
    }
}

TEST(ScanScheduler, MondayAtNineThirtyEightFiresOnlyOnMondays) {
    std::vector<Fired> fired = Simulate(Schedule(2, 9, 38, 0), 60000.0, kMondayMidnight + 5, 14);
    EXPECT_EQ(fired, (std::vector<Fired>{{1, 9, 38}, {1, 9, 38}}));
    // Midnight hour: "AM" with hour 0.
    fired = Simulate(Schedule(0, 0, 0, 0), 60000.0, kMondayMidnight + 5, 2);
    EXPECT_EQ(fired, (std::vector<Fired>{{1, 0, 0}, {2, 0, 0}}));
}

TEST(ScanScheduler, LateTickFiresOnceAndTwoTicksInOneMinuteFireOnce) {
    const SettingsValues s = Schedule(0, 0, 4, 1);  // 12:04
    long long now = 12 * 3600 + 3 * 60 + 59;        // 12:03:59
    ScanScheduler scheduler([&] { return At(now); });
    EXPECT_FALSE(scheduler.Tick(s, false));
    now = 12 * 3600 + 5 * 60 + 1;  // 12:05:01, the 12:04 tick never came
    EXPECT_TRUE(scheduler.Tick(s, false));
    now += 30;
    EXPECT_FALSE(scheduler.Tick(s, false));

    const SettingsValues at5 = Schedule(0, 0, 5, 1);
    ScanScheduler twice([&] { return At(now); });
    now = 12 * 3600 + 5 * 60 + 2;
    EXPECT_TRUE(twice.Tick(at5, false));
    now += 55;  // 12:05:57, still the same minute
    EXPECT_FALSE(twice.Tick(at5, false));
}

TEST(ScanScheduler, BusyUsesTheOccurrenceUpAndGapsAreNotCaughtUp) {
    const SettingsValues s = Schedule(0, 0, 5, 1);
    long long now = 12 * 3600 + 4 * 60 + 30;
    ScanScheduler scheduler([&] { return At(now); });
    EXPECT_FALSE(scheduler.Tick(s, false));
    now += 60;
    EXPECT_FALSE(scheduler.Tick(s, true)) << "a running sweep lets the occurrence pass";
    now += 60;
    EXPECT_FALSE(scheduler.Tick(s, false)) << "and it does not come back when the sweep ends";

    // Asleep from 11:00 to 12:30: the 12:05 of that day is not caught up.
    now = 86400 + 11 * 3600;
    EXPECT_FALSE(scheduler.Tick(s, false));
    now = 86400 + 12 * 3600 + 30 * 60;
    EXPECT_FALSE(scheduler.Tick(s, false));

    // Scheduler off: nothing, even at the minute.
    SettingsValues off = s;
    off.schedulerOn = 0;
    now = 2 * 86400 + 12 * 3600 + 5 * 60;
    EXPECT_FALSE(scheduler.Tick(off, false));
}

TEST(ScanScheduler, ClockSetBackDoesNotFireAnOccurrenceTwice) {
    const SettingsValues s = Schedule(0, 0, 5, 1);
    long long now = 12 * 3600 + 5 * 60 + 10;
    ScanScheduler scheduler([&] { return At(now); });
    EXPECT_TRUE(scheduler.Tick(s, false));
    now -= 2 * 60;  // the clock goes back to 12:03
    EXPECT_FALSE(scheduler.Tick(s, false));
    now += 60;
    EXPECT_FALSE(scheduler.Tick(s, false));
    now += 60;  // 12:05 again
    EXPECT_FALSE(scheduler.Tick(s, false));
}
