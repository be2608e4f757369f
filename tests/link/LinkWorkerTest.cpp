// The link worker against scripted transports: its events, the USB and network transactions with
// their time limits and retries, and that stopping it never waits for a transport.
#include "LinkFakes.h"
#include "LinkTestSupport.h"

#include "link/KTVCommand.h"
#include "model/LinkDocument.h"
#include "link/LinkMessages.h"
#include "link/LinkWorker.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/RecordFrames.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace {

constexpr int kHour = 3600 * 1000;

bool IsRequest(const std::vector<BYTE>& f, int group, int index) {
    return f.size() > 8 && f[LinkFrame::OFS_GROUP] == group && f[LinkFrame::OFS_INDEX] == index;
}

// A device that acknowledges writes and answers the poll with a 30-byte state.
FakeReply PlainDevice(const std::vector<BYTE>& f) {
    if (f[LinkFrame::OFS_TYPE] == FRAME_READ)
        return {SysData(f[LinkFrame::OFS_INDEX], std::vector<BYTE>(30, 0), f[LinkFrame::OFS_PRESET])};
    return {Ack()};
}

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_bUsbEnabled = 1;
        g_bNetEnabled = 1;
        m_cmd.SetOwner(m_sink.Handle());
        LinkTimings& t = m_worker.Timings();
        t.eventWait = 100;
        t.usbReadWait = r9test::Ms(1000);
        t.usbAnswer = r9test::Ms(300);
        t.netReceive = r9test::Ms(150);
        t.netAnswer = r9test::Ms(600);
        t.reconnectPause = 10;
    }
    void TearDown() override {
        m_worker.Stop(TRUE);
        m_cmd.ClearQueue();
        m_sink.Pump();
        r9test::ResetLinkGlobals();
    }
    void UseHid(FakeDevice device) {
        m_hid = std::make_unique<FakeHid>(std::move(device));
        m_host.m_hid = m_hid.get();
        g_nLinkState = LINK_USB;
    }
    void UseNet(FakeDevice device) {
        m_net = std::make_unique<FakeNet>(std::move(device));
        m_host.m_net = m_net.get();
        g_nLinkState = LINK_NET;
    }
    void Queue(std::unique_ptr<CSendData> p) { m_cmd.AddPacket(std::move(p)); }
    int Failures(LPARAM lParam = -1) {
        m_sink.Pump();
        int n = 0;
        for (const LinkMsg& m : m_sink.m_log)
            n += m.message == WM_LINK_FAILED && (lParam < 0 || m.lParam == lParam);
        return n;
    }

    MessageSink m_sink;
    CKTVCommand m_cmd;
    FakeHost m_host;
    CLinkWorker m_worker{m_cmd, m_host};
    std::unique_ptr<FakeHid> m_hid;
    std::unique_ptr<FakeNet> m_net;
};

// ---- Events ------------------------------------------------------------------------------------

TEST_F(WorkerTest, QuitOutranksTransfer) {
    UseHid(PlainDevice);
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    ASSERT_TRUE(m_worker.Create());
    m_worker.SetEvent(LINK_EVENT_TRANSFER);
    m_worker.SetEvent(LINK_EVENT_QUIT);
    m_worker.Resume();
    m_worker.Stop(TRUE);
    EXPECT_TRUE(m_hid->Reports().empty());
    EXPECT_FALSE(m_worker.IsRunning());
    EXPECT_FALSE(m_worker.IsEventSet(LINK_EVENT_TRANSFER));
}

TEST_F(WorkerTest, SuspendedWorkerIsResumedAndLeavesOnStop) {
    ASSERT_TRUE(m_worker.Create());
    m_worker.SetEvent(LINK_EVENT_SUSPEND);
    m_worker.Resume();
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_worker.IsNotSuspended() && m_worker.IsRunning(); }));
    m_worker.Stop(TRUE);
    EXPECT_FALSE(m_worker.Exists());
    EXPECT_TRUE(m_worker.IsNotSuspended());
}

TEST_F(WorkerTest, EmptyAnswerStopsCyclingWithoutSpinning) {
    UseHid([](const std::vector<BYTE>& f) { return FakeReply{SysData(f[LinkFrame::OFS_INDEX], {})}; });
    m_worker.Start(FALSE);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_sink.Count(WM_EMPTY_REPLY) > 0; }));
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_worker.IsEventSet(LINK_EVENT_TRANSFER); }));
    const size_t written = m_hid->Reports().size();
    // A whole event wait passes with nothing to do: the worker idles instead of cycling.
    const int idle = m_worker.GetIdlePasses();
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_worker.GetIdlePasses() > idle; }));
    EXPECT_EQ(m_hid->Reports().size(), written);
    EXPECT_EQ(g_bTransfersStopped.load(), 1);
    EXPECT_TRUE(m_worker.IsRunning());
}

