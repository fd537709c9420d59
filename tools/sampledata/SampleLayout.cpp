#include "tools/sampledata/SampleLayout.h"

namespace sampledata {

namespace {

QString minuteKey(int hour, int minute)
{
    return QStringLiteral("%1%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0'));
}

QStringList minuteKeysEvery(int step)
{
    QStringList keys;
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; minute += step)
            keys << minuteKey(hour, minute);
    return keys;
}

}  // namespace

SampleLayout SampleLayout::under(const QString& appRoot)
{
    const QString data = appRoot + QStringLiteral("/velka-namro/Payload/Velka Namro 2 HD.app");
    SampleLayout layout;
    layout.resources = appRoot + QStringLiteral("/Resources");
    layout.photos = data + QStringLiteral("/Photos");
    layout.alarmSounds = data + QStringLiteral("/Sounds/Alarm");
    layout.serifSounds = data + QStringLiteral("/Sounds/Serif");
    layout.timeSounds = data + QStringLiteral("/Sounds/Time");
    return layout;
}

QStringList SampleLayout::folders() const
{
    return {resources, photos, alarmSounds, serifSounds, timeSounds};
}

QStringList allMinuteKeys()
{
    return minuteKeysEvery(1);
}

QStringList tenMinuteKeys()
{
    return minuteKeysEvery(10);
}

int hourOf(const QString& minuteKey)
{
    return minuteKey.left(2).toInt();
}

int minuteOf(const QString& minuteKey)
{
    return minuteKey.mid(2, 2).toInt();
}

}  // namespace sampledata
