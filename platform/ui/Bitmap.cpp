#include "platform/ui/Bitmap.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/ResourceLoader.h"

#include <cstring>
#include <utility>

namespace {
const QImage kNoImage;

QImage AsBitmapFormat(const QImage& image) {
    // Same format: the image is shared, not copied.
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                   : image.convertToFormat(QImage::Format_RGB32);
}
} // namespace

QImage& GdiHandle::Pixels() {
    if (m_pendingId) {
        const UINT id = std::exchange(m_pendingId, 0);
        m_pixels = AsBitmapFormat(ResourceLoader::LoadBitmapImage(id));
    }
    return m_pixels;
}

void GdiHandle::SetPixels(QImage pixels) {
    m_pendingId = 0;
    m_pixels = std::move(pixels);
}

void GdiHandle::SetPendingResource(UINT id, QSize size) {
    m_pixels = QImage();
    m_pendingId = id;
    m_pendingSize = size;
}

BOOL CBitmap::LoadBitmap(UINT resourceId) {
    // Only the size now; the pixels are painted when the bitmap is first drawn or read.
    const QSize size = ResourceLoader::BitmapSize(resourceId);
    if (size.isEmpty())
        return FALSE;
    DeleteObject();
    auto* h = new GdiHandle(GdiHandle::Kind::Bitmap);
    h->SetPendingResource(resourceId, size);
    return Attach(h);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0)
        return FALSE;
    DeleteObject();
    auto* h = new GdiHandle(GdiHandle::Kind::Bitmap);
    QImage& image = h->Pixels();
    image = QImage(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    h->monochrome = bitsPerPixel == 1;
    if (bits && bitsPerPixel == 1) {
        // Rows of 1-bit pixels padded to 16 bits; a set bit is white.
        const auto* p = static_cast<const BYTE*>(bits);
        const int stride = ((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (p[y * stride + x / 8] & (0x80 >> (x % 8)))
                    image.setPixel(x, y, 0xFFFFFFFF);
    } else if (bits && bitsPerPixel == 32) {
        for (int y = 0; y < height; ++y)
            std::memcpy(image.scanLine(y), static_cast<const BYTE*>(bits) + y * width * 4,
                        static_cast<size_t>(width) * 4);
    }
    return Attach(h);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    if (width <= 0 || height <= 0)
        return FALSE;
    BOOL ok = CreateBitmap(width, height, 1, 32, nullptr);
    // A bitmap compatible with a monochrome memory DC is monochrome itself.
    if (ok && dc && dc->IsMonochrome())
        m_hObject->monochrome = true;
    return ok;
}

BOOL CBitmap::CreateFromImage(const QImage& image) {
    if (image.isNull())
        return FALSE;
    DeleteObject();
    auto* h = new GdiHandle(GdiHandle::Kind::Bitmap);
    h->SetPixels(AsBitmapFormat(image));
    return Attach(h);
}

int CBitmap::GetBitmap(BITMAP* info) const {
    if (!m_hObject || !info)
        return 0;
    const QSize size = m_hObject->PixelSize();
    info->bmType = 0;
    info->bmWidth = size.width();
    info->bmHeight = size.height();
    info->bmPlanes = 1;
    info->bmBitsPixel = m_hObject->monochrome ? 1 : 32;
    info->bmWidthBytes = m_hObject->monochrome ? ((size.width() + 15) / 16) * 2 : size.width() * 4;
    info->bmBits = nullptr;
    return sizeof(BITMAP);
}

CSize CBitmap::GetBitmapDimension() const {
    if (!m_hObject)
        return CSize();
    const QSize size = m_hObject->PixelSize();
    return CSize(size.width(), size.height());
}

const QImage& CBitmap::Image() const {
    return m_hObject ? m_hObject->Pixels() : kNoImage;
}

void DrawBitmap(CDC* dc, CBitmap* bitmap, int x, int y) {
    const CSize size = bitmap->GetBitmapDimension();
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap* old = mem.SelectObject(bitmap);
    dc->BitBlt(x, y, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

void StretchBitmap(CDC* dc, CBitmap* bitmap, int x, int y, int width, int height) {
    const CSize size = bitmap->GetBitmapDimension();
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap* old = mem.SelectObject(bitmap);
    const int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(x, y, width, height, &mem, 0, 0, size.cx, size.cy, SRCCOPY);
    dc->SetStretchBltMode(oldMode);
    mem.SelectObject(old);
}