// A stopped worker's failure must not reach a link opened after it: its notices still waiting in
// the owner's queue go with it.
TEST_F(WorkerTest, StopDropsTheFailureNoticesItsWorkerLeftQueued) {
    struct Case {
        const char* name;
        UINT notice;
        FakeDevice device;
    } cases[] = {
        {"lost device", WM_LINK_FAILED, PlainDevice},
        {"empty answer", WM_EMPTY_REPLY,
         [](const std::vector<BYTE>& f) { return FakeReply{SysData(f[LinkFrame::OFS_INDEX], {})}; }},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseHid(std::move(c.device));
        if (c.notice == WM_LINK_FAILED)
            m_hid->Close(); // and the host cannot reopen it
        g_bTransfersStopped = 0;
        m_sink.Clear();
        m_worker.Start(FALSE);
        // Wait without serving the queue, as a UI thread busy elsewhere does.
        MSG msg;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!::PeekMessage(&msg, m_sink.Handle(), c.notice, c.notice, PM_NOREMOVE) &&
               std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_TRUE(::PeekMessage(&msg, m_sink.Handle(), c.notice, c.notice, PM_NOREMOVE));
        m_worker.Stop(TRUE);
        m_sink.Pump();
        EXPECT_EQ(m_sink.Count(c.notice), 0);
    }
}

// One pending change at a time, as the marking setters leave it, and the notice they give.
class OneChangeDocument : public CLinkDocument {
public:
    std::unique_ptr<CSendData> BuildNextChangeFrame() override {
        if (m_pending.exchange(false))
            return BuildChunkFrame(GROUP_OUTPUT, 2, 5);
        return CLinkDocument::BuildNextChangeFrame();
    }
    void Change() {
        m_pending = true;
        CLinkWorker::NotifyChange();
    }

private:
    std::atomic<bool> m_pending{false};
};

TEST_F(WorkerTest, AMarkedChangeEndsThePauseBetweenPollCycles) {
    OneChangeDocument doc;
    SetLinkDocument(&doc);
    m_worker.Timings().cyclePause = kHour;
    UseHid(PlainDevice);
    auto polls = [&] {
        int n = 0;
        for (const auto& f : m_hid->Frames())
            n += IsRequest(f, GROUP_SYSTEM, CMD_DEVICE_STATE);
        return n;
    };
    m_worker.Start(FALSE);
    // The first poll is queued; the worker pauses for an hour unless the change wakes it. The poll
    // still goes first.
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_cmd.GetQueueCount() == 1; }));
    doc.Change();
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_hid->Frames().size() >= 2; }));
    m_worker.Stop(TRUE);
    SetLinkDocument(nullptr);
    const auto frames = m_hid->Frames();
    EXPECT_EQ(polls(), 1);
    EXPECT_EQ(frames.back()[LinkFrame::OFS_TYPE], FRAME_WRITE);
    EXPECT_TRUE(IsRequest(frames.back(), GROUP_OUTPUT, 2));
}

// ---- USB transaction ---------------------------------------------------------------------------

TEST_F(WorkerTest, EmptyQueueTakesTheSchedulersFrameForTheNextCycle) {
    UseHid(PlainDevice);
    EXPECT_EQ(m_worker.UsbWrite(), 0);
    EXPECT_TRUE(m_hid->Reports().empty());
    ASSERT_EQ(m_cmd.GetQueueCount(), 1);
    EXPECT_EQ(m_worker.UsbWrite(), 1);
    ASSERT_EQ(m_hid->Frames().size(), 1u);
    EXPECT_TRUE(IsRequest(m_hid->Frames()[0], GROUP_SYSTEM, CMD_DEVICE_STATE));
}

TEST_F(WorkerTest, WholeRecordGoesOutAsFiveReportsBeforeTheRead) {
    UseHid(PlainDevice);
    Queue(BuildRecordFrame(0, GROUP_OUTPUT, 3, TRUE, FALSE));
    m_worker.TakeTimeStamp();
    EXPECT_EQ(m_worker.UsbWrite(), 1);
    const auto reports = m_hid->Reports();
    ASSERT_EQ(reports.size(), 5u);
    for (int i = 57; i < 65; ++i)
        EXPECT_EQ(reports[4][static_cast<size_t>(i)], 0) << i;
    EXPECT_EQ(m_worker.UsbRead(), 1);
    EXPECT_EQ(m_cmd.GetQueueCount(), 0);
    EXPECT_EQ(Failures(), 0);
}

