#include "tools/sampledata/SpeechClips.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <utility>

#include "tools/sampledata/Mp3Frames.h"

namespace sampledata {

namespace {

const std::array<const char*, 10> digitReadings = {
    "", "いち", "に", "さん", "よ", "ご", "ろく", "しち", "はち", "く"};
const std::array<const char*, 10> minuteUnitReadings = {
    "", "いっぷん", "にふん", "さんぷん", "よんぷん", "ごふん", "ろっぷん", "ななふん", "はっぷん", "きゅうふん"};
const std::array<const char*, 6> minuteTenReadings = {
    "", "じゅう", "にじゅう", "さんじゅう", "よんじゅう", "ごじゅう"};
const std::array<const char*, 6> minuteWholeTenReadings = {
    "ちょうど", "じゅっぷん", "にじゅっぷん", "さんじゅっぷん", "よんじゅっぷん", "ごじゅっぷん"};

QStringList missingIn(const QString& folder, const QStringList& minuteKeys)
{
    QStringList missing;
    for (const QString& key : minuteKeys) {
        if (!QFileInfo::exists(folder + QLatin1Char('/') + key + QStringLiteral(".mp3")))
            missing << key;
    }
    return missing;
}

QString hourName(int hour)
{
    return QStringLiteral("hour%1").arg(hour);
}

QString minuteName(int minute)
{
    return QStringLiteral("minute%1").arg(minute);
}

QString serifName(qsizetype line)
{
    return QStringLiteral("serif%1").arg(line);
}

qsizetype serifLineFor(const QString& minuteKey)
{
    return (hourOf(minuteKey) * 6 + minuteOf(minuteKey) / 10) % serifLines().size();
}

}  // namespace

QString hourWord(int hour)
{
    if (hour == 0)
        return QStringLiteral("れいじ");
    const QString tens = hour >= 20 ? QStringLiteral("にじゅう") : hour >= 10 ? QStringLiteral("じゅう") : QString();
    return tens + QString::fromUtf8(digitReadings[hour % 10]) + QStringLiteral("じ");
}

QString minuteWord(int minute)
{
    if (minute % 10 == 0)
        return QString::fromUtf8(minuteWholeTenReadings[minute / 10]);
    return QString::fromUtf8(minuteTenReadings[minute / 10]) + QString::fromUtf8(minuteUnitReadings[minute % 10]);
}

QStringList serifLines()
{
    return {QStringLiteral("おはようございます"), QStringLiteral("いまの じこくは"),
            QStringLiteral("じかんですよ"),       QStringLiteral("がんばってね"),
            QStringLiteral("ひとやすみしよう"),   QStringLiteral("おつかれさまです")};
}

QString synthesizeWord(const QString& text, const QString& mp3Path)
{
    const QString wavPath = mp3Path + QStringLiteral(".wav");
    QString failure = runProgram(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("ja"),
                                                               QStringLiteral("-w"), wavPath, text});
    if (failure.isEmpty()) {
        // -t leaves out the Xing frame, which would otherwise sit in the
        // middle of a joined clip.
        failure = runProgram(QStringLiteral("lame"), {QStringLiteral("--noreplaygain"), QStringLiteral("-t"),
                                                      QStringLiteral("--silent"), QStringLiteral("-b"),
                                                      QStringLiteral("32"), wavPath, mp3Path});
    }
    QFile::remove(wavPath);
    return failure;
}

SpeechClips::SpeechClips(const SampleLayout& layout, QString workFolder)
    : workFolder_(std::move(workFolder)),
      timeFolder_(layout.timeSounds),
      serifFolder_(layout.serifSounds),
      missingTimeKeys_(missingIn(layout.timeSounds, allMinuteKeys())),
      missingSerifKeys_(missingIn(layout.serifSounds, tenMinuteKeys()))
{
}

bool SpeechClips::anyMissing() const
{
    return !missingTimeKeys_.isEmpty() || !missingSerifKeys_.isEmpty();
}

QList<SpeechClips::Word> SpeechClips::neededWords() const
{
    QList<Word> words;
    if (!anyMissing())
        return words;
    for (int hour = 0; hour < 24; ++hour)
        words << Word{hourName(hour), hourWord(hour)};
    for (int minute = 0; minute < 60; ++minute)
        words << Word{minuteName(minute), minuteWord(minute)};
    if (!missingSerifKeys_.isEmpty()) {
        const QStringList lines = serifLines();
        for (qsizetype i = 0; i < lines.size(); ++i)
            words << Word{serifName(i), lines[i]};
    }
    return words;
}

QString SpeechClips::wordPath(const QString& name) const
{
    return workFolder_ + QLatin1Char('/') + name + QStringLiteral(".mp3");
}

Jobs SpeechClips::synthesisJobs() const
{
    Jobs jobs;
    for (const Word& word : neededWords()) {
        const QString path = wordPath(word.name);
        jobs.push_back([text = word.text, path] { return synthesizeWord(text, path); });
    }
    return jobs;
}

QStringList SpeechClips::loadWords()
{
    QStringList failures;
    for (const Word& word : neededWords()) {
        QFile file(wordPath(word.name));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (!isBareFrameStream(bytes))
            failures << QStringLiteral("%1 is not a bare MP3 frame stream").arg(file.fileName());
        words_.insert(word.name, bytes);
    }
    return failures;
}

Job SpeechClips::clipJob(const QString& path, const QStringList& wordNames) const
{
    QList<QByteArray> parts;
    for (const QString& name : wordNames)
        parts << words_.value(name);
    return [path, parts] { return writeWholeFile(path, joinFrameStreams(parts)); };
}

Jobs SpeechClips::assemblyJobs() const
{
    Jobs jobs;
    for (const QString& key : missingTimeKeys_) {
        const QString path = timeFolder_ + QLatin1Char('/') + key + QStringLiteral(".mp3");
        jobs.push_back(clipJob(path, {hourName(hourOf(key)), minuteName(minuteOf(key))}));
    }
    for (const QString& key : missingSerifKeys_) {
        const QString path = serifFolder_ + QLatin1Char('/') + key + QStringLiteral(".mp3");
        jobs.push_back(clipJob(path, {serifName(serifLineFor(key)), hourName(hourOf(key)), minuteName(minuteOf(key))}));
    }
    return jobs;
}

}  // namespace sampledata
