#include "tools/sampledata/PhotoMaker.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

#include "tools/sampledata/Jobs.h"
#include "tools/sampledata/SampleLayout.h"

namespace sampledata {
namespace {

int colourDistance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The end-to-end test tells a minute's photo from the one before it by colour.
TEST(PhotoMaker, NeighbouringMinutesHaveClearlyDifferentColours)
{
    const QStringList keys = allMinuteKeys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QString& next = keys[(i + 1) % keys.size()];
        EXPECT_GT(colourDistance(minuteColour(keys[i]), minuteColour(next)), 90) << qPrintable(keys[i]);
    }
}

TEST(PhotoMaker, MinutePhotoIsFlatAboveTheTimeAndKeepsItsColourAsJpeg)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("0730.jpg"));
    const QImage drawn = drawMinutePhoto(QStringLiteral("0730"));
    ASSERT_TRUE(writeJpeg(path, drawn).isEmpty());
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(photoWidth, photoHeight));

    const QColor colour = minuteColour(QStringLiteral("0730"));
    const QPoint flatPoints[] = {{0, 0}, {383, 0}, {192, 150}, {60, 200}, {10, flatAreaBottom - 10}};
    for (const QPoint& point : flatPoints) {
        EXPECT_EQ(drawn.pixel(point), colour.rgb()) << point.x() << "," << point.y();
        EXPECT_LE(colourDistance(saved.pixelColor(point), colour), 12) << point.x() << "," << point.y();
    }

    bool timeDrawn = false;
    for (int x = 0; x < photoWidth && !timeDrawn; ++x)
        timeDrawn = drawn.pixelColor(x, 432) == QColor(Qt::white);
    EXPECT_TRUE(timeDrawn) << "the time is written in the band below the flat area";
}

TEST(PhotoMaker, MakesEveryMissingPhotoAndKeepsTheOthers)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const SampleLayout layout = SampleLayout::under(root.path());
    ASSERT_TRUE(makeFolders(layout.folders()).isEmpty());
    for (const char* name : {"0730.jpg", "face03.jpg"}) {
        QFile kept(layout.photos + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("kept");
    }

    const Jobs jobs = missingPhotoJobs(layout);
    EXPECT_EQ(jobs.size(), std::size_t(1440 + 12 + 12 - 2));
    EXPECT_TRUE(runInParallel(jobs).isEmpty());

    EXPECT_EQ(QDir(layout.photos).entryList(QDir::Files).size(), 1464);
    EXPECT_EQ(QImage(layout.photos + QStringLiteral("/0730.jpg")).isNull(), true) << "an existing file is kept";
    const struct {
        const char* name;
        QSize size;
    } made[] = {{"2359.jpg", {384, 512}}, {"face12.jpg", {144, 144}}, {"noimage12.jpg", {384, 512}}};
    for (const auto& photo : made)
        EXPECT_EQ(QImage(layout.photos + QLatin1Char('/') + QLatin1String(photo.name)).size(), photo.size) << photo.name;
    EXPECT_NE(QImage(layout.photos + QStringLiteral("/noimage01.jpg")),
              QImage(layout.photos + QStringLiteral("/noimage02.jpg")));

    EXPECT_TRUE(missingPhotoJobs(layout).empty());
}

}  // namespace
}  // namespace sampledata
