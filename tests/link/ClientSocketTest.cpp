// The view's client socket over one end of a socket pair: what its receive hands the command link,
// and the timed blocking wait that a thread timer tick gives up.
#include "LinkTestSupport.h"

#include "link/ClientSocket.h"
#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "model/RecordFrames.h"
#include "platform/core/Messages.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// Counts the waits between slices of a blocking receive; after writeAfter of them the peer sends
// its bytes, so a wait that is not given up ends with them.
class ProbeSocket : public CClientSocket {
public:
    BOOL OnMessagePending() override {
        ++pendingCalls;
        const BOOL r = CClientSocket::OnMessagePending();
        if (pendingCalls == writeAfter && peer >= 0) {
            EXPECT_EQ(::write(peer, later.data(), later.size()), static_cast<ssize_t>(later.size()));
        }
        return r;
    }
    void OnDataReceived(int count) override { counts.push_back(count); }

    int pendingCalls = 0;
    int writeAfter = 0;
    int peer = -1;
    std::vector<char> later;
    std::vector<int> counts;
};

class ClientSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_cmd.SetOwner(m_sink.Handle());
        Open();
    }
    void TearDown() override { Release(); }
    // A new pair and a socket in its start state (each case of a table starts so).
    void Open() {
        r9test::ResetLinkGlobals();
        std::memset(g_netRecvBuf, 0, sizeof g_netRecvBuf);
        DrainTimerMessages();
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        ASSERT_TRUE(m_socket.Attach(fds[0]));
        m_peer = fds[1];
        m_socket.m_pCommand = nullptr;
        m_socket.m_bTiming = 0;
        m_socket.pendingCalls = 0;
        m_socket.writeAfter = 0;
        m_socket.peer = -1;
    }
    void Release() {
        m_socket.Close();
        if (m_peer >= 0)
            ::close(m_peer);
        m_peer = -1;
        m_cmd.ClearQueue();
        DrainTimerMessages();
        r9test::ResetLinkGlobals();
        m_sink.Pump();
    }
    void Reopen() {
        Release();
        Open();
    }
    void PeerSends(const std::vector<BYTE>& bytes) {
        ASSERT_EQ(::write(m_peer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    static bool TimerMessageWaits() {
        MSG msg;
        return PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE);
    }
    static void DrainTimerMessages() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        }
    }

    MessageSink m_sink;
    CKTVCommand m_cmd;
    ProbeSocket m_socket;
    int m_peer = -1;
};

} // namespace

TEST_F(ClientSocketTest, ReceiveLandsInTheNetBufferAndFeedsTheCommandLinkWhenOneIsSet) {
    const std::vector<BYTE> ack = Ack();
    struct Case {
        const char* name;
        bool withCommand;
        bool peerCloses;
        int queueAfter;   // the read request at the head, answered or not
        bool bufferHolds; // the answer is still in g_netRecvBuf
    } cases[] = {
        {"command link set", true, false, 0, false},
        {"no command link", false, false, 1, true},
        {"peer closed", true, true, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reopen();
        m_cmd.AddPacket(BuildSystemReadFrame(CMD_DEVICE_STATE, 0));
        m_socket.m_pCommand = c.withCommand ? &m_cmd : nullptr;
        m_socket.m_bTiming = 1;
        if (c.peerCloses) {
            ::close(m_peer);
            m_peer = -1;
        } else {
            PeerSends(ack);
        }
        m_socket.OnReceive(0);
        EXPECT_EQ(m_socket.m_bTiming, 0);
        EXPECT_EQ(m_cmd.GetQueueCount(), c.queueAfter);
        EXPECT_EQ(std::memcmp(g_netRecvBuf, ack.data(), ack.size()) == 0, c.bufferHolds);
    }
}

TEST_F(ClientSocketTest, OneReceiveTakesAtMostTheBufferAndReportsItsCount) {
    std::vector<BYTE> bytes(NET_RECV_SIZE + 100);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 1);
    PeerSends(bytes);
    EXPECT_EQ(m_socket.ReceiveToBuffer(), NET_RECV_SIZE);
    EXPECT_EQ(std::memcmp(g_netRecvBuf, bytes.data(), NET_RECV_SIZE), 0);
    EXPECT_EQ(m_socket.ReceiveToBuffer(), 100);
    EXPECT_EQ(std::memcmp(g_netRecvBuf, bytes.data() + NET_RECV_SIZE, 100), 0);
    EXPECT_EQ(m_socket.counts, (std::vector<int>{NET_RECV_SIZE, 100}));
}

TEST_F(ClientSocketTest, TimedWaitIsGivenUpOnlyByATimerTickAfterMoreThanASecond) {
    struct Case {
        const char* name;
        bool timing;
        int startedSecondsAgo;
        bool timerTick;
        bool givenUp;
    } cases[] = {
        {"tick after five seconds", true, 5, true, true},
        {"tick after two seconds", true, 2, true, true},
        {"tick within the second", true, 0, true, false},
        {"no timing", false, 5, true, false},
        {"no tick", true, 5, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reopen();
        m_socket.StartWaitTiming();
        m_socket.m_bTiming = c.timing ? 1 : 0;
        m_socket.m_timeStart -= c.startedSecondsAgo;
        if (c.timerTick)
            PostThreadMessage(GetCurrentThreadId(), WM_TIMER, 0, 0);
        m_socket.peer = m_peer;
        m_socket.writeAfter = 2;
        m_socket.later = {'a', 'b'};
        char buf[8] = {};
        const int r = m_socket.Receive(buf, sizeof buf);
        if (c.givenUp) {
            EXPECT_EQ(r, SOCKET_ERROR);
            EXPECT_EQ(ws::WSAGetLastError(), WSAEINTR);
            EXPECT_EQ(m_socket.pendingCalls, 1);
            EXPECT_GE(m_socket.m_spanWait.count(), c.startedSecondsAgo);
        } else {
            EXPECT_EQ(r, 2);
            EXPECT_EQ(m_socket.pendingCalls, 2);
        }
        // The tick that ended the wait is taken; any other stays for the thread.
        EXPECT_EQ(TimerMessageWaits(), c.timerTick && !c.givenUp);
        EXPECT_FALSE(m_socket.IsBlocking());
    }
}

TEST_F(ClientSocketTest, ThreadTimerOfTheWaitEndsItAndStoppingKillsTheTimer) {
    m_socket.m_nTimerId = static_cast<UINT>(SetTimer(nullptr, 0, 10, nullptr));
    ASSERT_NE(m_socket.m_nTimerId, 0u);
    EXPECT_EQ(m_socket.StartWaitTiming(), m_socket.m_nTimerId);
    m_socket.m_timeStart -= 3;
    char buf[8];
    EXPECT_EQ(m_socket.Receive(buf, sizeof buf), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAEINTR);
    m_socket.StopWaitTiming();
    EXPECT_EQ(m_socket.m_bTiming, 0);
    EXPECT_FALSE(KillTimer(nullptr, m_socket.m_nTimerId)); // already gone
}

TEST_F(ClientSocketTest, ClosingOrDestroyingReleasesTheSocket) {
    m_socket.Close();
    char c;
    EXPECT_EQ(::read(m_peer, &c, 1), 0);
    m_socket.Close(); // a second close, as the view's network close makes on a never-open socket
    EXPECT_EQ(m_socket.Receive(&c, 1), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAENOTSOCK);

    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    {
        CClientSocket scoped;
        scoped.Attach(fds[0]);
    }
    EXPECT_EQ(::read(fds[1], &c, 1), 0);
    ::close(fds[1]);
}
