// The network link's socket, subnet test, reachability step and ping thread, against the emulator
// on loopback and a probe the tests control.
#include "devsim/DeviceEmulator.h"

#include "link/LinkGlobals.h"
#include "link/Net_Socket.h"
#include "model/Globals.h"
#include "model/RecordFrames.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/io/PingProbe.h"
#include "support/PumpMessages.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Receives the posted messages on the test thread and notes the reachable flag at delivery.
struct ViewStandIn : CMessageTarget {
    explicit ViewStandIn(CNet_Socket* net = nullptr) : m_net(net) { RegisterTarget(); }
    ~ViewStandIn() override { UnregisterTarget(); }
    HWND h() const { return GetTargetHandle(); }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        if (message == WM_NET_REACHABLE && m_net)
            reachableAtDelivery.push_back(m_net->m_bReachable.load());
        return 0;
    }
    int Count(UINT message) const {
        int n = 0;
        for (UINT m : messages)
            n += m == message;
        return n;
    }
    CNet_Socket* m_net;
    std::vector<UINT> messages;
    std::vector<int> reachableAtDelivery;
};

// A probe that records its targets and answers as told.
struct FakeProbe {
    std::mutex lock;
    std::vector<std::string> targets;
    BOOL answer = TRUE;
    void Install() {
        SetPingProbe([this](const char* ip, std::string* out) {
            std::lock_guard<std::mutex> g(lock);
            targets.emplace_back(ip ? ip : "");
            if (out)
                *out = answer ? "64 bytes from x: icmp_seq=1 ttl=64 time=0.1 ms" : "timeout";
            return answer;
        });
    }
    size_t Calls() {
        std::lock_guard<std::mutex> g(lock);
        return targets.size();
    }
};

// A probe that answers yes only when released, so a test can act while a step waits in it.
struct HeldProbe {
    std::mutex gate;
    std::condition_variable cv;
    bool entered = false, released = false;
    void Install() {
        SetPingProbe([this](const char*, std::string*) {
            std::unique_lock<std::mutex> lk(gate);
            entered = true;
            cv.notify_all();
            cv.wait(lk, [&] { return released; });
            return TRUE;
        });
    }
    bool WaitEntered() {
        std::unique_lock<std::mutex> lk(gate);
        return cv.wait_for(lk, std::chrono::seconds(10), [&] { return entered; });
    }
    void Release() {
        {
            std::lock_guard<std::mutex> lk(gate);
            released = true;
        }
        cv.notify_all();
    }
};

class NetSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_strDevIP = "127.0.0.1";
        m_probe.Install();
    }
    void TearDown() override {
        SetPingProbe({});
        r9test::ResetLinkGlobals();
    }
    FakeProbe m_probe;
};

} // namespace

