#include "platform/ui/ImageList.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/GdiHandle.h"

#include <QImage>
#include <QPainter>
#include <vector>

struct CImageList::Impl {
    int cx = 0;
    int cy = 0;
    bool created = false;
    std::vector<QImage> images; // premultiplied ARGB, mask colour already transparent
};

CImageList::CImageList() : m(std::make_unique<Impl>()) {}

CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m->cx = cx;
    m->cy = cy;
    m->created = true;
    m->images.clear();
    return TRUE;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
    if (!m->created || !bitmap || bitmap->Image().isNull())
        return -1;
    QImage src = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    if (mask != 0xFFFFFFFF) {
        const QRgb key = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
        for (int y = 0; y < src.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(src.scanLine(y));
            for (int x = 0; x < src.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    line[x] = 0;
        }
    }
    const int first = static_cast<int>(m->images.size());
    for (int x = 0; x + m->cx <= src.width(); x += m->cx)
        m->images.push_back(src.copy(x, 0, m->cx, std::min(m->cy, src.height()))
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return static_cast<int>(m->images.size()) > first ? first : -1;
}

int CImageList::Add(CBitmap* bitmap, CBitmap*) {
    return Add(bitmap, 0xFFFFFFFF);
}

int CImageList::GetImageCount() const {
    return static_cast<int>(m->images.size());
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const {
    if (!info || index < 0 || index >= GetImageCount())
        return FALSE;
    *info = IMAGEINFO{nullptr, nullptr, 0, 0, RECT{index * m->cx, 0, (index + 1) * m->cx, m->cy}};
    return TRUE;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT style) {
    if (!dc || index < 0 || index >= GetImageCount())
        return FALSE;
    QPainter* p = dc->PreparePainter();
    if (!p)
        return FALSE;
    const QImage& img = m->images[static_cast<size_t>(index)];
    if (style & ILD_TRANSPARENT) {
        p->drawImage(QPoint(at.x, at.y), img);
    } else {
        // Normal drawing fills the transparent parts with the DC's background colour.
        QImage opaque(img.size(), QImage::Format_ARGB32_Premultiplied);
        opaque.fill(gdi::ToQColor(dc->GetBkColor()));
        QPainter o(&opaque);
        o.drawImage(0, 0, img);
        o.end();
        p->drawImage(QPoint(at.x, at.y), opaque);
    }
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    const bool had = m->created;
    m->images.clear();
    m->created = false;
    return had ? TRUE : FALSE;
}

BOOL CImageList::Remove(int index) {
    if (index == -1) {
        m->images.clear();
        return TRUE;
    }
    if (index < 0 || index >= GetImageCount())
        return FALSE;
    m->images.erase(m->images.begin() + index);
    return TRUE;
}

int CImageList::GetWidth() const {
    return m->cx;
}

int CImageList::GetHeight() const {
    return m->cy;
}
