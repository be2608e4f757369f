#include "model/RecordFrames.h"

#include "model/DataDefine.h"
#include "model/Globals.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes FrameOf(const std::unique_ptr<CSendData>& p) {
    if (!p)
        return {};
    return Bytes(p->GetData(), p->GetData() + p->GetSize());
}

class RecordFramesTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        g_curImage = PresetImage{};
        for (auto& s : g_storedPresets)
            s = PresetImage{};
    }
    void TearDown() override { r9test::ResetModelGlobals(); }
};

TEST_F(RecordFramesTest, FixedRequestsMatchTheirWireBytes) {
    const Bytes poll = {0x6B, 0x6B, 0x6B, 0xEE, 0xA2, 0x01, 0x00, 0x09, 0x03, 0x00, 0x00, 0x00,
                        0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0xA1, 0xAA};
    const Bytes linkCheck = {0x6B, 0x6B, 0x6B, 0xEE, 0xA2, 0x01, 0x00, 0x09, 0xCC, 0x00, 0x00, 0x00,
                             0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0x6E, 0xAA};
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_POLL, 0, 0)), poll);
    EXPECT_EQ(FrameOf(BuildSystemReadFrame(CMD_LINK_CHECK, 0, 1)), linkCheck);
    // The poll ignores index and chunk; no stale header byte leaks from an
    // earlier build.
    g_curImage.outputs[3].bands[5].freq = 1234;
    BuildChunkFrame(GROUP_OUTPUT, 3, 5);
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_POLL, 4, 9)), poll);
}

TEST_F(RecordFramesTest, ChunkWriteCarriesTheRecordChunk) {
    EQBandRecord& band = g_curImage.inputs[2].bands[5];
    band.freq = 1000;
    band.gainCode = 615;
    band.bwCode = 14;
    band.slope = 1;
    band.type = 2;
    const Bytes expected = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x03, 0x02, 0x05, 0x00, 0x00,
                            0x08, 0x00, 0xE8, 0x03, 0x67, 0x02, 0x0E, 0x00, 0x01, 0x02, 0x2F, 0xAA};
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_INPUT, 2, 5)), expected);
}

TEST_F(RecordFramesTest, OutputChunkLinkFlagAndScrambling) {
    XoverRecord& x = g_curImage.outputs[3].xover;
    x.hpFreq = 80;
    x.hpFamily = 2;
    x.hpSlope = 1;
    x.lpFreq = 20000;
    x.lpFamily = 2;
    x.lpSlope = 1;
    g_nOutLinkGroup[4] = 3; // outputs 4 and 5 (indexes 3, 4) share a group
    const Bytes plain = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x04, 0x03, 0x20, 0x01, 0x00,
                         0x08, 0x00, 0x50, 0x00, 0x02, 0x01, 0x20, 0x4E, 0x02, 0x01, 0xB0, 0xAA};
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_OUTPUT, 3, 32)), plain);

    g_bDataLocked = 1;
    const Bytes locked = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x04, 0x03, 0x20, 0x01, 0x00,
                          0x08, 0x00, 0x0D, 0x5D, 0x5F, 0x5C, 0x7D, 0x13, 0x5F, 0x5C, 0xB0, 0xAA};
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_OUTPUT, 3, 32)), locked);
    // The image itself stays plain.
    EXPECT_EQ(g_curImage.outputs[3].xover.hpFreq, 80);

    // Link flag per chunk: bands, crossover and mix row 1 carry it; level and
    // later chunks do not.
    g_bDataLocked = 0;
    struct Case {
        int chunk;
        BYTE flag;
    };
    for (Case c : {Case{0, 1}, Case{30, 1}, Case{31, 0}, Case{32, 1}, Case{33, 1}, Case{34, 0}, Case{35, 0},
                   Case{36, 0}}) {
        Bytes f = FrameOf(BuildChunkFrame(GROUP_OUTPUT, 3, c.chunk));
        ASSERT_EQ(f.size(), 24u) << c.chunk;
        EXPECT_EQ(f[10], c.flag) << "chunk " << c.chunk;
    }
    EXPECT_EQ(FrameOf(BuildChunkFrame(GROUP_OUTPUT, 2, 0))[10], 0) << "unlinked output";
    // Other groups never carry the flag or scramble.
    g_bDataLocked = 1;
    g_curImage.inputs[3].bands[0].freq = 0x1234;
    Bytes in = FrameOf(BuildChunkFrame(GROUP_INPUT, 3, 0));
    EXPECT_EQ(in[10], 0);
    EXPECT_EQ(in[14], 0x34);
}

