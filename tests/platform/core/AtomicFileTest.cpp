#include "platform/core/AtomicFile.h"
#include "platform/core/RegularFile.h"

#include "platform/core/DiskFaults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Step = CAtomicFile::Step;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spit(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/r9-atomic-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
    }
    void TearDown() override {
        CAtomicFile::SetFaultHook(nullptr);
        std::filesystem::remove_all(m_dir);
    }
    std::string m_dir;
};

TEST_F(AtomicFile, SyncsTheFileBeforeTheRenameAndTheFolderAfterIt) {
    std::vector<Step> steps;
    CAtomicFile::SetFaultHook([&](Step s) {
        steps.push_back(s);
        return 0;
    });
    ASSERT_TRUE(CAtomicFile::WriteWhole(m_dir + "/a.bin", "new"));
    EXPECT_EQ(steps,
              (std::vector<Step>{Step::Create, Step::Write, Step::SyncFile, Step::Rename, Step::SyncFolder}));
    EXPECT_EQ(Slurp(m_dir + "/a.bin"), "new");
}

TEST_F(AtomicFile, AFailureBeforeTheRenameKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = m_dir + "/a.bin";
    for (Step failing : {Step::Create, Step::Write, Step::SyncFile, Step::Rename}) {
        Spit(path, "old");
        CAtomicFile::SetFaultHook([failing](Step s) { return s == failing ? EIO : 0; });
        int error = 0;
        EXPECT_FALSE(CAtomicFile::WriteWhole(path, "new and longer", &error)) << static_cast<int>(failing);
        EXPECT_EQ(error, EIO);
        EXPECT_EQ(Slurp(path), "old");
        EXPECT_EQ(disktest::Names(m_dir), std::vector<std::string>{"a.bin"});
    }
    // The folder's sync comes after the rename: the new file is in place, the failure still told.
    CAtomicFile::SetFaultHook([](Step s) { return s == Step::SyncFolder ? EIO : 0; });
    EXPECT_FALSE(CAtomicFile::WriteWhole(path, "new"));
    EXPECT_EQ(Slurp(path), "new");
}

TEST_F(AtomicFile, TheTemporaryIsExclusiveOwnerOnlyAndShortBesideTheLongestName) {
    const std::string name(255, 'n');
    const std::string path = m_dir + "/" + name;
    Spit(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    CAtomicFile file(path);
    ASSERT_TRUE(file.Open()) << std::strerror(file.Error());
    ASSERT_TRUE(file.Write("new"));
    struct stat st {};
    ASSERT_EQ(stat(file.TempPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u); // the final mode only once written whole
    EXPECT_EQ(file.TempPath().rfind(m_dir + "/", 0), 0u);
    EXPECT_LT(file.TempPath().size() - m_dir.size(), 32u);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Slurp(path), "new");
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(disktest::Names(m_dir), std::vector<std::string>{name});
}

TEST_F(AtomicFile, TemporariesOfAKilledSaveGoAtTheNextSaveThoseOfALiveOneStay) {
    const std::string path = m_dir + "/p.jtah";
    // A save killed after its first bytes.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CAtomicFile killed(path);
        if (killed.Open() && killed.Write("half"))
            ::_exit(0); // no destructor: the temporary stays as after a kill
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(disktest::Names(m_dir).size(), 1u);

    // Temporaries of earlier versions, of a killed save ten minutes ago and of a fresh one.
    const std::vector<std::string> oldNames = {"p.jtah.tmp123456", "p.jtah.tmp.4242"};
    for (const auto& n : oldNames) {
        Spit(m_dir + "/" + n, "half");
        const timeval past[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
        ASSERT_EQ(utimes((m_dir + "/" + n).c_str(), past), 0);
    }
    Spit(m_dir + "/p.jtah.tmp77", "being written");
    Spit(m_dir + "/other.jtah.tmp123456", "not ours");
    const timeval past[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ASSERT_EQ(utimes((m_dir + "/other.jtah.tmp123456").c_str(), past), 0);

    // A save that runs meanwhile keeps its temporary.
    CAtomicFile live(path);
    ASSERT_TRUE(live.Open());
    const std::string liveTemp = live.TempPath().substr(m_dir.size() + 1);

    ASSERT_TRUE(CAtomicFile::WriteWhole(path, "whole"));
    std::vector<std::string> expected = {"other.jtah.tmp123456", "p.jtah", "p.jtah.tmp77", liveTemp};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(disktest::Names(m_dir), expected);
    ASSERT_TRUE(live.Write("live") && live.Commit());
    EXPECT_EQ(Slurp(path), "live");
}

TEST_F(AtomicFile, WritesThroughSymbolicLinksAndRefusesWhatIsNoRegularFile) {
    ASSERT_EQ(mkdir((m_dir + "/real").c_str(), 0700), 0);
    Spit(m_dir + "/real/target", "old");
    ASSERT_EQ(chmod((m_dir + "/real/target").c_str(), 0600), 0);
    ASSERT_EQ(symlink("real/target", (m_dir + "/hop").c_str()), 0);
    ASSERT_EQ(symlink((m_dir + "/hop").c_str(), (m_dir + "/link").c_str()), 0);
    ASSERT_TRUE(CAtomicFile::WriteWhole(m_dir + "/link", "new"));
    struct stat st {};
    ASSERT_EQ(lstat((m_dir + "/link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Slurp(m_dir + "/real/target"), "new");
    ASSERT_EQ(stat((m_dir + "/real/target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    // A link to a file not there yet makes it.
    ASSERT_EQ(symlink("real/later", (m_dir + "/dangling").c_str()), 0);
    ASSERT_TRUE(CAtomicFile::WriteWhole(m_dir + "/dangling", "made"));
    EXPECT_EQ(Slurp(m_dir + "/real/later"), "made");

    ASSERT_EQ(mkfifo((m_dir + "/fifo").c_str(), 0600), 0);
    int error = 0;
    EXPECT_FALSE(CAtomicFile::WriteWhole(m_dir + "/fifo", "x", &error));
    EXPECT_EQ(error, EINVAL);
    EXPECT_FALSE(CAtomicFile::WriteWhole(m_dir + "/real", "x", &error));
    EXPECT_EQ(error, EISDIR);
    ASSERT_EQ(symlink("loop", (m_dir + "/loop").c_str()), 0);
    EXPECT_FALSE(CAtomicFile::WriteWhole(m_dir + "/loop", "x", &error));
    EXPECT_EQ(error, ELOOP);
}

TEST_F(AtomicFile, TheReaderTakesOnlyRegularFilesWithinTheLimit) {
    Spit(m_dir + "/ten", "0123456789");
    ASSERT_EQ(mkfifo((m_dir + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((m_dir + "/folder").c_str(), 0700), 0);
    const struct {
        const char* name;
        std::size_t limit;
        int error;
    } cases[] = {
        {"ten", 10, 0},          {"ten", 9, EFBIG},        {"fifo", 100, EINVAL}, // never waits for a writer
        {"folder", 100, EISDIR}, {"missing", 100, ENOENT},
    };
    for (const auto& c : cases) {
        std::string bytes = "stale";
        int error = -1;
        EXPECT_EQ(CRegularFile::Read(m_dir + "/" + c.name, bytes, c.limit, &error), c.error == 0) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(bytes, c.error == 0 ? "0123456789" : "") << c.name;
    }
}

} // namespace
