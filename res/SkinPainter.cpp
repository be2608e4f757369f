#include "res/SkinPainter.h"

#include "res/LevelPageArt.h"
#include "res/MixerArt.h"
#include "res/OutputPageArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <cmath>
#include <cstring>
#include <numbers>

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
// The title band of the main view and the controls that sit on it.
const QColor kHeader(0x25, 0x2a, 0x32);
const QColor kLampOn(0x3d, 0xdc, 0x84);
const QColor kLampOff(0xe5, 0x48, 0x4d);
const QColor kAmber(0xff, 0xa5, 0x00);
// The light face of the small dialogs (their dialog brush), behind the art placed on them.
const QColor kDialog(0xe3, 0xe4, 0xee);

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
        g.setColorAt(0, accent.darker(pressed ? 260 : hover ? 170 : 200));
        g.setColorAt(1, accent.darker(pressed ? 340 : hover ? 250 : 300));
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
    // Tick marks every tenth of the travel, a longer one in the middle; a short fader has no
    // room for them.
    p.setPen(QPen(kTextDim, 1));
    for (int i = 0; i <= 10 && len >= 60; ++i) {
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

// --- the main view and its dialogs -----------------------------------------------------------

QFont TextFont(int pixels, QFont::Weight weight) {
    QFont f;
    f.setFamilies({"Liberation Sans", "Noto Sans CJK SC"});
    f.setPixelSize(pixels);
    f.setWeight(weight);
    return f;
}

// The composite images carry several texts in one caption, split at '|'.
QStringList Texts(const char* caption) {
    return QString::fromUtf8(caption ? caption : "").split(QLatin1Char('|'));
}

enum class Glyph {
    None,
    LockOpen,
    LockClosed,
    Presets,
    Gear,
    Faders,
    Speaker,
    LampOn,
    LampOff,
    Globe,
    Power,
    Chain
};

void Power(QPainter& p, const QRectF& box, const QColor& c);
void Chain(QPainter& p, const QRectF& box, const QColor& c);

void Padlock(QPainter& p, const QRectF& box, bool closed, const QColor& c) {
    const qreal w = box.width(), h = box.height();
    // Open: the body moves left and the shackle swings right, its free leg outside the body.
    const QRectF body(box.left() + w * (closed ? 0.14 : 0.02), box.top() + h * 0.46,
                      w * (closed ? 0.72 : 0.66), h * 0.54);
    const qreal pen = std::max(1.4, w / 7.5);
    const qreal sw = w * 0.46;
    const qreal sx = closed ? body.center().x() - sw / 2 : body.right() - sw * 0.42;
    const qreal top = box.top() + pen / 2;
    QPainterPath shackle;
    shackle.moveTo(sx, body.top());
    shackle.lineTo(sx, top + sw / 2);
    shackle.arcTo(QRectF(sx, top, sw, sw), 180, -180);
    shackle.lineTo(sx + sw, closed ? body.top() : top + sw / 2 + h * 0.08);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, pen, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(body, w * 0.1, w * 0.1);
    p.setBrush(kGroove);
    const qreal k = std::max(1.0, w / 10.0);
    p.drawEllipse(QPointF(body.center().x(), body.center().y() - k * 0.3), k, k);
    p.drawRect(QRectF(body.center().x() - k * 0.45, body.center().y(), k * 0.9, body.height() * 0.28));
}

void Gear(QPainter& p, const QRectF& box, const QColor& c) {
    const QPointF m = box.center();
    const qreal ro = std::min(box.width(), box.height()) / 2, ri = ro * 0.74;
    constexpr int kTeeth = 8;
    const qreal step = 2 * std::numbers::pi / kTeeth;
    QPainterPath g;
    g.setFillRule(Qt::OddEvenFill);
    auto at = [&m](qreal r, qreal a) { return QPointF(m.x() + r * std::cos(a), m.y() + r * std::sin(a)); };
    for (int k = 0; k < kTeeth; ++k) {
        const qreal a = k * step;
        const QPointF pts[4] = {at(ri, a - 0.32 * step), at(ro, a - 0.17 * step), at(ro, a + 0.17 * step),
                                at(ri, a + 0.32 * step)};
        for (int i = 0; i < 4; ++i) {
            if (k == 0 && i == 0)
                g.moveTo(pts[i]);
            else
                g.lineTo(pts[i]);
        }
    }
    g.closeSubpath();
    g.addEllipse(m, ro * 0.32, ro * 0.32);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(g);
}

void Faders(QPainter& p, const QRectF& box, const QColor& c) {
    const qreal knob[3] = {0.32, 0.68, 0.48};
    const qreal pen = std::max(1.2, box.width() / 12.0);
    for (int i = 0; i < 3; ++i) {
        const qreal x = box.left() + box.width() * (0.18 + 0.32 * i);
        p.setPen(QPen(c.darker(140), pen, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, box.top() + pen), QPointF(x, box.bottom() - pen));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const qreal kw = box.width() * 0.26, kh = box.height() * 0.2;
        p.drawRoundedRect(QRectF(x - kw / 2, box.top() + box.height() * knob[i] - kh / 2, kw, kh), 1, 1);
    }
}

void Presets(QPainter& p, const QRectF& box, const QColor& c) {
    // A list of stored settings: three rows with a marker each, the first lit.
    const qreal rowH = box.height() / 3.0, pen = std::max(1.4, box.height() / 9.0);
    for (int i = 0; i < 3; ++i) {
        const qreal y = box.top() + rowH * (i + 0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? c : c.darker(150));
        p.drawRect(QRectF(box.left(), y - pen, pen * 2, pen * 2));
        p.setPen(QPen(i == 0 ? c : c.darker(150), pen, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(box.left() + pen * 3.5, y), QPointF(box.right(), y));
    }
}

void Speaker(QPainter& p, const QRectF& box, const QColor& c) {
    const qreal w = box.width(), h = box.height(), x = box.left(), y = box.top();
    QPainterPath cone;
    cone.moveTo(x + w * 0.08, y + h * 0.36);
    cone.lineTo(x + w * 0.28, y + h * 0.36);
    cone.lineTo(x + w * 0.52, y + h * 0.12);
    cone.lineTo(x + w * 0.52, y + h * 0.88);
    cone.lineTo(x + w * 0.28, y + h * 0.64);
    cone.lineTo(x + w * 0.08, y + h * 0.64);
    cone.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, std::max(1.2, w / 12.0), Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 2; ++i) {
        const qreal r = w * 0.16 * i;
        p.drawArc(QRectF(x + w * 0.56 - r, y + h / 2 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

void Lamp(QPainter& p, const QRectF& box, const QColor& c, bool lit) {
    const QPointF m = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2;
    if (lit) {
        QRadialGradient halo(m, r);
        halo.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 110));
        halo.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(m, r, r);
    }
    QRadialGradient g(QPointF(m.x() - r * 0.2, m.y() - r * 0.2), r * 0.6);
    g.setColorAt(0, lit ? c.lighter(150) : c.darker(170));
    g.setColorAt(1, lit ? c : c.darker(260));
    p.setPen(QPen(kGroove, 1));
    p.setBrush(g);
    p.drawEllipse(m, r * 0.58, r * 0.58);
}

void Globe(QPainter& p, const QRectF& box, const QColor& c) {
    const QPointF m = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2 - 0.8;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 1.2));
    p.drawEllipse(m, r, r);
    p.drawEllipse(m, r * 0.45, r);
    p.drawLine(QPointF(m.x() - r, m.y()), QPointF(m.x() + r, m.y()));
    p.drawLine(QPointF(m.x() - r * 0.85, m.y() - r * 0.5), QPointF(m.x() + r * 0.85, m.y() - r * 0.5));
    p.drawLine(QPointF(m.x() - r * 0.85, m.y() + r * 0.5), QPointF(m.x() + r * 0.85, m.y() + r * 0.5));
}

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& c) {
    switch (glyph) {
    case Glyph::LockOpen:
    case Glyph::LockClosed:
        Padlock(p, box, glyph == Glyph::LockClosed, c);
        break;
    case Glyph::Presets:
        Presets(p, box, c);
        break;
    case Glyph::Gear:
        Gear(p, box, c);
        break;
    case Glyph::Faders:
        Faders(p, box, c);
        break;
    case Glyph::Speaker:
        Speaker(p, box, c);
        break;
    case Glyph::LampOn:
        Lamp(p, box, kLampOn, true);
        break;
    case Glyph::LampOff:
        Lamp(p, box, kLampOff, true);
        break;
    case Glyph::Globe:
        Globe(p, box, c);
        break;
    case Glyph::Power:
        Power(p, box, c);
        break;
    case Glyph::Chain:
        Chain(p, box, c);
        break;
    case Glyph::None:
        break;
    }
}

