#pragma once

#include <cstdint>
#include <memory>

class QImage;

namespace platform {

class Picture;

// The drawing surface of a picture.
class Graphics {
public:
    explicit Graphics(Picture& target) : target_(target) {}
    // Scales the source rectangle into the destination one, each axis on its own.
    void DrawPicture(const Picture& source, std::int32_t destLeft, std::int32_t destTop,
                     std::int32_t destWidth, std::int32_t destHeight, std::int32_t sourceLeft,
                     std::int32_t sourceTop, std::int32_t sourceWidth, std::int32_t sourceHeight);

private:
    Picture& target_;
};

// A picture in memory, 32 bits per pixel and opaque. A picture read from a
// file is decoded when first needed, at the size it is drawn when smaller.
class Picture {
public:
    // A new picture of the given size, black.
    Picture(std::int32_t width, std::int32_t height, std::int32_t depth = 32);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    std::int32_t Width() const;
    std::int32_t Height() const;
    Graphics& GetGraphics() { return graphics_; }

    struct Encoded;
    explicit Picture(std::shared_ptr<const Encoded> encoded);

private:
    friend class Graphics;
    friend QImage& ImageOf(Picture& picture);
    friend const QImage& ImageOf(const Picture& picture);

    std::shared_ptr<const Encoded> encoded_;
    mutable std::unique_ptr<QImage> image_;  // null until a read picture is needed whole
    Graphics graphics_{*this};
};

using PicturePtr = std::shared_ptr<Picture>;

}  // namespace platform
