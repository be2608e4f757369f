// What every channel shares through its core, checked on each of them: band access, bypass,
// crossover marks, load and pack, the locked band store and the summed curve.
#include "ChannelFixture.h"
#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>

namespace {

// How each channel is built, where its record lives and how it spells the shared operations.
struct MicChannel {
    using Type = CMIC_InData;
    static void Build(Type& c) {
        c.SetIndex(0);
        c.BuildBands(8, 10, 20000);
    }
    static MicRecord& Record() { return g_curImage.mic; }
    static int BandSlots(const Type& c) { return std::min(MIC_BAND_SLOTS, c.GetBandCount()); }
    static int BypassScope(const Type& c) { return c.GetFilterCount(); } // the crossover too
    static auto StoreXover(Type& c) { return c.StoreXoverChunk(FALSE); }
    static void LoadXover(Type& c, const XoverRecord& r) { c.LoadXover(r); }
    static auto StoreBand(Type& c, int band) { return c.StoreBand(band, band); }
    static void SetRect(Type& c, const CRect& r) { c.SetCurveRect(r); }
};

struct MusicChannel {
    using Type = CMusic_InData;
    static void Build(Type& c) {
        c.SetIndex(2);
        c.BuildBands(30, 32, 20000);
    }
    static InputRecord& Record() { return g_curImage.inputs[2]; }
    static int BandSlots(const Type& c) { return std::min(INPUT_BAND_SLOTS, c.GetBandCount()); }
    static int BypassScope(const Type& c) { return c.GetBandCount(); } // the EQ bands only
    static auto StoreXover(Type& c) { return c.StoreXoverChunk(FALSE); }
    static void LoadXover(Type& c, const XoverRecord& r) { c.SetXover(r); }
    static auto StoreBand(Type& c, int band) { return c.StoreBand(band, band); }
    static void SetRect(Type& c, const CRect& r) { c.SetCurveRect(r); }
};

struct OutputChannel {
    using Type = CKTV_OutData;
    static void Build(Type& c) {
        c.SetIndex(1);
        c.BuildBands(30, 32, 12, 20, 20000);
    }
    static OutputRecord& Record() { return g_curImage.outputs[1]; }
    static int BandSlots(const Type& c) { return std::min(OUTPUT_BAND_SLOTS, c.GetFilterCount()); }
    static int BypassScope(const Type& c) { return c.GetFilterCount(); }
    static auto StoreXover(Type& c) { return c.StoreXoverChunk(FALSE); }
    static void LoadXover(Type& c, const XoverRecord& r) { c.SetXover(r); }
    static auto StoreBand(Type& c, int band) { return c.StoreBand(band, band); }
    static void SetRect(Type& c, const CRect& r) { c.SetCurveRect(r); }
};

struct EffectChannel {
    using Type = CEffect_Data;
    static void Build(Type&) {} // built with its bands
    static EffectRecord& Record() { return g_curImage.system.effect; }
    static int BandSlots(const Type& c) { return std::min(EFFECT_BANDS, c.GetBandCount()); }
    static int BypassScope(const Type& c) { return static_cast<int>(c.GetEQ().GetSize()); }
    static auto StoreXover(Type& c) { return c.StoreXover(FALSE); }
    static void LoadXover(Type& c, const XoverRecord& r) { c.LoadXover(r); }
    static auto StoreBand(Type& c, int band) { return c.SendBand(band, band); }
    static void SetRect(Type& c, const CRect& r) { c.SetGraphRect(r); }
};

template <class Channel> class ChannelCoreTest : public ChannelTest {
protected:
    using Type = typename Channel::Type;
    void SetUp() override {
        ChannelTest::SetUp();
        Channel::Build(m_channel);
    }
    int FilterCount() const { return static_cast<int>(m_channel.GetEQ().GetSize()); }
    Type m_channel;
};

using Channels = ::testing::Types<MicChannel, MusicChannel, OutputChannel, EffectChannel>;
TYPED_TEST_SUITE(ChannelCoreTest, Channels);

} // namespace

TYPED_TEST(ChannelCoreTest, BandAccessIsBoundsChecked) {
    auto& ch = this->m_channel;
    const int n = this->FilterCount();
    ASSERT_GE(n, 5);
    EXPECT_EQ(ch.GetBand(-1), nullptr);
    EXPECT_EQ(ch.GetBand(n), nullptr);
    EXPECT_EQ(ch.GetBand(0), ch.GetEQ().GetAt(0));
    EXPECT_EQ(ch.GetHPF(), ch.GetBand(n - 2));
    EXPECT_EQ(ch.GetLPF(), ch.GetBand(n - 1));
    EXPECT_EQ(ch.GetHPF()->GetType(), BAND_HIGH_PASS);
    EXPECT_EQ(ch.GetLPF()->GetType(), BAND_LOW_PASS);
}

