#include "platform/ui/GdiplusBitmap.h"

#include "platform/ui/IStream.h"

#include <QImage>

namespace Gdiplus {

Bitmap::Bitmap(IStream* stream, BOOL) {
    QImage img;
    if (!stream || !stream->Data() || stream->Size() == 0) {
        SetPixels(QImage(), InvalidParameter);
        return;
    }
    if (!img.loadFromData(stream->Data(), static_cast<int>(stream->Size()))) {
        SetPixels(QImage(), UnknownImageFormat);
        return;
    }
    SetPixels(img, Ok);
}

Bitmap::Bitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        SetPixels(QImage(), InvalidParameter);
        return;
    }
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    SetPixels(img, Ok);
}

Bitmap* Bitmap::FromStream(IStream* stream, BOOL useEmbeddedColorManagement) {
    return new Bitmap(stream, useEmbeddedColorManagement);
}

Status Bitmap::GetPixel(int x, int y, Color* colour) const {
    const QImage& img = Pixels();
    if (!colour || !img.valid(x, y))
        return InvalidParameter;
    const QColor c = QColor::fromRgba(img.pixel(x, y));
    *colour = Color(static_cast<BYTE>(c.alpha()), static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()),
                    static_cast<BYTE>(c.blue()));
    return Ok;
}

Status Bitmap::SetPixel(int x, int y, const Color& colour) {
    QImage img = Pixels();
    if (!img.valid(x, y))
        return InvalidParameter;
    img.setPixelColor(x, y, QColor(colour.GetR(), colour.GetG(), colour.GetB(), colour.GetA()));
    SetPixels(img, GetLastStatus());
    return Ok;
}

} // namespace Gdiplus
