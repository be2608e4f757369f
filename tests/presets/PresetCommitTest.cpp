// Taking the value from the globals, committing a read in one step, and the files on disk: a
// refused or unreadable file changes no global, a failed write keeps the old file.
#include "PresetFixture.h"
#include "presets/JsonPreset.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace presettest;
namespace fs = std::filesystem;

namespace {

class PresetCommit : public PresetGlobalsTest {
protected:
    void SetUp() override {
        PresetGlobalsTest::SetUp();
        m_dir = fs::path(testing::TempDir()) /
                ("presets-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
        PresetGlobalsTest::TearDown();
    }
    CString PathOf(const char* name) const { return CString((m_dir / name).string()); }
    static Bytes ReadBack(const CString& path) {
        Bytes b;
        EXPECT_TRUE(CPresetFileIo::ReadWholeFile(path, b));
        return b;
    }
    static void WriteRaw(const CString& path, const Bytes& b) {
        std::ofstream(path.GetString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), b.size());
    }

    fs::path m_dir;
};

} // namespace

TEST_F(PresetCommit, CommitWritesOnlyThePartsTheFileSet) {
    const PresetRecords before = PresetRecords::FromGlobals();
    PresetRecords changed = PatternRecords(1);
    changed.Commit(PRESET_PART_SPEAKER_MAP | PRESET_PART_XOVER_TABLE);
    PresetRecords now = PresetRecords::FromGlobals();
    EXPECT_EQ(g_speakerMap, changed.speakerMap.speakerMap);
    EXPECT_EQ(g_xoverTable[3], changed.xoverTable[3]);
    EXPECT_EQ(g_curPresetNo, before.speakerMap.curPresetNo);
    now.speakerMap.speakerMap = before.speakerMap.speakerMap;
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        now.xoverTable[j] = before.xoverTable[j];
    EXPECT_EQ(now, before);
}

TEST_F(PresetCommit, LockedReadGivesItsCodeToThePasswordBeforeAnythingIsSent) {
    g_strLockPassword = "OLD";
    PresetRecords written = PatternRecords(2);
    written.locked = true;
    written.lockPassword = "NEW9";
    const Bytes file = CPresetArchive::EncodeAllPresets(written);
    const PresetReadResult r =
        CPresetArchive::DecodeAllPresets(file.data(), file.size(), PresetRecords::FromGlobals());
    ASSERT_TRUE(r.Commit());
    EXPECT_EQ(g_bDataLocked.load(), 1);
    EXPECT_EQ(CString(g_strLockPassword), CString("NEW9"));
    EXPECT_EQ(g_storedPresets[4], written.stored[4]);
    EXPECT_EQ(g_bOldAllPresetsFile.load(), 0);
}

TEST_F(PresetCommit, SingleArchiveReadRunsTheTweeterFixUp) {
    g_posState[POS_STATE_OUTPUTS + 2] = 7; // a tweeter position on output 3
    PresetRecords written = PresetRecords::FromGlobals();
    written.live.outputs[2].xover.hpFreq = static_cast<SHORT>(200);
    written.live.outputs[2].xover.hpSlope = XOVER_SLOPE_OFF;
    const Bytes file = CPresetArchive::EncodePreset(written);
    const PresetReadResult r =
        CPresetArchive::DecodePreset(file.data(), file.size(), PresetRecords::FromGlobals());
    ASSERT_TRUE(r.Commit());
    EXPECT_EQ(g_curImage.outputs[2].xover.hpFreq, 1000);
    EXPECT_NE(g_curImage.outputs[2].xover.hpSlope, XOVER_SLOPE_OFF);
}

TEST_F(PresetCommit, TakeForSaveLeavesTheMarkerInTheLiveImageButNeverScrambles) {
    g_bDataLocked = 1;
    g_strLockPassword = "55AA";
    const PresetImage before = g_curImage;
    const PresetRecords r = PresetRecords::TakeForSave(nullptr);
    EXPECT_EQ(g_curImage.outputs[0].GetLockMark().marker, '!');
    EXPECT_EQ(std::string(g_curImage.outputs[0].GetLockMark().code, 6), std::string("55AA\0\0", 6));
    EXPECT_EQ(g_curImage.outputs[1], before.outputs[1]);
    EXPECT_EQ(r.live, g_curImage);
    // A password too long for the field leaves a zero code, never the old one.
    g_strLockPassword = "123456789";
    PresetRecords::TakeForSave(nullptr);
    EXPECT_EQ(std::string(g_curImage.outputs[0].GetLockMark().code, 6), std::string(6, '\0'));
}

