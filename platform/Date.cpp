#include "platform/Date.h"

#include <chrono>
#include <ctime>

namespace platform {

namespace {

std::shared_ptr<Clock> installedClock;

LocalTime SystemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

// Writes value as width digits, zero-padded; returns the position after them.
char* WriteDigits(char* out, int value, int width)
{
    unsigned magnitude = value < 0 ? 0u : static_cast<unsigned>(value);
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    return out + width;
}

}  // namespace

void TestClock::Set(int hour, int minute, int second)
{
    now_.hour = hour;
    now_.minute = minute;
    now_.second = second;
}

void TestClock::AdvanceSeconds(int seconds)
{
    using namespace std::chrono;
    const sys_days day{year{now_.year} / month{static_cast<unsigned>(now_.month)} /
                       std::chrono::day{static_cast<unsigned>(now_.day)}};
    const sys_seconds moment = day + hours{now_.hour} + minutes{now_.minute} +
                               std::chrono::seconds{now_.second} + std::chrono::seconds{seconds};
    const sys_days newDay = floor<days>(moment);
    const year_month_day date{newDay};
    const hh_mm_ss time{moment - newDay};
    now_.year = static_cast<int>(date.year());
    now_.month = static_cast<int>(static_cast<unsigned>(date.month()));
    now_.day = static_cast<int>(static_cast<unsigned>(date.day()));
    now_.hour = static_cast<int>(time.hours().count());
    now_.minute = static_cast<int>(time.minutes().count());
    now_.second = static_cast<int>(time.seconds().count());
}

void SetClock(std::shared_ptr<Clock> clock)
{
    installedClock = std::move(clock);
}

Date::Date() : time_(installedClock ? installedClock->Now() : SystemLocalTime()) {}

std::string Date::Text() const
{
    // Runs twice a second: no streams, no locale.
    char text[19];
    char* out = WriteDigits(text, time_.year, 4);
    *out++ = '-';
    out = WriteDigits(out, time_.month, 2);
    *out++ = '-';
    out = WriteDigits(out, time_.day, 2);
    *out++ = ' ';
    out = WriteDigits(out, time_.hour, 2);
    *out++ = ':';
    out = WriteDigits(out, time_.minute, 2);
    *out++ = ':';
    out = WriteDigits(out, time_.second, 2);
    return std::string(text, out);
}

}  // namespace platform
