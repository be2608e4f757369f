#include "platform/ui/DC.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/Pen.h"
#include "platform/ui/Rgn.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstring>

struct CDC::State {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    COLORREF text = RGB(0, 0, 0);
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretch = BLACKONWHITE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int mapMode = MM_TEXT;
    QPoint cur;
    QPoint winOrg;
    QPoint vpOrg;
    QSize winExt{1, 1};
    QSize vpExt{1, 1};
    bool hasClip = false;
    QRegion clip; // device pixels
};

namespace {
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

QColor Q(COLORREF c) {
    return gdi::ToQColor(c);
}

QRect R(int l, int t, int r, int b) {
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    return QRect(l, t, r - l, b - t);
}

QRect R(LPCRECT rc) {
    return rc ? R(rc->left, rc->top, rc->right, rc->bottom) : QRect();
}

bool PenIsNull(HGDIOBJ pen) {
    return !pen || (pen->penStyle & PS_STYLE_MASK) == PS_NULL;
}

bool BrushIsNull(HGDIOBJ brush) {
    return !brush || brush->brushStyle == BS_NULL;
}

QBrush MakeBrush(HGDIOBJ brush) {
    if (BrushIsNull(brush))
        return Qt::NoBrush;
    if (brush->brushStyle == BS_HATCHED) {
        static const Qt::BrushStyle hatch[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                               Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        const int i = std::clamp(brush->hatch, 0, 5);
        return QBrush(Q(brush->colour), hatch[i]);
    }
    return QBrush(Q(brush->colour));
}

QPen MakePen(HGDIOBJ pen) {
    if (PenIsNull(pen))
        return Qt::NoPen;
    QPen p(Q(pen->colour));
    p.setWidth(std::max(1, pen->penWidth));
    switch (pen->penStyle & PS_STYLE_MASK) {
    case PS_DASH:
        p.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
        p.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        p.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        p.setStyle(Qt::DashDotDotLine);
        break;
    default:
        p.setStyle(Qt::SolidLine);
        break;
    }
    if (pen->penStyle & PS_GEOMETRIC) {
        switch (pen->penStyle & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE:
            p.setCapStyle(Qt::SquareCap);
            break;
        case PS_ENDCAP_FLAT:
            p.setCapStyle(Qt::FlatCap);
            break;
        default:
            p.setCapStyle(Qt::RoundCap);
            break;
        }
        switch (pen->penStyle & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL:
            p.setJoinStyle(Qt::BevelJoin);
            break;
        case PS_JOIN_MITER:
            p.setJoinStyle(Qt::MiterJoin);
            break;
        default:
            p.setJoinStyle(Qt::RoundJoin);
            break;
        }
    } else {
        p.setCapStyle(Qt::RoundCap);
    }
    return p;
}

// One-pixel solid pens are drawn pixel by pixel so that the end point stays out exactly.
bool ThinSolid(HGDIOBJ pen) {
    return pen && (pen->penStyle & PS_STYLE_MASK) == PS_SOLID && pen->penWidth <= 1;
}

QString ToQ(const char* text, int count) {
    if (!text)
        return {};
    if (count < 0)
        count = static_cast<int>(std::strlen(text));
    return QString::fromUtf8(text, count);
}

QPainter::CompositionMode RopMode(DWORD rop, bool* ok) {
    *ok = true;
    switch (rop) {
    case SRCCOPY:
        return QPainter::CompositionMode_SourceOver;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    case SRCERASE:
        return QPainter::RasterOp_SourceAndNotDestination;
    default:
        *ok = false;
        return QPainter::CompositionMode_SourceOver;
    }
}
} // namespace

CDC::CDC() : m_state(std::make_unique<State>()) {}

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    DeleteDC();
    m_memory = true;
    m_bPrinting = dc && dc->m_bPrinting;
    m_hDC = reinterpret_cast<HDC>(this);
    *m_state = State{};
    Select(m_state->pen, GetStockObject(BLACK_PEN));
    Select(m_state->brush, GetStockObject(WHITE_BRUSH));
    Select(m_state->font, GetStockObject(SYSTEM_FONT));
    m_defaultBitmap = std::make_unique<CBitmap>();
    m_defaultBitmap->CreateBitmap(1, 1, 1, 1, nullptr);
    SelectObject(m_defaultBitmap.get());
    return TRUE;
}

BOOL CDC::DeleteDC() {
    EndPainter();
    ReleaseSelections();
    m_saved.clear();
    m_defaultBitmap.reset();
    BOOL had = m_hDC != nullptr;
    m_hDC = nullptr;
    m_memory = false;
    return had;
}

void CDC::ReleaseSelections() {
    State& s = *m_state;
    for (HGDIOBJ* slot : {&s.pen, &s.brush, &s.font, &s.bitmap})
        Select(*slot, nullptr);
    for (State& saved : m_saved)
        for (HGDIOBJ* slot : {&saved.pen, &saved.brush, &saved.font, &saved.bitmap})
            Select(*slot, nullptr);
}

