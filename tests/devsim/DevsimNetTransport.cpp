#include "DevsimNetTransport.h"

#include "link/LinkGlobals.h"
#include "platform/io/Winsock.h"

#include <poll.h>

CDevsimNetTransport::~CDevsimNetTransport() {
    Close();
}

BOOL CDevsimNetTransport::Connect() {
    std::lock_guard lock(m_lock);
    if (m_socket.load() >= 0)
        ws::closesocket(m_socket.exchange(-1));
    ++m_connects;
    const SOCKET s = ws::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return FALSE;
    const DWORD timeout = 1000;
    ws::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    ws::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = ws::inet_addr("127.0.0.1");
    a.sin_port = htons(m_port);
    if (ws::connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        ws::closesocket(s);
        return FALSE;
    }
    m_socket = s;
    return TRUE;
}

BOOL CDevsimNetTransport::Close() {
    std::lock_guard lock(m_lock);
    const int s = m_socket.exchange(-1);
    if (s >= 0)
        ws::closesocket(s);
    return TRUE;
}

BOOL CDevsimNetTransport::Send(const BYTE* data, int length, int flags) {
    const int s = m_socket.load();
    if (s < 0)
        return FALSE;
    return ws::send(s, reinterpret_cast<const char*>(data), length, flags) == length;
}

int CDevsimNetTransport::Receive(int* count) {
    const int s = m_socket.load();
    if (s < 0) {
        *count = -1;
        return 0;
    }
    const int n = ws::recv(s, g_netRecvBuf, NET_RECV_SIZE, 0);
    *count = n;
    if (n >= 0)
        return n;
    const int err = ws::WSAGetLastError();
    switch (err) {
    case WSAEWOULDBLOCK:
    case WSAECONNABORTED:
    case WSAECONNRESET:
    case WSAETIMEDOUT:
        return err;
    default:
        return 0;
    }
}

int CDevsimNetTransport::WaitReadable(DWORD timeoutMs) {
    const int s = m_socket.load();
    if (s < 0)
        return 1;
    pollfd p{s, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(timeoutMs)) != 0 ? 1 : 0;
}
