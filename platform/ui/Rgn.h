// CRgn: a region of device pixels (rectangles, ellipses, polygons and their combinations).
#pragma once

#include "platform/ui/GdiObject.h"

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    // Combines a and b into this region (which must exist); returns the region kind or ERROR.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source);
    int OffsetRgn(int dx, int dy);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    int GetRgnBox(LPRECT rect) const;
    BOOL EqualRgn(const CRgn* other) const;
    BOOL SetRectRgn(int left, int top, int right, int bottom);
    operator HRGN() const { return m_hObject; }
    static CRgn* FromHandle(HRGN region) { return TemporaryWrapper<CRgn>(region); }
};
