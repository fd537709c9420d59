#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int millisecond = 0;
};

// Where the time of day comes from; tests install their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// Installs a clock; nullptr restores the system's local time.
void SetClock(std::shared_ptr<Clock> clock);

// The next Date made holds this time: a tick and its handlers read the clock once.
void LendTime(std::optional<LocalTime> time);

// A date and time; a new Date holds the current one.
class Date {
public:
    Date();
    // "YYYY-MM-DD HH:MM:SS", 24-hour.
    std::string Text() const;
    const LocalTime& Time() const { return time_; }

private:
    LocalTime time_;
};

}  // namespace platform
