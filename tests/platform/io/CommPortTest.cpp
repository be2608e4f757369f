#include "platform/io/CommPort.h"
#include "platform/io/SerialPortList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal stands in for the serial port: the slave is the port, the master the device.
class CommPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(m_master, 0);
        ASSERT_EQ(::grantpt(m_master), 0);
        ASSERT_EQ(::unlockpt(m_master), 0);
        m_slave = ::ptsname(m_master);
    }
    void TearDown() override { ::close(m_master); }
    int m_master = -1;
    std::string m_slave;
};

} // namespace

TEST(BuildCommDCB, SettingsText) {
    DCB dcb;
    dcb.fOutxCtsFlow = TRUE;
    ASSERT_TRUE(BuildCommDCBA("baud=57600 parity=N data=8 stop=1", &dcb));
    EXPECT_EQ(dcb.BaudRate, 57600u);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_FALSE(dcb.fOutxCtsFlow);
    ASSERT_TRUE(BuildCommDCBA("baud=9600 parity=e data=7 stop=2", &dcb));
    EXPECT_EQ(dcb.Parity, EVENPARITY);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    for (const char* bad : {"baud=fast", "parity=X", "data=9", "stop=3", "speed=1", "baud"})
        EXPECT_FALSE(BuildCommDCBA(bad, &dcb)) << bad;
}

TEST_F(CommPortTest, OpensExclusivelyAt57600RawAndRefusesNull) {
    CCommPort port;
    EXPECT_FALSE(port.Open("NULL"));
    EXPECT_FALSE(port.Open(""));
    ASSERT_TRUE(port.Open(m_slave));
    CCommPort second;
    EXPECT_FALSE(second.Open(m_slave));
    DCB dcb;
    ASSERT_TRUE(port.GetCommState(&dcb));
    EXPECT_EQ(dcb.BaudRate, 57600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    ASSERT_TRUE(BuildCommDCBA("baud=57600 parity=N data=8 stop=1", &dcb));
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    EXPECT_TRUE(port.SetCommState(dcb));
    dcb.BaudRate = 12345;
    EXPECT_FALSE(port.SetCommState(dcb));
    port.Close();
    EXPECT_TRUE(second.Open(m_slave));
}

TEST_F(CommPortTest, BytesWaitingTimedReadsAndPurge) {
    CCommPort port;
    ASSERT_TRUE(port.Open(m_slave));
    COMMTIMEOUTS t{1000, 1000, 1000, 1000, 1000};
    t.ReadTotalTimeoutConstant = 50;
    t.ReadTotalTimeoutMultiplier = 0;
    ASSERT_TRUE(port.SetCommTimeouts(t));
    ASSERT_TRUE(port.SetCommMask(EV_RXCHAR | EV_CTS));

    DWORD events = 99;
    EXPECT_TRUE(port.WaitCommEvent(&events, 20));
    EXPECT_EQ(events, 0u);

    const BYTE frame[] = {0x6B, 0x6B, 0x6B, 0xEE, 0x51};
    ASSERT_EQ(::write(m_master, frame, sizeof frame), static_cast<ssize_t>(sizeof frame));
    EXPECT_TRUE(port.WaitCommEvent(&events, 1000));
    EXPECT_EQ(events, EV_RXCHAR);
    COMSTAT stat;
    DWORD errors = 1;
    // The pty may pass the bytes over in more than one step.
    for (int i = 0; i < 100 && (port.ClearCommError(&errors, &stat), stat.cbInQue < sizeof frame); ++i)
        ::usleep(1000);
    EXPECT_EQ(stat.cbInQue, sizeof frame);
    EXPECT_EQ(errors, 0u);

    BYTE b = 0;
    DWORD got = 0;
    ASSERT_TRUE(port.ReadFile(&b, 1, &got));
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(b, 0x6B);
    EXPECT_TRUE(port.PurgeComm(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
    ASSERT_TRUE(port.ReadFile(&b, 1, &got));
    EXPECT_EQ(got, 0u); // nothing left after the purge: the read ran out of its time

    DWORD written = 0;
    ASSERT_TRUE(port.WriteFile(frame, sizeof frame, &written));
    EXPECT_EQ(written, sizeof frame);
    BYTE echo[8] = {};
    ssize_t n = 0;
    for (int i = 0; i < 100 && n < static_cast<ssize_t>(sizeof frame); ++i) {
        ssize_t r = ::read(m_master, echo + n, sizeof frame - static_cast<size_t>(n));
        if (r > 0)
            n += r;
    }
    EXPECT_EQ(n, static_cast<ssize_t>(sizeof frame));
    EXPECT_EQ(echo[4], 0x51);
}

TEST(SerialPortList, ReadsAFakeSysfsTree) {
    char tmpl[] = "/tmp/r9-sysfs-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    std::string root = tmpl;
    auto mk = [](const std::string& p) { (void)std::system(("mkdir -p '" + p + "'").c_str()); };
    auto put = [](const std::string& f, const std::string& text) { std::ofstream(f) << text << "\n"; };
    std::string usbDev = root + "/devices/pci0000:00/usb1/1-1";
    mk(usbDev + "/1-1:1.0/ttyUSB0");
    put(usbDev + "/idVendor", "1a86");
    put(usbDev + "/product", "USB Serial");
    mk(root + "/devices/platform/serial8250/tty/ttyS0");
    mk(root + "/devices/platform/serial8250/tty/ttyS1");
    mk(root + "/devices/pnp0/00:01/tty/ttyS4");
    mk(root + "/class/tty/ttyUSB0");
    mk(root + "/class/tty/ttyS0");
    mk(root + "/class/tty/ttyS1");
    mk(root + "/class/tty/ttyS4");
    mk(root + "/class/tty/tty1");
    ::symlink((usbDev + "/1-1:1.0").c_str(), (root + "/class/tty/ttyUSB0/device").c_str());
    ::symlink((root + "/devices/platform/serial8250").c_str(), (root + "/class/tty/ttyS0/device").c_str());
    ::symlink((root + "/devices/platform/serial8250").c_str(), (root + "/class/tty/ttyS1/device").c_str());
    ::symlink((root + "/devices/pnp0/00:01").c_str(), (root + "/class/tty/ttyS4/device").c_str());
    put(root + "/class/tty/ttyS0/type", "4");
    put(root + "/class/tty/ttyS1/type", "0"); // a slot without a UART
    put(root + "/class/tty/ttyS4/type", "4");

    auto list = ListSerialPorts(root);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].port, "ttyS0");
    EXPECT_FALSE(list[0].isUsb);
    EXPECT_EQ(list[0].friendly, "ttyS0");
    EXPECT_EQ(list[1].port, "ttyS4");
    EXPECT_EQ(list[2].port, "ttyUSB0");
    EXPECT_EQ(list[2].path, "/dev/ttyUSB0");
    EXPECT_TRUE(list[2].isUsb);
    EXPECT_EQ(list[2].description, "USB Serial");
    EXPECT_EQ(list[2].friendly, "USB Serial (ttyUSB0)");
    (void)std::system(("rm -rf '" + root + "'").c_str());

    EXPECT_TRUE(ListSerialPorts("/nonexistent-r9").empty());
}
