// Value types and enumerations of the GDI+ subset (see Gdiplus.h).
#pragma once

#include "platform/core/WinTypes.h"

namespace Gdiplus {

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
};

enum RotateFlipType {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone,
};

enum SmoothingMode {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

enum InterpolationMode {
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7,
};

using ARGB = DWORD;

class Color {
public:
    Color() = default;
    Color(BYTE r, BYTE g, BYTE b) : m_argb(0xFF000000u | (DWORD(r) << 16) | (DWORD(g) << 8) | b) {}
    Color(BYTE a, BYTE r, BYTE g, BYTE b)
        : m_argb((DWORD(a) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | b) {}
    explicit Color(ARGB argb) : m_argb(argb) {}
    BYTE GetA() const { return BYTE(m_argb >> 24); }
    BYTE GetR() const { return BYTE(m_argb >> 16); }
    BYTE GetG() const { return BYTE(m_argb >> 8); }
    BYTE GetB() const { return BYTE(m_argb); }
    ARGB GetValue() const { return m_argb; }
    void SetFromCOLORREF(COLORREF c) {
        m_argb = 0xFF000000u | (DWORD(c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    COLORREF ToCOLORREF() const { return DWORD(GetR()) | (DWORD(GetG()) << 8) | (DWORD(GetB()) << 16); }

private:
    ARGB m_argb = 0xFF000000u;
};

struct Point {
    int X = 0;
    int Y = 0;
};

struct PointF {
    float X = 0.0f;
    float Y = 0.0f;
};

struct Rect {
    Rect() = default;
    Rect(int x, int y, int w, int h) : X(x), Y(y), Width(w), Height(h) {}
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

struct GdiplusStartupInput {
    UINT GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};
struct GdiplusStartupOutput {
    void* NotificationHook = nullptr;
    void* NotificationUnhook = nullptr;
};
// Nothing to start: always Ok.
Status GdiplusStartup(UINT_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(UINT_PTR token);

} // namespace Gdiplus
