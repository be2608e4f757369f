// Handle geometry, labels and drags on a 600 x 240 plot (window = plot + (40, 10)).
#include "model/Filter.h"
#include "model/Globals.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CRect kPlot(0, 0, 600, 240);

class FilterDragTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }

    static void Band(CFilter& f, int id, int hz, int gainPos) {
        f.SetBandId(id);
        f.SetFreq(hz, FALSE);
        f.SetGainPos(gainPos);
        f.SetGraphRect(kPlot);
    }
    static void Crossover(CFilter& f, int type, int hz, int rangeMode) {
        f.SetEqBand(0);
        f.SetType(type);
        f.SetSlope(1, FALSE);
        f.SetRangeMode(rangeMode);
        f.SetFreq(hz, FALSE);
        f.SetGraphRect(kPlot);
        f.BeginHandleDrag(f.m_rcHandle.CenterPoint());
    }
    // Window x whose plot position converts to exactly hz (searched, so the test does not
    // depend on the converter it checks).
    static int WindowXOf(double hz) {
        return static_cast<int>(std::floor(std::log10(hz / 20.0) * 200.0)) + 40;
    }
};

TEST_F(FilterDragTest, BandHandleAndLabelBoxes) {
    const struct {
        int id, hz, gainPos;
        CRect handle, label;
    } cases[] = {
        {0, 1000, 200, {371, 122, 387, 138}, {291, 147, 467, 163}}, // bypassed: on the 0 dB row
        {0, 1000, 80, {371, 234, 387, 250}, {291, 209, 467, 225}},  // -12 dB: label above
        {3, 20, 200, {32, 122, 48, 138}, {40, 147, 176, 163}},      // may stand out left
        {12, 20, 200, {40, 122, 56, 138}, {40, 147, 176, 163}},     // band id 9 or more: inside
        {0, 20000, 320, {624, 10, 640, 26}, {480, 35, 640, 51}},    // moved back inside
        {0, 1000, 230, {371, 92, 387, 108}, {291, 67, 467, 83}},    // +3 dB: label above
        {0, 1000, 300, {371, 22, 387, 38}, {291, 47, 467, 63}},     // no room above: below
    };
    for (const auto& c : cases) {
        CFilter f;
        Band(f, c.id, c.hz, c.gainPos);
        EXPECT_EQ(f.m_rcHandle, c.handle) << c.id << " " << c.hz << " " << c.gainPos;
        EXPECT_EQ(f.m_rcLabel, c.label) << c.id << " " << c.hz << " " << c.gainPos;
    }
    CFilter f;
    Band(f, 0, 1000, 200);
    EXPECT_EQ(f.m_rcLowWidth, CRect(360, 136, 368, 144));
    EXPECT_EQ(f.m_rcHighWidth, CRect(391, 136, 399, 144));
    EXPECT_EQ(f.Curve()[0], CPoint(40, 130));
    EXPECT_EQ(f.Curve()[137], CPoint(379, 130));
    EXPECT_EQ(f.Curve()[242], CPoint(640, 130));

    CFilter hp, lp;
    Crossover(hp, 3, 1000, 0);
    Crossover(lp, 4, 20000, 12);
    EXPECT_EQ(hp.m_rcHandle, CRect(371, 200, 387, 216));
    EXPECT_EQ(hp.m_rcLabel, CRect(371, 185, 437, 241));
    EXPECT_EQ(lp.m_rcHandle, CRect(632, 230, 648, 246));
    EXPECT_EQ(lp.m_rcLabel, CRect(574, 215, 640, 266));
}

TEST_F(FilterDragTest, ABandsLabelKeepsOffItsHandlesAndTheZeroRow) {
    // The other bands' handles rest on the 0 dB row (window y 122..138).
    const CRect zeroRow(40, 122, 640, 138);
    for (int hz : {20, 1000, 20000})
        for (int pos = 80; pos <= 320; pos += 5) {
            CFilter f;
            Band(f, 0, hz, pos);
            CRect cut;
            EXPECT_FALSE(cut.IntersectRect(f.m_rcLabel, f.m_rcHandle)) << hz << " " << pos;
            EXPECT_FALSE(cut.IntersectRect(f.m_rcLabel, f.m_rcLowWidth)) << hz << " " << pos;
            EXPECT_FALSE(cut.IntersectRect(f.m_rcLabel, f.m_rcHighWidth)) << hz << " " << pos;
            EXPECT_FALSE(cut.IntersectRect(f.m_rcLabel, zeroRow)) << hz << " " << pos;
            EXPECT_GE(f.m_rcLabel.top, 10) << hz << " " << pos << ": inside the plot";
        }
}

