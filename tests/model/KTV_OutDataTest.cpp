#include "model/KTV_OutData.h"

#include "ChannelFixture.h"
#include "model/Filter.h"

#include <functional>

namespace {

// How the document's output route builds output j.
void BuildRouted(CKTV_OutData& o, int j) {
    static const int kHpRange[NUM_OUTPUTS] = {11, 10, 9, 11, 10, 9, 9, 9};
    static const int kCode[NUM_OUTPUTS] = {6, 12, 15, 18, 0, 0, 22, 23};
    static const char* const kName[6] = {"FL", "FR", "SL", "SR", "Center", "ULF"};
    o.SetIndex(j);
    o.SetHandleColor(g_clrOutCurve[j].ToColorRef());
    o.SetCurveColor(g_clrOutCurve[j]);
    if (j < 6)
        o.SetName(kName[j]);
    o.BuildBands(30, 32, kHpRange[j], 20, 20000);
    o.SetPosition(kCode[j]);
}

enum Mark {
    kLevel = 1,
    kMix1 = 2,
    kMix2 = 4,
    kLimiter = 8,
    kAux = 16,
    kName = 32,
    kRestore = 64,
    kXover = 128
};

int Marks(const CKTV_OutData& o) {
    int m = 0;
    m |= o.GetLevelChanged() ? kLevel : 0;
    m |= o.GetMix1Changed() ? kMix1 : 0;
    m |= o.GetMix2Changed() ? kMix2 : 0;
    m |= o.GetLimiterChanged() ? kLimiter : 0;
    m |= o.GetAuxChanged() ? kAux : 0;
    m |= o.GetNameChanged() ? kName : 0;
    m |= o.GetVolumeRestore() ? kRestore : 0;
    m |= (o.GetHPF()->IsChanged() || o.GetLPF()->IsChanged()) ? kXover : 0;
    return m;
}

class OutDataTest : public ChannelTest {
protected:
    void SetUp() override {
        ChannelTest::SetUp();
        for (int j = 0; j < NUM_OUTPUTS; ++j) {
            BuildRouted(out[j], j);
            g_pOutData[j] = &out[j];
        }
    }
    CKTV_OutData out[NUM_OUTPUTS];
};

struct SetterCase {
    const char* name;
    std::function<void(CKTV_OutData&)> set;
    std::function<bool(const CKTV_OutData&)> stored;
    int mark;
};

const SetterCase kSetters[] = {
    {"SetLevel", [](auto& o) { o.SetLevel(450); }, [](auto& o) { return o.GetEffectiveLevel() == 450; },
     kLevel},
    {"SetDelay", [](auto& o) { o.SetDelay(354); }, [](auto& o) { return o.GetDelay() == 354; }, kLevel},
    {"SetEnabled", [](auto& o) { o.SetEnabled(0); }, [](auto& o) { return o.GetEnabled() == 0; }, kLevel},
    {"SetPolarity", [](auto& o) { o.SetPolarity(1); }, [](auto& o) { return o.GetPolarity() == 1; }, kLevel},
    {"SetGEQMode", [](auto& o) { o.SetGEQMode(1); },
     [](auto& o) { return o.GetGEQMode() == 1 && o.GetBand(0)->IsGeqMode() && o.GetBand(30)->IsGeqMode(); },
     kLevel},
    {"SetLevelZero", [](auto& o) { o.SetLevelZero(1); }, [](auto& o) { return o.GetEffectiveLevel() == 0; },
     kLevel},
    {"SetMix1In3", [](auto& o) { o.SetMix1In3(55); }, [](auto& o) { return o.GetMix1In(3) == 55; }, kMix1},
    {"SetMix1In8", [](auto& o) { o.SetMix1In8(7); }, [](auto& o) { return o.GetMix1In(8) == 7; }, kMix1},
    {"SetMix2In2", [](auto& o) { o.SetMix2In2(66); }, [](auto& o) { return o.GetMix2In(2) == 66; }, kMix2},
    {"SetMix2In7", [](auto& o) { o.SetMix2In7(9); }, [](auto& o) { return o.GetMix2In7() == 9; }, kMix2},
    {"SetMix2Mask", [](auto& o) { o.SetMix2Mask(5); }, [](auto& o) { return o.GetMix2Mask() == 5; }, kMix2},
    {"SetLimThreshold", [](auto& o) { o.SetLimThreshold(300); },
     [](auto& o) { return o.GetLimThreshold() == 300; }, kLimiter},
    {"SetLimAttack", [](auto& o) { o.SetLimAttack(20); }, [](auto& o) { return o.GetLimAttack() == 20; },
     kLimiter},
    {"SetLimRelease", [](auto& o) { o.SetLimRelease(3); }, [](auto& o) { return o.GetLimRelease() == 3; },
     kLimiter},
    {"SetInLOff", [](auto& o) { o.SetInLOff(1); },
     [](auto& o) { return o.GetInLOff() == 1 && o.GetInLevelL() == 0; }, kAux},
    {"SetName", [](auto& o) { o.SetName("Rear"); }, [](auto& o) { return o.GetName() == "Rear"; }, kName},
    {"RequestVolumeRestore", [](auto& o) { o.RequestVolumeRestore(); }, [](auto&) { return true; }, kRestore},
    {"SetPosition", [](auto& o) { o.SetPosition(13); },
     [](auto& o) { return o.GetPositionCode() == 13 && o.GetHPF()->GetFreq() == 5300; }, kXover},
    {"SetPositionXover",
     [](auto& o) {
         XoverRecord x{};
         x.hpFreq = static_cast<SHORT>(100);
         x.hpFamily = 0;
         x.hpSlope = 3;
         x.lpFreq = static_cast<SHORT>(8000);
         x.lpFamily = 1;
         x.lpSlope = 2;
         o.SetPositionXover(4, x);
     },
     [](auto& o) {
         return o.GetPositionCode() == 4 && o.GetHPF()->GetFreq() == 100 && o.GetHPF()->GetSlope() == 3 &&
                o.GetLPF()->GetFreq() == 8000 && o.GetLPF()->GetFamily() == 1;
     },
     kXover},
};

} // namespace