// Runs a step after the first report it writes, as the UI thread may at any moment of a write.
class InterruptedHid : public FakeHid {
public:
    using FakeHid::FakeHid;
    int WriteReport(const BYTE* report, DWORD timeoutMs) override {
        const int r = FakeHid::WriteReport(report, timeoutMs);
        if (auto step = std::exchange(m_afterFirst, nullptr))
            step();
        return r;
    }
    std::function<void()> m_afterFirst;
};

TEST_F(WorkerTest, AHeadReplacedDuringItsWriteIsNotContinued) {
    auto hid = std::make_unique<InterruptedHid>(PlainDevice);
    hid->m_afterFirst = [&] {
        // A packet of the same size replaces the head: it may well get the freed one's address.
        m_cmd.ClearQueue();
        Queue(BuildRecordFrame(0, GROUP_OUTPUT, 4, TRUE, FALSE));
    };
    m_host.m_hid = hid.get();
    m_hid = std::move(hid);
    g_nLinkState = LINK_USB;
    Queue(BuildRecordFrame(0, GROUP_OUTPUT, 3, TRUE, FALSE));
    EXPECT_EQ(m_worker.UsbWrite(), 0);
    EXPECT_EQ(m_hid->Reports().size(), 1u) << "the new packet is not taken for the old one";
    // The new packet goes out whole, from its start, in the next cycle.
    EXPECT_EQ(m_worker.UsbWrite(), 1);
    EXPECT_EQ(m_hid->Reports().size(), 6u);
}

TEST_F(WorkerTest, UsbTimeLimits) {
    const std::vector<BYTE> record =
        Answer(FRAME_DATA, 0, GROUP_OUTPUT, 0, FRAME_BANK, std::vector<BYTE>(296, 0));
    struct Case {
        const char* name;
        FakeReply reply;
        int failures;
        int queued;
    } cases[] = {
        // Complete after the 3 s mark but within the read wait: kept.
        {"late but complete", {Ack(), 600}, 0, 0},
        {"silent", {{}, 0}, 1, 1},
        // The first report of a long answer, after the 3 s mark: the rest cannot count any more.
        {"partial past the mark", {{record.begin(), record.begin() + 64}, 600}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sink.Clear();
        m_cmd.ClearQueue();
        UseHid([&](const std::vector<BYTE>&) { return c.reply; });
        Queue(BuildSystemReadFrame(CMD_VERSION, 0));
        m_worker.UsbTransferCycle();
        EXPECT_EQ(Failures(0), c.failures);
        EXPECT_EQ(m_cmd.GetQueueCount(), c.queued);
    }
}

TEST_F(WorkerTest, UsbWifiResetAnswerEndsTheLongWait) {
    UseHid(PlainDevice);
    g_bTransferBusy = 1;
    auto p = BuildSystemFrame(CMD_WIFI_RESET, 0);
    p->SetLongWait(1);
    Queue(std::move(p));
    m_worker.UsbTransferCycle();
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_WIFI_RESET_DONE), 1);
    EXPECT_EQ(m_sink.Last(WM_WIFI_RESET_DONE)->lParam, 1);
}

TEST_F(WorkerTest, LostUsbDeviceIsReopenedOrReported) {
    UseHid(PlainDevice);
    m_hid->Close();
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    EXPECT_EQ(m_worker.UsbWrite(), 0);
    EXPECT_EQ(Failures(0), 1);
}

// ---- Network transaction -----------------------------------------------------------------------

TEST_F(WorkerTest, UnansweredPacketIsSentTwiceThenReported) {
    UseNet([](const std::vector<BYTE>&) { return FakeReply{}; });
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    for (int cycle = 0; cycle < 4; ++cycle)
        m_worker.NetTransferCycle();
    EXPECT_EQ(m_net->Frames().size(), 2u);
    EXPECT_EQ(m_net->Connects(), 2); // a reconnect after each silent attempt
    EXPECT_EQ(Failures(0), 1);
    EXPECT_EQ(g_bNetEnabled.load(), 0);
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
}

