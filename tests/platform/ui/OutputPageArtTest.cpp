// The output page's art: every image loads at the size its control is laid out for, the languages
// and the looks a user must tell apart differ, the opaque buttons blend into the panel where they
// sit, and sheets of the page composed from its art (both languages, locked) to look at.
#include "platform/ui/ResourceLoader.h"
#include "res/OutputPageArt.h"
#include "res/ResourceTable.h"
#include "res/SkinPainter.h"
#include "support/RenderToPng.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using namespace res::outpage;

struct Expected {
    UINT first; // a run of ids of one size
    UINT last;
    int width;
    int height;
    bool png;
};

const Expected kImages[] = {
    {286, 287, 1280, 656, false}, // backgrounds
    {784, 785, 1280, 656, false},
    {526, 531, 54, 22, false}, // master on/off
    {kMasterOnZh, kMasterOnZh + 5, 54, 22, false},
    {7000, 7005, 42, 20, false},
    {8820, 8823, 42, 20, false},
    {359, 360, 42, 20, false},
    {740, 747, 42, 20, false},
    {796, 797, 42, 20, false},
    {786, 787, 54, 22, false},
    {798, 799, 54, 22, false},
    {808, 811, 54, 22, false},
    {4350, 4355, 54, 22, false},
    {4360, 4365, 54, 22, false},
    {452, 457, 114, 20, false},
    {459, 464, 114, 20, false},
    {kPolarityNormal, kPolarityInverted, 40, 20, false},
    {kLinkIndicator, kLinkIndicator, 26, 13, false},
    {kGroupPicture, kGroupPicture, 16, 16, false},
    {357, 357, 26, 150, false}, // source fader
    {358, 358, 26, 12, false},
    {282, 282, 26, 12, false},
    {539, 539, 26, 150, false}, // subwoofer fader
    {538, 538, 26, 12, false},
    {4410, 4410, 26, 12, false},
    {610, 610, 20, 100, false}, // band faders
    {614, 616, 20, 100, false},
    {611, 613, 20, 10, false},
    {697, 699, 76, 20, false},
    {2827, 2828, 44, 18, false},
    {2830, 2838, 28, 18, false},
    {8830, 8833, 26, 14, false},
    {800, 803, 70, 20, false},
    {kMapLockEn, kMapLockEn + 11, 92, 22, false},
    {kMapLinkEn, kMapLinkEn + 11, 92, 22, false},
    {kMapResetEn, kMapSaveEn + 5, 60, 22, false},
    {kLevelPageEn, kLevelPageEn + 5, 114, 22, false},
    {kDelayUnitMs, kDelayUnitInch + 2, 36, 20, false},
    {kDelayUnitMsZh, kDelayUnitInchZh + 2, 36, 20, false},
    {kPositionIconFirst, kPositionIconFirst + kPositionIcons * 6 - 1, kIconSize, kIconSize, true},
    {kGroupLinkToggle, kGroupLinkToggle + 5, 24, 16, true},
    {813, 813, 40, 200, false}, // curve toggles
    {814, 831, 32, 16, false},
    {838, 843, 32, 16, false},
    {845, 848, 32, 16, false},
    {kStripBackgroundEn, kStripBackgroundZh, kStripWidth, kStripHeight, false},
    {kStripSelectFirst, kStripSelectDisabled + 7, 100, 22, false},
    {kStripPosition, kStripPosition + 4, 108, 22, false},
    {kStripOn, kStripOn + 7, 50, 20, false},
    {kStripOnZh, kStripOnZh + 7, 50, 20, false},
    {kStripPolarityEn, kStripPolarityEn + 7, 50, 20, false},
    {kStripPolarityZh, kStripPolarityZh + 7, 50, 20, false},
    {kStripFaderChannel, kStripFaderChannel, 46, 118, false},
    {kStripFaderThumb, kStripFaderThumbDisabled, 20, 12, false},
};

QImage Bmp(UINT id) {
    return ResourceLoader::LoadBitmapImage(id);
}
QImage Png(UINT id) {
    return ResourceLoader::LoadPngImage(id);
}

