// The real worker thread and parser against the device emulator, over the HID double and over
// loopback TCP: reads that fill the image byte for byte, a change reaching the device as one
// chunk frame, locked output data, and the failure paths.
#include "LinkTestSupport.h"

#include "devsim/DeviceEmulator.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkMessages.h"
#include "link/LinkWorker.h"
#include "link/Net_Socket.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/LinkDocument.h"
#include "model/RecordFrames.h"
#include "platform/io/PingProbe.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

namespace {

enum class Transport { Hid, Tcp };

class EmulatorHost : public CLinkHost {
public:
    CHidDevice* GetUsbDevice() override { return m_hid.get(); }
    BOOL OpenUsbDevice() override { return FALSE; }
    CNetTransport* GetNetTransport() override { return m_net.get(); }
    BOOL IsLinkOpen() override { return TRUE; }

    std::unique_ptr<CHidDevice> m_hid;
    std::unique_ptr<CNet_Socket> m_net;
};

// A document whose scheduler hands out prepared frames, then the idle poll.
class ScriptedDocument : public CLinkDocument {
public:
    std::unique_ptr<CSendData> BuildNextChangeFrame() override {
        std::lock_guard lock(m_lock);
        if (m_next.empty())
            return CLinkDocument::BuildNextChangeFrame();
        auto f = std::move(m_next.front());
        m_next.erase(m_next.begin());
        return f;
    }
    void Push(std::unique_ptr<CSendData> f) {
        std::lock_guard lock(m_lock);
        m_next.push_back(std::move(f));
    }

private:
    std::mutex m_lock;
    std::vector<std::unique_ptr<CSendData>> m_next;
};

bool IsWrite(const DevsimRequest& r) {
    return r.frame.size() > 8 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE;
}

class LinkEndToEnd : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_bUsbEnabled = 1;
        g_bNetEnabled = 1;
        ASSERT_TRUE(m_dev.StartTcp(0));
        if (GetParam() == Transport::Hid) {
            m_host.m_hid = m_dev.ConnectHid();
            g_nLinkState = LINK_USB;
        } else {
            // The network link's own socket, to the emulator on loopback.
            g_strDevIP = "127.0.0.1";
            g_nNetPort = m_dev.GetTcpPort();
            SetPingProbe([](const char*, std::string*) { return TRUE; });
            m_host.m_net = std::make_unique<CNet_Socket>();
            m_host.m_net->m_bReachable = 1;
            ASSERT_TRUE(m_host.m_net->Connect());
            g_nLinkState = LINK_NET;
        }
        m_cmd.SetOwner(m_sink.Handle());
        LinkTimings& t = m_worker.Timings();
        t.usbReadWait = r9test::Ms(800);
        t.usbAnswer = r9test::Ms(500);
        t.netReceive = r9test::Ms(300);
        t.netAnswer = r9test::Ms(800);
        t.reconnectPause = 50;
        SetLinkDocument(&m_doc);
    }
    void TearDown() override {
        m_worker.Stop(TRUE);
        SetLinkDocument(nullptr);
        m_cmd.ClearQueue();
        m_sink.Pump();
        EXPECT_TRUE(m_dev.GetErrors().empty()) << m_dev.GetErrors().front();
        m_dev.Stop();
        if (m_host.m_net) {
            m_host.m_net.reset();
            SetPingProbe({});
        }
        r9test::ResetLinkGlobals();
    }
    void Start() { m_worker.Start(FALSE); }
    bool WaitFor(UINT message, int timeoutMs = 10000) {
        return m_sink.PumpUntil([&] { return m_sink.Count(message) > 0; }, timeoutMs);
    }
    void QueueRecordReads(int preset, int bank) {
        std::lock_guard lock(g_linkLock);
        for (int i = 0; i < NUM_INPUTS; ++i)
            m_cmd.AddPacket(BuildReadFrame(preset, GROUP_INPUT, i, bank == 0, FALSE));
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            m_cmd.AddPacket(BuildReadFrame(preset, GROUP_OUTPUT, j, bank == 0, FALSE));
    }

    CDeviceEmulator m_dev;
    MessageSink m_sink;
    CKTVCommand m_cmd;
    EmulatorHost m_host;
    ScriptedDocument m_doc;
    CLinkWorker m_worker{m_cmd, m_host};
};

