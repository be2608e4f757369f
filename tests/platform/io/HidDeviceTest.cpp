#include "platform/io/HidBackend.h"
#include "platform/io/HidMonitor.h"
#include "platform/io/HidrawDevice.h"
#include "platform/io/SocketHidDevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

class SocketHidTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CSocketHidDevice::CreatePair(&m_program, &m_device)); }
    void TearDown() override {
        if (m_device >= 0)
            ::close(m_device);
    }
    std::unique_ptr<CSocketHidDevice> m_program;
    int m_device = -1;
};

} // namespace

TEST_F(SocketHidTest, ReportsKeepTheIdByteOnTheProgramSideOnly) {
    BYTE out[HID_REPORT_SIZE] = {};
    for (int i = 1; i < HID_REPORT_SIZE; ++i)
        out[i] = static_cast<BYTE>(i);
    ASSERT_EQ(m_program->WriteReport(out, 100), HID_IO_OK);
    BYTE dev[HID_REPORT_DATA];
    ASSERT_EQ(CSocketHidDevice::DeviceReadReport(m_device, dev, 100), HID_IO_OK);
    EXPECT_EQ(std::memcmp(dev, out + 1, HID_REPORT_DATA), 0);

    BYTE answer[HID_REPORT_DATA] = {0x6B, 0x6B, 0x6B, 0xEE, 0x51};
    ASSERT_EQ(CSocketHidDevice::DeviceWriteReport(m_device, answer, 100), HID_IO_OK);
    BYTE in[HID_REPORT_SIZE];
    std::memset(in, 0xCC, sizeof in);
    ASSERT_EQ(m_program->ReadReport(in, 100), HID_IO_OK);
    EXPECT_EQ(in[0], 0);
    EXPECT_EQ(std::memcmp(in + 1, answer, HID_REPORT_DATA), 0);
}

TEST_F(SocketHidTest, SilenceTimesOutAndAnUnpluggedDeviceFails) {
    BYTE in[HID_REPORT_SIZE];
    EXPECT_EQ(m_program->ReadReport(in, 20), HID_IO_TIMEOUT);
    ::close(m_device);
    m_device = -1;
    EXPECT_EQ(m_program->ReadReport(in, 100), HID_IO_ERROR);
    BYTE out[HID_REPORT_SIZE] = {};
    EXPECT_EQ(m_program->WriteReport(out, 100), HID_IO_ERROR);
}

TEST_F(SocketHidTest, PurgeDropsWaitingReportsAndCloseStopsIo) {
    BYTE answer[HID_REPORT_DATA] = {1};
    CSocketHidDevice::DeviceWriteReport(m_device, answer, 100);
    CSocketHidDevice::DeviceWriteReport(m_device, answer, 100);
    m_program->Purge();
    BYTE in[HID_REPORT_SIZE];
    EXPECT_EQ(m_program->ReadReport(in, 20), HID_IO_TIMEOUT);
    m_program->Close();
    EXPECT_FALSE(m_program->IsOpen());
    EXPECT_EQ(m_program->ReadReport(in, 20), HID_IO_ERROR);
}

TEST(HidrawDevice, OpenIsExclusive) {
    char path[] = "/tmp/r9-hidraw-XXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    auto first = CHidrawDevice::Open(path);
    ASSERT_TRUE(first);
    errno = 0;
    auto second = CHidrawDevice::Open(path);
    EXPECT_FALSE(second);
    EXPECT_EQ(errno, EWOULDBLOCK);
    first->Close();
    auto third = CHidrawDevice::Open(path);
    EXPECT_TRUE(third);
    third.reset();
    ::unlink(path);
    EXPECT_FALSE(CHidrawDevice::Open("/dev/hidraw-r9-missing"));
}

namespace {

class FakeBackend : public CHidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override {
        return {{"/dev/hidraw0", {sizeof(HIDD_ATTRIBUTES), 0x046D, 0xC077, 0x0100}},
                {"/dev/hidraw1", {sizeof(HIDD_ATTRIBUTES), 0x0483, 0x5750, 0x0200}},
                {"/dev/hidraw2", {sizeof(HIDD_ATTRIBUTES), 0x0483, 0x5750, 0x0300}}};
    }
    std::unique_ptr<CHidDevice> Open(const std::string&) override { return nullptr; }
};

} // namespace

TEST(HidBackend, EnumerationFiltersByVendorAndProduct) {
    FakeBackend fake;
    CHidBackend::Install(&fake);
    auto list = HidEnumerate(0x0483, 0x5750);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].path, "/dev/hidraw1");
    EXPECT_EQ(list[1].attributes.VersionNumber, 0x0300);
    HIDD_ATTRIBUTES attr;
    EXPECT_TRUE(HidD_GetAttributes("/dev/hidraw0", &attr));
    EXPECT_EQ(attr.VendorID, 0x046D);
    EXPECT_FALSE(HidD_GetAttributes("/dev/hidraw9", &attr));
    CHidBackend::Install(nullptr);
    EXPECT_EQ(&CHidBackend::Current(), &CHidBackend::Current());
    EXPECT_NE(&CHidBackend::Current(), static_cast<CHidBackend*>(&fake));
    // The system backend copes with a machine without the device.
    for (const auto& info : HidEnumerate(0x0483, 0x5750))
        EXPECT_FALSE(info.path.empty());
}

TEST(HidMonitor, RecordCarriesThePath) {
    DEV_BROADCAST_DEVICEINTERFACE rec;
    CHidMonitor::FillRecord("/dev/hidraw5", &rec);
    EXPECT_EQ(rec.dbcc_devicetype, DBT_DEVTYP_DEVICEINTERFACE);
    EXPECT_STREQ(rec.dbcc_name, "/dev/hidraw5");
    CHidMonitor::FillRecord(std::string(1000, 'a'), &rec);
    EXPECT_EQ(std::strlen(rec.dbcc_name), sizeof rec.dbcc_name - 1);

    CHidMonitor monitor;
    EXPECT_EQ(monitor.GetFd(), -1);
    UINT ev = 0;
    std::string path;
    EXPECT_FALSE(monitor.Poll(&ev, &path));
    if (monitor.Open()) {
        EXPECT_GE(monitor.GetFd(), 0);
        monitor.Close();
        EXPECT_EQ(monitor.GetFd(), -1);
    }
}
