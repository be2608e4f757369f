// The range check of preset reads: which records it flags by the parts a read set (and the part
// of each input a JSON file carries), the flagged records put back to their defaults, the program's
// never-read input bytes completed from the defaults under a JSON file, and the output-map file's
// codes and crossovers.
#include "PresetFixture.h"
#include "model/KTV_OutData.h"
#include "model/RecordRanges.h"
#include "presets/JsonPreset.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetArchive.h"
#include "presets/PresetRangeCheck.h"

#include <functional>

using namespace presettest;

namespace {

PresetImage InRangeImage() {
    PresetImage image{};
    GetDefaultImage(&image, nullptr);
    for (int i = 0; i < NUM_INPUTS; ++i)
        image.inputs[i] = DefaultInputRecord(i);
    image.mic = DefaultMicRecord();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        image.outputs[j] = g_defOutRecords[j];
    image.outputs[0].name[0] = ' ';
    return image;
}

PresetRecords InRangeRecords() {
    PresetRecords r;
    r.live = InRangeImage();
    for (PresetImage& s : r.stored)
        s = InRangeImage();
    GetDefaultSystemRecords(&r.sourceSet, &r.systemData, &r.speakerMap, &r.bootSource, &r.slotTable, nullptr);
    return r;
}

PresetReadResult Read(const PresetRecords& records, unsigned parts, int inputBytes = sizeof(InputRecord),
                      bool mic = true) {
    PresetReadResult r;
    r.ok = true;
    r.records = records;
    r.parts = parts;
    r.inputBytes = inputBytes;
    r.micSet = mic;
    return r;
}

constexpr unsigned kAll = PRESET_PART_LIVE | PRESET_PART_STORED | PRESET_PART_SOURCE_SET |
                          PRESET_PART_SYSTEM_DATA | PRESET_PART_SPEAKER_MAP;

} // namespace

TEST(PresetRangeCheck, FlagsEachRecordKindOnlyWhereTheReadSetIt) {
    struct Case {
        const char* name;
        std::function<void(PresetRecords&)> spoil;
        unsigned partsThatSeeIt; // of kAll
        std::function<bool(const PresetRangeFaults&)> flagged;
        int jsonSees; // 1: a JSON read (112 input bytes, no mic) sees it too
    } cases[] = {
        {"live input band 13", [](PresetRecords& r) { r.live.inputs[4].bands[13].freq = SHORT(0); },
         PRESET_PART_LIVE, [](const PresetRangeFaults& f) { return f.inputs[0] == 1u << 4; }, 1},
        {"live input band 20", [](PresetRecords& r) { r.live.inputs[1].bands[20].gainCode = SHORT(900); },
         PRESET_PART_LIVE, [](const PresetRangeFaults& f) { return f.inputs[0] == 1u << 1; }, 0},
        {"live output crossover", [](PresetRecords& r) { r.live.outputs[7].xover.lpFamily = 3; },
         PRESET_PART_LIVE, [](const PresetRangeFaults& f) { return f.outputs[0] == 1u << 7; }, 1},
        {"mic band", [](PresetRecords& r) { r.live.mic.bands[8].slope = 2; }, PRESET_PART_LIVE,
         [](const PresetRangeFaults& f) { return f.mic; }, 0},
        {"stored input", [](PresetRecords& r) { r.stored[5].inputs[0].bands[0].bwCode = SHORT(-2); },
         PRESET_PART_STORED, [](const PresetRangeFaults& f) { return f.inputs[6] == 1u; }, 1},
        {"stored output", [](PresetRecords& r) { r.stored[2].outputs[3].mix2[6] = 101; }, PRESET_PART_STORED,
         [](const PresetRangeFaults& f) { return f.outputs[3] == 1u << 3; }, 1},
        {"source level", [](PresetRecords& r) { r.sourceSet.sourceLevel[3] = 0; }, PRESET_PART_SOURCE_SET,
         [](const PresetRangeFaults& f) { return f.sourceSet; }, 1},
        {"master volume", [](PresetRecords& r) { r.systemData.masterVolume = SHORT(200); },
         PRESET_PART_SYSTEM_DATA, [](const PresetRangeFaults& f) { return f.systemData; }, 1},
        {"speaker code", [](PresetRecords& r) { r.speakerMap.speakerMap[2] = 99; }, PRESET_PART_SPEAKER_MAP,
         [](const PresetRangeFaults& f) { return f.speakerMap; }, 1},
    };
    EXPECT_FALSE(CPresetRangeCheck::Find(Read(InRangeRecords(), kAll)).Any());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetRecords spoilt = InRangeRecords();
        c.spoil(spoilt);
        const PresetRangeFaults all = CPresetRangeCheck::Find(Read(spoilt, kAll));
        EXPECT_TRUE(all.Any());
        EXPECT_TRUE(c.flagged(all));
        EXPECT_FALSE(CPresetRangeCheck::Find(Read(spoilt, kAll & ~c.partsThatSeeIt)).Any())
            << "a record the read did not set is not the file's";
        EXPECT_EQ(CPresetRangeCheck::Find(Read(spoilt, kAll, CJsonPreset::kMusicBytes, false)).Any(),
                  c.jsonSees == 1);
    }
}