HGDIOBJ CDC::Select(HGDIOBJ& slot, HGDIOBJ object) {
    if (slot == object)
        return object;
    if (object && !object->stock)
        ++object->selectedInto;
    HGDIOBJ old = slot;
    slot = object;
    // An object deleted while selected dies at its last deselect: there is nothing to hand back.
    if (old && !old->stock && --old->selectedInto == 0 && old->deletePending) {
        delete old;
        return nullptr;
    }
    return old;
}

void CDC::ResetAttributes() {
    ReleaseSelections();
    m_saved.clear();
    *m_state = State{};
    Select(m_state->pen, GetStockObject(BLACK_PEN));
    Select(m_state->brush, GetStockObject(WHITE_BRUSH));
    Select(m_state->font, GetStockObject(SYSTEM_FONT));
    ApplyTransform();
    ApplyClip();
}

void CDC::AttachPainter(QPainter* painter, bool printing) {
    EndPainter();
    m_painter = painter;
    m_ownPainter = false;
    m_bPrinting = printing;
    m_hDC = reinterpret_cast<HDC>(this);
    ResetAttributes();
    if (m_painter) {
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
}

BOOL CDC::BeginOn(QPaintDevice* device) {
    EndPainter();
    if (!device)
        return FALSE;
    auto* p = new QPainter();
    if (!p->begin(device)) {
        delete p;
        return FALSE;
    }
    p->setRenderHint(QPainter::Antialiasing, false);
    m_painter = p;
    m_ownPainter = true;
    m_hDC = reinterpret_cast<HDC>(this);
    ApplyTransform();
    ApplyClip();
    return TRUE;
}

void CDC::EndPainter() {
    if (m_painter && m_ownPainter) {
        m_painter->end();
        delete m_painter;
    }
    m_painter = nullptr;
    m_ownPainter = false;
}

BOOL CDC::IsMonochrome() const {
    return m_memory && m_state->bitmap && m_state->bitmap->monochrome;
}

QImage* CDC::SurfaceImage() const {
    if (!m_memory || !m_state->bitmap)
        return nullptr;
    return &m_state->bitmap->Pixels();
}

int CDC::GetDeviceCaps(int index) const {
    switch (index) {
    case BITSPIXEL:
        return IsMonochrome() ? 1 : 32;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
    case VERTRES: {
        QPaintDevice* d = m_painter ? m_painter->device() : nullptr;
        if (!d)
            return 0;
        return index == HORZRES ? d->width() : d->height();
    }
    default:
        return 0;
    }
}

// --- selection -------------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->m_hObject)
        return nullptr;
    return CPen::FromHandle(Select(m_state->pen, pen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->m_hObject)
        return nullptr;
    return CBrush::FromHandle(Select(m_state->brush, brush->m_hObject));
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->m_hObject)
        return nullptr;
    return CFont::FromHandle(Select(m_state->font, font->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap || !bitmap->m_hObject || !m_memory)
        return nullptr;
    HGDIOBJ old = m_state->bitmap;
    if (old == bitmap->m_hObject)
        return CBitmap::FromHandle(old);
    // A bitmap can be selected into one memory DC at a time.
    if (bitmap->m_hObject->selectedInto > 0)
        return nullptr;
    EndPainter();
    old = Select(m_state->bitmap, bitmap->m_hObject);
    BeginOn(&m_state->bitmap->Pixels());
    return old ? CBitmap::FromHandle(old) : nullptr;
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    if (!object)
        return nullptr;
    switch (object->kind) {
    case GdiHandle::Kind::Pen: {
        return Select(m_state->pen, object);
    }
    case GdiHandle::Kind::Brush: {
        return Select(m_state->brush, object);
    }
    case GdiHandle::Kind::Font: {
        return Select(m_state->font, object);
    }
    case GdiHandle::Kind::Bitmap: {
        CBitmap* old = SelectObject(CBitmap::FromHandle(object));
        return old ? old->m_hObject : nullptr;
    }
    case GdiHandle::Kind::Region:
        SelectClipRgn(CRgn::FromHandle(object));
        return nullptr;
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ h = GetStockObject(index);
    HGDIOBJ old = SelectObject(h);
    return CGdiObject::FromHandle(old);
}

CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle(m_state->pen);
}
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(m_state->brush);
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(m_state->font);
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(m_state->bitmap);
}