// A button of the title band: the band colour behind the rounded face, an optional glyph and the
// caption, centred together.
// glyphScale sizes the glyph by the height; offGlyph, when valid, colours the glyph of the released
// looks (a power sign that is only lit while on).
void GlyphButton(QPainter& p, const ArtSpec& s, Glyph glyph, const QColor& backdrop, qreal glyphScale = 0.5,
                 const QColor& offGlyph = QColor()) {
    p.fillRect(QRect(0, 0, s.width, s.height), backdrop);
    ArtSpec face = s;
    face.caption = nullptr;
    Button(p, face, false);
    const bool disabled = IsDisabled(s.state), checked = IsChecked(s.state);
    const bool pressed = s.state == Pressed || s.state == CheckedPressed;
    const QString text = QString::fromUtf8(s.caption ? s.caption : "");
    const QFont font = CaptionFont(s.height);
    const qreal g = glyph == Glyph::None ? 0.0 : std::round(s.height * glyphScale);
    const qreal tw = text.isEmpty() ? 0.0 : QFontMetricsF(font).horizontalAdvance(text);
    const qreal gap = (g > 0 && tw > 0) ? 6.0 : 0.0;
    qreal x = std::round((s.width - (g + gap + tw)) / 2);
    const qreal dy = pressed ? 1.0 : 0.0;
    const QColor accent = Accent(s);
    if (g > 0)
        DrawGlyph(p, glyph, QRectF(x, (s.height - g) / 2 + dy, g, g),
                  disabled ? kTextDim
                           : (checked ? accent.lighter(130) : (offGlyph.isValid() ? offGlyph : accent)));
    x += g + gap;
    if (tw > 0) {
        p.setFont(font);
        p.setPen(disabled ? kTextDim : (checked ? QColor(Qt::white) : kText));
        p.drawText(QRectF(x, dy, tw + 2, s.height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   text);
    }
}

void ComboOn(QPainter& p, const ArtSpec& s, const QColor& backdrop) {
    p.fillRect(QRect(0, 0, s.width, s.height), backdrop);
    Button(p, s, true);
}

// Minimise and close: a bare glyph on the band, a lit plate under the pointer.
void TitleButton(QPainter& p, const ArtSpec& s, bool close) {
    const int w = s.width, h = s.height;
    p.fillRect(QRect(0, 0, w, h), kHeader);
    const bool hot = s.state == Hover || s.state == Pressed;
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(close ? QColor(0xc8, 0x32, 0x2c) : kRaisedTop.lighter(120));
        p.drawRoundedRect(QRectF(0, 0, w, h), 3, 3);
    }
    const QPointF m(w / 2.0, h / 2.0);
    const qreal a = std::min(w, h) * 0.24;
    p.setPen(QPen(hot ? QColor(Qt::white) : kText.darker(112), 1.6, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        p.drawLine(QPointF(m.x() - a, m.y() - a), QPointF(m.x() + a, m.y() + a));
        p.drawLine(QPointF(m.x() - a, m.y() + a), QPointF(m.x() + a, m.y() - a));
    } else {
        p.drawLine(QPointF(m.x() - a, m.y() + a * 0.6), QPointF(m.x() + a, m.y() + a * 0.6));
    }
}

// The plate behind a text the control writes itself (the preset name): a recessed display.
void Plate(QPainter& p, const ArtSpec& s) {
    const QRectF r(0.5, 0.5, s.width - 1.0, s.height - 1.0);
    p.fillRect(QRect(0, 0, s.width, s.height), kHeader);
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, kGroove);
    g.setColorAt(1, kBase);
    p.setPen(QPen(IsChecked(s.state) ? Accent(s).darker(130) : kBorder.darker(130), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    if (IsChecked(s.state)) {
        p.setPen(Qt::NoPen);
        p.setBrush(Accent(s));
        p.drawRect(QRectF(2, 3, 2, s.height - 6.0));
    }
}

void LanguagePicture(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kHeader);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(kRaisedBottom);
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0), 4, 4);
    const qreal g = s.height * 0.6;
    Globe(p, QRectF(6, (s.height - g) / 2, g, g), Accent(s));
    p.setFont(TextFont(std::max(9, s.height / 2), QFont::DemiBold));
    p.setPen(kText);
    p.drawText(QRectF(g + 10, 0, s.width - g - 14, s.height), Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromUtf8(s.caption ? s.caption : ""));
}

