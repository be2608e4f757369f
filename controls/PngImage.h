// CPngImage: one decoded image (a GDI+ bitmap it owns; null = empty).
#pragma once

#include "platform/ui/Gdiplus.h"

class CPngImage {
public:
    CPngImage() = default;
    CPngImage(const CPngImage&) = delete;
    CPngImage& operator=(const CPngImage&) = delete;
    virtual ~CPngImage() { Empty(); }

    void Empty() {
        delete m_pBitmap;
        m_pBitmap = nullptr;
    }
    Gdiplus::Bitmap* GetBitmap() const { return m_pBitmap; }
    BOOL IsEmpty() const { return m_pBitmap == nullptr; }
    UINT GetWidth() const { return m_pBitmap ? m_pBitmap->GetWidth() : 0; }
    UINT GetHeight() const { return m_pBitmap ? m_pBitmap->GetHeight() : 0; }

protected:
    Gdiplus::Bitmap* m_pBitmap = nullptr;
};
