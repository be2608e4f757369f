#include "platform/ui/Brush.h"

#include "platform/ui/GdiHandle.h"

CBrush::CBrush(COLORREF colour) {
    CreateSolidBrush(colour);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    DeleteObject();
    return Attach(::CreateSolidBrush(colour));
}

BOOL CBrush::CreateHatchBrush(int index, COLORREF colour) {
    DeleteObject();
    HBRUSH brush = ::CreateSolidBrush(colour);
    brush->brushStyle = BS_HATCHED;
    brush->hatch = index;
    return Attach(brush);
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush)
        return FALSE;
    DeleteObject();
    HBRUSH h = ::CreateSolidBrush(brush->lbColor);
    h->brushStyle = brush->lbStyle;
    h->hatch = static_cast<int>(brush->lbHatch);
    return Attach(h);
}

BOOL CBrush::CreateSysColorBrush(int index) {
    return CreateSolidBrush(::GetSysColor(index));
}

int CBrush::GetLogBrush(LOGBRUSH* brush) const {
    if (!m_hObject || !brush)
        return 0;
    brush->lbStyle = m_hObject->brushStyle;
    brush->lbColor = m_hObject->colour;
    brush->lbHatch = static_cast<ULONG>(m_hObject->hatch < 0 ? 0 : m_hObject->hatch);
    return sizeof(LOGBRUSH);
}