TEST_F(FilterDragTest, Labels) {
    CFilter peak;
    EXPECT_STREQ(peak.FormatLabelText(), "1000Hz 7.588Q 0.0dB");
    EXPECT_STREQ(peak.m_strLabel, "1000Hz 7.588Q 0.0dB");
    peak.SetGeqMode(1);
    peak.SetGainPos(215);
    EXPECT_STREQ(peak.FormatLabelText(), "1.5dB");

    CFilter shelf;
    shelf.SetShapeCode(2);
    shelf.SetFreq(100, FALSE);
    shelf.SetGainPos(170);
    EXPECT_STREQ(shelf.FormatLabelText(), "Lo 100Hz 12dB/Oct -3.0dB");

    CFilter hp;
    Crossover(hp, 3, 1000, 0);
    hp.SetSlope(7, FALSE);
    EXPECT_STREQ(hp.FormatLabelText(), "1000Hz ");
    const int savedChinese = g_bChinese.load();
    hp.SetSlope(8, FALSE);
    g_bChinese = 0;
    EXPECT_STREQ(hp.FormatLabelText(), "OFF");
    g_bChinese = 1;
    EXPECT_STREQ(hp.FormatLabelText(), "关闭");
    g_bChinese = savedChinese;
}

TEST_F(FilterDragTest, GainHandleDrag) {
    g_bOnline = 1;
    CFilter f;
    Band(f, 0, 1000, 230); // +3 dB
    f.AckChange(0);
    const CPoint centre = f.m_rcHandle.CenterPoint();
    f.BeginHandleDrag(centre + CSize(2, -3));

    // No movement: the gain stays exactly (the frequency follows the pixel it sits on).
    f.DragHandle(centre + CSize(2, -3));
    EXPECT_EQ(f.GetGainPos(), 230);
    EXPECT_DOUBLE_EQ(f.GetGain(), 3.0);

    EXPECT_TRUE(f.DragHandle(CPoint(centre.x + 2, -50)));
    EXPECT_DOUBLE_EQ(f.GetGain(), 12.0);
    EXPECT_TRUE(f.IsChanged());

    // Onto the 0 dB row: exactly 0 dB, which bypasses the band.
    EXPECT_TRUE(f.DragHandle(CPoint(centre.x + 2, 130 - 3)));
    EXPECT_EQ(f.GetGain(), 0.0);
    EXPECT_TRUE(f.IsBypassed());

    f.SetGeqMode(1);
    f.SetFreq(1000, FALSE);
    f.DragHandle(CPoint(100, 60));
    EXPECT_EQ(f.GetFreq(), 1000);
    EXPECT_EQ(f.GetGainPos(), 267); // plot y 53 of 240: 12 - 5.3 dB

    CFilter shelf;
    shelf.SetShapeCode(1);
    Band(shelf, 0, 500, 250);
    shelf.BeginHandleDrag(shelf.m_rcHandle.CenterPoint());
    shelf.DragHandle(CPoint(WindowXOf(5000), 60));
    EXPECT_EQ(shelf.GetFreq(), 2000);

    CFilter hp;
    Crossover(hp, 3, 1000, 0);
    EXPECT_FALSE(hp.DragHandle(CPoint(100, 100)));
    EXPECT_EQ(hp.GetFreq(), 1000);
}

TEST_F(FilterDragTest, AStepThatDoesNotMoveSidewaysKeepsTheFrequency) {
    // Frequencies between two pixel columns: read back from a column they would move.
    for (int hz : {1000, 63, 12500, 20})
        for (int dy : {-40, 40}) {
            CFilter f;
            Band(f, 0, hz, 200);
            const CPoint grab = f.m_rcHandle.CenterPoint();
            f.BeginHandleDrag(grab);
            for (int step = 1; step <= 3; ++step) {
                EXPECT_TRUE(f.DragHandle(CPoint(grab.x, grab.y + dy * step / 3))) << hz << " " << dy;
                EXPECT_EQ(f.GetFreq(), hz) << hz << " " << dy << " step " << step;
            }
            EXPECT_NE(f.GetGainPos(), 200) << hz << " " << dy;
            // A sideways step retunes, and a vertical one after it keeps the new frequency.
            f.DragHandle(CPoint(grab.x + 30, grab.y));
            const int moved = f.GetFreq();
            EXPECT_NE(moved, hz) << hz << " " << dy;
            f.DragHandle(CPoint(grab.x + 30, grab.y + dy));
            EXPECT_EQ(f.GetFreq(), moved) << hz << " " << dy;
        }
}

