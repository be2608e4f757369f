// The object behind every GDI handle: one record for pens, brushes, fonts, bitmaps and regions.
#pragma once

#include "platform/ui/WinGdi.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <memory>

class CGdiObject;

struct GdiHandle {
    enum class Kind { Pen, Brush, Font, Bitmap, Region };
    explicit GdiHandle(Kind k) : kind(k) {}
    ~GdiHandle();

    Kind kind;
    bool stock = false;
    // Selection count in DCs; a delete while selected is carried out at the last deselect.
    int selectedInto = 0;
    bool deletePending = false;
    // Pen and brush.
    COLORREF colour = 0;
    int penStyle = PS_SOLID;
    int penWidth = 1;
    UINT brushStyle = BS_SOLID;
    int hatch = -1;
    // Font.
    LOGFONT logFont{};
    QFont font;
    // Bitmap: monochrome bitmaps keep black and white pixels and take the DC colours on a blit.
    bool monochrome = false;
    // The pixels; a bitmap loaded from a resource paints them at the first use (a hidden page
    // never pays for its art).
    QImage& Pixels();
    void SetPixels(QImage pixels);
    // A resource bitmap not painted yet: its id and size, known without painting it.
    void SetPendingResource(UINT id, QSize size);
    QSize PixelSize() const { return m_pendingId ? m_pendingSize : m_pixels.size(); }
    // Region, in device pixels.
    QRegion region;
    // The wrapper handed out by FromHandle for handles no C++ object owns.
    std::unique_ptr<CGdiObject> temporary;

private:
    QImage m_pixels;
    UINT m_pendingId = 0;
    QSize m_pendingSize;
};

namespace gdi {
QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);
} // namespace gdi