TEST_F(RecordFramesTest, ChunkOutsideTheRecordBuildsNoPacket) {
    EXPECT_EQ(BuildChunkFrame(GROUP_OUTPUT, 0, 37), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_OUTPUT, 8, 0), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_INPUT, 0, 36), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_INPUT, -1, 0), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_MIC, 0, 14), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_EFFECT, 0, 19), nullptr);
    EXPECT_EQ(BuildChunkFrame(GROUP_SYSTEM, 0, 0), nullptr);
    EXPECT_NE(BuildChunkFrame(GROUP_OUTPUT, 7, 36), nullptr);
    EXPECT_NE(BuildChunkFrame(GROUP_MIC, 0, 13), nullptr);
    // The effect record's own chunks 15..18.
    g_curImage.system.effect.name[0] = 'E';
    Bytes fx = FrameOf(BuildChunkFrame(GROUP_EFFECT, 0, 18));
    ASSERT_EQ(fx.size(), 24u);
    EXPECT_EQ(fx[14], 'E');
}

// Fills every byte of a record with its own offset pattern so shifted copies
// show.
template <class T> void Pattern(T& rec, BYTE seed) {
    BYTE* p = RecordBytes(rec);
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = static_cast<BYTE>(seed + i * 7);
}

TEST_F(RecordFramesTest, WholeRecordFramesCarryTheirRecord) {
    Pattern(g_curImage.mic, 1);
    Pattern(g_curImage.inputs[5], 2);
    Pattern(g_curImage.outputs[6], 3);
    Pattern(g_curImage.system.effect, 4);
    Pattern(g_storedPresets[1].inputs[0], 5);
    struct Case {
        int preset, group, index;
        BOOL live, stored;
        const BYTE* source;
        int payload;
    };
    const Case cases[] = {
        {0, GROUP_MIC, 0, TRUE, FALSE, RecordBytes(g_curImage.mic), 112},
        {0, GROUP_INPUT, 5, TRUE, FALSE, RecordBytes(g_curImage.inputs[5]), 288},
        {4, GROUP_OUTPUT, 6, TRUE, FALSE, RecordBytes(g_curImage.outputs[6]), 296}, // live data into preset 4
        {0, GROUP_EFFECT, 0, TRUE, FALSE, RecordBytes(g_curImage.system.effect), 96},
        {2, GROUP_INPUT, 0, FALSE, TRUE, RecordBytes(g_storedPresets[1].inputs[0]), 288},
    };
    for (const Case& c : cases) {
        Bytes f = FrameOf(BuildRecordFrame(c.preset, c.group, c.index, c.live, c.stored));
        ASSERT_EQ(f.size(), static_cast<size_t>(c.payload + 16)) << c.group;
        EXPECT_EQ(f[4], FRAME_WRITE);
        EXPECT_EQ(f[6], c.preset);
        EXPECT_EQ(f[7], c.group);
        EXPECT_EQ(f[8], c.index);
        EXPECT_EQ(f[9], 0);
        EXPECT_EQ(f[12] | (f[13] << 8), c.payload);
        EXPECT_EQ(0, std::memcmp(f.data() + 14, c.source, static_cast<size_t>(c.payload))) << c.group;
        EXPECT_TRUE(LinkFrame::IsValid(f.data(), static_cast<int>(f.size())));
    }
}

TEST_F(RecordFramesTest, LiveRecordsSetTheLiveDataMark) {
    BuildRecordFrame(0, GROUP_MIC, 0, TRUE, FALSE);
    BuildRecordFrame(1, GROUP_INPUT, 0, FALSE, TRUE);
    EXPECT_EQ(g_bLiveDataSent, 0);
    BuildRecordFrame(0, GROUP_INPUT, 0, TRUE, FALSE);
    EXPECT_EQ(g_bLiveDataSent, 1);
    g_bLiveDataSent = 0;
    BuildRecordFrame(0, GROUP_OUTPUT, 2, TRUE, FALSE);
    EXPECT_EQ(g_bLiveDataSent, 1);
}