TEST_F(OutDataTest, SettersStoreAndMarkOnlyWhileOnline) {
    for (const SetterCase& c : kSetters) {
        for (int online : {0, 1}) {
            CKTV_OutData o;
            BuildRouted(o, 3);
            g_bOnline = online;
            c.set(o);
            g_bOnline = 0;
            EXPECT_TRUE(c.stored(o)) << c.name;
            EXPECT_EQ(Marks(o), online ? c.mark : 0) << c.name << " online " << online;
        }
    }
}

TEST_F(OutDataTest, UnchangedValueReturnsEarlyExceptMix2In7) {
    g_nOutLinkGroup[1] = 0;
    g_bOnline = 1;
    out[0].SetMix1In3(out[0].GetMix1In(3));
    out[0].SetMix2In1(out[0].GetMix2In(1));
    out[0].SetLimAttack(out[0].GetLimAttack());
    EXPECT_EQ(Marks(out[0]), 0);
    EXPECT_EQ(Marks(out[1]), 0);

    out[1].SetMix2In2(42);
    out[1].SetMix2Changed(0);
    out[0].SetMix2In7(out[0].GetMix2In7()); // the whole row travels, even unchanged
    EXPECT_EQ(Marks(out[0]), kMix2);
    EXPECT_EQ(out[1].GetMix2In(2), out[0].GetMix2In(2));
    EXPECT_TRUE(out[1].GetMix2Changed());
}