TEST(OutputPageArtTest, EveryImageLoadsAtItsLayoutSizeAndKind) {
    std::set<UINT> seen;
    for (const Expected& e : kImages)
        for (UINT id = e.first; id <= e.last; ++id) {
            ASSERT_TRUE(seen.insert(id).second) << "listed twice: " << id;
            const QImage img = e.png ? Png(id) : Bmp(id);
            ASSERT_FALSE(img.isNull()) << id;
            EXPECT_EQ(img.size(), QSize(e.width, e.height)) << id;
            EXPECT_EQ(img.hasAlphaChannel(), e.png) << id;
            EXPECT_EQ(res::PaintArt(*res::FindArt(id)), img) << id << " drawn differently the second time";
            EXPECT_TRUE((e.png ? Bmp(id) : Png(id)).isNull()) << id;
        }
    // The helpers the page and the strips compute ids with land in the table.
    EXPECT_EQ(PositionIconLook(4624, 5), kPositionIconFirst + kPositionIcons * 6 - 1);
    EXPECT_EQ(StripSelectLook(7, 2), kStripSelectFirst + 23);
    EXPECT_EQ(Chinese(kMapLockEn, kSixLooks), kMapLinkEn - 6);
    // A round badge: its corners show what lies under it.
    EXPECT_EQ(qAlpha(Png(PositionIconLook(4605, 0)).pixel(0, 0)), 0);
}

// Pairs that a copy-paste slip in the table would make equal.
TEST(OutputPageArtTest, LanguagesAndLooksDiffer) {
    const std::pair<UINT, UINT> pairs[] = {
        // Chinese, English
        {287, 286},
        {784, 785},
        {7002, 8822},
        {7000, 8820},
        {7004, 359},
        {746, 742},
        {744, 740},
        {797, 796},
        {786, 809},
        {799, 811},
        {4360, 4350},
        {4363, 4353},
        {459, 452},
        {460, 453},
        {461, 454},
        {Chinese(kMapLockEn, 6), kMapLockEn},
        {Chinese(kMapLinkEn, 6), kMapLinkEn},
        {Chinese(kMapResetEn, 3), kMapResetEn},
        {Chinese(kMapReadEn, 3), kMapReadEn},
        {Chinese(kMapSaveEn, 3), kMapSaveEn},
        {Chinese(kLevelPageEn, 3), kLevelPageEn},
        {kStripBackgroundZh, kStripBackgroundEn},
        {kStripPolarityZh, kStripPolarityEn},
        {kMasterOnZh, 526},
        {kMasterOnZh + 3, 529},
        {kStripOnZh, kStripOn},
        {kStripOnZh + 3, kStripOn + 3},
        {kStripOnZh + 6, kStripOn + 6},
        {kDelayUnitMsZh, kDelayUnitMs},
        {kDelayUnitCmZh + 2, kDelayUnitCm + 2},
        {kDelayUnitInchZh, kDelayUnitInch},
        // unlocked, locked
        {286, 785},
        {287, 784},
        // off, on (and their hover looks)
        {526, 529},
        {527, 530},
        {7000, 7002},
        {8820, 8822},
        {740, 742},
        {809, 811},
        {4350, 4353},
        {8832, 8830},
        {8833, 8831},
        {kMapLockEn, kMapLockEn + 3},
        {kMapLinkEn, kMapLinkEn + 3},
        {kDelayUnitMs, kDelayUnitMs + 2},
        {kStripOn, kStripOn + 3},
        {814, 816},
        {848, 846},
        {kPolarityNormal, kPolarityInverted},
        {610, 614},
        {610, 615},
        {614, 616},
        {357, 539},
        // normal, hover, pressed, disabled
        {8820, 8821},
        {359, 360},
        {740, 743},
        {814, 815},
        {697, 698},
        {697, 699},
        {611, 612},
        {611, 613},
        {358, 4410},
        {kStripPosition, kStripPosition + 4},
        {kStripFaderThumb, kStripFaderThumbDisabled},
        {800, 801},
        {kMapResetEn, kMapResetEn + 1},
        // one control's different meanings
        {452, 453},
        {kMapResetEn, kMapReadEn},
        {kMapReadEn, kMapSaveEn},
        {kDelayUnitMs, kDelayUnitCm},
        {kDelayUnitCm, kDelayUnitInch},
        {kDelayUnitMsZh, kDelayUnitCmZh},
        {kDelayUnitCmZh, kDelayUnitInchZh},
        {kStripOn, kStripOn + 6},
        {kStripOnZh, kStripOnZh + 3},
        {kMasterOnZh, kMasterOnZh + 3},
        {kStripPolarityEn + 3, kStripPolarityEn + 7},
        {StripSelectLook(2, 0), kStripSelectDisabled + 2},
        {StripSelectLook(0, 0), StripSelectLook(7, 0)},
        {StripSelectLook(0, 0), StripSelectLook(0, 2)},
    };
    for (const auto& [a, b] : pairs)
        EXPECT_NE(Bmp(a), Bmp(b)) << a << " vs " << b;
    // Each position shows its kind and group; the current output's badge stands out.
    EXPECT_NE(Png(PositionIconLook(4605, 0)), Png(PositionIconLook(4604, 0))); // tweeter, midrange
    EXPECT_NE(Png(PositionIconLook(4605, 0)), Png(PositionIconLook(4616, 0))); // front, rear
    EXPECT_NE(Png(PositionIconLook(4605, 0)), Png(PositionIconLook(4605, 3)));
    EXPECT_NE(Png(PositionIconLook(4605, 0)), Png(PositionIconLook(4605, 1)));
    EXPECT_NE(Png(kGroupLinkToggle), Png(kGroupLinkToggle + 3));
}

