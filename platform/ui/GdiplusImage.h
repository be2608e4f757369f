// Gdiplus::Image: decoded pixels (premultiplied ARGB) with the status of the decode.
#pragma once

#include "platform/ui/GdiplusTypes.h"

#include <memory>

class QImage;

namespace Gdiplus {

class Image {
public:
    Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    UINT GetWidth() const;
    UINT GetHeight() const;
    Status GetLastStatus() const;
    Status RotateFlip(RotateFlipType type);
    Image* Clone() const;

    // Platform side: the pixels (null image when the decode failed).
    const QImage& Pixels() const;
    void SetPixels(const QImage& pixels, Status status);

private:
    std::unique_ptr<QImage> m_pixels;
    Status m_status = Ok;
};

} // namespace Gdiplus
