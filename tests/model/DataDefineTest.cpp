#include "model/DataDefine.h"
#include "model/Globals.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class DataDefineTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
};

std::vector<BYTE> Bytes(const void* p, std::size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    return std::vector<BYTE>(b, b + n);
}

void PutU16(std::vector<BYTE>& v, std::size_t at, int x) {
    v[at] = static_cast<BYTE>(x & 0xFF);
    v[at + 1] = static_cast<BYTE>((x >> 8) & 0xFF);
}

// The default output record written out byte by byte from the layout table.
std::vector<BYTE> ExpectedDefaultOutput(const int freqs[31], int position, int hp, int lp, const BYTE mix1[8],
                                        const BYTE mix2[8]) {
    std::vector<BYTE> v(296, 0);
    for (int n = 0; n < 31; ++n) {
        PutU16(v, 8 * n, freqs[n]);
        PutU16(v, 8 * n + 2, 600);
        PutU16(v, 8 * n + 4, 14);
    }
    v[248] = 1;
    PutU16(v, 250, 600);
    v[255] = static_cast<BYTE>(position);
    PutU16(v, 256, hp);
    v[258] = 2;
    v[259] = 1;
    PutU16(v, 260, lp);
    v[262] = 2;
    v[263] = 1;
    std::memcpy(&v[264], mix1, 8);
    std::memcpy(&v[272], mix2, 8);
    PutU16(v, 280, 420);
    PutU16(v, 282, 20);
    PutU16(v, 284, 20);
    std::memset(&v[288], ' ', 7);
    return v;
}

const int kIso31[31] = {20,   25,   32,   40,   50,   63,    80,    100,   125,  160,  200,
                        250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                        3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

} // namespace

TEST(DataDefineLayout, FieldsLandOnTheirImageBytes) {
    PresetImage im{};
    BYTE* b = RecordBytes(im);
    im.outputs[6].bands[0].freq = static_cast<SHORT>(20000); // output 7 starts at 3800
    im.outputs[7].levelCode = static_cast<WORD>(0xABCD);     // 4096 + 250
    im.inputs[5].bands[0].gainCode = static_cast<SHORT>(-1); // input 6 at 1736
    im.outputs[0].SetLockMark({LOCK_MARKER_LOCKED, 1, {'1', '2', '3', '4', '5', '6'}});
    im.mic.extLevel = static_cast<WORD>(500);
    im.system.effect.valueC = 50;

    EXPECT_EQ(b[3800], 0x20);
    EXPECT_EQ(b[3801], 0x4E);
    EXPECT_EQ(b[4096 + 250], 0xCD);
    EXPECT_EQ(b[4096 + 251], 0xAB);
    EXPECT_EQ(b[1736 + 2], 0xFF);
    EXPECT_EQ(b[1736 + 3], 0xFF);
    EXPECT_EQ(im.inputs[5].bands[0].gainCode, -1);
    EXPECT_EQ(b[2312], 0x21);
    EXPECT_EQ(b[2313], 1);
    EXPECT_EQ(std::memcmp(b + 2314, "123456", 6), 0);
    EXPECT_EQ(b[184 + 96], 0xF4);
    EXPECT_EQ(b[184 + 97], 0x01);
    EXPECT_EQ(b[32 + 140], 50);
    EXPECT_EQ(im.outputs[0].GetLockMark().marker, LOCK_MARKER_LOCKED);
}

TEST(DataDefineLayout, SixteenBitFieldsRoundTrip) {
    S16LE s{};
    U16LE u{};
    for (int v : {-32768, -1, 0, 1, 600, 20000, 32767}) {
        s = static_cast<SHORT>(v);
        EXPECT_EQ(s, v);
    }
    for (int v : {0, 1, 600, 0x8000, 0xFFFF}) {
        u = static_cast<WORD>(v);
        EXPECT_EQ(u, v);
    }
    s = static_cast<SHORT>(-2);
    EXPECT_EQ(s.b[0], 0xFE);
    EXPECT_EQ(s.b[1], 0xFF);
}

TEST(DataDefineLayout, OnlyBangMarksLockedData) {
    EXPECT_TRUE(IsLockedMarker('!'));
    for (int m : {0x00, 0x20, 0x22, 0x7F, 0xFF})
        EXPECT_FALSE(IsLockedMarker(static_cast<BYTE>(m))) << m;
}

