// The view's network link with the real worker against the emulator on loopback TCP: the start-up
// through the ping thread's reachability step, the Connect button's network choice and the failure
// paths.
#include "ViewLinkFixture.h"
#include "support/UiEvents.h"

#include <algorithm>
#include <optional>

TEST_F(ViewLinkTest, WithoutADeviceTheReachableModuleIsConnectedByItself) {
    m_backend->SetPresent(false);
    m_reachable = true;
    ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);
    EXPECT_EQ(g_bNetEnabled.load(), 1);
    EXPECT_EQ(m_view->m_net.m_bReachable.load(), 1);
    EXPECT_EQ(FindRequest(GROUP_SYSTEM, CMD_LINK_CHECK), 0);
    EXPECT_EQ(m_dev.GetConnectionCount(), 1);
    // The connect stopped the ping timer.
    ASSERT_TRUE(Pump([&] { return !m_view->m_net.IsPingRunning(); }));
    EXPECT_TRUE(m_view->m_bShownConnected);
}

TEST_F(ViewLinkTest, AnUnreachableModuleIsNeitherConnectedNorOffered) {
    m_backend->SetPresent(false);
    ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    ASSERT_TRUE(Pump([&] { return m_view->m_net.GetPingTicks() >= 3; }));
    EXPECT_EQ(m_view->m_net.m_bReachable.load(), 0);
    EXPECT_EQ(m_dev.GetConnectionCount(), 0);
    m_view->OnConnectButton();
    EXPECT_STREQ(m_view->m_strLastMessage, "No connection can be opened");

    // Reachable but refusing connections: the connect fails with the network message.
    m_reachable = true;
    m_view->m_net.m_bReachable = 1;
    g_nNetPort = 1; // nobody listens there
    EXPECT_FALSE(m_view->ConnectNet());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strWifiFail);
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_FALSE(m_view->m_net.IsConnected());
}

TEST_F(ViewLinkTest, ConnectButtonOpensTheNetworkAndClosesItAgain) {
    m_backend->SetPresent(false);
    m_view->m_net.m_bReachable = 1;
    m_reachable = true;
    m_view->OnConnectButton();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);

    m_view->OnConnectButton();
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_EQ(g_bNetEnabled.load(), 0);
    EXPECT_FALSE(m_view->m_net.IsConnected());
    EXPECT_FALSE(m_view->m_bShownConnected);
    EXPECT_FALSE(m_view->m_worker.Exists());
}

TEST_F(ViewLinkTest, ASilentModuleIsResentOnceThenDropped) {
    ASSERT_TRUE(GoOnlineOverNet());
    const int connections = m_dev.GetConnectionCount();
    const size_t from = m_dev.GetRequestCount();
    m_dev.InjectFault({DevsimFaultKind::NoAnswer, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1000});
    ASSERT_TRUE(WaitClosed());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strWifiFail);
    EXPECT_EQ(g_bNetEnabled.load(), 0);
    // Each silent receive costs a reconnect; the third attempt at the packet gives up.
    EXPECT_TRUE(Pump([&] { return m_dev.GetConnectionCount() == connections + 2; }))
        << m_dev.GetConnectionCount() - connections;
    long first = FindRequest(GROUP_SYSTEM, CMD_DEVICE_STATE, from);
    ASSERT_GE(first, 0);
    long second = FindRequest(GROUP_SYSTEM, CMD_DEVICE_STATE, static_cast<size_t>(first) + 1);
    ASSERT_GE(second, 0);
    EXPECT_EQ(m_dev.GetRequests()[static_cast<size_t>(second)].frame,
              m_dev.GetRequests()[static_cast<size_t>(first)].frame);
    EXPECT_FALSE(m_view->m_net.IsConnected());
    EXPECT_EQ(m_view->m_command.GetQueueCount(), 0);
}