TEST_P(LinkEndToEnd, LinkCheckThenVersion) {
    {
        std::lock_guard lock(g_linkLock);
        g_bLinkCheckPending = 1;
        m_cmd.AddPacket(BuildSystemReadFrame(CMD_LINK_CHECK, 0));
        m_cmd.AddPacket(BuildSystemReadFrame(CMD_VERSION, 0));
    }
    Start();
    ASSERT_TRUE(WaitFor(WM_VERSION_RECEIVED));
    EXPECT_EQ(g_bLinkCheckPending.load(), 0);
    std::lock_guard lock(g_linkLock);
    EXPECT_EQ(std::string(g_strDevVersion, 11), "MQVT-KV1.00");
}

TEST_P(LinkEndToEnd, RecordReadsFillTheImageByteForByte) {
    // Distinct content in every record, live and stored.
    m_dev.ModifyState([](DeviceState& s) {
        auto fill = [](PresetImage& img, int seed) {
            for (auto* rec : {reinterpret_cast<BYTE*>(img.inputs), reinterpret_cast<BYTE*>(img.outputs)}) {
                const size_t n =
                    rec == reinterpret_cast<BYTE*>(img.inputs) ? sizeof img.inputs : sizeof img.outputs;
                for (size_t k = 0; k < n; ++k)
                    rec[k] = static_cast<BYTE>(k * 31 + static_cast<size_t>(seed));
            }
        };
        fill(s.live, 1);
        fill(s.stored[2], 2);
    });
    QueueRecordReads(0, FRAME_BANK);
    QueueRecordReads(3, FRAME_BANK);
    Start();
    ASSERT_TRUE(WaitFor(WM_LIVE_DATA_RECEIVED));
    ASSERT_TRUE(m_sink.PumpUntil([&] {
        std::lock_guard lock(g_linkLock);
        const CSendData* head = m_cmd.GetHeadPacket();
        return !head || head->GetData()[LinkFrame::OFS_GROUP] == GROUP_SYSTEM;
    }));
    const DeviceState s = m_dev.GetState();
    std::lock_guard lock(g_linkLock);
    EXPECT_EQ(std::memcmp(g_curImage.inputs, s.live.inputs, sizeof s.live.inputs), 0);
    EXPECT_EQ(std::memcmp(g_curImage.outputs, s.live.outputs, sizeof s.live.outputs), 0);
    EXPECT_EQ(std::memcmp(g_storedPresets[2].inputs, s.stored[2].inputs, sizeof s.live.inputs), 0);
    EXPECT_EQ(std::memcmp(g_storedPresets[2].outputs, s.stored[2].outputs, sizeof s.live.outputs), 0);
    EXPECT_EQ(m_sink.Count(WM_LIVE_DATA_RECEIVED), 1);
}