TYPED_TEST(ChannelCoreTest, BypassCoversItsFiltersAndMarksNothing) {
    auto& ch = this->m_channel;
    const int n = this->FilterCount();
    const int scope = TypeParam::BypassScope(ch);
    ch.GetBand(1)->SetGainPos(250);
    ch.GetHPF()->SetGainPos(250); // a crossover filter that counts as not bypassed
    ch.GetLPF()->SetGainPos(250);
    EXPECT_FALSE(ch.IsAllBandsBypassed());
    EXPECT_EQ(ch.GetAllBypassed(), 0);
    g_bOnline = 1;
    ch.BypassAllBands(TRUE);
    EXPECT_TRUE(ch.IsAllBandsBypassed());
    EXPECT_EQ(ch.GetAllBypassed(), 1);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(ch.GetBand(i)->IsBypassed() != 0, i < scope) << i;
        EXPECT_FALSE(ch.GetBand(i)->IsChanged()) << i;
    }
    ch.BypassAllBands(FALSE);
    EXPECT_FALSE(ch.IsAllBandsBypassed());
    EXPECT_FALSE(ch.GetBand(1)->IsBypassed());
}

// The last filter the check covers decides it alone; filters past the scope never do.
TYPED_TEST(ChannelCoreTest, AllBypassedLooksAtItsScopeOnly) {
    auto& ch = this->m_channel;
    const int n = this->FilterCount();
    const int scope = TypeParam::BypassScope(ch);
    for (int i = 0; i < n; ++i)
        ch.GetBand(i)->SetGainPos(i >= scope - 1 ? 250 : 200); // 0 dB: bypassed
    EXPECT_FALSE(ch.IsAllBandsBypassed());
    ch.GetBand(scope - 1)->SetGainPos(200);
    EXPECT_TRUE(ch.IsAllBandsBypassed());
    EXPECT_EQ(ch.GetAllBypassed(), 1);
    for (int i = scope; i < n; ++i)
        EXPECT_FALSE(ch.GetBand(i)->IsBypassed()) << i;
}

TYPED_TEST(ChannelCoreTest, TakeXoverChangeAcknowledgesTheMarkedFilters) {
    auto& ch = this->m_channel;
    ch.SetAllChanged(FALSE); // as after a connect: sent = set, nothing marked
    g_bOnline = 1;
    EXPECT_FALSE(ch.TakeXoverChange());
    const int hz = ch.GetHPF()->GetFreq() * 4 / 3; // up within an octave: sent at once
    ch.GetHPF()->SetFreq(hz, TRUE);
    EXPECT_FALSE(ch.GetLPF()->IsChanged());
    EXPECT_TRUE(ch.TakeXoverChange());
    EXPECT_EQ(ch.GetHPF()->GetSentFreq(), hz);
    EXPECT_FALSE(ch.GetHPF()->IsChanged());
    EXPECT_FALSE(ch.TakeXoverChange());
}

TYPED_TEST(ChannelCoreTest, SetAllChangedCatchesUpEveryFilter) {
    auto& ch = this->m_channel;
    const int n = this->FilterCount();
    g_bOnline = 1;
    ch.GetBand(0)->SetFreq(5000, TRUE); // several octaves: the sent frequency lags behind
    ch.GetBand(0)->AckChange(0);
    ASSERT_NE(ch.GetBand(0)->GetSentFreq(), 5000);
    ch.GetHPF()->SetFreq(2000, TRUE);
    ch.SetAllChanged(FALSE);
    for (int i = 0; i < n; ++i) {
        EXPECT_FALSE(ch.GetBand(i)->IsChanged()) << i;
        EXPECT_EQ(ch.GetBand(i)->GetSentFreq(), ch.GetBand(i)->GetFreq()) << i;
    }
    ch.SetAllChanged(TRUE);
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(ch.GetBand(i)->IsChanged()) << i;
    EXPECT_TRUE(ch.TakeXoverChange());
    EXPECT_FALSE(ch.GetHPF()->IsChanged());
    EXPECT_FALSE(ch.GetLPF()->IsChanged());
    EXPECT_TRUE(ch.GetBand(0)->IsChanged());
}