TEST_F(RecordFramesTest, LockedLiveOutputRecords) {
    Pattern(g_curImage.outputs[0], 9);
    Pattern(g_curImage.outputs[1], 10);
    Pattern(g_storedPresets[0].outputs[0], 11);
    g_strLockPassword = "123456";
    g_bDataLocked = 1;

    const BYTE* rec0 = RecordBytes(g_curImage.outputs[0]);
    Bytes f0 = FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 0, TRUE, FALSE));
    ASSERT_EQ(f0.size(), 312u);
    const BYTE* p0 = f0.data() + 14;
    for (int i = 0; i < 288; ++i)
        ASSERT_EQ(p0[i], rec0[i] ^ 0x5D) << i;
    EXPECT_EQ(p0[288], '!');
    EXPECT_EQ(p0[289], rec0[289] ^ 0x5D);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(p0[290 + i], ('1' + i) ^ 0x5D);
    EXPECT_TRUE(LinkFrame::IsValid(f0.data(), 312));

    // Another output: every byte scrambled, marker position included.
    const BYTE* rec1 = RecordBytes(g_curImage.outputs[1]);
    Bytes f1 = FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 1, TRUE, FALSE));
    for (int i = 0; i < 296; ++i)
        ASSERT_EQ(f1[14 + i], rec1[i] ^ 0x5D) << i;

    // A stored preset's output goes as stored.
    Bytes fs = FrameOf(BuildRecordFrame(1, GROUP_OUTPUT, 0, FALSE, TRUE));
    EXPECT_EQ(0, std::memcmp(fs.data() + 14, RecordBytes(g_storedPresets[0].outputs[0]), 296));

    // A short password is padded with 0 before scrambling; the image is
    // untouched.
    g_strLockPassword = "42";
    Bytes fp = FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 0, TRUE, FALSE));
    const BYTE code[6] = {'4' ^ 0x5D, '2' ^ 0x5D, 0x5D, 0x5D, 0x5D, 0x5D};
    EXPECT_EQ(0, std::memcmp(fp.data() + 14 + 290, code, 6));
    EXPECT_EQ(0, std::memcmp(RecordBytes(g_curImage.outputs[0]), rec0, 296));

    // Eight characters do not fit the field: the code goes out as scrambled
    // zeros.
    g_strLockPassword = "12345678";
    Bytes fl = FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 0, TRUE, FALSE));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fl[14 + 290 + i], 0x5D);
}

TEST_F(RecordFramesTest, UnlockedFirstOutputCarriesABlankMarker) {
    g_curImage.outputs[0].name[0] = 0;
    g_curImage.outputs[1].name[0] = 'X';
    g_bDataUnlocked = 1;
    EXPECT_EQ(FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 0, TRUE, FALSE))[14 + 288], ' ');
    EXPECT_EQ(FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 1, TRUE, FALSE))[14 + 288], 'X');
    g_bDataUnlocked = 0;
    EXPECT_EQ(FrameOf(BuildRecordFrame(0, GROUP_OUTPUT, 0, TRUE, FALSE))[14 + 288], 0);
}

TEST_F(RecordFramesTest, MachinePresetEffectAndBadPresets) {
    Pattern(g_machinePresets[4].effect, 12);
    Bytes f = FrameOf(BuildRecordFrame(25, GROUP_EFFECT, 0, FALSE, FALSE));
    ASSERT_EQ(f.size(), 112u);
    EXPECT_EQ(f[6], 25);
    EXPECT_EQ(0, std::memcmp(f.data() + 14, RecordBytes(g_machinePresets[4].effect), 96));
    EXPECT_EQ(BuildRecordFrame(41, GROUP_EFFECT, 0, FALSE, FALSE), nullptr);
    EXPECT_EQ(BuildRecordFrame(7, GROUP_INPUT, 0, FALSE, TRUE), nullptr);
    EXPECT_EQ(BuildRecordFrame(0, GROUP_OUTPUT, 0, FALSE, TRUE), nullptr);
    EXPECT_EQ(BuildRecordFrame(0, GROUP_SYSTEM, 0, TRUE, FALSE), nullptr);
}

