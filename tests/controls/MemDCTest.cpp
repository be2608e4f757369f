#include "controls/MemDC.h"

#include "platform/ui/Bitmap.h"

#include <gtest/gtest.h>

namespace {

// A memory DC as the target: its pixels can be read back.
struct Target {
    Target() {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(100, 60, 1, 32, nullptr); // black
        old = dc.SelectObject(&bitmap);
    }
    ~Target() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST(MemDCTest, DrawsInTargetCoordinatesClippedToTheRectangleAndCopiesBackOnce) {
    Target t;
    t.dc.SetBkColor(RGB(0, 0, 255));
    const CRect rc(10, 10, 50, 40);
    {
        CMemDC mem(&t.dc, &rc);
        EXPECT_TRUE(mem.IsMemDC());
        mem.FillSolidRect(20, 20, 10, 10, RGB(255, 0, 0));
        mem.FillSolidRect(45, 35, 20, 20, RGB(0, 255, 0)); // partly outside the rectangle
        EXPECT_EQ(t.dc.GetPixel(25, 25), RGB(0, 0, 0));    // nothing reaches the target before the end
    }
    EXPECT_EQ(t.dc.GetPixel(25, 25), RGB(255, 0, 0));
    EXPECT_EQ(t.dc.GetPixel(12, 12), RGB(0, 0, 255)); // started from the background colour
    EXPECT_EQ(t.dc.GetPixel(48, 38), RGB(0, 255, 0));
    EXPECT_EQ(t.dc.GetPixel(55, 38), RGB(0, 0, 0)); // clipped to the rectangle
    EXPECT_EQ(t.dc.GetPixel(5, 5), RGB(0, 0, 0));
}

TEST(MemDCTest, CopiesTheTargetFirstWhenAskedAndUsesTheClipBoxWithoutARectangle) {
    Target t;
    t.dc.FillSolidRect(0, 0, 100, 60, RGB(10, 20, 30));
    {
        CMemDC mem(&t.dc, nullptr, TRUE);
        EXPECT_EQ(mem.Rect(), CRect(0, 0, 100, 60));
        mem.FillSolidRect(0, 0, 5, 5, RGB(200, 200, 200));
    }
    EXPECT_EQ(t.dc.GetPixel(50, 50), RGB(10, 20, 30));
    EXPECT_EQ(t.dc.GetPixel(2, 2), RGB(200, 200, 200));
}

} // namespace