// The eight outputs as level bars: the product's mark on the emblem and the icons.
void OutputBars(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom) {
    const qreal level[8] = {0.42, 0.66, 0.9, 0.58, 0.78, 0.5, 0.72, 0.36};
    const qreal bw = box.width() / 8.0;
    QLinearGradient g(0, box.top(), 0, box.bottom());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    for (int i = 0; i < 8; ++i) {
        const qreal hgt = box.height() * level[i];
        p.drawRoundedRect(QRectF(box.left() + i * bw + bw * 0.16, box.bottom() - hgt, bw * 0.68, hgt),
                          bw * 0.2, bw * 0.2);
    }
}

// The main view's 1280 x 720 skin: the title band (product name, the captions of the two lists, a
// frame for the link indicator) over the page area. Caption: "product|input list|phone list".
void Background(QPainter& p, const ArtSpec& s) {
    constexpr int kBand = 63;
    const int w = s.width, h = s.height;
    const QStringList t = Texts(s.caption);
    QLinearGradient page(0, kBand + 1, 0, h);
    page.setColorAt(0, kBase.lighter(115));
    page.setColorAt(0.2, kBase);
    page.setColorAt(1, kBase.darker(115));
    p.fillRect(QRect(0, kBand + 1, w, h - kBand - 1), page);
    p.fillRect(QRect(0, 0, w, kBand), kHeader);
    p.fillRect(QRect(0, 0, w, 2), kAccent.darker(120));
    p.fillRect(QRect(0, kBand - 1, w, 1), kHeader.lighter(118));
    p.fillRect(QRect(0, kBand, w, 1), kGroove);

    // Product name at the top left, its series part in the accent colour.
    const QString product = t.value(0);
    const int dash = product.indexOf(QLatin1Char('-'));
    const QFont name = TextFont(20, QFont::Bold);
    p.setFont(name);
    const QString head = dash > 0 ? product.left(dash) : product,
                  tail = dash > 0 ? product.mid(dash) : QString();
    p.setPen(kText);
    p.drawText(QPointF(12, 25), head);
    p.setPen(kAccent);
    p.drawText(QPointF(12 + QFontMetricsF(name).horizontalAdvance(head), 25), tail);

    // The captions left of the input-type list (x 8..66) and the phone list (x 210..286).
    p.setFont(TextFont(13, QFont::DemiBold));
    p.setPen(kText.darker(125));
    p.drawText(QRectF(8, 34, 56, 26), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, t.value(1));
    p.drawText(QRectF(210, 34, 74, 26), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, t.value(2));

    // A recess around the link indicator (520, 36, 200 x 22).
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGroove, 1));
    p.drawRoundedRect(QRectF(517.5, 33.5, 205, 27), 4, 4);
    p.setPen(QPen(kHeader.lighter(125), 1));
    p.drawLine(QPointF(520, 61.5), QPointF(720, 61.5));
}

// The cover of the locked tuning data: a padlock and one line of text.
void Cover(QPainter& p, const ArtSpec& s) {
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, kBase.lighter(118));
    g.setColorAt(1, kBase);
    p.fillRect(QRect(0, 0, s.width, s.height), g);
    p.setPen(QPen(kBorder.darker(130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0));
    const qreal lock = std::min(120.0, s.height * 0.3);
    const QPointF m(s.width / 2.0, s.height / 2.0);
    QRadialGradient glow(QPointF(m.x(), m.y() - lock * 0.3), lock * 1.4);
    glow.setColorAt(0, QColor(0xff, 0xa5, 0x00, 40));
    glow.setColorAt(1, QColor(0xff, 0xa5, 0x00, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(m.x(), m.y() - lock * 0.3), lock * 1.4, lock * 1.4);
    Padlock(p, QRectF(m.x() - lock * 0.4, m.y() - lock * 0.95, lock * 0.8, lock), true, Accent(s));
    p.setFont(TextFont(std::max(12, s.height / 15), QFont::Bold));
    p.setPen(kText);
    p.drawText(QRectF(0, m.y() + lock * 0.3, s.width, s.height / 8.0),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
               QString::fromUtf8(s.caption ? s.caption : ""));
}

// The picture of the about box: the output bars in a framed tile over the product name.
void Emblem(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kDialog);
    const QRectF r(0.5, 0.5, s.width - 1.0, s.height - 1.0);
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, kRaisedTop);
    g.setColorAt(1, kBase);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 8, 8);
    const qreal textH = s.height * 0.24;
    OutputBars(p, QRectF(s.width * 0.14, s.height * 0.14, s.width * 0.72, s.height - textH - s.height * 0.2),
               Accent(s).lighter(130), Accent(s).darker(160));
    p.setFont(TextFont(std::max(9, static_cast<int>(textH * 0.6)), QFont::Bold));
    p.setPen(kText);
    p.drawText(QRectF(0, s.height - textH - 2, s.width, textH), Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromUtf8(s.caption ? s.caption : ""));
}

// The program icon (alpha): white output bars on an accent tile.
void Icon(QPainter& p, const ArtSpec& s) {
    const qreal w = s.width, h = s.height;
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, Accent(s).darker(115));
    g.setColorAt(1, Accent(s).darker(260));
    p.setPen(QPen(kGroove, std::max(1.0, w / 32.0)));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(w * 0.04, h * 0.04, w * 0.92, h * 0.92), w * 0.2, h * 0.2);
    OutputBars(p, QRectF(w * 0.17, h * 0.2, w * 0.66, h * 0.6), QColor(Qt::white), QColor(0xd8, 0xee, 0xff));
}

struct GlyphRole {
    const char* role;
    Glyph glyph;
};
// Title-band buttons: "bar-button" has the caption only, the others a glyph before it.
const GlyphRole kBarRoles[] = {
    {"bar-button", Glyph::None},
    {"bar-lock-open", Glyph::LockOpen},
    {"bar-lock-closed", Glyph::LockClosed},
    {"bar-presets", Glyph::Presets},
    {"bar-settings", Glyph::Gear},
    {"bar-mixer", Glyph::Faders},
    {"bar-speaker", Glyph::Speaker},
    {"bar-link-on", Glyph::LampOn},
    {"bar-link-off", Glyph::LampOff},
};

const GlyphRole* FindBarRole(const char* role) {
    for (const GlyphRole& r : kBarRoles)
        if (std::strcmp(r.role, role) == 0)
            return &r;
    return nullptr;
}

// --- the output page and its strips ----------------------------------------------------------

// The panels of the page and the strips: flat, so the buttons on them (drawn over this colour)
// sit seamlessly.
const QColor kPanel(0x22, 0x26, 0x2d);
const QColor kPanelEdge(0x34, 0x3a, 0x44);
const QColor kCaption(0x9a, 0xa3, 0xb2);

