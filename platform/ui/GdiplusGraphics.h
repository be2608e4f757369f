// Gdiplus::Graphics: antialiased drawing on a DC (its origins and clipping apply); images are
// composed over the DC's pixels with their alpha.
#pragma once

#include "platform/ui/GdiplusTypes.h"
#include "platform/ui/Handles.h"

namespace Gdiplus {

class Image;
class Pen;
class SolidBrush;

class Graphics {
public:
    explicit Graphics(HDC dc);
    explicit Graphics(Image* image);
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();
    static Graphics* FromHDC(HDC dc);

    Status GetLastStatus() const { return m_status; }
    Status SetSmoothingMode(SmoothingMode mode);
    SmoothingMode GetSmoothingMode() const { return m_smoothing; }
    Status SetInterpolationMode(InterpolationMode mode);

    // Scaled to width x height (natural size without them).
    Status DrawImage(Image* image, int x, int y, int width, int height);
    Status DrawImage(Image* image, int x, int y);
    Status DrawImage(Image* image, const Rect& rect);
    Status Clear(const Color& colour);
    Status FillRectangle(const SolidBrush* brush, int x, int y, int width, int height);
    Status FillEllipse(const SolidBrush* brush, int x, int y, int width, int height);
    Status DrawRectangle(const Pen* pen, int x, int y, int width, int height);
    Status DrawEllipse(const Pen* pen, int x, int y, int width, int height);
    Status DrawLine(const Pen* pen, int x1, int y1, int x2, int y2);
    Status FillPolygon(const SolidBrush* brush, const Point* points, int count);
    // One connected line through the points (joins drawn, not separate segments).
    Status DrawLines(const Pen* pen, const PointF* points, int count);
    // Cubic segments: points 0, 3, 6 ... are the ends, the two between each pair the controls.
    Status DrawBeziers(const Pen* pen, const PointF* points, int count);

private:
    struct Target;
    Target* m_target;
    Status m_status = Ok;
    SmoothingMode m_smoothing = SmoothingModeAntiAlias;
    InterpolationMode m_interpolation = InterpolationModeHighQualityBicubic;
};

} // namespace Gdiplus
