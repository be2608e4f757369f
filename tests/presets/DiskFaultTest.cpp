// Every file writer of the program (preset files, output map, CSV, workbook) under disk faults:
// links, permission bits, long names, saves killed midway and a full disk; and every file reader
// given what is no regular file.
#include "PresetFixture.h"
#include "grid/GridCsv.h"
#include "grid/WorkbookExport.h"
#include "platform/core/DiskFaults.h"
#include "presets/JsonPreset.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace presettest;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A writer of one kind of file; gen changes what it writes (a higher one writes more).
struct Writer {
    const char* kind;
    const char* ext;
    std::function<bool(const std::string& path, int gen)> write;
};

const std::vector<Writer>& Writers() {
    static const std::vector<Writer> writers = {
        {"json single", "jtsh",
         [](const std::string& p, int gen) {
             return CJsonPreset().WriteSingleFile(p.c_str(), PatternRecords(gen)) != FALSE;
         }},
        {"json complete", "jtah",
         [](const std::string& p, int gen) {
             return CJsonPreset().WriteCompleteFile(p.c_str(), PatternRecords(gen)) != FALSE;
         }},
        {"archive all", "vtah",
         [](const std::string& p, int gen) {
             return CPresetArchive::WriteAllPresetsFile(p.c_str(), PatternRecords(gen)) != FALSE;
         }},
        {"archive single", "vtsh",
         [](const std::string& p, int gen) {
             return CPresetArchive::WritePresetFile(p.c_str(), PatternRecords(gen)) != FALSE;
         }},
        {"output map", "vtac",
         [](const std::string& p, int gen) {
             return COutputMapFile::WriteFile(p.c_str(), PatternRecords(gen)) != FALSE;
         }},
        {"csv", "csv",
         [](const std::string& p, int gen) {
             return CGridCsv::Write(p.c_str(), 40 * gen, 3, [gen](int r, int c) {
                 CString s;
                 s.Format("%d-%d-%d", gen, r, c);
                 return s;
             });
         }},
        {"workbook", "xlsx",
         [](const std::string& p, int gen) {
             std::vector<std::vector<CString>> rows(static_cast<size_t>(40 * gen),
                                                    {CString("a"), CString("b")});
             rows[0][0].Format("generation %d", gen);
             return CWorkbookExport::Write(p.c_str(), "QL800", {"one", "two"}, rows) != FALSE;
         }},
    };
    return writers;
}

class DiskFaults : public PresetGlobalsTest {
protected:
    void SetUp() override {
        PresetGlobalsTest::SetUp();
        m_dir = fs::path(testing::TempDir()) /
                ("disk-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        CAtomicFile::SetFaultHook(nullptr);
        std::error_code ec;
        fs::remove_all(m_dir, ec);
        PresetGlobalsTest::TearDown();
    }
    // A fresh folder of its own for one writer.
    std::string Folder(const Writer& w) const {
        const std::string f = (m_dir / w.ext).string();
        fs::remove_all(f);
        fs::create_directories(f);
        return f;
    }

    fs::path m_dir;
};

TEST_F(DiskFaults, ASaveThroughALinkWritesItsTargetWithTheTargetsMode) {
    for (const Writer& w : Writers()) {
        const std::string dir = Folder(w);
        fs::create_directories(dir + "/real");
        const std::string target = dir + "/real/file." + w.ext;
        const std::string link = dir + "/file." + w.ext;
        ASSERT_TRUE(w.write(target, 1)) << w.kind;
        ASSERT_EQ(chmod(target.c_str(), 0600), 0);
        ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
        const std::string before = Slurp(target);
        ASSERT_TRUE(w.write(link, 2)) << w.kind;
        EXPECT_TRUE(fs::is_symlink(link)) << w.kind;
        EXPECT_NE(Slurp(target), before) << w.kind;
        struct stat st {};
        ASSERT_EQ(stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u) << w.kind;
        EXPECT_EQ(disktest::Names(dir + "/real"), std::vector<std::string>{"file." + std::string(w.ext)})
            << w.kind;
    }
}

TEST_F(DiskFaults, TheLongestFileNameSavesAndKeepsItsMode) {
    for (const Writer& w : Writers()) {
        const std::string dir = Folder(w);
        const std::string name = std::string(254 - std::strlen(w.ext), 'n') + "." + w.ext;
        ASSERT_EQ(name.size(), 255u);
        const std::string path = dir + "/" + name;
        ASSERT_TRUE(w.write(path, 1)) << w.kind;
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        EXPECT_TRUE(w.write(path, 2)) << w.kind;
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u) << w.kind;
        EXPECT_EQ(disktest::Names(dir), std::vector<std::string>{name}) << w.kind;
    }
}

