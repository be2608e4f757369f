#include "link/LinkWorker.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkMessages.h"
#include "link/NetTransport.h"
#include "model/Globals.h"
#include "model/LinkDocument.h"
#include "platform/core/Event.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "platform/core/WinThread.h"
#include "platform/io/HidDevice.h"
#include "platform/io/Winsock.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// The change event of the running worker, for NotifyChange.
std::atomic<HANDLE> g_hChangeWake{nullptr};
// A change was marked since the scheduler last ran: no pause until it has run again. The event
// alone would be used up by a pause that comes before the poll already queued went out.
std::atomic<bool> g_bChangePending{false};

void Recreate(HANDLE& h, BOOL manualReset) {
    if (h)
        CloseHandle(h);
    h = CreateEvent(nullptr, manualReset, FALSE, nullptr);
}

} // namespace

CLinkWorker::CLinkWorker(CKTVCommand& command, CLinkHost& host) : m_command(command), m_host(host) {
    // The model's setters wake the running worker through this (a no-op while none runs).
    SetChangeNotifier(&CLinkWorker::NotifyChange);
}

CLinkWorker::~CLinkWorker() {
    if (m_pThread)
        Stop(TRUE);
    HANDLE mine = m_hChange;
    g_hChangeWake.compare_exchange_strong(mine, nullptr);
    for (HANDLE* h : {&m_events[0], &m_events[1], &m_events[2], &m_events[3], &m_hResume, &m_hChange}) {
        if (*h)
            CloseHandle(*h);
        *h = nullptr;
    }
}

// ---- Control ---------------------------------------------------------------------------------

BOOL CLinkWorker::Create() {
    for (HANDLE& h : m_events)
        Recreate(h, TRUE);
    Recreate(m_hResume, FALSE);
    if (!m_hChange)
        m_hChange = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    m_bRunning = 1;
    m_bNotSuspended = 0;
    m_pThread =
        AfxBeginThread(&CLinkWorker::LinkThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pThread) {
        m_bRunning = 0;
        m_bNotSuspended = 1;
        return FALSE;
    }
    m_pThread->m_bAutoDelete = FALSE;
    g_hChangeWake = m_hChange;
    m_pThread->ResumeThread();
    return TRUE;
}

void CLinkWorker::Resume() {
    if (m_pThread && !m_bNotSuspended.load())
        ::SetEvent(m_hResume);
}

BOOL CLinkWorker::Start(BOOL firmwareMode) {
    if (m_pThread)
        return FALSE;
    if (!Create())
        return FALSE;
    SetEvent(firmwareMode ? LINK_EVENT_FIRMWARE : LINK_EVENT_TRANSFER);
    Resume();
    return TRUE;
}

void CLinkWorker::Stop(BOOL release) {
    if (!m_pThread)
        return;
    // Every wait of the worker includes the quit event, suspended or not.
    m_pThread->Stop([this] { SetEvent(LINK_EVENT_QUIT); });
    delete m_pThread;
    m_pThread = nullptr;
    // A failure the stopped worker posted belongs to the link being stopped; still queued, it
    // would close the next link opened before the owner's queue is served.
    if (HWND owner = m_command.GetOwner()) {
        r9::msg::RemovePending(owner, WM_LINK_FAILED);
        r9::msg::RemovePending(owner, WM_EMPTY_REPLY);
    }
    if (!release)
        return;
    m_bRunning = 0;
    m_bNotSuspended = 1;
    for (int i = 0; i < LINK_EVENT_COUNT; ++i)
        ResetEvent(i);
}

void CLinkWorker::SetEvent(int index) {
    if (index >= 0 && index < LINK_EVENT_COUNT && m_events[index])
        ::SetEvent(m_events[index]);
}

void CLinkWorker::ResetEvent(int index) {
    if (index >= 0 && index < LINK_EVENT_COUNT && m_events[index])
        ::ResetEvent(m_events[index]);
}

void CLinkWorker::WakeForPacket() {
    if (m_hChange)
        ::SetEvent(m_hChange);
}

void CLinkWorker::NotifyChange() {
    g_bChangePending = true;
    if (HANDLE h = g_hChangeWake.load())
        ::SetEvent(h);
}

BOOL CLinkWorker::IsEventSet(int index) const {
    if (index < 0 || index >= LINK_EVENT_COUNT || !m_events[index])
        return FALSE;
    return WaitForSingleObject(m_events[index], 0) == WAIT_OBJECT_0;
}

// ---- The worker loop -------------------------------------------------------------------------

UINT CLinkWorker::LinkThreadProc(LPVOID param) {
    auto* worker = static_cast<CLinkWorker*>(param);
    while (worker->RunOnce()) {
    }
    worker->m_bRunning = 0;
    return LINK_THREAD_EXIT_CODE;
}

