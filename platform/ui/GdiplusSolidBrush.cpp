#include "platform/ui/GdiplusSolidBrush.h"

namespace Gdiplus {

Status SolidBrush::GetColor(Color* colour) const {
    if (!colour)
        return InvalidParameter;
    *colour = m_colour;
    return Ok;
}

Status SolidBrush::SetColor(const Color& colour) {
    m_colour = colour;
    return Ok;
}

} // namespace Gdiplus
