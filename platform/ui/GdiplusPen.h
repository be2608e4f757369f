// Gdiplus::Pen: a colour with alpha and a width in pixels (round joins, flat caps).
#pragma once

#include "platform/ui/GdiplusTypes.h"

namespace Gdiplus {

class Pen {
public:
    explicit Pen(const Color& colour, float width = 1.0f) : m_colour(colour), m_width(width) {}
    Status GetColor(Color* colour) const;
    Status SetColor(const Color& colour);
    float GetWidth() const { return m_width; }
    Status SetWidth(float width);

private:
    Color m_colour;
    float m_width;
};

} // namespace Gdiplus