struct Placed {
    UINT en; // the English look
    UINT zh; // the Chinese one (the same id for both languages)
    Box at;
};

// The page's opaque art at the places the background was drawn for (first looks).
const Placed kOnPage[] = {
    {526, kMasterOnZh, kMasterButton},
    {809, 786, kSubModeButton},
    {4350, 4360, kPolarityButton},
    {kPolarityNormal, kPolarityNormal, kPolarityPicture},
    {452, 459, kInputPicture},
    {kLevelPageEn, Chinese(kLevelPageEn, 3), kLevelPageButton},
    {kDelayUnitMs, kDelayUnitMsZh, kDelayUnitMsButton},
    {kDelayUnitCm + 2, kDelayUnitCmZh + 2, kDelayUnitCmButton},
    {kDelayUnitInch, kDelayUnitInchZh, kDelayUnitInchButton},
    {357, 357, kSourceFader},
    {kMapLockEn + 3, Chinese(kMapLockEn, 6) + 3, kMapLockButton},
    {kMapLinkEn, Chinese(kMapLinkEn, 6), kMapLinkButton},
    {kMapResetEn, Chinese(kMapResetEn, 3), kMapResetButton},
    {kMapReadEn, Chinese(kMapReadEn, 3), kMapReadButton},
    {kMapSaveEn, Chinese(kMapSaveEn, 3), kMapSaveButton},
    {740, 744, kPeqGeqButton},
    {8820, 7000, kAllBypassButton},
    {359, 7004, kResetEqButton},
    {796, 797, kGeqPicture},
    // The crossover lists as the page places them: family and slope side by side above each
    // frequency field.
    {697, 697, {46, 288, 76, 20}},
    {698, 698, {124, 288, 76, 20}},
    {699, 699, {46, 352, 76, 20}},
    {697, 697, {124, 352, 76, 20}},
};

// The band rows: label, edits, fader, bypass of band n at its 31-band place.
Box FaderOf(int n) {
    return {kEqColumnX + n * kEqColumnPitch + 5, kEqFaderY, 20, 100};
}
Box BypassOf(int n) {
    return {kEqColumnX + n * kEqColumnPitch + 2, kEqBypassY, 26, 14};
}

const Placed kOnStrip[] = {
    {StripSelectLook(0, 0), StripSelectLook(0, 0), kStripSelectButton},
    {kStripOn + 3, kStripOnZh + 3, kStripOnButton},
    {kStripPosition, kStripPosition, kStripPositionButton},
    {kStripFaderChannel, kStripFaderChannel, kStripFader},
    {kStripPolarityEn, kStripPolarityZh, kStripPolarityButton},
};

void ExpectBlends(const QImage& bg, const Placed& c, bool chinese, const char* where) {
    const QImage art = Bmp(chinese ? c.zh : c.en);
    ASSERT_FALSE(art.isNull()) << c.en;
    ASSERT_EQ(art.size(), QSize(c.at.width, c.at.height)) << c.en << " does not fit its place";
    for (const QPoint corner : {QPoint(0, 0), QPoint(art.width() - 1, 0), QPoint(0, art.height() - 1),
                                QPoint(art.width() - 1, art.height() - 1)})
        EXPECT_EQ(art.pixel(corner), bg.pixel(c.at.x + corner.x(), c.at.y + corner.y()))
            << where << " " << c.en << " chinese " << chinese << " corner " << corner.x() << ","
            << corner.y();
}

