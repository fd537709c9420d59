#include "platform/Date.h"

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace platform {
namespace {

// A TestClock starts on 2000-01-01; Set keeps the date, so a test reaches
// another day by advancing this many days.
int DaysSince2000(const LocalTime& time)
{
    using namespace std::chrono;
    const sys_days day{year{time.year} / time.month / time.day};
    return static_cast<int>((day - sys_days{2000y / January / 1}).count());
}

class DateTest : public ::testing::Test {
protected:
    void TearDown() override { SetClock(nullptr); }
};

TEST_F(DateTest, TestClockRollsOverMinutesHoursDaysAndYears)
{
    struct Case {
        LocalTime start;
        int seconds;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{2024, 5, 17, 7, 9, 59}, 1, "2024-05-17 07:10:00"},
        {{2024, 5, 17, 7, 59, 59}, 1, "2024-05-17 08:00:00"},
        {{2024, 5, 17, 23, 59, 59}, 1, "2024-05-18 00:00:00"},
        {{2024, 2, 28, 23, 59, 30}, 30, "2024-02-29 00:00:00"},
        {{2023, 2, 28, 23, 59, 30}, 30, "2023-03-01 00:00:00"},
        {{2024, 12, 31, 23, 59, 59}, 1, "2025-01-01 00:00:00"},
        {{2024, 5, 17, 12, 0, 0}, 86400 * 2 + 61, "2024-05-19 12:01:01"},
        {{2024, 5, 17, 0, 0, 0}, -1, "2024-05-16 23:59:59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto clock = std::make_shared<TestClock>();
        SetClock(clock);
        clock->AdvanceSeconds(DaysSince2000(c.start) * 86400);
        clock->Set(c.start.hour, c.start.minute, c.start.second);
        clock->AdvanceSeconds(c.seconds);
        EXPECT_EQ(Date().Text(), c.text);
    }
}

TEST_F(DateTest, SetKeepsTheDateAndTextIsZeroPadded)
{
    auto clock = std::make_shared<TestClock>();
    SetClock(clock);
    EXPECT_EQ(Date().Text(), "2000-01-01 00:00:00");
    clock->AdvanceSeconds(86400 * 40);
    clock->Set(7, 5, 3);
    const Date date;
    EXPECT_EQ(date.Text(), "2000-02-10 07:05:03");
    EXPECT_EQ(date.Time().minute, 5);

    // A Date keeps the moment it was made at.
    clock->AdvanceSeconds(3600);
    EXPECT_EQ(date.Text(), "2000-02-10 07:05:03");
    EXPECT_EQ(Date().Text(), "2000-02-10 08:05:03");
}

TEST_F(DateTest, WithoutATestClockDateIsTheSystemLocalTime)
{
    const std::time_t before = std::time(nullptr);
    const Date date;
    const std::time_t after = std::time(nullptr);
    // The second may have turned between the reads; one of the two matches.
    std::vector<std::string> candidates;
    for (std::time_t t : {before, after}) {
        std::tm parts{};
        localtime_r(&t, &parts);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
        candidates.emplace_back(text);
    }
    EXPECT_TRUE(date.Text() == candidates[0] || date.Text() == candidates[1]) << date.Text();
}

}  // namespace
}  // namespace platform
