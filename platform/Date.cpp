#include "platform/Date.h"

#include <cstdio>
#include <utility>

#include <QDateTime>

namespace platform {
namespace {

std::shared_ptr<Clock> installedClock;
std::optional<LocalTime> lentTime;

LocalTime SystemLocalTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

}  // namespace

void SetClock(std::shared_ptr<Clock> clock) { installedClock = std::move(clock); }
void LendTime(std::optional<LocalTime> time) { lentTime = time; }

Date::Date()
    : time_(lentTime ? *std::exchange(lentTime, std::nullopt) : installedClock ? installedClock->Now() : SystemLocalTime())
{
}

std::string Date::Text() const
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time_.year, time_.month, time_.day,
                  time_.hour, time_.minute, time_.second);
    return text;
}

}  // namespace platform