int CDC::SaveDC() {
    State copy = *m_state;
    for (HGDIOBJ h : {copy.pen, copy.brush, copy.font, copy.bitmap})
        if (h && !h->stock)
            ++h->selectedInto;
    m_saved.push_back(std::move(copy));
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
    const int n = static_cast<int>(m_saved.size());
    const int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    State target = m_saved[static_cast<size_t>(index)];
    // Drop the saved states from index on; their selections are released.
    while (static_cast<int>(m_saved.size()) > index) {
        State& s = m_saved.back();
        for (HGDIOBJ* slot : {&s.pen, &s.brush, &s.font, &s.bitmap})
            Select(*slot, nullptr);
        m_saved.pop_back();
    }
    const bool bitmapChanged = target.bitmap != m_state->bitmap;
    Select(m_state->pen, target.pen);
    Select(m_state->brush, target.brush);
    Select(m_state->font, target.font);
    if (bitmapChanged && m_memory) {
        EndPainter();
        Select(m_state->bitmap, target.bitmap);
    }
    target.pen = m_state->pen;
    target.brush = m_state->brush;
    target.font = m_state->font;
    target.bitmap = m_state->bitmap;
    *m_state = target;
    if (bitmapChanged && m_memory && m_state->bitmap)
        BeginOn(&m_state->bitmap->Pixels());
    ApplyTransform();
    ApplyClip();
    return TRUE;
}

// --- attributes ------------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(m_state->text, colour);
}
COLORREF CDC::GetTextColor() const {
    return m_state->text;
}
COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(m_state->bk, colour);
}
COLORREF CDC::GetBkColor() const {
    return m_state->bk;
}
int CDC::SetBkMode(int mode) {
    return std::exchange(m_state->bkMode, mode);
}
int CDC::GetBkMode() const {
    return m_state->bkMode;
}
int CDC::SetROP2(int mode) {
    return std::exchange(m_state->rop2, mode);
}
int CDC::GetROP2() const {
    return m_state->rop2;
}
int CDC::SetStretchBltMode(int mode) {
    return std::exchange(m_state->stretch, mode);
}
int CDC::GetStretchBltMode() const {
    return m_state->stretch;
}
UINT CDC::SetTextAlign(UINT flags) {
    return std::exchange(m_state->textAlign, flags);
}

int CDC::SetMapMode(int mode) {
    const int old = std::exchange(m_state->mapMode, mode);
    ApplyTransform();
    return old;
}
int CDC::GetMapMode() const {
    return m_state->mapMode;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    QPoint old = std::exchange(m_state->winOrg, QPoint(x, y));
    ApplyTransform();
    return CPoint(old.x(), old.y());
}
CPoint CDC::GetWindowOrg() const {
    return CPoint(m_state->winOrg.x(), m_state->winOrg.y());
}
CPoint CDC::SetViewportOrg(int x, int y) {
    QPoint old = std::exchange(m_state->vpOrg, QPoint(x, y));
    ApplyTransform();
    return CPoint(old.x(), old.y());
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(m_state->vpOrg.x() + dx, m_state->vpOrg.y() + dy);
}
CPoint CDC::GetViewportOrg() const {
    return CPoint(m_state->vpOrg.x(), m_state->vpOrg.y());
}
CSize CDC::SetWindowExt(int cx, int cy) {
    QSize old = std::exchange(m_state->winExt, QSize(cx, cy));
    ApplyTransform();
    return CSize(old.width(), old.height());
}
CSize CDC::GetWindowExt() const {
    return CSize(m_state->winExt.width(), m_state->winExt.height());
}
CSize CDC::SetViewportExt(int cx, int cy) {
    QSize old = std::exchange(m_state->vpExt, QSize(cx, cy));
    ApplyTransform();
    return CSize(old.width(), old.height());
}
CSize CDC::GetViewportExt() const {
    return CSize(m_state->vpExt.width(), m_state->vpExt.height());
}

void CDC::LPtoDP(LPPOINT points, int count) const {
    const QTransform t = Mapping();
    for (int i = 0; points && i < count; ++i) {
        const QPointF p = t.map(QPointF(points[i].x, points[i].y));
        points[i].x = static_cast<LONG>(std::lround(p.x()));
        points[i].y = static_cast<LONG>(std::lround(p.y()));
    }
}
void CDC::LPtoDP(LPRECT rect) const {
    LPtoDP(reinterpret_cast<LPPOINT>(rect), 2);
}
void CDC::DPtoLP(LPPOINT points, int count) const {
    const QTransform t = Mapping().inverted();
    for (int i = 0; points && i < count; ++i) {
        const QPointF p = t.map(QPointF(points[i].x, points[i].y));
        points[i].x = static_cast<LONG>(std::lround(p.x()));
        points[i].y = static_cast<LONG>(std::lround(p.y()));
    }
}
void CDC::DPtoLP(LPRECT rect) const {
    DPtoLP(reinterpret_cast<LPPOINT>(rect), 2);
}

QPainter* CDC::PreparePainter() const {
    if (!m_painter)
        return nullptr;
    ApplyTransform();
    ApplyClip();
    return m_painter;
}

