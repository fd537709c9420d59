#include "platform/Date.h"

#include <memory>
#include <string>

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

}  // namespace
}  // namespace platform
