#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KTVEQTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }

    static EQBandRecord Record(int freq, int gainCode, int bwCode, int slope, int type) {
        EQBandRecord r{};
        r.freq.Set(freq);
        r.gainCode.Set(gainCode);
        r.bwCode.Set(bwCode);
        r.slope = static_cast<BYTE>(slope);
        r.type = static_cast<BYTE>(type);
        return r;
    }
};

TEST_F(KTVEQTest, Builders) {
    CKTVEQ mic;
    mic.BuildMicBands(8, 10, 20000);
    ASSERT_EQ(mic.GetSize(), 11);
    const int micFreq[] = {20, 32, 53, 87, 143, 235, 386, 632, 1035, 20, 20000};
    const int micType[] = {1, 0, 0, 0, 0, 0, 0, 0, 2, 3, 4};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(mic.GetAt(i)->GetFreq(), micFreq[i]) << i;
        EXPECT_EQ(mic.GetAt(i)->GetSentFreq(), micFreq[i]) << i;
        EXPECT_EQ(mic.GetAt(i)->GetType(), micType[i]) << i;
        EXPECT_EQ(mic.GetAt(i)->GetBandId(), i < 9 ? i : 10) << i;
        EXPECT_FALSE(mic.GetAt(i)->IsChanged());
    }
    EXPECT_EQ(mic.GetHPF()->GetFamily(), 2);
    EXPECT_EQ(mic.GetLPF()->GetSlopeMode(), 1);
    EXPECT_FALSE(mic.GetHPF()->IsEqBand());
    EXPECT_EQ(mic.GetAt(11), nullptr);
    EXPECT_EQ(mic.GetAt(-1), nullptr);

    CKTVEQ input;
    input.BuildInputBands(30, 32, 20000);
    ASSERT_EQ(input.GetSize(), 33);
    EXPECT_EQ(input.GetAt(14)->GetFreq(), 20000);
    EXPECT_EQ(input.GetAt(15)->GetFreq(), 630);
    EXPECT_EQ(input.GetAt(30)->GetFreq(), 20000);
    EXPECT_EQ(input.GetBandIdByte(32), 32);

    CKTVEQ effect;
    effect.BuildEffectBands(2, 8, 20000);
    ASSERT_EQ(effect.GetSize(), 5);
    EXPECT_EQ(effect.GetAt(1)->GetFreq(), 1000);
    EXPECT_EQ(effect.GetHPF()->GetRangeMode(), 8);
    EXPECT_EQ(effect.GetLPF()->GetRangeMode(), 8);

    CKTVEQ out7;
    out7.SetChannel(6);
    out7.BuildOutputBands(30, 32, 9, 20, 20000);
    ASSERT_EQ(out7.GetSize(), 33);
    const int out7Freq[] = {31, 65, 125, 250, 500, 1000, 2000, 4000, 8000, 16000, 200};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(out7.GetAt(i)->GetFreq(), out7Freq[i]) << i;
    EXPECT_EQ(out7.GetAt(30)->GetFreq(), 20000);
    EXPECT_EQ(out7.GetHPF()->GetType(), 3);
    EXPECT_EQ(out7.GetHPF()->GetFreq(), 20);
    EXPECT_EQ(out7.GetHPF()->GetFamily(), 0);
    EXPECT_EQ(out7.GetHPF()->GetSlope(), 0);
    EXPECT_EQ(out7.GetHPF()->GetRangeMode(), 9);
    EXPECT_EQ(out7.GetLPF()->GetRangeMode(), 12);
    EXPECT_EQ(out7.GetLPF()->GetSentFreq(), 20000);

    CKTVEQ out1;
    out1.BuildOutputBands(30, 32, 10, 70, 20000);
    EXPECT_EQ(out1.GetAt(0)->GetFreq(), 20);
    EXPECT_EQ(out1.GetAt(17)->GetFreq(), 1000);
    EXPECT_EQ(out1.GetHPF()->GetFreq(), 70);
}

