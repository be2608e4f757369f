#include "controls/ButtonRadio.h"
#include "controls/SLamp.h"
#include "controls/Show_Link.h"

#include "SkinControlFixture.h"

using namespace skintest;

namespace {

class IndicatorsTest : public SkinControlTest {};

TEST_F(IndicatorsTest, LampLevelsAndStatusBitsRepaintOnlyOnChange) {
    CSLamp lamp;
    AttachStatic(lamp, 2901, CRect(10, 10, 140, 22));
    lamp.CalcLayout();
    EXPECT_EQ(lamp.CellSize(), CSize(10, 12));
    EXPECT_EQ(lamp.LampRect(0), CRect(0, 1, 10, 12));
    EXPECT_EQ(lamp.LampRect(11), CRect(121, 1, 131, 12)); // past the right edge
    r9test::Pump();

    struct Case {
        DWORD value;
        const char* lamps; // 12 lamps, '1' on
    };
    const Case cases[] = {
        {0x75, "111110000111"}, {0x0A, "111110000000"}, // 10..15 keep the level lamps
        {0x09, "111111111000"}, {0x00, "000000000000"}, {0x42, "110000000100"}, {0x1F, "110000000001"},
    };
    for (const Case& c : cases) {
        lamp.SetLevel(c.value);
        for (int i = 0; i < CSLamp::kLamps; ++i)
            EXPECT_EQ(lamp.IsLampOn(i), c.lamps[i] == '1') << std::hex << c.value << " lamp " << i;
    }
    const int draws = lamp.DrawCount();
    lamp.SetLevel(0x1F);
    EXPECT_EQ(lamp.DrawCount(), draws); // same value: no repaint
    lamp.SetLevel(0x13);
    EXPECT_EQ(lamp.DrawCount(), draws + 1);
    lamp.ClearLamps();
    const int cleared = lamp.DrawCount();
    lamp.SetLevel(0); // pending after ClearLamps: repaints without a change
    EXPECT_EQ(lamp.DrawCount(), cleared + 1);

    lamp.SetLevel(0x75);
    const QImage img = Render(lamp, "lamps-0x75");
    EXPECT_EQ(img.pixel(5, 0), Rgb(RGB(127, 127, 127)));  // top row of a cell: background
    EXPECT_EQ(img.pixel(10, 6), Rgb(RGB(127, 127, 127))); // gap between cells
    EXPECT_EQ(img.pixel(5, 6), Rgb(RGB(0, 200, 51)));
    EXPECT_EQ(img.pixel(4 * 11 + 5, 6), Rgb(RGB(0, 200, 51)));
    EXPECT_EQ(img.pixel(5 * 11 + 5, 6), Rgb(RGB(102, 102, 102)));
    EXPECT_EQ(img.pixel(9 * 11 + 5, 6), Rgb(RGB(255, 204, 74)));
    EXPECT_EQ(img.pixel(10 * 11 + 5, 6), Rgb(RGB(255, 127, 39)));
    EXPECT_EQ(img.pixel(11 * 11 + 5, 6), Rgb(RGB(237, 0, 0)));
}

TEST_F(IndicatorsTest, LinkIndicatorBlinksAndStopsInItsTextColour) {
    CShow_Link link;
    AttachButton(link, 2776, BS_PUSHBUTTON, CRect(10, 10, 150, 34));
    link.SetText("Disconnected");
    EXPECT_EQ(link.GetStyle() & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(link.CurrentTextColor(), RGB(250, 250, 250));
    link.StartBlink();
    EXPECT_EQ(link.BlinkPhase(), 0);
    link.SendMessage(WM_TIMER, 1000, 0);
    EXPECT_EQ(link.BlinkPhase(), 1);
    EXPECT_EQ(link.CurrentTextColor(), RGB(255, 0, 0));
    const QImage red = Render(link, "link-blink-red");
    EXPECT_EQ(red.pixel(1, 1), Rgb(RGB(73, 72, 72)));
    bool anyRed = false;
    for (int x = 0; x < red.width() && !anyRed; ++x)
        for (int y = 0; y < red.height() && !anyRed; ++y) {
            const QColor c = red.pixelColor(x, y);
            anyRed = c.red() > 200 && c.green() < 80;
            if (anyRed) {
                EXPECT_LT(x, 140 - 19); // text area ends 19 pixels before the right edge
            }
        }
    EXPECT_TRUE(anyRed);
    link.SendMessage(WM_TIMER, 1000, 0);
    EXPECT_EQ(link.BlinkPhase(), 0);
    link.SendMessage(WM_TIMER, 1000, 0);
    link.StopBlink();
    EXPECT_FALSE(link.IsBlinking());
    EXPECT_EQ(link.CurrentTextColor(), RGB(250, 250, 250));
    EXPECT_FALSE(link.KillTimer(1000));
    link.SetText("USB connected");
    Render(link, "link-connected");
}

TEST_F(IndicatorsTest, RadioTextTakesItsColourOnATransparentBackground) {
    CButtonRadio usb;
    AttachButton(usb, 1798, BS_AUTORADIOBUTTON, CRect(10, 10, 110, 30), "USB");
    usb.SetTextColor(RGB(255, 204, 74));
    EXPECT_EQ(usb.GetTextColor(), RGB(255, 204, 74));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(usb.CtlColor(&dc, CTLCOLOR_BTN), static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 204, 74));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    usb.SetCheck(BST_CHECKED);
    const QImage img = Render(usb, "radio-usb");
    int yellow = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            yellow += c.red() > 200 && c.green() > 150 && c.blue() < 120;
        }
    EXPECT_GT(yellow, 5);
}

} // namespace
