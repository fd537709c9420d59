#include "tools/sampledata/Mp3Frames.h"

namespace sampledata {

namespace {

// The Xing or Info tag sits inside the first frame, after the side info.
constexpr qsizetype firstFrameScan = 64;
constexpr qsizetype id3v1Size = 128;

bool startsWithFrameSync(const QByteArray& mp3)
{
    return mp3.size() >= 4 && quint8(mp3[0]) == 0xFF && (quint8(mp3[1]) & 0xE0) == 0xE0;
}

bool hasId3v1Tag(const QByteArray& mp3)
{
    return mp3.size() >= id3v1Size && mp3.sliced(mp3.size() - id3v1Size).startsWith("TAG");
}

}  // namespace

bool isBareFrameStream(const QByteArray& mp3)
{
    if (!startsWithFrameSync(mp3) || hasId3v1Tag(mp3))
        return false;
    const QByteArray head = mp3.left(firstFrameScan);
    return !head.contains("Xing") && !head.contains("Info");
}

QByteArray joinFrameStreams(const QList<QByteArray>& parts)
{
    QByteArray joined;
    for (const QByteArray& part : parts)
        joined += part;
    return joined;
}

}  // namespace sampledata
