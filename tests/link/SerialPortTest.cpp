#include "link/FirmwareImage.h"
#include "link/KTVCommand.h"
#include "link/LinkMessages.h"
#include "link/SerialPort.h"
#include "model/Globals.h"
#include "model/RecordFrames.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "support/ResetLinkGlobals.h"
#include "support/TimeScale.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

// Receives the port's notices on the test thread.
class NoticeWindow : public CMessageTarget {
public:
    NoticeWindow() { RegisterTarget(); }
    ~NoticeWindow() override { UnregisterTarget(); }
    LRESULT WindowProc(UINT, WPARAM, LPARAM) override { return 0; }
    // The lParam of the first WM_LINK_FAILED that arrives within ms (scaled), or -1.
    LPARAM WaitLinkFailed(int ms) {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(r9test::Ms(ms));
        while (std::chrono::steady_clock::now() < until) {
            MSG msg;
            while (::PeekMessage(&msg, GetTargetHandle(), 0, 0, PM_REMOVE)) {
                if (msg.message == WM_LINK_FAILED)
                    return msg.lParam;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }
};

// A pseudo-terminal: the slave is the port, the master plays the device.
class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(m_master, 0);
        ASSERT_EQ(::grantpt(m_master), 0);
        ASSERT_EQ(::unlockpt(m_master), 0);
        m_slave = ::ptsname(m_master);
        r9test::ResetLinkGlobals();
        g_pSerialCommand = &m_command;
        g_nLinkState = LINK_COM;
        SerialTimings& t = m_port.Timings();
        t.normalWait = t.batchEndWait = t.firmwareWait = r9test::Ms(60);
        t.writePause = 1;
    }
    void TearDown() override {
        m_port.ClosePort();
        m_command.ClearQueue();
        g_pSerialCommand = nullptr;
        r9test::ResetLinkGlobals();
        ::close(m_master);
    }
    BOOL Open() {
        BOOL ok = m_port.OpenPort(0, m_slave.c_str(), 57600, 'N', 8, 1, SERIAL_DEFAULT_MASK, 512);
        m_port.SetNotifyWindow(m_window.GetTargetHandle());
        return ok;
    }
    // Frames the device side received within ms (scaled): bytes split at each FRAME_END of a full frame.
    std::vector<std::vector<BYTE>> ReadFrames(int ms, size_t want) {
        std::vector<std::vector<BYTE>> frames;
        std::vector<BYTE> buf;
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(r9test::Ms(ms));
        while (std::chrono::steady_clock::now() < until && frames.size() < want) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0)
                continue;
            BYTE tmp[256];
            ssize_t n = ::read(m_master, tmp, sizeof tmp);
            if (n <= 0)
                continue;
            buf.insert(buf.end(), tmp, tmp + n);
            while (buf.size() >= 16) {
                size_t len = LinkFrame::PayloadLength(buf.data()) + 16u;
                if (buf.size() < len)
                    break;
                frames.emplace_back(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(len));
                buf.erase(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(len));
            }
        }
        return frames;
    }
    void QueueRead() { m_command.AddPacket(BuildSystemReadFrame(CMD_SOURCE_SET, 0)); }

    int m_master = -1;
    std::string m_slave;
    CKTVCommand m_command;
    CSerialPort m_port;
    NoticeWindow m_window;
};

std::vector<BYTE> AckFrame() {
    std::vector<BYTE> f = {0x6B, 0x6B, 0x6B, 0xEE, FRAME_ACK, 1, 0, 9, 2, 0, 0, 0, 0, 0, 0, FRAME_END};
    f[14] = LinkFrame::Checksum(f.data(), 16);
    return f;
}

} // namespace

TEST_F(SerialPortTest, OpensConfiguredAndExclusiveNeverTheNullName) {
    EXPECT_FALSE(m_port.OpenPort(0, g_strNull, 57600, 'N', 8, 1, SERIAL_DEFAULT_MASK, 512));
    EXPECT_FALSE(m_port.IsOpen());
    ASSERT_TRUE(Open());
    EXPECT_TRUE(m_port.GetLastErrorText().empty()) << m_port.GetLastErrorText();
    DCB dcb = m_port.GetDCB();
    EXPECT_EQ(dcb.BaudRate, 57600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fRtsControl, RTS_CONTROL_ENABLE);
    EXPECT_EQ(m_port.GetCommEvents(), 9u);
    CSerialPort second;
    EXPECT_FALSE(second.OpenPort(0, m_slave.c_str(), 57600, 'N', 8, 1, SERIAL_DEFAULT_MASK, 512));
    // A bad setting is reported (not shown from this thread) and the open goes on.
    std::string reported;
    m_port.SetErrorReporter([&](const std::string& text) { reported = text; });
    ASSERT_TRUE(m_port.OpenPort(7, m_slave.c_str(), 12345, 'N', 8, 1, SERIAL_DEFAULT_MASK, 512));
    EXPECT_NE(reported.find("SetCommState()"), std::string::npos) << reported;
    EXPECT_NE(reported.find("Port: 7"), std::string::npos);
    EXPECT_LE(reported.size(), static_cast<size_t>(SERIAL_ERROR_TEXT_MAX));
}