TEST_F(DataDefineTest, SystemRecordsAfterStartUp) {
    EXPECT_EQ(Bytes(&g_pcSourceSet, 8), (std::vector<BYTE>{1, 0, 60, 60, 60, 60, 60, 60}));
    EXPECT_EQ(Bytes(&g_systemData, 8), (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(Bytes(&g_bootSource, 8), (std::vector<BYTE>{0, 1, 0, 0, 255, 0, 0, 0}));
    EXPECT_EQ(Bytes(&g_speakerMap, 8), (std::vector<BYTE>{6, 12, 15, 18, 0, 0, 22, 23}));
    EXPECT_EQ(Bytes(&g_curPresetNo, 8), std::vector<BYTE>(8, 0));
    EXPECT_EQ(Bytes(&g_lockRecord, 10), (std::vector<BYTE>{0, 0, 0, 0, ' ', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(Bytes(&g_slotTable, 66), std::vector<BYTE>(66, 0));
    EXPECT_EQ(std::vector<int>(g_sysReadList, g_sysReadList + 7), (std::vector<int>{19, 0, 52, 2, 5, 6, 4}));
    for (const PresetImage& p : g_storedPresets)
        EXPECT_EQ(std::memcmp(p.system.name, "               \0", 16), 0);
    EXPECT_EQ(g_bOutMapLocked, 1);
    EXPECT_EQ(g_bLRLinked, 0);
    EXPECT_EQ(g_nCurPage, 1);
}

TEST_F(DataDefineTest, ChannelRecordsAfterStartUp) {
    const std::vector<BYTE> startBand{0xE8, 0x03, 0x58, 0x02, 0, 0, 0, 0}; // 1000 Hz, 600, bw 0
    for (const InputRecord& in : g_curImage.inputs) {
        for (const EQBandRecord& b : in.bands)
            EXPECT_EQ(Bytes(&b, 8), startBand);
        EXPECT_EQ(in.geqMode, 1);
    }
    for (const EQBandRecord& b : g_curImage.mic.bands)
        EXPECT_EQ(Bytes(&b, 8), startBand);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(Bytes(&g_curImage.system.effect.bands[n], 8), startBand);
    EXPECT_EQ(Bytes(&g_curImage.system.effect.bands[8], 8), std::vector<BYTE>(8, 0));

    const std::vector<std::vector<BYTE>> mix1{{100, 0, 0, 0, 100, 0, 100, 0}, {0, 100, 0, 0, 0, 100, 0, 100},
                                              {0, 0, 100, 0, 100, 0, 100, 0}, {0, 0, 0, 100, 0, 100, 0, 100},
                                              std::vector<BYTE>(8, 0),        std::vector<BYTE>(8, 0),
                                              {100, 0, 0, 0, 100, 0, 100, 0}, {0, 100, 0, 0, 0, 100, 0, 100}};
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        const OutputRecord& out = g_curImage.outputs[j];
        EXPECT_EQ(Bytes(out.mix1, 8), mix1[j]) << j;
        EXPECT_EQ(Bytes(&out.bands[8], 8), startBand) << j;
        EXPECT_EQ(Bytes(&out.bands[9], 8), std::vector<BYTE>(8, 0)) << j;
        EXPECT_EQ(out.geqMode, 0);
    }
    // The start image's marker is 0x00: it must read as unlocked.
    EXPECT_EQ(RecordBytes(g_curImage)[IMAGE_OFS_LOCKMARK], 0);
    EXPECT_FALSE(IsLockedMarker(g_curImage.outputs[0].GetLockMark().marker));
}

TEST(DataDefineDefaults, WholeDefaultOutputRecords) {
    const BYTE m1a[8] = {100, 0, 0, 0, 100, 0, 100, 0}, m1b[8] = {0, 100, 0, 0, 0, 100, 0, 100};
    const BYTE m2a[8] = {0, 0, 100, 0, 100, 0, 100, 0}, m2b[8] = {0, 0, 100, 0, 100, 0, 0, 100};
    const BYTE m1c[8] = {0, 0, 100, 0, 100, 0, 100, 0}, m1d[8] = {0, 0, 0, 100, 0, 100, 0, 100};
    const BYTE zero[8] = {};
    int oct[31];
    std::memcpy(oct, kIso31, sizeof oct);
    const int oct10[10] = {31, 65, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    std::memcpy(oct, oct10, sizeof oct10);
    const BYTE alt7[8] = {100, 0, 0, 0, 0, 0, 100, 0}, alt8[8] = {0, 100, 0, 0, 0, 0, 0, 100};

    const std::vector<std::vector<BYTE>> expected{
        ExpectedDefaultOutput(kIso31, 1, 70, 20000, m1a, m2a),
        ExpectedDefaultOutput(kIso31, 5, 70, 20000, m1b, m2b),
        ExpectedDefaultOutput(kIso31, 7, 80, 20000, m1c, m2a),
        ExpectedDefaultOutput(kIso31, 11, 80, 20000, m1d, m2b),
        ExpectedDefaultOutput(kIso31, 21, 20, 20000, zero, zero),
        ExpectedDefaultOutput(kIso31, 18, 20, 20000, zero, zero),
        ExpectedDefaultOutput(oct, 1, 27, 55, m1a, m2a),
        ExpectedDefaultOutput(oct, 5, 27, 55, m1b, m2a),
        ExpectedDefaultOutput(kIso31, 1, 27, 55, alt7, alt7),
        ExpectedDefaultOutput(kIso31, 5, 27, 55, alt8, alt8),
    };
    for (int j = 0; j < NUM_OUTPUTS + 2; ++j)
        EXPECT_EQ(Bytes(&g_defOutRecords[j], 296), expected[j]) << "record " << j;
}

TEST_F(DataDefineTest, TweeterCrossoverFixUp) {
    struct Case {
        int code, hp, lp, hpSlope;
        int wantHp, wantLp, wantSlope;
    };
    const Case cases[] = {
        {7, 500, 800, 1, 1000, 20000, 1},   {7, 500, 5000, 1, 1000, 5000, 1},
        {7, 2000, 800, 1, 2000, 800, 1},    {1, 999, 1000, 8, 1000, 1000, 1},
        {13, 20, 20000, 8, 1000, 20000, 1}, {16, 1000, 500, 8, 1000, 500, 1},
        {19, 0, 0, 3, 1000, 20000, 3},      {6, 50, 20000, 8, 50, 20000, 8},
        {2, 500, 800, 8, 500, 800, 8},      {0, 500, 800, 8, 500, 800, 8},
    };
    for (const Case& c : cases) {
        g_posState[POS_STATE_OUTPUTS + 2] = static_cast<BYTE>(c.code);
        XoverRecord& x = g_curImage.outputs[2].xover;
        x.hpFreq = static_cast<SHORT>(c.hp);
        x.lpFreq = static_cast<SHORT>(c.lp);
        x.hpSlope = static_cast<BYTE>(c.hpSlope);
        // The record's own position must not matter: the map in g_posState decides.
        g_curImage.outputs[2].position = 1;
        FixTweeterCrossover();
        EXPECT_EQ(x.hpFreq, c.wantHp) << c.code << "/" << c.hp;
        EXPECT_EQ(x.lpFreq, c.wantLp) << c.code << "/" << c.hp;
        EXPECT_EQ(x.hpSlope, c.wantSlope) << c.code << "/" << c.hp;
    }
}

TEST(DataDefineLinks, OutLinkFlag) {
    const struct {
        int groups[8];
        int flags[8];
    } cases[] = {
        {{0, 1, 2, 3, 4, 5, 6, 7}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {{0, 1, 2, 0, 4, 5, 6, 7}, {1, 0, 0, 1, 0, 0, 0, 0}},
        {{5, 5, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1, 1, 1}},
        {{0, 0, 2, 2, 4, 5, 6, 6}, {1, 1, 1, 1, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        for (int k = 0; k < 8; ++k)
            g_nOutLinkGroup[k] = c.groups[k];
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(GetOutLinkFlag(k), c.flags[k]) << k;
    }
    EXPECT_EQ(GetOutLinkFlag(-1), 0);
    EXPECT_EQ(GetOutLinkFlag(8), 0);
}

TEST_F(DataDefineTest, DefaultsWithoutGlobals) {
    PresetImage live;
    PresetImage stored[NUM_STORED_PRESETS];
    std::memset(&live, 0xAA, sizeof live);
    g_curImage.outputs[3].on = 5;
    GetDefaultImage(&live, stored);
    EXPECT_EQ(g_curImage.outputs[3].on, 5); // no global touched
    InitData();
    EXPECT_EQ(live, g_curImage);
    for (int p = 0; p < NUM_STORED_PRESETS; ++p)
        EXPECT_EQ(stored[p], g_storedPresets[p]);
    SourceSetRecord src;
    SpeakerMapBlock map;
    LockRecord lock;
    GetDefaultSystemRecords(&src, nullptr, &map, nullptr, nullptr, &lock);
    EXPECT_EQ(src, g_pcSourceSet);
    EXPECT_EQ(map.speakerMap, g_speakerMap);
    EXPECT_EQ(lock, g_lockRecord);
}

TEST(DataDefineLayout, SourceLevelOnlyForTypesZeroToFive) {
    SourceSetRecord r{};
    for (int type = 0; type < 6; ++type) {
        ASSERT_NE(r.SourceLevel(type), nullptr);
        EXPECT_EQ(r.SourceLevel(type) - RecordBytes(r), 2 + type);
    }
    EXPECT_EQ(r.SourceLevel(6), nullptr);
    EXPECT_EQ(r.SourceLevel(255), nullptr);
    EXPECT_EQ(r.SourceLevel(-1), nullptr);
}