TEST(NetSubnet, OnlyFullMaskOctetsAreCompared) {
    struct Case {
        const char* mask;
        const char* local;
        const char* device;
        BOOL same;
    } cases[] = {
        {"255.255.255.0", "192.168.1.20", "192.168.1.254", TRUE},
        {"255.255.255.0", "192.168.2.20", "192.168.1.254", FALSE},
        {"255.255.240.0", "10.1.17.5", "10.1.30.9", TRUE}, // the partial octet is ignored
        {"255.255.240.0", "10.2.17.5", "10.1.17.5", FALSE},
        {"0.0.0.0", "10.1.1.1", "10.1.1.1", FALSE},    // nothing masked
        {"255.0.0.0", "127.0.0.1", "127.0.0.1", TRUE}, // loopback counts as an adapter
        {"255.255.255.0", "192.168.1.20", "not an address", FALSE},
        {"255.255.255.0", "192.168.1.20", "", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CNet_Socket::IsSameSubnet(c.mask, c.local, c.device), c.same)
            << c.mask << " " << c.local << " " << c.device;
}

TEST_F(NetSocketTest, PingRunsOnlyForADottedAddressAndKeepsItsOutput) {
    CNet_Socket net;
    for (const char* bad : {"127.0.0.1; rm -rf /", "-c 9 127.0.0.1", "$(reboot)", "", "host.example"}) {
        g_strDevIP = bad;
        EXPECT_FALSE(net.PingDevice()) << bad;
    }
    EXPECT_EQ(m_probe.Calls(), 0u) << "nothing but an address ever reaches the probe";
    g_strDevIP = "127.0.0.1";
    EXPECT_TRUE(net.PingDevice());
    ASSERT_EQ(m_probe.Calls(), 1u);
    EXPECT_EQ(m_probe.targets[0], "127.0.0.1");
    EXPECT_NE(std::strstr(net.m_szPingOut, "ttl=64"), nullptr);
}

TEST_F(NetSocketTest, ReachabilityIsSetBeforeTheOnlyNoticeOfEachTransition) {
    CNet_Socket net;
    net.m_nSettleMs = 0;
    ViewStandIn view(&net);
    net.SetOwner(view.h());
    std::atomic<int> run{1};

    m_probe.answer = FALSE;
    EXPECT_EQ(net.CheckReachable(&run), 0);
    EXPECT_EQ(net.CheckReachable(&run), 0);
    m_probe.answer = TRUE;
    EXPECT_EQ(net.CheckReachable(&run), 1);
    EXPECT_EQ(net.CheckReachable(&run), 1);
    EXPECT_EQ(m_probe.Calls(), 3u) << "a reachable device is not pinged again";
    ASSERT_TRUE(r9test::PumpUntil([&] { return view.Count(WM_NET_REACHABLE) >= 1; }));
    EXPECT_EQ(view.Count(WM_NET_REACHABLE), 1);
    ASSERT_EQ(view.reachableAtDelivery.size(), 1u);
    EXPECT_EQ(view.reachableAtDelivery[0], 1) << "the handler's connect must see the device reachable";

    // A device outside every local subnet is no longer reachable.
    g_strDevIP = "203.0.113.7";
    EXPECT_EQ(net.CheckReachable(&run), 0);
    EXPECT_EQ(net.m_bReachable.load(), 0);
}

TEST_F(NetSocketTest, AMarkedRestartIsProbedAgainAndNotUndoneByAStepInProgress) {
    HeldProbe held;
    CNet_Socket net; // after what the probe uses: its destructor waits for the probe
    net.m_nSettleMs = 0;
    ViewStandIn view(&net);
    net.SetOwner(view.h());
    std::atomic<int> run{1};
    ASSERT_EQ(net.CheckReachable(&run), 1);

    // Marked unreachable, the device is probed again and its answer is a new transition.
    net.MarkUnreachable();
    EXPECT_EQ(net.m_bReachable.load(), 0);
    EXPECT_EQ(net.CheckReachable(&run), 1);
    EXPECT_EQ(m_probe.Calls(), 2u);
    ASSERT_TRUE(r9test::PumpUntil([&] { return view.Count(WM_NET_REACHABLE) >= 2; }));

    // A mark made while a step waits for its probe: the answer that comes in afterwards is stale.
    net.MarkUnreachable();
    held.Install();
    auto step = std::async(std::launch::async, [&] { return net.CheckReachable(&run); });
    ASSERT_TRUE(held.WaitEntered());
    net.MarkUnreachable();
    held.Release();
    EXPECT_EQ(step.get(), 0);
    r9::msg::DeliverPending();
    EXPECT_EQ(net.m_bReachable.load(), 0);
    EXPECT_EQ(view.Count(WM_NET_REACHABLE), 2);
    m_probe.Install();
    EXPECT_EQ(net.CheckReachable(&run), 1);
    ASSERT_TRUE(r9test::PumpUntil([&] { return view.Count(WM_NET_REACHABLE) >= 3; }));
}

TEST_F(NetSocketTest, AStoppedStepNeverPostsNorMarks) {
    HeldProbe held;
    CNet_Socket net; // after what the probe uses: its destructor waits for the probe
    net.m_nSettleMs = 0;
    ViewStandIn view(&net);
    net.SetOwner(view.h());
    std::atomic<int> run{0};
    EXPECT_EQ(net.CheckReachable(&run), 0);
    EXPECT_EQ(m_probe.Calls(), 0u);

    // The timer is stopped while the probe runs: the answer that comes in afterwards changes nothing.
    held.Install();
    net.StartPing();
    ASSERT_TRUE(held.WaitEntered());
    net.StopPing(TRUE);
    const int ticks = net.GetPingTicks(); // the step in the probe is not counted yet
    held.Release();
    // The step has finished once it is counted; a post it made is queued here by then.
    ASSERT_TRUE(r9test::PumpUntil([&] { return net.GetPingTicks() > ticks; }));
    net.StopPing(FALSE);
    r9::msg::DeliverPending();
    EXPECT_EQ(view.Count(WM_NET_REACHABLE), 0);
    EXPECT_EQ(net.m_bReachable.load(), 0);
}

TEST_F(NetSocketTest, PingThreadFindsTheDeviceAndRestartsWithOneTimer) {
    CNet_Socket net;
    net.m_nSettleMs = 0;
    ViewStandIn view(&net);
    net.SetOwner(view.h());
    net.StartPing();
    ASSERT_TRUE(r9test::PumpUntil([&] { return view.Count(WM_NET_REACHABLE) == 1; }));
    EXPECT_TRUE(net.IsPingRunning());
    // Stop and start again: the timer keeps ticking, and a reachable device is not announced twice.
    net.StopPing(TRUE);
    EXPECT_FALSE(net.IsPingRunning());
    net.StartPing();
    const int ticks = net.GetPingTicks();
    ASSERT_TRUE(r9test::PumpUntil([&] { return net.GetPingTicks() >= ticks + 2; }));
    EXPECT_EQ(view.Count(WM_NET_REACHABLE), 1);
}

TEST_F(NetSocketTest, ConnectNeedsReachabilityAndTalksToTheDevice) {
    CDeviceEmulator emu;
    ASSERT_TRUE(emu.StartTcp());
    g_nNetPort = emu.GetTcpPort();
    CNet_Socket net;
    EXPECT_FALSE(net.Connect()) << "not reachable yet";
    EXPECT_FALSE(net.IsConnected());
    EXPECT_EQ(emu.GetConnectionCount(), 0);

    net.m_bReachable = 1;
    ASSERT_TRUE(net.Connect());
    auto check = BuildSystemReadFrame(CMD_LINK_CHECK, 0);
    ASSERT_TRUE(net.Send(check->GetData(), check->GetSize(), 0));
    int count = 0;
    std::vector<BYTE> got;
    while (got.size() < 17) {
        int r = net.Receive(&count);
        ASSERT_GT(count, 0) << "result " << r;
        got.insert(got.end(), g_netRecvBuf, g_netRecvBuf + count);
        std::memset(g_netRecvBuf, 0, sizeof g_netRecvBuf);
    }
    const std::vector<BYTE> answer = {0x6B, 0x6B, 0x6B, 0xEE, 0x53, 0x01, 0x00, 0x09, 0xCC,
                                      0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0xAA};
    EXPECT_EQ(got, answer);

    // Silence maps to the time-out code; a cut connection reads as a peer close.
    ASSERT_TRUE(net.SetReceiveTimeout(100));
    emu.InjectFault({DevsimFaultKind::NoAnswer});
    ASSERT_TRUE(net.Send(check->GetData(), check->GetSize(), 0));
    EXPECT_EQ(net.Receive(&count), WSAETIMEDOUT);
    EXPECT_EQ(count, -1);
    emu.InjectFault({DevsimFaultKind::CutConnection});
    ASSERT_TRUE(net.Send(check->GetData(), check->GetSize(), 0));
    int r = net.Receive(&count);
    EXPECT_TRUE((count == 0 && r == 0) || r == WSAECONNRESET) << count << " " << r;

    EXPECT_TRUE(net.Close());
    EXPECT_FALSE(net.IsConnected());
    EXPECT_TRUE(net.Close()) << "a second close touches no descriptor";
    EXPECT_FALSE(net.Send(check->GetData(), check->GetSize(), 0));
    EXPECT_TRUE(emu.GetErrors().empty());
}

TEST_F(NetSocketTest, ARefusedConnectLeavesNoSocketAndDescriptorsAreNotReused) {
    // A port nobody listens on: take one from a closed emulator.
    uint16_t port;
    {
        CDeviceEmulator emu;
        ASSERT_TRUE(emu.StartTcp());
        port = emu.GetTcpPort();
    }
    g_nNetPort = port;
    CNet_Socket net;
    net.m_bReachable = 1;
    EXPECT_FALSE(net.Connect());
    EXPECT_FALSE(net.IsConnected());

    // Closing after a failed connect must not close a descriptor someone else opened since.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_TRUE(net.Close());
    EXPECT_EQ(::write(fds[1], "x", 1), 1);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(NetSocketTest, AnAbortEndsTheWaitForASlowProbe) {
    std::mutex gate;
    std::condition_variable cv;
    bool started = false, release = false;
    CNet_Socket net; // after what the probe uses: its destructor waits for the probe
    SetPingProbe([&](const char*, std::string*) {
        std::unique_lock<std::mutex> lk(gate);
        started = true;
        cv.notify_all();
        cv.wait(lk, [&] { return release; });
        return TRUE;
    });
    auto ping = std::async(std::launch::async, [&] { return net.PingDevice(); });
    {
        std::unique_lock<std::mutex> lk(gate);
        ASSERT_TRUE(cv.wait_for(lk, std::chrono::seconds(10), [&] { return started; }));
    }
    net.AbortWaits();
    // The wait ends while the probe itself still runs.
    ASSERT_EQ(ping.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_FALSE(ping.get());
    net.m_bReachable = 1;
    EXPECT_FALSE(net.Connect()) << "no connect is tried while waits are aborted";
    {
        std::lock_guard<std::mutex> lk(gate);
        release = true;
    }
    cv.notify_all();
    net.ResumeWaits();
    SetPingProbe([](const char*, std::string*) { return TRUE; });
    EXPECT_TRUE(net.PingDevice());
}
