// The main view's art: every image loads at the size its control is laid out for, the two
// languages and the states really differ, the title-band buttons blend into the background
// where they sit, and a sheet of all of it to look at.
#include "platform/ui/ResourceLoader.h"
#include "res/ResourceTable.h"
#include "res/SkinPainter.h"
#include "support/RenderToPng.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace {

struct Expected {
    UINT id;
    int width;
    int height;
    bool png;
};

// The sizes follow the main view's pixel layout (and the dialogs' for 275, 883, 884).
const Expected kImages[] = {
    {285, 1280, 720, false}, {284, 1280, 720, false}, {757, 101, 25, false},   {756, 101, 25, false},
    {718, 75, 19, false},    {716, 75, 19, false},    {772, 1196, 411, false}, {778, 1196, 411, false},
    {832, 23, 21, false},    {833, 7, 15, false},     {836, 110, 26, false},   {837, 110, 26, false},
    {883, 96, 24, false},    {884, 96, 24, false},    {895, 51, 25, false},    {896, 51, 25, false},
    {275, 110, 106, false},  {4303, 51, 25, false},   {4304, 51, 25, false},   {4305, 51, 25, false},
    {4306, 51, 25, false},   {4307, 51, 25, false},   {4308, 51, 25, false},   {4313, 51, 25, false},
    {4314, 51, 25, false},   {4315, 51, 25, false},   {4316, 51, 25, false},   {4317, 51, 25, false},
    {4318, 51, 25, false},   {4946, 24, 20, false},   {4947, 24, 20, false},   {4948, 24, 20, false},
    {4949, 24, 20, false},   {773, 80, 28, false},    {774, 80, 28, false},    {775, 80, 28, false},
    {776, 80, 28, false},    {779, 80, 28, false},    {780, 80, 28, false},    {781, 80, 28, false},
    {782, 80, 28, false},    {869, 80, 28, false},    {870, 80, 28, false},    {872, 80, 28, false},
    {873, 80, 28, false},    {8101, 75, 25, false},   {8102, 75, 25, false},   {8103, 75, 25, false},
    {8111, 75, 25, false},   {8112, 75, 25, false},   {8113, 75, 25, false},   {8121, 75, 25, false},
    {8122, 75, 25, false},   {8123, 75, 25, false},   {8131, 75, 25, false},   {8132, 75, 25, false},
    {8133, 75, 25, false},   {8141, 75, 25, false},   {8142, 75, 25, false},   {8143, 75, 25, false},
    {8151, 75, 25, false},   {8152, 75, 25, false},   {8153, 75, 25, false},   {8701, 80, 28, false},
    {8702, 80, 28, false},   {8710, 80, 28, false},   {8711, 80, 28, false},   {8720, 80, 28, false},
    {8721, 80, 28, false},   {8730, 80, 28, false},   {8731, 80, 28, false},   {8740, 120, 26, false},
    {8741, 120, 26, false},  {8742, 120, 26, false},  {8743, 120, 26, false},  {8750, 120, 26, false},
    {8751, 120, 26, false},  {8752, 120, 26, false},  {8753, 120, 26, false},  {273, 64, 64, true},
    {128, 32, 32, true},
};

QImage Load(const Expected& e) {
    return e.png ? ResourceLoader::LoadPngImage(e.id) : ResourceLoader::LoadBitmapImage(e.id);
}

TEST(ShellArtTest, EveryImageLoadsAtItsLayoutSizeAndKind) {
    for (const Expected& e : kImages) {
        const QImage img = Load(e);
        ASSERT_FALSE(img.isNull()) << e.id;
        EXPECT_EQ(img.size(), QSize(e.width, e.height)) << e.id;
        EXPECT_EQ(res::PaintArt(*res::FindArt(e.id)), img) << e.id << " drawn differently the second time";
        EXPECT_EQ(img.hasAlphaChannel(), e.png) << e.id;
        // Only the other kind's loader refuses it, so a control asking for the wrong kind sees nothing.
        EXPECT_TRUE(
            (e.png ? ResourceLoader::LoadBitmapImage(e.id) : ResourceLoader::LoadPngImage(e.id)).isNull())
            << e.id;
    }
    for (UINT icon : {273u, 128u}) // rounded tile: the corner shows what lies under the icon
        EXPECT_EQ(qAlpha(ResourceLoader::LoadPngImage(icon).pixel(0, 0)), 0) << icon;
}

