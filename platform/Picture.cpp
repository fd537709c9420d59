#include "platform/Picture.h"

#include <algorithm>

#include <QImage>
#include <QPainter>

#include "platform/QtAccess.h"

namespace platform {

Picture::Picture(std::int32_t width, std::int32_t height, std::int32_t /*depth*/)
    : image_(std::make_unique<QImage>(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32))
{
    image_->fill(Qt::black);
}

Picture::Picture(const QImage& image)
    : image_(std::make_unique<QImage>(image.convertToFormat(QImage::Format_RGB32)))
{
}

Picture::~Picture() = default;

Picture::Picture(const Picture& other) : image_(std::make_unique<QImage>(*other.image_)) {}

Picture& Picture::operator=(const Picture& other)
{
    *image_ = *other.image_;
    return *this;
}

std::int32_t Picture::Width() const { return image_->width(); }

std::int32_t Picture::Height() const { return image_->height(); }

std::uint32_t Picture::Pixel(std::int32_t x, std::int32_t y) const
{
    return image_->valid(x, y) ? image_->pixel(x, y) : 0;
}

QImage& ImageOf(Picture& picture) { return *picture.image_; }

const QImage& ImageOf(const Picture& picture) { return *picture.image_; }

// QPainter scales nearest-neighbour unless asked to smooth: a third of the
// cost, and a photo is redrawn at every minute and every resize.
void Graphics::DrawPicture(const Picture& source, std::int32_t destLeft, std::int32_t destTop,
                           std::int32_t destWidth, std::int32_t destHeight, std::int32_t sourceLeft,
                           std::int32_t sourceTop, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    QImage& to = ImageOf(target_);
    const QRect destRect(destLeft, destTop, destWidth, destHeight);
    const QRect sourceRect(sourceLeft, sourceTop, sourceWidth, sourceHeight);
    // A negative size would mirror the picture.
    if (to.isNull() || destRect.isEmpty() || sourceRect.isEmpty())
        return;
    QPainter(&to).drawImage(destRect, ImageOf(source), sourceRect);
}

}  // namespace platform