TEST_P(LinkEndToEnd, OneChangeReachesTheDeviceAsOneChunkFrame) {
    Start();
    ASSERT_GE(m_dev.WaitForRequest([](const DevsimRequest&) { return true; }, r9test::Ms(5000)), 0);
    const size_t first = m_dev.GetRequestCount();
    size_t from = first;
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "plain");
        const int out = locked ? 5 : 2;
        {
            std::lock_guard lock(g_linkLock);
            g_bDataLocked = locked;
            BYTE* rec = reinterpret_cast<BYTE*>(&g_curImage.outputs[out]);
            for (int k = 0; k < 8; ++k)
                rec[40 + k] = static_cast<BYTE>(0xA0 + k);
            m_doc.Push(BuildChunkFrame(GROUP_OUTPUT, out, 5));
        }
        const long at = m_dev.WaitForRequest(IsWrite, r9test::Ms(5000), from);
        ASSERT_GE(at, 0);
        from = static_cast<size_t>(at) + 1;
        const DevsimRequest r = m_dev.GetRequests()[static_cast<size_t>(at)];
        ASSERT_EQ(r.frame.size(), 24u);
        EXPECT_EQ(r.frame[LinkFrame::OFS_GROUP], GROUP_OUTPUT);
        EXPECT_EQ(r.frame[LinkFrame::OFS_INDEX], out);
        EXPECT_EQ(r.frame[LinkFrame::OFS_CHUNK], 5);
        // The device stores what arrives: scrambled while the data are locked.
        ASSERT_TRUE(m_sink.PumpUntil([&] {
            const DeviceState now = m_dev.GetState();
            const BYTE* dev = reinterpret_cast<const BYTE*>(&now.live.outputs[out]);
            return dev[40] == static_cast<BYTE>(0xA0 ^ (locked ? LOCK_MASK : 0));
        }));
        const DeviceState s = m_dev.GetState();
        const BYTE* dev = reinterpret_cast<const BYTE*>(&s.live.outputs[out]);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(dev[40 + k], static_cast<BYTE>((0xA0 + k) ^ (locked ? LOCK_MASK : 0)));
    }
    // Exactly the two writes, everything else polls.
    int writes = 0;
    const auto log = m_dev.GetRequests();
    for (size_t i = first; i < log.size(); ++i)
        writes += IsWrite(log[i]);
    EXPECT_EQ(writes, 2);
}

TEST_P(LinkEndToEnd, EmptyAnswerStopsTheLink) {
    m_dev.InjectFault({DevsimFaultKind::EmptyPayload, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1, 0});
    Start();
    ASSERT_TRUE(WaitFor(WM_EMPTY_REPLY));
    EXPECT_EQ(g_bTransfersStopped.load(), 1);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_worker.IsEventSet(LINK_EVENT_TRANSFER); }));
    EXPECT_EQ(m_sink.Count(WM_LINK_FAILED), 0);
}

TEST_P(LinkEndToEnd, SilentDeviceFailsTheLink) {
    for (DevsimFaultKind kind : {DevsimFaultKind::NoAnswer, DevsimFaultKind::BadChecksum}) {
        m_dev.InjectFault({kind, FRAME_READ, GROUP_SYSTEM, CMD_VERSION, 1000, 0});
    }
    m_cmd.AddPacket(BuildSystemReadFrame(CMD_VERSION, 0));
    Start();
    ASSERT_TRUE(WaitFor(WM_LINK_FAILED));
    m_worker.Stop(TRUE);
    EXPECT_EQ(m_sink.Last(WM_LINK_FAILED)->lParam, 0);
    EXPECT_EQ(m_sink.Count(WM_VERSION_RECEIVED), 0);
    if (GetParam() == Transport::Tcp) {
        // Sent twice, with a reconnect between.
        int versions = 0;
        for (const auto& r : m_dev.GetRequests())
            versions += r.frame[LinkFrame::OFS_INDEX] == CMD_VERSION;
        EXPECT_EQ(versions, 2);
        EXPECT_EQ(g_bNetEnabled.load(), 0);
    }
    m_dev.ClearFaults();
}

TEST_P(LinkEndToEnd, OneLostAnswerIsRecoveredOverTcpOnly) {
    m_dev.InjectFault({DevsimFaultKind::CutConnection, FRAME_READ, GROUP_SYSTEM, CMD_VERSION, 1, 0});
    m_cmd.AddPacket(BuildSystemReadFrame(CMD_VERSION, 0));
    Start();
    if (GetParam() == Transport::Tcp) {
        ASSERT_TRUE(WaitFor(WM_VERSION_RECEIVED));
        EXPECT_EQ(m_sink.Count(WM_LINK_FAILED), 0);
        EXPECT_GE(m_dev.GetConnectionCount(), 2);
    } else {
        // The device went away: nothing more can be read.
        ASSERT_TRUE(WaitFor(WM_LINK_FAILED));
        EXPECT_EQ(m_sink.Count(WM_VERSION_RECEIVED), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, LinkEndToEnd, ::testing::Values(Transport::Hid, Transport::Tcp),
                         [](const auto& p) { return p.param == Transport::Hid ? "Hid" : "Tcp"; });

} // namespace
