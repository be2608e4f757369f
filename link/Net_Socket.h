// The TCP client of the device's WIFI module: one socket with fixed time-outs, the same-subnet test
// over the local adapters, the reachability probe and the idle ping thread that runs it every 500 ms.
// The link worker, the update poll thread and the UI thread all use one object; opening and closing
// the socket are serialised, and every sleep here ends at once when the ping is stopped.
#pragma once

#include "link/NetTransport.h"
#include "platform/core/WinTypes.h"
#include "platform/io/Winsock.h"

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <vector>

class CPing_Net_Thread;

// Posted to the main view (wParam 0, lParam 0).
constexpr UINT WM_NET_RETRY = 0x499;
constexpr UINT WM_NET_CONNECT = 0x49D;
constexpr UINT WM_NET_REACHABLE = 0x5F4;

constexpr int NET_DEFAULT_PORT = 8899;
// The WIFI module's own address, put back by a module reset.
inline constexpr const char g_strDefaultDevIP[] = "10.10.100.254";

// Reconnects made by the view's retry handler.
extern std::atomic<int> g_nNetRetry;

class CNet_Socket : public CNetTransport {
public:
    // Starts the ping thread (its timer off).
    CNet_Socket();
    // Ends the ping thread and closes the socket.
    ~CNet_Socket() override;
    CNet_Socket(const CNet_Socket&) = delete;
    CNet_Socket& operator=(const CNet_Socket&) = delete;

    // The window that receives WM_NET_REACHABLE.
    void SetOwner(HWND owner) { m_hOwner = owner; }
    HWND GetOwner() const { return m_hOwner.load(); }

    // The ping thread's 500 ms timer: each tick runs CheckReachable.
    void StartPing();
    // Stops the timer; once it returns no tick posts any more. With FALSE the thread ends too.
    void StopPing(BOOL bKeepThread);
    // Timer ticks the ping thread has run (for tests and the monitor).
    int GetPingTicks() const;
    BOOL IsPingRunning() const;

    BOOL HasLocalAdapter() override;
    BOOL FindLocalAdapter();
    // Counts the octets whose mask octet is 255 and, among them, those where the two addresses
    // agree; TRUE when both counts are equal and at least one octet was masked.
    static BOOL IsSameSubnet(const char* mask, const char* localIp, const char* deviceIp);

    BOOL Connect() override;
    BOOL Close() override;
    BOOL Send(const BYTE* data, int length, int flags) override;
    int Receive(int* count) override;
    // The same with at most 16 bytes.
    int ReceiveShort(int* count) override;
    BOOL SetReceiveTimeout(int ms) override;
    // poll() on the socket: 1 when a receive would not block (data, close, error or no socket).
    int WaitReadable(DWORD timeoutMs) override;
    BOOL IsReachable() override { return m_bReachable.load(); }
    BOOL IsConnected() const { return m_hSocket.load() != INVALID_SOCKET; }

    // Runs the probe against the device address (checked as a dotted IPv4 address first). The probe
    // runs on a helper thread; the wait for it ends at once (FALSE) while waits are aborted.
    BOOL PingDevice();
    // Cuts short every probe wait, now and until ResumeWaits (the link worker is being stopped).
    void AbortWaits();
    void ResumeWaits();
    // One reachability step; runFlag is the ping timer's run flag. Sets m_bReachable before it
    // posts WM_NET_REACHABLE, and posts only while the run flag holds.
    int CheckReachable(const std::atomic<int>* runFlag);

    // The module restarts (an update ended, a WIFI reset): it counts as unreachable until it answers
    // the probe again, and a reachability step already running does not set it back.
    void MarkUnreachable();

    // Sleeps that end early when the run flag drops; FALSE when cut short.
    BOOL SleepWhileRunning(const std::atomic<int>* runFlag, DWORD ms);
    // Wakes every such sleep (the run flag was just cleared).
    void WakeSleepers();

    // The device address as the link uses it (a copy of g_strDevIP taken under g_linkLock).
    static std::string DeviceAddress();

    // Pauses of the reachability step: after each step, and before the connect after an update.
    DWORD m_nSettleMs = 1000;
    DWORD m_nRestartWaitMs = 5000;

    std::atomic<int> m_bReachable{0};
    std::atomic<int> m_bPingOk{0};
    int m_nSendTimeout = 1000;
    std::atomic<int> m_nRecvTimeout{1000};
    std::string m_strLocalMask;
    std::string m_strLocalIP;
    char m_szPingOut[1024] = {};

private:
    friend class CPing_Net_Thread;
    int ReceiveInto(int maxBytes, int* count);

    std::atomic<HWND> m_hOwner{nullptr};
    std::mutex m_postLock;                        // the run flag's last check and the post it allows
    std::atomic<unsigned> m_nUnreachableMarks{0}; // MarkUnreachable calls, under m_postLock
    std::mutex m_socketLock;                      // Connect and Close
    std::atomic<SOCKET> m_hSocket{INVALID_SOCKET};
    std::mutex m_adapterLock; // m_strLocalMask, m_strLocalIP, m_szPingOut
    std::atomic<int> m_bAbort{0};
    HANDLE m_hAbort; // manual reset, set while m_bAbort is
    std::mutex m_probeLock;
    std::vector<std::future<void>> m_probes; // probes still running (joined before they are dropped)
    std::mutex m_sleepLock;
    std::condition_variable m_sleepWake;
    CPing_Net_Thread* m_pPingThread = nullptr;
};
