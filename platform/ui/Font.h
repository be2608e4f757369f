// CFont: a logical font at a fixed 96 DPI. Heights are pixels: negative = character (em) height,
// positive = cell height (ascent + descent). Arial and MS Sans Serif map to Liberation Sans,
// Verdana faces to DejaVu Sans, Chinese faces to Noto Sans CJK; CJK text always falls back to it.
#pragma once

#include "platform/ui/GdiObject.h"

class QFont;

class CFont : public CGdiObject {
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // Height in tenths of a point (100 = 10 pt = 13 px at 96 DPI).
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, void* dc = nullptr);
    // dc: the device the font is for (a printer DC scales the points to its resolution).
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, void* dc = nullptr);
    int GetLogFont(LOGFONT* logFont) const;
    operator HFONT() const { return m_hObject; }
    static CFont* FromHandle(HFONT font) { return TemporaryWrapper<CFont>(font); }

    // The Qt font a LOGFONT stands for.
    static QFont MakeQFont(const LOGFONT& logFont);
};
