#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QMediaPlayer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/MediaBackend.h"
#include "platform/QtSoundOutput.h"
#include "platform/Sound.h"

namespace {

qsizetype LivePlayers()
{
    return QCoreApplication::instance()->findChildren<QMediaPlayer*>().size();
}

// Runs the event loop, deferred deletions included, until every player has
// gone; false if some are still there after a long while.
bool WaitUntilNoPlayerIsLeft()
{
    QDeadlineTimer deadline(20000);
    while (LivePlayers() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return LivePlayers() == 0;
}

class RealOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetSoundOutput(nullptr);
        // Players from earlier tests (the start-up silence among them) are gone.
        ASSERT_TRUE(WaitUntilNoPlayerIsLeft());
    }
    void TearDown() override { platform::SetSoundOutput(nullptr); }
};

}  // namespace

TEST(SoundOutputTest, InstalledOutputSeesEveryPlayInOrderUntilRemoved)
{
    auto recording = std::make_shared<platform::RecordingSoundOutput>();
    platform::SetSoundOutput(recording);
    EXPECT_EQ(&platform::CurrentSoundOutput(), recording.get());

    platform::Sound chime("/clips/chime.mp3");
    {
        // A sound dropped right after it started still counts as played.
        platform::Sound line("/clips/0730.mp3");
        line.Play();
    }
    chime.Play();
    chime.Play();
    EXPECT_EQ(recording->played,
              (std::vector<std::string>{"/clips/0730.mp3", "/clips/chime.mp3", "/clips/chime.mp3"}));

    platform::SetSoundOutput(nullptr);
    auto* real = dynamic_cast<platform::QtSoundOutput*>(&platform::CurrentSoundOutput());
    EXPECT_NE(real, nullptr);
    // The real output stays the same object between calls.
    EXPECT_EQ(&platform::CurrentSoundOutput(), real);
    EXPECT_EQ(recording->played.size(), 3u);
}

TEST_F(RealOutputTest, PlayersOfUnplayableFilesRemoveThemselves)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::string> paths{dir.filePath(QStringLiteral("missing.mp3")).toStdString(), dir.path().toStdString()};
    for (const char* content : {"not a sound at all\n", ""}) {
        QFile file(dir.filePath(QString::number(paths.size()) + QStringLiteral(".mp3")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        paths.push_back(file.fileName().toStdString());
    }
    // Several in one go, as a minute with many schedule lines starts them.
    for (int round = 0; round < 3; ++round) {
        for (const auto& path : paths)
            platform::CurrentSoundOutput().Play(path);
    }
    // Nothing holds the players but themselves, and they outlive the call.
    EXPECT_EQ(LivePlayers(), static_cast<qsizetype>(paths.size() * 3));
    EXPECT_TRUE(WaitUntilNoPlayerIsLeft());

    // No source at all would never end: nothing is started for it.
    platform::CurrentSoundOutput().Play("");
    EXPECT_EQ(LivePlayers(), 0);
}

TEST_F(RealOutputTest, BackendIsChosenUnlessSetAndWarmedUpWithSilence)
{
    const QByteArray saved = qgetenv("QT_MEDIA_BACKEND");
    const bool wasSet = qEnvironmentVariableIsSet("QT_MEDIA_BACKEND");

    qunsetenv("QT_MEDIA_BACKEND");
    platform::ChooseMediaBackend();
    EXPECT_EQ(qgetenv("QT_MEDIA_BACKEND"), QByteArray("gstreamer"));
    qputenv("QT_MEDIA_BACKEND", QByteArray("ffmpeg"));
    platform::ChooseMediaBackend();
    EXPECT_EQ(qgetenv("QT_MEDIA_BACKEND"), QByteArray("ffmpeg"));
    // Restored before any player is made: the first one fixes the backend.
    if (wasSet)
        qputenv("QT_MEDIA_BACKEND", saved);
    else
        qunsetenv("QT_MEDIA_BACKEND");

    // The silence is arranged once per process, however often it is asked
    // for, and its player removes itself.
    QCoreApplication::processEvents();
    EXPECT_LE(LivePlayers(), 1);
    EXPECT_TRUE(WaitUntilNoPlayerIsLeft());
    platform::ChooseMediaBackend();
    QCoreApplication::processEvents();
    EXPECT_EQ(LivePlayers(), 0);
}