TEST_F(KTVEQTest, PackAndUnpack) {
    CKTVEQ eq;
    eq.BuildInputBands(30, 32, 20000);
    EXPECT_EQ(eq.PackBand(17), Record(1000, 600, 14, 0, 0));
    eq.GetAt(3)->SetGainPos(320);
    EXPECT_EQ(eq.PackBand(3).gainCode.Get(), 720);
    eq.GetAt(3)->SetGainPos(80);
    EXPECT_EQ(eq.PackBand(3).gainCode.Get(), 480);
    eq.GetAt(3)->BypassAll(TRUE);
    EXPECT_EQ(eq.PackBand(3).gainCode.Get(), 600);

    g_bOnline = 1;
    eq.GetAt(17)->SetFreq(4000, TRUE); // more than an octave: the sent frequency steps
    EXPECT_EQ(eq.PackBand(17).freq.Get(), 1000);

    const EQBandRecord loaded[] = {Record(-3, 600, 100, 1, 2), Record(5000, 650, 0, 0, 0),
                                   Record(120, 480, 295, 1, 1)};
    for (const EQBandRecord& r : loaded) {
        eq.UnpackBand(r, 5);
        const CFilter* f = eq.GetAt(5);
        EXPECT_FALSE(f->IsChanged());
        EXPECT_EQ(f->GetFreq(), r.freq.Get());
        EXPECT_EQ(eq.PackBand(5), r);
    }
    eq.UnpackBand(Record(1000, 600, 14, 0, 0), 6);
    EXPECT_TRUE(eq.GetAt(6)->IsBypassed());
    EXPECT_EQ(eq.GetAt(6)->GetGain(), 0.0);
    eq.UnpackBand(Record(1000, 650, 14, 0, 0), 99); // outside the set: ignored
}

TEST_F(KTVEQTest, SummedCurve) {
    CKTVEQ eq;
    eq.BuildInputBands(30, 32, 20000);
    eq.SetGraphRect(CRect(0, 0, 600, 240));
    eq.UpdateSumCurve();
    for (int i = 0; i < kGridSize; ++i) {
        ASSERT_EQ(eq.m_ptCurve[i].y, 130) << i;
        ASSERT_FLOAT_EQ(eq.m_ptfCurve[i].y, 130.0f) << i;
    }
    EXPECT_EQ(eq.m_ptCurve[136].x, 379);

    eq.GetAt(17)->SetGainPos(300);
    eq.GetAt(20)->SetGainPos(150);
    eq.GetHPF()->SetSlope(3, FALSE);
    eq.GetHPF()->SetFreq(100, FALSE);
    eq.UpdateSumCurve();
    for (int i = 0; i < kGridSize; ++i) {
        double sum = 0;
        for (INT_PTR k = 0; k < eq.GetSize(); ++k)
            sum += eq.GetAt(k)->Response()[i];
        ASSERT_EQ(eq.m_ptCurve[i].y, DbToY(sum, 240) + 10) << i;
        ASSERT_NEAR(eq.m_ptfCurve[i].y, DbToYReal(sum, 240) + 10, 1e-3) << i;
    }
    eq.UpdateBandCurve(17);
    EXPECT_EQ(eq.m_ptCurve[136].y, DbToY(eq.GetAt(17)->Response()[136], 240) + 10);
}

// The summed response comes from the product of all sections; it stays within 1e-9 dB of the sum
// of the filters' own responses, also where a section is held at +-200 dB.
TEST_F(KTVEQTest, SummedResponseMatchesTheSumOfTheFilters) {
    struct Case {
        const char* what;
        int hpFamily, hpSlope, hpHz, lpFamily, lpSlope, lpHz;
        int gainStep; // gains alternate around 0 dB by this many positions
        int bwPos;
    };
    const Case cases[] = {
        {"flat", 0, 8, 20, 0, 8, 20000, 0, 100},
        {"peaks only", 0, 8, 20, 0, 8, 20000, 60, 40},
        {"narrow high peaks", 0, 8, 20, 0, 8, 20000, 200, 1},
        {"LR 48 dB", 0, 7, 80, 0, 7, 12000, 37, 120},
        {"Butterworth odd", 2, 4, 300, 2, 6, 3000, 20, 250},
        {"Bessel", 1, 7, 1000, 1, 7, 1200, 90, 290},
        {"steep pass bands meeting", 0, 7, 10000, 0, 7, 25, 10, 60},
    };
    for (const Case& c : cases) {
        CKTVEQ eq;
        eq.BuildOutputBands(30, 32, 10, c.hpHz, c.lpHz);
        for (int i = 0; i <= 30; ++i) {
            CFilter* f = eq.GetAt(i);
            f->SetBandwidthPos(c.bwPos);
            f->SetGainPos(200 + (i % 2 ? c.gainStep : -c.gainStep));
        }
        eq.GetHPF()->SetFamily(c.hpFamily, FALSE);
        eq.GetHPF()->SetSlope(c.hpSlope, FALSE);
        eq.GetLPF()->SetFamily(c.lpFamily, FALSE);
        eq.GetLPF()->SetSlope(c.lpSlope, FALSE);
        std::vector<const CFilter*> filters;
        for (INT_PTR k = 0; k < eq.GetSize(); ++k)
            filters.push_back(eq.GetAt(k));
        double sum[kGridSize];
        CFilter::SumResponses(filters.data(), static_cast<int>(filters.size()), sum);
        for (int i = 0; i < kGridSize; ++i) {
            double expected = 0;
            for (const CFilter* f : filters)
                expected += f->Response()[i];
            ASSERT_NEAR(sum[i], expected, 1e-9) << c.what << " at " << i;
        }
    }
}

