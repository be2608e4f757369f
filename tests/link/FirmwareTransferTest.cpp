// Firmware updates run by the real link worker over TCP against the device emulator.
#include "devsim/DeviceEmulator.h"

#include "link/ClientSocket.h"
#include "link/FirmwareTransfer.h"
#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkMessages.h"
#include "link/LinkWorker.h"
#include "link/Net_Socket.h"
#include "model/Globals.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/io/PingProbe.h"
#include "support/PumpMessages.h"
#include "support/ResetLinkGlobals.h"
#include "support/TimeScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Window : CMessageTarget {
    Window() { RegisterTarget(); }
    ~Window() override { UnregisterTarget(); }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM lParam) override {
        if (message == WM_FIRMWARE_DONE)
            done.push_back(lParam);
        if (message == WM_LINK_FAILED)
            ++failed;
        return 0;
    }
    template <class Pred> bool PumpUntil(Pred pred) { return r9test::PumpUntil(pred, 30000); }
    std::vector<LPARAM> done;
    int failed = 0;
};

struct Host : CLinkHost {
    CNetTransport* net = nullptr;
    CFirmwareTransfer* fw = nullptr;
    CHidDevice* GetUsbDevice() override { return nullptr; }
    BOOL OpenUsbDevice() override { return FALSE; }
    CNetTransport* GetNetTransport() override { return net; }
    BOOL IsLinkOpen() override { return TRUE; }
    void NetFirmwareCycle(CLinkWorker& worker) override { fw->NetCycle(worker); }
};

// Keeps every report the firmware writers hand the client socket (link worker thread).
class ReportLog : public CClientSocket {
public:
    void OnReportSent(const BYTE* data, int length) override {
        std::lock_guard lock(m_lock);
        m_reports.emplace_back(data, data + length);
    }
    std::vector<std::vector<BYTE>> Reports() {
        std::lock_guard lock(m_lock);
        return m_reports;
    }

private:
    std::mutex m_lock;
    std::vector<std::vector<BYTE>> m_reports;
};

// The reports as the device saw them: handshakes counted, frames by their step code, each report
// checked for its size and its zero report id.
DevsimFirmware ReportsAsSeen(const std::vector<std::vector<BYTE>>& reports) {
    BYTE handshake[HID_REPORT_SIZE];
    CFirmwareTransfer::FillHandshake(handshake);
    DevsimFirmware seen;
    for (const std::vector<BYTE>& r : reports) {
        EXPECT_EQ(r.size(), static_cast<size_t>(HID_REPORT_SIZE));
        if (r.size() != HID_REPORT_SIZE)
            continue;
        EXPECT_EQ(r[0], 0);
        if (std::equal(r.begin(), r.end(), handshake))
            ++seen.handshakes;
        else
            seen.steps.push_back(r[1 + LinkFrame::OFS_INDEX]);
    }
    return seen;
}

// A divisor of the per-step receive time-outs that leaves them at least as long as the time scale asks.
int Divisor(int n) {
    return std::max(1, static_cast<int>(n / r9test::TimeScale()));
}

std::vector<BYTE> DspFile(size_t n) {
    std::vector<BYTE> f = {'W', 'D', 'S', 'P'};
    for (size_t i = 0; i < n; ++i)
        f.push_back(static_cast<BYTE>(i * 31 + 7));
    return f;
}

