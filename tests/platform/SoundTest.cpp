#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Mp3Clip.h"
#include "platform/Mp3ClipCache.h"
#include "platform/PulseSoundOutput.h"
#include "tests/support/SoundServer.h"

using platform::Mp3Clip;
using platform::Mp3ClipCache;
using platform::PulseSoundOutput;

namespace {

class SoundFiles {
public:
    std::string tone(const QString& name, int hz, double seconds, int rate = 22050, int channels = 1)
    {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(WriteToneMp3(path, hz, seconds, rate, channels)) << "lame could not write " << name.toStdString();
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

// Reads a clip to its end in pieces of the given size; the bytes it gave.
std::vector<unsigned char> ReadAll(Mp3Clip& clip, std::size_t piece)
{
    std::vector<unsigned char> all;
    for (;;) {
        const auto part = clip.Read(all.size(), piece);
        EXPECT_EQ(part.size() % clip.FrameBytes(), 0u);
        all.insert(all.end(), part.begin(), part.end());
        if (part.size() < piece - piece % clip.FrameBytes())
            return all;
    }
}

// Waits until the output has no play left; the time that took.
qint64 MsUntilIdle(PulseSoundOutput& output, int limitMs = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (output.Playing() > 0 && elapsed.elapsed() < limitMs)
        QThread::msleep(2);
    return elapsed.elapsed();
}

}  // namespace

TEST(Mp3ClipTest, DecodesAtTheFilesOwnFormatTheSameForEveryReader)
{
    SoundFiles files;
    struct Case {
        int rate;
        int channels;
        double seconds;
    };
    for (const Case& c : {Case{22050, 1, 1.0}, Case{44100, 2, 0.5}}) {
        SCOPED_TRACE(c.rate);
        const auto path = files.tone(QStringLiteral("tone%1.mp3").arg(c.rate), 440, c.seconds, c.rate, c.channels);
        auto clip = Mp3Clip::Open(path);
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->Rate(), unsigned(c.rate));
        EXPECT_EQ(clip->Channels(), unsigned(c.channels));
        // Read in uneven pieces while decoding, then again from the samples
        // kept: a second play hears what the first did.
        const auto first = ReadAll(*clip, 1001);
        const auto again = ReadAll(*clip, 4096);
        EXPECT_EQ(first, again);
        const double seconds = double(first.size()) / clip->FrameBytes() / c.rate;
        EXPECT_NEAR(seconds, c.seconds, 0.03);
        const auto* samples = reinterpret_cast<const short*>(first.data());
        EXPECT_GT(*std::max_element(samples, samples + first.size() / 2), 3000) << "the tone is missing";
        EXPECT_TRUE(clip->Read(first.size(), 4096).empty());
    }
}

TEST(Mp3ClipTest, FilesWithoutMpegAudioGiveNoClipAndACutFileItsWholeFrames)
{
    SoundFiles files;
    EXPECT_FALSE(Mp3Clip::Open(files.bytes(QStringLiteral("text.mp3"), "not a sound at all\n")));
    EXPECT_FALSE(Mp3Clip::Open(files.bytes(QStringLiteral("empty.mp3"), "")));
    EXPECT_FALSE(Mp3Clip::Open(files.path(QStringLiteral("missing.mp3"))));

    QFile whole(QString::fromStdString(files.tone(QStringLiteral("whole.mp3"), 440, 1.0)));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray cut = whole.readAll();
    cut.truncate(cut.size() / 2);
    auto clip = Mp3Clip::Open(files.bytes(QStringLiteral("cut.mp3"), cut));
    ASSERT_TRUE(clip);
    const double seconds = double(ReadAll(*clip, 4096).size()) / clip->FrameBytes() / clip->Rate();
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 0.7);
}

TEST(Mp3ClipCacheTest, OneClipPerFileWhileItPlaysAndAfreshWhenChanged)
{
    SoundFiles files;
    const auto a = files.tone(QStringLiteral("a.mp3"), 440, 0.3);
    const auto b = files.tone(QStringLiteral("b.mp3"), 880, 0.3);
    Mp3ClipCache cache;

    // A minute with a thousand matching lines opens its file once.
    auto first = cache.Get(a);
    ASSERT_TRUE(first);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(cache.Get(a), first);

    // While a play holds it, the same clip; once none does, its samples go.
    auto other = cache.Get(b);
    ASSERT_TRUE(other);
    EXPECT_NE(other, first);
    EXPECT_EQ(cache.Get(a), first);
    std::weak_ptr<Mp3Clip> gone = first;
    first.reset();
    EXPECT_TRUE(gone.expired()) << "a clip nobody plays is kept";
    EXPECT_EQ(cache.Get(b), other);

    // A file replaced on disk is read again; one that went is not played.
    files.tone(QStringLiteral("b.mp3"), 880, 0.6);
    auto changed = cache.Get(b);
    ASSERT_TRUE(changed);
    EXPECT_NE(changed, other);
    EXPECT_FALSE(cache.Get(files.path(QStringLiteral("missing.mp3"))));
    EXPECT_FALSE(cache.Get(files.bytes(QStringLiteral("text.mp3"), "no sound")));
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
        PulseSoundOutput output;
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
    PulseSoundOutput output;
    const auto clip = files.tone(QStringLiteral("line.mp3"), 440, 0.5);
    QElapsedTimer calls;
    calls.start();
    for (int line = 0; line < 1000; ++line)
        output.Play(clip, 1);
    EXPECT_LT(calls.elapsed(), 100) << "the minute's plays held up the tick";
    EXPECT_EQ(output.Playing(), 1000u);
    const qint64 ms = calls.elapsed() + MsUntilIdle(output);
    EXPECT_GE(ms, 500);
    // Left to the server, a few dozen streams already stretch the clip.
    EXPECT_LT(ms, 900);
}


TEST_F(PulseSoundOutputTest, BrokenFilesPlayNothingAndAVeryShortClipEnds)
{
    PulseSoundOutput output;
    output.Play(files.bytes(QStringLiteral("text.mp3"), "not a sound at all\n"), 1);
    output.Play(files.path(QStringLiteral("missing.mp3")), 1);
    EXPECT_EQ(output.Playing(), 0u);
    output.Play(files.tone(QStringLiteral("short.mp3"), 440, 0.01, 8000), 1);
    EXPECT_LT(MsUntilIdle(output), 2000);
}

TEST_F(PulseSoundOutputTest, WithoutServerPlaysAreSkippedSaidOnceAndTheNextServerIsFound)
{
    const auto clip = files.tone(QStringLiteral("tone.mp3"), 440, 0.3);
    PulseSoundOutput output;
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
