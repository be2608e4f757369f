#include "res/SkinPainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstring>

namespace res {
namespace {

// The skin's palette.
const QColor kBase(0x1b, 0x1e, 0x24);
const QColor kRaisedTop(0x3a, 0x40, 0x4b);
const QColor kRaisedBottom(0x24, 0x28, 0x2f);
const QColor kBorder(0x4a, 0x52, 0x60);
const QColor kAccent(0x19, 0xb5, 0xfe);
const QColor kText(0xe6, 0xe9, 0xef);
const QColor kTextDim(0x6b, 0x72, 0x80);
const QColor kGroove(0x0c, 0x0e, 0x11);

enum State { Normal = 0, Hover, Pressed, Checked, CheckedHover, CheckedPressed, Disabled, DisabledChecked };

QColor Accent(const ArtSpec& s) {
    if (s.colour == 0)
        return kAccent;
    return QColor(s.colour & 0xFF, (s.colour >> 8) & 0xFF, (s.colour >> 16) & 0xFF);
}

bool IsChecked(int state) {
    return state == Checked || state == CheckedHover || state == CheckedPressed || state == DisabledChecked;
}
bool IsDisabled(int state) {
    return state == Disabled || state == DisabledChecked;
}

QFont CaptionFont(int height) {
    QFont f;
    f.setFamilies({"Liberation Sans", "Noto Sans CJK SC"});
    f.setPixelSize(std::max(9, std::min(14, height / 2)));
    f.setWeight(QFont::Bold);
    return f;
}

void Caption(QPainter& p, const QRectF& r, const char* text, const QColor& colour, int height) {
    if (!text || !*text)
        return;
    p.setFont(CaptionFont(height));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(text));
}

void Button(QPainter& p, const ArtSpec& s, bool withArrow) {
    const QRectF r(0.5, 0.5, s.width - 1.0, s.height - 1.0);
    const QColor accent = Accent(s);
    const bool checked = IsChecked(s.state), disabled = IsDisabled(s.state);
    const bool pressed = s.state == Pressed || s.state == CheckedPressed;
    const bool hover = s.state == Hover || s.state == CheckedHover;
    QLinearGradient g(0, 0, 0, s.height);
    if (disabled) {
        g.setColorAt(0, QColor(0x2a, 0x2d, 0x33));
        g.setColorAt(1, QColor(0x22, 0x25, 0x2a));
    } else if (checked) {
        g.setColorAt(0, accent.darker(pressed ? 260 : 200));
        g.setColorAt(1, accent.darker(pressed ? 340 : 300));
    } else if (pressed) {
        g.setColorAt(0, kRaisedBottom.darker(120));
        g.setColorAt(1, kRaisedTop.darker(110));
    } else {
        g.setColorAt(0, hover ? kRaisedTop.lighter(125) : kRaisedTop);
        g.setColorAt(1, hover ? kRaisedBottom.lighter(120) : kRaisedBottom);
    }
    const qreal radius = std::min(4.0, std::min(s.width, s.height) / 4.0);
    p.setPen(QPen(disabled ? kBorder.darker(140) : (checked || hover ? accent : kBorder), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    if (checked && !disabled) {
        // A lit strip along the bottom edge marks the on state.
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRect(QRectF(radius, s.height - 3.0, s.width - 2 * radius, 2.0));
    }
    QRectF text = r.adjusted(2, pressed ? 1 : 0, withArrow ? -s.height * 0.8 : -2, pressed ? 1 : 0);
    Caption(p, text, s.caption, disabled ? kTextDim : (checked ? QColor(Qt::white) : kText), s.height);
    if (withArrow) {
        const qreal cx = s.width - s.height * 0.45, cy = s.height / 2.0 + (pressed ? 1 : 0);
        const qreal a = std::max(3.0, s.height / 7.0);
        QPainterPath tri;
        tri.moveTo(cx - a, cy - a / 2);
        tri.lineTo(cx + a, cy - a / 2);
        tri.lineTo(cx, cy + a / 2 + 1);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(disabled ? kTextDim : accent);
        p.drawPath(tri);
    }
}

void Panel(QPainter& p, const ArtSpec& s) {
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, kBase.lighter(118));
    g.setColorAt(1, kBase);
    p.fillRect(QRect(0, 0, s.width, s.height), g);
    p.setPen(QPen(kBorder.darker(130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0));
    Caption(p, QRectF(0, 0, s.width, std::min(24, s.height)), s.caption, kText, 24);
}

void Track(QPainter& p, const ArtSpec& s, bool vertical) {
    p.fillRect(QRect(0, 0, s.width, s.height), kBase);
    const int len = vertical ? s.height : s.width;
    const int across = vertical ? s.width : s.height;
    // Tick marks every tenth of the travel, a longer one in the middle.
    p.setPen(QPen(kTextDim, 1));
    for (int i = 0; i <= 10; ++i) {
        const qreal at = 4 + (len - 9) * i / 10.0 + 0.5;
        const qreal tick = (i == 5) ? across * 0.4 : across * 0.25;
        if (vertical) {
            p.drawLine(QPointF(1, at), QPointF(1 + tick, at));
            p.drawLine(QPointF(s.width - 2 - tick, at), QPointF(s.width - 2, at));
        } else {
            p.drawLine(QPointF(at, 1), QPointF(at, 1 + tick));
            p.drawLine(QPointF(at, s.height - 2 - tick), QPointF(at, s.height - 2));
        }
    }
    const qreal groove = std::max(4.0, across / 6.0);
    QRectF slot = vertical ? QRectF((s.width - groove) / 2, 3, groove, s.height - 6)
                           : QRectF(3, (s.height - groove) / 2, s.width - 6, groove);
    p.setPen(QPen(kBorder.darker(150), 1));
    p.setBrush(kGroove);
    p.drawRoundedRect(slot, groove / 2, groove / 2);
}

void Thumb(QPainter& p, const ArtSpec& s, bool vertical) {
    const bool disabled = IsDisabled(s.state);
    const QColor accent = disabled ? kTextDim : Accent(s);
    QLinearGradient g(0, 0, vertical ? 0 : s.width, vertical ? s.height : 0);
    g.setColorAt(0, QColor(0x8a, 0x90, 0x9a));
    g.setColorAt(0.45, QColor(0x4e, 0x54, 0x5e));
    g.setColorAt(0.55, QColor(0x3e, 0x44, 0x4e));
    g.setColorAt(1, QColor(0x6a, 0x70, 0x7a));
    p.setPen(QPen(QColor(0x10, 0x12, 0x15), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0), 2, 2);
    p.setPen(QPen(s.state == Hover || s.state == Pressed ? accent.lighter(130) : accent, 2));
    if (vertical)
        p.drawLine(QPointF(3, s.height / 2.0), QPointF(s.width - 3, s.height / 2.0));
    else
        p.drawLine(QPointF(s.width / 2.0, 3), QPointF(s.width / 2.0, s.height - 3));
}

void Arrow(QPainter& p, const QRectF& r, int direction, const QColor& c) {
    // direction: 0 up, 1 down, 2 left, 3 right
    const QPointF m = r.center();
    const qreal a = std::max(2.5, std::min(r.width(), r.height()) / 4.0);
    QPainterPath tri;
    switch (direction) {
    case 0:
        tri.moveTo(m.x() - a, m.y() + a / 2);
        tri.lineTo(m.x() + a, m.y() + a / 2);
        tri.lineTo(m.x(), m.y() - a / 2 - 1);
        break;
    case 1:
        tri.moveTo(m.x() - a, m.y() - a / 2);
        tri.lineTo(m.x() + a, m.y() - a / 2);
        tri.lineTo(m.x(), m.y() + a / 2 + 1);
        break;
    case 2:
        tri.moveTo(m.x() + a / 2, m.y() - a);
        tri.lineTo(m.x() + a / 2, m.y() + a);
        tri.lineTo(m.x() - a / 2 - 1, m.y());
        break;
    default:
        tri.moveTo(m.x() - a / 2, m.y() - a);
        tri.lineTo(m.x() - a / 2, m.y() + a);
        tri.lineTo(m.x() + a / 2 + 1, m.y());
        break;
    }
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(tri);
}

void Spin(QPainter& p, const ArtSpec& s, bool horizontal) {
    ArtSpec half = s;
    half.caption = nullptr;
    Button(p, half, false);
    const QColor c = IsDisabled(s.state) ? kTextDim : Accent(s);
    p.setPen(QPen(kBorder, 1));
    if (horizontal) {
        p.drawLine(QPointF(s.width / 2.0, 3), QPointF(s.width / 2.0, s.height - 3));
        Arrow(p, QRectF(0, 0, s.width / 2.0, s.height), 2, c);
        Arrow(p, QRectF(s.width / 2.0, 0, s.width / 2.0, s.height), 3, c);
    } else {
        p.drawLine(QPointF(3, s.height / 2.0), QPointF(s.width - 3, s.height / 2.0));
        Arrow(p, QRectF(0, 0, s.width, s.height / 2.0), 0, c);
        Arrow(p, QRectF(0, s.height / 2.0, s.width, s.height / 2.0), 1, c);
    }
}

// The companion button of a numeric field: three zones split at width / 5.5, arrows in the side
// zones, the state's zone lit (1 left, 2 middle, 3 right); the middle stays dark for the text.
void SpinZones(QPainter& p, const ArtSpec& s) {
    const double z = s.width / 5.5;
    const int left = static_cast<int>(z), right = static_cast<int>(s.width - z);
    const bool disabled = IsDisabled(s.state);
    const QColor accent = Accent(s);
    p.fillRect(QRect(0, 0, s.width, s.height), kGroove);
    const QRect zones[3] = {QRect(0, 0, left, s.height), QRect(left, 0, right - left, s.height),
                            QRect(right, 0, s.width - right, s.height)};
    for (int i = 0; i < 3; ++i) {
        QLinearGradient g(0, 0, 0, s.height);
        const bool lit = !disabled && s.state == i + 1;
        if (lit) {
            g.setColorAt(0, accent.darker(i == 1 ? 260 : 170));
            g.setColorAt(1, accent.darker(i == 1 ? 330 : 240));
        } else {
            g.setColorAt(0, i == 1 ? kBase.lighter(110) : kRaisedTop);
            g.setColorAt(1, i == 1 ? kBase : kRaisedBottom);
        }
        p.fillRect(zones[i], g);
    }
    p.setPen(QPen(kBorder, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(left - 0.5, 2), QPointF(left - 0.5, s.height - 2));
    p.drawLine(QPointF(right + 0.5, 2), QPointF(right + 0.5, s.height - 2));
    p.drawRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0));
    Arrow(p, QRectF(zones[0]), 2, disabled ? kTextDim : (s.state == 1 ? QColor(Qt::white) : accent));
    Arrow(p, QRectF(zones[2]), 3, disabled ? kTextDim : (s.state == 3 ? QColor(Qt::white) : accent));
}

void Led(QPainter& p, const ArtSpec& s) {
    const bool on = IsChecked(s.state);
    const QColor c = Accent(s);
    const QRectF r(1, 1, s.width - 2.0, s.height - 2.0);
    QRadialGradient g(r.center(), r.width() / 2);
    g.setColorAt(0, on ? c.lighter(160) : QColor(0x3a, 0x3e, 0x45));
    g.setColorAt(1, on ? c.darker(130) : QColor(0x1e, 0x21, 0x26));
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x11), 1));
    p.setBrush(g);
    p.drawEllipse(r);
}