TEST(PresetRangeCheck, FaultyRecordsGoBackToTheirDefaultsAndNothingElseMoves) {
    PresetRecords spoilt = InRangeRecords();
    spoilt.locked = true;
    LockMarkBlock mark{'!', 1, {'1', '2', '3', '4', '5', '6'}};
    spoilt.live.outputs[0].SetLockMark(mark);
    spoilt.live.outputs[0].delay = SHORT(355);
    spoilt.live.outputs[1].polarity = 1; // in range, and kept
    spoilt.live.inputs[3].levelCode = SHORT(700);
    spoilt.live.inputs[3].name[0] = 'X';
    spoilt.stored[1].outputs[6].position = 30;
    spoilt.live.mic.bands[0].type = 7;
    spoilt.sourceSet.inputType = 8;
    spoilt.systemData.masterVolume = SHORT(-1);
    spoilt.speakerMap.speakerMap[0] = 27;
    const PresetRecords before = spoilt;
    const PresetRangeFaults faults = CPresetRangeCheck::Find(Read(spoilt, kAll));
    CPresetRangeCheck::ResetFaulty(spoilt, faults);
    EXPECT_FALSE(CPresetRangeCheck::Find(Read(spoilt, kAll)).Any());

    SourceSetRecord source{};
    SystemDataRecord system{};
    SpeakerMapBlock map{};
    GetDefaultSystemRecords(&source, &system, &map, nullptr, nullptr, nullptr);
    EXPECT_EQ(spoilt.sourceSet, source);
    EXPECT_EQ(spoilt.systemData, system);
    EXPECT_EQ(spoilt.speakerMap.speakerMap, map.speakerMap);
    EXPECT_EQ(spoilt.live.inputs[3], DefaultInputRecord(3));
    EXPECT_EQ(spoilt.live.mic, DefaultMicRecord());
    OutputRecord out0 = g_defOutRecords[0];
    out0.position = map.speakerMap[0];
    out0.SetLockMark(mark);
    EXPECT_EQ(spoilt.live.outputs[0], out0) << "the default output keeps the file's lock marker and code";
    OutputRecord out6 = g_defOutRecords[6];
    out6.position = map.speakerMap[6];
    EXPECT_EQ(spoilt.stored[1].outputs[6], out6);
    EXPECT_EQ(spoilt.live.outputs[1], before.live.outputs[1]);
    EXPECT_EQ(spoilt.stored[0], before.stored[0]);
    EXPECT_TRUE(spoilt.locked);
}

TEST(PresetRangeCheck, NeverReadInputBytesUnderAJsonFileTakeTheDefaults) {
    // The file: every record in range. The program's stored presets: start-up zeros.
    const PresetRecords file = InRangeRecords();
    CJsonPreset json;
    const std::vector<BYTE> bytes = json.EncodeComplete(file, 0);
    PresetRecords base = InRangeRecords();
    GetDefaultImage(nullptr, base.stored);
    base.live.inputs[2].levelCode = SHORT(123); // read from the device: kept
    PresetReadResult read = json.DecodeComplete(bytes.data(), bytes.size(), base);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.inputBytes, CJsonPreset::kMusicBytes);
    EXPECT_TRUE(CPresetRangeCheck::Find(read).Any() == false) << "the file itself is in range";
    CPresetRangeCheck::CompleteInputs(read);
    EXPECT_FALSE(CPresetRangeCheck::Find(Read(read.records, kAll)).Any()) << "nor are the whole records now";
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        for (int i = 0; i < NUM_INPUTS; ++i)
            EXPECT_EQ(read.records.stored[k].inputs[i], DefaultInputRecord(i)) << k << " " << i;
    EXPECT_EQ(read.records.live.inputs[2].levelCode, 123);

    // An archive carries whole records: nothing to complete, its faults are the question's.
    PresetReadResult whole = Read(base, kAll);
    CPresetRangeCheck::CompleteInputs(whole);
    EXPECT_TRUE(whole.records == base);
}

