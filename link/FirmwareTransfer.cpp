#include "link/FirmwareTransfer.h"

#include "link/ClientSocket.h"
#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkMessages.h"
#include "link/LinkViewServices.h"
#include "link/LinkWorker.h"
#include "link/NetTransport.h"
#include "model/Globals.h"
#include "platform/io/HidDevice.h"
#include "platform/io/Winsock.h"

#include <algorithm>
#include <cstring>
#include <mutex>

std::atomic<int> g_nCurFwStep{0};

namespace {

inline constexpr const char kConnectedUsb[] = "Connected Usb";
inline constexpr const char kConnectedUsbCn[] = "连接Usb";
inline constexpr const char kConnectedNet[] = "Connected NetWork";
inline constexpr const char kConnectedNetCn[] = "连接网络";
inline constexpr const char kErasing[] = "Erasing......";
inline constexpr const char kErasingCn[] = "正在擦除......";

} // namespace

void CFirmwareTransfer::FillHandshake(BYTE* report) {
    report[0] = 0;
    for (int i = 1; i < HID_REPORT_SIZE; i += 2) {
        report[i] = 0x43;
        report[i + 1] = 0x11;
    }
}

int CFirmwareTransfer::UsbWaits(int step) {
    switch (step) {
    case FW_STEP_APPLY:
        return 3;
    case FW_STEP_START:
        return 8;
    case FW_STEP_DATA:
    case FW_STEP_END:
        return 2;
    case FW_STEP_REQUEST_INFO:
        return 40;
    case FW_STEP_MCU_DATA:
        return 10;
    case FW_STEP_END_INF:
        return 20;
    default:
        return 2;
    }
}

DWORD CFirmwareTransfer::NetTimeout(int step) {
    switch (step) {
    case FW_STEP_APPLY:
        return 10000;
    case FW_STEP_START:
        return 8000;
    case FW_STEP_DATA:
        return 2000;
    case FW_STEP_END:
        return 4000;
    case FW_STEP_REQUEST_INFO:
        return 50000;
    case FW_STEP_MCU_DATA:
        return 10000;
    case FW_STEP_END_INF:
        return 8000;
    default:
        return 2000;
    }
}

void CFirmwareTransfer::ReportSent(const BYTE* report) {
    if (CClientSocket* socket = m_pClientSocket.load())
        socket->OnReportSent(report, HID_REPORT_SIZE);
}

void CFirmwareTransfer::Status(const char* en, const char* cn) {
    if (!g_bUpdateAborting.load())
        LinkViewServices().SetUpdateProgress(g_nUpdateBarPos.load(), LangText(en, cn));
}

void CFirmwareTransfer::Fail(CLinkWorker& worker, BOOL suspend) {
    if (suspend)
        worker.SetEvent(LINK_EVENT_SUSPEND);
    worker.Post(WM_LINK_FAILED, 0, 0);
}

BOOL CFirmwareTransfer::CountAttempt(CLinkWorker& worker, int allowed) {
    int attempt = 0;
    {
        std::lock_guard lock(g_linkLock);
        CSendData* head = worker.Command().GetHeadPacket();
        if (!head)
            return FALSE;
        attempt = head->GetRetryCount() + 1;
        head->SetRetryCount(attempt);
    }
    if (attempt <= allowed)
        return TRUE;
    // Report the failure once; until the view stops the worker nothing more is sent.
    if (attempt == allowed + 1)
        Fail(worker, FALSE);
    else
        worker.Sleep(m_timings.emptyPause);
    return FALSE;
}

int CFirmwareTransfer::HeadStep(CLinkWorker& worker) {
    std::lock_guard lock(g_linkLock);
    CSendDataQueue& queue = worker.Command().Queue();
    if (queue.GetQueueCount() == 0)
        m_image.QueueNextFrames(queue);
    CSendData* head = queue.GetHeadPacket();
    return head ? head->GetStepCode() : -1;
}

BOOL CFirmwareTransfer::Reachable(CLinkWorker& worker) const {
    if (m_hooks.isReachable)
        return m_hooks.isReachable();
    CNetTransport* net = worker.Host().GetNetTransport();
    return net && net->IsReachable();
}

BOOL CFirmwareTransfer::Reconnect(CLinkWorker& worker, DWORD pauseMs) {
    CNetTransport* net = worker.Host().GetNetTransport();
    if (!net)
        return FALSE;
    net->Close();
    if (!worker.Sleep(pauseMs))
        return FALSE;
    return net->Connect();
}