TEST_F(RecordFramesTest, ReadRequestsBankByte) {
    const Bytes liveIntoPreset3 = {0x6B, 0x6B, 0x6B, 0xEE, 0xA2, 0x01, 0x03, 0x04, 0x07, 0x00, 0x00, 0x00,
                                   0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0xAB, 0xAA};
    const Bytes bank3 = {0x6B, 0x6B, 0x6B, 0xEE, 0xA2, 0x01, 0x03, 0x04, 0x07, 0x77, 0x00, 0x00,
                         0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0xDC, 0xAA};
    EXPECT_EQ(FrameOf(BuildReadFrame(3, GROUP_OUTPUT, 7, TRUE, FALSE)), liveIntoPreset3);
    EXPECT_EQ(FrameOf(BuildReadFrame(3, GROUP_OUTPUT, 7, FALSE, TRUE)), bank3);
    EXPECT_EQ(FrameOf(BuildReadFrame(0, GROUP_OUTPUT, 7, TRUE, FALSE))[9], FRAME_BANK);
}

TEST_F(RecordFramesTest, SystemRecordWrites) {
    g_systemData.masterVolume = -5;
    g_systemData.masterOn = 1;
    const Bytes sys = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x09, 0x05, 0x00, 0x00, 0x00,
                       0x08, 0x00, 0xFB, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xA1, 0xAA};
    EXPECT_EQ(FrameOf(BuildSystemFrame(CMD_SYSTEM_DATA, 0)), sys);

    g_curPresetNo[0] = 3;
    g_curPresetNo[1] = 9; // never sent
    const Bytes num = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x09, 0x34,
                       0x00, 0x00, 0x00, 0x01, 0x00, 0x03, 0x9F, 0xAA};
    EXPECT_EQ(FrameOf(BuildSystemFrame(CMD_PRESET_NUMBER, 0)), num);

    std::memcpy(g_curImage.system.name, "Custom\0\0\0\0\0\0\0\0\0X", 16);
    const Bytes name = {0x6B, 0x6B, 0x6B, 0xEE, 0xA1, 0x01, 0x00, 0x09, 0x00, 0x00, 0x00,
                        0x00, 0x10, 0x00, 0x43, 0x75, 0x73, 0x74, 0x6F, 0x6D, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x8A, 0xAA};
    EXPECT_EQ(FrameOf(BuildSystemFrame(CMD_PRESET_NAME, 0)), name) << "byte 15 always 0";

    std::memset(g_storedPresets[5].system.name, 'A', 16);
    Bytes stored = FrameOf(BuildSystemFrame(CMD_PRESET_NAME, 6));
    ASSERT_EQ(stored.size(), 32u);
    EXPECT_EQ(stored[6], 6);
    EXPECT_EQ(stored[14 + 14], 'A');
    EXPECT_EQ(stored[14 + 15], 0);
    EXPECT_EQ(BuildSystemFrame(CMD_PRESET_NAME, 7), nullptr);
}

TEST_F(RecordFramesTest, SystemRecordSizesAndSources) {
    std::memset(RecordBytes(g_pcSourceSet), 0x11, 8);
    std::memset(RecordBytes(g_speakerMap), 0x22, 8);
    std::memset(RecordBytes(g_bootSource), 0x33, 8);
    std::memset(RecordBytes(g_lockRecord), 0x44, 10);
    std::memset(RecordBytes(g_slotTable), 0x55, 66);
    struct Case {
        int cmd;
        size_t length;
        BYTE first;
    };
    for (Case c :
         {Case{CMD_SOURCE_SET, 24, 0x11}, Case{CMD_SPEAKER_MAP, 24, 0x22}, Case{CMD_BOOT_SOURCE, 24, 0x33},
          Case{CMD_LOCK_RECORD, 26, 0x44}, Case{CMD_SLOT_TABLE, 82, 0x55}, Case{CMD_WIFI_RESET, 24, 0},
          Case{CMD_FACTORY_RESET, 24, 0}}) {
        g_bDataLocked = 1; // the lock record is sent unscrambled
        Bytes f = FrameOf(BuildSystemFrame(c.cmd, 2));
        ASSERT_EQ(f.size(), c.length) << c.cmd;
        EXPECT_EQ(f[6], 2);
        EXPECT_EQ(f[8], c.cmd);
        for (size_t i = 14; i < c.length - 2; ++i)
            ASSERT_EQ(f[i], c.first) << c.cmd << " byte " << i;
        EXPECT_TRUE(LinkFrame::IsValid(f.data(), static_cast<int>(f.size())));
    }
    for (int cmd : {CMD_DEVICE_STATE, CMD_VERSION, CMD_LINK_CHECK, 1, 7, 200})
        EXPECT_EQ(BuildSystemFrame(cmd, 0), nullptr) << cmd;
}

} // namespace