TEST_F(OutDataTest, LinkGroupCopiesReachOnlyLinkedOutputs) {
    const struct {
        const char* name;
        std::function<void(CKTV_OutData&)> set;
        std::function<bool(const CKTV_OutData& sender, const CKTV_OutData& partner)> copied;
        int mark;
    } cases[] = {
        {"SetLimAttack", [](auto& o) { o.SetLimAttack(20); },
         [](auto&, auto& p) { return p.GetLimAttack() == 20 && p.GetLimThreshold() == 420; }, kLimiter},
        {"SetMix2Mask",
         [](auto& o) {
             o.SetMix2In3(33);
             o.SetMix2Mask(5);
         },
         [](auto& s, auto& p) {
             BYTE a[8], b[8];
             s.GetMix2(a);
             p.GetMix2(b);
             return std::memcmp(a, b, 8) == 0 && b[7] == 5 && b[2] == 33;
         },
         kMix2},
        {"SetPolarity", [](auto& o) { o.SetPolarity(1); },
         [](auto&, auto& p) { return p.GetPolarity() == 0 && p.GetLevel() == 450; }, kLevel},
        {"SetGEQMode", [](auto& o) { o.SetGEQMode(1); },
         [](auto&, auto& p) { return p.GetGEQMode() == 1 && p.GetBand(30)->IsGeqMode(); }, kLevel},
        {"SetLevel(0)", [](auto& o) { o.SetLevel(0); },
         [](auto&, auto& p) { return p.GetLevelZero() == 1 && p.GetEffectiveLevel() == 0; }, kLevel},
        {"SetInLevel3", [](auto& o) { o.SetInLevel3(12); },
         [](auto&, auto& p) { return p.GetInLevel3() == 12; }, kAux},
        {"SetDelay", [](auto& o) { o.SetDelay(100); }, [](auto&, auto& p) { return p.GetDelay() == 0; }, 0},
    };
    for (const auto& c : cases) {
        CKTV_OutData o[4];
        g_bOnline = 0;
        for (int j = 0; j < 4; ++j) {
            BuildRouted(o[j], j);
            g_pOutData[j] = &o[j];
            g_nOutLinkGroup[j] = j;
        }
        o[0].SetLevel(450); // offline, before linking: a distinct level the copies can carry
        o[0].SetMix2In2(77);
        g_nOutLinkGroup[1] = 0;
        g_nOutLinkGroup[2] = 0;
        g_bOnline = 1;
        c.set(o[0]);
        for (int j : {1, 2}) {
            EXPECT_TRUE(c.copied(o[0], o[j])) << c.name << " output " << j;
            EXPECT_EQ(Marks(o[j]), c.mark) << c.name << " output " << j;
        }
        EXPECT_EQ(Marks(o[3]), 0) << c.name;
        EXPECT_EQ(o[3].GetLimAttack(), 56) << c.name;
        EXPECT_EQ(o[3].GetGEQMode(), 0) << c.name;
        EXPECT_EQ(o[3].GetEffectiveLevel(), 600) << c.name;
        for (int j = 0; j < 4; ++j)
            g_pOutData[j] = &out[j];
    }
}

TEST_F(OutDataTest, SpeakerPositionSetsDefaultCrossover) {
    const struct {
        int code, hp, lp, range;
    } rows[] = {
        {0, 20, 20000, 12},  {1, 5300, 20000, 11}, {13, 5300, 20000, 11}, {19, 5300, 20000, 11},
        {2, 600, 2900, 12},  {8, 600, 2900, 12},   {3, 70, 360, 12},      {20, 70, 360, 12},
        {4, 600, 20000, 12}, {5, 70, 2900, 12},    {6, 70, 20000, 12},    {15, 80, 20000, 12},
        {21, 20, 20000, 12}, {22, 27, 55, 12},     {25, 27, 55, 12},
    };
    for (const auto& r : rows) {
        CKTV_OutData& o = out[0];
        o.SetPosition(r.code);
        const CFilter* hp = o.GetHPF();
        const CFilter* lp = o.GetLPF();
        EXPECT_EQ(o.GetPositionCode(), r.code);
        EXPECT_EQ(hp->GetFreq(), r.hp) << r.code;
        EXPECT_EQ(lp->GetFreq(), r.lp) << r.code;
        EXPECT_EQ(hp->GetRangeMode(), r.range) << r.code;
        EXPECT_EQ(lp->GetRangeMode(), 12) << r.code;
        for (const CFilter* f : {hp, lp}) {
            EXPECT_EQ(f->GetFamily(), XOVER_BUTTERWORTH) << r.code;
            EXPECT_EQ(f->GetSlope(), 1) << r.code;
        }
    }
    out[0].SetPosition(27); // not a position code: nothing changes
    EXPECT_EQ(out[0].GetPositionCode(), 25);

    out[1].SetPositionCode(13);
    EXPECT_EQ(out[1].GetPositionCode(), 13);
    EXPECT_EQ(out[1].GetHPF()->GetRangeMode(), 11);
    EXPECT_EQ(out[1].GetHPF()->GetFreq(), 70); // code 12's crossover stays
    out[1].SetPositionCode(3);
    EXPECT_EQ(out[1].GetHPF()->GetRangeMode(), 12);
}

