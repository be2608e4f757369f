#include "model/MIC_InData.h"

#include "ChannelFixture.h"
#include "model/Filter.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// How the document's mic route builds "Mic 1".
void BuildRouted(CMIC_InData& mic) {
    mic.SetHandleColor(RGB(255, 128, 51));
    mic.SetCurveColor(g_clrMicCurve1);
    mic.SetName("Mic 1");
    mic.SetIndex(0);
    mic.BuildBands(8, 10, 20000);
}

enum Mark { kLevel = 1, kName = 2, kGate = 4, kExt = 8 };

int Marks(const CMIC_InData& m) {
    return (m.GetLevelChanged() ? kLevel : 0) | (m.GetNameChanged() ? kName : 0) |
           (m.GetNoiseGateChanged() ? kGate : 0) | (m.GetExtChanged() ? kExt : 0);
}

MicRecord SampleRecord() {
    MicRecord r;
    std::memset(&r, 0x55, sizeof r);
    for (int b = 0; b < MIC_BAND_SLOTS; ++b) {
        EQBandRecord& band = r.bands[b];
        band.freq = static_cast<SHORT>(200 * (b + 1));
        band.gainCode = static_cast<SHORT>(b == 4 ? 600 : 640 + b);
        band.bwCode = static_cast<SHORT>(20 + b);
        band.slope = static_cast<BYTE>(b == 0 || b == 8 ? 1 : 0);
        band.type = static_cast<BYTE>(b == 0 ? BAND_LOW_SHELF : b == 8 ? BAND_HIGH_SHELF : BAND_PEAK);
    }
    r.echoLevel = 3;
    r.polarity = 1;
    r.mode = 0;
    r.on = 1;
    r.delay = static_cast<SHORT>(0x0105);
    r.levelCode = static_cast<SHORT>(0x0190);
    r.xover = {};
    r.xover.hpFreq = static_cast<SHORT>(90);
    r.xover.hpFamily = 2;
    r.xover.hpSlope = 1;
    r.xover.lpFreq = static_cast<SHORT>(12000);
    r.xover.lpFamily = 0;
    r.xover.lpSlope = 3;
    r.noiseGate = 11;
    r.extLevel = static_cast<WORD>(0x01F4);
    r.extA = 6;
    r.extB = 7;
    std::memcpy(r.name, "Mic 1\0\0\0", 8);
    return r;
}

class MicTest : public ChannelTest {
protected:
    void SetUp() override {
        ChannelTest::SetUp();
        BuildRouted(mic);
    }
    CMIC_InData mic;
};

} // namespace

TEST_F(MicTest, RouteDefaultsAndBands) {
    EXPECT_EQ(mic.GetName(), "Mic 1");
    EXPECT_EQ(mic.GetLevel(), 400);
    EXPECT_EQ(mic.GetFilterCount(), 11);
    EXPECT_EQ(mic.GetBand(0)->GetType(), BAND_LOW_SHELF);
    EXPECT_EQ(mic.GetBand(8)->GetType(), BAND_HIGH_SHELF);
    EXPECT_EQ(mic.GetBand(8)->GetFreq(), 1035);
    EXPECT_EQ(mic.GetHPF(), mic.GetBand(9));
    EXPECT_EQ(mic.GetLPF(), mic.GetBand(10));
    EXPECT_EQ(mic.GetHPF()->GetType(), BAND_HIGH_PASS);
    EXPECT_EQ(mic.GetLPF()->GetType(), BAND_LOW_PASS);
    EXPECT_EQ(mic.GetBand(11), nullptr);
    EXPECT_EQ(mic.GetBand(-1), nullptr);
}

TEST_F(MicTest, SettersMarkTheirChunkOnlyWhileOnline) {
    const struct {
        const char* name;
        std::function<void(CMIC_InData&)> set;
        std::function<bool(const CMIC_InData&)> stored;
        int mark;
    } cases[] = {
        {"SetEchoLevel", [](auto& m) { m.SetEchoLevel(2); }, [](auto& m) { return m.GetEchoLevel() == 2; },
         kLevel},
        {"SetLevel(0)", [](auto& m) { m.SetLevel(0); }, [](auto& m) { return m.GetLevelZero() == 1; },
         kLevel},
        {"SetLevelZero", [](auto& m) { m.SetLevelZero(1); },
         [](auto& m) { return m.GetEffectiveLevel() == 0; }, kLevel},
        {"SetDelay", [](auto& m) { m.SetDelay(5); }, [](auto& m) { return m.GetDelay() == 5; }, kLevel},
        {"SetEnabled", [](auto& m) { m.SetEnabled(0); }, [](auto& m) { return m.GetEnabled() == 0; }, kLevel},
        {"SetPolarity", [](auto& m) { m.SetPolarity(1); }, [](auto& m) { return m.GetPolarity() == 1; },
         kLevel},
        {"SetMode", [](auto& m) { m.SetMode(0); }, [](auto& m) { return m.GetMode() == 0; }, kLevel},
        {"SetNoiseGate", [](auto& m) { m.SetNoiseGate(1); }, [](auto& m) { return m.GetNoiseGate() == 1; },
         kGate},
        {"SetExtLevel", [](auto& m) { m.SetExtLevel(1); }, [](auto& m) { return m.GetExtLevel() == 1; },
         kExt},
        {"SetExtB", [](auto& m) { m.SetExtB(8); }, [](auto& m) { return m.GetExtB() == 8; }, kExt},
        {"SetName", [](auto& m) { m.SetName("Vocal"); }, [](auto& m) { return m.GetName() == "Vocal"; },
         kName},
    };
    for (const auto& c : cases) {
        for (int online : {0, 1}) {
            CMIC_InData m;
            BuildRouted(m);
            g_bOnline = online;
            c.set(m);
            g_bOnline = 0;
            EXPECT_TRUE(c.stored(m)) << c.name;
            EXPECT_EQ(Marks(m), online ? c.mark : 0) << c.name << " online " << online;
        }
    }
}

