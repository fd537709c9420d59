#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "clock/Counts.h"

using ActorFlags = std::array<bool, kActorFlagCount>;

// A schedule's lines counted per minute of the day and per actor when the
// schedule loads, so a minute's plays cost the same however long the list.
class MinuteTally {
public:
    // No lines.
    MinuteTally() = default;
    // Counts the lines of text split at separator (not empty).
    MinuteTally(std::string_view text, std::string_view separator);

    // How many lines have field 1 equal to minuteKey ("HHMM", a time of day)
    // and an enabled actor in field 2, counted from 1. An actor number outside
    // the flags names nobody.
    std::size_t Plays(std::string_view minuteKey, const ActorFlags& enabled) const;

private:
    using ActorCounts = std::array<std::size_t, kActorFlagCount>;
    // One per minute of the day; empty while no line counts.
    std::vector<ActorCounts> counts_;
};
