#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/ClipCache.h"
#include "tests/support/CountingSoundOutput.h"
#include "tests/support/SoundServer.h"

using platform::ClipCache;
using platform::ClipReader;

namespace {

class SoundFiles {
public:
    // The file's ending picks the format: MP3 through lame, the rest through sox.
    std::string tone(const QString& name, int hz, double seconds, int rate = 22050, int channels = 1)
    {
        const QString path = dir_.filePath(name);
        const bool made = name.endsWith(QStringLiteral(".mp3")) ? WriteToneMp3(path, hz, seconds, rate, channels)
                                                                 : WriteTone(path, hz, seconds, rate, channels);
        EXPECT_TRUE(made) << "could not write " << name.toStdString();
        return path.toStdString();
    }
    std::string bytes(const QString& name, const QByteArray& content)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName().toStdString();
    }
    std::string path(const QString& name) const { return dir_.filePath(name).toStdString(); }

private:
    QTemporaryDir dir_;
};

// Reads a clip to its end in pieces of the given size; the 16-bit samples.
std::vector<short> ReadAll(ClipReader& reader, std::size_t piece)
{
    std::vector<short> all;
    std::vector<char> buffer(piece);
    for (;;) {
        const std::size_t got = reader.Read(buffer.data(), piece);
        EXPECT_EQ(got % reader.FrameBytes(), 0u);
        const auto* samples = reinterpret_cast<const short*>(buffer.data());
        all.insert(all.end(), samples, samples + got / 2);
        if (got < piece - piece % reader.FrameBytes())
            return all;
    }
}

double Seconds(const std::vector<short>& samples, const ClipReader& reader)
{
    return double(samples.size()) / reader.Channels() / reader.Rate();
}

short Loudest(const std::vector<short>& samples)
{
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

// New content under the old size and time, as a cache sees an unchanged file.
void OverwriteKeepingTime(const std::string& path, char fill)
{
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(qsizetype(before.st_size), fill));
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Waits until the output has no play left; the time that took.
qint64 MsUntilIdle(CountingSoundOutput& output, int limitMs = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (output.Playing() > 0 && elapsed.elapsed() < limitMs)
        QThread::msleep(2);
    return elapsed.elapsed();
}

// How far this process has read the file through a handle it holds open;
// -1 when no handle is open on it.
long long ReadPosition(const std::string& path)
{
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System)) {
        if (fd.symLinkTarget().toStdString() != path)
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd.fileName());
        if (info.open(QIODevice::ReadOnly))
            return info.readLine().mid(4).trimmed().toLongLong();  // "pos:\t<bytes>"
    }
    return -1;
}

}  // namespace

TEST(ClipCacheTest, ReadsTheCommonFormatsWholeAtTheirOwnRate)
{
    SoundFiles files;
    struct Case {
        const char* name;
        int rate;
        int channels;
        double seconds;
        double tolerance;
    };
    // A 2 s WAV and an AIFF were silent, a 0.8 s WAV noise.
    const Case cases[] = {{"short.wav", 22050, 1, 0.8, 0.001}, {"two.wav", 44100, 2, 2.0, 0.001},
                          {"tone.aiff", 22050, 1, 1.5, 0.001}, {"tone.flac", 44100, 2, 1.0, 0.001},
                          {"tone.ogg", 22050, 1, 1.2, 0.01},   {"tone.mp3", 22050, 1, 1.0, 0.03}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = files.tone(QString::fromLatin1(c.name), 440, c.seconds, c.rate, c.channels);
        ClipCache cache;
        auto readers = cache.Open(path, 2);
        ASSERT_EQ(readers.size(), 2u);
        EXPECT_EQ(readers[0].Rate(), unsigned(c.rate));
        EXPECT_EQ(readers[0].Channels(), unsigned(c.channels));
        // Uneven pieces, then another play of the same decode.
        const auto first = ReadAll(readers[0], 1001);
        EXPECT_NEAR(Seconds(first, readers[0]), c.seconds, c.tolerance);
        EXPECT_GT(Loudest(first), 3000) << "the tone is missing";
        EXPECT_EQ(ReadAll(readers[1], 4096), first);
    }
}

