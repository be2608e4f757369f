// The range table of the record fields: every ranged field of each record kind out of its range
// by one (and at its limits), the default records in range, and the default input and mic records
// equal to what a fresh document stores.
#include "model/RecordRanges.h"

#include "ChannelFixture.h"
#include "model/KTV_Data.h"

#include <functional>

namespace {

class RecordRangesTest : public ChannelTest {};

template <class R> struct FieldCase {
    const char* name;
    std::function<void(R&, bool)> set; // false: the limit itself, true: one past it
};

// Each case sets one field to a limit (in range) or one past it (out of range).
template <class R, class Check>
void ExpectEachFieldChecked(const R& good, Check check, const std::vector<FieldCase<R>>& cases) {
    ASSERT_TRUE(check(good));
    for (const FieldCase<R>& c : cases) {
        SCOPED_TRACE(c.name);
        R atLimit = good;
        c.set(atLimit, false);
        EXPECT_TRUE(check(atLimit));
        R past = good;
        c.set(past, true);
        EXPECT_FALSE(check(past));
    }
}

// The band fields of the slot `band` gives.
template <class R> void AddBandCases(std::vector<FieldCase<R>>& cases, EQBandRecord* (*band)(R&)) {
    cases.push_back({"frequency low", [band](R& r, bool past) { band(r)->freq = SHORT(past ? 19 : 20); }});
    cases.push_back(
        {"frequency high", [band](R& r, bool past) { band(r)->freq = SHORT(past ? 20001 : 20000); }});
    cases.push_back({"frequency 0", [band](R& r, bool past) { band(r)->freq = SHORT(past ? 0 : 1000); }});
    cases.push_back({"gain low", [band](R& r, bool past) { band(r)->gainCode = SHORT(past ? 479 : 480); }});
    cases.push_back({"gain high", [band](R& r, bool past) { band(r)->gainCode = SHORT(past ? 721 : 720); }});
    cases.push_back({"bandwidth low", [band](R& r, bool past) { band(r)->bwCode = SHORT(past ? -1 : 0); }});
    cases.push_back(
        {"bandwidth high", [band](R& r, bool past) { band(r)->bwCode = SHORT(past ? 296 : 295); }});
    cases.push_back({"type", [band](R& r, bool past) { band(r)->type = BYTE(past ? 5 : 4); }});
    cases.push_back({"slope", [band](R& r, bool past) { band(r)->slope = BYTE(past ? 9 : 8); }});
    cases.push_back({"shelf slope", [band](R& r, bool past) {
                         band(r)->type = BAND_HIGH_SHELF;
                         band(r)->slope = BYTE(past ? 2 : 1);
                     }});
}

void AddXoverCases(std::vector<FieldCase<OutputRecord>>& cases) {
    using R = OutputRecord;
    cases.push_back({"high-pass frequency", [](R& r, bool past) { r.xover.hpFreq = SHORT(past ? 0 : 20); }});
    cases.push_back(
        {"low-pass frequency", [](R& r, bool past) { r.xover.lpFreq = SHORT(past ? 20001 : 20000); }});
    cases.push_back({"high-pass family", [](R& r, bool past) { r.xover.hpFamily = BYTE(past ? 3 : 2); }});
    cases.push_back({"low-pass family", [](R& r, bool past) { r.xover.lpFamily = BYTE(past ? 3 : 0); }});
    cases.push_back({"high-pass slope", [](R& r, bool past) { r.xover.hpSlope = BYTE(past ? 9 : 8); }});
    cases.push_back({"low-pass slope", [](R& r, bool past) { r.xover.lpSlope = BYTE(past ? 255 : 0); }});
}

} // namespace

TEST_F(RecordRangesTest, EveryRangedFieldOfAnOutputIsChecked) {
    std::vector<FieldCase<OutputRecord>> cases;
    AddBandCases<OutputRecord>(cases, [](OutputRecord& r) { return &r.bands[30]; });
    AddXoverCases(cases);
    using R = OutputRecord;
    cases.push_back({"level", [](R& r, bool past) { r.levelCode = WORD(past ? 601 : 600); }});
    cases.push_back({"delay low", [](R& r, bool past) { r.delay = SHORT(past ? -1 : 0); }});
    cases.push_back({"delay high", [](R& r, bool past) { r.delay = SHORT(past ? 355 : 354); }});
    cases.push_back({"speaker code", [](R& r, bool past) { r.position = BYTE(past ? 27 : 26); }});
    cases.push_back({"first mix", [](R& r, bool past) { r.mix1[0] = BYTE(past ? 101 : 100); }});
    cases.push_back({"fifteenth mix", [](R& r, bool past) { r.mix2[6] = BYTE(past ? 200 : 100); }});
    ExpectEachFieldChecked<OutputRecord>(
        g_defOutRecords[0], [](const R& r) { return RecordRanges::Output(r); }, cases);

    // The switch mask and the placeholder bands of a ten-band output are not ranged.
    OutputRecord shortOut = g_defOutRecords[7];
    shortOut.mix2[7] = 0xFF;
    shortOut.bands[10].freq = SHORT(0);
    EXPECT_TRUE(RecordRanges::Output(shortOut, RecordRanges::OutputBands(7)));
    EXPECT_FALSE(RecordRanges::Output(shortOut, RecordRanges::OutputBands(0)));
    shortOut.bands[9].gainCode = SHORT(0);
    EXPECT_FALSE(RecordRanges::Output(shortOut, RecordRanges::OutputBands(7)));
}