TEST_F(MicTest, NameKeepsAtMostEightBytes) {
    const struct {
        const char* set;
        const char* get;
    } rows[] = {
        {"Mic 1", "Mic 1"},
        {"Microphone", "Micropho"},
        {"话筒话筒X", "话筒话筒"},  // four double-byte characters fill the 8 bytes
        {"Mic话筒话筒", "Mic话筒"}, // a double-byte character is never split
        {"", ""},
    };
    for (const auto& r : rows) {
        mic.SetName(r.set);
        EXPECT_EQ(mic.GetName(), r.get) << r.set;
    }
}

TEST_F(MicTest, RecordRoundTripWritesOnlyTheChannelsBytes) {
    const MicRecord src = SampleRecord();
    const InputRecord input0 = g_curImage.inputs[0];
    g_bOnline = 1;
    mic.SetExtChanged(1);
    mic.LoadFromRecord(&src);
    EXPECT_EQ(Marks(mic), kExt);
    for (int i = 0; i < mic.GetFilterCount(); ++i)
        EXPECT_FALSE(mic.GetBand(i)->IsChanged()) << i;
    EXPECT_EQ(mic.GetHPF()->GetSentFreq(), 90);
    EXPECT_EQ(mic.GetLPF()->GetSentFreq(), 12000);
    g_bOnline = 0;

    MicRecord& rec = g_curImage.mic;
    std::memset(&rec, 0xEE, sizeof rec);
    mic.StoreToImage();
    std::vector<int> notWritten;
    for (int i = 89; i <= 95; ++i)
        notWritten.push_back(i);
    for (int i = 100; i <= 103; ++i)
        notWritten.push_back(i);
    for (int i : notWritten)
        EXPECT_EQ(RecordBytes(rec)[i], 0xEE) << i;
    EXPECT_EQ(DiffBytes(rec, src), notWritten);
    EXPECT_EQ(rec.extA, 6);
    EXPECT_EQ(rec.extB, 7);
    EXPECT_EQ(DiffBytes(g_curImage.inputs[0], input0), std::vector<int>{});
}

TEST_F(MicTest, EightByteNameLoadsWholeAndIsNotStoredBack) {
    MicRecord src = SampleRecord();
    std::memcpy(src.name, "ABCDEFGH", 8);
    mic.LoadFromRecord(&src);
    EXPECT_EQ(mic.GetName(), "ABCDEFGH");
    EXPECT_EQ(std::memcmp(mic.GetNameBytes(), "ABCDEFGH", 8), 0);

    std::memcpy(g_curImage.mic.name, "old\0\0\0\0\0", 8);
    mic.StoreToImage();
    EXPECT_EQ(std::memcmp(g_curImage.mic.name, "old\0\0\0\0\0", 8), 0);
    EXPECT_EQ(s_errors, 1);
}

TEST_F(MicTest, FramesCarryTheMicChunks) {
    const struct {
        std::function<std::unique_ptr<CSendData>()> store;
        int chunk;
    } cases[] = {
        {[&] { return mic.StoreLevelBlock(TRUE); }, 9},      {[&] { return mic.StoreXoverChunk(TRUE); }, 10},
        {[&] { return mic.StoreNoiseGateBlock(TRUE); }, 11}, {[&] { return mic.StoreExtBlock(TRUE); }, 12},
        {[&] { return mic.StoreNameBlock(TRUE); }, 13},      {[&] { return mic.StoreBand(8, 8); }, 8},
    };
    for (const auto& c : cases) {
        auto frame = c.store();
        ASSERT_NE(frame, nullptr) << c.chunk;
        const BYTE* f = frame->GetData();
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_MIC) << c.chunk;
        EXPECT_EQ(f[LinkFrame::OFS_CHUNK], c.chunk) << c.chunk;
        EXPECT_EQ(std::memcmp(f + LinkFrame::OFS_PAYLOAD, RecordBytes(g_curImage.mic) + 8 * c.chunk, 8), 0)
            << c.chunk;
    }
    EXPECT_EQ(mic.StoreNameBlock(FALSE), nullptr);
    EXPECT_EQ(mic.StoreBand(9, 9), nullptr);
    auto rec = mic.StoreRecordFrame(0);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->GetSize(), 112 + 16);
}

