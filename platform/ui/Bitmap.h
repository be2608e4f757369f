// CBitmap: a device bitmap (32-bit colour, or monochrome) loaded from the resource registry by
// id, or created blank to draw into through a memory DC.
#pragma once

#include "platform/ui/GdiObject.h"

class QImage;

class CBitmap : public CGdiObject {
public:
    // Loads bitmap resource id; FALSE when the registry has none.
    BOOL LoadBitmap(UINT resourceId);
    // A bitmap of the given size and colour depth; bitsPerPixel 1 makes a monochrome mask.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    // A colour bitmap that a memory DC compatible with dc can draw into (its contents start black).
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    int GetBitmap(BITMAP* info) const;
    CSize GetBitmapDimension() const;
    operator HBITMAP() const { return m_hObject; }
    static CBitmap* FromHandle(HBITMAP bitmap) { return TemporaryWrapper<CBitmap>(bitmap); }

    // Takes a copy of a Qt image as a colour bitmap.
    BOOL CreateFromImage(const QImage& image);
    // The pixels (format RGB32 or ARGB32_Premultiplied); null image when empty.
    const QImage& Image() const;
};

// The whole bitmap drawn into dc through a memory DC: at (x, y) in its own size, or stretched over
// (x, y, width, height) in COLORONCOLOR mode (the DC's own mode is restored).
void DrawBitmap(class CDC* dc, CBitmap* bitmap, int x, int y);
void StretchBitmap(class CDC* dc, CBitmap* bitmap, int x, int y, int width, int height);
