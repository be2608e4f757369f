// Gdiplus::SolidBrush: one colour with alpha.
#pragma once

#include "platform/ui/GdiplusTypes.h"

namespace Gdiplus {

class SolidBrush {
public:
    explicit SolidBrush(const Color& colour) : m_colour(colour) {}
    Status GetColor(Color* colour) const;
    Status SetColor(const Color& colour);

private:
    Color m_colour;
};

} // namespace Gdiplus
