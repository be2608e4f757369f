// The link worker: one thread that carries out one transaction after another (write the head of
// the send queue, read until its answer was parsed), driven by four manual-reset events. It
// reaches the UI only by posting messages (and the one sent system-record notice); every wait of
// it (event wait, sleeps, transport reads) ends at once when the quit event is set.
#pragma once

#include "platform/core/WinTypes.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

class CKTVCommand;
class CLinkHost;
class CWinThread;

// Event indices, in wait order: the lowest set one wins.
constexpr int LINK_EVENT_QUIT = 0;
constexpr int LINK_EVENT_SUSPEND = 1;
constexpr int LINK_EVENT_FIRMWARE = 2;
constexpr int LINK_EVENT_TRANSFER = 3;
constexpr int LINK_EVENT_COUNT = 4;

constexpr UINT LINK_THREAD_EXIT_CODE = 100;

// Result of the worker's transport waits when the quit event cut them short.
constexpr int LINK_IO_QUIT = -1;

// The fixed time limits of the transactions, in milliseconds. Tests shorten them.
struct LinkTimings {
    DWORD eventWait = 5000;   // the worker's idle wait for its events
    DWORD cyclePause = 5;     // after a poll cycle; a marked change ends it at once
    DWORD notReadyPause = 50; // transport not enabled
    DWORD usbReadWait = 5000; // one report read
    DWORD usbLongReadWait = 50000;
    DWORD usbAnswer = 3000; // a started answer must be complete by then (from the stamp)
    DWORD usbLongAnswer = 50000;
    DWORD usbWriteWait = 20; // one report write
    DWORD usbFailPause = 10;
    DWORD netReceive = 1000;      // the socket's receive time-out
    DWORD netAnswer = 4000;       // a complete answer within this of the stamp
    DWORD reconnectPause = 2000;  // between close and connect
    DWORD wifiResetFirst = 30000; // after a WIFI reset was sent: then g_bTransferBusy = 0
    DWORD wifiResetSecond = 4000; // then WM_WIFI_RESET_DONE
    DWORD slice = 50;             // longest transport wait between two looks at the quit event
};

class CLinkWorker {
public:
    CLinkWorker(CKTVCommand& command, CLinkHost& host);
    // Stops a worker still running.
    ~CLinkWorker();
    CLinkWorker(const CLinkWorker&) = delete;
    CLinkWorker& operator=(const CLinkWorker&) = delete;

    // ---- Control (UI thread) ----
    // Creates the four events (none set) and the thread, which waits for Resume; running 1,
    // not-suspended 0.
    BOOL Create();
    // Resumes the thread when its not-suspended flag is clear: it waits on its resume and quit
    // events while suspended.
    void Resume();
    // With no worker: creates it, sets the firmware or the transfer event, resumes it; TRUE then.
    // An existing worker is left unchanged (FALSE).
    BOOL Start(BOOL firmwareMode);
    // Sets the quit event and joins the worker (serving messages sent to this thread meanwhile);
    // a suspended worker leaves from its wait for Resume. The failure and empty-answer notices
    // still queued for the owner are dropped. With release forgets it (running 0, not-suspended 1)
    // and resets the events. Never from the worker.
    void Stop(BOOL release);
    BOOL Exists() const { return m_pThread != nullptr; }
    BOOL IsRunning() const { return m_bRunning.load(); }
    BOOL IsNotSuspended() const { return m_bNotSuspended.load(); }
    // Event waits that timed out with no event set: each one is a pass in which nothing was done.
    int GetIdlePasses() const { return m_nIdlePasses.load(); }

    // ---- Events (any thread) ----
    void SetEvent(int index);
    void ResetEvent(int index);
    BOOL IsEventSet(int index) const;

