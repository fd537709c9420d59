#pragma once

#include "platform/Date.h"

// A clock that stands where the test puts it: 2000-01-01 00:00:00 until set.
class TestClock : public platform::Clock {
public:
    platform::LocalTime Now() const override { return now; }
    // Keeps the date.
    void Set(int hour, int minute, int second)
    {
        now.hour = hour;
        now.minute = minute;
        now.second = second;
    }

    platform::LocalTime now;
};
