// The archive preset files against files built by hand from their layouts: the all-presets file
// ".vtaa", the single-preset file ".vtas" and the mode file, with their lock rules, old magics and
// refusals.
#include "PresetFixture.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"

#include <algorithm>
#include <cstdio>

using namespace presettest;

namespace {

// A current all-presets file of the records, built offset by offset.
Bytes AllPresetsFile(const PresetRecords& r, const PresetImage& liveInFile, const std::string& magic) {
    Bytes f;
    AppendMagic(f, magic);
    for (const PresetImage& s : r.stored)
        AppendImage(f, s);
    AppendImage(f, liveInFile);
    const BYTE* src = RecordBytes(r.sourceSet);
    const BYTE* sys = RecordBytes(r.systemData);
    const BYTE* map = RecordBytes(r.speakerMap);
    const Bytes tail = {src[0], sys[2], sys[0], sys[1], src[1], sys[3], src[2], src[3],
                        src[4], src[5], src[6], src[7], sys[4], sys[5], sys[6], map[0],
                        map[1], map[2], map[3], map[4], map[5], map[6], map[7], RecordBytes(r.bootSource)[1]};
    f.insert(f.end(), tail.begin(), tail.end());
    return f;
}

Bytes PresetFile(const PresetImage& inFile, BYTE trailing, const std::string& magic) {
    Bytes f;
    AppendMagic(f, magic);
    AppendImage(f, inFile);
    f.push_back(trailing);
    return f;
}

} // namespace

TEST(PresetArchiveAll, UnlockedFileHasTheLayoutAndReadsBackEveryRecord) {
    const PresetRecords written = PatternRecords(1);
    const Bytes file = AllPresetsFile(written, written.live, "ZN-R9_ALLFile_3.0");
    ASSERT_EQ(file.size(), 30786u);
    EXPECT_EQ(CPresetArchive::EncodeAllPresets(written), file);
    // The system bytes sit where the layout says.
    EXPECT_EQ(file[30762], written.sourceSet.inputType);
    EXPECT_EQ(file[30764], RecordBytes(written.systemData)[0]);
    EXPECT_EQ(file[30785], written.bootSource.bootDefault);

    PresetRecords base = PatternRecords(99);
    base.locked = true;
    base.oldAllFile = true;
    const PresetReadResult r = CPresetArchive::DecodeAllPresets(file.data(), file.size(), base);
    ASSERT_TRUE(r.ok);
    const PresetRecords& v = r.records;
    EXPECT_EQ(v.live, written.live);
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        EXPECT_EQ(v.stored[k], written.stored[k]) << k;
    EXPECT_EQ(v.sourceSet, written.sourceSet);
    EXPECT_EQ(v.speakerMap.speakerMap, written.speakerMap.speakerMap);
    EXPECT_FALSE(v.locked);
    EXPECT_FALSE(v.oldAllFile);
    // Not in the file: system byte 7, boot source bytes other than 1, the preset number block.
    EXPECT_EQ(v.systemData.bassBoost, base.systemData.bassBoost);
    EXPECT_EQ(std::memcmp(RecordBytes(v.systemData), RecordBytes(written.systemData), 7), 0);
    EXPECT_EQ(v.bootSource.bootDefault, written.bootSource.bootDefault);
    EXPECT_EQ(v.bootSource.bootValue, base.bootSource.bootValue);
    EXPECT_EQ(v.speakerMap.curPresetNo, base.speakerMap.curPresetNo);
}

TEST(PresetArchiveAll, LockedFileScramblesOnlyTheLiveOutputsAndReadsBackPlain) {
    PresetRecords written = PatternRecords(2);
    written.locked = true;
    written.lockPassword = "AB12";
    PresetImage plain = written.live;
    SetLock(plain, '!', "AB12");
    // Byte 2313 (the lock option) is scrambled in this format; only the marker is not.
    const PresetImage inFile = Scrambled(plain, 2024, 4392, {2312});
    const Bytes file = AllPresetsFile(written, inFile, "ZN-R9_ALLFile_3.0");
    EXPECT_EQ(CPresetArchive::EncodeAllPresets(written), file);
    EXPECT_EQ(file[28682], '!');
    EXPECT_EQ(file[28683], RecordBytes(plain)[2313] ^ 0x5D);
    // The stored presets stay plain in the file.
    EXPECT_TRUE(
        std::equal(file.begin() + 18, file.begin() + 18 + IMAGE_SIZE, RecordBytes(written.stored[0])));

    const PresetReadResult r = CPresetArchive::DecodeAllPresets(file.data(), file.size(), PatternRecords(50));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.records.locked);
    EXPECT_EQ(r.records.live, plain);
    EXPECT_EQ(r.records.stored[5], written.stored[5]);
    EXPECT_EQ(r.records.LiveLockCode(), CString("AB12"));
}

