// The blocking socket's waits: what ends them and what a cancel leaves behind.
#include "platform/io/Socket.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// Cancels its blocking call at the chosen slice; or, with cancelOutside, before the call starts.
class CancellingSocket : public CSocket {
public:
    BOOL OnMessagePending() override {
        if (++slices == cancelAt)
            CancelBlockingCall();
        if (slices == dataAt) {
            EXPECT_EQ(::write(peer, "x", 1), 1);
        }
        return FALSE;
    }
    int slices = 0;
    int cancelAt = 0;
    int dataAt = 0;
    int peer = -1;
};

} // namespace

TEST(Socket, BlockingReceiveEndsOnlyByDataOrByACancelWhileItWaits) {
    struct Case {
        const char* name;
        bool cancelBefore; // a cancel made while no call blocks
        int cancelAt;
        int dataAt;
        int result;
        int error;
    } cases[] = {
        {"data", false, 0, 2, 1, 0},
        {"cancel in the wait", false, 2, 3, SOCKET_ERROR, WSAEINTR},
        {"stale cancel is no cancel", true, 0, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        CancellingSocket s;
        ASSERT_TRUE(s.Attach(fds[0]));
        s.peer = fds[1];
        s.cancelAt = c.cancelAt;
        s.dataAt = c.dataAt;
        if (c.cancelBefore)
            s.CancelBlockingCall();
        char buf[4];
        const int r = s.Receive(buf, sizeof buf);
        EXPECT_EQ(r, c.result);
        if (r == SOCKET_ERROR) {
            EXPECT_EQ(ws::WSAGetLastError(), c.error);
        }
        EXPECT_FALSE(s.IsBlocking());
        ::close(fds[1]);
    }
}

TEST(Socket, WithoutASocketReceiveFailsAtOnce) {
    CSocket s;
    char c;
    EXPECT_FALSE(s.Attach(INVALID_SOCKET));
    EXPECT_EQ(s.Receive(&c, 1), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAENOTSOCK);
}
