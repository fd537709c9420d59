#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/SampleLayout.h"

namespace sampledata {

// Kana readings, so that the Japanese voice says them as a speaker would.
QString hourWord(int hour);
QString minuteWord(int minute);
QStringList serifLines();

// Encodes one spoken text as a bare MP3 frame stream (see Mp3Frames.h).
QString synthesizeWord(const QString& text, const QString& mp3Path);

// The time announcements and the spoken lines. Speaking 1,584 clips would be
// slow, so the 24 hour words, 60 minute words and a few lines are spoken once
// and every clip is joined from them.
class SpeechClips {
public:
    SpeechClips(const SampleLayout& layout, QString workFolder);

    bool anyMissing() const;
    Jobs synthesisJobs() const;
    // After the synthesis: reads the words back; returns the failures.
    QStringList loadWords();
    Jobs assemblyJobs() const;

private:
    struct Word {
        QString name;
        QString text;
    };
    QList<Word> neededWords() const;
    QString wordPath(const QString& name) const;
    Job clipJob(const QString& path, const QStringList& wordNames) const;

    QString workFolder_;
    QString timeFolder_;
    QString serifFolder_;
    QStringList missingTimeKeys_;
    QStringList missingSerifKeys_;
    QHash<QString, QByteArray> words_;
};

}  // namespace sampledata