// A save killed after its bytes were written but before the rename leaves its temporary; the next
// save removes it.
TEST_F(DiskFaults, TheNextSaveRemovesTheTemporaryOfAKilledOne) {
    for (const Writer& w : Writers()) {
        const std::string dir = Folder(w);
        const std::string path = dir + "/file." + w.ext;
        ASSERT_TRUE(w.write(path, 1)) << w.kind;
        const std::string before = Slurp(path);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CAtomicFile::SetFaultHook([](CAtomicFile::Step s) {
                if (s == CAtomicFile::Step::SyncFile)
                    ::_exit(0);
                return 0;
            });
            w.write(path, 2);
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << w.kind;
        EXPECT_EQ(disktest::Names(dir).size(), 2u) << w.kind;
        EXPECT_EQ(Slurp(path), before) << w.kind;
        ASSERT_TRUE(w.write(path, 3)) << w.kind;
        EXPECT_EQ(disktest::Names(dir), std::vector<std::string>{"file." + std::string(w.ext)}) << w.kind;
    }
}

TEST_F(DiskFaults, AFullDiskKeepsTheOldFileWholeInjected) {
    for (const Writer& w : Writers()) {
        const std::string dir = Folder(w);
        const std::string path = dir + "/file." + w.ext;
        ASSERT_TRUE(w.write(path, 1)) << w.kind;
        const std::string before = Slurp(path);
        {
            disktest::InjectedFullDisk full;
            EXPECT_FALSE(w.write(path, 2)) << w.kind;
        }
        EXPECT_EQ(Slurp(path), before) << w.kind;
        EXPECT_EQ(disktest::Names(dir), std::vector<std::string>{"file." + std::string(w.ext)}) << w.kind;
    }
}

TEST_F(DiskFaults, AFullDiskKeepsTheOldFileWholeOnATmpfs) {
    for (const Writer& w : Writers()) {
        const std::string dir = Folder(w);
        const std::string path = dir + "/file." + w.ext;
        const int result = disktest::OnSmallTmpfs(dir, 2048, [&] {
            if (!w.write(path, 1))
                return false;
            const std::string before = Slurp(path);
            disktest::FillUp(dir);
            return !w.write(path, 2) && Slurp(path) == before &&
                   disktest::Names(dir) == std::vector<std::string>{"file." + std::string(w.ext), "filler"};
        });
        if (result < 0)
            GTEST_SKIP() << "no tmpfs can be mounted here; the injected case stands in";
        EXPECT_EQ(result, 1) << w.kind;
    }
}

// A reader of one kind of file: true when it took the file.
struct Reader {
    const char* kind;
    std::function<bool(const std::string& path)> read;
};

const std::vector<Reader>& Readers() {
    static const std::vector<Reader> readers = {
        {"json single",
         [](const std::string& p) { return CJsonPreset().ReadSingleFile(p.c_str(), PresetRecords()).ok; }},
        {"json complete",
         [](const std::string& p) { return CJsonPreset().ReadCompleteFile(p.c_str(), PresetRecords()).ok; }},
        {"archive all",
         [](const std::string& p) {
             return CPresetArchive::ReadAllPresetsFile(p.c_str(), PresetRecords()).ok;
         }},
        {"archive single",
         [](const std::string& p) { return CPresetArchive::ReadPresetFile(p.c_str(), PresetRecords()).ok; }},
        {"output map",
         [](const std::string& p) { return COutputMapFile::ReadFile(p.c_str(), PresetRecords()).ok; }},
        {"csv",
         [](const std::string& p) {
             CCsvTable lines;
             CString error;
             const bool ok = CGridCsv::Read(p.c_str(), lines, &error);
             EXPECT_TRUE(ok || error.Find(p.c_str()) != -1);
             return ok;
         }},
    };
    return readers;
}

// A FIFO would block a reader for ever; a folder made the CSV reader abort.
TEST_F(DiskFaults, ReadersRefuseWhatIsNoRegularFile) {
    const std::string fifo = (m_dir / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = (m_dir / "folder").string();
    fs::create_directories(folder);
    for (const Reader& r : Readers()) {
        EXPECT_FALSE(r.read(fifo)) << r.kind;
        EXPECT_FALSE(r.read(folder)) << r.kind;
    }
}

// Real JSON presets are about 100 KB: one over 4 MB is refused before it is parsed.
TEST_F(DiskFaults, JsonPresetsOverFourMegabytesAreRefused) {
    const PresetRecords records = PatternRecords(3);
    CJsonPreset json;
    for (const bool complete : {false, true}) {
        const std::string printed =
            complete ? json.PrintComplete(records, 1700000000) : json.PrintSingle(records, 1700000000);
        const struct {
            std::size_t size;
            bool read;
        } cases[] = {{CJsonPreset::kMaxFileSize, true}, {CJsonPreset::kMaxFileSize + 1, false}};
        for (const auto& c : cases) {
            ASSERT_LT(printed.size(), c.size);
            std::string padded = printed + std::string(c.size - printed.size(), ' ');
            CJsonPreset::Scramble(reinterpret_cast<BYTE*>(padded.data()), padded.size());
            const std::string path = (m_dir / "big.jtah").string();
            std::ofstream(path, std::ios::binary) << padded;
            const auto result = complete ? CJsonPreset().ReadCompleteFile(path.c_str(), PresetRecords())
                                         : CJsonPreset().ReadSingleFile(path.c_str(), PresetRecords());
            EXPECT_EQ(result.ok, c.read) << complete << " " << c.size;
        }
    }
}

} // namespace