TEST_F(MicTest, ParameterTexts) {
    const struct {
        std::function<void()> set;
        std::function<CString()> text;
        const char* want;
    } rows[] = {
        {[&] {}, [&] { return mic.FormatLevelText(); }, " OFF "},
        {[&] {}, [&] { return mic.FormatGainText(); }, "320dB"},
        {[&] {}, [&] { return mic.FormatOnOffText(); }, "On"},
        {[&] {}, [&] { return mic.FormatNoiseGateText(); }, "-80.0dBu"},
        {[&] {}, [&] { return mic.FormatExtLevelText(); }, "20.0"},
        {[&] { mic.SetEchoLevel(3); }, [&] { return mic.FormatLevelText(); }, " 3Level"},
        {[&] { g_bChinese = 1; }, [&] { return mic.FormatLevelText(); }, " 3级"},
        {[&] { mic.SetEchoLevel(0); }, [&] { return mic.FormatLevelText(); }, " 关 "},
        {[&] { mic.SetDelay(105); }, [&] { return mic.FormatDelayText(); }, "15.0ms"},
    };
    int n = 0;
    for (const auto& r : rows) {
        r.set();
        EXPECT_EQ(r.text(), r.want) << "row " << n;
        ++n;
    }
}

TEST_F(MicTest, SetAllChangedClearsMarksAndCatchesUpSentFrequencies) {
    g_bOnline = 1;
    mic.SetMode(0);
    mic.GetBand(1)->SetFreq(5000, TRUE);
    mic.SetAllChanged(FALSE);
    EXPECT_EQ(Marks(mic), 0);
    EXPECT_EQ(mic.GetBand(1)->GetSentFreq(), 5000);
    EXPECT_FALSE(mic.GetBand(1)->IsChanged());
    mic.SetAllChanged(TRUE);
    EXPECT_EQ(Marks(mic), kLevel | kName | kGate | kExt);
}

TEST_F(MicTest, ArchiveRoundTrip) {
    mic.SetName("Vocal");
    mic.SetEchoLevel(4);
    mic.SetLevel(0);
    mic.SetExtLevel(-3);
    mic.GetBand(2)->SetGainPos(120);
    const std::vector<BYTE> bytes = ArchiveBytes(mic);
    // name, seven ints, a 16-bit value, three ints, 11 filters
    EXPECT_EQ(bytes.size(), 1u + 5 + 7 * 4 + 2 + 3 * 4 + 11 * 48);

    CMIC_InData copy;
    BuildRouted(copy);
    LoadArchive(copy, bytes);
    EXPECT_EQ(copy.GetName(), "Vocal");
    EXPECT_EQ(copy.GetEchoLevel(), 4);
    EXPECT_EQ(copy.GetLevelZero(), 1);
    EXPECT_EQ(copy.GetExtLevel(), -3);
    EXPECT_EQ(copy.GetBand(2)->GetGainPos(), 120);
}

// The link worker packs the mic record under g_linkLock while the UI thread renames the channel:
// a name is written in two steps (cleared, then filled), so an unlocked setter lets the worker pack
// an empty or half-written name. Every packed name is one the UI set.
TEST_F(MicTest, ChangesRacingTheWorkerAreNeverPackedHalfSet) {
    const char* const names[] = {"Vocal", "Lead 2"};
    mic.SetName(names[0]);
    std::atomic<bool> done{false};
    std::atomic<int> packs{0};
    std::vector<std::string> torn;
    std::thread worker([&] {
        while (!done.load()) {
            std::lock_guard lock(g_linkLock);
            mic.StoreToImage();
            const CString packed = FieldToStringN(g_curImage.mic.name, CMIC_InData::kNameBytes);
            if (!(packed == names[0]) && !(packed == names[1]))
                torn.emplace_back(packed.GetString());
            ++packs;
        }
    });
    while (packs.load() == 0) // the race starts once the worker runs
        std::this_thread::yield();
    for (int k = 0; k < 5000 || packs.load() < 5000; ++k) {
        mic.SetName(names[k % 2]);
        mic.SetLevel(k % 2 ? 0 : 300);
    }
    done = true;
    worker.join();
    EXPECT_GT(packs.load(), 0);
    EXPECT_TRUE(torn.empty()) << torn.size() << " torn names, first \"" << torn.front() << "\"";
}