TEST(ClipCacheTest, FilesNoDecoderReadsGiveNothingSaidOncePerFile)
{
    SoundFiles files;
    ClipCache cache;
    const auto text = files.bytes(QStringLiteral("text.wav"), "not a sound at all\n");
    const auto empty = files.bytes(QStringLiteral("empty.mp3"), "");
    testing::internal::CaptureStderr();
    for (int minute = 0; minute < 3; ++minute) {
        EXPECT_TRUE(cache.Open(text, 1).empty());
        EXPECT_TRUE(cache.Open(empty, 1).empty());
        EXPECT_TRUE(cache.Open(files.path(QStringLiteral("missing.wav")), 1).empty());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "talking-clock: no decoder reads " + text + "; it plays nothing\n"
              "talking-clock: no decoder reads " + empty + "; it plays nothing\n");

    // A named pipe counts as missing rather than blocking the caller.
    const auto pipe = files.path(QStringLiteral("pipe.wav"));
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(cache.Open(pipe, 1).empty());

    // A cut WAV plays the frames it has, no more.
    QFile whole(QString::fromStdString(files.tone(QStringLiteral("whole.wav"), 440, 1.0)));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray cut = whole.readAll();
    cut.truncate(cut.size() / 2);
    auto readers = cache.Open(files.bytes(QStringLiteral("cut.wav"), cut), 1);
    ASSERT_EQ(readers.size(), 1u);
    EXPECT_NEAR(Seconds(ReadAll(readers[0], 4096), readers[0]), 0.5, 0.01);
}

TEST(ClipCacheTest, AShortClipIsDecodedAsItPlaysNotWhenOpened)
{
    SoundFiles files;
    ClipCache cache;
    const auto clip = files.tone(QStringLiteral("three.wav"), 440, 3.0, 44100, 2);
    const long long size = QFileInfo(QString::fromStdString(clip)).size();
    auto readers = cache.Open(clip, 2);
    ASSERT_EQ(readers.size(), 2u);
    const long long opened = ReadPosition(clip);
    EXPECT_GE(opened, 0) << "the file was read whole and closed";
    EXPECT_LT(opened, size / 4);
    std::vector<char> piece(4096);
    readers[0].Read(piece.data(), piece.size());
    EXPECT_LT(ReadPosition(clip), size / 2) << "one piece decoded much more";
    const auto heard = ReadAll(readers[0], 4096);
    EXPECT_NEAR(Seconds(heard, readers[0]) + 4096.0 / 4 / 44100, 3.0, 0.001);
    EXPECT_EQ(ReadPosition(clip), -1) << "the file stays open after its end";
}

TEST(ClipCacheTest, AShortClipIsDecodedOnceWhileItPlaysALongOneReadPerPlay)
{
    SoundFiles files;
    ClipCache cache;
    const auto shortClip = files.tone(QStringLiteral("short.wav"), 440, 0.5);
    auto playing = cache.Open(shortClip, 1);
    ASSERT_EQ(playing.size(), 1u);

    // While a play holds its decode, an unchanged file is not read again...
    const auto heardFirst = ReadAll(playing[0], 4096);
    OverwriteKeepingTime(shortClip, 'x');
    auto again = cache.Open(shortClip, 3);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(ReadAll(again[2], 4096), heardFirst);
    // ...and once none does, its samples are gone.
    playing.clear();
    again.clear();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(cache.Open(shortClip, 1).empty());
    testing::internal::GetCapturedStderr();
    // A file replaced on disk is read afresh.
    files.tone(QStringLiteral("short.wav"), 440, 0.25);
    auto replaced = cache.Open(shortClip, 1);
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_NEAR(Seconds(ReadAll(replaced[0], 4096), replaced[0]), 0.25, 0.001);

    // A long clip: each play reads the file on its own, whatever another
    // play has read.
    const auto longClip = files.tone(QStringLiteral("long.flac"), 440, 6.0, 44100, 2);
    auto plays = cache.Open(longClip, 2);
    ASSERT_EQ(plays.size(), 2u);
    const auto heard = ReadAll(plays[0], 8192);
    EXPECT_NEAR(Seconds(heard, plays[0]), 6.0, 0.001);
    EXPECT_EQ(ReadAll(plays[1], 3000), heard);
}

