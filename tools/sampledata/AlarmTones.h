#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/SampleLayout.h"

namespace sampledata {

constexpr int toneCount = 8;

// Whole hundreds of hertz, so that a recording's analysis can find each tone
// on a bin of its own. Alarm n plays tone (n - 1) % toneCount.
int toneFrequency(int tone);
int toneOfAlarm(int alarm);

// A few distinct tones made once and copied to the 72 alarm files.
class AlarmTones {
public:
    AlarmTones(const SampleLayout& layout, QString workFolder);

    bool anyMissing() const;
    Jobs synthesisJobs() const;
    QStringList loadTones();
    Jobs copyJobs() const;

private:
    QString tonePath(int tone) const;

    QString workFolder_;
    QString alarmFolder_;
    QList<int> missingAlarms_;
    QList<QByteArray> tones_;
};

}  // namespace sampledata
