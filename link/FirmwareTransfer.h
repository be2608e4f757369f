// The link worker's firmware-update cycles over USB and the network: one 65-byte report per frame,
// a handshake before the first frame, a wait and a retry rule per step. Runs on the link worker; it
// uses the worker's primitives, so every wait ends at once when the quit event is set.
#pragma once

#include "link/FirmwareImage.h"
#include "platform/core/WinTypes.h"

#include <atomic>
#include <functional>

class CClientSocket;
class CLinkWorker;

// Step code of the firmware packet written last (0 until the first update); the removal of the
// open device looks at it.
extern std::atomic<int> g_nCurFwStep;

// Time limits of the update, in milliseconds. Tests shorten them.
struct FirmwareTimings {
    DWORD usbHandshake = 1000; // handshake reports, from the cycle's time stamp
    DWORD netHandshake = 4000;
    DWORD usbReportPause = 5;  // between handshake reports
    DWORD usbWriteWait = 1000; // a frame's report not written by then fails the update
    DWORD usbWaitSlice = 1000; // one report wait; each step allows a number of them
    DWORD applyRestart = 5000; // the device restarts after HEXApply (USB)
    DWORD emptyPause = 50;     // nothing to send
    DWORD notReachablePause = 100;
    DWORD netReconnectPause = 2000;
    DWORD netSendFailPause = 1000;
    DWORD usbFailPause = 10;
    int netTimeoutScale = 1; // divides the per-step receive time-outs (tests)
};

class CFirmwareTransfer {
public:
    struct Hooks {
        // USB: forget the open path in the register, and reopen the device after its restart.
        std::function<void()> forgetUsbPath;
        std::function<BOOL()> reopenUsb;
        // Network: the device answered the reachability probe (default: the transport says).
        std::function<BOOL()> isReachable;
    };

    explicit CFirmwareTransfer(CFirmwareImage& image) : m_image(image) {}

    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // Told of every report the writers send (the view's client socket).
    void SetClientSocket(CClientSocket* socket) { m_pClientSocket = socket; }
    FirmwareTimings& Timings() { return m_timings; }
    CFirmwareImage& Image() { return m_image; }

    // USB firmware cycle: time stamp, write, and read when a frame was written.
    void UsbCycle(CLinkWorker& worker);
    int UsbWrite(CLinkWorker& worker);
    int UsbRead(CLinkWorker& worker);
    // Network firmware cycle.
    void NetCycle(CLinkWorker& worker);
    int NetWrite(CLinkWorker& worker);
    int NetRead(CLinkWorker& worker);

    // Report waits of a step on USB (1000 ms each), and the socket receive time-out of a step.
    static int UsbWaits(int step);
    static DWORD NetTimeout(int step);
    // Attempts allowed per packet on USB (the next one fails the update).
    static int UsbAttempts(int step) { return step == FW_STEP_REQUEST_INFO ? 4 : 2; }
    static constexpr int NET_ATTEMPTS = 2;

    // The 65-byte handshake report: 0, then 0x43 0x11 repeated.
    static void FillHandshake(BYTE* report);

private:
    // Retry count + 1; FALSE (failure posted once) when the packet is out of attempts.
    BOOL CountAttempt(CLinkWorker& worker, int allowed);
    void Fail(CLinkWorker& worker, BOOL suspend);
    void Status(const char* en, const char* cn);
    void ReportSent(const BYTE* report);
    // The hook when set, else the transport's own reachable flag.
    BOOL Reachable(CLinkWorker& worker) const;
    // Close, pause, connect again; FALSE when quit cut the pause short.
    BOOL Reconnect(CLinkWorker& worker, DWORD pauseMs);
    // The head's step, the queue refilled first when empty; -1 when there is nothing to send.
    int HeadStep(CLinkWorker& worker);
    int UsbApplyRestart(CLinkWorker& worker);
    // The handshake of both transports: send the handshake report, pause pauseMs (0: none), again
    // until limitMs have passed since the cycle's time stamp; then the handshake packet is dropped.
    // A send that returns FALSE ends the cycle with the packet kept. Always 0 (nothing to read).
    int Handshake(CLinkWorker& worker, DWORD limitMs, DWORD pauseMs,
                  const std::function<BOOL(const BYTE* report)>& send);

    CFirmwareImage& m_image;
    Hooks m_hooks;
    FirmwareTimings m_timings;
    std::atomic<CClientSocket*> m_pClientSocket{nullptr};
};
