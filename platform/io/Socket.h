// A blocking TCP socket in the shape of the framework socket class the link's client socket derives
// from. A blocking receive waits in short slices and asks OnMessagePending between them, so a
// derived class can give up on a wait (CancelBlockingCall) when a thread message tells it to.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/io/Winsock.h"

#include <atomic>

class CSocket {
public:
    CSocket() = default;
    virtual ~CSocket();
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    // Takes over an open socket (closing the one held); FALSE for INVALID_SOCKET.
    BOOL Attach(SOCKET s);
    SOCKET Detach();
    void Close();

    // Blocks until data, a close or an error: the count, 0 when the peer closed, SOCKET_ERROR on
    // failure (ws::WSAGetLastError; WSAEINTR after CancelBlockingCall, WSAENOTSOCK without a socket).
    virtual int Receive(void* buf, int len, int flags = 0);
    // Ends the blocking call in progress on this socket; harmless when none runs.
    void CancelBlockingCall();
    BOOL IsBlocking() const { return m_bBlocking.load(); }

    // Data arrived (the owner of the socket calls it); nothing here.
    virtual void OnReceive(int nErrorCode);
    // Called between the slices of a blocking wait; TRUE when it handled a message.
    virtual BOOL OnMessagePending();

    std::atomic<SOCKET> m_hSocket{INVALID_SOCKET};

    // One slice of a blocking wait.
    static constexpr DWORD kBlockingSliceMs = 50;

private:
    std::atomic<int> m_bBlocking{0};
    std::atomic<int> m_bCancelled{0};
};
