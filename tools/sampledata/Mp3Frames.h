#pragma once

#include <QByteArray>
#include <QList>

namespace sampledata {

// True when the bytes begin with an MPEG audio frame and carry no ID3, Xing
// or Info tag. Such streams of one sample rate join byte-wise into a stream
// that plays as one clip.
bool isBareFrameStream(const QByteArray& mp3);

QByteArray joinFrameStreams(const QList<QByteArray>& parts);

}  // namespace sampledata