BOOL CLinkWorker::WaitResumed() {
    const HANDLE wait[2] = {m_events[LINK_EVENT_QUIT], m_hResume};
    if (WaitForMultipleObjects(2, wait, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
        return FALSE;
    m_bNotSuspended = 1;
    return TRUE;
}

void CLinkWorker::CyclePause() {
    if (g_bChangePending.load())
        return;
    const HANDLE wait[2] = {m_events[LINK_EVENT_QUIT], m_hChange};
    WaitForMultipleObjects(2, wait, FALSE, m_timings.cyclePause);
}

DWORD CLinkWorker::WaitEvents(DWORD timeoutMs) {
    return WaitForMultipleObjects(LINK_EVENT_COUNT, m_events, FALSE, timeoutMs);
}

BOOL CLinkWorker::RunOnce() {
    if (!m_bNotSuspended.load() && !WaitResumed())
        return FALSE;
    m_bRunning = 1;
    const DWORD r = WaitEvents(m_timings.eventWait);
    if (r == WAIT_TIMEOUT) {
        ++m_nIdlePasses;
        return TRUE;
    }
    if (r == WAIT_FAILED) {
        Sleep(m_timings.notReadyPause);
        return TRUE;
    }
    switch (static_cast<int>(r - WAIT_OBJECT_0)) {
    case LINK_EVENT_QUIT:
        return FALSE;
    case LINK_EVENT_SUSPEND:
        m_bNotSuspended = 0; // the next pass waits for Resume
        return TRUE;
    case LINK_EVENT_FIRMWARE:
        if (g_bFirmwareFinished.load()) {
            ResetEvent(LINK_EVENT_FIRMWARE);
        } else if (g_nLinkState == LINK_USB && g_bUsbEnabled.load()) {
            m_host.UsbFirmwareCycle(*this);
        } else if (g_nLinkState == LINK_NET && g_bNetEnabled.load()) {
            m_host.NetFirmwareCycle(*this);
        } else {
            Sleep(m_timings.notReadyPause);
        }
        return TRUE;
    case LINK_EVENT_TRANSFER:
        if (g_bUpdateAborting.load() || g_bTransfersStopped.load()) {
            ResetEvent(LINK_EVENT_TRANSFER);
            return TRUE;
        }
        if (g_nLinkState == LINK_USB) {
            UsbTransferCycle();
        } else if (g_nLinkState == LINK_NET && g_bNetEnabled.load()) {
            NetTransferCycle();
        } else {
            // No cycle for this link state; do not spin while the event stays set.
            Sleep(m_timings.notReadyPause);
        }
        if (!m_bChangeQueued.exchange(false))
            CyclePause();
        return TRUE;
    default:
        return TRUE;
    }
}

// ---- Primitives ------------------------------------------------------------------------------

BOOL CLinkWorker::Sleep(DWORD ms) {
    if (!m_events[LINK_EVENT_QUIT])
        return TRUE;
    return WaitForSingleObject(m_events[LINK_EVENT_QUIT], ms) != WAIT_OBJECT_0;
}

BOOL CLinkWorker::QuitRequested() const {
    return IsEventSet(LINK_EVENT_QUIT);
}

void CLinkWorker::TakeTimeStamp() {
    m_stamp = std::chrono::steady_clock::now();
}

LONGLONG CLinkWorker::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_stamp)
        .count();
}

void CLinkWorker::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HWND owner = m_command.GetOwner())
        ::PostMessage(owner, message, wParam, lParam);
}

void CLinkWorker::SendPendingViewNotice() {
    if (!m_command.TakeViewWait())
        return;
    if (HWND owner = m_command.GetOwner())
        ::SendMessage(owner, WM_SYSTEM_RECORD_RECEIVED, 0, 0);
}

void CLinkWorker::AppendNextChangeFrame() {
    // Marks set from here on wake the next pause again.
    if (m_hChange)
        ::ResetEvent(m_hChange);
    g_bChangePending = false;
    std::lock_guard lock(g_linkLock);
    auto frame = LinkDocument().BuildNextChangeFrame();
    // A user's change goes out in the very next cycle; only the idle poll keeps the pause.
    const BYTE* f = frame ? frame->GetData() : nullptr;
    const bool poll = f && f[LinkFrame::OFS_TYPE] == FRAME_READ && f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM &&
                      f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
    m_bChangeQueued = frame && !poll;
    m_command.AddPacket(std::move(frame));
}

