// CBrush: a solid, hatched or hollow brush.
#pragma once

#include "platform/ui/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour);

    BOOL CreateSolidBrush(COLORREF colour);
    BOOL CreateHatchBrush(int index, COLORREF colour);
    BOOL CreateBrushIndirect(const LOGBRUSH* brush);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* brush) const;
    operator HBRUSH() const { return m_hObject; }
    static CBrush* FromHandle(HBRUSH brush) { return TemporaryWrapper<CBrush>(brush); }
};
