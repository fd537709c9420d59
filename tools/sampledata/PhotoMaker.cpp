#include "tools/sampledata/PhotoMaker.h"

#include <QFileInfo>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <functional>

#include "tools/sampledata/ListTexts.h"

namespace sampledata {

namespace {

QFont boldFont(int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QImage blankImage(int width, int height)
{
    return QImage(width, height, QImage::Format_RGB32);
}

void drawFaceFeatures(QPainter& painter, int actor)
{
    const QColor skin(243, 210, 179);
    const QColor hair = actorColour(actor).darker(250);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hair);
    painter.drawEllipse(QRect(22, 14, 100, 96));
    painter.setBrush(skin);
    painter.drawEllipse(QRect(32, 34, 80, 84));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(52, 66, 9, 11));
    painter.drawEllipse(QRect(83, 66, 9, 11));
    painter.setPen(QPen(QColor(180, 60, 60), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRect(56, 78, 32, 22), 200 * 16, 140 * 16);
}

Job photoJob(const QString& path, std::function<QImage()> draw)
{
    return [path, draw = std::move(draw)] { return writeJpeg(path, draw()); };
}

void addIfMissing(Jobs& jobs, const QString& path, std::function<QImage()> draw)
{
    if (!QFileInfo::exists(path))
        jobs.push_back(photoJob(path, std::move(draw)));
}

}  // namespace

QColor minuteColour(const QString& minuteKey)
{
    const int minuteOfDay = hourOf(minuteKey) * 60 + minuteOf(minuteKey);
    const int hue = (minuteOfDay * 67) % 360;
    return QColor::fromHsv(hue, 170, 230).toRgb();
}

QColor actorColour(int actor)
{
    return QColor::fromHsv((actor * 30) % 360, 120, 235).toRgb();
}

QImage drawMinutePhoto(const QString& minuteKey)
{
    QImage image = blankImage(photoWidth, photoHeight);
    const QColor colour = minuteColour(minuteKey);
    image.fill(colour);
    QPainter painter(&image);
    const QRect band(0, flatAreaBottom, photoWidth, photoHeight - flatAreaBottom);
    painter.fillRect(band, colour.darker(170));
    painter.setPen(Qt::white);
    painter.setFont(boldFont(96));
    painter.drawText(band, Qt::AlignCenter, minuteKey.left(2) + QLatin1Char(':') + minuteKey.right(2));
    return image;
}

QImage drawFace(int actor)
{
    QImage image = blankImage(faceSize, faceSize);
    image.fill(actorColour(actor));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFaceFeatures(painter, actor);
    painter.setPen(Qt::black);
    painter.setFont(boldFont(20));
    painter.drawText(QRect(0, 116, faceSize - 6, 26), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(actor));
    return image;
}

QImage drawNoImage(int actor)
{
    QImage image = blankImage(photoWidth, photoHeight);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, photoHeight);
    gradient.setColorAt(0, actorColour(actor).lighter(130));
    gradient.setColorAt(1, actorColour(actor).darker(200));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.setFont(boldFont(160));
    painter.drawText(image.rect(), Qt::AlignCenter, photoBaseName(actor).right(2));
    painter.setFont(boldFont(32));
    painter.drawText(QRect(0, 400, photoWidth, 60), Qt::AlignCenter,
                     QStringLiteral("noimage") + photoBaseName(actor).right(2));
    return image;
}

Jobs missingPhotoJobs(const SampleLayout& layout)
{
    Jobs jobs;
    const auto photoPath = [&layout](const QString& name) {
        return layout.photos + QLatin1Char('/') + name + QStringLiteral(".jpg");
    };
    for (const QString& key : allMinuteKeys())
        addIfMissing(jobs, photoPath(key), [key] { return drawMinutePhoto(key); });
    for (int actor = 1; actor <= actorCount; ++actor) {
        const QString suffix = photoBaseName(actor).right(2);
        addIfMissing(jobs, photoPath(photoBaseName(actor)), [actor] { return drawFace(actor); });
        addIfMissing(jobs, photoPath(QStringLiteral("noimage") + suffix), [actor] { return drawNoImage(actor); });
    }
    return jobs;
}

}  // namespace sampledata
