#include "platform/ui/GdiplusImage.h"

#include <QImage>
#include <QTransform>

namespace Gdiplus {

Image::Image() : m_pixels(std::make_unique<QImage>()) {}

Image::~Image() = default;

UINT Image::GetWidth() const {
    return static_cast<UINT>(std::max(0, m_pixels->width()));
}

UINT Image::GetHeight() const {
    return static_cast<UINT>(std::max(0, m_pixels->height()));
}

Status Image::GetLastStatus() const {
    return m_status;
}

Status Image::RotateFlip(RotateFlipType type) {
    if (m_pixels->isNull())
        return InvalidParameter;
    const int t = static_cast<int>(type);
    if (t < 0 || t > 7)
        return InvalidParameter;
    // Rotation clockwise first, then the horizontal flip.
    QImage out = *m_pixels;
    const int quarter = t & 3;
    if (quarter)
        out = out.transformed(QTransform().rotate(90.0 * quarter));
    if (t & 4)
        out = out.mirrored(true, false);
    *m_pixels = out;
    return Ok;
}

Image* Image::Clone() const {
    auto* copy = new Image;
    copy->SetPixels(*m_pixels, m_status);
    return copy;
}

const QImage& Image::Pixels() const {
    return *m_pixels;
}

void Image::SetPixels(const QImage& pixels, Status status) {
    *m_pixels = pixels.isNull() ? QImage() : pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_status = status;
}

} // namespace Gdiplus