TEST_F(RecordRangesTest, InputBandsAndLevelAreCheckedAsFarAsTheRecordCounts) {
    std::vector<FieldCase<InputRecord>> cases;
    AddBandCases<InputRecord>(cases, [](InputRecord& r) { return &r.bands[13]; });
    AddBandCases<InputRecord>(cases, [](InputRecord& r) { return &r.bands[30]; });
    cases.push_back({"level", [](InputRecord& r, bool past) { r.levelCode = SHORT(past ? 601 : 0); }});
    ExpectEachFieldChecked<InputRecord>(
        DefaultInputRecord(2), [](const InputRecord& r) { return RecordRanges::Input(r); }, cases);

    // A file carrying the first 112 bytes sets bands 0..13 only.
    InputRecord rec = DefaultInputRecord(0);
    rec.bands[14].freq = SHORT(0);
    rec.levelCode = SHORT(-5);
    EXPECT_TRUE(RecordRanges::Input(rec, 112));
    rec.bands[13].bwCode = SHORT(300);
    EXPECT_FALSE(RecordRanges::Input(rec, 112));
    // The crossover of an input is not ranged: the device holds 0 there.
    InputRecord zeroXover = DefaultInputRecord(1);
    zeroXover.xover = XoverRecord{};
    EXPECT_TRUE(RecordRanges::Input(zeroXover));
}

TEST_F(RecordRangesTest, MicAndSystemRecords) {
    std::vector<FieldCase<MicRecord>> mic;
    AddBandCases<MicRecord>(mic, [](MicRecord& r) { return &r.bands[4]; });
    ExpectEachFieldChecked<MicRecord>(
        DefaultMicRecord(), [](const MicRecord& r) { return RecordRanges::Mic(r); }, mic);

    SourceSetRecord source{};
    SystemDataRecord system{};
    SpeakerMapBlock map{};
    GetDefaultSystemRecords(&source, &system, &map, nullptr, nullptr, nullptr);
    using S = SourceSetRecord;
    ExpectEachFieldChecked<S>(
        source, [](const S& r) { return RecordRanges::SourceSet(r); },
        {{"input type", [](S& r, bool past) { r.inputType = BYTE(past ? 6 : 5); }},
         {"level low", [](S& r, bool past) { r.sourceLevel[0] = BYTE(past ? 19 : 20); }},
         {"level high", [](S& r, bool past) { r.sourceLevel[5] = BYTE(past ? 67 : 66); }}});
    using D = SystemDataRecord;
    ExpectEachFieldChecked<D>(
        system, [](const D& r) { return RecordRanges::SystemData(r); },
        {{"master low", [](D& r, bool past) { r.masterVolume = SHORT(past ? -1 : 0); }},
         {"master high", [](D& r, bool past) { r.masterVolume = SHORT(past ? 67 : 66); }}});
    using M = SystemRecord;
    ExpectEachFieldChecked<M>(map.speakerMap, [](const M& r) { return RecordRanges::SpeakerMap(r); },
                              {{"code", [](M& r, bool past) { r[7] = BYTE(past ? 27 : 26); }}});
}

TEST_F(RecordRangesTest, DefaultRecordsAreInRangeAndAreWhatAFreshDocumentStores) {
    for (int j = 0; j < NUM_OUTPUTS + 2; ++j)
        EXPECT_TRUE(RecordRanges::Output(g_defOutRecords[j], RecordRanges::OutputBands(j % NUM_OUTPUTS)))
            << j;
    // The start-up image the program and the emulator begin from is in range where it counts.
    PresetImage live{};
    GetDefaultImage(&live, nullptr);
    for (const InputRecord& in : live.inputs)
        EXPECT_TRUE(RecordRanges::Input(in));
    EXPECT_TRUE(RecordRanges::Mic(live.mic));

    g_bOnline = 0;
    CKTV_Data doc;
    doc.StoreToImage();
    for (int i = 0; i < NUM_INPUTS; ++i) {
        const InputRecord expected = DefaultInputRecord(i);
        EXPECT_TRUE(RecordRanges::Input(expected)) << i;
        EXPECT_EQ(DiffBytes(g_curImage.inputs[i], expected), std::vector<int>{}) << "input " << i;
    }
    EXPECT_TRUE(RecordRanges::Mic(DefaultMicRecord()));
    EXPECT_EQ(DiffBytes(g_curImage.mic, DefaultMicRecord()), std::vector<int>{});
}
