#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio with one null sink, for this process's sound clients
// only: PULSE_SERVER points at it while it lives. It can be stopped and
// started again on the same socket, as a restarting server is. A play may
// still take a second or two longer than its clip until the sink runs
// steadily.
class SoundServer {
public:
    SoundServer();
    ~SoundServer();

    bool start();
    void stop();
    bool running() const { return server_.state() == QProcess::Running; }
    // A socket where no server listens.
    static void pointNowhere();

private:
    QTemporaryDir dir_;
    QProcess server_;
    QProcess keepAlive_;
};

// Writes a sine tone as MP3 (through lame); false if that failed.
bool WriteToneMp3(const QString& path, int hz, double seconds, int rate = 22050, int channels = 1);
// Writes a sine tone through sox, in the format the file name's ending
// names (.wav, .aiff, .flac, .ogg...); false if that failed.
bool WriteTone(const QString& path, int hz, double seconds, int rate = 22050, int channels = 1);