    // Any thread: a packet was queued. A worker pausing between cycles goes on at once; the pauses
    // after the packet's own cycles stay.
    void WakeForPacket();
    // Any thread: a change was marked for the scheduler (the model side, which knows no worker).
    // The running worker makes no pause until the scheduler has run again, so the change follows
    // the transaction on the wire at once.
    static void NotifyChange();

    LinkTimings& Timings() { return m_timings; }
    CKTVCommand& Command() { return m_command; }
    CLinkHost& Host() { return m_host; }

    // ---- The worker (its own thread; public for the firmware cycles and tests) ----
    static UINT LinkThreadProc(LPVOID param);
    // One pass of the loop after the event wait; FALSE when the worker must leave.
    BOOL RunOnce();
    void UsbTransferCycle();
    int UsbWrite();
    int UsbRead();
    // Feeds g_hidInReport to the parser; 1 when a frame completed.
    int FeedUsbReport();
    void NetTransferCycle();
    int NetWrite();
    int NetRead();

    // ---- Primitives shared with the firmware cycles (worker thread) ----
    // Sleeps ms; FALSE (at once) when the quit event is set.
    BOOL Sleep(DWORD ms);
    BOOL QuitRequested() const;
    void TakeTimeStamp();
    // Milliseconds since the cycle's time stamp.
    LONGLONG ElapsedMs() const;
    // Posts to the command link's owner.
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    // One input report into g_hidInReport within timeoutMs: HID_IO_OK, HID_IO_TIMEOUT, HID_IO_ERROR
    // (no device or gone), or LINK_IO_QUIT.
    int ReadUsbReport(DWORD timeoutMs);
    // One output report (65 bytes); HID_IO_* as above.
    int WriteUsbReport(const BYTE* report, DWORD timeoutMs);
    // One network receive into g_netRecvBuf after at most timeoutMs: the transport's Receive
    // result (count or socket error), 10060 when nothing came in time, LINK_IO_QUIT when quit.
    // *count gets the raw count (-1 on error or time-out). A short receive takes at most 16 bytes
    // (the firmware answers).
    int NetReceive(DWORD timeoutMs, int* count, BOOL shortReceive = FALSE);
    // Feeds count bytes of g_netRecvBuf; 1 when a frame completed.
    int FeedNet(int count);
    // Close, pause, connect again; TRUE when connected (FALSE also when quit cut the pause short).
    BOOL ReconnectNet();
    // Appends the scheduler's next frame (or the idle poll) under g_linkLock.
    void AppendNextChangeFrame();

private:
    // After a feed: the notice the dispatcher asked to send, with the lock released.
    void SendPendingViewNotice();
    DWORD WaitEvents(DWORD timeoutMs);
    // Suspended: waits for Resume; FALSE when quit came first.
    BOOL WaitResumed();
    // Between transfer cycles: the pause, cut short by a change or quit.
    void CyclePause();
    // Calls step with waits of at most one slice until it reports a result (TRUE) or timeoutMs has
    // passed (timeoutResult); LINK_IO_QUIT as soon as the quit event is seen.
    int SlicedWait(DWORD timeoutMs, int timeoutResult,
                   const std::function<BOOL(DWORD slice, int* result)>& step);
    // The head packet's serial number, 0 when the queue is empty.
    std::uint64_t HeadSerial() const;

    CKTVCommand& m_command;
    CLinkHost& m_host;
    LinkTimings m_timings;
    CWinThread* m_pThread = nullptr;
    HANDLE m_events[LINK_EVENT_COUNT] = {};
    HANDLE m_hResume = nullptr; // automatic reset
    HANDLE m_hChange = nullptr; // automatic reset
    std::atomic<int> m_bRunning{0};
    std::atomic<int> m_bNotSuspended{1};
    std::atomic<int> m_nIdlePasses{0};
    std::chrono::steady_clock::time_point m_stamp{};
    std::atomic<bool> m_bChangeQueued{false}; // the last cycle queued a change, not the poll
    std::uint64_t m_nKeptAttemptSerial = 0;   // the packet whose failed send was not counted
};
