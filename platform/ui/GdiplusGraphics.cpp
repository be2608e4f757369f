#include "platform/ui/GdiplusGraphics.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiplusImage.h"
#include "platform/ui/GdiplusPen.h"
#include "platform/ui/GdiplusSolidBrush.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace Gdiplus {

// Either a DC's painter (borrowed) or a painter of our own on an image.
struct Graphics::Target {
    CDC* dc = nullptr;
    Image* image = nullptr;
    QImage pixels;
    std::unique_ptr<QPainter> own;
};

namespace {
QColor Q(const Color& c) {
    return QColor(c.GetR(), c.GetG(), c.GetB(), c.GetA());
}
} // namespace

Graphics::Graphics(HDC dc) : m_target(new Target) {
    m_target->dc = CDC::FromHandle(dc);
    if (!m_target->dc || !m_target->dc->Painter())
        m_status = InvalidParameter;
}

Graphics::Graphics(Image* image) : m_target(new Target) {
    m_target->image = image;
    if (!image || image->Pixels().isNull()) {
        m_status = InvalidParameter;
        return;
    }
    m_target->pixels = image->Pixels();
    m_target->own = std::make_unique<QPainter>(&m_target->pixels);
}

Graphics::~Graphics() {
    if (m_target->own) {
        m_target->own->end();
        m_target->image->SetPixels(m_target->pixels, m_target->image->GetLastStatus());
    }
    delete m_target;
}

Graphics* Graphics::FromHDC(HDC dc) {
    return new Graphics(dc);
}

Status Graphics::SetSmoothingMode(SmoothingMode mode) {
    m_smoothing = mode;
    return Ok;
}

Status Graphics::SetInterpolationMode(InterpolationMode mode) {
    m_interpolation = mode;
    return Ok;
}

namespace {
// Runs fn with a painter set up for this object's target and modes, restoring the DC afterwards.
template <class Fn>
Status WithPainter(CDC* dc, QPainter* own, SmoothingMode smoothing, InterpolationMode interpolation, Fn fn) {
    QPainter* p = own ? own : (dc ? dc->PreparePainter() : nullptr);
    if (!p)
        return InvalidParameter;
    p->save();
    const bool aa = smoothing == SmoothingModeAntiAlias || smoothing == SmoothingModeHighQuality ||
                    smoothing == SmoothingModeDefault;
    p->setRenderHint(QPainter::Antialiasing, aa);
    p->setRenderHint(QPainter::SmoothPixmapTransform, interpolation != InterpolationModeNearestNeighbor &&
                                                          interpolation != InterpolationModeLowQuality);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    fn(*p);
    p->restore();
    return Ok;
}
} // namespace

Status Graphics::DrawImage(Image* image, int x, int y, int width, int height) {
    if (!image)
        return InvalidParameter;
    if (image->Pixels().isNull() || width == 0 || height == 0)
        return image->Pixels().isNull() ? InvalidParameter : Ok;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation,
                       [&](QPainter& p) { p.drawImage(QRect(x, y, width, height), image->Pixels()); });
}

Status Graphics::DrawImage(Image* image, int x, int y) {
    if (!image)
        return InvalidParameter;
    return DrawImage(image, x, y, static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight()));
}

Status Graphics::DrawImage(Image* image, const Rect& rect) {
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::Clear(const Color& colour) {
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        const QRect all = p.device() ? QRect(0, 0, p.device()->width(), p.device()->height()) : QRect();
        p.fillRect(p.worldTransform().inverted().mapRect(all), Q(colour));
    });
}

Status Graphics::FillRectangle(const SolidBrush* brush, int x, int y, int width, int height) {
    Color c;
    if (!brush || brush->GetColor(&c) != Ok)
        return InvalidParameter;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation,
                       [&](QPainter& p) { p.fillRect(QRectF(x, y, width, height), Q(c)); });
}

Status Graphics::FillEllipse(const SolidBrush* brush, int x, int y, int width, int height) {
    Color c;
    if (!brush || brush->GetColor(&c) != Ok)
        return InvalidParameter;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Q(c));
        p.drawEllipse(QRectF(x, y, width, height));
    });
}

namespace {
QPen MakePen(const Pen* pen) {
    Color c;
    pen->GetColor(&c);
    QPen qp(Q(c), static_cast<qreal>(pen->GetWidth()));
    qp.setCapStyle(Qt::FlatCap);
    qp.setJoinStyle(Qt::RoundJoin);
    return qp;
}
} // namespace

Status Graphics::DrawRectangle(const Pen* pen, int x, int y, int width, int height) {
    if (!pen)
        return InvalidParameter;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(MakePen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(x, y, width, height));
    });
}

Status Graphics::DrawEllipse(const Pen* pen, int x, int y, int width, int height) {
    if (!pen)
        return InvalidParameter;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(MakePen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(x, y, width, height));
    });
}

Status Graphics::DrawLine(const Pen* pen, int x1, int y1, int x2, int y2) {
    if (!pen)
        return InvalidParameter;
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(MakePen(pen));
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    });
}

Status Graphics::FillPolygon(const SolidBrush* brush, const Point* points, int count) {
    Color c;
    if (!brush || !points || count < 3 || brush->GetColor(&c) != Ok)
        return InvalidParameter;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].X, points[i].Y);
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Q(c));
        p.drawPolygon(poly);
    });
}

Status Graphics::DrawLines(const Pen* pen, const PointF* points, int count) {
    if (!pen || !points || count < 2)
        return InvalidParameter;
    QPolygonF line;
    line.reserve(count);
    for (int i = 0; i < count; ++i)
        line << QPointF(points[i].X, points[i].Y);
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(MakePen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
    });
}

Status Graphics::DrawBeziers(const Pen* pen, const PointF* points, int count) {
    if (!pen || !points || count < 4 || (count - 1) % 3 != 0)
        return InvalidParameter;
    QPainterPath path(QPointF(points[0].X, points[0].Y));
    for (int i = 1; i + 2 < count; i += 3)
        path.cubicTo(QPointF(points[i].X, points[i].Y), QPointF(points[i + 1].X, points[i + 1].Y),
                     QPointF(points[i + 2].X, points[i + 2].Y));
    return WithPainter(m_target->dc, m_target->own.get(), m_smoothing, m_interpolation, [&](QPainter& p) {
        p.setPen(MakePen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

Status GdiplusStartup(UINT_PTR* token, const GdiplusStartupInput*, GdiplusStartupOutput*) {
    if (token)
        *token = 1;
    return Ok;
}

void GdiplusShutdown(UINT_PTR) {}

} // namespace Gdiplus