void Power(QPainter& p, const QRectF& box, const QColor& c) {
    const QPointF m = box.center();
    const qreal r = std::min(box.width(), box.height()) * 0.42;
    const qreal pen = std::max(1.4, r / 3.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(m.x() - r, m.y() - r + pen * 0.3, 2 * r, 2 * r), 125 * 16, 290 * 16);
    p.drawLine(QPointF(m.x(), m.y() - r - pen * 0.2), QPointF(m.x(), m.y() - r * 0.1));
}

void Chain(QPainter& p, const QRectF& box, const QColor& c) {
    const qreal h = std::min(box.height() * 0.62, box.width() * 0.34);
    const qreal w = std::min(box.width() * 0.56, h * 2.0);
    const qreal pen = std::max(1.4, h / 4.0);
    const QPointF m = box.center();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, pen));
    p.drawRoundedRect(QRectF(m.x() - w + w * 0.28, m.y() - h / 2, w, h), h / 2, h / 2);
    p.drawRoundedRect(QRectF(m.x() - w * 0.28, m.y() - h / 2, w, h), h / 2, h / 2);
}

QFont SmallFont(int pixels, QFont::Weight weight = QFont::DemiBold) {
    QFont f = TextFont(pixels, weight);
    f.setLetterSpacing(QFont::AbsoluteSpacing, pixels > 10 ? 0.6 : 0.3);
    return f;
}

// A flat panel with an optional caption in its top band (an accent tick before the text).
void PagePanel(QPainter& p, const outpage::Box& b, const QString& caption, const QColor& accent) {
    const QRectF r(b.x + 0.5, b.y + 0.5, b.width - 1.0, b.height - 1.0);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kPanel);
    p.drawRect(r);
    // A lighter top edge gives the panel a slight lift off the page.
    p.setPen(QPen(kPanelEdge.lighter(125), 1));
    p.drawLine(QPointF(b.x + 1, b.y + 0.5), QPointF(b.x + b.width - 1, b.y + 0.5));
    if (caption.isEmpty())
        return;
    p.fillRect(QRectF(b.x + 6, b.y + 4, 3, 10), accent);
    p.setFont(SmallFont(11, QFont::Bold));
    p.setPen(kCaption);
    p.drawText(QRectF(b.x + 14, b.y + 2, b.width - 20, 14),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

// A recess for a text the control writes over the skin.
void Well(QPainter& p, const outpage::Box& b) {
    p.setPen(QPen(kGroove.lighter(160), 1));
    p.setBrush(kGroove.lighter(120));
    p.drawRoundedRect(QRectF(b.x - 0.5, b.y - 0.5, b.width + 1.0, b.height + 1.0), 3, 3);
}

// The car seen from above, front up, inside box.
void Car(QPainter& p, const outpage::Box& b) {
    const QRectF body(b.x, b.y, b.width, b.height);
    const QColor line = kPanelEdge.lighter(150);
    // Wheels under the body.
    p.setPen(Qt::NoPen);
    p.setBrush(kGroove);
    const qreal ww = 8, wh = 26;
    for (qreal y : {b.y + 26.0, b.y + b.height - 52.0}) {
        p.drawRoundedRect(QRectF(b.x - 4, y, ww, wh), 2, 2);
        p.drawRoundedRect(QRectF(b.x + b.width - 4, y, ww, wh), 2, 2);
    }
    QLinearGradient g(body.left(), 0, body.right(), 0);
    g.setColorAt(0, kPanel.lighter(118));
    g.setColorAt(0.5, kPanel.lighter(138));
    g.setColorAt(1, kPanel.lighter(118));
    p.setPen(QPen(line, 1.4));
    p.setBrush(g);
    p.drawRoundedRect(body, b.width * 0.3, b.width * 0.36);
    // Windscreen, roof and rear window.
    QPainterPath screen;
    screen.moveTo(b.x + 10, b.y + 56);
    screen.quadTo(b.x + b.width / 2.0, b.y + 40, b.x + b.width - 10, b.y + 56);
    screen.lineTo(b.x + b.width - 16, b.y + 74);
    screen.quadTo(b.x + b.width / 2.0, b.y + 66, b.x + 16, b.y + 74);
    screen.closeSubpath();
    p.setBrush(kGroove.lighter(140));
    p.setPen(QPen(line, 1));
    p.drawPath(screen);
    QPainterPath rear;
    rear.moveTo(b.x + 16, b.y + 136);
    rear.quadTo(b.x + b.width / 2.0, b.y + 131, b.x + b.width - 16, b.y + 136);
    rear.lineTo(b.x + b.width - 12, b.y + 150);
    rear.quadTo(b.x + b.width / 2.0, b.y + 156, b.x + 12, b.y + 150);
    rear.closeSubpath();
    p.drawPath(rear);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPanelEdge.lighter(120), 1));
    p.drawRoundedRect(QRectF(b.x + 15, b.y + 78, b.width - 30, 54), 6, 6);
    // Bonnet and boot lines.
    p.drawLine(QPointF(b.x + 18, b.y + 14), QPointF(b.x + 26, b.y + 44));
    p.drawLine(QPointF(b.x + b.width - 18, b.y + 14), QPointF(b.x + b.width - 26, b.y + 44));
    p.drawLine(QPointF(b.x + 14, b.y + b.height - 22), QPointF(b.x + b.width - 14, b.y + b.height - 22));
    // Mirrors.
    p.setPen(QPen(line, 1));
    p.setBrush(kPanel.lighter(118));
    p.drawRoundedRect(QRectF(b.x - 7, b.y + 62, 8, 6), 2, 2);
    p.drawRoundedRect(QRectF(b.x + b.width - 1, b.y + 62, 8, 6), 2, 2);
}

// Faint rings where the position icons can stand (the centre pair spots dotted).
void IconSpots(QPainter& p) {
    const qreal r = outpage::kIconSize / 2.0 - 0.5;
    p.setBrush(kPanel.darker(112));
    p.setPen(QPen(kPanelEdge.lighter(118), 1));
    for (const outpage::Spot& s : outpage::kIconSpots)
        p.drawEllipse(QPointF(s.x, s.y), r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPanelEdge.lighter(118), 1, Qt::DotLine));
    for (const outpage::Spot& s : {outpage::kCentrePairLeft, outpage::kCentrePairRight})
        p.drawEllipse(QPointF(s.x, s.y), r, r);
}