TEST_F(ViewLinkTest, AModuleBackByTheSecondReconnectKeepsTheLink) {
    ASSERT_TRUE(GoOnlineOverNet());
    const int connections = m_dev.GetConnectionCount();
    // The module drops the connection; it is still away at the first reconnect (no ping answer)
    // and back at the second, whose connect works.
    std::atomic<int> pings{0};
    SetPingProbe([&pings](const char*, std::string* out) {
        const BOOL answered = ++pings > 1 ? TRUE : FALSE;
        if (out)
            *out = answered ? "ttl=64" : "";
        return answered;
    });
    const int messages = m_view->m_nMessageCount;
    const size_t from = m_dev.GetRequestCount();
    m_dev.InjectFault({DevsimFaultKind::CutConnection, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1});
    // Polls logged before the fault was in place are no part of it: the wait follows the cut
    // request itself, then an answer on a new connection, or the link's end.
    const auto cutRequest = [&]() -> std::optional<DevsimRequest> {
        for (const DevsimRequest& r : RequestsFrom(from))
            if (r.faulted)
                return r;
        return std::nullopt;
    };
    ASSERT_TRUE(Pump([&] {
        const auto cut = cutRequest();
        return !m_view->m_bLinkOpen.load() || (cut && AnsweredOnANewConnection(from, cut->connection));
    }));
    // The poll the cut lost goes out again on the new connection and the link goes on.
    EXPECT_TRUE(m_view->m_bLinkOpen.load()) << m_view->m_strLastMessage;
    EXPECT_EQ(m_view->m_nMessageCount, messages) << m_view->m_strLastMessage;
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);
    EXPECT_EQ(g_bNetEnabled.load(), 1);
    EXPECT_EQ(pings.load(), 2);
    EXPECT_EQ(m_dev.GetConnectionCount(), connections + 1);
    const auto cut = cutRequest();
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->frame[LinkFrame::OFS_INDEX], CMD_DEVICE_STATE);
    const auto log = RequestsFrom(from);
    const auto resent = std::find_if(
        log.begin(), log.end(), [&cut](const DevsimRequest& r) { return r.connection != cut->connection; });
    ASSERT_NE(resent, log.end());
    EXPECT_EQ(resent->frame[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
    EXPECT_EQ(resent->frame[LinkFrame::OFS_INDEX], CMD_DEVICE_STATE);
}

TEST_F(ViewLinkTest, ACutConnectionDuringTheCheckEndsInTheFailureHandler) {
    m_backend->SetPresent(false);
    m_view->m_net.m_bReachable = 1;
    m_reachable = true;
    m_dev.InjectFault({DevsimFaultKind::CutConnection, FRAME_READ, GROUP_SYSTEM, CMD_LINK_CHECK, 1000});
    ASSERT_TRUE(m_view->ConnectNet());
    ASSERT_TRUE(WaitClosed());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strWifiFail);
    EXPECT_EQ(g_bOnline.load(), 0);
}

TEST_F(ViewLinkTest, NetworkUpdateOpensItsOwnConnectionOnlyWhenReachable) {
    m_backend->SetPresent(false);
    m_reachable = true;
    EXPECT_FALSE(m_view->StartNetUpdate()) << "not reachable yet";
    EXPECT_EQ(m_dev.GetConnectionCount(), 0);
    m_view->m_net.m_bReachable = 1;
    g_nLinkState = LINK_NET;
    // The worker idles in its firmware cycle until the firmware part queues something.
    ASSERT_TRUE(m_view->StartNetUpdate());
    EXPECT_EQ(g_bFirmwareMode.load(), 1);
    EXPECT_EQ(g_bNetEnabled.load(), 1);
    EXPECT_TRUE(m_view->m_worker.Exists());
    EXPECT_TRUE(Pump([&] { return m_dev.GetConnectionCount() == 1; }));
    m_view->AbortFirmwareUpdate();
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_STREQ(m_view->m_strLastMessage, "The firmware update failed!");
}

