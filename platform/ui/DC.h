// CDC: a device context over QPainter with the Windows pixel rules: fills, rectangles and lines
// leave out their right and bottom edge (a line from a to b does not draw b). Memory DCs draw
// into the bitmap selected into them; blits take their source from a memory DC.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Handles.h"
#include "platform/ui/WinGdi.h"

#include <memory>
#include <vector>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPen;
class CRgn;
class CWnd;
class QImage;
class QPaintDevice;
class QPainter;
class QTransform;

class CDC {
public:
    CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC dc) { return reinterpret_cast<CDC*>(dc); }

    // A memory DC; it starts with a 1 x 1 monochrome bitmap selected, as the system's does.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    BOOL IsMonochrome() const;
    BOOL IsPrinting() const { return m_bPrinting; }
    virtual int GetDeviceCaps(int index) const;

    // Object selection; each returns the object selected before.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    int SaveDC();
    BOOL RestoreDC(int savedDC);

    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    UINT SetTextAlign(UINT flags);

    // Coordinates: device = logical - window origin + viewport origin (MM_TEXT only).
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CSize SetWindowExt(int cx, int cy);
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize GetViewportExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;

    // Clipping: regions are in device pixels, rectangles in logical ones.
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;

    // Fills.
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL PaintRgn(CRgn* region);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);

    // Lines and shapes with the selected pen and brush.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL RoundRect(LPCRECT rect, POINT corner) {
        return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
    }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF SetPixel(POINT p, COLORREF colour) { return SetPixel(p.x, p.y, colour); }
    // CLR_INVALID (0xFFFFFFFF) outside the surface.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // Blits from a memory DC (its selected bitmap) with the raster operations SRCCOPY, SRCAND,
    // SRCPAINT, SRCINVERT, NOTSRCCOPY, SRCERASE and the pattern operations of PatBlt.
    // Monochrome source to colour target: black pixels take the text colour, white the background
    // colour; colour source to monochrome target: pixels of the source's background colour turn
    // white, all others black.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    // Copies leaving out the source pixels of the key colour.
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                        int srcHeight, UINT keyColour);

    // Text in the selected font and text colour; with OPAQUE mode the text cell takes the
    // background colour first.
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, const char* text, int count);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                    const int* widths = nullptr);
    // Returns the text height; DT_CALCRECT only measures, widening or narrowing rect.
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(const char* text, int count, LPRECT rect, UINT format);
    // DT_MODIFYSTRING writes the shortened text back.
    int DrawText(CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(const char* text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // Platform side: the painter behind the DC (null for an empty memory DC).
    QPainter* Painter() const { return m_painter; }
    // The painter with the DC's origins and clipping in force, for drawing code of the layer
    // (GDI+); null when the DC has no surface.
    QPainter* PreparePainter() const;
    // The pixels of the selected bitmap of a memory DC, or null.
    QImage* SurfaceImage() const;
    // Puts the DC on a painter that someone else owns (a window's paint, a printer).
    void AttachPainter(QPainter* painter, bool printing = false);
    // Puts the DC on a paint device, with its own painter.
    BOOL BeginOn(QPaintDevice* device);
    void EndPainter();
    // Default pen, brush, font, colours, origins and no clip.
    void ResetAttributes();

    HDC m_hDC = nullptr;

protected:
    struct State;
    State& S() const { return *m_state; }
    QTransform Mapping() const;
    void ApplyTransform() const;
    void ApplyClip() const;
    // Puts object in the slot; returns the previous object, or null when it died on leaving.
    HGDIOBJ Select(HGDIOBJ& slot, HGDIOBJ object);
    void ReleaseSelections();
    bool StrokeLine(int x0, int y0, int x1, int y1);
    bool Blit(int x, int y, int w, int h, CDC* source, int xs, int ys, int ws, int hs, DWORD rop, bool keyed,
              UINT key);

    QPainter* m_painter = nullptr;
    bool m_ownPainter = false;
    bool m_memory = false;
    bool m_bPrinting = false;
    std::unique_ptr<State> m_state;
    std::vector<State> m_saved;
    std::unique_ptr<CBitmap> m_defaultBitmap;
};