TEST_F(KTVEQTest, CopyFromCopiesTheFiltersBothSetsHave) {
    CKTVEQ mic, input;
    mic.BuildMicBands(8, 10, 20000);
    input.BuildInputBands(30, 32, 20000);
    input.GetAt(2)->SetGainPos(260);
    input.GetAt(20)->SetGainPos(260);
    mic.CopyFrom(input);
    EXPECT_EQ(mic.GetAt(2)->GetGainPos(), 260);
    EXPECT_EQ(mic.GetAt(10)->GetType(), 0); // mic's low-pass slot took input band 10
    EXPECT_EQ(mic.GetAt(10)->GetBandId(), 10);

    CKTVEQ other;
    other.BuildInputBands(30, 32, 20000);
    other.CopyFrom(mic);
    EXPECT_EQ(other.GetAt(2)->GetGainPos(), 260);
    EXPECT_EQ(other.GetAt(20)->GetGainPos(), 200); // beyond the mic's 11 filters: untouched
}

TEST_F(KTVEQTest, OutputsSevenAndEightShowTenBands) {
    const int savedType = g_nDeviceType.load();
    for (int deviceType : {2, 3}) {
        g_nDeviceType = deviceType;
        CKTVEQ eq;
        eq.SetChannel(7);
        eq.BuildOutputBands(30, 32, 9, 20, 20000);
        eq.SetGraphRect(CRect(0, 0, 600, 240));
        EXPECT_EQ(eq.GetAt(3)->m_rcHandle.top, 122);
        EXPECT_EQ(eq.GetAt(12)->m_rcHandle.top == 122, deviceType == 3) << deviceType;
        EXPECT_EQ(eq.GetHPF()->m_rcHandle.top, 200);
    }
    g_nDeviceType = savedType;
}

} // namespace

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

#include <cstring>

namespace {

TEST(FilterArchive, FilterIs48BytesInOrder) {
    CFilter f;
    f.SetEqBand(0);
    f.SetType(4);
    f.SetFreq(1234, FALSE);
    f.SetSentFreq(617);
    f.SetSlope(5, FALSE);
    f.SetFamily(1, FALSE);
    f.SetBandId(32);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        f.Serialize(ar);
        ar.Close();
    }
    const std::vector<BYTE>& b = file.GetBytes();
    ASSERT_EQ(b.size(), 48u);
    auto int32 = [&](size_t at) {
        int v;
        std::memcpy(&v, &b[at], 4);
        return v;
    };
    auto real = [&](size_t at) {
        double v;
        std::memcpy(&v, &b[at], 8);
        return v;
    };
    EXPECT_EQ(int32(0), 4);
    EXPECT_EQ(int32(4), 1234);
    EXPECT_EQ(int32(8), 617);
    EXPECT_EQ(real(12), 0.0);
    EXPECT_EQ(int32(20), 0); // bypass-all
    EXPECT_EQ(int32(24), 1); // bypass
    EXPECT_EQ(real(28), 0.19);
    EXPECT_EQ(int32(36), 1);
    EXPECT_EQ(int32(40), 5);
    EXPECT_EQ(int32(44), 32);

    CMemFile in(b.data(), static_cast<UINT>(b.size()));
    CArchive ar(&in, CArchive::load);
    CFilter g;
    g.SetEqBand(0);
    g.Serialize(ar);
    EXPECT_EQ(g.GetFreq(), 1234);
    EXPECT_EQ(g.GetSentFreq(), 617);
    EXPECT_EQ(g.GetFamily(), 1);
    EXPECT_EQ(g.GetSlope(), 5);
    EXPECT_EQ(g.GetBandId(), 32);
    EXPECT_NE(g.Response()[240], 0.0); // response recomputed for the loaded low-pass
}

TEST(FilterArchive, BandSetStoresItsFiltersWithoutACount) {
    CKTVEQ eq;
    eq.BuildInputBands(30, 32, 20000);
    eq.GetAt(4)->SetGainPos(275);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        eq.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(file.GetBytes().size(), 33u * 48u);
    CMemFile in(file.GetBytes().data(), static_cast<UINT>(file.GetBytes().size()));
    CArchive ar(&in, CArchive::load);
    CKTVEQ back;
    back.BuildInputBands(30, 32, 20000);
    back.Serialize(ar);
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(back.PackBand(i), eq.PackBand(i)) << i;
    EXPECT_EQ(back.GetAt(4)->GetGainPos(), 275);
}

} // namespace
