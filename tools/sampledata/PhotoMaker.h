#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/SampleLayout.h"

namespace sampledata {

constexpr int photoWidth = 384;
constexpr int photoHeight = 512;
constexpr int faceSize = 144;

// Every minute photo is one flat colour above this line, so a screenshot can
// tell which minute's photo is shown; the time is written below it.
constexpr int flatAreaBottom = 352;

// Neighbouring minutes get far-apart hues.
QColor minuteColour(const QString& minuteKey);
QColor actorColour(int actor);

QImage drawMinutePhoto(const QString& minuteKey);
QImage drawFace(int actor);
QImage drawNoImage(int actor);

// One job per photo that is not there yet.
Jobs missingPhotoJobs(const SampleLayout& layout);

}  // namespace sampledata