// Logical to device: the origins, and under MM_ANISOTROPIC the scale of viewport to window extents.
QTransform CDC::Mapping() const {
    QTransform t;
    t.translate(m_state->vpOrg.x(), m_state->vpOrg.y());
    const QSize w = m_state->winExt;
    const QSize v = m_state->vpExt;
    if (m_state->mapMode == MM_ANISOTROPIC && w.width() != 0 && w.height() != 0)
        t.scale(static_cast<double>(v.width()) / w.width(), static_cast<double>(v.height()) / w.height());
    t.translate(-m_state->winOrg.x(), -m_state->winOrg.y());
    return t;
}

void CDC::ApplyTransform() const {
    if (!m_painter)
        return;
    m_painter->setWorldTransform(Mapping());
}

void CDC::ApplyClip() const {
    if (!m_painter)
        return;
    if (!m_state->hasClip) {
        m_painter->setClipping(false);
        return;
    }
    // The clip is kept in device pixels: set it with no transform in force.
    const QTransform t = m_painter->worldTransform();
    m_painter->setWorldTransform(QTransform());
    m_painter->setClipRegion(m_state->clip);
    m_painter->setWorldTransform(t);
}

// --- clipping --------------------------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* region) {
    return SelectClipRgn(region, RGN_COPY);
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
    State& s = *m_state;
    if (!region || !region->m_hObject) {
        if (mode != RGN_COPY)
            return ERROR;
        s.hasClip = false;
        s.clip = QRegion();
        ApplyClip();
        return SIMPLEREGION;
    }
    const QRegion& r = region->m_hObject->region;
    QRegion base = s.hasClip ? s.clip : QRegion(QRect(-100000, -100000, 200000, 200000));
    switch (mode) {
    case RGN_AND:
        s.clip = base & r;
        break;
    case RGN_OR:
        s.clip = base | r;
        break;
    case RGN_XOR:
        s.clip = base ^ r;
        break;
    case RGN_DIFF:
        s.clip = base - r;
        break;
    default:
        s.clip = r;
        break;
    }
    s.hasClip = true;
    ApplyClip();
    return s.clip.isEmpty() ? NULLREGION : (s.clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    State& s = *m_state;
    const QPoint d = s.vpOrg - s.winOrg;
    QRegion r(R(left, top, right, bottom).translated(d));
    if (s.hasClip) {
        s.clip &= r;
    } else {
        QRect all(-100000, -100000, 200000, 200000);
        if (m_painter && m_painter->device())
            all = QRect(0, 0, m_painter->device()->width(), m_painter->device()->height());
        s.clip = r & all;
    }
    s.hasClip = true;
    ApplyClip();
    return s.clip.isEmpty() ? NULLREGION : (s.clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int CDC::IntersectClipRect(LPCRECT rect) {
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
    State& s = *m_state;
    const QPoint d = s.vpOrg - s.winOrg;
    QRegion r(R(left, top, right, bottom).translated(d));
    if (!s.hasClip) {
        QRect all(-100000, -100000, 200000, 200000);
        if (m_painter && m_painter->device())
            all = QRect(0, 0, m_painter->device()->width(), m_painter->device()->height());
        s.clip = QRegion(all);
    }
    s.clip -= r;
    s.hasClip = true;
    ApplyClip();
    return s.clip.isEmpty() ? NULLREGION : (s.clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int CDC::ExcludeClipRect(LPCRECT rect) {
    return rect ? ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

int CDC::GetClipBox(LPRECT rect) const {
    if (!rect)
        return ERROR;
    QRect box;
    QPaintDevice* dev = m_painter ? m_painter->device() : nullptr;
    if (dev)
        box = QRect(0, 0, dev->width(), dev->height());
    if (m_painter && m_painter->hasClipping()) {
        // The painter's clip includes the paint event's update region.
        const QTransform t = m_painter->worldTransform();
        box &= t.mapRect(m_painter->clipBoundingRect()).toAlignedRect();
    }
    if (m_state->hasClip)
        box &= m_state->clip.boundingRect();
    const QPoint d = m_state->winOrg - m_state->vpOrg;
    box.translate(d);
    if (box.isEmpty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    return SIMPLEREGION;
}

BOOL CDC::PtVisible(int x, int y) const {
    CRect box;
    GetClipBox(&box);
    return box.PtInRect(CPoint(x, y));
}

// --- fills -----------------------------------------------------------------------------------

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (!m_painter || !rect || !brush || BrushIsNull(brush->m_hObject))
        return;
    QRect r = R(rect);
    if (r.isEmpty())
        return;
    if (brush->m_hObject->brushStyle == BS_HATCHED)
        m_painter->fillRect(r, Q(m_state->bk));
    m_painter->fillRect(r, MakeBrush(brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    if (rect)
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, colour);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    // Like the system's, this leaves colour as the background colour.
    m_state->bk = colour;
    if (!m_painter)
        return;
    QRect r = R(x, y, x + cx, y + cy);
    if (!r.isEmpty())
        m_painter->fillRect(r, Q(colour));
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    if (!m_painter || !rect || !brush)
        return;
    QRect r = R(rect);
    if (r.isEmpty())
        return;
    QBrush b = MakeBrush(brush->m_hObject);
    m_painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), b);
    m_painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), b);
    m_painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), b);
    m_painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), b);
}