TEST(PresetArchiveAll, AnyMarkerButASpaceMeansLocked) {
    PresetRecords written = PatternRecords(3);
    PresetImage plain = written.live;
    SetLock(plain, 'A', "XYZ");
    const Bytes file = AllPresetsFile(written, Scrambled(plain, 2024, 4392, {2312}), "ZN-R9_ALLFile_3.0");
    const PresetReadResult r = CPresetArchive::DecodeAllPresets(file.data(), file.size(), written);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.records.locked);
    EXPECT_EQ(r.records.live, plain);
}

TEST(PresetArchiveAll, OldMagicsBlankTheLockBytesOfEveryImageAndUnlock) {
    for (const char* magic : CPresetArchive::kOldAllMagics) {
        SCOPED_TRACE(magic);
        PresetRecords written = PatternRecords(4);
        SetLock(written.live, '!', "CODE12");
        SetLock(written.stored[2], '!', "CODE34");
        const Bytes file = AllPresetsFile(written, written.live, magic);
        ASSERT_EQ(file.size(), 30768u + 1 + std::strlen(magic));
        PresetRecords base = PatternRecords(7);
        base.locked = true;
        const PresetReadResult r = CPresetArchive::DecodeAllPresets(file.data(), file.size(), base);
        ASSERT_TRUE(r.ok);
        EXPECT_FALSE(r.records.locked);
        EXPECT_TRUE(r.records.oldAllFile);
        const PresetImage* images[7] = {&r.records.live};
        for (int k = 0; k < 6; ++k)
            images[k + 1] = &r.records.stored[k];
        for (const PresetImage* img : images)
            for (const OutputRecord& out : img->outputs)
                EXPECT_EQ(std::string(out.name, 8), std::string(8, ' '));
        // The rest of the image is taken as it is.
        EXPECT_EQ(r.records.live.outputs[0].xover, written.live.outputs[0].xover);
        EXPECT_EQ(r.records.stored[1].inputs[3], written.stored[1].inputs[3]);
    }
}

TEST(PresetArchiveAll, RefusedFilesLeaveTheValueAsItWas) {
    const PresetRecords written = PatternRecords(5);
    const Bytes good = AllPresetsFile(written, written.live, "ZN-R9_ALLFile_3.0");
    const Bytes single = PresetFile(written.live, 0, "ZN-R9_File_3.0");
    Bytes caseChanged = good;
    caseChanged[1] = 'z';
    Bytes lengthPastEnd = {0x40, 'Z', 'N'};
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"truncated", Bytes(good.begin(), good.end() - 1)},
        {"empty", {}},
        {"magic case differs", caseChanged},
        {"single-preset file", single},
        {"mode file", {13, 'M', 'o', 'd', 'e', '_', '7', '3', '0', '_', 'F', 'i', 'l', 'e'}},
        {"magic longer than the file", lengthPastEnd},
        {"only the magic", Bytes(good.begin(), good.begin() + 18)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresetReadResult r = CPresetArchive::DecodeAllPresets(c.file.data(), c.file.size(), written);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.parts, 0u);
        EXPECT_STREQ(r.error.en, "Read all presets file error!");
        EXPECT_STREQ(r.error.cn, "读整机场景文件错误!");
    }
}

TEST(PresetArchiveSingle, LockedFileScramblesTheWholeImageButTheMarker) {
    PresetRecords written = PatternRecords(6);
    written.locked = true;
    written.lockPassword = "654321";
    PresetImage plain = written.live;
    SetLock(plain, '!', "654321");
    const BYTE option = RecordBytes(plain)[2313];
    const Bytes file = PresetFile(Scrambled(plain, 0, 4392, {2312}), option, "ZN-R9_File_3.0");
    ASSERT_EQ(file.size(), 4408u);
    EXPECT_EQ(CPresetArchive::EncodePreset(written), file);
    // The name is scrambled too in this format.
    EXPECT_EQ(file[15], RecordBytes(plain)[0] ^ 0x5D);
    EXPECT_EQ(file[2327], '!');

    const PresetReadResult r = CPresetArchive::DecodePreset(file.data(), file.size(), PatternRecords(8));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.records.locked);
    EXPECT_EQ(r.records.live, plain);
    EXPECT_TRUE(r.parts & PRESET_PART_FIX_TWEETERS);
    EXPECT_FALSE(r.parts & PRESET_PART_STORED);
}

TEST(PresetArchiveSingle, TrailingByteOverridesTheLockOptionInEveryFormat) {
    const PresetRecords written = PatternRecords(9);
    struct Case {
        const char* magic;
        bool locked;
    } cases[] = {{"ZN-R9_File_3.0", false},
                 {"ZN-R9_File_3.0", true},
                 {"TRV410_File_1.0", false},
                 {"ZN-R4_File_1.0", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.magic) + (c.locked ? " locked" : ""));
        PresetImage plain = written.live;
        if (c.locked)
            SetLock(plain, '!', "A");
        const PresetImage inFile = c.locked ? Scrambled(plain, 0, 4392, {2312}) : plain;
        const Bytes file = PresetFile(inFile, 0xC3, c.magic);
        const PresetReadResult r = CPresetArchive::DecodePreset(file.data(), file.size(), written);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(RecordBytes(r.records.live)[2313], 0xC3);
        EXPECT_EQ(r.records.locked, c.locked);
        EXPECT_EQ(r.records.oldSingleFile, std::string(c.magic) != "ZN-R9_File_3.0");
    }
}