int CFirmwareTransfer::Handshake(CLinkWorker& worker, DWORD limitMs, DWORD pauseMs,
                                 const std::function<BOOL(const BYTE* report)>& send) {
    BYTE report[HID_REPORT_SIZE];
    FillHandshake(report);
    while (worker.ElapsedMs() <= static_cast<LONGLONG>(limitMs)) {
        if (worker.QuitRequested() || !send(report))
            return 0;
        if (pauseMs && !worker.Sleep(pauseMs))
            return 0;
    }
    std::lock_guard lock(g_linkLock);
    worker.Command().RemoveHead();
    return 0;
}

// ---- USB ----------------------------------------------------------------------------------------

void CFirmwareTransfer::UsbCycle(CLinkWorker& worker) {
    worker.TakeTimeStamp();
    if (UsbWrite(worker) == 1)
        UsbRead(worker);
}

int CFirmwareTransfer::UsbWrite(CLinkWorker& worker) {
    if (!worker.Host().GetUsbDevice() || !g_bUsbEnabled.load())
        return 0;
    int step = HeadStep(worker);
    if (step < 0) {
        worker.Sleep(m_timings.emptyPause);
        return 0;
    }
    g_nCurFwStep = step;
    int allowed = step == FW_STEP_HANDSHAKE ? 2 : UsbAttempts(step);
    if (!CountAttempt(worker, allowed))
        return 0;

    if (step == FW_STEP_HANDSHAKE) {
        Status(kConnectedUsb, kConnectedUsbCn);
        // One report, then a pause of the same length as the write may take.
        return Handshake(worker, m_timings.usbHandshake, m_timings.usbReportPause, [&](const BYTE* report) {
            const int w = worker.WriteUsbReport(report, m_timings.usbReportPause);
            if (w == HID_IO_OK)
                ReportSent(report);
            return w != LINK_IO_QUIT;
        });
    }

    int r = HID_IO_OK;
    {
        std::lock_guard lock(g_linkLock);
        CSendData* head = worker.Command().GetHeadPacket();
        // A frame already handed over is read again; only a RESEND answer rewinds it.
        if (!head || !head->NextHidReport())
            return 1;
    }
    r = worker.WriteUsbReport(g_hidOutReport, m_timings.usbWriteWait);
    if (r == LINK_IO_QUIT)
        return 0;
    if (r != HID_IO_OK) {
        // The report did not go out whole: the device is gone or hangs.
        Fail(worker, TRUE);
        return 0;
    }
    ReportSent(g_hidOutReport);
    return 1;
}

int CFirmwareTransfer::UsbApplyRestart(CLinkWorker& worker) {
    if (!worker.Sleep(m_timings.applyRestart))
        return 0;
    if (m_hooks.forgetUsbPath)
        m_hooks.forgetUsbPath();
    BOOL reopened = m_hooks.reopenUsb ? m_hooks.reopenUsb() : FALSE;
    if (!reopened)
        Fail(worker, TRUE);
    return 1;
}

int CFirmwareTransfer::UsbRead(CLinkWorker& worker) {
    const int step = g_nCurFwStep.load();
    const int waits = UsbWaits(step);
    if (step == FW_STEP_REQUEST_INFO)
        Status(kErasing, kErasingCn);
    for (;;) {
        if (!g_bUsbEnabled.load())
            return 0;
        int r = HID_IO_TIMEOUT;
        for (int i = 0; i < waits && r == HID_IO_TIMEOUT; ++i) {
            r = worker.ReadUsbReport(m_timings.usbWaitSlice);
            if (r == LINK_IO_QUIT)
                return 0;
            if (!g_bUsbEnabled.load())
                return 0;
        }
        if (r == HID_IO_TIMEOUT) {
            g_bUsbEnabled = 0;
            Fail(worker, TRUE);
            return step == FW_STEP_APPLY ? UsbApplyRestart(worker) : 0;
        }
        if (r != HID_IO_OK) {
            Fail(worker, TRUE);
            return 0;
        }
        if (g_bUpdateAborting.load())
            return 1;
        // Only the answer to the current step is fed; other reports are stray.
        if (g_hidInReport[1 + LinkFrame::OFS_INDEX] == step && worker.FeedUsbReport() == 1)
            return step == FW_STEP_APPLY ? UsbApplyRestart(worker) : 1;

        BOOL resend = FALSE;
        {
            std::lock_guard lock(g_linkLock);
            CSendData* head = worker.Command().GetHeadPacket();
            resend = head && head->IsResend();
        }
        if (resend) {
            if (step == FW_STEP_REQUEST_INFO)
                return 0;
            Fail(worker, TRUE);
            return 0;
        }
        if (worker.ElapsedMs() > static_cast<LONGLONG>(waits) * m_timings.usbWaitSlice) {
            worker.Sleep(m_timings.usbFailPause);
            Fail(worker, TRUE);
            return 0;
        }
    }
}

