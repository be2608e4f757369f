#include "platform/io/Winsock.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// A listening socket on a loopback port chosen by the kernel.
class LoopbackServer {
public:
    LoopbackServer() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_fd, 4);
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~LoopbackServer() { ::close(m_fd); }
    int Accept() { return ::accept(m_fd, nullptr, nullptr); }
    sockaddr_in Address() const {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = ws::inet_addr("127.0.0.1");
        a.sin_port = htons(m_port);
        return a;
    }
    void CloseListener() {
        ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};

SOCKET ConnectTo(const sockaddr_in& a, DWORD recvTimeoutMs) {
    SOCKET s = ws::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(s, INVALID_SOCKET);
    ws::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&recvTimeoutMs),
                   sizeof recvTimeoutMs);
    EXPECT_EQ(ws::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    return s;
}

} // namespace

TEST(Winsock, ReceiveTimeoutReadsAsTimedOutNotWouldBlock) {
    LoopbackServer server;
    SOCKET s = ConnectTo(server.Address(), 100);
    int peer = server.Accept();
    char buf[16];
    EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAETIMEDOUT);

    // Data and an orderly close come through as a count and then 0.
    ASSERT_EQ(::write(peer, "abc", 3), 3);
    EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), 3);
    ::close(peer);
    EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), 0);
    ws::closesocket(s);
}

TEST(Winsock, NonBlockingSocketWithoutDataWouldBlock) {
    LoopbackServer server;
    SOCKET s = ConnectTo(server.Address(), 1000);
    int peer = server.Accept();
    ULONG on = 1;
    ASSERT_EQ(ws::ioctlsocket(s, WS_FIONBIO, &on), 0);
    char buf[4];
    EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAEWOULDBLOCK);
    ::close(peer);
    ws::closesocket(s);
}

TEST(Winsock, ResetByPeerReadsAsConnectionReset) {
    LoopbackServer server;
    SOCKET s = ConnectTo(server.Address(), 1000);
    int peer = server.Accept();
    linger lg{1, 0}; // close with RST
    ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &lg, sizeof lg);
    ::close(peer);
    char buf[4];
    EXPECT_EQ(ws::recv(s, buf, sizeof buf, 0), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAECONNRESET);
    ws::closesocket(s);
}

TEST(Winsock, SendToClosedPeerFailsWithoutSignal) {
    LoopbackServer server;
    SOCKET s = ConnectTo(server.Address(), 1000);
    int peer = server.Accept();
    ::close(peer);
    // Without MSG_NOSIGNAL the second or third send would raise SIGPIPE and end this test program.
    char frame[24] = {0x6B, 0x6B, 0x6B, static_cast<char>(0xEE)};
    int result = 0;
    for (int i = 0; i < 50 && result != SOCKET_ERROR; ++i)
        result = ws::send(s, frame, sizeof frame, 0);
    EXPECT_EQ(result, SOCKET_ERROR);
    int err = ws::WSAGetLastError();
    EXPECT_TRUE(err == WSAECONNABORTED || err == WSAECONNRESET) << err;
    ws::closesocket(s);
}

TEST(Winsock, SendDeliversTheWholeFrame) {
    LoopbackServer server;
    SOCKET s = ConnectTo(server.Address(), 1000);
    int peer = server.Accept();
    std::string big(200000, 'x'); // more than the socket buffers hold at once
    std::string got;
    std::thread reader([&] {
        char buf[8192];
        ssize_t n;
        while (got.size() < big.size() && (n = ::read(peer, buf, sizeof buf)) > 0)
            got.append(buf, static_cast<size_t>(n));
    });
    EXPECT_EQ(ws::send(s, big.data(), static_cast<int>(big.size()), 0), static_cast<int>(big.size()));
    reader.join();
    EXPECT_EQ(got, big);
    ::close(peer);
    ws::closesocket(s);
}

TEST(Winsock, ConnectWithoutListenerIsRefused) {
    LoopbackServer server;
    sockaddr_in a = server.Address();
    server.CloseListener();
    SOCKET s = ws::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(ws::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAECONNREFUSED);
    ws::closesocket(s);
}

TEST(Winsock, ErrnoMapping) {
    struct Row {
        int err;
        bool timeout;
        int expected;
    } rows[] = {
        {EAGAIN, true, WSAETIMEDOUT},
        {EAGAIN, false, WSAEWOULDBLOCK},
        {ETIMEDOUT, false, WSAETIMEDOUT},
        {ECONNRESET, false, WSAECONNRESET},
        {ECONNABORTED, false, WSAECONNABORTED},
        {EPIPE, true, WSAECONNABORTED},
        {ECONNREFUSED, false, WSAECONNREFUSED},
        {ENOTCONN, false, WSAENOTCONN},
        {EBADF, false, WSAENOTSOCK},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ws::MapErrno(r.err, r.timeout), r.expected) << r.err;
}

TEST(Winsock, InvalidSocketIsNeverClosed) {
    int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ws::closesocket(INVALID_SOCKET), SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), WSAENOTSOCK);
    EXPECT_EQ(ws::send(INVALID_SOCKET, "x", 1, 0), SOCKET_ERROR);
    EXPECT_NE(::fcntl(fd, F_GETFD), -1); // still open
    ::close(fd);
}

TEST(Winsock, AddressText) {
    EXPECT_TRUE(ws::IsIPv4Address("127.0.0.1"));
    EXPECT_TRUE(ws::IsIPv4Address("10.10.100.254"));
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "127.0.0.1; rm -rf /", "-f", "::1", " 1.2.3.4"})
        EXPECT_FALSE(ws::IsIPv4Address(bad)) << bad;
    EXPECT_FALSE(ws::IsIPv4Address(nullptr));
    EXPECT_EQ(ws::inet_addr("bogus"), INADDR_NONE);
    EXPECT_EQ(ntohl(ws::inet_addr("192.168.1.2")), 0xC0A80102u);
}
