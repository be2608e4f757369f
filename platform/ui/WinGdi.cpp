#include "platform/ui/WinGdi.h"

#include "platform/ui/Font.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/WinUser.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <array>
#include <cmath>
#include <cstring>

namespace {
struct SysColour {
    int index;
    COLORREF colour;
};
// Fixed so that drawing and tests never depend on a desktop theme.
constexpr SysColour kSysColours[] = {
    {COLOR_SCROLLBAR, RGB(200, 200, 200)},     {COLOR_BACKGROUND, RGB(0, 0, 0)},
    {COLOR_ACTIVECAPTION, RGB(153, 180, 209)}, {COLOR_WINDOW, RGB(255, 255, 255)},
    {COLOR_WINDOWFRAME, RGB(100, 100, 100)},   {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(0, 120, 215)},       {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},       {COLOR_BTNSHADOW, RGB(160, 160, 160)},
    {COLOR_GRAYTEXT, RGB(109, 109, 109)},      {COLOR_BTNTEXT, RGB(0, 0, 0)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},  {COLOR_3DDKSHADOW, RGB(105, 105, 105)},
    {COLOR_3DLIGHT, RGB(227, 227, 227)},       {COLOR_INFOTEXT, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(255, 255, 225)},        {COLOR_HOTLIGHT, RGB(0, 102, 204)},
};

GdiHandle* MakeStock(GdiHandle::Kind kind) {
    auto* h = new GdiHandle(kind);
    h->stock = true;
    return h;
}

GdiHandle* StockBrush(COLORREF c, UINT style = BS_SOLID) {
    GdiHandle* h = MakeStock(GdiHandle::Kind::Brush);
    h->colour = c;
    h->brushStyle = style;
    return h;
}

GdiHandle* StockPen(COLORREF c, int style = PS_SOLID) {
    GdiHandle* h = MakeStock(GdiHandle::Kind::Pen);
    h->colour = c;
    h->penStyle = style;
    return h;
}

GdiHandle* StockFont(int height, int weight) {
    GdiHandle* h = MakeStock(GdiHandle::Kind::Font);
    h->logFont.lfHeight = height;
    h->logFont.lfWeight = weight;
    std::strcpy(h->logFont.lfFaceName, "MS Sans Serif");
    h->font = CFont::MakeQFont(h->logFont);
    return h;
}
} // namespace

COLORREF GetSysColor(int index) {
    for (const auto& c : kSysColours)
        if (c.index == index)
            return c.colour;
    return RGB(0, 0, 0);
}

HBRUSH GetSysColorBrush(int index) {
    static std::array<GdiHandle*, 32> brushes{};
    if (index < 0 || index >= static_cast<int>(brushes.size()))
        return nullptr;
    if (!brushes[static_cast<size_t>(index)])
        brushes[static_cast<size_t>(index)] = StockBrush(GetSysColor(index));
    return brushes[static_cast<size_t>(index)];
}

HGDIOBJ GetStockObject(int index) {
    // Built on first use (fonts need the application), never freed.
    static GdiHandle* stock[20] = {};
    if (index < 0 || index >= 20)
        return nullptr;
    if (stock[index])
        return stock[index];
    GdiHandle* h = nullptr;
    switch (index) {
    case WHITE_BRUSH:
        h = StockBrush(RGB(255, 255, 255));
        break;
    case LTGRAY_BRUSH:
        h = StockBrush(RGB(192, 192, 192));
        break;
    case GRAY_BRUSH:
        h = StockBrush(RGB(128, 128, 128));
        break;
    case DKGRAY_BRUSH:
        h = StockBrush(RGB(64, 64, 64));
        break;
    case BLACK_BRUSH:
        h = StockBrush(RGB(0, 0, 0));
        break;
    case NULL_BRUSH:
        h = StockBrush(0, BS_NULL);
        break;
    case WHITE_PEN:
        h = StockPen(RGB(255, 255, 255));
        break;
    case BLACK_PEN:
        h = StockPen(RGB(0, 0, 0));
        break;
    case NULL_PEN:
        h = StockPen(0, PS_NULL);
        break;
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT:
        h = StockFont(-11, FW_NORMAL);
        break;
    case SYSTEM_FONT:
        h = StockFont(16, FW_BOLD);
        break;
    default:
        return nullptr;
    }
    stock[index] = h;
    return h;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || object->stock)
        return FALSE;
    // An object still selected into a DC dies when the DC lets go of it.
    if (object->selectedInto > 0) {
        object->deletePending = true;
        return TRUE;
    }
    delete object;
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto* h = new GdiHandle(GdiHandle::Kind::Brush);
    h->colour = colour;
    return h;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    auto* h = new GdiHandle(GdiHandle::Kind::Pen);
    h->penStyle = style;
    h->penWidth = width < 1 ? 1 : width;
    h->colour = colour;
    return h;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto* h = new GdiHandle(GdiHandle::Kind::Region);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    h->region = QRegion(QRect(left, top, right - left, bottom - top));
    return h;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    if (!dest || !a || (mode != RGN_COPY && !b))
        return ERROR;
    QRegion r;
    switch (mode) {
    case RGN_AND:
        r = a->region & b->region;
        break;
    case RGN_OR:
        r = a->region | b->region;
        break;
    case RGN_XOR:
        r = a->region ^ b->region;
        break;
    case RGN_DIFF:
        r = a->region - b->region;
        break;
    case RGN_COPY:
        r = a->region;
        break;
    default:
        return ERROR;
    }
    dest->region = r;
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        QScreen* s = QGuiApplication::primaryScreen();
        QRect g = s ? s->geometry() : QRect(0, 0, 1920, 1080);
        return index == SM_CXSCREEN ? g.width() : g.height();
    }
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT, void* out, UINT) {
    if (action == SPI_GETWHEELSCROLLLINES && out) {
        *static_cast<UINT*>(out) = static_cast<UINT>(QGuiApplication::styleHints()->wheelScrollLines());
        return TRUE;
    }
    if (action != SPI_GETWORKAREA || !out)
        return FALSE;
    QScreen* s = QGuiApplication::primaryScreen();
    QRect g = s ? s->availableGeometry() : QRect(0, 0, 1920, 1080);
    *static_cast<RECT*>(out) = RECT{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const double v = static_cast<double>(number) * numerator / denominator;
    return static_cast<int>(std::lround(v));
}
