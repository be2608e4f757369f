#include "model/Filter.h"
#include "model/Globals.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }
    static CFilter* Make(bool eqBand, int hz) {
        auto* f = new CFilter;
        f->SetEqBand(eqBand);
        if (!eqBand)
            f->SetType(3);
        f->SetFreq(hz, FALSE);
        return f;
    }
};

TEST_F(FilterTest, NewFilterIsABypassedPeak) {
    CFilter f;
    EXPECT_EQ(f.GetType(), 0);
    EXPECT_EQ(f.GetFreq(), 1000);
    EXPECT_EQ(f.GetSentFreq(), 20);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_EQ(f.GetGainPos(), 200);
    EXPECT_EQ(f.GetBandwidthPos(), 14);
    EXPECT_STREQ(f.FormatGainText(), "0.0dB");
    EXPECT_STREQ(f.FormatBandwidthText(), "0.19Oct");
    EXPECT_STREQ(f.FormatQText(), "7.588");
    EXPECT_FALSE(f.IsChanged());
}

TEST_F(FilterTest, SentFrequencySteps) {
    const struct {
        bool eqBand;
        bool online;
        int from, to;
        int sentAfterSet;
        std::vector<int> acks; // sent frequency after each AckChange(0); the last one clears the mark
    } cases[] = {
        {true, true, 100, 1000, 100, {200, 400, 800, 1000, 1000}},
        {false, true, 100, 1000, 100, {200, 400, 800, 1000, 1000}},
        {true, true, 1000, 100, 1000, {500, 250, 125, 100, 100}},
        {false, true, 1000, 100, 1000, {500, 250, 125, 100, 100}},
        {true, true, 1000, 1500, 1500, {1500}},
        {false, true, 1000, 1500, 1500, {1500}},
        {true, true, 1000, 600, 600, {600}},
        {false, true, 1000, 600, 600, {600}},         // one frame for a move within an octave, down too
        {true, true, 100, 10, 100, {50, 25, 10, 10}}, // halving stops at 20 Hz
        {true, false, 100, 1000, 1000, {}},
        {false, false, 1000, 100, 100, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.eqBand << " " << c.online << " " << c.from << "->" << c.to);
        g_bOnline = c.online;
        std::unique_ptr<CFilter> f(Make(c.eqBand, c.from));
        f->SetFreq(c.to, TRUE);
        EXPECT_EQ(f->GetFreq(), c.to);
        EXPECT_EQ(f->GetSentFreq(), c.sentAfterSet);
        EXPECT_EQ(f->IsChanged(), c.online ? 1 : 0);
        std::vector<int> acks;
        while (f->IsChanged() && acks.size() < 20) {
            f->AckChange(0);
            acks.push_back(f->GetSentFreq());
        }
        EXPECT_EQ(acks, c.acks);
    }
}

TEST_F(FilterTest, AckChangeTreatsANonPositiveSentFrequencyAs20) {
    g_bOnline = 1;
    CFilter f;
    f.SetFreq(1000, FALSE);
    f.SetSentFreq(0);
    std::vector<int> acks;
    do {
        f.AckChange(0);
        acks.push_back(f.GetSentFreq());
    } while (f.IsChanged() && acks.size() < 20);
    EXPECT_EQ(acks, (std::vector<int>{40, 80, 160, 320, 640, 1000, 1000}));

    f.SetFreq(-5, FALSE);
    f.SetSentFreq(-40);
    int calls = 0;
    do {
        f.AckChange(0);
    } while (f.IsChanged() && ++calls < 20);
    EXPECT_LT(calls, 20);
    EXPECT_EQ(f.GetSentFreq(), -5);
}

TEST_F(FilterTest, ShelfSideMovesTheSentFrequencyOnlyOffline) {
    for (int online : {0, 1}) {
        g_bOnline = online;
        CFilter f;
        f.SetFreq(5000, FALSE);
        f.SetEqType(1);
        EXPECT_EQ(f.GetType(), 1);
        EXPECT_EQ(f.GetFreq(), 2000);
        EXPECT_EQ(f.GetSentFreq(), online ? 5000 : 2000);
        EXPECT_EQ(f.IsChanged(), online);

        f.SetFreq(100, FALSE);
        f.SetShapeCode(4);
        EXPECT_EQ(f.GetType(), 2);
        EXPECT_EQ(f.GetSlope(), 1);
        EXPECT_EQ(f.GetShapeCode(), 4);
        EXPECT_EQ(f.GetFreq(), 2000);
        EXPECT_EQ(f.GetSentFreq(), online ? 100 : 2000);

        f.SetEqType(7);
        f.SetShapeCode(9);
        EXPECT_EQ(f.GetType(), 2);
    }
}