// Pairs a copy-paste slip in the table would make equal: the two languages of one control, and
// the looks of one control that the user must tell apart.
TEST(ShellArtTest, LanguagesAndStatesLookDifferent) {
    const std::pair<UINT, UINT> pairs[] = {
        // Chinese, English
        {285, 284},
        {757, 756},
        {772, 778},
        {773, 775},
        {774, 776},
        {780, 782},
        {779, 781},
        {870, 873},
        {869, 872},
        {4313, 4303},
        {4316, 4306},
        {8131, 8101},
        {8132, 8102},
        {8701, 8720},
        {8702, 8721},
        {8710, 8730},
        {8711, 8731},
        {8741, 8743},
        {8750, 8752},
        {8751, 8753},
        {8740, 8742},
        // normal, hover or pressed
        {773, 774},
        {780, 779},
        {773, 780},
        {870, 869},
        {4303, 4304},
        {4303, 4305},
        {8101, 8111},
        {8101, 8121},
        {8701, 8710},
        {8741, 8750},
        {8751, 8740},
        {4946, 4947},
        {4948, 4949},
        {836, 837},
        {883, 884},
        {895, 896},
        {718, 716},
        // one control's different meanings
        {8741, 8751},
        {8743, 8753},
        {8701, 8702},
        {4303, 4306},
        {8101, 8102},
        {8101, 8103},
        {4946, 4948},
    };
    for (const auto& [a, b] : pairs)
        EXPECT_NE(ResourceLoader::LoadBitmapImage(a), ResourceLoader::LoadBitmapImage(b)) << a << " vs " << b;
}

struct Placed {
    UINT id; // the English look; the Chinese one is checked through the language table below
    int x;
    int y;
};
// The shown controls of the title band at their layout positions.
const Placed kBand[] = {
    {836, 70, 34},    {836, 290, 34},   {873, 760, 33},  {775, 850, 33},  {8720, 940, 33},
    {8721, 1030, 33}, {8753, 1140, 34}, {4946, 1218, 4}, {4948, 1248, 4},
};
const std::pair<UINT, UINT> kChinese[] = {{873, 870}, {775, 773}, {8720, 8701}, {8721, 8702}, {8753, 8751}};

UINT InLanguage(UINT id, bool chinese) {
    if (chinese)
        for (const auto& [en, zh] : kChinese)
            if (en == id)
                return zh;
    return id;
}

// A button whose corners do not match the band shows dark notches around it on the real view.
TEST(ShellArtTest, BandButtonsBlendIntoTheBackgroundWhereTheySit) {
    for (bool chinese : {false, true}) {
        const QImage bg = ResourceLoader::LoadBitmapImage(chinese ? 285 : 284);
        for (const Placed& c : kBand) {
            const QImage art = ResourceLoader::LoadBitmapImage(InLanguage(c.id, chinese));
            ASSERT_FALSE(art.isNull()) << c.id;
            for (const QPoint corner : {QPoint(0, 0), QPoint(art.width() - 1, art.height() - 1)})
                EXPECT_EQ(art.pixel(corner), bg.pixel(c.x + corner.x(), c.y + corner.y()))
                    << c.id << " chinese " << chinese << " corner " << corner.x() << "," << corner.y();
        }
    }
}

// Art of the small dialogs sits on their light dialog brush.
TEST(ShellArtTest, DialogArtBlendsIntoTheDialogFace) {
    const QRgb face = qRgb(0xE3, 0xE4, 0xEE);
    for (UINT id : {883u, 884u, 275u}) {
        const QImage art = ResourceLoader::LoadBitmapImage(id);
        ASSERT_FALSE(art.isNull()) << id;
        EXPECT_EQ(art.pixel(0, 0), face) << id;
        EXPECT_EQ(art.pixel(art.width() - 1, art.height() - 1), face) << id;
    }
}

