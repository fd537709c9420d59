#pragma once

#include <QString>
#include <QStringList>

namespace sampledata {

// Where the program looks for its lists and its data folder, below the app
// root (the folder that holds bin/).
struct SampleLayout {
    QString resources;
    QString photos;
    QString alarmSounds;
    QString serifSounds;
    QString timeSounds;

    static SampleLayout under(const QString& appRoot);
    QStringList folders() const;
};

// "0000" .. "2359": every minute of the day.
QStringList allMinuteKeys();
// "0000", "0010" .. "2350": the minutes that carry a spoken line.
QStringList tenMinuteKeys();

int hourOf(const QString& minuteKey);
int minuteOf(const QString& minuteKey);

}  // namespace sampledata
