#include "platform/io/DeviceLockRegister.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class DeviceLockRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/r9-lockreg-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = std::string(tmpl) + "/usb"; // created on first use
    }
    void TearDown() override {
        std::string cmd = "rm -rf " + m_dir.substr(0, m_dir.size() - 4);
        (void)std::system(cmd.c_str());
    }
    std::string m_dir;
};

} // namespace

TEST_F(DeviceLockRegisterTest, FileNamesEscapeThePath) {
    EXPECT_EQ(CDeviceLockRegister::FileNameOf("/dev/hidraw0"), "%2Fdev%2Fhidraw0.lock");
    EXPECT_EQ(CDeviceLockRegister::FileNameOf("a b%"), "a%20b%25.lock");
    EXPECT_EQ(CDeviceLockRegister::FileNameOf(".."), "%...lock");
    EXPECT_NE(CDeviceLockRegister::FileNameOf("/dev/hidraw1"),
              CDeviceLockRegister::FileNameOf("/dev/hidraw0"));
}

TEST_F(DeviceLockRegisterTest, RememberAndForgetWithinOneProcess) {
    CDeviceLockRegister reg(m_dir);
    CDeviceLockRegister other(m_dir); // a second instance's view of the same register
    const std::string path = "/dev/hidraw3";
    EXPECT_TRUE(reg.IsPathFree(path));
    EXPECT_TRUE(reg.Remember(path));
    EXPECT_TRUE(reg.IsHeldHere(path));
    EXPECT_FALSE(reg.IsPathFree(path));
    EXPECT_FALSE(other.IsPathFree(path));
    EXPECT_TRUE(other.IsPathFree("/dev/hidraw4"));
    // The other instance cannot take it while it is held.
    other.Remember(path);
    EXPECT_FALSE(other.IsHeldHere(path));
    EXPECT_TRUE(reg.Forget(path));
    EXPECT_TRUE(other.IsPathFree(path));
    EXPECT_TRUE(reg.Forget(path)); // forgetting twice is harmless
}

TEST_F(DeviceLockRegisterTest, HeldAcrossProcessesAndFreedWhenTheHolderDies) {
    const std::string path = "/dev/hidraw7";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CDeviceLockRegister reg(m_dir);
        reg.Remember(path);
        char c = reg.IsHeldHere(path) ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        for (;;)
            ::pause(); // killed below, as a crash would end it
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(c, 'y');

    CDeviceLockRegister reg(m_dir);
    EXPECT_FALSE(reg.IsPathFree(path));
    reg.Remember(path);
    EXPECT_FALSE(reg.IsHeldHere(path));

    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(reg.IsPathFree(path));
    reg.Remember(path);
    EXPECT_TRUE(reg.IsHeldHere(path));
}

TEST_F(DeviceLockRegisterTest, UnusableDirectoryCountsEveryPathAsFree) {
    CDeviceLockRegister reg("/proc/r9-no-such-dir/usb");
    EXPECT_TRUE(reg.IsPathFree("/dev/hidraw0"));
    EXPECT_TRUE(reg.Remember("/dev/hidraw0"));
    EXPECT_FALSE(reg.IsHeldHere("/dev/hidraw0"));
}
