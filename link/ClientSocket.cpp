#include "link/ClientSocket.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "platform/core/Messages.h"
#include "platform/core/Time.h"

#include <cstring>
#include <mutex>

CClientSocket::~CClientSocket() {
    Close();
}

void CClientSocket::OnReceive(int nErrorCode) {
    m_bTiming = 0;
    // Received aside and copied under g_linkLock: the link worker uses the same buffer.
    char buf[NET_RECV_SIZE];
    const int count = Receive(buf, NET_RECV_SIZE);
    if (m_pCommand && count != 0)
        Sleep(10); // let the rest of a frame arrive
    {
        std::lock_guard lock(g_linkLock);
        if (count > 0)
            std::memcpy(g_netRecvBuf, buf, static_cast<size_t>(count));
        if (m_pCommand)
            m_pCommand->FeedNetData(count);
    }
    CSocket::OnReceive(nErrorCode);
}

BOOL CClientSocket::OnMessagePending() {
    MSG msg;
    if (m_bTiming && PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
        m_spanWait = std::chrono::seconds(std::time(nullptr) - m_timeStart);
        if (m_spanWait.count() > 1) {
            PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE);
            CancelBlockingCall();
            return FALSE;
        }
    }
    return CSocket::OnMessagePending();
}

UINT CClientSocket::StartWaitTiming() {
    m_timeStart = std::time(nullptr);
    m_bTiming = 1;
    return m_nTimerId;
}

void CClientSocket::StopWaitTiming() {
    m_bTiming = 0;
    KillTimer(nullptr, m_nTimerId);
}

int CClientSocket::ReceiveToBuffer() {
    char buf[NET_RECV_SIZE];
    const int count = Receive(buf, NET_RECV_SIZE);
    if (count > 0) {
        std::lock_guard lock(g_linkLock);
        std::memcpy(g_netRecvBuf, buf, static_cast<size_t>(count));
    }
    OnDataReceived(count);
    return count;
}

void CClientSocket::OnDataReceived(int) {}

void CClientSocket::OnReportSent(const BYTE*, int) {}
