#include "tools/sampledata/ListTexts.h"

#include <QFileInfo>

#include <array>
#include <utility>

#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/SampleLayout.h"

namespace sampledata {

namespace {

const QByteArray lineBreak("\r\n");

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QByteArray encodedLine(const QStringList& fields)
{
    return percentEncode(fields.join(QLatin1Char('\t')));
}

}  // namespace

QString actorName(int actor)
{
    static const std::array<const char*, actorCount> names = {
        "春野さくら", "夏川ひかり", "秋山ゆい",   "冬木あおい", "星野みずき", "月島かえで",
        "花村ことね", "水野りん",   "森川あかね", "桜井ひなた", "青木まどか", "白石なぎさ"};
    if (actor < 1 || actor > actorCount)
        return {};
    return QString::fromUtf8(names[actor - 1]);
}

QString photoBaseName(int actor)
{
    return QStringLiteral("face") + twoDigits(actor);
}

QString alarmFileName(int alarm)
{
    return QStringLiteral("alarm%1.mp3").arg(twoDigits(alarm));
}

QByteArray percentEncode(const QString& text)
{
    return text.toUtf8().toPercentEncoding();
}

QByteArray actorListText()
{
    QList<QByteArray> lines;
    for (int actor = 1; actor <= actorCount; ++actor)
        lines << encodedLine({QString::number(actor), actorName(actor), photoBaseName(actor)});
    return lines.join(lineBreak);
}

QByteArray alarmListText()
{
    QList<QByteArray> lines;
    for (int alarm = 1; alarm <= alarmCount; ++alarm)
        lines << encodedLine({QStringLiteral("アラーム") + twoDigits(alarm), alarmFileName(alarm)});
    return lines.join(lineBreak);
}

QByteArray scheduleText(const QStringList& minuteKeys)
{
    QByteArray text;
    for (qsizetype i = 0; i < minuteKeys.size(); ++i) {
        const int actor = int(i % actorCount) + 1;
        text += minuteKeys[i].toLatin1() + '\t' + QByteArray::number(actor) + '\r';
    }
    return text;
}

QStringList writeMissingLists(const QString& resourcesFolder)
{
    const std::array<std::pair<const char*, QByteArray (*)()>, 4> lists = {{
        {"ActMain.txt", actorListText},
        {"Alarm.txt", alarmListText},
        {"ActSerif.txt", [] { return scheduleText(tenMinuteKeys()); }},
        {"ActTime.txt", [] { return scheduleText(allMinuteKeys()); }},
    }};
    QStringList failures;
    for (const auto& [name, makeText] : lists) {
        const QString path = resourcesFolder + QLatin1Char('/') + QString::fromLatin1(name);
        if (QFileInfo::exists(path))
            continue;
        const QString failure = writeWholeFile(path, makeText());
        if (!failure.isEmpty())
            failures << failure;
    }
    return failures;
}

}  // namespace sampledata
