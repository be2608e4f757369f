// PNG resources through the resource calls and streams into GDI+ bitmaps, drawn with alpha.
#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/Gdiplus.h"
#include "platform/ui/IStream.h"
#include "platform/ui/WinBase.h"
#include "res/ResourceTable.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

const res::SvgSpec kHalfRed[] = {
    {65101, true, 8, 4,
     "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='4'><rect width='4' height='4' "
     "fill='#ff0000'/></svg>"},
};

// The loading sequence the PNG buttons use: resource bytes copied into a movable block.
Gdiplus::Bitmap* LoadPng(UINT id, HGLOBAL* blockOut) {
    HRSRC res = FindResource(nullptr, MAKEINTRESOURCE(id), "PNG");
    if (!res)
        return nullptr;
    const DWORD size = SizeofResource(nullptr, res);
    const void* data = LockResource(LoadResource(nullptr, res));
    if (!size || !data)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    auto* bmp = Gdiplus::Bitmap::FromStream(stream);
    stream->Release();
    *blockOut = block;
    return bmp;
}

TEST(GdiplusTest, PngResourceThroughStreamsDrawsWithAlpha) {
    res::RegisterSvg(kHalfRed);
    HGLOBAL block = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bmp(LoadPng(65101, &block));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(bmp->GetWidth(), 8u);
    EXPECT_EQ(bmp->GetHeight(), 4u);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateBitmap(16, 8, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 16, 8, RGB(0, 0, 255));
    {
        Gdiplus::Graphics g(dc.GetSafeHdc());
        EXPECT_EQ(g.DrawImage(bmp.get(), 0, 0, 16, 8), Gdiplus::Ok); // scaled twice
    }
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(13, 5), RGB(0, 0, 255)); // transparent half leaves the blue

    // Rotate-flip: a horizontal flip moves the red half to the right.
    EXPECT_EQ(bmp->RotateFlip(Gdiplus::RotateNoneFlipX), Gdiplus::Ok);
    Gdiplus::Color c;
    bmp->GetPixel(7, 0, &c);
    EXPECT_EQ(c.GetR(), 255);
    EXPECT_EQ(c.GetA(), 255);
    EXPECT_EQ(bmp->RotateFlip(Gdiplus::Rotate90FlipNone), Gdiplus::Ok);
    EXPECT_EQ(bmp->GetWidth(), 4u);
    dc.SelectObject(old);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GdiplusTest, MissingResourcesAndBadStreamsFail) {
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(65199), "PNG"), nullptr);
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(65101), "WAVE"), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    Gdiplus::Bitmap bad(stream);
    EXPECT_NE(bad.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(bad.GetWidth(), 0u);
    stream->Release(); // frees the block too
    EXPECT_EQ(sndPlaySound("IDR_WAVE1", SND_ASYNC | SND_MEMORY), FALSE);
    EXPECT_TRUE(IsDBCSLeadByte(0x4E2D));
    EXPECT_FALSE(IsDBCSLeadByte('A'));
    EXPECT_LT(GetVersion() & 0xFF, 10u);
    EXPECT_GE(GetVersion() & 0xFF, 5u);
}

} // namespace

#include "platform/ui/PngResource.h"

namespace {

TEST(GdiplusTest, LoadPngResourceLeavesTheImageAloneWhenMissing) {
    res::RegisterSvg(kHalfRed);
    Gdiplus::Image* keep = reinterpret_cast<Gdiplus::Image*>(0x1);
    EXPECT_EQ(LoadPngResource(65198, "PNG", &keep), 0);
    EXPECT_EQ(keep, reinterpret_cast<Gdiplus::Image*>(0x1));
    Gdiplus::Image* image = nullptr;
    ASSERT_EQ(LoadPngResource(65101, "PNG", &image), 1);
    std::unique_ptr<Gdiplus::Image> owned(image);
    EXPECT_EQ(image->GetWidth(), 8u);
}

} // namespace
