#include "clock/MinuteTally.h"

#include <cstdint>

#include "clock/ListLines.h"
#include "platform/Text.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The minute of the day that a key "HHMM" names; -1 for anything else, which
// no clock time ever equals.
int MinuteOfDay(std::string_view key)
{
    if (key.size() != 4 || !IsDigit(key[0]) || !IsDigit(key[1]) || !IsDigit(key[2]) || !IsDigit(key[3]))
        return -1;
    const int hour = (key[0] - '0') * 10 + (key[1] - '0');
    const int minute = (key[2] - '0') * 10 + (key[3] - '0');
    return hour < 24 && minute < 60 ? hour * 60 + minute : -1;
}

// The actor's index, number - 1, where the number is read as Val reads it.
// Plain digits, nearly every line's, are read here without Val's copy.
std::int64_t ActorIndex(std::string_view field)
{
    if (field.empty() || field.size() > 9)
        return platform::CInt32(platform::Val(field) - 1);
    std::int64_t number = 0;
    for (char c : field) {
        if (!IsDigit(c))
            return platform::CInt32(platform::Val(field) - 1);
        number = number * 10 + (c - '0');
    }
    return number - 1;
}

}  // namespace

MinuteTally::MinuteTally(std::string_view text, std::string_view separator)
{
    ForEachLine(text, separator, [this](std::string_view line) {
        const int minute = MinuteOfDay(FieldView(line, 1));
        if (minute < 0)
            return;
        const std::int64_t actor = ActorIndex(FieldView(line, 2));
        if (actor < 0 || actor >= static_cast<std::int64_t>(kActorFlagCount))
            return;
        if (counts_.empty())
            counts_.resize(kMinutesPerDay);
        ++counts_[static_cast<std::size_t>(minute)][static_cast<std::size_t>(actor)];
    });
}

std::size_t MinuteTally::Plays(std::string_view minuteKey, const ActorFlags& enabled) const
{
    const int minute = MinuteOfDay(minuteKey);
    if (minute < 0 || counts_.empty())
        return 0;
    std::size_t plays = 0;
    for (std::size_t actor = 0; actor < kActorFlagCount; ++actor)
        if (enabled[actor])
            plays += counts_[static_cast<std::size_t>(minute)][actor];
    return plays;
}