// The band: its captions are written (text pixels stand out), the separator at y 63 divides the
// band from the page area, and nothing is drawn where the hidden controls would sit.
TEST(ShellArtTest, BackgroundCarriesTheBandOfItsLanguage) {
    const QImage en = ResourceLoader::LoadBitmapImage(284), zh = ResourceLoader::LoadBitmapImage(285);
    const QRect captions[] = {QRect(8, 34, 58, 26), QRect(210, 34, 76, 26), QRect(10, 4, 100, 24)};
    for (const QImage* img : {&en, &zh}) {
        for (const QRect& r : captions) {
            const QRgb band = img->pixel(r.left(), r.top());
            int text = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    text += qGray(img->pixel(x, y)) > qGray(band) + 60;
            EXPECT_GT(text, 20) << r.x() << "," << r.y();
        }
        EXPECT_LT(qGray(img->pixel(640, 63)), qGray(img->pixel(640, 62)));
        EXPECT_LT(qGray(img->pixel(640, 63)), qGray(img->pixel(640, 64)));
        EXPECT_EQ(img->pixel(600, 200), img->pixel(100, 200)); // a plain page area, row by row
    }
    EXPECT_NE(en.copy(8, 34, 58, 26), zh.copy(8, 34, 58, 26));
    EXPECT_NE(en.copy(210, 34, 76, 26), zh.copy(210, 34, 76, 26));
    EXPECT_EQ(en.copy(0, 64, 1280, 656), zh.copy(0, 64, 1280, 656));
}

// Every image on one sheet, and the band as the view composes it, for looking.
TEST(ShellArtTest, SheetOfAllTheArt) {
    std::set<UINT> seen;
    const int sheetW = 1300, pad = 6;
    QImage sheet(sheetW, 2400, QImage::Format_RGB32);
    sheet.fill(QColor(0x10, 0x12, 0x16));
    QPainter p(&sheet);
    p.setPen(QColor(0x80, 0x88, 0x96));
    QFont font;
    font.setPixelSize(10);
    p.setFont(font);
    int x = pad, y = pad, rowH = 0;
    for (const Expected& e : kImages) {
        if (e.width > 600)
            continue;
        ASSERT_TRUE(seen.insert(e.id).second) << "listed twice: " << e.id;
        const QImage img = Load(e);
        const int cellW = std::max(e.width, 40) + pad;
        if (x + cellW > sheetW) {
            x = pad;
            y += rowH + 14 + pad;
            rowH = 0;
        }
        p.drawImage(x, y, img);
        p.drawText(x, y + e.height + 11, QString::number(e.id));
        x += cellW;
        rowH = std::max(rowH, e.height);
    }
    y += rowH + 14 + pad;
    for (bool chinese : {false, true}) {
        const QImage bg = ResourceLoader::LoadBitmapImage(chinese ? 285 : 284);
        QImage view = bg.copy();
        QPainter v(&view);
        for (const Placed& c : kBand)
            v.drawImage(c.x, c.y, ResourceLoader::LoadBitmapImage(InLanguage(c.id, chinese)));
        v.end();
        p.drawImage(pad, y, view.copy(0, 0, 1280, 140));
        y += 140 + pad;
        view.save(r9test::TestOutDir() + (chinese ? "/shell_art_view_zh.png" : "/shell_art_view_en.png"));
    }
    p.drawImage(pad, y,
                ResourceLoader::LoadBitmapImage(772).scaled(598, 206, Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation));
    p.drawImage(pad + 610, y,
                ResourceLoader::LoadBitmapImage(778).scaled(598, 206, Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation));
    y += 206 + pad;
    p.end();
    sheet.copy(0, 0, sheetW, y).save(r9test::TestOutDir() + "/shell_art_sheet.png");
    EXPECT_EQ(seen.size() + 4, std::size(kImages)); // the four large ones are shown scaled or composed
}

} // namespace