TEST_F(SerialPortTest, WriteTextStaysInsideTheBuffer) {
    EXPECT_FALSE(m_port.WriteText("x")); // no port
    ASSERT_TRUE(m_port.OpenPort(0, m_slave.c_str(), 57600, 'N', 8, 1, SERIAL_DEFAULT_MASK, 8));
    std::string longText(100, 'A');
    EXPECT_TRUE(m_port.WriteText(longText.c_str()));
    EXPECT_TRUE(m_port.WriteText(nullptr));
}

TEST_F(SerialPortTest, AnswerCompletesTheExchange) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_port.StartComThread());
    QueueRead();
    std::vector<BYTE> sent(m_command.GetHeadPacket()->GetData(),
                           m_command.GetHeadPacket()->GetData() + m_command.GetHeadPacket()->GetSize());
    m_port.SendCurrentPacket();
    auto frames = ReadFrames(2000, 1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], sent);
    auto ack = AckFrame();
    ASSERT_EQ(::write(m_master, ack.data(), ack.size()), static_cast<ssize_t>(ack.size()));
    ASSERT_EQ(::WaitForSingleObject(g_hSerialReply, r9test::Ms(3000)), WAIT_OBJECT_0);
    EXPECT_EQ(m_command.GetQueueCount(), 0);
    EXPECT_EQ(g_bSerialPacketCurrent.load(), 0);
    EXPECT_EQ(m_window.WaitLinkFailed(50), -1);
}

TEST_F(SerialPortTest, SilentDeviceGetsOneResendThenThePortIsLost) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_port.StartComThread());
    QueueRead();
    m_port.SendCurrentPacket();
    // Time-outs: read, resend, read, then the port is declared lost.
    EXPECT_EQ(m_window.WaitLinkFailed(5000), 3);
    EXPECT_TRUE(m_port.IsPortLost());
    auto frames = ReadFrames(200, 3);
    EXPECT_EQ(frames.size(), 2u);
    // The thread ends as soon as it is told to quit.
    m_port.ClosePort();
    EXPECT_FALSE(m_port.IsRunning());
}

TEST_F(SerialPortTest, CorruptAnswerAsksForTheFrameAgain) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_port.StartComThread());
    QueueRead();
    m_port.SendCurrentPacket();
    ASSERT_EQ(ReadFrames(2000, 1).size(), 1u);
    auto bad = AckFrame();
    bad[14] ^= 1;
    ASSERT_EQ(::write(m_master, bad.data(), bad.size()), static_cast<ssize_t>(bad.size()));
    // The frame failed its check: the packet goes out again and stays queued.
    auto again = ReadFrames(2000, 1);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(m_command.GetQueueCount(), 1);
    auto ack = AckFrame();
    ASSERT_EQ(::write(m_master, ack.data(), ack.size()), static_cast<ssize_t>(ack.size()));
    ASSERT_EQ(::WaitForSingleObject(g_hSerialReply, r9test::Ms(3000)), WAIT_OBJECT_0);
    EXPECT_EQ(m_command.GetQueueCount(), 0);
}

TEST_F(SerialPortTest, ReopenEndsTheRunningThreadFirst) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_port.StartComThread());
    EXPECT_TRUE(m_port.IsRunning());
    ASSERT_TRUE(Open());
    EXPECT_FALSE(m_port.IsRunning());
    ASSERT_TRUE(m_port.StartComThread());
    EXPECT_TRUE(m_port.IsRunning());
}

TEST_F(SerialPortTest, CloseEndsThePauseAfterHexApplyAtOnce) {
    // An hour-long restart pause: the close can only return because the pause ends on quit.
    m_port.Timings().applyPause = 3600 * 1000;
    ASSERT_TRUE(Open());
    ASSERT_TRUE(m_port.StartComThread());
    auto apply = BuildSystemReadFrame(CMD_SOURCE_SET, 0);
    apply->SetStepCode(FW_STEP_APPLY);
    m_command.AddPacket(std::move(apply));
    m_port.SendCurrentPacket();
    ASSERT_EQ(ReadFrames(2000, 1).size(), 1u);
    // The written mark comes right after the write returned, then the pause starts.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_port.IsPacketWritten() && std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
    ASSERT_TRUE(m_port.IsPacketWritten());
    m_port.ClosePort();
    EXPECT_FALSE(m_port.IsRunning());
}