int CLinkWorker::SlicedWait(DWORD timeoutMs, int timeoutResult,
                            const std::function<BOOL(DWORD slice, int* result)>& step) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (QuitRequested())
            return LINK_IO_QUIT;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            return timeoutResult;
        int result = 0;
        if (step(static_cast<DWORD>(std::min<LONGLONG>(left, m_timings.slice)), &result))
            return result;
    }
}

int CLinkWorker::ReadUsbReport(DWORD timeoutMs) {
    CHidDevice* device = m_host.GetUsbDevice();
    if (!device || !device->IsOpen())
        return HID_IO_ERROR;
    return SlicedWait(timeoutMs, HID_IO_TIMEOUT, [&](DWORD slice, int* result) {
        BYTE report[HID_REPORT_SIZE];
        *result = device->ReadReport(report, slice);
        if (*result == HID_IO_OK) {
            std::lock_guard lock(g_linkLock);
            std::memcpy(g_hidInReport, report, HID_IN_REPORT_SIZE);
        }
        return *result != HID_IO_TIMEOUT;
    });
}

int CLinkWorker::WriteUsbReport(const BYTE* report, DWORD timeoutMs) {
    CHidDevice* device = m_host.GetUsbDevice();
    if (!device || !device->IsOpen())
        return HID_IO_ERROR;
    return device->WriteReport(report, timeoutMs);
}

int CLinkWorker::NetReceive(DWORD timeoutMs, int* count, BOOL shortReceive) {
    *count = -1;
    CNetTransport* net = m_host.GetNetTransport();
    if (!net)
        return 0;
    return SlicedWait(timeoutMs, WSAETIMEDOUT, [&](DWORD slice, int* result) {
        if (!net->WaitReadable(slice))
            return FALSE;
        *result = shortReceive ? net->ReceiveShort(count) : net->Receive(count);
        return TRUE;
    });
}

int CLinkWorker::FeedNet(int count) {
    const int r = m_command.FeedNetData(count);
    SendPendingViewNotice();
    return r;
}

BOOL CLinkWorker::ReconnectNet() {
    CNetTransport* net = m_host.GetNetTransport();
    if (!net)
        return FALSE;
    net->Close();
    if (!Sleep(m_timings.reconnectPause))
        return FALSE;
    return net->Connect();
}

// ---- USB transaction -------------------------------------------------------------------------

void CLinkWorker::UsbTransferCycle() {
    TakeTimeStamp();
    if (UsbWrite())
        UsbRead();
}

int CLinkWorker::UsbWrite() {
    CHidDevice* device = m_host.GetUsbDevice();
    if (!device || !device->IsOpen()) {
        if (m_host.OpenUsbDevice()) {
            m_command.RewindHead();
        } else {
            Post(WM_LINK_FAILED, 0, 0);
            Sleep(m_timings.notReadyPause); // the failure handler stops the worker
        }
        return 0;
    }
    if (!g_bUsbEnabled.load())
        return 0;
    const std::uint64_t serial = HeadSerial();
    if (!serial) {
        AppendNextChangeFrame();
        return 0;
    }
    BYTE report[HID_REPORT_SIZE];
    for (;;) {
        {
            std::lock_guard lock(g_linkLock);
            CSendData* head = m_command.GetHeadPacket();
            if (!head || head->GetSerial() != serial)
                return 0; // the queue was cleared meanwhile
            if (!head->NextHidReport())
                return 1;
            std::memcpy(report, g_hidOutReport, HID_REPORT_SIZE);
        }
        // Each report is handed over before the next is built; a write that does not complete
        // is a failed link, not a report silently overwritten.
        if (WriteUsbReport(report, m_timings.usbWriteWait) != HID_IO_OK) {
            if (g_bUsbEnabled.load())
                Post(WM_LINK_FAILED, 0, 0);
            return 0;
        }
        if (!g_bUsbEnabled.load())
            return 0;
    }
}

std::uint64_t CLinkWorker::HeadSerial() const {
    std::lock_guard lock(g_linkLock);
    const CSendData* head = m_command.GetHeadPacket();
    return head ? head->GetSerial() : 0;
}

