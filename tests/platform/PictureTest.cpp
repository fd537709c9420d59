#include "platform/Picture.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/FolderItem.h"
#include "platform/QtAccess.h"
#include "tests/support/QtReach.h"

namespace platform {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Top left red, top right green, bottom left blue, bottom right white.
std::unique_ptr<Picture> Quadrants(int width, int height)
{
    auto picture = std::make_unique<Picture>(width, height);
    QImage& image = ImageOf(*picture);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixel(x, y, bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed));
        }
    }
    return picture;
}

// Every pixel different, so a shifted or scaled copy shows.
std::unique_ptr<Picture> Noise(int width, int height)
{
    auto picture = std::make_unique<Picture>(width, height);
    QImage& image = ImageOf(*picture);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, 0xFF000000u | (static_cast<std::uint32_t>(x * 7919 + y * 104729) & 0xFFFFFFu));
        }
    }
    return picture;
}

void DrawWhole(Picture& target, const Picture& source)
{
    target.GetGraphics().DrawPicture(source, 0, 0, target.Width(), target.Height(), 0, 0, source.Width(),
                                     source.Height());
}

TEST(PictureTest, NewPictureIsOpaqueBlack)
{
    Picture picture(4, 3);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_EQ(qtreach::Pixel(picture, 3, 2), kBlack);
    EXPECT_EQ(ImageOf(picture).depth(), 32);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {4, 0}, {0, 3}}) {
        EXPECT_EQ(qtreach::Pixel(picture, x, y), 0u) << x << "," << y;
    }

    EXPECT_EQ(qtreach::Pixel(Picture(0, 0), 0, 0), 0u);
}

TEST(PictureTest, HalfSizeDrawKeepsTheQuadrants)
{
    const auto photoPtr = Quadrants(640, 960);
    const Picture& photo = *photoPtr;
    Picture backdrop(320, 480);
    DrawWhole(backdrop, photo);
    struct Probe {
        int x, y;
        std::uint32_t colour;
    };
    const std::vector<Probe> probes = {{159, 239, kRed}, {160, 0, kGreen}, {0, 240, kBlue}, {160, 240, kWhite}};
    for (const Probe& p : probes) {
        EXPECT_EQ(qtreach::Pixel(backdrop, p.x, p.y), p.colour) << p.x << "," << p.y;
    }
}

TEST(PictureTest, StretchFillsTheDestinationWithoutBorder)
{
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{400, 100}, {100, 400}, {333, 77}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const auto photoPtr = Quadrants(200, 200);
        const Picture& photo = *photoPtr;
        Picture backdrop(width, height);
        DrawWhole(backdrop, photo);
        const QImage& image = ImageOf(backdrop);
        int blackPixels = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                blackPixels += image.pixel(x, y) == kBlack ? 1 : 0;
            }
        }
        EXPECT_EQ(blackPixels, 0);
        EXPECT_EQ(qtreach::Pixel(backdrop, 0, 0), kRed);
        EXPECT_EQ(qtreach::Pixel(backdrop, width - 1, 0), kGreen);
        EXPECT_EQ(qtreach::Pixel(backdrop, 0, height - 1), kBlue);
        EXPECT_EQ(qtreach::Pixel(backdrop, width - 1, height - 1), kWhite);
    }
}

TEST(PictureTest, SameSizeDrawIsPixelForPixel)
{
    const auto photoPtr = Noise(64, 48);
    const Picture& photo = *photoPtr;
    Picture whole(64, 48);
    DrawWhole(whole, photo);
    EXPECT_EQ(ImageOf(whole), ImageOf(photo));

    // A part drawn at an offset lands unscaled, the rest stays black.
    Picture part(64, 48);
    part.GetGraphics().DrawPicture(photo, 10, 5, 20, 10, 30, 20, 20, 10);
    EXPECT_EQ(ImageOf(part).copy(10, 5, 20, 10), ImageOf(photo).copy(30, 20, 20, 10));
    EXPECT_EQ(qtreach::Pixel(part, 9, 5), kBlack);
    EXPECT_EQ(qtreach::Pixel(part, 30, 5), kBlack);
    EXPECT_EQ(qtreach::Pixel(part, 10, 15), kBlack);

    // Drawing over the shared picture must not change the source.
    DrawWhole(whole, Picture(1, 1));
    EXPECT_EQ(qtreach::Pixel(whole, 5, 5), kBlack);
    EXPECT_NE(qtreach::Pixel(photo, 5, 5), kBlack);
}

TEST(PictureTest, EmptyRectanglesAndPicturesDrawNothing)
{
    const auto photoPtr = Quadrants(8, 8);
    const Picture& photo = *photoPtr;
    Picture target(8, 8);
    Graphics& graphics = target.GetGraphics();
    graphics.DrawPicture(photo, 0, 0, 0, 8, 0, 0, 8, 8);
    graphics.DrawPicture(photo, 0, 0, 8, -8, 0, 0, 8, 8);
    graphics.DrawPicture(photo, 0, 0, 8, 8, 0, 0, 0, 8);
    graphics.DrawPicture(Picture(0, 0), 0, 0, 8, 8, 0, 0, 8, 8);
    Picture empty(0, 0);
    empty.GetGraphics().DrawPicture(photo, 0, 0, 8, 8, 0, 0, 8, 8);
    EXPECT_EQ(ImageOf(target), ImageOf(Picture(8, 8)));
    EXPECT_EQ(empty.Width(), 0);
}

