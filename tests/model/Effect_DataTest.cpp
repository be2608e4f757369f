#include "model/Effect_Data.h"

#include "ChannelFixture.h"
#include "model/Filter.h"

#include <algorithm>
#include <functional>

namespace {

EffectRecord SampleRecord() {
    EffectRecord r;
    std::memset(&r, 0x55, sizeof r);
    for (int b = 0; b < EFFECT_BAND_SLOTS; ++b) {
        EQBandRecord& band = r.bands[b];
        band.freq = static_cast<SHORT>(300 * (b + 1));
        band.gainCode = static_cast<SHORT>(560 + b);
        band.bwCode = static_cast<SHORT>(40 + b);
        band.slope = 0;
        band.type = BAND_PEAK;
    }
    r.xover = {};
    r.xover.hpFreq = static_cast<SHORT>(40);
    r.xover.hpFamily = XOVER_BESSEL;
    r.xover.hpSlope = 0; // a first-order Bessel comes back as Butterworth
    r.xover.lpFreq = static_cast<SHORT>(9000);
    r.xover.lpFamily = XOVER_LINKWITZ_RILEY;
    r.xover.lpSlope = 3;
    r.balance = 150;
    r.delayA = 10;
    r.percentA = 11;
    r.percentB = 12;
    r.valueA = 13;
    r.timeTenths = 14;
    r.percentC = 15;
    r.valueB = 16;
    r.percentD = 17;
    r.valueC = 18;
    r.delayB = 19;
    std::memcpy(r.name, "Hall\0\0\0\0", 8);
    return r;
}

class EffectTest : public ChannelTest {
protected:
    CEffect_Data fx;
};

} // namespace

TEST_F(EffectTest, NewChannelHasThreePeaksAndAButterworthPair) {
    ASSERT_EQ(fx.GetEQ().GetSize(), 5);
    EXPECT_EQ(fx.GetBandCount(), 3);
    const int peaks[] = {100, 1000, 10000};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fx.GetBand(i)->GetFreq(), peaks[i]);
        EXPECT_EQ(fx.GetBand(i)->GetType(), BAND_PEAK);
    }
    const struct {
        const CFilter* f;
        int type, freq;
    } pair[] = {{fx.GetHPF(), BAND_HIGH_PASS, 20}, {fx.GetLPF(), BAND_LOW_PASS, 20000}};
    for (const auto& p : pair) {
        ASSERT_NE(p.f, nullptr);
        EXPECT_EQ(p.f->GetType(), p.type);
        EXPECT_EQ(p.f->GetFreq(), p.freq);
        EXPECT_EQ(p.f->GetFamily(), XOVER_BUTTERWORTH);
        EXPECT_EQ(p.f->GetBandId(), 8);
        EXPECT_EQ(p.f->GetRangeMode(), 8);
    }
    EXPECT_EQ(fx.GetBand(5), nullptr);
    EXPECT_EQ(fx.GetName(), "Effect");
    EXPECT_EQ(fx.GetCurveColor(), g_clrEffectCurve);
    EXPECT_EQ(fx.GetHandleColor(), RGB(255, 0, 0));
}

TEST_F(EffectTest, ParameterTexts) {
    const struct {
        std::function<void()> set;
        std::function<CString()> text;
        const char* want;
    } rows[] = {
        {[&] {}, [&] { return fx.FormatBalanceText(); }, "R_80%"},
        {[&] {}, [&] { return fx.FormatDelayText(); }, "168ms"},
        {[&] {}, [&] { return fx.FormatPercentAText(); }, "50%"},
        {[&] {}, [&] { return fx.FormatPercentBText(); }, "68%"},
        {[&] {}, [&] { return fx.FormatValueAText(); }, "0"},
        {[&] {}, [&] { return fx.FormatTimeText(); }, "1.8s"},
        {[&] {}, [&] { return fx.FormatPercentCText(); }, "50%"},
        {[&] {}, [&] { return fx.FormatValueBText(); }, "0"},
        {[&] {}, [&] { return fx.FormatPercentDText(); }, "40%"},
        {[&] {}, [&] { return fx.FormatDelay2Text(); }, "0ms"},
        {[&] {}, [&] { return fx.FormatValueCText(); }, "50%"},
        {[&] { fx.SetBalance(0); }, [&] { return fx.FormatBalanceText(); }, "R_100%"},
        {[&] { fx.SetBalance(99); }, [&] { return fx.FormatBalanceText(); }, "R_1%"},
        {[&] { fx.SetBalance(100); }, [&] { return fx.FormatBalanceText(); }, "OFF"},
        {[&] { fx.SetBalance(101); }, [&] { return fx.FormatBalanceText(); }, "L_1%"},
        {[&] { fx.SetBalance(195); }, [&] { return fx.FormatBalanceText(); }, "L_95%"},
        {[&] { fx.SetBalance(196); }, [&] { return fx.FormatBalanceText(); }, ""},
    };
    int n = 0;
    for (const auto& r : rows) {
        r.set();
        EXPECT_EQ(r.text(), r.want) << "row " << n;
        ++n;
    }
}