TEST_F(OutDataTest, ChunkPackersWriteExactBytes) {
    OutputRecord& rec = g_curImage.outputs[2];
    std::memset(&rec, 0xEE, sizeof rec);
    CKTV_OutData& o = out[2];
    o.SetEnabled(0);
    o.SetPolarity(1);
    o.SetLevel(612);
    o.SetDelay(300);
    o.SetGEQMode(1);
    o.SetPositionCode(13);
    const BYTE mix1[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const BYTE mix2[8] = {9, 10, 11, 12, 13, 14, 15, 16};
    o.SetMix1(mix1);
    o.SetMix2(mix2);
    o.SetLimiter(420, 20, 3);

    EXPECT_EQ(o.StoreLevelBlock(FALSE), nullptr);
    EXPECT_EQ(o.StoreMix1Block(FALSE), nullptr);
    EXPECT_EQ(o.StoreMix2Block(FALSE), nullptr);
    EXPECT_EQ(o.StoreLimiterBlock(FALSE), nullptr);
    const BYTE* b = RecordBytes(rec);
    const BYTE want[] = {0x00, 0x01, 0x64, 0x02, 0x2C, 0x01, 0x01, 0x0D};
    EXPECT_EQ(std::memcmp(b + 248, want, 8), 0);
    EXPECT_EQ(std::memcmp(b + 264, mix1, 8), 0);
    EXPECT_EQ(std::memcmp(b + 272, mix2, 8), 0);
    const BYTE limiter[] = {0xA4, 0x01, 0x14, 0x00, 0x03, 0x00, 0xEE, 0xEE};
    EXPECT_EQ(std::memcmp(b + 280, limiter, 8), 0);
    EXPECT_EQ(b[256], 0xEE); // the crossover chunk was not asked for

    o.SetLevelZero(1);
    o.StoreLevelBlock(FALSE);
    EXPECT_EQ(rec.levelCode.Get(), 0);
}

TEST_F(OutDataTest, CrossoverChunkSentVersusTargetFrequencies) {
    CKTV_OutData& o = out[4]; // position 0: 20 Hz / 20000 Hz
    g_bOnline = 1;
    o.GetHPF()->SetFreq(1000, TRUE); // more than an octave: the sent frequency stays behind
    ASSERT_EQ(o.GetHPF()->GetSentFreq(), 20);

    o.StoreXoverChunk(FALSE);
    EXPECT_EQ(g_curImage.outputs[4].xover.hpFreq.Get(), 20);
    XoverRecord x{};
    o.GetXover(x);
    EXPECT_EQ(x.hpFreq.Get(), 20);
    EXPECT_EQ(x.hpFamily, XOVER_BUTTERWORTH);
    EXPECT_EQ(x.lpFreq.Get(), 20000);

    auto frame = o.StoreXoverBlock();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetData()[LinkFrame::OFS_CHUNK], CHUNK_OUT_XOVER);
    EXPECT_EQ(g_curImage.outputs[4].xover.hpFreq.Get(), 1000);
    EXPECT_EQ(o.GetHPF()->GetSentFreq(), 1000);
    EXPECT_FALSE(o.GetHPF()->IsChanged());
}

TEST_F(OutDataTest, FramesCarryTheChunkOfThisOutput) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<CSendData>(CKTV_OutData&)> store;
        int chunk;
    } cases[] = {
        {"level", [](auto& o) { return o.StoreLevelBlock(TRUE); }, 31},
        {"xover", [](auto& o) { return o.StoreXoverChunk(TRUE); }, 32},
        {"mix1", [](auto& o) { return o.StoreMix1Block(TRUE); }, 33},
        {"mix2", [](auto& o) { return o.StoreMix2Block(TRUE); }, 34},
        {"limiter", [](auto& o) { return o.StoreLimiterBlock(TRUE); }, 35},
        {"name", [](auto& o) { return o.StoreNameBlock(); }, 36},
        {"band 7", [](auto& o) { return o.StoreBand(7, 7); }, 7},
    };
    for (const auto& c : cases) {
        auto frame = c.store(out[5]);
        ASSERT_NE(frame, nullptr) << c.name;
        ASSERT_EQ(frame->GetSize(), 24) << c.name;
        const BYTE* f = frame->GetData();
        EXPECT_EQ(f[LinkFrame::OFS_TYPE], FRAME_WRITE) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_OUTPUT) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_INDEX], 5) << c.name;
        EXPECT_EQ(f[LinkFrame::OFS_CHUNK], c.chunk) << c.name;
        EXPECT_EQ(
            std::memcmp(f + LinkFrame::OFS_PAYLOAD, RecordBytes(g_curImage.outputs[5]) + 8 * c.chunk, 8), 0)
            << c.name;
    }
    EXPECT_EQ(out[5].StoreBand(31, 31), nullptr); // the crossover filters have no band slot
    EXPECT_EQ(out[5].StoreBand(-1, 0), nullptr);
    EXPECT_EQ(out[5].SendRecordIfLocked(""), nullptr);
    auto rec = out[5].SendRecordIfLocked("123456");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->GetSize(), 296 + 16);
}