// Only the rows that stay put in every layout are captioned: the PEQ/GEQ switch moves the gain
// edit and the fader up into the frequency and Q rows, so a caption there would mislabel them.
void EqCaptions(QPainter& p, const QStringList& t) {
    using namespace outpage;
    p.setFont(SmallFont(10));
    p.setPen(kCaption.darker(115));
    const int x = kEqPanel.x + 2, w = kEqColumnX - x - 4;
    p.drawText(QRectF(x, kEqLabelY, w, 14), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               t.value(6));
    p.drawText(QRectF(x, kEqBypassY, w, 14), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               t.value(7));
    // The EQ commands' column, right of the last band's place in the ten-band layout too.
    p.setPen(QPen(kPanelEdge.lighter(110), 1));
    p.drawLine(QPointF(kPeqGeqButton.x - 1.5, kEqPanel.y + 6),
               QPointF(kPeqGeqButton.x - 1.5, kEqPanel.y + kEqPanel.height - 6));
}

// The output page, 1280 x 656: caption "map|crossover|HPF|LPF|level|delay unit|band|bypass|locked
// note"; state Checked draws the locked variant (EQ, crossover and graph areas empty,
// a padlock and the note in their place).
void PageBackground(QPainter& p, const ArtSpec& s) {
    using namespace outpage;
    const QStringList t = Texts(s.caption);
    const bool locked = IsChecked(s.state);
    p.fillRect(QRect(0, 0, s.width, s.height), kBase);
    // A soft darker foot under the strips.
    QLinearGradient foot(0, kStripY - 8, 0, s.height);
    foot.setColorAt(0, kBase);
    foot.setColorAt(1, kBase.darker(118));
    p.fillRect(QRect(0, kStripY - 8, s.width, s.height - kStripY + 8), foot);

    PagePanel(p, kMapPanel, t.value(0), kAccent);
    Car(p, kCar);
    if (!locked)
        IconSpots(p);
    PagePanel(p, kLevelPanel, t.value(4), kAccent);
    Well(p, {kLevelEdit.x, kLevelEdit.y, kLevelEdit.width + kLevelSpin.width, kLevelEdit.height});
    p.setFont(SmallFont(10));
    p.setPen(kCaption.darker(115));
    p.drawText(QRectF(kDelayUnitMsButton.x, kDelayUnitMsButton.y - 16, 114, 14),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.value(5));

    PagePanel(p, kCrossoverPanel, locked ? QString() : t.value(1), kAccent);
    if (!locked) {
        PagePanel(p, kGraphPanel, QString(), kAccent);
        PagePanel(p, kEqPanel, QString(), kAccent);
        PagePanel(p, kTogglePanel, QString(), kAccent);
        // The graph's own black face, a groove around it.
        p.fillRect(QRect(kGraph.x, kGraph.y, kGraph.width, kGraph.height), Qt::black);
        p.setPen(QPen(kGroove, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(kGraph.x - 1.5, kGraph.y - 1.5, kGraph.width + 2.0, kGraph.height + 2.0));
        // The high-pass and low-pass rows: a tag each, a rule between them.
        for (int i = 0; i < 2; ++i) {
            const Box& b = i == 0 ? kHpfLabel : kLpfLabel;
            p.setPen(QPen(kAccent.darker(170), 1));
            p.setBrush(kAccent.darker(420));
            p.drawRoundedRect(QRectF(b.x + 0.5, b.y + 0.5, b.width - 1.0, b.height - 1.0), 3, 3);
            p.setFont(SmallFont(10, QFont::Bold));
            p.setPen(kAccent.lighter(120));
            p.drawText(QRectF(b.x, b.y, b.width, b.height), Qt::AlignCenter | Qt::TextSingleLine,
                       t.value(2 + i));
        }
        p.setPen(QPen(kPanelEdge, 1));
        const qreal rule = (kHpfLabel.y + kLpfLabel.y) / 2.0 + 10.5;
        p.drawLine(QPointF(kCrossoverPanel.x + 8, rule),
                   QPointF(kCrossoverPanel.x + kCrossoverPanel.width - 8, rule));
        EqCaptions(p, t);
    } else {
        // One panel over the graph, the toggles and the bands; the PEQ/GEQ button stays in its
        // column, the rest carries the note.
        const Box merged{kGraphPanel.x, kGraphPanel.y, kEqPanel.x + kEqPanel.width - kGraphPanel.x,
                         kEqPanel.y + kEqPanel.height - kGraphPanel.y};
        PagePanel(p, merged, QString(), kAccent);
        const QRectF area(merged.x, merged.y, kPeqGeqButton.x - 8 - merged.x, merged.height);
        const QColor accent = Accent(s);
        const qreal lock = 64;
        const QPointF m = area.center();
        QRadialGradient glow(m, lock * 2.2);
        glow.setColorAt(0, QColor(accent.red(), accent.green(), accent.blue(), 36));
        glow.setColorAt(1, QColor(accent.red(), accent.green(), accent.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(m, lock * 2.2, lock * 2.2);
        Padlock(p, QRectF(m.x() - lock * 0.4, m.y() - lock * 0.9, lock * 0.8, lock), true, accent);
        p.setFont(TextFont(18, QFont::Bold));
        p.setPen(kText);
        p.drawText(QRectF(area.left(), m.y() + lock * 0.3, area.width(), 28),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, t.value(8));
    }
}

// The strip, 120 x 210: caption "level|delay" over the wells of the level and delay fields.
void StripBackground(QPainter& p, const ArtSpec& s) {
    using namespace outpage;
    const QStringList t = Texts(s.caption);
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0));
    p.setPen(QPen(kPanelEdge.lighter(125), 1));
    p.drawLine(QPointF(1, 0.5), QPointF(s.width - 1, 0.5));
    // Rules under the select and position buttons and under the on and polarity buttons.
    p.setPen(QPen(kPanelEdge, 1));
    const qreal under = kStripOnButton.y + kStripOnButton.height + 2.5;
    p.drawLine(QPointF(6, under), QPointF(s.width - 6, under));
    for (const auto& [edit, spin] :
         {std::pair{kStripLevelEdit, kStripLevelSpin}, std::pair{kStripDelayEdit, kStripDelaySpin}})
        Well(p, {edit.x, edit.y, edit.width + spin.width, edit.height});
    p.setFont(SmallFont(10, QFont::Bold));
    p.setPen(kCaption);
    for (int i = 0; i < 2; ++i) {
        const Box& edit = i == 0 ? kStripLevelEdit : kStripDelayEdit;
        p.drawText(QRectF(edit.x, edit.y - 17, s.width - edit.x - 4, 14),
                   Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, t.value(i));
    }
}

// A vertical fader channel over the panel colour: tick marks over the thumb's travel (thumb of
// thumbH pixels, travel from near to the far margin), a groove at groove x, lit in the accent
// for the checked state.
void Channel(QPainter& p, const ArtSpec& s, qreal grooveX, int thumbH, int nearMargin, int farMargin,
             int ticks, qreal tickLeft, qreal tickRight) {
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    const qreal top = nearMargin + thumbH / 2.0, travel = s.height - nearMargin - farMargin - thumbH;
    for (int i = 0; i <= ticks; ++i) {
        const qreal y = std::round(top + travel * i / ticks) + 0.5;
        const bool major = i == 0 || i == ticks || 2 * i == ticks;
        p.setPen(QPen(major ? kTextDim : kPanelEdge.lighter(130), 1));
        const qreal inset = major ? 0 : (tickRight - tickLeft) * 0.25;
        p.drawLine(QPointF(tickLeft + inset, y), QPointF(grooveX - 3, y));
        p.drawLine(QPointF(grooveX + 3, y), QPointF(tickRight - inset, y));
    }
    const qreal gw = 4;
    const QRectF groove(grooveX - gw / 2, top - 2, gw, travel + 4);
    p.setPen(QPen(kBorder.darker(150), 1));
    p.setBrush(kGroove);
    p.drawRoundedRect(groove, gw / 2, gw / 2);
    if (IsChecked(s.state)) {
        p.setPen(Qt::NoPen);
        p.setBrush(Accent(s).darker(170));
        p.drawRoundedRect(groove.adjusted(1, 1, -1, -1), 1, 1);
    }
}

// The band faders, 20 px wide, thumb 10 high, no margins; "first" marks band 1 (the scale's edge).
void EqTrack(QPainter& p, const ArtSpec& s) {
    Channel(p, s, s.width / 2.0, 10, 0, 0, 8, 2, s.width - 2);
    if (s.caption) {
        p.setPen(QPen(Accent(s).darker(120), 1));
        p.drawLine(QPointF(0.5, 4), QPointF(0.5, s.height - 4.0));
    }
}

// The level group's faders (source and subwoofer), thumb 12 high.
void LevelTrack(QPainter& p, const ArtSpec& s) {
    Channel(p, s, s.width / 2.0, 12, 0, 0, 10, 2, s.width - 2);
}

// The strip's fader: a 25 px scale in dB (0 at the top, -60 at the bottom) left of the thumb.
void StripTrack(QPainter& p, const ArtSpec& s) {
    constexpr int kScale = 25, kThumbH = 12, kFar = 2;
    const qreal grooveX = kScale + (s.width - kScale - 1) / 2.0;
    Channel(p, s, grooveX, kThumbH, 0, kFar, 6, kScale, s.width - 2);
    const qreal top = kThumbH / 2.0, travel = s.height - kFar - kThumbH;
    p.setFont(SmallFont(8, QFont::Normal));
    p.setPen(kCaption.darker(110));
    for (int i = 0; i <= 6; ++i) {
        const qreal y = top + travel * i / 6.0;
        p.drawText(QRectF(0, y - 6, kScale - 3, 12), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::number(-10 * i));
    }
}

// The band bypass: a small lamp, lit while bypassed.
void LampButton(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    ArtSpec face = s;
    face.caption = nullptr;
    face.state = s.state == Hover || s.state == CheckedHover ? Hover : Normal;
    Button(p, face, false);
    const bool lit = IsChecked(s.state);
    const QColor c = Accent(s);
    const QPointF m(s.width / 2.0, s.height / 2.0);
    const qreal r = std::min(s.width, s.height) * 0.26;
    if (lit) {
        QRadialGradient halo(m, r * 2.2);
        halo.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 120));
        halo.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(m, r * 2.2, r * 1.6);
    }
    QRadialGradient g(QPointF(m.x() - r * 0.3, m.y() - r * 0.3), r);
    g.setColorAt(0, lit ? c.lighter(160) : QColor(0x4a, 0x50, 0x5a));
    g.setColorAt(1, lit ? c : QColor(0x26, 0x2a, 0x31));
    p.setPen(QPen(kGroove, 1));
    p.setBrush(g);
    p.drawEllipse(m, r, r);
}

