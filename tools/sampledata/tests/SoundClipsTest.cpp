#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tools/sampledata/AlarmTones.h"
#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/ListTexts.h"
#include "tools/sampledata/Mp3Frames.h"
#include "tools/sampledata/SampleLayout.h"
#include "tools/sampledata/SpeechClips.h"

namespace sampledata {
namespace {

bool soundToolsPresent()
{
    for (const char* program : {"espeak-ng", "lame", "sox", "soxi"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            return false;
    }
    return true;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
}

// What sox makes of a file: its length in seconds and, for a tone, its pitch.
QString soxOutput(const QStringList& arguments)
{
    QProcess sox;
    sox.setProcessChannelMode(QProcess::MergedChannels);
    sox.start(QStringLiteral("sox"), arguments);
    sox.waitForFinished(-1);
    return QString::fromLocal8Bit(sox.readAll());
}

double decodedSeconds(const QString& path)
{
    QProcess soxi;
    soxi.start(QStringLiteral("soxi"), {QStringLiteral("-D"), path});
    soxi.waitForFinished(-1);
    return soxi.exitCode() == 0 ? soxi.readAll().trimmed().toDouble() : -1.0;
}

double roughFrequency(const QString& path)
{
    const QString stat = soxOutput({path, QStringLiteral("-n"), QStringLiteral("stat")});
    const qsizetype at = stat.indexOf(QStringLiteral("Rough   frequency:"));
    return at < 0 ? -1.0 : stat.mid(at + 18).section(QLatin1Char('\n'), 0, 0).trimmed().toDouble();
}

TEST(Mp3Frames, OnlyUntaggedFrameStreamsCountAsBare)
{
    const QByteArray frame = QByteArray::fromHex("fff340c4") + QByteArray(200, '\0');
    QByteArray xing = frame;
    xing.replace(36, 4, "Xing");
    QByteArray info = frame;
    info.replace(21, 4, "Info");
    const struct {
        const char* what;
        QByteArray bytes;
        bool bare;
    } cases[] = {
        {"frame", frame, true},
        {"ID3v2 first", QByteArray("ID3\x04") + frame, false},
        {"ID3v1 last", frame + QByteArray("TAG") + QByteArray(125, ' '), false},
        {"Xing frame", xing, false},
        {"Info frame", info, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBareFrameStream(c.bytes), c.bare) << c.what;
}

TEST(SpeechClips, ReadsHoursAndMinutesAsSpoken)
{
    const struct {
        int hour;
        const char* word;
    } hours[] = {{4, "よじ"}, {7, "しちじ"}, {14, "じゅうよじ"}};
    for (const auto& c : hours)
        EXPECT_EQ(hourWord(c.hour), QString::fromUtf8(c.word)) << c.hour;
    const struct {
        int minute;
        const char* word;
    } minutes[] = {{0, "ちょうど"}, {6, "ろっぷん"}, {34, "さんじゅうよんぷん"}};
    for (const auto& c : minutes)
        EXPECT_EQ(minuteWord(c.minute), QString::fromUtf8(c.word)) << c.minute;
}

TEST(SpeechClips, JoinsOnlyTheMissingClipsFromWordsThatDecodeAsOne)
{
    if (!soundToolsPresent())
        GTEST_SKIP() << "espeak-ng, lame or sox missing";
    QTemporaryDir root;
    QTemporaryDir work;
    ASSERT_TRUE(root.isValid() && work.isValid());
    const SampleLayout layout = SampleLayout::under(root.path());
    ASSERT_TRUE(makeFolders(layout.folders()).isEmpty());
    for (const QString& key : allMinuteKeys())
        if (key != QStringLiteral("0730"))
            touch(layout.timeSounds + QLatin1Char('/') + key + QStringLiteral(".mp3"));
    for (const QString& key : tenMinuteKeys())
        touch(layout.serifSounds + QLatin1Char('/') + key + QStringLiteral(".mp3"));

    SpeechClips speech(layout, work.path());
    ASSERT_TRUE(speech.anyMissing());
    ASSERT_TRUE(runInParallel(speech.synthesisJobs()).isEmpty());
    ASSERT_TRUE(speech.loadWords().isEmpty()) << "every word is a bare frame stream";
    const Jobs assembly = speech.assemblyJobs();
    EXPECT_EQ(assembly.size(), 1u);
    ASSERT_TRUE(runInParallel(assembly).isEmpty());

    const QString clip = layout.timeSounds + QStringLiteral("/0730.mp3");
    const double hour = decodedSeconds(work.filePath(QStringLiteral("hour7.mp3")));
    const double minute = decodedSeconds(work.filePath(QStringLiteral("minute30.mp3")));
    ASSERT_GT(hour, 0.3);
    ASSERT_GT(minute, 0.3);
    EXPECT_NEAR(decodedSeconds(clip), hour + minute, 0.1) << "the joined clip plays both words";
    EXPECT_EQ(readFile(layout.serifSounds + QStringLiteral("/0730.mp3")), QByteArray()) << "existing clips are kept";
    EXPECT_FALSE(SpeechClips(layout, work.path()).anyMissing());
}

TEST(AlarmTones, CopiesEightDistinctTonesToTheMissingAlarms)
{
    if (!soundToolsPresent())
        GTEST_SKIP() << "sox or lame missing";
    QTemporaryDir root;
    QTemporaryDir work;
    ASSERT_TRUE(root.isValid() && work.isValid());
    const SampleLayout layout = SampleLayout::under(root.path());
    ASSERT_TRUE(makeFolders(layout.folders()).isEmpty());
    touch(layout.alarmSounds + QLatin1Char('/') + alarmFileName(5));

    AlarmTones alarms(layout, work.path());
    ASSERT_TRUE(runInParallel(alarms.synthesisJobs()).isEmpty());
    ASSERT_TRUE(alarms.loadTones().isEmpty());
    const Jobs copies = alarms.copyJobs();
    EXPECT_EQ(copies.size(), 71u);
    ASSERT_TRUE(runInParallel(copies).isEmpty());

    const auto alarm = [&layout](int n) { return readFile(layout.alarmSounds + QLatin1Char('/') + alarmFileName(n)); };
    EXPECT_TRUE(alarm(5).isEmpty()) << "an existing file is kept";
    EXPECT_EQ(alarm(1), alarm(9));
    EXPECT_EQ(alarm(72), alarm(8));
    EXPECT_NE(alarm(1), alarm(2));

    const QString first = layout.alarmSounds + QLatin1Char('/') + alarmFileName(1);
    EXPECT_NEAR(decodedSeconds(first), 1.5, 0.15);
    EXPECT_NEAR(roughFrequency(first), toneFrequency(toneOfAlarm(1)), toneFrequency(0) * 0.1);
}

}  // namespace
}  // namespace sampledata
