// CImageList: a strip of equally sized images, drawn normally or transparently (ILD_TRANSPARENT
// leaves out the mask colour given at Add).
#pragma once

#include "platform/core/Point.h"
#include "platform/core/Rect.h"
#include "platform/ui/Handles.h"

#include <memory>

class CBitmap;
class CDC;

constexpr UINT ILC_MASK = 0x1;
constexpr UINT ILC_COLOR32 = 0x20;
constexpr UINT ILD_NORMAL = 0x0;
constexpr UINT ILD_TRANSPARENT = 0x1;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

class CImageList {
public:
    CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Cuts the bitmap into images of the list's width; returns the first new index or -1.
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(CBitmap* bitmap, CBitmap* mask);
    int GetImageCount() const;
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    BOOL Draw(CDC* dc, int index, POINT at, UINT style);
    BOOL DeleteImageList();
    BOOL Remove(int index);
    int GetWidth() const;
    int GetHeight() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