// A recessed display plate with its text in the accent colour (pictures used as labels).
void Display(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    QLinearGradient g(0, 0, 0, s.height);
    g.setColorAt(0, kGroove);
    g.setColorAt(1, kGroove.lighter(140));
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0), 3, 3);
    // The largest size up to 12 px that fits the plate.
    const QString text = QString::fromUtf8(s.caption ? s.caption : "");
    int size = std::max(9, std::min(12, s.height / 2 + 1));
    while (size > 8 && QFontMetricsF(SmallFont(size, QFont::Bold)).horizontalAdvance(text) > s.width - 6)
        --size;
    p.setFont(SmallFont(size, QFont::Bold));
    p.setPen(Accent(s).lighter(115));
    p.drawText(QRectF(2, 0, s.width - 4, s.height), Qt::AlignCenter | Qt::TextSingleLine, text);
}

// Polarity picture: one period of a sine, upside down for the inverted look.
void Wave(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    const qreal mid = s.height / 2.0, amp = s.height * 0.34;
    p.setPen(QPen(kPanelEdge.lighter(120), 1));
    p.drawLine(QPointF(2, mid), QPointF(s.width - 2, mid));
    QPainterPath wave;
    const bool inverted = IsChecked(s.state);
    for (int x = 0; x <= s.width - 8; ++x) {
        const qreal y =
            mid - (inverted ? -1 : 1) * amp * std::sin(2 * std::numbers::pi * x / (s.width - 8.0));
        if (x == 0)
            wave.moveTo(4 + x, y);
        else
            wave.lineTo(4 + x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Accent(s), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);
}

// The curve toggles' CHn on their black strip: grey off, lit under the pointer, green on.
void ToggleCh(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), Qt::black);
    const bool on = IsChecked(s.state), hover = s.state == Hover || s.state == CheckedHover;
    const QColor c = Accent(s);
    const QRectF r(0.5, 0.5, s.width - 1.0, s.height - 1.0);
    p.setPen(QPen(on ? c : (hover ? kBorder.lighter(140) : kBorder.darker(110)), 1));
    p.setBrush(on ? c.darker(hover ? 190 : 230) : (hover ? kRaisedTop : QColor(0x16, 0x18, 0x1c)));
    p.drawRoundedRect(r, 3, 3);
    p.setFont(SmallFont(10, QFont::Bold));
    p.setPen(on ? c.lighter(hover ? 150 : 130) : (hover ? kText : kTextDim.lighter(115)));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(s.caption ? s.caption : ""));
}

void TogglePanel(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), Qt::black);
    p.setPen(QPen(QColor(0x2a, 0x2f, 0x38), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s.width - 1.0, s.height - 1.0));
}