TEST(PresetRangeCheck, MapFileEntriesOutOfRangeTakeTheirPositionsDefaultCrossover) {
    PresetRecords r = InRangeRecords();
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        r.speakerMap.speakerMap[static_cast<size_t>(j)] = static_cast<BYTE>(j + 1);
        r.xoverTable[j] = CKTV_OutData::PositionDefaultXover(j + 1);
        r.xoverTable[j].hpFreq = SHORT(100 + j);
        r.xoverTable[j].lpSlope = XOVER_SLOPE_OFF;
    }
    r.xoverTable[4].hpFreq = SHORT(20); // the ends of the ranges are in range
    r.xoverTable[4].lpFreq = SHORT(20000);
    r.xoverTable[4].hpFamily = XOVER_LINKWITZ_RILEY;
    r.xoverTable[4].lpFamily = XOVER_BUTTERWORTH;
    const Bytes good = COutputMapFile::Encode(r);
    const PresetReadResult clean = COutputMapFile::Decode(good.data(), good.size(), InRangeRecords());
    ASSERT_TRUE(clean.ok);
    EXPECT_FALSE(CPresetRangeCheck::Find(clean).Any());

    struct Case {
        const char* name;
        size_t at; // file offset
        Bytes bytes;
        unsigned xovers;
        bool map;
    } cases[] = {
        {"high-pass 0 Hz", 0x12, {0, 0}, 1u << 0, false},
        {"high-pass slope 9", 0x14, {9}, 1u << 0, false},
        {"low-pass 40000 Hz", 0x16, {40000 & 0xFF, 40000 >> 8}, 1u << 0, false},
        {"high-pass 19 Hz", 18 + 8 * 2, {19, 0}, 1u << 2, false},
        {"low-pass 20001 Hz", 18 + 8 * 3 + 4, {20001 & 0xFF, 20001 >> 8}, 1u << 3, false},
        {"high-pass family 3", 18 + 8 * 5 + 3, {3}, 1u << 5, false},
        {"low-pass family 255", 18 + 8 * 7 + 7, {255}, 1u << 7, false},
        {"speaker code 27", 10 + 6, {27}, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = good;
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(c.at));
        PresetReadResult read = COutputMapFile::Decode(file.data(), file.size(), InRangeRecords());
        ASSERT_TRUE(read.ok);
        const PresetRangeFaults faults = CPresetRangeCheck::Find(read);
        EXPECT_TRUE(faults.Any());
        EXPECT_EQ(faults.xovers, c.xovers);
        EXPECT_EQ(faults.speakerMap, c.map);
        PresetReadResult other = read;
        other.parts &= ~unsigned(PRESET_PART_XOVER_TABLE | PRESET_PART_SPEAKER_MAP);
        EXPECT_FALSE(CPresetRangeCheck::Find(other).Any())
            << "a table the read did not set is not the file's";

        CPresetRangeCheck::ResetFaulty(read.records, faults);
        EXPECT_FALSE(CPresetRangeCheck::Find(read).Any());
        SpeakerMapBlock defaults{};
        GetDefaultSystemRecords(nullptr, nullptr, &defaults, nullptr, nullptr, nullptr);
        const SystemRecord& map = c.map ? defaults.speakerMap : clean.records.speakerMap.speakerMap;
        EXPECT_EQ(read.records.speakerMap.speakerMap, map);
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            EXPECT_EQ(read.records.xoverTable[j],
                      (c.xovers & (1u << j)) ? CKTV_OutData::PositionDefaultXover(map[static_cast<size_t>(j)])
                                             : clean.records.xoverTable[j])
                << "output " << j;
    }
}
