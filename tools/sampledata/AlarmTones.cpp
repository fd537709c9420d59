#include "tools/sampledata/AlarmTones.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <utility>

#include "tools/sampledata/ListTexts.h"

namespace sampledata {

namespace {

constexpr std::array<int, toneCount> frequencies = {800, 1000, 1200, 600, 900, 700, 1100, 500};
constexpr double toneSeconds = 1.5;

QString alarmPath(const QString& folder, int alarm)
{
    return folder + QLatin1Char('/') + alarmFileName(alarm);
}

// Even tones are steady, odd ones pulse, so that neighbours differ in more
// than pitch.
QStringList soxToneArguments(int tone, const QString& wavPath)
{
    QStringList arguments = {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"),
                             QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"),
                             QStringLiteral("16"), wavPath, QStringLiteral("synth"),
                             QString::number(toneSeconds), QStringLiteral("sine"),
                             QString::number(toneFrequency(tone))};
    if (tone % 2 == 1)
        arguments << QStringLiteral("tremolo") << QStringLiteral("6") << QStringLiteral("80");
    arguments << QStringLiteral("fade") << QStringLiteral("0.02") << QString::number(toneSeconds)
              << QStringLiteral("0.05") << QStringLiteral("vol") << QStringLiteral("0.5");
    return arguments;
}

QString synthesizeTone(int tone, const QString& mp3Path)
{
    const QString wavPath = mp3Path + QStringLiteral(".wav");
    QString failure = runProgram(QStringLiteral("sox"), soxToneArguments(tone, wavPath));
    if (failure.isEmpty())
        failure = runProgram(QStringLiteral("lame"), {QStringLiteral("--noreplaygain"), QStringLiteral("--silent"),
                                                      QStringLiteral("-b"), QStringLiteral("64"), wavPath, mp3Path});
    QFile::remove(wavPath);
    return failure;
}

}  // namespace

int toneFrequency(int tone)
{
    return frequencies[std::size_t(tone) % frequencies.size()];
}

int toneOfAlarm(int alarm)
{
    return (alarm - 1) % toneCount;
}

AlarmTones::AlarmTones(const SampleLayout& layout, QString workFolder)
    : workFolder_(std::move(workFolder)), alarmFolder_(layout.alarmSounds)
{
    for (int alarm = 1; alarm <= alarmCount; ++alarm) {
        if (!QFileInfo::exists(alarmPath(alarmFolder_, alarm)))
            missingAlarms_ << alarm;
    }
}

bool AlarmTones::anyMissing() const
{
    return !missingAlarms_.isEmpty();
}

QString AlarmTones::tonePath(int tone) const
{
    return workFolder_ + QStringLiteral("/tone%1.mp3").arg(tone);
}

Jobs AlarmTones::synthesisJobs() const
{
    Jobs jobs;
    if (!anyMissing())
        return jobs;
    for (int tone = 0; tone < toneCount; ++tone)
        jobs.push_back([tone, path = tonePath(tone)] { return synthesizeTone(tone, path); });
    return jobs;
}

QStringList AlarmTones::loadTones()
{
    QStringList failures;
    tones_.clear();
    for (int tone = 0; tone < toneCount && anyMissing(); ++tone) {
        QFile file(tonePath(tone));
        if (!file.open(QIODevice::ReadOnly))
            failures << QStringLiteral("cannot read %1").arg(file.fileName());
        tones_ << file.readAll();
    }
    return failures;
}

Jobs AlarmTones::copyJobs() const
{
    Jobs jobs;
    for (int alarm : missingAlarms_) {
        const QByteArray tone = tones_.value(toneOfAlarm(alarm));
        jobs.push_back([path = alarmPath(alarmFolder_, alarm), tone] { return writeWholeFile(path, tone); });
    }
    return jobs;
}

}  // namespace sampledata
