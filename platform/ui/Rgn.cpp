#include "platform/ui/Rgn.h"

#include "platform/ui/GdiHandle.h"

#include <QPolygon>
#include <algorithm>
#include <utility>

namespace {
int Kind(const QRegion& r) {
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
QRect Exclusive(int l, int t, int r, int b) {
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    return QRect(l, t, r - l, b - t);
}
} // namespace

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    DeleteObject();
    return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
    if (!CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    m_hObject->region = QRegion(Exclusive(left, top, right, bottom), QRegion::Ellipse);
    return TRUE;
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    if (!CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    // Rounded corners as the union of the cross and four corner ellipses.
    QRect r = Exclusive(left, top, right, bottom);
    int w = std::min(width, r.width()), h = std::min(height, r.height());
    QRegion reg(r.adjusted(w / 2, 0, -w / 2, 0));
    reg += QRegion(r.adjusted(0, h / 2, 0, -h / 2));
    reg += QRegion(QRect(r.left(), r.top(), w, h), QRegion::Ellipse);
    reg += QRegion(QRect(r.right() - w + 1, r.top(), w, h), QRegion::Ellipse);
    reg += QRegion(QRect(r.left(), r.bottom() - h + 1, w, h), QRegion::Ellipse);
    reg += QRegion(QRect(r.right() - w + 1, r.bottom() - h + 1, w, h), QRegion::Ellipse);
    m_hObject->region = reg & QRegion(r);
    return TRUE;
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3 || !CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    m_hObject->region = QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return TRUE;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    if (!m_hObject || !a)
        return ERROR;
    return ::CombineRgn(m_hObject, a->m_hObject, b ? b->m_hObject : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* source) {
    return CombineRgn(source, nullptr, RGN_COPY);
}

int CRgn::OffsetRgn(int dx, int dy) {
    if (!m_hObject)
        return ERROR;
    m_hObject->region.translate(dx, dy);
    return Kind(m_hObject->region);
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return m_hObject && m_hObject->region.contains(QPoint(x, y));
}

BOOL CRgn::RectInRegion(LPCRECT rect) const {
    return m_hObject && rect &&
           m_hObject->region.intersects(Exclusive(rect->left, rect->top, rect->right, rect->bottom));
}

int CRgn::GetRgnBox(LPRECT rect) const {
    if (!m_hObject || !rect)
        return ERROR;
    QRect b = m_hObject->region.boundingRect();
    if (b.isEmpty())
        *rect = RECT{0, 0, 0, 0};
    else
        *rect = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return Kind(m_hObject->region);
}

BOOL CRgn::EqualRgn(const CRgn* other) const {
    return m_hObject && other && other->m_hObject && m_hObject->region == other->m_hObject->region;
}

BOOL CRgn::SetRectRgn(int left, int top, int right, int bottom) {
    if (!m_hObject)
        return FALSE;
    m_hObject->region = QRegion(Exclusive(left, top, right, bottom));
    return TRUE;
}