TEST(PresetArchiveSingle, RefusesOtherKindsAndWrongLengths) {
    const PresetRecords written = PatternRecords(10);
    const Bytes good = PresetFile(written.live, 0, "ZN-R9_File_3.0");
    const Bytes all = AllPresetsFile(written, written.live, "ZN-R9_ALLFile_3.0");
    const Bytes cases[] = {Bytes(good.begin(), good.end() - 1), Bytes(good.begin(), good.begin() + 15), all,
                           Bytes(all.begin(), all.begin() + 4408)};
    for (const Bytes& file : cases) {
        const PresetReadResult r = CPresetArchive::DecodePreset(file.data(), file.size(), written);
        EXPECT_FALSE(r.ok);
        EXPECT_STREQ(r.error.en, "Read presets file  error!");
    }
}

TEST(PresetArchiveMode, RowOfTheIndexAndRefusalPastTheTable) {
    PresetRecords written = PatternRecords(11);
    written.slotTable.curSlot = 2;
    Bytes file;
    AppendMagic(file, "Mode_730_File");
    file.push_back(2);
    const BYTE* slots = RecordBytes(written.slotTable);
    file.insert(file.end(), slots + 32, slots + 48);
    ASSERT_EQ(file.size(), 31u);
    EXPECT_EQ(CPresetArchive::EncodeModeFile(written), file);

    PresetRecords base = PatternRecords(12);
    PresetReadResult r = CPresetArchive::DecodeModeFile(file.data(), file.size(), base);
    ASSERT_TRUE(r.ok);
    const BYTE* got = RecordBytes(r.records.slotTable);
    EXPECT_EQ(got[65], 2);                               // the index goes to byte 65
    EXPECT_EQ(got[64], RecordBytes(base.slotTable)[64]); // byte 64 is kept
    EXPECT_EQ(std::memcmp(got + 32, slots + 32, 16), 0); // the row of the index
    EXPECT_EQ(std::memcmp(got, RecordBytes(base.slotTable), 32), 0);

    file[14] = 4; // a row past the 66-byte table
    r = CPresetArchive::DecodeModeFile(file.data(), file.size(), base);
    EXPECT_FALSE(r.ok);
    written.slotTable.curSlot = 200;
    EXPECT_TRUE(CPresetArchive::EncodeModeFile(written).empty());
}

TEST(PresetArchive, LongerFilesReadTheirLayoutAndIgnoreTheRest) {
    // Other copies of the program may write more after the layout; a shorter file stays refused.
    PresetRecords written = PatternRecords(13);
    written.slotTable.curSlot = 1;
    const Bytes mode = CPresetArchive::EncodeModeFile(written);
    using Decoder = PresetReadResult (*)(const BYTE*, std::size_t, const PresetRecords&);
    struct Case {
        const char* name;
        Bytes good;
        Decoder decode;
    } cases[] = {
        {"all presets", AllPresetsFile(written, written.live, "ZN-R9_ALLFile_3.0"),
         CPresetArchive::DecodeAllPresets},
        {"old all presets", AllPresetsFile(written, written.live, "TRV410_ALLFile_1.0"),
         CPresetArchive::DecodeAllPresets},
        {"single preset", PresetFile(written.live, 7, "ZN-R9_File_3.0"), CPresetArchive::DecodePreset},
        {"mode file", mode, CPresetArchive::DecodeModeFile},
    };
    const PresetRecords base = PatternRecords(14);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresetReadResult exact = c.decode(c.good.data(), c.good.size(), base);
        ASSERT_TRUE(exact.ok);
        for (const Bytes& extra : {Bytes{0}, Bytes(5000, 0xA5), c.good}) {
            Bytes longer = c.good;
            longer.insert(longer.end(), extra.begin(), extra.end());
            const PresetReadResult r = c.decode(longer.data(), longer.size(), base);
            ASSERT_TRUE(r.ok) << extra.size() << " bytes more";
            EXPECT_EQ(r.parts, exact.parts);
            EXPECT_TRUE(r.records == exact.records);
        }
        const Bytes shorter(c.good.begin(), c.good.end() - 1);
        EXPECT_FALSE(c.decode(shorter.data(), shorter.size(), base).ok);
    }

    // The whole-file readers take the longer file from disk too.
    const std::string path = ::testing::TempDir() + "r9-longer.vtas";
    Bytes file = PresetFile(written.live, 7, "ZN-R9_File_3.0");
    file.resize(file.size() + 70000, 0x11);
    ASSERT_TRUE(CPresetFileIo::WriteFileAtomic(path.c_str(), file));
    EXPECT_TRUE(CPresetArchive::ReadPresetFile(path.c_str(), base).ok);
    std::remove(path.c_str());
}