void CDC::InvertRect(LPCRECT rect) {
    if (!m_painter || !rect)
        return;
    m_painter->save();
    m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter->fillRect(R(rect), Qt::white);
    m_painter->restore();
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    if (!m_painter || !region || !region->m_hObject || !brush)
        return FALSE;
    // Regions are device pixels.
    const QTransform t = m_painter->worldTransform();
    m_painter->setWorldTransform(QTransform());
    QPainterPath path;
    path.addRegion(region->m_hObject->region);
    m_painter->fillPath(path, MakeBrush(brush->m_hObject));
    m_painter->setWorldTransform(t);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* region) {
    return FillRgn(region, CBrush::FromHandle(m_state->brush));
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    if (!m_painter)
        return FALSE;
    QRect r = R(x, y, x + width, y + height);
    if (r.isEmpty())
        return TRUE;
    m_painter->save();
    switch (rop) {
    case PATCOPY:
        m_painter->fillRect(r, MakeBrush(m_state->brush));
        break;
    case PATINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter->fillRect(r, MakeBrush(m_state->brush));
        break;
    case DSTINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter->fillRect(r, Qt::white);
        break;
    case BLACKNESS:
        m_painter->fillRect(r, Qt::black);
        break;
    case WHITENESS:
        m_painter->fillRect(r, Qt::white);
        break;
    default:
        m_painter->restore();
        return FALSE;
    }
    m_painter->restore();
    return TRUE;
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
                   bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    if (!m_painter || cx <= 0 || cy <= 0)
        return;
    // Top and left edges in the first colour up to the last pixel; right and bottom in the second.
    m_painter->fillRect(QRect(x, y, cx - 1, 1), Q(topLeft));
    m_painter->fillRect(QRect(x, y, 1, cy - 1), Q(topLeft));
    m_painter->fillRect(QRect(x + cx - 1, y, 1, cy), Q(bottomRight));
    m_painter->fillRect(QRect(x, y + cy - 1, cx, 1), Q(bottomRight));
    m_state->bk = bottomRight;
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    if (!m_painter || !rect)
        return FALSE;
    CRect r(*rect);
    struct Ring {
        UINT raised, sunken;
        int tlRaised, brRaised, tlSunken, brSunken;
    };
    const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW,
         COLOR_BTNHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW,
         COLOR_3DLIGHT},
    };
    for (const Ring& ring : rings) {
        int tl = -1, br = -1;
        if (edge & ring.raised) {
            tl = ring.tlRaised;
            br = ring.brRaised;
        } else if (edge & ring.sunken) {
            tl = ring.tlSunken;
            br = ring.brSunken;
        }
        if (tl < 0 || r.IsRectEmpty())
            continue;
        if (flags & BF_FLAT)
            tl = br = COLOR_BTNSHADOW;
        const QColor a = Q(GetSysColor(tl)), b = Q(GetSysColor(br));
        if (flags & BF_TOP)
            m_painter->fillRect(QRect(r.left, r.top, r.Width() - 1, 1), a);
        if (flags & BF_LEFT)
            m_painter->fillRect(QRect(r.left, r.top, 1, r.Height() - 1), a);
        if (flags & BF_RIGHT)
            m_painter->fillRect(QRect(r.right - 1, r.top, 1, r.Height()), b);
        if (flags & BF_BOTTOM)
            m_painter->fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), b);
        r.DeflateRect((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? 1 : 0,
                      (flags & BF_BOTTOM) ? 1 : 0);
    }
    if ((flags & BF_MIDDLE) && !r.IsRectEmpty())
        m_painter->fillRect(R(&r), Q(GetSysColor(COLOR_BTNFACE)));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
    if (!m_painter || !rect)
        return;
    QRect r = R(rect);
    if (r.isEmpty())
        return;
    // Every other pixel of the frame inverted, so drawing twice removes it.
    m_painter->save();
    m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    m_painter->setPen(QPen(Qt::white, 1));
    QPolygon dots;
    for (int x = r.left(); x <= r.right(); x += 2) {
        dots << QPoint(x, r.top());
        if (r.bottom() != r.top())
            dots << QPoint(x, r.bottom());
    }
    for (int y = r.top() + 2; y < r.bottom(); y += 2) {
        dots << QPoint(r.left(), y);
        if (r.right() != r.left())
            dots << QPoint(r.right(), y);
    }
    m_painter->drawPoints(dots);
    m_painter->restore();
}

// --- lines and shapes ------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) {
    QPoint old = std::exchange(m_state->cur, QPoint(x, y));
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetCurrentPosition() const {
    return CPoint(m_state->cur.x(), m_state->cur.y());
}