TEST_F(OutDataTest, DefaultRecordsRoundTripByteForByte) {
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        OutputRecord& rec = g_curImage.outputs[j];
        std::memset(&rec, 0xEE, sizeof rec);
        g_bOnline = 1;
        out[j].SetLevelChanged(1);
        out[j].SetMix1Changed(0);
        out[j].LoadFromRecord(&g_defOutRecords[j]);
        // Loading marks nothing and leaves the object's own marks alone.
        EXPECT_EQ(Marks(out[j]) & ~kName, kLevel) << j;
        for (int i = 0; i < out[j].GetFilterCount(); ++i)
            EXPECT_FALSE(out[j].GetBand(i)->IsChanged()) << j << " filter " << i;
        g_bOnline = 0;

        out[j].StoreToImage();
        EXPECT_EQ(DiffBytes(rec, g_defOutRecords[j], 0, 285), std::vector<int>{}) << "output " << j;
        for (int i = 286; i < 296; ++i)
            EXPECT_EQ(RecordBytes(rec)[i], 0xEE) << "output " << j << " byte " << i;
    }
}

TEST_F(OutDataTest, LoadPassesGeqModeByBandCount) {
    const struct {
        int index, deviceType;
        bool band10;
    } rows[] = {{0, 2, true}, {7, 2, false}, {7, 3, true}, {6, 4, true}};
    for (const auto& r : rows) {
        OutputRecord rec = g_defOutRecords[r.index];
        rec.geqMode = 1;
        rec.levelCode = static_cast<WORD>(0);
        g_nDeviceType = r.deviceType;
        CKTV_OutData& o = out[r.index];
        o.GetBand(10)->SetGeqMode(0);
        o.LoadFromRecord(&rec);
        EXPECT_TRUE(o.GetBand(9)->IsGeqMode());
        EXPECT_EQ(o.GetBand(10)->IsGeqMode() != 0, r.band10) << r.index << " type " << r.deviceType;
        EXPECT_EQ(o.GetLevelZero(), 1);
    }
    g_nDeviceType = 2;
}

TEST_F(OutDataTest, NameBlockWritesEightBytesOrKeepsTheOld) {
    OutputRecord& rec = g_curImage.outputs[4];
    EXPECT_NE(out[4].StoreNameBlock(), nullptr);
    EXPECT_EQ(std::memcmp(rec.name, "Center\0\0", 8), 0);
    EXPECT_EQ(s_errors, 0);

    out[4].SetName("Subwoofe"); // 8 bytes leave no room for the NUL
    auto frame = out[4].StoreNameBlock();
    EXPECT_NE(frame, nullptr);
    EXPECT_EQ(std::memcmp(rec.name, "Center\0\0", 8), 0);
    EXPECT_EQ(s_errors, 1);

    // StoreToImage writes no name.
    out[4].SetName("X");
    out[4].StoreToImage();
    EXPECT_EQ(std::memcmp(rec.name, "Center\0\0", 8), 0);
}

TEST_F(OutDataTest, SetAllChangedClearsMarksAndCatchesUpSentFrequencies) {
    CKTV_OutData& o = out[1];
    g_bOnline = 1;
    o.SetLevel(500);
    o.SetMix1In1(1);
    o.SetName("N");
    o.RequestVolumeRestore();
    o.GetBand(0)->SetFreq(5000, TRUE); // 20 Hz -> 5000 Hz: several steps pending
    o.GetBand(0)->AckChange(0);
    ASSERT_EQ(o.GetBand(0)->GetSentFreq(), 40);

    o.SetAllChanged(FALSE);
    EXPECT_EQ(Marks(o), kName | kRestore); // name and requests are left alone
    for (int i = 0; i < o.GetFilterCount(); ++i) {
        EXPECT_FALSE(o.GetBand(i)->IsChanged()) << i;
        EXPECT_EQ(o.GetBand(i)->GetSentFreq(), o.GetBand(i)->GetFreq()) << i;
    }

    o.SetAllChanged(TRUE);
    EXPECT_EQ(Marks(o), kLevel | kMix1 | kMix2 | kLimiter | kAux | kName | kRestore | kXover);
}

