#include "platform/Date.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {

std::shared_ptr<Clock> installedClock;

LocalTime SystemLocalTime()
{
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
            static_cast<int>(now.time_since_epoch().count() % 1000)};
}

}  // namespace

void SetClock(std::shared_ptr<Clock> clock)
{
    installedClock = std::move(clock);
}

Date::Date() : time_(installedClock ? installedClock->Now() : SystemLocalTime()) {}

std::string Date::Text() const
{
    char text[80];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time_.year, time_.month,
                                     time_.day, time_.hour, time_.minute, time_.second);
    return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, int{sizeof text} - 1)));
}

}  // namespace platform
