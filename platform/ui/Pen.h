// CPen: a cosmetic or geometric pen (style, width, colour, end caps).
#pragma once

#include "platform/ui/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour);
    CPen(int style, int width, const LOGBRUSH* brush);

    BOOL CreatePen(int style, int width, COLORREF colour);
    // Geometric pen with end caps and joins (PS_GEOMETRIC | PS_ENDCAP_SQUARE ...).
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush);
    BOOL CreatePenIndirect(const LOGPEN* pen);
    int GetLogPen(LOGPEN* pen) const;
    operator HPEN() const { return m_hObject; }
    static CPen* FromHandle(HPEN pen) { return TemporaryWrapper<CPen>(pen); }
};
