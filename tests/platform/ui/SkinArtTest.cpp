// The generated dark skin: every role in every state, sizes, determinism, and a gallery to look at.
#include "platform/ui/ResourceLoader.h"
#include "res/ResourceTable.h"
#include "res/SkinPainter.h"
#include "support/RenderToPng.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

const char* const kRoles[] = {"button",   "combo",      "panel",      "track-v",    "track-h", "thumb-v",
                              "thumb-h",  "spin-v",     "spin-h",     "spin-zones", "led",     "tab",
                              "arrow-up", "arrow-down", "arrow-left", "arrow-right"};

QSize SizeOf(const char* role) {
    const std::string r = role;
    if (r == "track-v")
        return {24, 120};
    if (r == "thumb-v")
        return {22, 12};
    if (r == "thumb-h")
        return {12, 22};
    if (r == "led" || r.rfind("arrow", 0) == 0)
        return {18, 18};
    if (r == "spin-v")
        return {16, 24};
    return {88, 24};
}

TEST(SkinArtTest, EveryRoleAndStatePaintsDeterministicallyAtItsSize) {
    constexpr int kStates = 8;
    const int cellW = 96, cellH = 128;
    QImage gallery(cellW * kStates, cellH * static_cast<int>(std::size(kRoles)), QImage::Format_RGB32);
    gallery.fill(QColor(0x12, 0x14, 0x18));
    QPainter p(&gallery);
    int row = 0;
    for (const char* role : kRoles) {
        const QSize size = SizeOf(role);
        for (int state = 0; state < kStates; ++state) {
            const res::ArtSpec spec{1, false, size.width(), size.height(), role, state, "Ab", 0};
            const QImage a = res::PaintArt(spec), b = res::PaintArt(spec);
            ASSERT_EQ(a.size(), size) << role;
            EXPECT_EQ(a, b) << role << " state " << state;
            p.drawImage(state * cellW + 4, row * cellH + 4, a);
        }
        ++row;
    }
    p.end();
    gallery.save(r9test::TestOutDir() + "/skin_gallery.png");
}

TEST(SkinArtTest, SpinZonesLightTheirZoneOnly) {
    const int w = 110, h = 22;
    const int left = static_cast<int>(w / 5.5), right = static_cast<int>(w - w / 5.5);
    const QImage none = res::PaintArt({1, false, w, h, "spin-zones", 0, nullptr, 0});
    for (int state = 1; state <= 3; ++state) {
        const QImage lit = res::PaintArt({1, false, w, h, "spin-zones", state, nullptr, 0});
        const int probe[3] = {left / 2 - 6 > 1 ? 2 : 1, (left + right) / 2, right + 2};
        for (int zone = 0; zone < 3; ++zone) {
            const bool same = lit.pixel(probe[zone], h - 3) == none.pixel(probe[zone], h - 3);
            EXPECT_EQ(same, zone != state - 1) << "state " << state << " zone " << zone;
        }
    }
}

TEST(SkinArtTest, PngRowsKeepAlphaAndBitmapsAreOpaque) {
    const QImage png = res::PaintArt({1, true, 30, 30, "led", 3, nullptr, 0});
    const QImage bmp = res::PaintArt({1, false, 30, 30, "led", 3, nullptr, 0});
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(bmp.pixel(0, 0)), 255);
}

} // namespace