// A speaker position (alpha): a round badge in its group's colour with the speaker's letter,
// filled while its output is the current one.
void PositionIcon(QPainter& p, const ArtSpec& s) {
    const QColor c = Accent(s);
    const bool checked = IsChecked(s.state);
    const bool hover = s.state == Hover || s.state == CheckedHover;
    const bool pressed = s.state == Pressed || s.state == CheckedPressed;
    const QPointF m(s.width / 2.0, s.height / 2.0);
    const qreal r = std::min(s.width, s.height) / 2.0 - 1.0;
    QRadialGradient g(QPointF(m.x() - r * 0.3, m.y() - r * 0.4), r * 1.3);
    if (checked) {
        g.setColorAt(0, c.lighter(hover ? 150 : 130));
        g.setColorAt(1, c.darker(pressed ? 170 : 125));
    } else {
        g.setColorAt(0, hover ? kRaisedTop.lighter(130) : kRaisedTop);
        g.setColorAt(1, pressed ? kGroove : kRaisedBottom);
    }
    p.setPen(QPen(checked ? QColor(Qt::white) : (hover ? c.lighter(130) : c), checked ? 1.6 : 1.3));
    p.setBrush(g);
    p.drawEllipse(m, r - 0.3, r - 0.3);
    const QString letter = QString::fromUtf8(s.caption ? s.caption : "");
    p.setFont(SmallFont(letter.size() > 1 ? 8 : 10, QFont::Bold));
    p.setPen(checked ? QColor(Qt::white) : c.lighter(hover ? 140 : 115));
    p.drawText(QRectF(0, pressed ? 1 : 0, s.width, s.height), Qt::AlignCenter | Qt::TextSingleLine, letter);
}

// The level and delay page, 1280 x 656: caption "master|input|output|time alignment|delay unit". Panels for
// the three level areas with CH1..CH8 under the outputs, the car under the position buttons and faint rings
// where they can stand.
void LevelBackground(QPainter& p, const ArtSpec& s) {
    using namespace levelpage;
    const QStringList t = Texts(s.caption);
    p.fillRect(QRect(0, 0, s.width, s.height), kBase);
    PagePanel(p, kMasterPanel, t.value(0), kAccent);
    PagePanel(p, kInputPanel, t.value(1), kAccent);
    PagePanel(p, kOutputPanel, t.value(2), kAccent);
    PagePanel(p, kDelayPanel, t.value(3), kAccent);
    // Wells under the level fields; a rule over the output switches.
    Well(p, {kMasterEdit.x, kMasterEdit.y, kMasterEdit.width + kMasterSpin.width, kMasterEdit.height});
    for (int n = 0; n < 6; ++n) {
        const int x = kInputX + n * kInputPitch;
        Well(p, {x + kInputEdit.x, kInputEdit.y, kInputEdit.width + kInputSpin.width, kInputEdit.height});
    }
    p.setFont(SmallFont(10, QFont::Bold));
    for (int n = 0; n < 8; ++n) {
        const int x = kOutputX + n * kOutputPitch;
        Well(p,
             {x + kOutputEdit.x, kOutputEdit.y, kOutputEdit.width + kOutputSpin.width, kOutputEdit.height});
        if (n > 0) {
            p.setPen(QPen(kPanelEdge, 1));
            p.drawLine(QPointF(x - 2.5, kFaderY), QPointF(x - 2.5, kChannelNameY + 14));
        }
        p.setPen(kCaption);
        p.drawText(QRectF(x, kChannelNameY, 86, 16), Qt::AlignCenter | Qt::TextSingleLine,
                   QStringLiteral("CH%1").arg(n + 1));
    }
    // The car, larger than on the output page, and the spots of the position buttons.
    p.save();
    p.translate(kCarCentre.x, kCarCentre.y);
    p.scale(kCarScale, kCarScale);
    const outpage::Box car{-outpage::kCar.width / 2, -outpage::kCar.height / 2, outpage::kCar.width,
                           outpage::kCar.height};
    Car(p, car);
    p.restore();
    const qreal r = kPositionSize / 2.0 - 0.5;
    p.setBrush(kPanel.darker(112));
    p.setPen(QPen(kPanelEdge.lighter(118), 1));
    for (const Spot& spot : kPositionSpots)
        p.drawEllipse(QPointF(spot.x, spot.y), r, r);
    // The unit caption right of the car.
    p.setFont(SmallFont(10));
    p.setPen(kCaption.darker(115));
    p.drawText(QRectF(kUnitMsButton.x, kUnitMsButton.y - 16, 152, 14),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.value(4));
}

// A group-link toggle (alpha): a chain, grey while the group is free, lit while it is linked.
void LinkToggle(QPainter& p, const ArtSpec& s) {
    const bool on = IsChecked(s.state), hover = s.state == Hover || s.state == CheckedHover;
    const QRectF r(0.5, 0.5, s.width - 1.0, s.height - 1.0);
    p.setPen(QPen(on ? Accent(s) : kBorder, 1));
    p.setBrush(on ? Accent(s).darker(hover ? 220 : 280) : (hover ? kRaisedTop : kRaisedBottom));
    p.drawRoundedRect(r, s.height / 2.0 - 1, s.height / 2.0 - 1);
    Chain(p, r.adjusted(3, 2, -3, -2), on ? Accent(s).lighter(130) : (hover ? kText : kTextDim));
}

// A picture of a chain (the link indicators) on the panel.
void ChainPicture(QPainter& p, const ArtSpec& s) {
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    Chain(p, QRectF(0, 0, s.width, s.height), IsChecked(s.state) ? Accent(s) : kTextDim);
}

struct PanelGlyphRole {
    const char* role;
    Glyph off;
    Glyph on;
};
// Buttons of the page and the strips drawn over the panel colour.
const PanelGlyphRole kPanelRoles[] = {
    {"panel-button", Glyph::None, Glyph::None}, {"lock", Glyph::LockOpen, Glyph::LockClosed},
    {"link", Glyph::Chain, Glyph::Chain},       {"level", Glyph::Faders, Glyph::Faders},
    {"output", Glyph::Speaker, Glyph::Speaker},
};

const PanelGlyphRole* FindPanelRole(const char* role) {
    for (const PanelGlyphRole& r : kPanelRoles)
        if (std::strcmp(r.role, role) == 0)
            return &r;
    return nullptr;
}

// --- the mixer popup and the advanced settings dialog -----------------------------------------