class FirmwareOverTcp : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        ASSERT_TRUE(m_emu.StartTcp());
        g_strDevIP = "127.0.0.1";
        g_nNetPort = m_emu.GetTcpPort();
        SetPingProbe([](const char*, std::string* out) {
            if (out)
                *out = "ttl=64";
            return TRUE;
        });
        m_net.m_bReachable = 1;
        m_host.net = &m_net;
        m_host.fw = &m_fw;
        m_fw.SetClientSocket(&m_reports);
        m_fw.SetHooks({{}, {}, [this] { return static_cast<BOOL>(m_net.m_bReachable.load()); }});
        m_fw.Timings().netHandshake = r9test::Ms(200);
        m_fw.Timings().netReconnectPause = 50;
        m_fw.Timings().netSendFailPause = 50;
        m_worker.Timings().reconnectPause = 50;
        m_command.SetOwner(m_window.GetTargetHandle());
        g_nLinkState = LINK_NET;
        g_bNetEnabled = 1;
        g_bFirmwareMode = 1;
    }
    void TearDown() override {
        m_worker.Stop(TRUE);
        m_net.Close();
        m_command.ClearQueue();
        SetPingProbe({});
        r9test::ResetLinkGlobals();
        EXPECT_TRUE(m_emu.GetErrors().empty()) << m_emu.GetErrors().front();
    }
    void Start(const std::vector<BYTE>& file) {
        ASSERT_EQ(m_image.LoadBytes(file), CFirmwareImage::LoadResult::Ok);
        g_nUpdateBarMax = g_nUpdateRange.load();
        ASSERT_TRUE(m_net.Connect());
        ASSERT_TRUE(m_worker.Start(TRUE));
    }
    // The last frame goes unanswered: the update is done once it went out, which may be before the
    // emulator read it.
    DevsimFirmware FirmwareAfterEnd() {
        EXPECT_GE(m_emu.WaitForRequest(
                      [](const DevsimRequest& r) { return r.frame.size() > 8 && r.frame[8] == FW_HEX_END; },
                      r9test::Ms(10000)),
                  0);
        return m_emu.GetFirmware();
    }

    CDeviceEmulator m_emu;
    Window m_window;
    CNet_Socket m_net;
    CFirmwareImage m_image;
    CFirmwareTransfer m_fw{m_image};
    ReportLog m_reports;
    Host m_host;
    CKTVCommand m_command;
    CLinkWorker m_worker{m_command, m_host};
};

} // namespace

TEST_F(FirmwareOverTcp, DspUpdateArrivesWholeWithItsCheckByte) {
    std::vector<BYTE> file = DspFile(1000);
    Start(file);
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    ASSERT_EQ(m_window.done.size(), 1u);
    EXPECT_EQ(m_window.done[0], FW_STEP_END);
    EXPECT_EQ(m_window.failed, 0);
    EXPECT_TRUE(g_bFirmwareFinished.load());
    EXPECT_EQ(g_nUpdateBarPos.load(), g_nUpdateBarMax.load());

    DevsimFirmware fw = FirmwareAfterEnd();
    EXPECT_GT(fw.handshakes, 0);
    ASSERT_TRUE(fw.ended);
    EXPECT_EQ(fw.steps.front(), FW_HEX_APPLY);
    // The emulator's image without the 0xFF padding of the last frame equals the file's image.
    std::vector<BYTE> image(file.begin() + 4, file.end());
    ASSERT_GE(fw.dsp.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), fw.dsp.begin()));
    for (size_t i = image.size(); i < fw.dsp.size(); ++i)
        EXPECT_EQ(fw.dsp[i], 0xFF);
    BYTE sum = 0x12;
    for (size_t i = 4; i < image.size(); ++i)
        sum ^= image[i];
    EXPECT_EQ(fw.endChecksum, sum);
    EXPECT_EQ(m_image.GetDspChecksum(), sum);
}

TEST_F(FirmwareOverTcp, EveryReportSentIsHandedToTheClientSocket) {
    Start(DspFile(300));
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    DevsimFirmware fw = FirmwareAfterEnd();
    m_worker.Stop(TRUE);
    DevsimFirmware seen = ReportsAsSeen(m_reports.Reports());
    EXPECT_EQ(seen.handshakes, fw.handshakes);
    EXPECT_EQ(seen.steps, fw.steps);
}