// ---- Network ------------------------------------------------------------------------------------

void CFirmwareTransfer::NetCycle(CLinkWorker& worker) {
    if (!Reachable(worker)) {
        worker.Sleep(m_timings.notReachablePause);
        return;
    }
    worker.TakeTimeStamp();
    if (NetWrite(worker) == 1)
        NetRead(worker);
}

int CFirmwareTransfer::NetWrite(CLinkWorker& worker) {
    CNetTransport* net = worker.Host().GetNetTransport();
    if (!Reachable(worker) || !net)
        return 0;
    int step = HeadStep(worker);
    if (step < 0) {
        worker.Sleep(m_timings.emptyPause);
        return 0;
    }
    g_nCurFwStep = step;
    if (!CountAttempt(worker, NET_ATTEMPTS))
        return 0;

    if (step == FW_STEP_HANDSHAKE) {
        Status(kConnectedNet, kConnectedNetCn);
        // Back to back: the network handshake makes no pause between reports.
        return Handshake(worker, m_timings.netHandshake, 0, [&](const BYTE* report) {
            if (net->Send(report, HID_REPORT_SIZE, 0)) {
                ReportSent(report);
                return TRUE;
            }
            return Reconnect(worker, m_timings.netReconnectPause);
        });
    }

    BYTE block[HID_REPORT_SIZE] = {};
    {
        std::lock_guard lock(g_linkLock);
        CSendData* head = worker.Command().GetHeadPacket();
        if (!head)
            return 0;
        head->Rewind();
        int n = std::min(head->GetSize(), HID_REPORT_SIZE - 1);
        std::memcpy(block + 1, head->GetData(), static_cast<size_t>(n));
    }
    while (!net->Send(block, HID_REPORT_SIZE, 0)) {
        net->Close();
        if (!worker.Sleep(m_timings.netSendFailPause))
            return 0;
        if (!Reachable(worker)) {
            Fail(worker, FALSE);
            return 0;
        }
        // Each new try counts against the packet's attempts, so a refusing device fails the update.
        if (!CountAttempt(worker, NET_ATTEMPTS) || !net->Connect())
            return 0;
    }
    ReportSent(block);
    return 1;
}

int CFirmwareTransfer::NetRead(CLinkWorker& worker) {
    const int step = g_nCurFwStep.load();
    if (step == FW_STEP_END) {
        // The update counts as done once its last frame went out.
        worker.Command().FinishFirmwareProgress();
        return 1;
    }
    DWORD timeout = NetTimeout(step) / static_cast<DWORD>(std::max(1, m_timings.netTimeoutScale));
    // The socket's own time-out bounds each receive as well; a socket that refuses it is closed,
    // and the receive below fails into the reconnect.
    if (CNetTransport* net = worker.Host().GetNetTransport())
        net->SetReceiveTimeout(static_cast<int>(timeout));
    if (step == FW_STEP_REQUEST_INFO)
        Status(kErasing, kErasingCn);
    if (!Reachable(worker))
        return 0;
    const LONGLONG deadline = worker.ElapsedMs() + static_cast<LONGLONG>(timeout);
    for (;;) {
        LONGLONG left = deadline - worker.ElapsedMs();
        int count = -1;
        // The answers are short: at most 16 bytes a receive, the rest stays for the next one.
        int r = left > 0 ? worker.NetReceive(static_cast<DWORD>(left), &count, TRUE) : WSAETIMEDOUT;
        if (r == LINK_IO_QUIT)
            return 0;
        if (count > 0) {
            if (worker.FeedNet(count) == 1)
                return 1;
            continue; // a frame split over segments: receive again within the step's time
        }
        if (r == WSAETIMEDOUT) {
            if (Reachable(worker)) {
                Reconnect(worker, 0);
            } else {
                Fail(worker, FALSE);
            }
            return 1;
        }
        // Reset, aborted, closed by the device or any other hard error: never spin on it.
        if (!worker.Sleep(m_timings.netReconnectPause))
            return 0;
        if (Reachable(worker))
            Reconnect(worker, 0);
        else
            Fail(worker, FALSE);
        return 1;
    }
}
