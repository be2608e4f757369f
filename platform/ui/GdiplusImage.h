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
    // A resource image (PNG with alpha, or bitmap) of the given size, painted at its first use.
    void SetPendingResource(UINT id, bool png, int width, int height);

private:
    std::unique_ptr<QImage> m_pixels;
    Status m_status = Ok;
    mutable UINT m_pendingId = 0;
    bool m_pendingPng = false;
    int m_pendingWidth = 0;
    int m_pendingHeight = 0;
};

} // namespace Gdiplus