TEST_F(FilterTest, GainAndBypass) {
    g_bOnline = 1;
    CFilter f;
    f.SetFreq(1000, FALSE);
    f.SetGainPos(320);
    EXPECT_DOUBLE_EQ(f.GetGain(), 12.0);
    EXPECT_FALSE(f.IsBypassed());
    EXPECT_EQ(f.GetGainPos(), 320);
    EXPECT_STREQ(f.FormatGainText(), "12.0dB");
    f.SetGainPos(200);
    EXPECT_EQ(f.GetGain(), 0.0);
    EXPECT_TRUE(f.IsBypassed());

    // A zero-gain band cannot be un-bypassed; bypass-all is only cleared.
    f.AckChange(0);
    f.SetBypass(FALSE);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_FALSE(f.IsChanged());
    f.BypassAll(TRUE);
    f.SetBypass(FALSE);
    EXPECT_TRUE(f.IsBypassed());

    f.SetGainPos(230);
    f.AckChange(0);
    f.SetBypass(TRUE);
    EXPECT_TRUE(f.IsBypassed());
    EXPECT_TRUE(f.IsChanged());
    EXPECT_EQ(f.GetGainPos(), 200);
    EXPECT_EQ(f.Response()[136], 0.0);
    f.SetBypass(FALSE);
    EXPECT_FALSE(f.IsBypassed());
    EXPECT_GT(f.Response()[136], 2.9);

    // Bypass-all saves its own state: set twice, restored twice, it stays on.
    f.BypassAll(TRUE);
    f.BypassAll(TRUE);
    f.BypassAll(FALSE);
    f.BypassAll(FALSE);
    EXPECT_TRUE(f.IsBypassed());
    f.AckChange(0);
    f.SetBypass(FALSE); // clears bypass-all; the band itself was active
    EXPECT_FALSE(f.IsBypassed());
}

TEST_F(FilterTest, SlopeFamilyAndCopy) {
    CFilter hp;
    hp.SetEqBand(0);
    hp.SetType(3);
    hp.SetFamily(1, FALSE);
    hp.SetSlope(0, FALSE);
    EXPECT_EQ(hp.GetFamily(), 2);
    hp.SetFamily(0, FALSE);
    hp.SetSlope(0, FALSE);
    EXPECT_EQ(hp.GetFamily(), 0);
    hp.SetFamily(1, FALSE);
    hp.SetSlope(3, FALSE);
    EXPECT_EQ(hp.GetFamily(), 1);

    CFilter lp;
    lp.SetType(4);
    EXPECT_EQ(lp.GetSentFreq(), 20000);

    CFilter band;
    band.SetBandId(7);
    band.SetFreq(400, FALSE);
    band.SetSentFreq(300);
    band.CopyFrom(hp);
    EXPECT_EQ(band.GetType(), 3);
    EXPECT_EQ(band.GetFamily(), 1);
    EXPECT_EQ(band.GetSlope(), 3);
    EXPECT_EQ(band.GetSentFreq(), hp.GetFreq());
    EXPECT_EQ(band.GetBandId(), 7);
}

TEST_F(FilterTest, Texts) {
    CFilter f;
    f.SetEqBand(0);
    f.SetType(3);
    const struct {
        int mode, slope;
        const char* text;
    } slopes[] = {{0, 0, ""},         {0, 1, "12dB/Oct"}, {0, 3, "24dB/Oct"}, {0, 8, "OFF"}, {0, 9, ""},
                  {1, 1, "12dB/Oct"}, {1, 2, "24dB/Oct"}, {1, 3, ""},         {2, 1, ""}};
    for (const auto& c : slopes) {
        f.SetSlopeMode(c.mode);
        f.SetSlope(c.slope, FALSE);
        EXPECT_STREQ(f.FormatSlopeText(), c.text) << c.mode << " " << c.slope;
    }
    CFilter band;
    band.SetBandwidthPos(0);
    EXPECT_STREQ(band.FormatQText(), "28.85");
    band.SetBandwidthPos(295);
    EXPECT_STREQ(band.FormatQText(), "0.404");
    EXPECT_STREQ(band.FormatBandwidthText(), "3.00Oct");
    EXPECT_STREQ(band.FormatFreqText(), "1000Hz");
    g_bChinese = 0;
    EXPECT_STREQ(band.FormatTypeText(), "PEQ");
    EXPECT_STREQ(f.FormatFamilyText(), "Link_Ril");
    g_bChinese = 1;
    band.SetShapeCode(3);
    EXPECT_STREQ(band.FormatTypeText(), "高架");
    EXPECT_STREQ(band.FormatShelfSlopeText(), "6dB/Oct");
    f.SetFamily(2, FALSE);
    EXPECT_STREQ(f.FormatFamilyText(), "巴特沃斯");
    f.SetFamily(5, FALSE);
    EXPECT_STREQ(f.FormatFamilyText(), "");
}

} // namespace
