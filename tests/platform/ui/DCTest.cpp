// Pixel rules of the drawing layer, checked in a memory DC.
#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"
#include "platform/ui/Rgn.h"

#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory DC over a white bitmap.
struct Surface {
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;
    Surface(int w, int h) {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateBitmap(w, h, 1, 32, nullptr);
        old = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
    ~Surface() { dc.SelectObject(old); }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    // Bounding box of the pixels that are not white, exclusive on the right and bottom.
    CRect Painted() const {
        CRect r(1000, 1000, -1000, -1000);
        const QImage& img = bmp.Image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
};

TEST(DCTest, FillsLeaveOutRightAndBottomEdges) {
    Surface s(20, 20);
    s.dc.FillSolidRect(CRect(2, 3, 7, 9), kRed);
    EXPECT_EQ(s.Painted(), CRect(2, 3, 7, 9));
    EXPECT_EQ(s.dc.GetBkColor(), kRed); // FillSolidRect leaves its colour as background colour

    Surface b(20, 20);
    CBrush brush(kBlue);
    b.dc.FillRect(CRect(5, 5, 6, 6), &brush);
    EXPECT_EQ(b.Painted(), CRect(5, 5, 6, 6));
    b.dc.FillRect(CRect(8, 8, 8, 12), &brush); // empty: nothing
    EXPECT_EQ(b.Painted(), CRect(5, 5, 6, 6));
}

TEST(DCTest, RectangleOutlineAndFill) {
    Surface s(20, 20);
    CPen pen(PS_SOLID, 1, kBlack);
    CBrush brush(kRed);
    s.dc.SelectObject(&pen);
    s.dc.SelectObject(&brush);
    s.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(s.Painted(), CRect(2, 2, 8, 6));
    EXPECT_EQ(s.At(2, 2), kBlack);
    EXPECT_EQ(s.At(7, 5), kBlack);
    EXPECT_EQ(s.At(3, 3), kRed);
    EXPECT_EQ(s.At(6, 4), kRed);

    // Without a pen the fill is one pixel smaller on the right and bottom.
    Surface n(20, 20);
    n.dc.SelectStockObject(NULL_PEN);
    n.dc.SelectObject(&brush);
    n.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(n.Painted(), CRect(2, 2, 7, 5));
}

TEST(DCTest, LinesLeaveOutTheirEndPoint) {
    struct Case {
        CPoint from, to;
        CRect painted;
    };
    const Case cases[] = {
        {{2, 5}, {9, 5}, {2, 5, 9, 6}},  // right
        {{9, 5}, {2, 5}, {3, 5, 10, 6}}, // left
        {{4, 1}, {4, 8}, {4, 1, 5, 8}},  // down
        {{4, 8}, {4, 1}, {4, 2, 5, 9}},  // up
        {{1, 1}, {6, 6}, {1, 1, 6, 6}},  // diagonal
    };
    for (const Case& c : cases) {
        Surface s(12, 12);
        CPen pen(PS_SOLID, 1, kBlack);
        s.dc.SelectObject(&pen);
        s.dc.MoveTo(c.from);
        s.dc.LineTo(c.to);
        EXPECT_EQ(s.Painted(), c.painted) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
        EXPECT_EQ(s.At(c.to.x, c.to.y), kWhite);
        EXPECT_EQ(s.dc.GetCurrentPosition(), c.to);
    }
}

TEST(DCTest, Draw3dRectAndEdges) {
    Surface s(10, 10);
    s.dc.Draw3dRect(CRect(1, 1, 6, 5), kRed, kBlue);
    EXPECT_EQ(s.At(1, 1), kRed);
    EXPECT_EQ(s.At(4, 1), kRed);
    EXPECT_EQ(s.At(5, 1), kBlue); // top-right corner belongs to the right edge
    EXPECT_EQ(s.At(1, 4), kBlue); // bottom-left corner belongs to the bottom edge
    EXPECT_EQ(s.At(5, 4), kBlue);
    EXPECT_EQ(s.At(3, 2), kWhite);
    EXPECT_EQ(s.Painted(), CRect(1, 1, 6, 5));

    Surface e(10, 10);
    CRect rc(0, 0, 8, 8);
    e.dc.DrawEdge(&rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(rc, CRect(2, 2, 6, 6));
    EXPECT_EQ(e.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(e.At(7, 7), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(e.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(e.At(6, 6), GetSysColor(COLOR_3DLIGHT));
}

// Source and destination pixels combined by the raster operations.
TEST(DCTest, RasterOperations) {
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const COLORREF src = RGB(0xF0, 0x0F, 0x55), dst = RGB(0x3C, 0x3C, 0xFF);
    const Case cases[] = {
        {SRCCOPY, src},
        {SRCAND, RGB(0x30, 0x0C, 0x55)},
        {SRCPAINT, RGB(0xFC, 0x3F, 0xFF)},
        {SRCINVERT, RGB(0xCC, 0x33, 0xAA)},
    };
    for (const Case& c : cases) {
        Surface from(4, 4), to(4, 4);
        from.dc.FillSolidRect(0, 0, 4, 4, src);
        to.dc.FillSolidRect(0, 0, 4, 4, dst);
        ASSERT_TRUE(to.dc.BitBlt(1, 1, 2, 2, &from.dc, 0, 0, c.rop));
        EXPECT_EQ(to.At(1, 1), c.expected) << std::hex << c.rop;
        EXPECT_EQ(to.At(2, 2), c.expected) << std::hex << c.rop;
        EXPECT_EQ(to.At(3, 3), dst) << std::hex << c.rop;
        EXPECT_EQ(to.At(0, 0), dst) << std::hex << c.rop;
    }
}

// The colour-key mask idiom: colour to monochrome by the source's background colour, then
// monochrome back to colour with the target's text and background colours.
TEST(DCTest, ColourKeyMaskThroughMonochromeBitmap) {
    Surface image(4, 1);
    image.dc.SetPixel(0, 0, kRed);
    image.dc.SetPixel(1, 0, RGB(1, 2, 3));
    image.dc.SetPixel(2, 0, kRed);
    image.dc.SetPixel(3, 0, kBlue);

    CDC maskDC;
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateBitmap(4, 1, 1, 1, nullptr);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    ASSERT_TRUE(maskDC.IsMonochrome());
    image.dc.SetBkColor(kRed);
    maskDC.BitBlt(0, 0, 4, 1, &image.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(maskDC.GetPixel(0, 0), kWhite);
    EXPECT_EQ(maskDC.GetPixel(1, 0), kBlack);
    EXPECT_EQ(maskDC.GetPixel(2, 0), kWhite);
    EXPECT_EQ(maskDC.GetPixel(3, 0), kBlack);

    Surface target(4, 1);
    target.dc.FillSolidRect(0, 0, 4, 1, RGB(0, 200, 0));
    target.dc.SetBkColor(kWhite);
    target.dc.SetTextColor(kBlack);
    // Mask with AND keeps the background where the key was, clears the rest.
    target.dc.BitBlt(0, 0, 4, 1, &maskDC, 0, 0, SRCAND);
    EXPECT_EQ(target.At(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(target.At(1, 0), kBlack);
    maskDC.SelectObject(oldMask);
}

TEST(DCTest, StretchAndTransparentBlits) {
    Surface src(2, 1);
    src.dc.SetPixel(0, 0, kRed);
    src.dc.SetPixel(1, 0, kBlue);
    Surface to(8, 2);
    to.dc.SetStretchBltMode(COLORONCOLOR);
    to.dc.StretchBlt(0, 0, 8, 2, &src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(to.At(0, 0), kRed);
    EXPECT_EQ(to.At(3, 1), kRed);
    EXPECT_EQ(to.At(4, 0), kBlue);
    EXPECT_EQ(to.At(7, 1), kBlue);

    Surface keyed(2, 1);
    keyed.dc.TransparentBlt(0, 0, 2, 1, &src.dc, 0, 0, 2, 1, kRed);
    EXPECT_EQ(keyed.At(0, 0), kWhite);
    EXPECT_EQ(keyed.At(1, 0), kBlue);
}

// Plain blits draw from the source where they can; these must still come out as a copy would.
TEST(DCTest, PlainBlitsCopyTheSourceRectangle) {
    // Within one surface, overlapping: the pixels move as they were before the blit.
    Surface self(4, 1);
    self.dc.SetPixel(0, 0, kRed);
    self.dc.SetPixel(1, 0, kBlue);
    self.dc.BitBlt(1, 0, 3, 1, &self.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(self.At(0, 0), kRed);
    EXPECT_EQ(self.At(1, 0), kRed);
    EXPECT_EQ(self.At(2, 0), kBlue);
    EXPECT_EQ(self.At(3, 0), kWhite);

    // A source with its own window origin.
    Surface src(4, 4);
    src.dc.SetPixel(2, 3, kBlue);
    src.dc.SetWindowOrg(2, 2);
    Surface to(4, 4);
    to.dc.BitBlt(0, 0, 2, 2, &src.dc, 3, 4, SRCCOPY); // device (1, 2)
    EXPECT_EQ(to.At(1, 1), kBlue);
    EXPECT_EQ(to.Painted(), CRect(1, 1, 2, 2));

    // A source rectangle reaching past the source: what lies outside comes as black.
    Surface edge(4, 1);
    edge.dc.BitBlt(0, 0, 4, 1, &self.dc, 2, 0, SRCCOPY);
    EXPECT_EQ(edge.At(0, 0), kBlue);
    EXPECT_EQ(edge.At(1, 0), kWhite);
    EXPECT_EQ(edge.At(2, 0), kBlack);
    EXPECT_EQ(edge.At(3, 0), kBlack);
}

TEST(DCTest, OriginsAndClipping) {
    Surface s(20, 20);
    s.dc.SetWindowOrg(5, 5);
    s.dc.FillSolidRect(5, 5, 2, 2, kRed); // logical (5,5) is device (0,0)
    EXPECT_EQ(s.Painted(), CRect(0, 0, 2, 2));
    s.dc.SetWindowOrg(0, 0);

    Surface c(20, 20);
    c.dc.IntersectClipRect(4, 4, 8, 8);
    c.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(c.Painted(), CRect(4, 4, 8, 8));
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(4, 4, 8, 8));

    Surface r(20, 20);
    CRgn a, b;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    a.CombineRgn(&a, &b, RGN_AND);
    r.dc.SelectClipRgn(&a);
    r.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(r.Painted(), CRect(5, 5, 10, 10));
    r.dc.SelectClipRgn(nullptr);
    r.dc.SetPixel(0, 0, kRed);
    EXPECT_EQ(r.At(0, 0), kRed);
}

TEST(DCTest, SaveAndRestoreState) {
    Surface s(4, 4);
    s.dc.SetTextColor(kRed);
    const int saved = s.dc.SaveDC();
    s.dc.SetTextColor(kBlue);
    s.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(s.dc.RestoreDC(saved));
    EXPECT_EQ(s.dc.GetTextColor(), kRed);
    EXPECT_EQ(s.dc.GetBkMode(), OPAQUE);
    EXPECT_FALSE(s.dc.RestoreDC(saved));
}

TEST(DCTest, TextMeasuresAndCalcRect) {
    Surface s(200, 40);
    CFont font;
    font.CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    s.dc.SelectObject(&font);
    const CSize one = s.dc.GetTextExtent("W");
    const CSize two = s.dc.GetTextExtent("WW");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);
    CRect rc(10, 10, 10, 10);
    const int h = s.dc.DrawText("Hello", &rc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.Width(), s.dc.GetTextExtent("Hello").cx);
    EXPECT_EQ(rc.Height(), h);
    EXPECT_EQ(s.Painted(), CRect(1000, 1000, -1000, -1000)); // measuring draws nothing

    // Text stays inside its rectangle unless DT_NOCLIP.
    s.dc.SetBkMode(TRANSPARENT);
    CRect clip(0, 0, 12, 30);
    s.dc.DrawText("Wide words here", &clip, DT_SINGLELINE | DT_LEFT);
    EXPECT_LE(s.Painted().right, 12);
    // With an ellipsis the drawn string is shortened and written back.
    CString text("A long caption that cannot fit");
    CRect narrow(0, 0, 60, 20);
    s.dc.DrawText(text, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_LT(text.GetLength(), 30);
    EXPECT_NE(text.Find("\xE2\x80\xA6"), -1);
}

TEST(DCTest, FontHeightsAt96Dpi) {
    CFont em, point;
    em.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    LOGFONT lf{};
    em.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -14);
    EXPECT_EQ(CFont::MakeQFont(lf).pixelSize(), 14);
    EXPECT_EQ(CFont::MakeQFont(lf).families().front(), "Liberation Sans");
    EXPECT_EQ(CFont::MakeQFont(lf).weight(), QFont::Bold);
    point.CreatePointFont(100, "Arial");
    point.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -13);
    std::strcpy(lf.lfFaceName, "Microsoft Verdana");
    EXPECT_EQ(CFont::MakeQFont(lf).families().front(), "DejaVu Sans");
    std::strcpy(lf.lfFaceName, "宋体");
    EXPECT_EQ(CFont::MakeQFont(lf).families().front(), "Noto Sans CJK SC");
    // A positive height is the cell height: the em is smaller.
    lf.lfHeight = 16;
    std::strcpy(lf.lfFaceName, "Arial");
    EXPECT_LT(CFont::MakeQFont(lf).pixelSize(), 16);
}

TEST(DCTest, SelectedObjectOutlivesItsOwner) {
    Surface s(4, 4);
    CPen* old = nullptr;
    {
        CPen pen(PS_SOLID, 1, kRed);
        old = s.dc.SelectObject(&pen);
    } // deleted while selected: the DC keeps it until deselected
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(3, 0);
    EXPECT_EQ(s.At(1, 0), kRed);
    s.dc.SelectObject(old);
}

} // namespace
