#include "model/Music_InData.h"

#include "ChannelFixture.h"
#include "model/Filter.h"

#include <functional>

namespace {

// How the document's music route builds input i.
void BuildRouted(CMusic_InData& in, int i) {
    CString name;
    name.Format("Music %d", i + 1);
    in.SetHandleColor(g_clrMusicCurve[i].ToColorRef());
    in.SetCurveColor(g_clrMusicCurve[i]);
    in.SetName(name);
    if (i == 0)
        in.SetLevel(450);
    in.SetIndex(i);
    in.BuildBands(30, 32, 20000);
    if (i > 0)
        in.SetFirst(FALSE);
}

enum Mark { kLevel = 1, kName = 2, kGate = 4, kExt = 8 };

int Marks(const CMusic_InData& in) {
    return (in.GetLevelChanged() ? kLevel : 0) | (in.GetNameChanged() ? kName : 0) |
           (in.GetNoiseGateChanged() ? kGate : 0) | (in.GetExtChanged() ? kExt : 0);
}

// An input record with a distinct value in every field the channel owns and 0x55 in the others.
InputRecord SampleRecord() {
    InputRecord r;
    std::memset(&r, 0x55, sizeof r);
    for (int b = 0; b < INPUT_BAND_SLOTS; ++b) {
        EQBandRecord& band = r.bands[b];
        band.freq = static_cast<SHORT>(100 + 10 * b);
        band.gainCode = static_cast<SHORT>(b % 3 == 0 ? 600 : 500 + b);
        band.bwCode = static_cast<SHORT>(b * 9);
        band.slope = 0;
        band.type = static_cast<BYTE>(b == 0 ? BAND_LOW_SHELF : BAND_PEAK);
    }
    r.phase = 1;
    r.geqMode = 0;
    r.on = 1;
    r.delay = static_cast<SHORT>(0x0102);
    r.levelCode = static_cast<SHORT>(0x0234);
    r.xover = {};
    r.xover.hpFreq = static_cast<SHORT>(50);
    r.xover.hpFamily = 1;
    r.xover.hpSlope = 3;
    r.xover.lpFreq = static_cast<SHORT>(15000);
    r.xover.lpFamily = 0;
    r.xover.lpSlope = 7;
    r.noiseGate = 9;
    r.extLevel = static_cast<SHORT>(0x01F4);
    r.extA = 3;
    r.extB = 4;
    std::memcpy(r.name, " Music 2", 8);
    return r;
}

class MusicInTest : public ChannelTest {
protected:
    void SetUp() override {
        ChannelTest::SetUp();
        for (int i = 0; i < NUM_INPUTS; ++i)
            BuildRouted(in[i], i);
    }
    CMusic_InData in[NUM_INPUTS];
};

} // namespace

TEST_F(MusicInTest, RouteDefaults) {
    EXPECT_EQ(in[0].GetLevel(), 450);
    EXPECT_EQ(in[1].GetLevel(), 600);
    EXPECT_EQ(in[1].GetGEQMode(), 1);
    EXPECT_EQ(in[0].GetFirst(), 1);
    EXPECT_EQ(in[3].GetFirst(), 0);
    EXPECT_EQ(in[2].GetFilterCount(), 33);
    EXPECT_EQ(in[2].GetBandCount(), 31);
    EXPECT_EQ(in[2].GetBand(14)->GetFreq(), 20000);
    EXPECT_EQ(in[2].GetBand(15)->GetFreq(), 630);
    EXPECT_EQ(in[2].GetHPF()->GetType(), BAND_HIGH_PASS);
    EXPECT_EQ(in[2].GetLPF()->GetType(), BAND_LOW_PASS);
    EXPECT_EQ(in[2].GetBand(33), nullptr);
    EXPECT_EQ(in[2].GetBand(-1), nullptr);
    EXPECT_EQ(Marks(in[0]), 0);
}