bool CDC::StrokeLine(int x0, int y0, int x1, int y1) {
    if (!m_painter || PenIsNull(m_state->pen))
        return m_painter != nullptr;
    m_painter->save();
    if (m_state->rop2 == R2_XORPEN)
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else if (m_state->rop2 == R2_NOT)
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    if (ThinSolid(m_state->pen)) {
        const QColor c = m_state->rop2 == R2_NOT ? QColor(Qt::white) : Q(m_state->pen->colour);
        if (y0 == y1) {
            if (x1 != x0)
                m_painter->fillRect(x1 > x0 ? QRect(x0, y0, x1 - x0, 1) : QRect(x1 + 1, y0, x0 - x1, 1), c);
        } else if (x0 == x1) {
            m_painter->fillRect(y1 > y0 ? QRect(x0, y0, 1, y1 - y0) : QRect(x0, y1 + 1, 1, y0 - y1), c);
        } else {
            // Bresenham from the start point, leaving out the end point.
            QPolygon pts;
            int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
            int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
            int err = dx + dy, x = x0, y = y0;
            while (!(x == x1 && y == y1)) {
                pts << QPoint(x, y);
                const int e2 = 2 * err;
                if (e2 >= dy) {
                    err += dy;
                    x += sx;
                }
                if (e2 <= dx) {
                    err += dx;
                    y += sy;
                }
            }
            m_painter->setPen(QPen(c, 1));
            m_painter->drawPoints(pts);
        }
    } else {
        m_painter->setPen(MakePen(m_state->pen));
        m_painter->drawLine(x0, y0, x1, y1);
    }
    m_painter->restore();
    return true;
}

BOOL CDC::LineTo(int x, int y) {
    const QPoint from = m_state->cur;
    m_state->cur = QPoint(x, y);
    return StrokeLine(from.x(), from.y(), x, y) ? TRUE : FALSE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    const QPoint saved = m_state->cur;
    for (int i = 1; i < count; ++i)
        StrokeLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    m_state->cur = saved;
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (!m_painter || !points || count < 2)
        return FALSE;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    if (!BrushIsNull(m_state->brush)) {
        QPainterPath path;
        path.addPolygon(poly);
        path.closeSubpath();
        path.setFillRule(Qt::OddEvenFill);
        m_painter->fillPath(path, MakeBrush(m_state->brush));
    }
    const QPoint saved = m_state->cur;
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % count];
        StrokeLine(a.x, a.y, b.x, b.y);
    }
    m_state->cur = saved;
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    if (!m_painter)
        return FALSE;
    QRect r = R(left, top, right, bottom);
    if (r.isEmpty())
        return TRUE;
    const bool noPen = PenIsNull(m_state->pen);
    if (!BrushIsNull(m_state->brush)) {
        // Without a pen the filled area is one pixel smaller on the right and bottom.
        QRect fill = noPen ? r.adjusted(0, 0, -1, -1) : r;
        if (m_state->brush->brushStyle == BS_HATCHED && m_state->bkMode == OPAQUE)
            m_painter->fillRect(fill, Q(m_state->bk));
        m_painter->fillRect(fill, MakeBrush(m_state->brush));
    }
    if (!noPen) {
        const int w = std::max(1, m_state->pen->penWidth);
        const QColor c = Q(m_state->pen->colour);
        if (ThinSolid(m_state->pen) || (m_state->pen->penStyle & PS_STYLE_MASK) == PS_INSIDEFRAME) {
            const int t = std::min({w, r.width(), r.height()});
            m_painter->fillRect(QRect(r.left(), r.top(), r.width(), t), c);
            m_painter->fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), c);
            m_painter->fillRect(QRect(r.left(), r.top(), t, r.height()), c);
            m_painter->fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), c);
        } else {
            m_painter->save();
            m_painter->setPen(MakePen(m_state->pen));
            m_painter->setBrush(Qt::NoBrush);
            m_painter->drawRect(r.adjusted(0, 0, -1, -1));
            m_painter->restore();
        }
    }
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height) {
    if (!m_painter)
        return FALSE;
    QRect r = R(left, top, right, bottom);
    if (r.isEmpty())
        return TRUE;
    m_painter->save();
    m_painter->setPen(MakePen(m_state->pen));
    m_painter->setBrush(MakeBrush(m_state->brush));
    m_painter->drawRoundedRect(QRectF(r.adjusted(0, 0, -1, -1)), width / 2.0, height / 2.0);
    m_painter->restore();
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    if (!m_painter)
        return FALSE;
    QRect r = R(left, top, right, bottom);
    if (r.isEmpty())
        return TRUE;
    m_painter->save();
    m_painter->setPen(MakePen(m_state->pen));
    m_painter->setBrush(MakeBrush(m_state->brush));
    m_painter->drawEllipse(QRectF(r.adjusted(0, 0, -1, -1)));
    m_painter->restore();
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    if (!m_painter)
        return CLR_INVALID;
    m_painter->fillRect(QRect(x, y, 1, 1), Q(colour));
    return colour;
}