TEST_F(EffectTest, RecordRoundTripWritesOnlyTheChannelsBytes) {
    const EffectRecord src = SampleRecord();
    g_bOnline = 1;
    fx.LoadFromRecord(src);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(fx.GetBand(i)->IsChanged()) << i;
    EXPECT_FALSE(fx.GetNameChanged() || fx.GetParamsAChanged() || fx.GetParamsBChanged());
    EXPECT_EQ(fx.GetName(), "Hall");
    EXPECT_EQ(fx.GetValueC(), 18);
    g_bOnline = 0;

    EffectRecord& rec = g_curImage.system.effect;
    std::memset(&rec, 0xEE, sizeof rec);
    fx.StoreToImage();
    std::vector<int> notWritten;
    for (int i = 24; i < 120; ++i) // band slots 3..14
        notWritten.push_back(i);
    for (int i : {132, 133, 135, 141, 142})
        notWritten.push_back(i);
    for (int i : notWritten)
        EXPECT_EQ(RecordBytes(rec)[i], 0xEE) << i;
    std::vector<int> want = notWritten;
    want.push_back(122); // hpFamily: Bessel of slope 0 became Butterworth
    std::sort(want.begin(), want.end());
    EXPECT_EQ(DiffBytes(rec, src), want);
    EXPECT_EQ(rec.xover.hpFamily, XOVER_BUTTERWORTH);
}

TEST_F(EffectTest, SendersUseTheRecordsOwnChunks) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CSendData>()> send;
        int chunk;
    } cases[] = {
        {"xover", [&] { return fx.StoreXover(TRUE); }, 15},
        {"params A", [&] { return fx.SendParamsA(); }, 16},
        {"params B", [&] { return fx.SendParamsB(); }, 17},
        {"name", [&] { return fx.SendName(); }, 18},
        {"band 2", [&] { return fx.SendBand(2, 2); }, 2},
    };
    fx.SetBalance(150);
    fx.SetTimeTenths(33);
    for (const auto& c : cases) {
        auto frame = c.send();
        ASSERT_NE(frame, nullptr) << c.name;
        const BYTE* f = frame->GetData();
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_EFFECT) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_CHUNK], c.chunk) << c.name;
        EXPECT_EQ(
            std::memcmp(f + LinkFrame::OFS_PAYLOAD, RecordBytes(g_curImage.system.effect) + 8 * c.chunk, 8),
            0)
            << c.name;
    }
    EXPECT_EQ(g_curImage.system.effect.balance, 150);
    EXPECT_EQ(g_curImage.system.effect.timeTenths, 33);
    EXPECT_EQ(std::memcmp(g_curImage.system.effect.name, "Effect\0\0", 8), 0);
    EXPECT_EQ(fx.StoreXover(FALSE), nullptr);
    EXPECT_EQ(fx.SendBand(3, 3), nullptr); // the high-pass has no band slot
    auto rec = fx.SendRecord(25);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->GetSize(), 96 + 16);
}

TEST_F(EffectTest, SettersMarkTheirChunkWhileOnline) {
    fx.SetBalance(1);
    fx.SetValueC(1);
    EXPECT_FALSE(fx.GetParamsAChanged() || fx.GetParamsBChanged());
    g_bOnline = 1;
    fx.SetPercentB(1);
    EXPECT_TRUE(fx.GetParamsAChanged());
    EXPECT_FALSE(fx.GetParamsBChanged());
    fx.SetDelayB(1);
    EXPECT_TRUE(fx.GetParamsBChanged());
    fx.SetName("FX");
    EXPECT_TRUE(fx.GetNameChanged());

    fx.GetBand(1)->SetFreq(9000, TRUE);
    fx.SetAllChanged(FALSE);
    EXPECT_FALSE(fx.GetNameChanged() || fx.GetParamsAChanged() || fx.GetParamsBChanged());
    EXPECT_FALSE(fx.GetBand(1)->IsChanged());
    EXPECT_EQ(fx.GetBand(1)->GetSentFreq(), 9000);
}

TEST_F(EffectTest, ArchiveLeavesValueCOut) {
    fx.SetValueC(77);
    fx.SetDelayB(9);
    fx.GetBand(0)->SetGainPos(210);
    fx.IsAllBandsBypassed();
    const std::vector<BYTE> bytes = ArchiveBytes(fx);
    EXPECT_EQ(bytes.size(), 1u + 6 + 11 * 4 + 5 * 48); // name, eleven ints, five filters

    CEffect_Data copy;
    LoadArchive(copy, bytes);
    EXPECT_EQ(copy.GetValueC(), 50);
    EXPECT_EQ(copy.GetDelayB(), 9);
    EXPECT_EQ(copy.GetBand(0)->GetGainPos(), 210);
    EXPECT_EQ(copy.GetAllBypassed(), FALSE);
}