// One server for the suite: a fresh null sink needs a while to run steadily.
class PulseSoundOutputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new SoundServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        if (!server->running()) {
            ASSERT_TRUE(server->start()) << "pulseaudio did not start";
            WaitUntilSinkRuns();
        }
    }

    // Short plays until one takes about its length.
    void WaitUntilSinkRuns()
    {
        CountingSoundOutput output;
        const auto blip = files.tone(QStringLiteral("blip.mp3"), 440, 0.05);
        for (int i = 0; i < 50; ++i) {
            output.Play(blip, 1);
            if (MsUntilIdle(output) < 300)
                return;
        }
        FAIL() << "the null sink does not run steadily";
    }

    static SoundServer* server;
    SoundFiles files;
};

SoundServer* PulseSoundOutputTest::server = nullptr;


TEST_F(PulseSoundOutputTest, AThousandPlaysOfOneClipStartAtOnceAndEndWithIt)
{
    CountingSoundOutput output;
    const auto clip = files.tone(QStringLiteral("line.mp3"), 440, 0.5);
    QElapsedTimer calls;
    calls.start();
    output.Play(clip, 1000);
    EXPECT_LT(calls.elapsed(), 100) << "the minute's plays held up the tick";
    EXPECT_EQ(output.Playing(), 1000u);
    const qint64 ms = calls.elapsed() + MsUntilIdle(output);
    EXPECT_GE(ms, 500);
    // Left to the server, a few dozen streams already stretch the clip.
    EXPECT_LT(ms, 900);
}


TEST_F(PulseSoundOutputTest, BrokenFilesPlayNothingAndAVeryShortClipEnds)
{
    CountingSoundOutput output;
    output.Play(files.bytes(QStringLiteral("text.mp3"), "not a sound at all\n"), 1);
    output.Play(files.path(QStringLiteral("missing.mp3")), 1);
    EXPECT_EQ(output.Playing(), 0u);
    output.Play(files.tone(QStringLiteral("short.mp3"), 440, 0.01, 8000), 1);
    EXPECT_LT(MsUntilIdle(output), 2000);
}

TEST_F(PulseSoundOutputTest, WithoutServerPlaysAreSkippedSaidOnceAndTheNextServerIsFound)
{
    const auto clip = files.tone(QStringLiteral("tone.mp3"), 440, 0.3);
    CountingSoundOutput output;
    output.Play(clip, 1);
    EXPECT_LT(MsUntilIdle(output), 1000);

    // The server goes away in the middle of a clip.
    output.Play(clip, 1);
    QThread::msleep(100);
    server->stop();
    EXPECT_LT(MsUntilIdle(output), 1000) << "a play outlived its server";

    // Busy minutes without a server: each tries to connect once at most.
    testing::internal::CaptureStderr();
    for (int minute = 0; minute < 3; ++minute) {
        QElapsedTimer calls;
        calls.start();
        for (int line = 0; line < 1000; ++line)
            output.Play(clip, 1);
        EXPECT_LT(calls.elapsed(), 100);
        EXPECT_LT(MsUntilIdle(output), 1000);
        QThread::msleep(minute == 0 ? 1100 : 0);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "talking-clock: no sound server; sounds are skipped until one runs\n");

    // Back on the same socket: the next play a second after the last try
    // finds it and is heard to its end.
    ASSERT_TRUE(server->start());
    QThread::msleep(1100);
    output.Play(clip, 1);
    EXPECT_EQ(output.Playing(), 1u);
    EXPECT_GE(MsUntilIdle(output), 250);
    // Its sink is not steady yet: a later test gets a fresh server.
    server->stop();
}
