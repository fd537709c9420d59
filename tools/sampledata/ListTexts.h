#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sampledata {

constexpr int actorCount = 12;
constexpr int alarmCount = 72;

// Actors count from 1.
QString actorName(int actor);
QString photoBaseName(int actor);
// Alarms count from 1.
QString alarmFileName(int alarm);

// Every byte outside A-Z a-z 0-9 . _ ~ - as %XX.
QByteArray percentEncode(const QString& text);

// Percent-encoded lines joined by a literal CR LF.
QByteArray actorListText();
QByteArray alarmListText();
// "HHMM" TAB actor per key, the actors taken in turn; CR after every line.
QByteArray scheduleText(const QStringList& minuteKeys);

// Writes the four lists that are not there yet; returns the failures.
QStringList writeMissingLists(const QString& resourcesFolder);

}  // namespace sampledata