TEST_F(MusicInTest, SettersMarkTheirChunkOnlyWhileOnline) {
    const struct {
        const char* name;
        std::function<void(CMusic_InData&)> set;
        std::function<bool(const CMusic_InData&)> stored;
        int mark;
    } cases[] = {
        {"SetLevel", [](auto& m) { m.SetLevel(0); },
         [](auto& m) { return m.GetLevel() == 0 && m.GetLevelZero() == 0 && m.GetEffectiveLevel() == 0; },
         kLevel},
        {"SetEnabled", [](auto& m) { m.SetEnabled(0); }, [](auto& m) { return m.GetEnabled() == 0; }, kLevel},
        {"SetPhase", [](auto& m) { m.SetPhase(1); }, [](auto& m) { return m.GetPhase() == 1; }, kLevel},
        {"SetDelay", [](auto& m) { m.SetDelay(150); }, [](auto& m) { return m.GetDelay() == 150; }, kLevel},
        {"SetGEQMode", [](auto& m) { m.SetGEQMode(0); },
         [](auto& m) {
             return m.GetGEQMode() == 0 && !m.GetBand(0)->IsGeqMode() && !m.GetBand(30)->IsGeqMode();
         },
         kLevel},
        {"SetNoiseGate", [](auto& m) { m.SetNoiseGate(0); }, [](auto& m) { return m.GetNoiseGate() == 0; },
         kGate},
        {"SetExtLevel", [](auto& m) { m.SetExtLevel(300); }, [](auto& m) { return m.GetExtLevel() == 300; },
         kExt},
        {"SetExtA", [](auto& m) { m.SetExtA(1); }, [](auto& m) { return m.GetExtA() == 1; }, kExt},
        {"SetExtB", [](auto& m) { m.SetExtB(2); }, [](auto& m) { return m.GetExtB() == 2; }, kExt},
        {"SetName", [](auto& m) { m.SetName("DVD"); }, [](auto& m) { return m.GetName() == "DVD"; }, kName},
    };
    for (const auto& c : cases) {
        for (int online : {0, 1}) {
            CMusic_InData m;
            BuildRouted(m, 2);
            g_bOnline = online;
            c.set(m);
            g_bOnline = 0;
            EXPECT_TRUE(c.stored(m)) << c.name;
            EXPECT_EQ(Marks(m), online ? c.mark : 0) << c.name << " online " << online;
        }
    }
}

TEST_F(MusicInTest, RecordRoundTripWritesOnlyTheChannelsBytes) {
    const InputRecord src = SampleRecord();
    const InputRecord before0 = g_curImage.inputs[0];
    const InputRecord before2 = g_curImage.inputs[2];
    CMusic_InData& m = in[1];
    g_bOnline = 1;
    m.SetNoiseGateChanged(1);
    m.LoadFromRecord(&src);
    EXPECT_EQ(Marks(m), kGate); // loading leaves the marks as they were
    for (int i = 0; i < m.GetFilterCount(); ++i)
        EXPECT_FALSE(m.GetBand(i)->IsChanged()) << i;
    EXPECT_EQ(m.GetName(), "Music 2"); // trimmed
    EXPECT_EQ(m.GetLevel(), 0x0234);
    EXPECT_EQ(m.GetHPF()->GetFreq(), 50);
    EXPECT_EQ(m.GetHPF()->GetSentFreq(), 50);
    EXPECT_FALSE(m.GetBand(7)->IsGeqMode());
    g_bOnline = 0;

    InputRecord& rec = g_curImage.inputs[1];
    std::memset(&rec, 0xEE, sizeof rec);
    m.StoreToImage();
    std::vector<int> notWritten = {248};
    for (int i = 265; i <= 271; ++i)
        notWritten.push_back(i);
    for (int i = 276; i <= 279; ++i)
        notWritten.push_back(i);
    for (int i : notWritten)
        EXPECT_EQ(RecordBytes(rec)[i], 0xEE) << i;
    std::vector<int> diff = DiffBytes(rec, src);
    std::vector<int> nameBytes = {280, 281, 282, 283, 284, 285, 286, 287};
    for (int i : nameBytes)
        std::erase(diff, i);
    EXPECT_EQ(diff, notWritten);
    EXPECT_EQ(std::memcmp(rec.name, "Music 2\0", 8), 0);
    EXPECT_EQ(DiffBytes(g_curImage.inputs[0], before0), std::vector<int>{});
    EXPECT_EQ(DiffBytes(g_curImage.inputs[2], before2), std::vector<int>{});
}

TEST_F(MusicInTest, LevelZeroFlagAndLevelChunk) {
    CMusic_InData& m = in[2];
    m.SetLevel(0);
    m.StoreLevelBlock(FALSE);
    EXPECT_EQ(g_curImage.inputs[2].levelCode.Get(), 0);
    m.SetLevel(560);
    m.SetLevelZero(1); // only an archive load sets it in the program
    m.StoreLevelBlock(FALSE);
    EXPECT_EQ(g_curImage.inputs[2].levelCode.Get(), 0);
    EXPECT_EQ(m.GetEffectiveLevel(), 0);
}

