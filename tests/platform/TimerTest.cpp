#include <functional>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/Date.h"
#include "platform/Runtime.h"
#include "platform/Timer.h"

namespace platform {
namespace {

constexpr int kDayMs = 24 * 60 * 60 * 1000;

// The wall clock from a chosen moment on, running in real time, as faketime
// makes it; Jump steps it as NTP or a resume from suspend would.
class RunningClock : public Clock {
public:
    explicit RunningClock(int msOfDay) : start_(msOfDay) { running_.start(); }

    LocalTime Now() const override
    {
        const int ms = static_cast<int>((start_ + running_.elapsed()) % kDayMs);
        return {2026, 12, 7, ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
    }
    void Jump(int ms) { start_ += ms; }

private:
    qint64 start_;
    QElapsedTimer running_;
};

int MsOfDay(const LocalTime& t) { return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond; }

constexpr int At(int hour, int minute, int second, int ms) { return ((hour * 60 + minute) * 60 + second) * 1000 + ms; }

// How far past the last half-second boundary a tick read the clock.
int PastBoundary(int msOfDay) { return msOfDay % 500; }

// A loaded machine may run the loop late; a tick that kept the timer's
// own phase would land anywhere in the 500 ms.
constexpr int kLate = 50;

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRuntimeForTesting(); }
    void TearDown() override { SetClock(nullptr); }

    // Runs the 500 ms timer until it has ticked count times; returns the
    // wall-clock time each tick read. onTick runs after each reading.
    std::vector<int> Ticks(int count, const std::function<void(int)>& onTick = {})
    {
        std::vector<int> seen;
        Timer timer;
        QEventLoop loop;
        timer.AddActionHandler([&](Timer&) {
            seen.push_back(MsOfDay(Date().Time()));
            if (onTick)
                onTick(static_cast<int>(seen.size()));
            if (static_cast<int>(seen.size()) == count)
                loop.quit();
        });
        timer.SetMode(2);
        timer.SetPeriod(500);
        QTimer::singleShot(count * 500 + 1000, &loop, &QEventLoop::quit);
        loop.exec();
        return seen;
    }
};

TEST_F(TimerTest, TicksFallOnTheWallClocksHalfSeconds)
{
    auto clock = std::make_shared<RunningClock>(At(7, 29, 59, 730));
    SetClock(clock);
    QElapsedTimer started;
    started.start();
    qint64 first = -1;
    const std::vector<int> seen = Ticks(3, [&](int n) {
        if (n == 1)
            first = started.elapsed();
    });
    ASSERT_EQ(seen.size(), 3u);
    // At 07:29:59.730 the next boundary is 270 ms away.
    EXPECT_GE(first, 269);
    EXPECT_LT(first, 270 + kLate);
    EXPECT_GE(seen[0], At(7, 30, 0, 0));
    for (int msOfDay : seen)
        EXPECT_LT(PastBoundary(msOfDay), kLate) << msOfDay;
    EXPECT_LT(seen[2], At(7, 30, 1, kLate));
}

TEST_F(TimerTest, ClockJumpIsFollowedAtTheNextTick)
{
    auto clock = std::make_shared<RunningClock>(At(23, 59, 59, 600));
    SetClock(clock);
    // After the second tick the clock steps 200 ms ahead: the tick already
    // armed lands off the boundary, the one after is on it again. The step
    // back after the fourth wakes the timer 3 ms before a boundary: it waits
    // for the boundary rather than tick with the second that is ending.
    const std::vector<int> seen = Ticks(6, [&](int n) {
        if (n == 2)
            clock->Jump(200);
        if (n == 4)
            clock->Jump(-3);
    });
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_LT(PastBoundary(seen[0]), kLate);  // midnight
    EXPECT_LT(seen[0], kLate);
    EXPECT_GE(PastBoundary(seen[2]), 200 - 1);
    for (int n : {3, 4, 5})
        EXPECT_LT(PastBoundary(seen[n]), kLate) << n << ": " << seen[n];
}

// A tick reads the clock once: its handler's first Date holds the reading the
// timer re-armed from; a second Date, or one made after the tick, reads anew.
TEST_F(TimerTest, TickReadsTheClockOnce)
{
    class CountingClock : public RunningClock {
    public:
        using RunningClock::RunningClock;
        LocalTime Now() const override
        {
            ++reads;
            return RunningClock::Now();
        }
        mutable int reads = 0;
    };
    auto clock = std::make_shared<CountingClock>(At(7, 29, 59, 900));
    SetClock(clock);
    std::vector<int> readsInTick;
    Ticks(2, [&](int) {
        readsInTick.push_back(clock->reads);
        Date();
        readsInTick.push_back(clock->reads);
    });
    // Two for arming the timer (mode, period), then one a tick.
    EXPECT_EQ(readsInTick, (std::vector<int>{3, 4, 5, 6}));
    Date();
    EXPECT_EQ(clock->reads, 7);
}

}  // namespace
}  // namespace platform
