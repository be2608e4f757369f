// The second network client the main view holds. Nothing creates or connects its socket, so it only
// ever closes; the firmware writers hand it every report they send, which it ignores.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/io/Socket.h"

#include <chrono>
#include <ctime>

class CKTVCommand;

class CClientSocket : public CSocket {
public:
    CClientSocket() = default;
    ~CClientSocket() override;

    // Stops the wait timing, takes up to NET_RECV_SIZE bytes into g_netRecvBuf and, with a command
    // link set, feeds them to its parser.
    void OnReceive(int nErrorCode) override;
    // A waiting thread timer tick gives up a blocking call once the timed wait is over a second old.
    BOOL OnMessagePending() override;

    // Starts the timing of a blocking wait; the id of its thread timer.
    UINT StartWaitTiming();
    void StopWaitTiming();
    // Takes up to NET_RECV_SIZE bytes into g_netRecvBuf and passes the count to OnDataReceived.
    int ReceiveToBuffer();
    virtual void OnDataReceived(int count);
    // Nothing is ever pending on this socket.
    int GetPendingCount() const { return 0; }
    // Every report a firmware writer sends (link worker thread); ignored.
    virtual void OnReportSent(const BYTE* data, int length);

    CKTVCommand* m_pCommand = nullptr; // the view's command link
    UINT m_nTimerId = 0;
    int m_bTiming = 0;
    std::time_t m_timeStart = 0;
    std::chrono::seconds m_spanWait{0};
};
