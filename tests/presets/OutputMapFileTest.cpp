// The output-map file ".vtac" against files built by hand: 82 bytes, slope before family in each
// entry, the old magic read alike, other files refused.
#include "PresetFixture.h"
#include "presets/OutputMapFile.h"

using namespace presettest;

namespace {

Bytes MapFile(const PresetRecords& r, const std::string& magic) {
    Bytes f;
    AppendMagic(f, magic);
    const BYTE* map = RecordBytes(r.speakerMap);
    f.insert(f.end(), map, map + 8);
    for (const XoverRecord& x : r.xoverTable) {
        const BYTE* p = RecordBytes(x); // hpFreq(2) hpFamily hpSlope lpFreq(2) lpFamily lpSlope
        const Bytes entry = {p[0], p[1], p[3], p[2], p[4], p[5], p[7], p[6]};
        f.insert(f.end(), entry.begin(), entry.end());
    }
    return f;
}

} // namespace

TEST(OutputMapFile, SlopeComesBeforeFamilyAndTheFileReadsBack) {
    PresetRecords written = PatternRecords(20);
    written.xoverTable[1].hpFamily = XOVER_BUTTERWORTH;
    written.xoverTable[1].hpSlope = 5;
    const Bytes file = MapFile(written, "ZN-R9_Map");
    ASSERT_EQ(file.size(), 82u);
    EXPECT_EQ(file[18 + 8 + 2], 5);
    EXPECT_EQ(file[18 + 8 + 3], XOVER_BUTTERWORTH);
    EXPECT_EQ(COutputMapFile::Encode(written), file);

    const PresetRecords base = PatternRecords(30);
    for (const char* magic : {"ZN-R9_Map", "TRV410_Map"}) {
        SCOPED_TRACE(magic);
        const Bytes f = MapFile(written, magic);
        const PresetReadResult r = COutputMapFile::Decode(f.data(), f.size(), base);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.parts, unsigned(PRESET_PART_SPEAKER_MAP | PRESET_PART_XOVER_TABLE));
        EXPECT_EQ(r.records.speakerMap.speakerMap, written.speakerMap.speakerMap);
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            EXPECT_EQ(r.records.xoverTable[j], written.xoverTable[j]) << j;
        EXPECT_EQ(r.records.speakerMap.curPresetNo, base.speakerMap.curPresetNo);
    }
}

TEST(OutputMapFile, OtherFilesAndShortFilesAreRefused) {
    const PresetRecords written = PatternRecords(21);
    const Bytes good = MapFile(written, "ZN-R9_Map");
    Bytes preset;
    AppendMagic(preset, "ZN-R9_File_3.0");
    preset.resize(82, 0);
    const Bytes cases[] = {preset, Bytes(good.begin(), good.end() - 1), Bytes{}, Bytes{9}};
    for (const Bytes& f : cases) {
        const PresetReadResult r = COutputMapFile::Decode(f.data(), f.size(), written);
        EXPECT_FALSE(r.ok);
        EXPECT_STREQ(r.error.en, "Read output map error!");
        EXPECT_STREQ(r.error.cn, "读输出配置错误!");
    }
}

TEST(OutputMapFile, LongerFileReadsItsLayoutAndIgnoresTheRest) {
    const PresetRecords written = PatternRecords(22);
    const PresetRecords base = PatternRecords(23);
    for (const char* magic : {"ZN-R9_Map", "TRV410_Map"}) {
        SCOPED_TRACE(magic);
        const Bytes good = MapFile(written, magic);
        const PresetReadResult exact = COutputMapFile::Decode(good.data(), good.size(), base);
        ASSERT_TRUE(exact.ok);
        for (const std::size_t more : {1u, 82u, 4096u}) {
            Bytes longer = good;
            longer.resize(good.size() + more, 0xEE);
            const PresetReadResult r = COutputMapFile::Decode(longer.data(), longer.size(), base);
            ASSERT_TRUE(r.ok) << more;
            EXPECT_TRUE(r.records == exact.records);
            EXPECT_EQ(r.parts, exact.parts);
        }
    }
}
