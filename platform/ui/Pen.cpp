#include "platform/ui/Pen.h"

#include "platform/ui/GdiHandle.h"

CPen::CPen(int style, int width, COLORREF colour) {
    CreatePen(style, width, colour);
}

CPen::CPen(int style, int width, const LOGBRUSH* brush) {
    CreatePen(style, width, brush);
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
    DeleteObject();
    return Attach(::CreatePen(style, width, colour));
}

BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush) {
    DeleteObject();
    if (!brush)
        return FALSE;
    HPEN pen = ::CreatePen(style, width, brush->lbColor);
    if (brush->lbStyle == BS_NULL)
        pen->penStyle = (pen->penStyle & ~PS_STYLE_MASK) | PS_NULL;
    return Attach(pen);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* pen) {
    if (!pen)
        return FALSE;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

int CPen::GetLogPen(LOGPEN* pen) const {
    if (!m_hObject || !pen)
        return 0;
    pen->lopnStyle = static_cast<UINT>(m_hObject->penStyle);
    pen->lopnWidth = POINT{m_hObject->penWidth, 0};
    pen->lopnColor = m_hObject->colour;
    return sizeof(LOGPEN);
}