TEST_F(FirmwareOverTcp, McuAndDspUpdateReassembles) {
    std::vector<BYTE> file(CFirmwareImage::MCU_FILE_SIZE, 0);
    file[0] = 'W', file[1] = 'M', file[2] = 'C', file[3] = 'U';
    for (size_t i = 4; i < 4 + CFirmwareImage::MCU_IMAGE_SIZE; ++i)
        file[i] = static_cast<BYTE>(i ^ (i >> 8));
    for (BYTE b : {'W', 'D', 'S', 'P'})
        file.push_back(b);
    for (int i = 0; i < 200; ++i)
        file.push_back(static_cast<BYTE>(i));
    Start(file);
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    ASSERT_EQ(m_window.done.size(), 1u);
    DevsimFirmware fw = FirmwareAfterEnd();
    ASSERT_TRUE(fw.ended);
    std::vector<BYTE> mcu = fw.McuImage();
    ASSERT_GE(mcu.size(), CFirmwareImage::MCU_IMAGE_SIZE);
    EXPECT_TRUE(std::equal(file.begin() + 4, file.begin() + 4 + CFirmwareImage::MCU_IMAGE_SIZE, mcu.begin()));
    std::vector<BYTE> dsp(file.begin() + CFirmwareImage::MCU_FILE_SIZE + 4, file.end());
    EXPECT_TRUE(std::equal(dsp.begin(), dsp.end(), fw.dsp.begin()));
    EXPECT_EQ(std::count(fw.steps.begin(), fw.steps.end(), FW_HEX_APPLY), 1);
}

TEST_F(FirmwareOverTcp, LostAnswerIsSentAgainOnANewConnection) {
    m_fw.Timings().netTimeoutScale = Divisor(4); // HEXData waits 500 ms (scaled)
    m_emu.InjectFault({DevsimFaultKind::NoAnswer, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_DATA, 1, 0});
    std::vector<BYTE> file = DspFile(300);
    Start(file);
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    ASSERT_EQ(m_window.done.size(), 1u);
    EXPECT_EQ(m_window.failed, 0);
    EXPECT_GE(m_emu.GetConnectionCount(), 2);
    DevsimFirmware fw = m_emu.GetFirmware();
    EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), fw.dsp.begin()));
}

TEST_F(FirmwareOverTcp, UnansweredStepFailsAfterTwoAttempts) {
    m_fw.Timings().netTimeoutScale = Divisor(20); // HEXApply waits 500 ms (scaled)
    m_emu.InjectFault({DevsimFaultKind::NoAnswer, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_APPLY, 10, 0});
    Start(DspFile(100));
    ASSERT_TRUE(m_window.PumpUntil([&] { return m_window.failed > 0; }));
    EXPECT_TRUE(m_window.done.empty());
    EXPECT_FALSE(g_bFirmwareFinished.load());
    // The failure may be posted before the emulator has read the second attempt: wait for it.
    auto isApply = [](const DevsimRequest& r) { return r.frame.size() > 8 && r.frame[8] == FW_HEX_APPLY; };
    long first = m_emu.WaitForRequest(isApply, r9test::Ms(10000));
    ASSERT_GE(first, 0);
    ASSERT_GE(m_emu.WaitForRequest(isApply, r9test::Ms(10000), static_cast<size_t>(first) + 1), 0);
    m_worker.Stop(TRUE);
    DevsimFirmware fw = m_emu.GetFirmware();
    EXPECT_EQ(std::count(fw.steps.begin(), fw.steps.end(), FW_HEX_APPLY), 2);
}

// The real socket as the update's reads use it: the time-outs it is given and its receives.
class WatchedSocket : public CNetTransport {
public:
    explicit WatchedSocket(CNet_Socket& net) : m_net(net) {}
    BOOL Connect() override { return m_net.Connect(); }
    BOOL Close() override { return m_net.Close(); }
    BOOL Send(const BYTE* data, int length, int flags) override { return m_net.Send(data, length, flags); }
    int Receive(int* count) override {
        ++fullReceives;
        return m_net.Receive(count);
    }
    int ReceiveShort(int* count) override {
        const int r = m_net.ReceiveShort(count);
        ++shortReceives;
        largestShort = std::max(largestShort.load(), *count);
        return r;
    }
    BOOL SetReceiveTimeout(int ms) override {
        std::lock_guard lock(m_lock);
        m_timeouts.push_back(ms);
        return m_net.SetReceiveTimeout(ms);
    }
    BOOL HasLocalAdapter() override { return m_net.HasLocalAdapter(); }
    int WaitReadable(DWORD timeoutMs) override { return m_net.WaitReadable(timeoutMs); }
    BOOL IsReachable() override { return m_net.IsReachable(); }
    std::vector<int> Timeouts() {
        std::lock_guard lock(m_lock);
        return m_timeouts;
    }

