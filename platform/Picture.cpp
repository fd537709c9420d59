#include "platform/Picture.h"

#include <algorithm>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "platform/QtAccess.h"

namespace platform {

struct Picture::Encoded {
    QByteArray bytes;
    QSize size;  // as read: the file's size, shrunk to fit the limit

    // A file cut short decodes as far as it goes (the decoder greys the rest);
    // one whose data cannot be decoded at all stays black.
    QImage Decode(QSize at) const
    {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        reader.setScaledSize(at);
        QImage image = reader.read();
        if (image.size() == at)
            return image.convertToFormat(QImage::Format_RGB32);
        image = QImage(at, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }
};

// Made black when first needed: a picture drawn over whole never is.
Picture::Picture(std::int32_t width, std::int32_t height, std::int32_t /*depth*/)
    : encoded_(std::make_shared<Encoded>(Encoded{{}, QSize(std::max(width, 0), std::max(height, 0))}))
{
}

Picture::Picture(std::shared_ptr<const Encoded> encoded) : encoded_(std::move(encoded)) {}

Picture::~Picture() = default;

std::int32_t Picture::Width() const { return image_ ? image_->width() : encoded_->size.width(); }
std::int32_t Picture::Height() const { return image_ ? image_->height() : encoded_->size.height(); }

// Drawn into, a read picture is no longer the file's.
QImage& ImageOf(Picture& picture)
{
    ImageOf(std::as_const(picture));
    picture.encoded_ = nullptr;
    return *picture.image_;
}

const QImage& ImageOf(const Picture& picture)
{
    if (!picture.image_)
        picture.image_ = std::make_unique<QImage>(picture.encoded_->Decode(picture.encoded_->size));
    return *picture.image_;
}

// The header first: a large file that is no picture is never read whole.
PicturePtr ReadPicture(QIODevice& file, QSize limit)
{
    const QSize size = QImageReader(&file).size();
    if (!size.isValid() || !file.seek(0))
        return nullptr;
    auto encoded = std::make_shared<Picture::Encoded>();
    encoded->bytes = file.readAll();
    // Shrunk with its shape kept: a face in a square well is not squashed.
    encoded->size = size.scaled(size.boundedTo(limit), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return std::make_shared<Picture>(std::move(encoded));
}

// QPainter scales nearest-neighbour: a third of the cost of smoothing, for a
// photo redrawn every minute. A whole read picture drawn smaller is decoded at
// that size instead, smoother and cheaper; one that covers the whole target
// becomes it.
void Graphics::DrawPicture(const Picture& source, std::int32_t destLeft, std::int32_t destTop,
                           std::int32_t destWidth, std::int32_t destHeight, std::int32_t sourceLeft,
                           std::int32_t sourceTop, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    const QRect destRect(destLeft, destTop, destWidth, destHeight);
    const QRect sourceRect(sourceLeft, sourceTop, sourceWidth, sourceHeight);
    // A negative size would mirror the picture.
    if (target_.Width() == 0 || target_.Height() == 0 || destRect.isEmpty() || sourceRect.isEmpty())
        return;
    const bool whole = source.encoded_ && !source.image_ && sourceRect == QRect(QPoint(), source.encoded_->size)
                       && destRect.width() <= sourceRect.width() && destRect.height() <= sourceRect.height();
    if (!whole) {
        QPainter(&ImageOf(target_)).drawImage(destRect, ImageOf(source), sourceRect);
    } else if (destRect != QRect(0, 0, target_.Width(), target_.Height())) {
        QPainter(&ImageOf(target_)).drawImage(destRect.topLeft(), source.encoded_->Decode(destRect.size()));
    } else {
        target_.image_ = std::make_unique<QImage>(source.encoded_->Decode(destRect.size()));
        target_.encoded_ = nullptr;
    }
}

}  // namespace platform