TEST_F(OutDataTest, CopyEqFromPassesGeqModeByOutputBandCount) {
    out[0].GetBand(3)->SetGainPos(260);
    out[0].SetLevel(0);
    out[0].SetGEQMode(1);
    g_bOnline = 1;
    out[7].CopyEqFrom(out[0]);
    EXPECT_EQ(out[7].GetBand(3)->GetGainPos(), 260);
    EXPECT_EQ(out[7].GetEffectiveLevel(), 0);
    EXPECT_EQ(out[7].GetGEQMode(), 1);
    EXPECT_TRUE(out[7].GetBand(9)->IsGeqMode());
    EXPECT_FALSE(out[7].GetBand(10)->IsGeqMode());
    EXPECT_EQ(Marks(out[7]), 0);
}

TEST_F(OutDataTest, BandAccessIsBoundsChecked) {
    CKTV_OutData& o = out[6];
    EXPECT_EQ(o.GetFilterCount(), 33); // outputs 7 and 8 hold 33 filters too
    EXPECT_EQ(o.GetBand(-1), nullptr);
    EXPECT_EQ(o.GetBand(33), nullptr);
    EXPECT_EQ(o.GetHPFIndex(), 31);
    EXPECT_EQ(o.GetLPFIndex(), 32);
    EXPECT_EQ(o.GetHPF()->GetType(), BAND_HIGH_PASS);
    EXPECT_EQ(o.GetLPF()->GetType(), BAND_LOW_PASS);
    EXPECT_EQ(o.GetBand(12)->GetFreq(), 315);

    CKTV_OutData empty; // before BuildBands nothing dereferences a missing filter
    empty.SetPosition(13);
    empty.SetAllChanged(FALSE);
    EXPECT_EQ(empty.GetHPF(), nullptr);
    EXPECT_EQ(empty.TakeXoverChange(), FALSE);
}

TEST_F(OutDataTest, ParameterTexts) {
    CKTV_OutData& o = out[0];
    const struct {
        std::function<void()> set;
        std::function<CString()> text;
        const char* want;
    } rows[] = {
        {[&] { o.SetLevel(0); }, [&] { return o.FormatGainText(); }, "-60.0dB"},
        {[&] { o.SetLevel(600); }, [&] { return o.FormatGainText(); }, "0.0dB"},
        {[&] { o.SetLevel(612); }, [&] { return o.FormatGainText(); }, "1.2dB"},
        {[&] { o.SetLevel(395); }, [&] { return o.FormatGainText(); }, "-20.5dB"},
        {[&] { o.SetDelay(0); }, [&] { return o.FormatDelayText(); }, "0.0ms"},
        {[&] { o.SetDelay(48); }, [&] { return o.FormatDelayText(); }, "1.0ms"},
        {[&] { o.SetDelay(354); }, [&] { return o.FormatDelayText(); }, "7.4ms"},
        {[&] { o.SetLimiter(420, 0, 0); }, [&] { return o.FormatLimThresholdText(); }, "12.0dBu"},
        {[&] { o.SetLimiter(0, 0, 0); }, [&] { return o.FormatLimAttackText(); }, "0.3ms"},
        {[&] { o.SetLimiter(0, 6, 0); }, [&] { return o.FormatLimAttackText(); }, "0.9ms"},
        {[&] { o.SetLimiter(0, 7, 0); }, [&] { return o.FormatLimAttackText(); }, "1ms"},
        {[&] { o.SetLimiter(0, 0, 0); }, [&] { return o.FormatLimReleaseText(); }, "Atk * 2"},
        {[&] { o.SetLimiter(0, 0, 5); }, [&] { return o.FormatLimReleaseText(); }, "Atk * 32"},
        {[&] { o.SetLimiter(0, 0, 6); }, [&] { return o.FormatLimReleaseText(); }, ""},
        {[&] { o.SetPolarity(1); }, [&] { return o.FormatPolarityText(); }, "Pol-"},
        {[&] { o.SetPolarity(0); }, [&] { return o.FormatPolarityText(); }, "Pol+"},
        {[&] { g_bChinese = 1; }, [&] { return o.FormatPolarityText(); }, "正相"},
        {[&] {
             g_bChinese = 0;
             o.SetEnabled(0);
         },
         [&] { return o.FormatOnOffText(); }, "OFF"},
        {[&] { o.SetEnabled(1); }, [&] { return o.FormatOnOffText(); }, "On"},
        {[&] {}, [&] { return o.FormatInLText(); }, "1%"}, // SetIndex(0) switched IN L on at 1
        {[&] {}, [&] { return o.FormatInRText(); }, "0%"},
        {[&] { o.SetIn3Off(1); }, [&] { return o.FormatIn3Text(); }, "0%"},
        {[&] {}, [&] { return o.FormatInBalanceText(); }, "50%:50%"},
        {[&] {}, [&] { return o.FormatSwitchBitText(4); }, "On"},
        {[&] {}, [&] { return o.FormatSwitchBitText(0); }, "OFF"},
        {[&] {}, [&] { return o.FormatAuxLevelBText(); }, "40%"},
        {[&] {}, [&] { return out[6].FormatInLText() + out[6].FormatInRText(); }, "0%0%"},
    };
    int n = 0;
    for (const auto& r : rows) {
        r.set();
        EXPECT_EQ(r.text(), r.want) << "row " << n;
        ++n;
    }
}