    std::atomic<int> fullReceives{0};
    std::atomic<int> shortReceives{0};
    std::atomic<int> largestShort{-1};

private:
    CNet_Socket& m_net;
    std::mutex m_lock;
    std::vector<int> m_timeouts;
};

TEST_F(FirmwareOverTcp, EachAnswerIsReadWithItsStepsTimeOutSixteenBytesAtATime) {
    WatchedSocket watched(m_net);
    m_host.net = &watched;
    std::vector<BYTE> file = DspFile(300);
    Start(file);
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    EXPECT_EQ(m_window.failed, 0);
    DevsimFirmware fw = FirmwareAfterEnd();
    m_worker.Stop(TRUE);
    EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), fw.dsp.begin()));
    // Apply, start, then one data time-out per data frame; the last frame is not waited for.
    const std::vector<int> timeouts = watched.Timeouts();
    ASSERT_GE(timeouts.size(), 3u);
    EXPECT_EQ(timeouts[0], 10000);
    EXPECT_EQ(timeouts[1], 8000);
    for (size_t i = 2; i < timeouts.size(); ++i)
        EXPECT_EQ(timeouts[i], 2000) << i;
    EXPECT_EQ(std::count(fw.steps.begin(), fw.steps.end(), FW_HEX_DATA),
              static_cast<long>(timeouts.size() - 2));
    EXPECT_EQ(watched.fullReceives.load(), 0) << "the update never takes a whole buffer";
    EXPECT_GT(watched.shortReceives.load(), 0);
    EXPECT_GE(watched.largestShort.load(), 1);
    EXPECT_LE(watched.largestShort.load(), 16);
}

TEST_F(FirmwareOverTcp, DeviceThatRefusesConnectionsFailsInsteadOfLooping) {
    m_fw.Timings().netTimeoutScale = Divisor(100);
    m_emu.InjectFault({DevsimFaultKind::CutConnection, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_APPLY, 1, 0});
    Start(DspFile(100));
    // After the cut, the device stops listening: every send and connect fails from now on.
    ASSERT_TRUE(m_emu.WaitForRequest(
                    [](const DevsimRequest& r) { return r.frame.size() > 8 && r.frame[8] == FW_HEX_APPLY; },
                    10000) >= 0);
    m_emu.Stop();
    ASSERT_TRUE(m_window.PumpUntil([&] { return m_window.failed > 0; }));
    EXPECT_TRUE(m_window.done.empty());
    m_worker.Stop(TRUE);
    EXPECT_FALSE(m_worker.Exists());
}

TEST_F(FirmwareOverTcp, StoppingDuringALongWaitEndsAtOnce) {
    // HEXApply waits 10 s for its answer; the worker must leave without waiting it out.
    m_emu.InjectFault({DevsimFaultKind::NoAnswer, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_APPLY, 10, 0});
    Start(DspFile(100));
    ASSERT_GE(m_emu.WaitForRequest(
                  [](const DevsimRequest& r) { return r.frame.size() > 8 && r.frame[8] == FW_HEX_APPLY; },
                  r9test::Ms(10000)),
              0);
    int connections = m_emu.GetConnectionCount();
    m_worker.Stop(TRUE);
    EXPECT_FALSE(m_worker.Exists());
    // Had the worker waited out the receive time-out, it would have connected again.
    EXPECT_EQ(m_emu.GetConnectionCount(), connections);
    EXPECT_EQ(m_window.failed, 0);
}