// Bitmaps are blitted without transparency: a corner that differs from the panel under it shows
// as a notch on the real page.
TEST(OutputPageArtTest, OpaqueArtBlendsIntoThePanelWhereItSits) {
    for (bool chinese : {false, true}) {
        const QImage page = Bmp(chinese ? kBackgroundZh : kBackgroundEn);
        for (const Placed& c : kOnPage)
            ExpectBlends(page, c, chinese, "page");
        for (int n : {0, 15, 30}) {
            ExpectBlends(page, {n == 0 ? 615u : 610u, n == 0 ? 615u : 610u, FaderOf(n)}, chinese, "fader");
            ExpectBlends(page, {8832, 8832, BypassOf(n)}, chinese, "bypass");
        }
        // Locked, the PEQ/GEQ button and the level group stay.
        const QImage locked = Bmp(chinese ? kBackgroundLockedZh : kBackgroundLockedEn);
        ExpectBlends(locked, {740, 744, kPeqGeqButton}, chinese, "locked page");
        ExpectBlends(locked, {526, kMasterOnZh, kMasterButton}, chinese, "locked page");
        const QImage strip = Bmp(chinese ? kStripBackgroundZh : kStripBackgroundEn);
        for (const Placed& c : kOnStrip)
            ExpectBlends(strip, c, chinese, "strip");
    }
    // The curve toggles sit on their black strip.
    const QImage toggles = Bmp(813);
    for (UINT id : {814u, 816u, 843u})
        EXPECT_EQ(Bmp(id).pixel(0, 0), toggles.pixel(3, 9)) << id;
}

int CountBrighter(const QImage& img, const QRect& r, int over) {
    int n = 0;
    const int base = qGray(img.pixel(r.topLeft()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) > base + over;
    return n;
}

// Captions are written in the language's words; the locked page loses the EQ and crossover
// captions and carries its note instead; the graph's place is black when unlocked.
TEST(OutputPageArtTest, BackgroundsCarryTheirCaptionsAndLockedNote) {
    const QImage en = Bmp(kBackgroundEn), zh = Bmp(kBackgroundZh);
    const QImage enLocked = Bmp(kBackgroundLockedEn), zhLocked = Bmp(kBackgroundLockedZh);
    const QRect mapCaption(kMapPanel.x + 14, kMapPanel.y + 2, 120, 14);
    const QRect xoverCaption(kCrossoverPanel.x + 14, kCrossoverPanel.y + 2, 120, 14);
    const QRect hpf(kHpfLabel.x, kHpfLabel.y, kHpfLabel.width, kHpfLabel.height);
    for (const QImage* img : {&en, &zh, &enLocked, &zhLocked})
        EXPECT_GT(CountBrighter(*img, mapCaption, 50), 20);
    for (const QImage* img : {&en, &zh}) {
        EXPECT_GT(CountBrighter(*img, xoverCaption, 50), 20);
        EXPECT_GT(CountBrighter(*img, hpf, 50), 10);
        EXPECT_EQ(img->pixel(kGraph.x + 300, kGraph.y + 100), qRgb(0, 0, 0));
    }
    for (const QImage* img : {&enLocked, &zhLocked}) {
        EXPECT_EQ(CountBrighter(*img, xoverCaption, 50), 0);
        EXPECT_EQ(CountBrighter(*img, hpf, 50), 0);
        EXPECT_NE(img->pixel(kGraph.x + 300, kGraph.y + 100), qRgb(0, 0, 0));
    }
    EXPECT_NE(en.copy(mapCaption), zh.copy(mapCaption));
    EXPECT_NE(enLocked.copy(kGraphPanel.x, kGraphPanel.y, 900, 400),
              zhLocked.copy(kGraphPanel.x, kGraphPanel.y, 900, 400));
    // The strips' own band is the same in both languages.
    EXPECT_EQ(en.copy(kStripX, kStripY, 1000, 200), zh.copy(kStripX, kStripY, 1000, 200));
}

// --- sheets to look at --------------------------------------------------------------------------

void Put(QPainter& p, UINT id, const Box& at, int dx = 0, int dy = 0) {
    p.drawImage(at.x + dx, at.y + dy, Bmp(id));
}

QImage Strip(int output, bool chinese, bool marked) {
    QImage s = Bmp(chinese ? kStripBackgroundZh : kStripBackgroundEn);
    QPainter p(&s);
    const bool off = output == 7; // an output without a position, on a locked map
    Put(p, off ? kStripSelectDisabled + 7 : StripSelectLook(output, marked ? 2 : 0), kStripSelectButton);
    Put(p, (chinese ? kStripOnZh : kStripOn) + (off ? 6 : (output == 3 ? 0 : 3)), kStripOnButton);
    Put(p, kStripPosition + (off ? 4 : 0), kStripPositionButton);
    p.setPen(off ? QColor(0xD2, 0xD2, 0xD2) : QColor(0xDC, 0xDC, 0xDC));
    QFont f;
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRect(kStripPositionButton.x + 6, kStripPositionButton.y, 80, kStripPositionButton.height),
               Qt::AlignVCenter,
               off ? QStringLiteral("NULL")
                   : (chinese ? QString::fromUtf8("前置左高频") : QStringLiteral("FL-Tweeter")));
    Put(p, kStripFaderChannel, kStripFader);
    p.drawImage(kStripFader.x + 25, kStripFader.y + 20 + output * 8,
                Bmp(off ? kStripFaderThumbDisabled : kStripFaderThumb));
    Put(p, (chinese ? kStripPolarityZh : kStripPolarityEn) + (off ? 6 : (output == 1 ? 3 : 0)),
        kStripPolarityButton);
    p.setPen(QColor(0xDC, 0xDC, 0xDC));
    p.drawText(QRect(kStripLevelEdit.x, kStripLevelEdit.y, kStripLevelEdit.width, 20), Qt::AlignCenter,
               "-6.0");
    p.drawText(QRect(kStripDelayEdit.x, kStripDelayEdit.y, kStripDelayEdit.width, 20), Qt::AlignCenter,
               "0.00");
    p.end();
    return s;
}

