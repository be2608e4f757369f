#include "platform/core/Rect.h"

#include <gtest/gtest.h>

TEST(CPointCSize, Arithmetic) {
    CPoint p(10, 20);
    EXPECT_EQ(p + CSize(1, 2), CPoint(11, 22));
    EXPECT_EQ(p - CSize(1, 2), CPoint(9, 18));
    EXPECT_EQ(p - CPoint(4, 5), CSize(6, 15));
    EXPECT_EQ(CSize(1, 1) + p, CPoint(11, 21));
    EXPECT_EQ(-p, CPoint(-10, -20));
    p += CSize(5, 5);
    p.Offset(-1, 1);
    EXPECT_EQ(p, CPoint(14, 26));
    EXPECT_TRUE(p != CPoint(14, 27));
    EXPECT_EQ(CSize(3, 4) - CSize(1, 1), CSize(2, 3));
}

TEST(CRect, GeometryIsRightAndBottomExclusive) {
    const CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(20, 40));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(30, 60));
    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));

    struct Hit {
        CPoint p;
        bool in;
    } hits[] = {
        {{10, 20}, true},  {{29, 59}, true}, {{30, 40}, false},
        {{20, 60}, false}, {{9, 40}, false}, {{20, 19}, false},
    };
    for (const auto& h : hits)
        EXPECT_EQ(r.PtInRect(h.p), h.in) << h.p.x << "," << h.p.y;
    EXPECT_FALSE(CRect(30, 60, 10, 20).PtInRect(CPoint(20, 40))); // not normalised

    struct Empty {
        CRect r;
        bool empty;
    } empties[] = {{{0, 0, 1, 1}, false}, {{0, 0, 0, 5}, true}, {{0, 0, 5, 0}, true}, {{5, 5, 0, 10}, true}};
    for (const auto& e : empties)
        EXPECT_EQ(e.r.IsRectEmpty(), e.empty);
}

TEST(CRect, EditingOperations) {
    CRect r(30, 60, 10, 20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 60));
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 17, 32, 63));
    r.DeflateRect(2, 3);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(11, 22, 27, 56));
    r.InflateRect(CRect(1, 2, 3, 4));
    r.OffsetRect(5, -20);
    EXPECT_EQ(r, CRect(15, 0, 35, 40));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 20, 40));
    EXPECT_EQ(r + CPoint(1, 1), CRect(1, 1, 21, 41));
    EXPECT_EQ(r - CSize(1, 1), CRect(-1, -1, 19, 39));
}

TEST(CRect, IntersectAndUnion) {
    struct Case {
        CRect a, b;
        bool meets;
        CRect inter;
        CRect uni;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, true, {5, 5, 10, 10}, {0, 0, 15, 15}},
        // Touching edges share no pixel.
        {{0, 0, 10, 10}, {10, 0, 20, 10}, false, {0, 0, 0, 0}, {0, 0, 20, 10}},
        {{0, 0, 10, 10}, {20, 20, 30, 30}, false, {0, 0, 0, 0}, {0, 0, 30, 30}},
        // An empty rectangle meets nothing and adds nothing to a union.
        {{0, 0, 10, 10}, {2, 2, 2, 8}, false, {0, 0, 0, 0}, {0, 0, 10, 10}},
        {{5, 5, 5, 5}, {1, 1, 3, 3}, false, {0, 0, 0, 0}, {1, 1, 3, 3}},
    };
    for (const auto& c : cases) {
        CRect r(7, 7, 8, 8);
        EXPECT_EQ(r.IntersectRect(c.a, c.b), c.meets);
        EXPECT_EQ(r, c.inter);
        EXPECT_TRUE(r.UnionRect(c.a, c.b));
        EXPECT_EQ(r, c.uni);
        EXPECT_EQ(c.a & c.b, c.inter);
        EXPECT_EQ(c.a | c.b, c.uni);
    }
    CRect both(1, 1, 9, 9);
    EXPECT_FALSE(both.UnionRect(CRect(0, 0, 0, 0), CRect(4, 4, 4, 9)));
    EXPECT_TRUE(both.IsRectNull());
    // Operators may use the target as a source.
    CRect self(0, 0, 10, 10);
    self &= CRect(5, 5, 20, 20);
    EXPECT_EQ(self, CRect(5, 5, 10, 10));
    self |= CRect(0, 0, 1, 1);
    EXPECT_EQ(self, CRect(0, 0, 10, 10));
    LPCRECT asPointer = self;
    EXPECT_EQ(asPointer->right, 10);
}