TEST_F(PresetCommit, RefusedOrUnreadableFilesChangeNoGlobal) {
    const PresetRecords before = PresetRecords::FromGlobals();
    const Bytes full = CPresetArchive::EncodeAllPresets(PatternRecords(3));
    WriteRaw(PathOf("short.vtaa"), Bytes(full.begin(), full.end() - 10));
    WriteRaw(PathOf("wrong.vtas"), full);
    WriteRaw(PathOf("map.vtac"), Bytes(full.begin(), full.begin() + 82));
    WriteRaw(PathOf("bad.jtsh"), Bytes(400, 'x'));
    CJsonPreset json;
    const PresetReadResult results[] = {
        CPresetArchive::ReadAllPresetsFile(PathOf("short.vtaa"), before),
        CPresetArchive::ReadPresetFile(PathOf("wrong.vtas"), before),
        CPresetArchive::ReadAllPresetsFile(PathOf("missing.vtaa"), before),
        COutputMapFile::ReadFile(PathOf("map.vtac"), before),
        json.ReadSingleFile(PathOf("bad.jtsh"), before),
        json.ReadCompleteFile(PathOf("missing.jtah"), before),
    };
    for (const PresetReadResult& r : results) {
        EXPECT_FALSE(r.Commit());
        EXPECT_NE(std::string(r.error.en).find("error!"), std::string::npos);
    }
    EXPECT_EQ(PresetRecords::FromGlobals(), before);
    EXPECT_TRUE(g_linkLock.try_lock()); // no path left the lock held
    g_linkLock.unlock();
}

TEST_F(PresetCommit, FilesWrittenAndReadBackGiveTheSameRecords) {
    PresetRecords r = PatternRecords(4);
    r.locked = true;
    r.lockPassword = "ABCDEF";
    CJsonPreset json;
    ASSERT_TRUE(CPresetArchive::WriteAllPresetsFile(PathOf("a.vtaa"), r));
    ASSERT_TRUE(CPresetArchive::WritePresetFile(PathOf("a.vtas"), r));
    ASSERT_TRUE(COutputMapFile::WriteFile(PathOf("a.vtac"), r));
    ASSERT_TRUE(json.WriteCompleteFile(PathOf("a.jtah"), r));
    EXPECT_EQ(ReadBack(PathOf("a.vtaa")).size(), 30786u);
    EXPECT_EQ(ReadBack(PathOf("a.vtas")).size(), 4408u);
    EXPECT_EQ(ReadBack(PathOf("a.vtac")).size(), 82u);

    PresetRecords expected = r;
    expected.ApplyLockMark();
    const PresetRecords base = PatternRecords(80);
    const PresetReadResult all = CPresetArchive::ReadAllPresetsFile(PathOf("a.vtaa"), base);
    ASSERT_TRUE(all.ok);
    EXPECT_EQ(all.records.live, expected.live);
    EXPECT_EQ(all.records.stored[3], r.stored[3]);
    const PresetReadResult single = CPresetArchive::ReadPresetFile(PathOf("a.vtas"), base);
    ASSERT_TRUE(single.ok);
    EXPECT_EQ(single.records.live, expected.live);
    const PresetReadResult map = COutputMapFile::ReadFile(PathOf("a.vtac"), base);
    ASSERT_TRUE(map.ok);
    EXPECT_EQ(map.records.xoverTable[7], r.xoverTable[7]);
    PresetRecords jsonBase = base;
    jsonBase.live = expected.live;
    const PresetReadResult complete = json.ReadCompleteFile(PathOf("a.jtah"), jsonBase);
    ASSERT_TRUE(complete.ok);
    EXPECT_EQ(complete.records.live, expected.live);
    EXPECT_EQ(JsonCarried(complete.records.stored[5]), JsonCarried(r.stored[5]));
    EXPECT_TRUE(complete.records.locked);
}

TEST_F(PresetCommit, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const CString target = PathOf("keep.jtah");
    WriteRaw(target, Bytes{1, 2, 3});
    fs::create_directories(m_dir / "dir.jtah");
    CJsonPreset json;
    const PresetRecords r = PatternRecords(5);
    EXPECT_FALSE(json.WriteCompleteFile(PathOf("dir.jtah"), r));          // a folder in the way
    EXPECT_FALSE(json.WriteSingleFile(PathOf("no/such/folder.jtsh"), r)); // no folder
    EXPECT_FALSE(CPresetFileIo::WriteFileAtomic(CString(), Bytes{1}));
    EXPECT_EQ(ReadBack(target), (Bytes{1, 2, 3}));
    int entries = 0;
    for (const auto& e : fs::directory_iterator(m_dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2); // keep.jtah and the folder
    ASSERT_TRUE(json.WriteCompleteFile(target, r));
    EXPECT_GT(ReadBack(target).size(), 100000u);
}
