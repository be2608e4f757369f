// CMemDC: an off-screen DC over a rectangle of a target DC. Drawing goes into a compatible bitmap
// that uses the target's coordinates (window origin at the rectangle's corner) and is copied to
// the target when the object goes; on a printer it draws straight into the target.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"

class CMemDC : public CDC {
public:
    // rect null: the target's clip box. copyBackground: start from the target's current pixels
    // (where the target can be read), else from its background colour.
    explicit CMemDC(CDC* target, const CRect* rect = nullptr, BOOL copyBackground = FALSE);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; }
    const CRect& Rect() const { return m_rect; }
    BOOL IsMemDC() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC = nullptr;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
