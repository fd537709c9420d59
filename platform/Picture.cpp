#include "platform/Picture.h"

#include <algorithm>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRect>

#include "platform/QtAccess.h"

namespace platform {

// A new picture is black, but it is only painted black when something reads
// it before a draw covers it whole: the backdrop is always covered at once,
// and skipping the fill saves touching a full window of memory each minute.
struct Picture::Impl {
    QImage image;
    bool needsFill = false;

    QImage& filled()
    {
        if (needsFill) {
            image.fill(Qt::black);
            needsFill = false;
        }
        return image;
    }
};

namespace {

bool CoversWhole(const QImage& image, const QRect& rect)
{
    return rect == image.rect();
}

}  // namespace

Picture::Picture(std::int32_t width, std::int32_t height, std::int32_t /*depth*/)
    : impl_(std::make_unique<Impl>())
{
    if (width > 0 && height > 0) {
        impl_->image = QImage(width, height, QImage::Format_RGB32);
        impl_->needsFill = true;
    }
}

Picture::Picture(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Picture::~Picture() = default;

Picture::Picture(const Picture& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

Picture& Picture::operator=(const Picture& other)
{
    *impl_ = *other.impl_;
    return *this;
}

std::int32_t Picture::Width() const
{
    return impl_->image.width();
}

std::int32_t Picture::Height() const
{
    return impl_->image.height();
}

std::uint32_t Picture::Pixel(std::int32_t x, std::int32_t y) const
{
    const QImage& image = impl_->filled();
    if (!image.valid(x, y)) {
        return 0;
    }
    return image.pixel(x, y);
}

// The JPEG decoder scales while it decodes, so a photo far larger than the
// window costs about what one of the window's size does.
PicturePtr ReadPictureFile(const std::string& path, std::int32_t maxWidth, std::int32_t maxHeight)
{
    QImageReader reader(QString::fromStdString(path));
    const QSize size = reader.size();
    const QSize limit(std::max(maxWidth, 1), std::max(maxHeight, 1));
    if (size.isValid() && (size.width() > limit.width() || size.height() > limit.height()))
        reader.setScaledSize(size.boundedTo(limit));
    QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    // Colour JPEGs decode to RGB32 already; then this shares, not copies.
    auto picture = std::make_shared<Picture>(0, 0);
    picture->impl().image = std::move(image).convertToFormat(QImage::Format_RGB32);
    return picture;
}

QImage& ImageOf(Picture& picture)
{
    return picture.impl().filled();
}

const QImage& ImageOf(const Picture& picture)
{
    return picture.impl().filled();
}

// Nearest-neighbour scaling: a third of the cost of the smooth filter, and a
// photo is redrawn at every minute and every resize.
void Graphics::DrawPicture(const Picture& source, std::int32_t destLeft, std::int32_t destTop,
                           std::int32_t destWidth, std::int32_t destHeight, std::int32_t sourceLeft,
                           std::int32_t sourceTop, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    const QImage& from = ImageOf(source);
    Picture::Impl& target = target_.impl();
    QImage& to = target.image;
    const QRect destRect(destLeft, destTop, destWidth, destHeight);
    const QRect sourceRect(sourceLeft, sourceTop, sourceWidth, sourceHeight);
    if (from.isNull() || to.isNull() || destRect.isEmpty() || sourceRect.isEmpty()) {
        return;
    }
    // An opaque source drawn over the whole target leaves nothing of the black.
    if (CoversWhole(to, destRect) && !from.hasAlphaChannel())
        target.needsFill = false;
    else
        target.filled();
    // The common case of a window as large as the photo: share the pixels.
    if (CoversWhole(to, destRect) && CoversWhole(from, sourceRect) && from.size() == to.size() &&
        from.format() == to.format()) {
        to = from;
        return;
    }
    QPainter painter(&to);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (destRect.size() == sourceRect.size()) {
        painter.drawImage(destRect.topLeft(), from, sourceRect);
    } else {
        painter.drawImage(destRect, from, sourceRect);
    }
}

}  // namespace platform
