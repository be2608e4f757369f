// CMyMemDC: an off-screen surface over a target DC covering the target's clip box, drawn with the
// target's coordinates; destroying it copies the drawing to the target in one blit. On a printing
// target it draws straight into the target.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"

class CMyMemDC : public CDC {
public:
    explicit CMyMemDC(CDC* target);
    ~CMyMemDC() override;
    CMyMemDC(const CMyMemDC&) = delete;
    CMyMemDC& operator=(const CMyMemDC&) = delete;

    CMyMemDC* operator->() { return this; }
    operator CMyMemDC*() { return this; }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