// The crossover goes out with the sent frequencies (a step at a time), and a loaded crossover
// is taken as sent: nothing is marked.
TYPED_TEST(ChannelCoreTest, CrossoverPacksSentFrequenciesAndLoadsWithoutMarks) {
    auto& ch = this->m_channel;
    g_bOnline = 1;
    ch.GetHPF()->SetFreq(20, TRUE);
    ch.TakeXoverChange();
    ch.GetHPF()->SetFreq(1000, TRUE); // 20 -> 1000 Hz: the first step reaches 40 Hz
    ch.TakeXoverChange();
    const auto before = TypeParam::Record();
    EXPECT_EQ(TypeParam::StoreXover(ch), nullptr);
    const XoverRecord& x = TypeParam::Record().xover;
    EXPECT_EQ(x.hpFreq, ch.GetHPF()->GetSentFreq());
    EXPECT_EQ(x.hpFreq, 40);
    EXPECT_EQ(x.hpFamily, ch.GetHPF()->GetFamilyByte());
    EXPECT_EQ(x.hpSlope, ch.GetHPF()->GetSlopeByte());
    EXPECT_EQ(x.lpFreq, ch.GetLPF()->GetSentFreq());
    EXPECT_EQ(x.lpFamily, ch.GetLPF()->GetFamilyByte());
    EXPECT_EQ(x.lpSlope, ch.GetLPF()->GetSlopeByte());
    const BYTE* base = RecordBytes(TypeParam::Record());
    const int first = static_cast<int>(reinterpret_cast<const BYTE*>(&x) - base);
    for (int offset : DiffBytes(before, TypeParam::Record()))
        EXPECT_TRUE(offset >= first && offset < first + static_cast<int>(sizeof x)) << offset;

    XoverRecord load = {};
    load.hpFreq = static_cast<SHORT>(125);
    load.hpFamily = 1;
    load.hpSlope = 2;
    load.lpFreq = static_cast<SHORT>(9000);
    load.lpFamily = 0;
    load.lpSlope = 3;
    TypeParam::LoadXover(ch, load);
    EXPECT_EQ(ch.GetHPF()->GetFreq(), 125);
    EXPECT_EQ(ch.GetHPF()->GetSentFreq(), 125);
    EXPECT_EQ(ch.GetHPF()->GetFamily(), 1);
    EXPECT_EQ(ch.GetHPF()->GetSlope(), 2);
    EXPECT_EQ(ch.GetLPF()->GetFreq(), 9000);
    EXPECT_EQ(ch.GetLPF()->GetSlope(), 3);
    EXPECT_FALSE(ch.TakeXoverChange());
    TypeParam::StoreXover(ch);
    EXPECT_EQ(TypeParam::Record().xover, load);
}

TYPED_TEST(ChannelCoreTest, StoreBandWritesItsSlotOnlyAndRefusesOthers) {
    auto& ch = this->m_channel;
    const int slots = TypeParam::BandSlots(ch);
    ch.GetBand(1)->SetGainPos(260);
    const auto before = TypeParam::Record();
    EXPECT_NE(TypeParam::StoreBand(ch, 1), nullptr);
    EXPECT_EQ(TypeParam::Record().bands[1], ch.GetEQ().PackBand(1));
    const BYTE* base = RecordBytes(TypeParam::Record());
    const int first = static_cast<int>(reinterpret_cast<const BYTE*>(&TypeParam::Record().bands[1]) - base);
    const std::vector<int> diff = DiffBytes(before, TypeParam::Record());
    EXPECT_FALSE(diff.empty());
    for (int offset : diff)
        EXPECT_TRUE(offset >= first && offset < first + static_cast<int>(sizeof(EQBandRecord))) << offset;
    for (int band : {-1, slots}) {
        const auto untouched = TypeParam::Record();
        EXPECT_EQ(TypeParam::StoreBand(ch, band), nullptr) << band;
        EXPECT_TRUE(DiffBytes(untouched, TypeParam::Record()).empty()) << band;
    }
}

TYPED_TEST(ChannelCoreTest, CurveIsTheSumOfTheFilters) {
    auto& ch = this->m_channel;
    ch.GetBand(1)->SetGainPos(320); // +12 dB
    ch.GetBand(1)->SetBypass(FALSE);
    TypeParam::SetRect(ch, CRect(0, 0, 600, 240));
    ch.UpdateCurve();
    const int n = this->FilterCount();
    for (int i : {0, 60, 120, 180, kGridSize - 1}) {
        double sum = 0.0;
        for (int k = 0; k < n; ++k)
            sum += ch.GetBand(k)->Response()[i];
        EXPECT_FLOAT_EQ(ch.GetCurveF()[i].y, static_cast<float>(DbToYReal(sum, 240) + 10.0)) << i;
        EXPECT_EQ(ch.GetCurve()[i].x, FreqToAxisPos(g_eqFreqGrid[i], 600) + 40) << i;
    }
    const int k = FreqToGridIndex(ch.GetBand(1)->GetFreq());
    EXPECT_LT(ch.GetCurveF()[k].y, DbToY(0.0, 240) + 10 - 60); // the boost shows above the zero line
}

namespace {
std::atomic<int> s_wakes{0};
void CountWake() {
    ++s_wakes;
}
} // namespace

// A marked change wakes the link's worker at once; offline nothing is marked and nobody is woken.
TEST_F(ChannelTest, MarkedChangesWakeTheLinkOnlyWhileOnline) {
    CKTV_OutData out;
    OutputChannel::Build(out);
    CMIC_InData mic;
    MicChannel::Build(mic);
    SetChangeNotifier(&CountWake);
    const std::function<void(int)> setters[] = {
        [&](int v) { out.SetLevel(100 + v); },
        [&](int v) { out.GetBand(0)->SetFreq(1000 + v, TRUE); },
        [&](int v) { mic.SetName(v ? "Mic B" : "Mic A"); },
    };
    int step = 0;
    for (const auto& set : setters) {
        ++step;
        g_bOnline = 0;
        s_wakes = 0;
        set(0);
        EXPECT_EQ(s_wakes, 0) << "setter " << step << " offline";
        g_bOnline = 1;
        set(1);
        EXPECT_GE(s_wakes, 1) << "setter " << step << " online";
    }
    SetChangeNotifier(nullptr);
}
