#include "platform/ui/GdiplusImage.h"

#include "platform/ui/ResourceLoader.h"

#include <QImage>
#include <QTransform>
#include <utility>

namespace Gdiplus {

Image::Image() : m_pixels(std::make_unique<QImage>()) {}

Image::~Image() = default;

UINT Image::GetWidth() const {
    return static_cast<UINT>(std::max(0, m_pendingId ? m_pendingWidth : m_pixels->width()));
}

UINT Image::GetHeight() const {
    return static_cast<UINT>(std::max(0, m_pendingId ? m_pendingHeight : m_pixels->height()));
}

Status Image::GetLastStatus() const {
    return m_status;
}

Status Image::RotateFlip(RotateFlipType type) {
    if (Pixels().isNull())
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
    copy->SetPixels(Pixels(), m_status);
    return copy;
}

const QImage& Image::Pixels() const {
    if (m_pendingId) {
        const UINT id = std::exchange(m_pendingId, 0);
        const QImage img =
            m_pendingPng ? ResourceLoader::LoadPngImage(id) : ResourceLoader::LoadBitmapImage(id);
        // Same format: the registry's image is shared, not copied.
        *m_pixels = img.isNull() ? QImage() : img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return *m_pixels;
}

void Image::SetPixels(const QImage& pixels, Status status) {
    m_pendingId = 0;
    *m_pixels = pixels.isNull() ? QImage() : pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_status = status;
}

void Image::SetPendingResource(UINT id, bool png, int width, int height) {
    *m_pixels = QImage();
    m_pendingId = id;
    m_pendingPng = png;
    m_pendingWidth = width;
    m_pendingHeight = height;
    m_status = Ok;
}

} // namespace Gdiplus