void Tab(QPainter& p, const ArtSpec& s) {
    const bool checked = IsChecked(s.state);
    const QColor accent = Accent(s);
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, checked ? kRaisedTop.lighter(110) : kRaisedBottom);
    g.setColorAt(1, checked ? kBase.lighter(118) : kBase);
    p.fillRect(QRect(0, 0, s.width, s.height), g);
    p.setPen(QPen(kBorder, 1));
    p.drawLine(QPointF(0.5, 0), QPointF(0.5, s.height));
    p.drawLine(QPointF(s.width - 0.5, 0), QPointF(s.width - 0.5, s.height));
    if (checked)
        p.fillRect(QRect(0, 0, s.width, 3), accent);
    Caption(p, QRectF(0, 2, s.width, s.height - 2), s.caption,
            IsDisabled(s.state) ? kTextDim : (checked ? QColor(Qt::white) : kText), s.height);
}

} // namespace

QImage PaintArt(const ArtSpec& s) {
    const int w = std::max(1, s.width), h = std::max(1, s.height);
    QImage img(w, h, s.png ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    img.fill(s.png ? QColor(Qt::transparent) : kBase);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const char* role = s.role ? s.role : "";
    auto is = [role](const char* r) { return std::strcmp(role, r) == 0; };
    if (is("button"))
        Button(p, s, false);
    else if (is("combo"))
        Button(p, s, true);
    else if (is("panel"))
        Panel(p, s);
    else if (is("track-v"))
        Track(p, s, true);
    else if (is("track-h"))
        Track(p, s, false);
    else if (is("thumb-v"))
        Thumb(p, s, true);
    else if (is("thumb-h"))
        Thumb(p, s, false);
    else if (is("spin-v"))
        Spin(p, s, false);
    else if (is("spin-h"))
        Spin(p, s, true);
    else if (is("spin-zones"))
        SpinZones(p, s);
    else if (is("led"))
        Led(p, s);
    else if (is("tab"))
        Tab(p, s);
    else if (is("arrow-up") || is("arrow-down") || is("arrow-left") || is("arrow-right")) {
        ArtSpec b = s;
        b.caption = nullptr;
        Button(p, b, false);
        const int dir = is("arrow-up") ? 0 : is("arrow-down") ? 1 : is("arrow-left") ? 2 : 3;
        Arrow(p, QRectF(0, 0, w, h), dir, IsDisabled(s.state) ? kTextDim : Accent(s));
    } else
        Panel(p, s);
    p.end();
    return img;
}

} // namespace res