// Quadrants as above, saved as a JPEG file.
std::string QuadrantsJpeg(const QTemporaryDir& dir, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(kRed));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(kGreen));
    painter.fillRect(0, height / 2, width / 2, height - height / 2, QColor(kBlue));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(kWhite));
    painter.end();
    const QString path = dir.filePath(QStringLiteral("%1x%2.jpg").arg(width).arg(height));
    EXPECT_TRUE(image.save(path, "JPEG", 90));
    return path.toStdString();
}

// The largest difference of one channel.
int ColourDistance(std::uint32_t a, std::uint32_t b)
{
    int distance = 0;
    for (int shift : {0, 8, 16}) {
        const int channelA = static_cast<int>((a >> shift) & 0xFF);
        const int channelB = static_cast<int>((b >> shift) & 0xFF);
        distance = std::max(distance, std::abs(channelA - channelB));
    }
    return distance;
}

// A photo larger than the limit is shrunk to fit it with its shape kept, and
// still shows the whole photo; a smaller one keeps its size.
TEST(PictureFileTest, DecodesAtMostAtTheLimitAndShowsTheWholePhoto)
{
    QTemporaryDir dir;
    struct Case {
        int width, height, maxWidth, maxHeight, decodedWidth, decodedHeight;
    };
    const std::vector<Case> cases = {
        {3000, 4000, 768, 1024, 768, 1024},
        {4000, 3000, 768, 1024, 768, 576},
        {1000, 500, 768, 1024, 768, 384},
        {300, 400, 768, 1024, 300, 400},
        {640, 960, 640, 960, 640, 960},
        {150, 200, 72, 72, 54, 72},
        {40, 200, 72, 72, 14, 72},
        {200, 40, 72, 72, 72, 14},
        {40, 60, 72, 72, 40, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const FolderItem file(QuadrantsJpeg(dir, c.width, c.height));
        const PicturePtr picture = file.OpenAsPicture(c.maxWidth, c.maxHeight);
        ASSERT_NE(picture, nullptr);
        const int w = picture->Width();
        const int h = picture->Height();
        EXPECT_EQ(w, c.decodedWidth);
        EXPECT_EQ(h, c.decodedHeight);
        const std::vector<std::pair<int, int>> corners = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
        const std::uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const auto [x, y] = corners[i];
            EXPECT_LT(ColourDistance(qtreach::Pixel(*picture, x, y), colours[i]), 40) << x << "," << y;
        }
    }
    EXPECT_EQ(FolderItem(dir.filePath(QStringLiteral("missing.jpg")).toStdString()).OpenAsPicture(), nullptr);
}

// A photo cut short shows what of it decodes, as image viewers show it: its
// top rows as they were, the whole size kept.
TEST(PictureFileTest, TruncatedPhotoShowsItsTopPart)
{
    QTemporaryDir dir;
    QFile file(QString::fromStdString(QuadrantsJpeg(dir, 256, 256)));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() * 3 / 5));
    file.close();

    const PicturePtr photo = FolderItem(file.fileName().toStdString()).OpenAsPicture();
    ASSERT_NE(photo, nullptr);
    Picture backdrop(256, 256);
    DrawWhole(backdrop, *photo);
    const QImage& shown = ImageOf(backdrop);
    EXPECT_LT(ColourDistance(shown.pixel(32, 32), kRed), 40);
    EXPECT_LT(ColourDistance(shown.pixel(224, 32), kGreen), 40);
    EXPECT_EQ(ImageOf(*photo).size(), QSize(256, 256));
}

// A photo is drawn smaller straight from its file's bytes, and drawn again
// at any size after the file has gone, as when the window grows later.
TEST(PictureFileTest, DrawsTheWholePhotoAtEverySizeAfterTheFileHasGone)
{
    QTemporaryDir dir;
    const std::string path = QuadrantsJpeg(dir, 768, 1024);
    const PicturePtr photo = FolderItem(path).OpenAsPicture(768, 1024);
    ASSERT_NE(photo, nullptr);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    const std::vector<std::pair<int, int>> sizes = {{384, 512}, {192, 256}, {768, 1024}, {1000, 1200}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Picture target(w, h);
        target.GetGraphics().DrawPicture(*photo, 0, 0, w, h, 0, 0, photo->Width(), photo->Height());
        const std::vector<std::pair<int, int>> corners = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
        const std::uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
        for (std::size_t i = 0; i < corners.size(); ++i)
            EXPECT_LT(ColourDistance(qtreach::Pixel(target, corners[i].first, corners[i].second), colours[i]), 40);
        EXPECT_LT(ColourDistance(qtreach::Pixel(target, w / 2 - 3, 2), kRed), 60);
        EXPECT_LT(ColourDistance(qtreach::Pixel(target, w / 2 + 3, 2), kGreen), 60);
    }
    EXPECT_EQ(photo->Width(), 768);
}

// A large file that is no picture is turned down by its first bytes: it is
// never read whole into memory.
TEST(PictureFileTest, LargeFileThatIsNoPictureIsNotReadWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("0731.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(512LL << 20));  // sparse: no disk used
    file.close();
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(FolderItem(path.toStdString()).OpenAsPicture(), nullptr);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64L << 10);  // kB
}

}  // namespace
}  // namespace platform
