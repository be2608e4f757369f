#include "platform/ui/GdiplusPen.h"

namespace Gdiplus {

Status Pen::GetColor(Color* colour) const {
    if (!colour)
        return InvalidParameter;
    *colour = m_colour;
    return Ok;
}

Status Pen::SetColor(const Color& colour) {
    m_colour = colour;
    return Ok;
}

Status Pen::SetWidth(float width) {
    if (width < 0)
        return InvalidParameter;
    m_width = width;
    return Ok;
}

} // namespace Gdiplus
