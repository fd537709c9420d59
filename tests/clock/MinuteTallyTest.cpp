#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clock/MinuteTally.h"
#include "platform/Text.h"
#include "tests/support/ListContents.h"

namespace {

// The simple definition: every line split whole, its field 1 compared and
// its actor read with Val.
std::size_t PlaysTheSimpleWay(const std::string& text, const std::string& key, const ActorFlags& enabled)
{
    std::size_t plays = 0;
    for (const std::string& line : SplitWhole(text, "\r")) {
        if (platform::NthField(line, "\t", 1) != key)
            continue;
        const std::int32_t actor = platform::CInt32(platform::Val(platform::NthField(line, "\t", 2)) - 1);
        if (actor >= 0 && actor < static_cast<std::int32_t>(enabled.size()) && enabled[actor])
            ++plays;
    }
    return plays;
}

TEST(MinuteTally, CountsAsWalkingEveryLine)
{
    static const std::vector<std::string> kKeys = {"0731", "0000", "2359", "0730", "731", "0731 ", "2400", "0760", "",
                                                   "\n0731", "07310"};
    static const std::vector<std::string> kActors = {"1", "2", "12", "13", "0", "-1", "x", "", "2.4", "1.5", " 3",
                                                     "07", "+4", "1e1", "0000000000005", "3\textra"};
    std::mt19937 random(1440);
    std::uniform_int_distribution<std::size_t> key(0, kKeys.size() - 1);
    std::uniform_int_distribution<std::size_t> actor(0, kActors.size() - 1);
    std::bernoulli_distribution coin(0.5);
    std::string text;
    for (int line = 0; line < 3000; ++line)
        text += kKeys[key(random)] + (coin(random) ? "\t" + kActors[actor(random)] : "") + "\r";
    text += "0731\t1";  // the last line has no CR

    const MinuteTally tally(text, "\r");
    for (int round = 0; round < 20; ++round) {
        ActorFlags enabled{};
        for (bool& flag : enabled)
            flag = coin(random);
        // Minute keys come from the clock: always a time of day.
        for (const std::string minute : {"0731", "0000", "2359", "0730", "0732"}) {
            SCOPED_TRACE(minute);
            EXPECT_EQ(tally.Plays(minute, enabled), PlaysTheSimpleWay(text, minute, enabled));
        }
    }
}

TEST(MinuteTally, EmptyScheduleAndAllActors)
{
    ActorFlags all{};
    all.fill(true);
    EXPECT_EQ(MinuteTally().Plays("0731", all), 0u);
    EXPECT_EQ(MinuteTally("", "\r").Plays("0731", all), 0u);
    const MinuteTally tally("0731\t1\r0731\t13\r0731\t14\r0731\t1\r\n0731\t1", "\r");
    EXPECT_EQ(tally.Plays("0731", all), 3u);  // 14 names nobody; "\n0731" is another key
    all[12] = false;
    EXPECT_EQ(tally.Plays("0731", all), 2u);
}

}  // namespace
