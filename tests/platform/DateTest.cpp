#include "platform/Date.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TestClock.h"

namespace platform {
namespace {

class DateTest : public ::testing::Test {
protected:
    void TearDown() override { SetClock(nullptr); }
};

TEST_F(DateTest, TextIsZeroPaddedAndKeepsTheMomentTheDateWasMadeAt)
{
    auto clock = std::make_shared<TestClock>();
    SetClock(clock);
    EXPECT_EQ(Date().Text(), "2000-01-01 00:00:00");
    clock->now = {2024, 2, 9, 7, 5, 3};
    const Date date;
    EXPECT_EQ(date.Text(), "2024-02-09 07:05:03");
    EXPECT_EQ(date.Time().minute, 5);

    clock->Set(23, 59, 59);
    EXPECT_EQ(date.Text(), "2024-02-09 07:05:03");
    EXPECT_EQ(Date().Text(), "2024-02-09 23:59:59");
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
