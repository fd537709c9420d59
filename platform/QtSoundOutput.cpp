#include "platform/QtSoundOutput.h"

#include <QAudioOutput>
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QMediaPlayer>
#include <QString>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

// The media backend reports the end of a file once it has decoded it, which
// with FFmpeg is before the audio stream has played the last tens of
// milliseconds: deleting the player then cuts the tail off.
constexpr int kTailGraceMs = 1000;

void DeleteLater(QMediaPlayer* player, int delayMs)
{
    if (delayMs <= 0)
        player->deleteLater();
    else
        QTimer::singleShot(delayMs, player, [player] { player->deleteLater(); });
}

// Parented to the application so that a sound still playing at exit goes
// with it; never deleted inside its own signal.
QMediaPlayer* NewSelfDeletingPlayer()
{
    auto* player = new QMediaPlayer(QCoreApplication::instance());
    player->setAudioOutput(new QAudioOutput(player));
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                     [player](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia)
                             DeleteLater(player, kTailGraceMs);
                         else if (status == QMediaPlayer::InvalidMedia)
                             DeleteLater(player, 0);
                     });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player,
                     [player](QMediaPlayer::Error) { DeleteLater(player, 0); });
    return player;
}

// MPEG-1 Layer III frames (32 kbit/s, 44.1 kHz, mono, no CRC) whose side
// information and data are all zero: they decode to about 0.2 s of silence.
QByteArray SilentMp3()
{
    constexpr int frameBytes = 144 * 32000 / 44100;
    constexpr int frames = 8;
    QByteArray data(frameBytes * frames, '\0');
    for (int i = 0; i < frames; ++i) {
        char* frame = data.data() + i * frameBytes;
        frame[0] = char(0xFF);
        frame[1] = char(0xFB);
        frame[2] = char(0x10);
        frame[3] = char(0xC4);
    }
    return data;
}

}  // namespace

void QtSoundOutput::Play(const std::string& path)
{
    // A player given no source never reports an end, so it would never go;
    // without the application object nothing can play.
    if (path.empty() || !QCoreApplication::instance())
        return;
    QMediaPlayer* player = NewSelfDeletingPlayer();
    player->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    player->play();
}

void QtSoundOutput::PlaySilence()
{
    QMediaPlayer* player = NewSelfDeletingPlayer();
    auto* buffer = new QBuffer(player);
    buffer->setData(SilentMp3());
    buffer->open(QIODevice::ReadOnly);
    player->setSourceDevice(buffer, QUrl(QStringLiteral("silence.mp3")));
    player->play();
}

}  // namespace platform