// The mixer popup: the title, one label per knob row left of the panes, a recess behind each
// pane's place and the output names below them. Caption: title|row 1|...|row n (n = 2, 4 or 6).
void MixerBackground(QPainter& p, const ArtSpec& s) {
    using namespace mixer;
    const QStringList t = Texts(s.caption);
    const int rows = std::max(1, static_cast<int>(t.size()) - 1);
    const int top = rows > 2 ? kTopWide : kTopNarrow;
    const int paneH = kFirstRowHeight + (rows / 2 - 1) * kRowPitch;
    QLinearGradient page(0, 0, 0, s.height);
    page.setColorAt(0, kBase.lighter(112));
    page.setColorAt(1, kBase.darker(112));
    p.fillRect(QRect(0, 0, s.width, s.height), page);
    p.fillRect(QRect(0, 0, s.width, 2), kAccent.darker(120));
    if (!t.value(0).isEmpty()) {
        p.setFont(TextFont(16, QFont::Bold));
        p.setPen(kText);
        p.drawText(QRectF(12, 4, 300, 22), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.value(0));
    }
    for (int r = 0; r < rows; ++r) {
        const int y = top + KnobRowTop(r);
        PagePanel(p, {6, y, kPaneLeft - 14, kKnobRowHeight}, QString(), kAccent);
        p.fillRect(QRectF(12, y + kEdit.y + 2, 3, 16), kAccent);
        p.setFont(SmallFont(13, QFont::Bold));
        p.setPen(kText);
        p.drawText(QRectF(20, y + kEdit.y - 2, kPaneLeft - 34, 24),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.value(r + 1));
    }
    for (int i = 0; i < 8; ++i) {
        const int x = kPaneLeft + kPanePitch * i;
        p.setPen(QPen(kGroove, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(x - 2.5, top - 2.5, kPaneWidth + 5, paneH + 5), 3, 3);
        const QRectF name(x, top + paneH + 8, kPaneWidth, 22);
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(kPanel);
        p.drawRoundedRect(name.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setFont(SmallFont(12, QFont::Bold));
        p.setPen(kAccent.lighter(115));
        p.drawText(name, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("CH%1").arg(i + 1));
    }
}

// A mixer pane: one framed cell per knob row.
void MixerPane(QPainter& p, const ArtSpec& s) {
    using namespace mixer;
    p.fillRect(QRect(0, 0, s.width, s.height), kBase);
    for (int r = 0; KnobRowTop(r) + kKnobRowHeight <= s.height; ++r)
        PagePanel(p, {0, KnobRowTop(r), s.width, kKnobRowHeight}, QString(), kAccent);
}

// The mixer's knob fader: a scale 0..100 left of the thumb's groove (the thumb sits 22 px in).
void MixTrack(QPainter& p, const ArtSpec& s) {
    constexpr int kScale = 20, kThumbH = 12, kNear = 4, kFar = 2; // the pane's fader margins
    const qreal grooveX = kScale + 2 + (s.width - kScale - 3) / 2.0;
    Channel(p, s, grooveX, kThumbH, kNear, kFar, 10, kScale, s.width - 2);
    const qreal top = kNear + kThumbH / 2.0, travel = s.height - kNear - kFar - kThumbH;
    p.setFont(SmallFont(8, QFont::Normal));
    p.setPen(kCaption.darker(110));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = top + travel * i / 4.0;
        p.drawText(QRectF(0, y - 6, kScale - 1, 12), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::number(100 - 25 * i));
    }
}

// The advanced settings dialog: the title and its framed sections. Caption: title|section 1|...
void AdvBackground(QPainter& p, const ArtSpec& s) {
    using namespace mixer;
    const QStringList t = Texts(s.caption);
    QLinearGradient page(0, 0, 0, s.height);
    page.setColorAt(0, kBase.lighter(112));
    page.setColorAt(1, kBase.darker(112));
    p.fillRect(QRect(0, 0, s.width, s.height), page);
    p.fillRect(QRect(0, 0, s.width, 2), kAccent.darker(120));
    p.setFont(TextFont(16, QFont::Bold));
    p.setPen(kText);
    p.drawText(QRectF(14, 8, 400, 24), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t.value(0));
    for (int i = 0; i < kAdvSectionCount; ++i)
        PagePanel(p, kAdvSections[i], t.value(i + 1), kAccent);
}

bool PaintPageArt(QPainter& p, const ArtSpec& s, const char* role) {
    auto is = [role](const char* r) { return std::strcmp(role, r) == 0; };
    if (is("page-background"))
        PageBackground(p, s);
    else if (is("strip-background"))
        StripBackground(p, s);
    else if (is("level-background"))
        LevelBackground(p, s);
    else if (is("panel-combo"))
        ComboOn(p, s, kPanel);
    else if (is("eq-track"))
        EqTrack(p, s);
    else if (is("level-track"))
        LevelTrack(p, s);
    else if (is("strip-track"))
        StripTrack(p, s);
    else if (is("lamp"))
        LampButton(p, s);
    else if (is("display"))
        Display(p, s);
    else if (is("wave"))
        Wave(p, s);
    else if (is("chain"))
        ChainPicture(p, s);
    else if (is("toggle-ch"))
        ToggleCh(p, s);
    else if (is("toggle-panel"))
        TogglePanel(p, s);
    else if (is("position"))
        PositionIcon(p, s);
    else if (is("link-toggle"))
        LinkToggle(p, s);
    else if (is("mixer-background"))
        MixerBackground(p, s);
    else if (is("mixer-pane"))
        MixerPane(p, s);
    else if (is("mix-track"))
        MixTrack(p, s);
    else if (is("adv-background"))
        AdvBackground(p, s);
    else if (is("power"))
        GlyphButton(p, s, Glyph::Power, kPanel, 0.5, kTextDim.lighter(125));
    else if (const PanelGlyphRole* r = FindPanelRole(role))
        GlyphButton(p, s, IsChecked(s.state) ? r->on : r->off, kPanel);
    else
        return false;
    return true;
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
    if (PaintPageArt(p, s, role)) {
        p.end();
        return img;
    }
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
    else if (is("bar-combo"))
        ComboOn(p, s, kHeader);
    else if (is("dialog-combo"))
        ComboOn(p, s, kDialog);
    else if (is("title-min") || is("title-close"))
        TitleButton(p, s, is("title-close"));
    else if (is("plate"))
        Plate(p, s);
    else if (is("lang"))
        LanguagePicture(p, s);
    else if (is("background"))
        Background(p, s);
    else if (is("cover"))
        Cover(p, s);
    else if (is("emblem"))
        Emblem(p, s);
    else if (is("icon"))
        Icon(p, s);
    else if (const GlyphRole* bar = FindBarRole(role))
        GlyphButton(p, s, bar->glyph, kHeader);
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