int CLinkWorker::UsbRead() {
    std::uint64_t serial = 0;
    BOOL longWait = FALSE;
    {
        std::lock_guard lock(g_linkLock);
        const CSendData* head = m_command.GetHeadPacket();
        serial = head ? head->GetSerial() : 0;
        longWait = head && head->IsLongWait();
    }
    const DWORD readWait = longWait ? m_timings.usbLongReadWait : m_timings.usbReadWait;
    const DWORD answerLimit = longWait ? m_timings.usbLongAnswer : m_timings.usbAnswer;
    for (;;) {
        if (!g_bUsbEnabled.load())
            return 0;
        const int r = ReadUsbReport(readWait);
        if (r == LINK_IO_QUIT)
            return 0;
        if (r == HID_IO_TIMEOUT) {
            if (CHidDevice* device = m_host.GetUsbDevice())
                device->Purge();
            if (g_bUsbEnabled.load())
                Post(WM_LINK_FAILED, 0, 0);
            return 1;
        }
        if (r != HID_IO_OK) {
            Post(WM_LINK_FAILED, 0, 0);
            return 0;
        }
        if (FeedUsbReport()) {
            // The long wait of a WIFI reset ends with its answer: tell the view, as the network does.
            if (longWait && HeadSerial() != serial)
                Post(WM_WIFI_RESET_DONE, 0, 1);
            return 1;
        }
        if (ElapsedMs() > static_cast<LONGLONG>(answerLimit)) {
            Sleep(m_timings.usbFailPause);
            if (g_bUsbEnabled.load())
                Post(WM_LINK_FAILED, 0, 0);
            return 0;
        }
    }
}

int CLinkWorker::FeedUsbReport() {
    CHidDevice* device = m_host.GetUsbDevice();
    m_command.SetUsbOpen(device && device->IsOpen());
    const int r = m_command.FeedHidReport(HID_IN_REPORT_SIZE);
    SendPendingViewNotice();
    return r;
}

// ---- Network transaction ---------------------------------------------------------------------

void CLinkWorker::NetTransferCycle() {
    TakeTimeStamp();
    if (NetWrite())
        NetRead();
}

int CLinkWorker::NetWrite() {
    CNetTransport* net = m_host.GetNetTransport();
    if (!net)
        return 0;
    std::vector<BYTE> frame;
    BOOL longWait = FALSE;
    std::uint64_t serial = 0;
    {
        std::lock_guard lock(g_linkLock);
        CSendData* head = m_command.GetHeadPacket();
        if (!head) {
            AppendNextChangeFrame();
            return 0;
        }
        if (head->GetStepCode() != 0)
            return 0;
        serial = head->GetSerial();
        const int attempt = head->GetRetryCount() + 1;
        head->SetRetryCount(attempt);
        if (attempt > 2) {
            if (attempt == 3) {
                g_bNetEnabled = 0;
                Post(WM_LINK_FAILED, 0, 0);
            }
            return 0;
        }
        head->Rewind();
        frame.assign(head->GetData(), head->GetData() + head->GetSize());
        longWait = head->IsLongWait();
    }
    if (!net->Send(frame.data(), static_cast<int>(frame.size()), 0)) {
        // Nothing went out. When the reconnect finds the device back, the packet keeps this
        // attempt (once), so it is resent on the live connection instead of failing it; when
        // not, the attempt counts and the next cycle reports the failure.
        if (ReconnectNet() && serial != m_nKeptAttemptSerial) {
            std::lock_guard lock(g_linkLock);
            CSendData* head = m_command.GetHeadPacket();
            if (head && head->GetSerial() == serial) {
                head->SetRetryCount(head->GetRetryCount() - 1);
                m_nKeptAttemptSerial = serial;
            }
        }
        return 0;
    }
    if (!longWait)
        return 1;
    // A WIFI reset: the module restarts and answers nothing.
    if (!Sleep(m_timings.wifiResetFirst))
        return 0;
    g_bTransferBusy = 0;
    if (!Sleep(m_timings.wifiResetSecond))
        return 0;
    Post(WM_WIFI_RESET_DONE, 0, 0);
    return 0;
}

int CLinkWorker::NetRead() {
    CNetTransport* net = m_host.GetNetTransport();
    if (!net)
        return 0;
    for (;;) {
        int count = 0;
        const int r = NetReceive(m_timings.netReceive, &count);
        if (r == LINK_IO_QUIT)
            return 0;
        // A closed or broken connection cannot bring the answer: handle it like a time-out.
        const bool lost = count == 0 || r == WSAECONNABORTED || r == WSAECONNRESET;
        if (r == WSAETIMEDOUT || lost) {
            if (net->HasLocalAdapter()) {
                ReconnectNet();
                return 0;
            }
            g_bNetEnabled = 0;
            Post(WM_LINK_FAILED, 0, 0);
            return 1;
        }
        if (count > 0 && FeedNet(count))
            return 1;
        if (ElapsedMs() >= static_cast<LONGLONG>(m_timings.netAnswer)) {
            if (!m_host.IsLinkOpen())
                return 0;
            if (net->HasLocalAdapter()) {
                ReconnectNet();
            } else {
                g_bNetEnabled = 0;
                Post(WM_LINK_FAILED, 0, 2);
            }
            return 0;
        }
    }
}