COLORREF CDC::GetPixel(int x, int y) const {
    QImage* img = SurfaceImage();
    if (!img)
        return CLR_INVALID;
    const QPoint d = m_state->vpOrg - m_state->winOrg;
    const QPoint p(x + d.x(), y + d.y());
    if (!img->rect().contains(p))
        return CLR_INVALID;
    return gdi::FromQColor(img->pixelColor(p));
}

// --- blits -----------------------------------------------------------------------------------

bool CDC::Blit(int x, int y, int w, int h, CDC* source, int xs, int ys, int ws, int hs, DWORD rop, bool keyed,
               UINT key) {
    if (!m_painter)
        return false;
    bool isSourceRop = false;
    const QPainter::CompositionMode mode = RopMode(rop, &isSourceRop);
    if (!isSourceRop)
        return PatBlt(x, y, w, h, rop) != FALSE;
    QImage* src = source ? source->SurfaceImage() : nullptr;
    if (!src || w == 0 || h == 0 || ws == 0 || hs == 0)
        return false;
    const QPoint sd = source->m_state->vpOrg - source->m_state->winOrg;
    QRect srcRect = R(xs, ys, xs + ws, ys + hs).translated(sd);
    // Colour conversion between monochrome and colour surfaces.
    const bool srcMono = source->IsMonochrome();
    const bool dstMono = IsMonochrome();
    // Negative extents mirror.
    const bool mirrorX = (w < 0) != (ws < 0), mirrorY = (h < 0) != (hs < 0);
    const QRect dst = R(x, y, x + w, y + h);
    // Nothing to convert: draw straight from the source instead of copying it. A rectangle
    // reaching outside the source (filled with zeros by the copy) and a blit within one surface
    // keep the copy.
    if (!keyed && srcMono == dstMono && !mirrorX && !mirrorY && dst.size() == srcRect.size() &&
        src->rect().contains(srcRect) && m_painter->device() != src) {
        const QPainter::CompositionMode previous = m_painter->compositionMode();
        m_painter->setCompositionMode(mode);
        m_painter->drawImage(dst.topLeft(), *src, srcRect);
        m_painter->setCompositionMode(previous);
        return true;
    }
    QImage part = src->copy(srcRect);
    if (srcMono && !dstMono) {
        const QRgb fg = Q(m_state->text).rgb(), bg = Q(m_state->bk).rgb();
        part = part.convertToFormat(QImage::Format_RGB32);
        for (int yy = 0; yy < part.height(); ++yy) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(yy));
            for (int xx = 0; xx < part.width(); ++xx)
                line[xx] = (qGray(line[xx]) >= 128) ? bg : fg;
        }
    } else if (!srcMono && dstMono) {
        const QRgb bk = Q(source->m_state->bk).rgb() & 0xFFFFFF;
        part = part.convertToFormat(QImage::Format_RGB32);
        for (int yy = 0; yy < part.height(); ++yy) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(yy));
            for (int xx = 0; xx < part.width(); ++xx)
                line[xx] = ((line[xx] & 0xFFFFFF) == bk) ? 0xFFFFFFFF : 0xFF000000;
        }
    }
    if (keyed) {
        part = part.convertToFormat(QImage::Format_ARGB32);
        const QRgb k = Q(key).rgb() & 0xFFFFFF;
        for (int yy = 0; yy < part.height(); ++yy) {
            auto* line = reinterpret_cast<QRgb*>(part.scanLine(yy));
            for (int xx = 0; xx < part.width(); ++xx)
                if ((line[xx] & 0xFFFFFF) == k)
                    line[xx] = 0;
        }
    }
    if (mirrorX || mirrorY)
        part = part.mirrored(mirrorX, mirrorY);
    if (dst.size() != part.size())
        part = part.scaled(dst.size(), Qt::IgnoreAspectRatio,
                           m_state->stretch == HALFTONE ? Qt::SmoothTransformation : Qt::FastTransformation);
    m_painter->save();
    m_painter->setCompositionMode(mode);
    m_painter->drawImage(dst.topLeft(), part);
    m_painter->restore();
    return true;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    return Blit(x, y, width, height, source, xSrc, ySrc, width, height, rop, false, 0) ? TRUE : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
    return Blit(x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, rop, false, 0) ? TRUE : FALSE;
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, UINT keyColour) {
    return Blit(x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, SRCCOPY, true, keyColour)
               ? TRUE
               : FALSE;
}

// --- text ------------------------------------------------------------------------------------

namespace {
QFont FontOf(HGDIOBJ font) {
    if (font && font->kind == GdiHandle::Kind::Font)
        return font->font;
    return GetStockObject(SYSTEM_FONT)->font;
}
} // namespace

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text.GetString(), text.GetLength());
}