TEST_F(OutDataTest, ArchiveRoundTrip) {
    CKTV_OutData& o = out[2];
    o.SetLevel(0);
    o.SetDelay(120);
    o.SetPolarity(1);
    o.SetPositionCode(9);
    o.SetLimiter(400, 30, 4);
    o.SetInLevelR(0);
    o.GetBand(4)->SetGainPos(230);
    o.IsAllBandsBypassed();
    const std::vector<BYTE> bytes = ArchiveBytes(o);
    // name (length byte + "SL"), 21 bytes of values, then 33 filters of 48 bytes.
    EXPECT_EQ(bytes.size(), 3u + 21 + 33 * 48);

    CKTV_OutData copy;
    BuildRouted(copy, 2);
    LoadArchive(copy, bytes);
    EXPECT_EQ(copy.GetName(), "SL");
    EXPECT_EQ(copy.GetLevelZero(), 1);
    EXPECT_EQ(copy.GetDelay(), 120);
    EXPECT_EQ(copy.GetPolarity(), 1);
    EXPECT_EQ(copy.GetPositionCode(), 9);
    EXPECT_EQ(copy.GetLimThreshold(), 400);
    EXPECT_EQ(copy.GetLimAttack(), 30);
    EXPECT_EQ(copy.GetLimRelease(), 4);
    EXPECT_EQ(copy.GetInROff(), 1);
    EXPECT_EQ(copy.GetBand(4)->GetGainPos(), 230);
    EXPECT_EQ(ArchiveBytes(copy), bytes);
}

TEST_F(OutDataTest, CurveFollowsTheBandSet) {
    CKTV_OutData& o = out[0];
    o.SetCurveRect(CRect(0, 0, 600, 240));
    EXPECT_EQ(o.GetZeroLineY(), DbToY(0.0, 240) + 10);
    for (int i : {0, 120, kGridSize - 1}) {
        EXPECT_EQ(o.GetCurve()[i].x, FreqToAxisPos(g_eqFreqGrid[i], 600) + 40) << i;
        EXPECT_EQ(o.GetCurve()[i].y, 120) << i;
    }
    const int k = FreqToGridIndex(1000);
    const float flatY = o.GetCurveF()[k].y;
    EXPECT_NEAR(flatY, DbToY(0.0, 240) + 10, 1.0);
    o.GetBand(17)->SetGainPos(320); // +12 dB at 1 kHz
    o.UpdateCurve();
    EXPECT_NEAR(o.GetCurveF()[k].y, flatY - 120, 3.0);
    EXPECT_NEAR(o.GetCurveF()[k].x, FreqToAxisPosReal(1000, 600) + 40, 0.01);
}