TEST_F(FilterDragTest, GrabbingAWidthHandleWithoutMovingKeepsTheBandwidth) {
    for (int hz : {100, 1000, 5000})
        for (int bwPos : {0, 14, 100})
            for (int low : {1, 0}) {
                CFilter f;
                Band(f, 0, hz, 260);
                f.SetBandwidthPos(bwPos);
                f.m_bGrabLow = low;
                f.m_bGrabHigh = !low;
                const int x = (low ? f.m_rcLowWidth : f.m_rcHighWidth).CenterPoint().x + 1;
                f.BeginWidthDrag(x);
                EXPECT_TRUE(f.DragWidthHandle(x));
                EXPECT_EQ(f.GetBandwidthPos(), bwPos) << hz << " " << bwPos << " " << low;
            }
}

TEST_F(FilterDragTest, WidthDragLimits) {
    CFilter f;
    Band(f, 0, 1000, 260);
    f.m_bGrabLow = 1;
    const int grab = f.m_rcLowWidth.CenterPoint().x;
    f.BeginWidthDrag(grab);
    const double fl = 1000 / std::pow(2.0, 0.19 / 2);
    const int toCentre = static_cast<int>(std::ceil(std::log10(1000 / fl) * 200));
    f.DragWidthHandle(grab + toCentre);
    EXPECT_EQ(f.GetBandwidthPos(), 0);
    f.DragWidthHandle(grab - static_cast<int>(4 * std::log10(2.0) * 200) - 2); // four octaves out
    EXPECT_EQ(f.GetBandwidthPos(), 295);
    EXPECT_STREQ(f.FormatBandwidthText(), "3.00Oct");

    // 0.55 octave, the upper edge dragged one octave outwards: 2.55 octaves.
    CFilter g;
    Band(g, 0, 1000, 260);
    g.SetBandwidthPos(50);
    g.m_bGrabHigh = 1;
    const int x = g.m_rcHighWidth.CenterPoint().x;
    g.BeginWidthDrag(x);
    g.DragWidthHandle(x + static_cast<int>(std::lround(std::log10(2.0) * 200)));
    EXPECT_NEAR(g.GetBandwidth(), 2.55, 0.011);

    CFilter none;
    Band(none, 0, 1000, 260);
    EXPECT_TRUE(none.DragWidthHandle(100));
    EXPECT_EQ(none.GetBandwidthPos(), 14);
}

TEST_F(FilterDragTest, CrossoverDrags) {
    CFilter hp;
    Crossover(hp, 3, 100, 0);
    EXPECT_TRUE(hp.DragXoverHandle(CPoint(WindowXOf(2000), 200), 500)); // stops at the partner
    EXPECT_EQ(hp.GetFreq(), 500);
    EXPECT_TRUE(hp.DragXoverHandle(CPoint(190, 200), 5000));
    EXPECT_EQ(hp.GetFreq(), AxisPosToFreq(150, 600));
    EXPECT_FALSE(hp.DragXoverHandle(CPoint(190, 200), 5000)); // same frequency
    for (int i = 0; i < 2; ++i) {                             // left edge: off, reported each time
        EXPECT_TRUE(hp.DragXoverHandle(CPoint(20, 200), 5000));
        EXPECT_EQ(hp.GetFreq(), 20);
        EXPECT_EQ(hp.Response()[0], 0.0);
    }

    CFilter lp;
    Crossover(lp, 4, 5000, 12);
    EXPECT_TRUE(lp.DragXoverHandle(CPoint(WindowXOf(200), 200), 1000));
    EXPECT_EQ(lp.GetFreq(), 1000);

    CFilter hp10;
    Crossover(hp10, 3, 20, 10);
    EXPECT_FALSE(hp10.DragXoverHandle(CPoint(0, 200), 5000));
    EXPECT_EQ(hp10.GetFreq(), 20);

    CFilter hp11;
    Crossover(hp11, 3, 2000, 11);
    EXPECT_TRUE(hp11.DragXoverHandle(CPoint(WindowXOf(10000), 200), 5000));
    EXPECT_EQ(hp11.GetFreq(), 5000);
    EXPECT_TRUE(hp11.DragXoverHandle(CPoint(0, 200), 5000));
    EXPECT_EQ(hp11.GetFreq(), 1000);
    EXPECT_TRUE(hp11.DragXoverHandle(CPoint(700, 200), 5000)); // the right edge passes the partner
    EXPECT_EQ(hp11.GetFreq(), 20000);
}

} // namespace