// The page as its controls would stand on it: art only, the graph left black.
QImage ComposedPage(bool chinese, bool locked, bool geqTenBands = false) {
    QImage page = Bmp(locked ? (chinese ? kBackgroundLockedZh : kBackgroundLockedEn)
                             : (chinese ? kBackgroundZh : kBackgroundEn));
    QPainter p(&page);
    for (const Placed& c : kOnPage) {
        const bool eqSide = c.at.x >= kEqPanel.x || (c.at.y >= kCrossoverPanel.y && c.at.y < kLevelPanel.y);
        if (locked && eqSide && c.en != 740)
            continue;
        Put(p, chinese ? c.zh : c.en, c.at);
    }
    p.drawImage(kSourceFader.x, kSourceFader.y + 40, Bmp(358));
    if (!locked) {
        p.drawImage(1231, 10, Bmp(813).copy(0, 0, 38, 190));
        const UINT toggles[8] = {814, 817, 822, 823, 826, 831, 838, 841};
        for (int k = 0; k < 8; ++k)
            p.drawImage(1231 + 3, 10 + 9 + k * 20, Bmp(toggles[k]));
        // The band rows with the texts their fields would show.
        const int iso[31] = {20,   25,   32,   40,   50,   63,    80,    100,   125,  160,  200,
                             250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                             3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
        QFont small;
        small.setPixelSize(11);
        p.setFont(small);
        const int bands = geqTenBands ? 10 : 31;
        for (int n = 0; n < bands; ++n) {
            const int shift = geqTenBands ? 75 * n : 0;
            const int col = kEqColumnX + n * kEqColumnPitch + shift;
            Box fader = FaderOf(n);
            fader.x += shift;
            if (geqTenBands)
                fader.y = kEqQY;
            Put(p, geqTenBands ? (n == 0 ? 616 : 614) : (n == 0 ? 615 : 610), fader);
            const int pos = 45 + static_cast<int>(30 * std::sin(n * 0.45));
            p.drawImage(fader.x, fader.y + pos, Bmp(n == 7 ? 613 : (n > 26 ? 612 : 611)));
            Box bypass = BypassOf(n);
            bypass.x += shift;
            Put(p, n % 9 == 4 ? 8830 : 8832, bypass);
            p.setPen(n == 7 ? QColor(255, 0, 0) : QColor(0xB0, 0xB6, 0xC0));
            p.drawText(QRect(col, kEqLabelY, kEqColumnWidth, 14), Qt::AlignCenter, QString::number(n + 1));
            p.setPen(QColor(0xE6, 0xE9, 0xEF));
            const QString gain = QString::number((pos - 45) * -0.26, 'f', 1);
            if (geqTenBands) {
                p.drawText(QRect(col, kEqFreqY, kEqColumnWidth, 18), Qt::AlignCenter, gain);
            } else {
                p.drawText(QRect(col, kEqFreqY, kEqColumnWidth, 18), Qt::AlignCenter,
                           QString::number(iso[n]));
                p.drawText(QRect(col, kEqQY, kEqColumnWidth, 18), Qt::AlignCenter, "4.32");
                p.drawText(QRect(col, kEqGainY, kEqColumnWidth, 18), Qt::AlignCenter, gain);
            }
        }
        const int shown[] = {4605, 4611, 4603, 4609, 4619, 4620, 4621, 4622};
        for (int i = 0; i < 8; ++i) {
            const Spot& s = kIconSpots[shown[i] - 4600];
            p.drawImage(s.x - kIconSize / 2, s.y - kIconSize / 2,
                        Png(PositionIconLook(shown[i], i == 0 ? 3 : 0)));
        }
        for (const Spot& s : {kCentrePairLeft, kCentrePairRight})
            p.drawImage(s.x - kIconSize / 2, s.y - kIconSize / 2,
                        Png(PositionIconLook(s.x < kCentreLone.x ? 4601 : 4600, 0)));
    }
    for (int i = 0; i < 8; ++i)
        p.drawImage(kStripX + i * (kStripWidth + 11), kStripY, Strip(i, chinese, i == 0));
    p.end();
    return page;
}

TEST(OutputPageArtTest, SheetOfThePageArt) {
    // The speaker map and the level group enlarged three times, for looking at the pixels.
    const QImage en = ComposedPage(false, false);
    en.copy(0, 0, 214, 656).scaled(642, 1968).save(r9test::TestOutDir() + "/output_page_art_left_x3.png");
    en.copy(kStripX, kStripY, 2 * kStripWidth + 11, kStripHeight)
        .scaled(3 * (2 * kStripWidth + 11), 3 * kStripHeight)
        .save(r9test::TestOutDir() + "/output_page_art_strip_x3.png");
    // The art with words (strips' on buttons, master, delay units) in Chinese, the same way.
    const QImage zh = ComposedPage(true, false);
    zh.copy(kStripX, kStripY, 2 * kStripWidth + 11, kStripHeight)
        .scaled(3 * (2 * kStripWidth + 11), 3 * kStripHeight)
        .save(r9test::TestOutDir() + "/output_page_art_strip_zh_x3.png");
    zh.copy(kLevelPanel.x, kLevelPanel.y, kLevelPanel.width, kLevelPanel.height)
        .scaled(3 * kLevelPanel.width, 3 * kLevelPanel.height)
        .save(r9test::TestOutDir() + "/output_page_art_level_group_zh_x3.png");
    ComposedPage(false, false, true).save(r9test::TestOutDir() + "/output_page_art_en_geq_ten_bands.png");
    for (bool chinese : {false, true})
        for (bool locked : {false, true})
            ComposedPage(chinese, locked)
                .save(r9test::TestOutDir() + "/output_page_art_" + (chinese ? "zh" : "en") +
                      (locked ? "_locked" : "") + ".png");
    // Every small image on one sheet, enlarged twice.
    const int sheetW = 1300, pad = 6;
    QImage sheet(sheetW, 3800, QImage::Format_RGB32);
    sheet.fill(QColor(0x10, 0x12, 0x16));
    QPainter p(&sheet);
    QFont font;
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(QColor(0x80, 0x88, 0x96));
    int x = pad, y = pad, rowH = 0;
    for (const Expected& e : kImages) {
        if (e.width > 200)
            continue;
        for (UINT id = e.first; id <= e.last; ++id) {
            const QImage img = (e.png ? Png(id) : Bmp(id)).scaled(e.width * 2, e.height * 2);
            const int cellW = std::max(img.width(), 36) + pad;
            if (x + cellW > sheetW) {
                x = pad;
                y += rowH + 12 + pad;
                rowH = 0;
            }
            p.drawImage(x, y, img);
            p.drawText(x, y + img.height() + 10, QString::number(id));
            x += cellW;
            rowH = std::max(rowH, img.height());
        }
    }
    y += rowH + 12 + pad;
    p.end();
    ASSERT_LT(y, sheet.height());
    sheet.copy(0, 0, sheetW, y).save(r9test::TestOutDir() + "/output_page_art_sheet.png");
}

} // namespace
