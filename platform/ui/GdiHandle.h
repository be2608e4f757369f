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
    QImage image;
    bool monochrome = false;
    // Region, in device pixels.
    QRegion region;
    // The wrapper handed out by FromHandle for handles no C++ object owns.
    std::unique_ptr<CGdiObject> temporary;
};

namespace gdi {
QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);
} // namespace gdi
