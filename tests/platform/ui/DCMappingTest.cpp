#include "platform/ui/DC.h"

#include <gtest/gtest.h>

namespace {

TEST(DCMapping, AnisotropicScalesAroundTheOrigins) {
    CDC dc;
    dc.SetWindowOrg(-10, 5);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 50);
    POINT text[1] = {{0, 0}};
    dc.LPtoDP(text, 1); // MM_TEXT: the extents do not count
    EXPECT_EQ(text[0].x, 10);
    EXPECT_EQ(text[0].y, -5);

    dc.SetMapMode(MM_ANISOTROPIC);
    POINT points[2] = {{0, 5}, {10, 25}};
    dc.LPtoDP(points, 2);
    EXPECT_EQ(points[0].x, 20);
    EXPECT_EQ(points[0].y, 0);
    EXPECT_EQ(points[1].x, 40);
    EXPECT_EQ(points[1].y, 10);
    dc.DPtoLP(points, 2);
    EXPECT_EQ(points[1].x, 10);
    EXPECT_EQ(points[1].y, 25);
}

} // namespace