namespace {

struct UsbHost : CLinkHost {
    std::unique_ptr<CHidDevice> device;
    CFirmwareTransfer* fw = nullptr;
    CHidDevice* GetUsbDevice() override { return device.get(); }
    BOOL OpenUsbDevice() override { return device != nullptr; }
    CNetTransport* GetNetTransport() override { return nullptr; }
    BOOL IsLinkOpen() override { return TRUE; }
    void UsbFirmwareCycle(CLinkWorker& worker) override { fw->UsbCycle(worker); }
};

class FirmwareOverUsb : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        m_host.device = m_emu.ConnectHid();
        ASSERT_TRUE(m_host.device);
        m_host.fw = &m_fw;
        m_fw.SetClientSocket(&m_reports);
        m_fw.SetHooks({[this] { ++m_forgotten; },
                       [this] {
                           // The device comes back after its restart (worker thread).
                           m_host.device = m_emu.ConnectHid();
                           g_bUsbEnabled = 1;
                           return static_cast<BOOL>(m_host.device != nullptr);
                       },
                       {}});
        m_fw.Timings().usbHandshake = r9test::Ms(100);
        m_fw.Timings().applyRestart = 20;
        m_fw.Timings().usbWaitSlice = r9test::Ms(200);
        m_command.SetOwner(m_window.GetTargetHandle());
        m_command.SetUsbOpen(TRUE);
        g_nLinkState = LINK_USB;
        g_bUsbEnabled = 1;
        g_bFirmwareMode = 1;
    }
    void TearDown() override {
        m_worker.Stop(TRUE);
        m_command.ClearQueue();
        r9test::ResetLinkGlobals();
        EXPECT_TRUE(m_emu.GetErrors().empty()) << m_emu.GetErrors().front();
    }
    void Start(const std::vector<BYTE>& file) {
        ASSERT_EQ(m_image.LoadBytes(file), CFirmwareImage::LoadResult::Ok);
        g_nUpdateBarMax = g_nUpdateRange.load();
        ASSERT_TRUE(m_worker.Start(TRUE));
    }

    CDeviceEmulator m_emu;
    Window m_window;
    CFirmwareImage m_image;
    CFirmwareTransfer m_fw{m_image};
    ReportLog m_reports;
    UsbHost m_host;
    CKTVCommand m_command;
    CLinkWorker m_worker{m_command, m_host};
    std::atomic<int> m_forgotten{0};
};

} // namespace

TEST_F(FirmwareOverUsb, DspUpdateEndsWithTheAnsweredLastFrame) {
    std::vector<BYTE> file = DspFile(500);
    Start(file);
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    ASSERT_EQ(m_window.done.size(), 1u);
    EXPECT_EQ(m_window.failed, 0);
    EXPECT_EQ(m_forgotten.load(), 1); // after HEXApply the device restarts under a new path
    DevsimFirmware fw = m_emu.GetFirmware();
    ASSERT_TRUE(fw.ended);
    EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), fw.dsp.begin()));
    EXPECT_EQ(fw.endChecksum, m_image.GetDspChecksum());
    EXPECT_GT(fw.handshakes, 0);
}

TEST_F(FirmwareOverUsb, EveryReportWrittenIsHandedToTheClientSocket) {
    Start(DspFile(200));
    ASSERT_TRUE(m_window.PumpUntil([&] { return !m_window.done.empty() || m_window.failed; }));
    m_worker.Stop(TRUE);
    DevsimFirmware fw = m_emu.GetFirmware();
    DevsimFirmware seen = ReportsAsSeen(m_reports.Reports());
    EXPECT_GT(seen.handshakes, 0);
    EXPECT_EQ(seen.handshakes, fw.handshakes);
    EXPECT_EQ(seen.steps, fw.steps);
}

TEST_F(FirmwareOverUsb, RefusedLastFrameIsNoSuccess) {
    m_emu.InjectFault({DevsimFaultKind::Resend, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_END, 10, 0});
    Start(DspFile(100));
    ASSERT_TRUE(m_window.PumpUntil([&] { return m_window.failed > 0 || !m_window.done.empty(); }));
    EXPECT_TRUE(m_window.done.empty());
    EXPECT_GT(m_window.failed, 0);
    EXPECT_FALSE(g_bFirmwareFinished.load());
    EXPECT_NE(g_nUpdateBarPos.load(), g_nUpdateBarMax.load());
}

TEST_F(FirmwareOverUsb, SilentStepFailsAfterItsWaits) {
    m_emu.InjectFault({DevsimFaultKind::NoAnswer, FRAME_WRITE, GROUP_SYSTEM, FW_HEX_START, 10, 0});
    Start(DspFile(100));
    ASSERT_TRUE(m_window.PumpUntil([&] { return m_window.failed > 0; }));
    EXPECT_TRUE(m_window.done.empty());
    // The worker suspended itself; stopping it still returns.
    m_worker.Stop(TRUE);
    EXPECT_FALSE(m_worker.Exists());
}
