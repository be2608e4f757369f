// The network transport as the link worker uses it: one TCP connection to the device's WIFI
// module. The network link (CNet_Socket) implements it; tests may install their own.
#pragma once

#include "platform/core/WinTypes.h"

class CNetTransport {
public:
    virtual ~CNetTransport() = default;
    // Opens the connection; TRUE when connected.
    virtual BOOL Connect() = 0;
    // Closes whatever is open; always TRUE.
    virtual BOOL Close() = 0;
    // Sends the whole buffer; TRUE when nothing failed.
    virtual BOOL Send(const BYTE* data, int length, int flags) = 0;
    // One receive of up to NET_RECV_SIZE bytes into g_netRecvBuf. *count gets the raw result (a
    // count, 0 when the peer closed, -1 on error). Returns the count, or on failure the socket
    // error when it is 10035, 10053, 10054 or 10060, else 0.
    virtual int Receive(int* count) = 0;
    // TRUE when a local adapter lies in the device's subnet.
    virtual BOOL HasLocalAdapter() = 0;
    // Waits at most timeoutMs for bytes (or a close or error) to read: 1 when Receive would not
    // block, 0 after the time-out. The worker waits in short slices so that its quit event is
    // seen at once. The default says 1: Receive then blocks up to the socket's own time-out.
    virtual int WaitReadable(DWORD /*timeoutMs*/) { return 1; }
    // Receive with at most 16 bytes (the firmware reads).
    virtual int ReceiveShort(int* count) { return Receive(count); }
    // The socket's receive time-out in milliseconds.
    virtual BOOL SetReceiveTimeout(int /*ms*/) { return TRUE; }
    // The device-reachable mark of the network link.
    virtual BOOL IsReachable() { return TRUE; }
};