TEST_F(ViewLinkTest, RetryMessagesReconnectTwiceThenGiveUp) {
    ASSERT_TRUE(GoOnlineOverNet());
    for (int n = 1; n <= 2; ++n) {
        const int connections = m_dev.GetConnectionCount();
        const size_t from = m_dev.GetRequestCount();
        const uint64_t old = LastConnection();
        m_view->OnNetRetry(0, 0);
        EXPECT_EQ(g_nNetRetry.load(), n);
        EXPECT_TRUE(m_view->m_bLinkOpen.load()) << n;
        EXPECT_TRUE(Pump([&] { return m_dev.GetConnectionCount() > connections; })) << n;
        // Let the worker get past the packet the reconnect cut off before the next retry.
        EXPECT_TRUE(Pump([&] { return AnsweredOnANewConnection(from, old); })) << n;
    }
    m_view->OnNetRetry(0, 0);
    EXPECT_EQ(g_nNetRetry.load(), 0);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_STREQ(m_view->m_strLastMessage, g_strWifiFail);
    EXPECT_FALSE(m_view->m_worker.Exists());
}

TEST_F(ViewLinkTest, PausesOfTheConnectButtonAndTheRetryRunOnTimers) {
    // The view's timers come through the toolkit's event loop.
    auto PumpWithTimers = [](auto pred) {
        return Pump([&] {
            r9test::Pump();
            return pred();
        });
    };
    m_backend->SetPresent(false);
    m_view->m_net.m_bReachable = 1;
    m_reachable = true;
    m_view->m_nConnectPauseMs = 20;
    m_view->m_nReconnectPauseMs = 20;
    ASSERT_TRUE(m_view->ConnectNet());
    ASSERT_TRUE(WaitOnline());

    // Two retries in a row: the second waits for the first one's connect.
    const int connections = m_dev.GetConnectionCount();
    const uint64_t first = LastConnection();
    m_view->OnNetRetry(0, 0);
    m_view->OnNetRetry(0, 0);
    EXPECT_EQ(g_nNetRetry.load(), 1) << "the second retry is deferred";
    EXPECT_FALSE(m_view->m_net.IsConnected()) << "closed, the connect follows the pause";
    ASSERT_TRUE(PumpWithTimers([&] { return g_nNetRetry.load() == 2 && !m_view->m_bNetRetryWaiting; }));
    EXPECT_TRUE(Pump([&] { return m_dev.GetConnectionCount() >= connections + 2; }));
    EXPECT_TRUE(m_view->m_bLinkOpen.load());
    // Let the worker get past the packet the reconnect cut off: an answer on the second retry's
    // connection, the only one the device has served since it took it.
    const size_t requests = m_dev.GetRequestCount();
    ASSERT_TRUE(Pump([&] { return AnsweredOnANewConnection(requests, first); }));
    ASSERT_TRUE(m_view->m_bLinkOpen.load()) << m_view->m_strLastMessage;

    // The Connect button stops the worker at once and closes the link after its pause.
    m_view->OnConnectButton();
    EXPECT_FALSE(m_view->m_worker.Exists());
    EXPECT_EQ(g_nLinkState.load(), LINK_NET) << "closed on the timer";
    ASSERT_TRUE(
        PumpWithTimers([&] { return !m_view->m_bLinkOpen.load() && g_nLinkState.load() == LINK_NONE; }));
    EXPECT_FALSE(m_view->m_net.IsConnected());
    g_nNetRetry = 0;
}

TEST_F(ViewLinkTest, TheClientSocketFeedsTheViewsCommandLinkAndIsNeverOpened) {
    EXPECT_EQ(m_view->m_clientSocket.m_pCommand, &m_view->m_command);
    m_backend->SetPresent(false);
    m_view->m_net.m_bReachable = 1;
    m_reachable = true;
    m_view->OnConnectButton();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(m_view->m_clientSocket.m_hSocket.load(), INVALID_SOCKET);
    m_view->OnConnectButton();
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_EQ(m_view->m_clientSocket.m_hSocket.load(), INVALID_SOCKET);
}