TEST_F(WorkerTest, NetFailuresWithoutALocalAdapter) {
    const std::vector<BYTE> ack = Ack();
    struct Case {
        const char* name;
        FakeReply reply;
        LPARAM lParam;
    } cases[] = {
        {"receive time-out", {}, 0},
        // Bytes keep coming, but no whole answer within the answer limit.
        {"answer too slow", {ack, 0, 60}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sink.Clear();
        m_cmd.ClearQueue();
        g_bNetEnabled = 1;
        UseNet([&](const std::vector<BYTE>&) { return c.reply; });
        m_net->m_hasAdapter = false;
        Queue(BuildSystemReadFrame(CMD_VERSION, 0));
        m_worker.NetTransferCycle();
        EXPECT_EQ(Failures(c.lParam), 1);
        EXPECT_EQ(g_bNetEnabled.load(), 0);
        EXPECT_EQ(m_net->Connects(), 0);
    }
}

TEST_F(WorkerTest, PeerCloseReconnectsAtOnce) {
    UseNet([](const std::vector<BYTE>&) { return FakeReply{}; });
    m_net->m_peerClosed = true;
    m_worker.Timings().netAnswer = kHour; // only the close may end the read
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    m_worker.NetTransferCycle();
    EXPECT_EQ(m_net->Connects(), 1);
    EXPECT_EQ(Failures(), 0);
}

TEST_F(WorkerTest, FailedSendReconnectsAndKeepsTheHead) {
    UseNet(PlainDevice);
    m_net->m_failSends = 1;
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    m_worker.NetTransferCycle();
    EXPECT_EQ(m_net->Connects(), 1);
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
    m_worker.NetTransferCycle();
    EXPECT_EQ(m_cmd.GetQueueCount(), 0);
}

TEST_F(WorkerTest, NetWifiResetWaitsWithoutReadingAndKeepsThePacket) {
    UseNet(PlainDevice);
    m_worker.Timings().wifiResetFirst = 20;
    m_worker.Timings().wifiResetSecond = 20;
    g_bTransferBusy = 1;
    auto p = BuildSystemFrame(CMD_WIFI_RESET, 0);
    p->SetLongWait(1);
    Queue(std::move(p));
    m_worker.NetTransferCycle();
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_WIFI_RESET_DONE), 1);
    EXPECT_EQ(m_sink.Last(WM_WIFI_RESET_DONE)->lParam, 0);
    EXPECT_EQ(g_bTransferBusy.load(), 0);
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
}

// ---- Stopping never waits for the transport -----------------------------------------------------
// The waits below last an hour; the stop must end them (a regression hangs the test).

TEST_F(WorkerTest, StopEndsTheWifiResetWait) {
    UseNet(PlainDevice);
    m_worker.Timings().wifiResetFirst = kHour;
    auto p = BuildSystemFrame(CMD_WIFI_RESET, 0);
    p->SetLongWait(1);
    Queue(std::move(p));
    m_worker.Start(FALSE);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_net->Frames().empty(); }));
    m_worker.Stop(TRUE);
    EXPECT_FALSE(m_worker.IsRunning());
}

TEST_F(WorkerTest, StopEndsALongUsbReadAndAReconnectPause) {
    UseHid([](const std::vector<BYTE>&) { return FakeReply{}; });
    m_worker.Timings().usbLongReadWait = kHour;
    m_worker.Timings().usbLongAnswer = kHour;
    auto p = BuildSystemFrame(CMD_WIFI_RESET, 0);
    p->SetLongWait(1);
    Queue(std::move(p));
    m_worker.Start(FALSE);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_hid->Frames().empty(); }));
    m_worker.Stop(TRUE);

    m_cmd.ClearQueue();
    UseNet([](const std::vector<BYTE>&) { return FakeReply{}; });
    m_worker.Timings().reconnectPause = kHour;
    Queue(BuildSystemReadFrame(CMD_VERSION, 0));
    m_worker.Start(FALSE);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return !m_net->Frames().empty(); }));
    m_worker.Stop(TRUE);
    EXPECT_EQ(Failures(), 0);
}

TEST_F(WorkerTest, SpeakerMapAnswerWaitsForTheView) {
    UseHid(PlainDevice);
    Queue(BuildSystemReadFrame(CMD_SPEAKER_MAP, 0));
    size_t framesWhenHandled = 0;
    m_sink.m_onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_SYSTEM_RECORD_RECEIVED)
            framesWhenHandled = m_hid->Frames().size();
    };
    m_worker.Start(FALSE);
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_sink.Count(WM_SYSTEM_RECORD_RECEIVED) == 1; }));
    ASSERT_TRUE(m_sink.PumpUntil([&] { return m_hid->Frames().size() >= 3; }));
    m_worker.Stop(TRUE);
    // Nothing further went out while the view handled the notice.
    EXPECT_EQ(framesWhenHandled, 1u);
}

} // namespace
