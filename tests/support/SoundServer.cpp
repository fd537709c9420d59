#include "tests/support/SoundServer.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <QtEndian>

#include <cmath>
#include <numbers>

SoundServer::SoundServer()
{
    qputenv("PULSE_RUNTIME_PATH", dir_.filePath(QStringLiteral("run")).toUtf8());
    qputenv("PULSE_STATE_PATH", dir_.filePath(QStringLiteral("state")).toUtf8());
    qputenv("PULSE_COOKIE", dir_.filePath(QStringLiteral("cookie")).toUtf8());
    qputenv("PULSE_SERVER", "unix:" + dir_.filePath(QStringLiteral("native")).toUtf8());
    qputenv("PULSE_SINK", "rec");
}

SoundServer::~SoundServer()
{
    stop();
    pointNowhere();
}

bool SoundServer::start()
{
    const QString socket = dir_.filePath(QStringLiteral("native"));
    server_.setProgram(QStringLiteral("pulseaudio"));
    server_.setArguments({QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                          QStringLiteral("--system=false"), QStringLiteral("-n"),
                          QStringLiteral("--use-pid-file=false"), QStringLiteral("--disallow-exit"),
                          QStringLiteral("--no-cpu-limit"), QStringLiteral("--load=module-null-sink sink_name=rec"),
                          QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket),
                          QStringLiteral("--log-target=file:%1").arg(dir_.filePath(QStringLiteral("pulse.log")))});
    server_.start();
    if (!server_.waitForStarted())
        return false;
    QDeadlineTimer deadline(5000);
    while (!QFile::exists(socket)) {
        if (deadline.hasExpired() || server_.state() != QProcess::Running)
            return false;
        QThread::msleep(10);
    }
    // An idle null sink renders in blocks of two seconds, and a stream that
    // starts then waits for the next: keep it busy with silence.
    keepAlive_.start(QStringLiteral("pacat"), {QStringLiteral("--playback"), QStringLiteral("--raw"),
                                               QStringLiteral("--latency-msec=10"), QStringLiteral("/dev/zero")});
    return keepAlive_.waitForStarted();
}

void SoundServer::stop()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    keepAlive_.kill();
    keepAlive_.waitForFinished();
    server_.kill();
    server_.waitForFinished();
    QFile::remove(dir_.filePath(QStringLiteral("native")));
}

void SoundServer::pointNowhere()
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/talking-clock-test/native");
}

namespace {

QByteArray WavOfTone(int hz, double seconds, int rate, int channels)
{
    const int frames = int(seconds * rate);
    QByteArray pcm(frames * channels * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const auto sample = qint16(6000 * std::sin(2 * std::numbers::pi * hz * i / rate));
        for (int c = 0; c < channels; ++c)
            qToLittleEndian(sample, out++);
    }
    QByteArray wav("RIFF");
    auto put32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    put32(quint32(36 + pcm.size()));
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(quint16(channels));
    put32(quint32(rate));
    put32(quint32(rate * channels * 2));
    put16(quint16(channels * 2));
    put16(16);
    wav += "data";
    put32(quint32(pcm.size()));
    return wav + pcm;
}

}  // namespace

bool WriteToneMp3(const QString& path, int hz, double seconds, int rate, int channels)
{
    QFile wav(path + QStringLiteral(".wav"));
    if (!wav.open(QIODevice::WriteOnly) || wav.write(WavOfTone(hz, seconds, rate, channels)) < 0)
        return false;
    wav.close();
    QProcess lame;
    // At the tone's own rate: lame would resample to suit the bit rate.
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"),
                                        QStringLiteral("--resample"), QString::number(rate / 1000.0), wav.fileName(),
                                        path});
    const bool ok = lame.waitForFinished() && lame.exitStatus() == QProcess::NormalExit && lame.exitCode() == 0;
    wav.remove();
    return ok;
}

bool WriteTone(const QString& path, int hz, double seconds, int rate, int channels)
{
    QProcess sox;
    sox.start(QStringLiteral("sox"), {QStringLiteral("-V1"), QStringLiteral("-n"), QStringLiteral("-r"),
                                      QString::number(rate), QStringLiteral("-c"), QString::number(channels), path,
                                      QStringLiteral("synth"), QString::number(seconds), QStringLiteral("sine"),
                                      QString::number(hz), QStringLiteral("vol"), QStringLiteral("0.2")});
    return sox.waitForFinished() && sox.exitStatus() == QProcess::NormalExit && sox.exitCode() == 0;
}
