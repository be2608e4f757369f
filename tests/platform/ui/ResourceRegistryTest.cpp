// The resource registry: tables of other folders, precedence, and loading through the layer.
#include "platform/ui/Bitmap.h"
#include "platform/ui/Gdiplus.h"
#include "platform/ui/PngResource.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/WinBase.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

const res::ArtSpec kExtraArt[] = {
    {64001, false, 40, 20, "button", 0, "A", 0},
    {64002, true, 16, 16, "led", 3, nullptr, 0x0000FF},
    {213, false, 8, 8, "button", 0, nullptr, 0}, // clashes with nothing in the art table
};
const res::StringSpec kExtraStrings[] = {
    {64010, "Hello", "你好"},
};
const res::SvgSpec kExtraSvg[] = {
    {64020, true, 10, 10,
     "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='10' height='10' "
     "fill='#ff0000'/></svg>"},
};
const res::CursorSpec kExtraCursors[] = {
    {213, 0, 0, nullptr}, // the built-in hand must win
};
const res::MenuItemSpec kExtraMenu[] = {
    {64030, 0, 0, MF_POPUP, "File", "文件"},
    {64030, 1, 64031, 0, "Open", "打开"},
};
const res::DialogItemSpec kExtraItems[] = {
    {1, "Button", 10, 10, 60, 20, 0x50010000, 0, "OK", "确定"},
};
const res::DialogSpec kExtraDialogs[] = {
    {64040, 200, 100, 0, 0, "Extra", "额外", "Arial", -12, kExtraItems},
};

// Registered once for the whole program, as a folder would do.
const res::TableRegistrar g_artReg{kExtraArt};

TEST(ResourceRegistryTest, RegisteredTablesAreFoundAfterTheBuiltInOnes) {
    res::RegisterStrings(kExtraStrings);
    res::RegisterStrings(kExtraStrings); // a second registration changes nothing
    res::RegisterSvg(kExtraSvg);
    res::RegisterCursors(kExtraCursors);
    res::RegisterMenus(kExtraMenu);
    res::RegisterDialogs(kExtraDialogs);

    ASSERT_NE(res::FindArt(64001), nullptr);
    EXPECT_EQ(res::FindArt(64001)->width, 40);
    EXPECT_EQ(res::FindArt(64099), nullptr);
    EXPECT_EQ(res::FindCursor(213)->hotX, 5); // built-in row first
    EXPECT_EQ(res::FindMenu(64030).size(), 2u);
    ASSERT_NE(res::FindDialog(64040), nullptr);
    EXPECT_EQ(res::FindDialog(64040)->items.size(), 1u);

    CString text;
    ResourceLoader::SetChinese(FALSE);
    EXPECT_TRUE(ResourceLoader::LoadString(64010, text));
    EXPECT_EQ(text, CString("Hello"));
    ResourceLoader::SetChinese(TRUE);
    EXPECT_TRUE(ResourceLoader::LoadString(64010, text));
    EXPECT_EQ(text, CString("你好"));
    ResourceLoader::SetChinese(FALSE);
    EXPECT_FALSE(ResourceLoader::LoadString(64011, text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(ResourceRegistryTest, ImagesOfRegisteredRowsLoadWithTheirKind) {
    res::RegisterSvg(kExtraSvg);
    const QImage bmp = ResourceLoader::LoadBitmapImage(64001);
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(bmp.size(), QSize(40, 20));
    EXPECT_FALSE(bmp.hasAlphaChannel());
    EXPECT_TRUE(ResourceLoader::LoadPngImage(64001).isNull()); // a bitmap is not a PNG
    const QImage png = ResourceLoader::LoadPngImage(64002);
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0); // round lamp: transparent corner

    const QImage svg = ResourceLoader::LoadPngImage(64020); // inline SVG text
    ASSERT_FALSE(svg.isNull());
    EXPECT_EQ(QColor(svg.pixel(5, 5)), QColor(255, 0, 0));

    QCursor hand;
    ASSERT_TRUE(ResourceLoader::LoadCursor(213, &hand));
    EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
}

TEST(ResourceRegistryTest, RowsAddedAtRunTimeWinOverTables) {
    res::AddString({64010, "Override", "覆盖"});
    CString text;
    ResourceLoader::SetChinese(FALSE);
    EXPECT_TRUE(ResourceLoader::LoadString(64010, text));
    EXPECT_EQ(text, CString("Override"));
}

// Bitmaps and PNG images made from resources know their size before anything is painted, and draw
// the registry's image itself: no PNG file in between (whose 8-bit straight alpha would change
// the antialiased edge of a round lamp).
TEST(ResourceRegistryTest, ResourceBitmapsAndPngImagesDrawTheRegistrysImageItself) {
    res::RegisterArt(kExtraArt);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(64001));
    EXPECT_EQ(bitmap.GetBitmapDimension(), CSize(40, 20));
    BITMAP info{};
    ASSERT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmWidthBytes, 160);
    EXPECT_EQ(bitmap.Image(), ResourceLoader::LoadBitmapImage(64001));
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(64099));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);

    const QImage lamp = ResourceLoader::LoadPngImage(64002);
    Gdiplus::Image* image = nullptr;
    ASSERT_EQ(LoadPngResource(64002, "PNG", &image), 1);
    std::unique_ptr<Gdiplus::Image> owned(image);
    EXPECT_EQ(image->GetWidth(), 16u);
    EXPECT_EQ(image->GetHeight(), 16u);
    EXPECT_EQ(image->Pixels(), lamp);
    EXPECT_EQ(LoadPngResource(64099, "PNG", &image), 0);
    // A caller that reads the bytes still gets a PNG file of the same size.
    HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(64002), "PNG");
    ASSERT_NE(found, nullptr);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(static_cast<const uchar*>(LockResource(LoadResource(nullptr, found))),
                                     static_cast<int>(SizeofResource(nullptr, found))));
    EXPECT_EQ(decoded.size(), QSize(16, 16));
}

} // namespace
