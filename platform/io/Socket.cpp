#include "platform/io/Socket.h"

CSocket::~CSocket() {
    Close();
}

BOOL CSocket::Attach(SOCKET s) {
    if (s == INVALID_SOCKET)
        return FALSE;
    Close();
    m_hSocket = s;
    return TRUE;
}

SOCKET CSocket::Detach() {
    return m_hSocket.exchange(INVALID_SOCKET);
}

void CSocket::Close() {
    if (SOCKET s = m_hSocket.exchange(INVALID_SOCKET); s != INVALID_SOCKET)
        ws::closesocket(s);
}

int CSocket::Receive(void* buf, int len, int flags) {
    const SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET) {
        ws::WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    m_bCancelled = 0;
    m_bBlocking = 1;
    int result = SOCKET_ERROR;
    for (;;) {
        // A cancel made by OnMessagePending is seen before the next wait, never lost to it.
        if (m_bCancelled.exchange(0)) {
            ws::WSASetLastError(WSAEINTR);
            break;
        }
        if (ws::WaitReadable(s, kBlockingSliceMs)) {
            result = ws::recv(s, static_cast<char*>(buf), len, flags);
            break;
        }
        OnMessagePending();
    }
    m_bBlocking = 0;
    return result;
}

void CSocket::CancelBlockingCall() {
    if (m_bBlocking.load())
        m_bCancelled = 1;
}

void CSocket::OnReceive(int) {}

BOOL CSocket::OnMessagePending() {
    return FALSE;
}