TEST_F(MusicInTest, FramesCarryTheChunkOfThisInput) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CSendData>(CMusic_InData&)> store;
        int chunk;
    } cases[] = {
        {"level", [](auto& m) { return m.StoreLevelBlock(TRUE); }, 31},
        {"xover", [](auto& m) { return m.StoreXoverChunk(TRUE); }, 32},
        {"gate", [](auto& m) { return m.StoreNoiseGateBlock(TRUE); }, 33},
        {"ext", [](auto& m) { return m.StoreExtBlock(TRUE); }, 34},
        {"name", [](auto& m) { return m.StoreNameBlock(); }, 35},
        {"band 30", [](auto& m) { return m.StoreBand(30, 30); }, 30},
    };
    for (const auto& c : cases) {
        auto frame = c.store(in[4]);
        ASSERT_NE(frame, nullptr) << c.name;
        const BYTE* f = frame->GetData();
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_INPUT) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_INDEX], 4) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_CHUNK], c.chunk) << c.name;
        EXPECT_EQ(std::memcmp(f + LinkFrame::OFS_PAYLOAD, RecordBytes(g_curImage.inputs[4]) + 8 * c.chunk, 8),
                  0)
            << c.name;
    }
    EXPECT_EQ(in[4].StoreLevelBlock(FALSE), nullptr);
    EXPECT_EQ(in[4].StoreBand(31, 31), nullptr);
    auto rec = in[4].StoreRecordFrame(2);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->GetSize(), 288 + 16);
    EXPECT_EQ(rec->GetData()[LinkFrame::OFS_PRESET], 2);
}

TEST_F(MusicInTest, SetAllChangedClearsMarksAndCatchesUpSentFrequencies) {
    CMusic_InData& m = in[5];
    g_bOnline = 1;
    m.SetLevel(100);
    m.SetExtA(1);
    m.GetBand(2)->SetFreq(8000, TRUE);
    m.GetHPF()->SetFreq(2000, TRUE);
    m.SetAllChanged(FALSE);
    EXPECT_EQ(Marks(m), 0);
    for (int i = 0; i < m.GetFilterCount(); ++i) {
        EXPECT_FALSE(m.GetBand(i)->IsChanged()) << i;
        EXPECT_EQ(m.GetBand(i)->GetSentFreq(), m.GetBand(i)->GetFreq()) << i;
    }
    m.SetAllChanged(TRUE);
    EXPECT_EQ(Marks(m), kLevel | kName | kGate | kExt);
    EXPECT_TRUE(m.GetLPF()->IsChanged());
    EXPECT_TRUE(m.TakeXoverChange());
    EXPECT_FALSE(m.GetHPF()->IsChanged());
}

TEST_F(MusicInTest, ParameterTexts) {
    CMusic_InData& m = in[0];
    const struct {
        std::function<void()> set;
        std::function<CString()> text;
        const char* want;
    } rows[] = {
        {[&] { m.SetLevel(600); }, [&] { return m.FormatGainText(); }, "0.0dB"},
        {[&] { m.SetLevel(450); }, [&] { return m.FormatGainText(); }, "-15.0dB"},
        {[&] { m.SetLevel(0); }, [&] { return m.FormatGainText(); }, "-60.0dB"},
        {[&] { m.SetLevel(605); }, [&] { return m.FormatGainText(); }, "0.5dB"},
        {[&] { m.SetNoiseGate(0); }, [&] { return m.FormatNoiseGateText(); }, "OFF"},
        {[&] { m.SetNoiseGate(40); }, [&] { return m.FormatNoiseGateText(); }, "-80.0dBu"},
        {[&] { m.SetDelay(99); }, [&] { return m.FormatDelayText(); }, "9.9ms"},
        {[&] { m.SetDelay(100); }, [&] { return m.FormatDelayText(); }, "10.0ms"},
        {[&] { m.SetDelay(150); }, [&] { return m.FormatDelayText(); }, "60.0ms"},
        {[&] {}, [&] { return m.FormatExtLevelText(); }, "20.0"},
        {[&] { m.SetEnabled(0); }, [&] { return m.FormatOnOffText(); }, "OFF"},
        {[&] { m.SetPhase(1); }, [&] { return m.FormatPolarityText(); }, "Pol-"},
        {[&] { g_bChinese = 1; }, [&] { return m.FormatPolarityText(); }, "反相"},
    };
    int n = 0;
    for (const auto& r : rows) {
        r.set();
        EXPECT_EQ(r.text(), r.want) << "row " << n;
        ++n;
    }
}

TEST_F(MusicInTest, ArchiveRoundTripLeavesGeqModeOut) {
    CMusic_InData& m = in[1];
    m.SetLevel(0);
    m.SetDelay(7);
    m.SetNoiseGate(3);
    m.SetExtB(9);
    m.SetGEQMode(0);
    m.GetBand(6)->SetGainPos(150);
    const std::vector<BYTE> bytes = ArchiveBytes(m);
    EXPECT_EQ(bytes.size(), 1u + 7 + 8 * 4 + 33 * 48); // name, eight ints, 33 filters

    CMusic_InData copy;
    BuildRouted(copy, 1);
    LoadArchive(copy, bytes);
    EXPECT_EQ(copy.GetName(), "Music 2");
    EXPECT_EQ(copy.GetLevelZero(), 1);
    EXPECT_EQ(copy.GetDelay(), 7);
    EXPECT_EQ(copy.GetNoiseGate(), 3);
    EXPECT_EQ(copy.GetExtB(), 9);
    EXPECT_EQ(copy.GetGEQMode(), 1);
    EXPECT_EQ(copy.GetBand(6)->GetGainPos(), 150);
}