BOOL CDC::TextOut(int x, int y, const char* text, int count) {
    if (!m_painter)
        return FALSE;
    const QString s = ToQ(text, count);
    const QFont font = FontOf(m_state->font);
    QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(s), h = fm.height();
    int left = x, top = y;
    const UINT a = m_state->textAlign;
    if ((a & TA_CENTER) == TA_CENTER)
        left = x - w / 2;
    else if (a & TA_RIGHT)
        left = x - w;
    if ((a & TA_BASELINE) == TA_BASELINE)
        top = y - fm.ascent();
    else if (a & TA_BOTTOM)
        top = y - h;
    if (m_state->bkMode == OPAQUE)
        m_painter->fillRect(QRect(left, top, w, h), Q(m_state->bk));
    m_painter->save();
    m_painter->setFont(font);
    m_painter->setPen(Q(m_state->text));
    m_painter->drawText(QPoint(left, top + fm.ascent()), s);
    m_painter->restore();
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int*) {
    if (!m_painter)
        return FALSE;
    if ((options & ETO_OPAQUE) && rect)
        m_painter->fillRect(R(rect), Q(m_state->bk));
    if (text.IsEmpty())
        return TRUE;
    m_painter->save();
    if ((options & ETO_CLIPPED) && rect)
        m_painter->setClipRect(R(rect), Qt::IntersectClip);
    const int mode = m_state->bkMode;
    if (options & ETO_OPAQUE)
        m_state->bkMode = TRANSPARENT;
    TextOut(x, y, text);
    m_state->bkMode = mode;
    m_painter->restore();
    return TRUE;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format & ~DT_MODIFYSTRING);
}

int CDC::DrawText(CString& text, LPRECT rect, UINT format) {
    if (!(format & DT_MODIFYSTRING))
        return DrawText(static_cast<const CString&>(text), rect, format);
    // Shorten first so that the caller sees what was drawn.
    if (rect && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        QFontMetrics fm(FontOf(m_state->font));
        const Qt::TextElideMode mode = (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        const QString e = fm.elidedText(QString::fromUtf8(text.GetString()), mode, rect->right - rect->left);
        text = CString(e.toUtf8().toStdString());
    }
    return DrawText(text.GetString(), text.GetLength(), rect, format & ~DT_MODIFYSTRING);
}

int CDC::DrawText(const char* text, int count, LPRECT rect, UINT format) {
    if (!rect)
        return 0;
    QString s = ToQ(text, count);
    const QFont font = FontOf(m_state->font);
    QFontMetrics fm(font);
    const bool single = format & DT_SINGLELINE;
    // CR LF, CR and LF each end a line.
    if (!single) {
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // Vertical placement only applies to single lines.
    if (single && (format & DT_VCENTER))
        flags |= Qt::AlignVCenter;
    else if (single && (format & DT_BOTTOM))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (single)
        flags |= Qt::TextSingleLine;
    else if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    QRect r = R(rect);
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        const Qt::TextElideMode mode = (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        if (fm.horizontalAdvance(s) > r.width())
            s = fm.elidedText(s, mode, r.width());
    }
    if (format & DT_CALCRECT) {
        QRect b;
        if (single || !(format & DT_WORDBREAK))
            b = fm.boundingRect(QRect(r.left(), r.top(), 100000, 100000),
                                flags & ~Qt::AlignHCenter & ~Qt::AlignRight, s);
        else
            b = fm.boundingRect(QRect(r.left(), r.top(), std::max(1, r.width()), 100000), flags, s);
        const int width = s.isEmpty() ? 0 : b.width();
        const int height = std::max(b.height(), fm.height());
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    if (!m_painter)
        return 0;
    QRect bound = fm.boundingRect(r, flags, s);
    if (m_state->bkMode == OPAQUE && !s.isEmpty())
        m_painter->fillRect(bound & ((format & DT_NOCLIP) ? bound : r), Q(m_state->bk));
    m_painter->save();
    m_painter->setFont(font);
    m_painter->setPen(Q(m_state->text));
    m_painter->drawText(r, flags, s);
    m_painter->restore();
    return std::max(bound.height(), fm.height());
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

CSize CDC::GetTextExtent(const char* text, int count) const {
    QFontMetrics fm(FontOf(m_state->font));
    return CSize(fm.horizontalAdvance(ToQ(text, count)), fm.height());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    const QFont font = FontOf(m_state->font);
    QFontMetrics fm(font);
    metrics->tmHeight = fm.height();
    metrics->tmAscent = fm.ascent();
    metrics->tmDescent = fm.descent();
    metrics->tmInternalLeading = fm.height() - font.pixelSize();
    metrics->tmExternalLeading = fm.leading();
    metrics->tmAveCharWidth = fm.averageCharWidth();
    metrics->tmMaxCharWidth = fm.maxWidth();
    metrics->tmWeight = m_state->font ? m_state->font->logFont.lfWeight : FW_NORMAL;
    return TRUE;
}
