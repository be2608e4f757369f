#include "link/SerialPort.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "model/Globals.h"
#include "platform/core/Event.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "platform/core/WinThread.h"
#include "wire/SendData.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

HANDLE g_serialEvents[4] = {};
HANDLE g_hSerialReply = nullptr;
std::atomic<CKTVCommand*> g_pSerialCommand{nullptr};

namespace {

constexpr int kStepApply = 0x36;
constexpr int kEmptyReadLimit = 50;
constexpr int kRetryLimit = 3;

void Recreate(HANDLE& h) {
    if (h)
        ::CloseHandle(h);
    h = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
}

void Release(HANDLE& h) {
    if (h)
        ::CloseHandle(h);
    h = nullptr;
}

} // namespace

CSerialPort::CSerialPort() {
    if (!g_hSerialReply)
        g_hSerialReply = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
}

CSerialPort::~CSerialPort() {
    ClosePort();
}

void CSerialPort::SetErrorReporter(std::function<void(const std::string&)> reporter) {
    std::lock_guard lock(m_reportLock);
    m_reporter = std::move(reporter);
}

std::string CSerialPort::GetLastErrorText() const {
    std::lock_guard lock(m_reportLock);
    return m_strLastError;
}

BOOL CSerialPort::Event(int index) const {
    HANDLE h = index == SERIAL_EVENT_QUIT   ? m_hQuitEvent
               : index == SERIAL_EVENT_SEND ? m_hSendEvent
               : index == SERIAL_EVENT_COMM ? m_hCommEvent
                                            : m_hPassEvent;
    return h && ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
}

void CSerialPort::SignalEvent(int index) {
    if (index >= 0 && index < 4 && g_serialEvents[index])
        ::SetEvent(g_serialEvents[index]);
}

void CSerialPort::StopThread() {
    if (m_pThread) {
        // Every wait of the thread includes the quit event; the join serves the notices it may
        // be sending to this thread.
        m_pThread->Stop([this] {
            if (m_hPassEvent)
                ::SetEvent(m_hPassEvent);
            if (m_hQuitEvent)
                ::SetEvent(m_hQuitEvent);
        });
        delete m_pThread;
        m_pThread = nullptr;
    }
    m_bRunning = 0;
}

BOOL CSerialPort::Pause(DWORD ms) {
    if (!m_hQuitEvent) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return TRUE;
    }
    return ::WaitForSingleObject(m_hQuitEvent, ms) != WAIT_OBJECT_0;
}

UINT CSerialPort::ComThreadEntry(LPVOID param) {
    static_cast<CSerialPort*>(param)->ComThreadProc();
    return 0;
}

BOOL CSerialPort::OpenPort(int portNumber, const char* portName, DWORD baud, char parity, int dataBits,
                           int stopBits, DWORD eventMask, int writeBufferSize) {
    StopThread();
    Recreate(m_hCommEvent);
    Recreate(m_hSendEvent);
    Recreate(m_hQuitEvent);
    Recreate(m_hPassEvent);
    g_serialEvents[SERIAL_EVENT_QUIT] = m_hQuitEvent;
    g_serialEvents[SERIAL_EVENT_SEND] = m_hSendEvent;
    g_serialEvents[SERIAL_EVENT_COMM] = m_hCommEvent;
    g_serialEvents[SERIAL_EVENT_PASS] = m_hPassEvent;

    std::lock_guard lock(m_lockPort);
    m_nPortNumber = portNumber;
    m_sendBuffer.assign(static_cast<size_t>(writeBufferSize > 0 ? writeBufferSize : 0), 0);
    m_strPortName = portName ? portName : "";
    m_nSendBufferSize = writeBufferSize;
    m_dwEventMask = eventMask;
    m_port.Close();
    char settings[64];
    std::snprintf(settings, sizeof settings, "baud=%lu parity=%c data=%d stop=%d",
                  static_cast<unsigned long>(baud), parity, dataBits, stopBits);
    if (!m_port.Open(m_strPortName))
        return FALSE;

    for (DWORD* t : {&m_portTimeouts.ReadIntervalTimeout, &m_portTimeouts.ReadTotalTimeoutMultiplier,
                     &m_portTimeouts.ReadTotalTimeoutConstant, &m_portTimeouts.WriteTotalTimeoutMultiplier,
                     &m_portTimeouts.WriteTotalTimeoutConstant})
        *t = 1000;
    // The first configuration call that fails is reported; the ones after it are skipped.
    const char* failed = nullptr;
    if (!m_port.SetCommTimeouts(m_portTimeouts)) {
        failed = "SetCommTimeouts()";
    } else if (!m_port.SetCommMask(eventMask)) {
        failed = "SetCommMask()";
    } else if (!m_port.GetCommState(&m_portConfig)) {
        failed = "GetCommState()";
    } else {
        m_portConfig.fRtsControl = RTS_CONTROL_ENABLE;
        if (!BuildCommDCBA(settings, &m_portConfig))
            failed = "BuildCommDCB()";
        else if (!m_port.SetCommState(m_portConfig))
            failed = "SetCommState()";
    }
    if (failed)
        ReportCommError(failed);

    if (!m_port.SetupComm(10000, 10000)) {
        m_port.Close();
        return FALSE;
    }
    m_port.PurgeComm(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    return TRUE;
}

BOOL CSerialPort::StartComThread() {
    StopThread();
    m_bRunning = 1;
    m_pThread =
        AfxBeginThread(&CSerialPort::ComThreadEntry, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pThread) {
        m_bRunning = 0;
        return FALSE;
    }
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    return TRUE;
}

BOOL CSerialPort::ClosePort() {
    StopThread();
    Release(m_hCommEvent);
    Release(m_hSendEvent);
    Release(m_hQuitEvent);
    Release(m_hPassEvent);
    for (HANDLE& h : g_serialEvents)
        h = nullptr;
    std::lock_guard lock(m_lockPort);
    m_port.Close();
    m_bWritten = 0;
    m_nEmptyReads = 0;
    return TRUE;
}

void CSerialPort::OnPortClosed() {
    m_bPortLost = 1;
    if (HWND h = m_hNotify.load())
        ::PostMessage(h, WM_LINK_FAILED, 0, 3);
}

void CSerialPort::ReportCommError(const char* call) {
    char text[SERIAL_ERROR_TEXT_MAX + 1];
    std::snprintf(text, sizeof text, "WARNING:  %s Failed with the following error: \n%s\nPort: %d\n",
                  call ? call : "", std::strerror(m_port.GetLastError()), m_nPortNumber);
    std::function<void(const std::string&)> reporter;
    {
        std::lock_guard lock(m_reportLock);
        m_strLastError = text;
        reporter = m_reporter;
    }
    // The reporter marshals to the UI thread; the comm thread never shows a box itself.
    if (reporter)
        reporter(text);
}

BOOL CSerialPort::ResumeComThread() {
    if (m_hPassEvent)
        ::SetEvent(m_hPassEvent);
    return TRUE;
}

BOOL CSerialPort::SuspendComThread() {
    if (m_hPassEvent)
        ::ResetEvent(m_hPassEvent);
    return TRUE;
}

BOOL CSerialPort::WriteText(const char* text) {
    std::lock_guard lock(m_lockPort);
    if (!m_port.IsOpen() || m_sendBuffer.size() < 4)
        return FALSE;
    std::memset(m_sendBuffer.data(), 0, 4);
    size_t n = text ? std::strlen(text) : 0;
    n = std::min(n, m_sendBuffer.size() - 1);
    std::memcpy(m_sendBuffer.data(), text ? text : "", n);
    m_sendBuffer[n] = 0;
    if (m_hSendEvent)
        ::SetEvent(m_hSendEvent);
    return TRUE;
}

void CSerialPort::SendCurrentPacket() {
    m_bWritten = 0;
    m_nEmptyReads = 0;
    if (CKTVCommand* cmd = g_pSerialCommand.load())
        cmd->ClearSerialStatus();
    g_bSerialPacketCurrent = 1;
    if (g_hSerialReply)
        ::ResetEvent(g_hSerialReply);
    if (m_hSendEvent)
        ::SetEvent(m_hSendEvent);
    if (m_hPassEvent)
        ::SetEvent(m_hPassEvent);
}

BOOL CSerialPort::CurrentPacket(int* retry, int* step, int* sendEnd, int* readEnd) const {
    CKTVCommand* cmd = g_pSerialCommand.load();
    if (!cmd || !g_bSerialPacketCurrent.load())
        return FALSE;
    std::lock_guard lock(g_linkLock);
    CSendData* head = cmd->GetHeadPacket();
    if (!head)
        return FALSE;
    if (retry)
        *retry = head->GetRetryCount();
    if (step)
        *step = head->GetStepCode();
    if (sendEnd)
        *sendEnd = head->IsSendEnd(g_nLinkState != LINK_NONE);
    if (readEnd)
        *readEnd = head->IsReadEnd(g_nLinkState != LINK_NONE);
    return TRUE;
}

void CSerialPort::SetCurrentRetry(int retry) {
    CKTVCommand* cmd = g_pSerialCommand.load();
    if (!cmd)
        return;
    std::lock_guard lock(g_linkLock);
    if (CSendData* head = cmd->GetHeadPacket())
        head->SetRetryCount(retry);
}

void CSerialPort::FinishExchange() {
    g_bSerialPacketCurrent = 0;
    m_bWritten = 0;
    if (m_hPassEvent)
        ::ResetEvent(m_hPassEvent);
    if (g_hSerialReply)
        ::SetEvent(g_hSerialReply);
}

void CSerialPort::WritePacket() {
    if (m_hSendEvent)
        ::ResetEvent(m_hSendEvent);
    CKTVCommand* cmd = g_pSerialCommand.load();
    std::vector<BYTE> frame;
    int step = 0;
    if (cmd && g_bSerialPacketCurrent.load()) {
        std::lock_guard lock(g_linkLock);
        if (CSendData* head = cmd->GetHeadPacket()) {
            frame.assign(head->GetData(), head->GetData() + head->GetSize());
            step = head->GetStepCode();
        }
    }
    if (frame.empty())
        return;
    {
        std::lock_guard lock(m_lockPort);
        m_port.PurgeComm(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        DWORD written = 0;
        if (!m_port.WriteFile(frame.data(), static_cast<DWORD>(frame.size()), &written) ||
            written != frame.size()) {
            OnPortClosed();
            return;
        }
    }
    m_bWritten = 1;
    // The device restarts after HEXApply; a stop must not wait for that.
    Pause(step == kStepApply ? m_timings.applyPause : m_timings.writePause);
}

void CSerialPort::ReadBytes() {
    CKTVCommand* cmd = g_pSerialCommand.load();
    for (;;) {
        COMSTAT stat;
        {
            std::lock_guard lock(m_lockPort);
            if (!m_port.ClearCommError(nullptr, &stat)) {
                OnPortClosed();
                return;
            }
        }
        int retry = 0;
        BOOL current = CurrentPacket(&retry, nullptr, nullptr, nullptr);
        if (stat.cbInQue == 0) {
            if (current) {
                int empty = m_nEmptyReads.load() + 1;
                if (empty >= kEmptyReadLimit) {
                    m_nEmptyReads = 0;
                    if (retry > kRetryLimit)
                        OnPortClosed();
                    else if (m_hSendEvent)
                        ::SetEvent(m_hSendEvent);
                } else {
                    m_nEmptyReads = empty;
                }
            }
            return;
        }
        m_nEmptyReads = 0;
        BYTE byte = 0;
        int accepted = 0;
        {
            std::lock_guard lock(m_lockPort);
            DWORD read = 0;
            if (!m_port.ReadFile(&byte, 1, &read)) {
                OnPortClosed();
                return;
            }
            if (read != 1) {
                // Nothing was read: no byte goes to the parser.
                ReportCommError("GetOverlappedResults() in ReadFile()");
                return;
            }
            if (cmd)
                accepted = cmd->FeedSerialByte(byte);
        }
        // A speaker-map or boot-source answer: the view must handle it before the next byte.
        if (cmd && cmd->TakeViewWait())
            ::SendMessage(cmd->GetOwner(), WM_SYSTEM_RECORD_RECEIVED, 0, 0);
        if (accepted) {
            FinishExchange();
            return;
        }
        if (cmd && cmd->IsFrameComplete()) {
            if (cmd->IsResendWanted()) {
                cmd->ResetParser();
                cmd->ClearSerialStatus();
                if (retry > kRetryLimit)
                    OnPortClosed();
                else if (m_hSendEvent)
                    ::SetEvent(m_hSendEvent);
            } else {
                cmd->ClearSerialStatus();
                FinishExchange();
            }
            return;
        }
    }
}

int CSerialPort::WaitPacketEvent(DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (Event(SERIAL_EVENT_QUIT))
            return SERIAL_EVENT_QUIT;
        if (Event(SERIAL_EVENT_SEND))
            return SERIAL_EVENT_SEND;
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            return -1;
        DWORD events = 0;
        BOOL ok;
        {
            std::lock_guard lock(m_lockPort);
            ok = m_port.WaitCommEvent(&events, 0);
        }
        if (!ok) {
            OnPortClosed();
            return -1;
        }
        if (events & EV_RXCHAR) {
            if (m_hCommEvent)
                ::SetEvent(m_hCommEvent);
            return SERIAL_EVENT_COMM;
        }
        // Sleep on the quit and send events, so either wakes the thread at once.
        HANDLE wake[2] = {m_hQuitEvent, m_hSendEvent};
        ::WaitForMultipleObjects(2, wake, FALSE,
                                 static_cast<DWORD>(std::min<long long>(left, m_timings.poll)));
    }
}

void CSerialPort::ComThreadProc() {
    m_bPortLost = 0;
    {
        std::lock_guard lock(m_lockPort);
        if (m_port.IsOpen())
            m_port.PurgeComm(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
    auto leaveWhenLost = [this]() {
        if (!m_bPortLost.load())
            return false;
        ::WaitForSingleObject(m_hQuitEvent, INFINITE);
        return true;
    };
    for (;;) {
        if (leaveWhenLost())
            break;
        {
            DWORD events = 0;
            std::lock_guard lock(m_lockPort);
            if (!m_port.WaitCommEvent(&events, 0))
                OnPortClosed();
        }
        if (leaveWhenLost())
            break;
        int retry = 0, step = 0, sendEnd = 0, readEnd = 0;
        if (CurrentPacket(&retry, &step, &sendEnd, &readEnd)) {
            DWORD wait = g_bFirmwareMode.load() ? m_timings.firmwareWait
                         : (sendEnd || readEnd) ? m_timings.batchEndWait
                                                : m_timings.normalWait;
            int ev = WaitPacketEvent(wait);
            if (ev == SERIAL_EVENT_QUIT)
                break;
            if (ev == SERIAL_EVENT_SEND) {
                WritePacket();
            } else if (ev == SERIAL_EVENT_COMM) {
                if (m_hCommEvent)
                    ::ResetEvent(m_hCommEvent);
                std::lock_guard lock(m_lockPort);
                m_port.SetCommMask(EV_RXCHAR | EV_CTS | EV_DSR);
            }
            if (ev == SERIAL_EVENT_COMM && m_bWritten.load()) {
                ReadBytes();
                Pause(m_timings.readPause);
            } else if (ev == SERIAL_EVENT_COMM) {
                // Bytes before the packet went out belong to nobody; the write purges them.
                Pause(m_timings.poll);
            } else if (ev < 0 && m_bWritten.load()) {
                int attempt = retry + 1;
                SetCurrentRetry(attempt);
                if (attempt > kRetryLimit) {
                    OnPortClosed();
                } else if (attempt == 2) {
                    if (CKTVCommand* cmd = g_pSerialCommand.load())
                        cmd->ResetParser();
                    WritePacket();
                } else {
                    Pause(m_timings.retryPause);
                    ReadBytes();
                }
            } else if (ev < 0 && retry == 0) {
                WritePacket();
            }
        } else if (Event(SERIAL_EVENT_QUIT)) {
            break;
        }
        if (leaveWhenLost())
            break;
        HANDLE wake[2] = {m_hQuitEvent, m_hPassEvent};
        if (::WaitForMultipleObjects(2, wake, FALSE, INFINITE) == WAIT_OBJECT_0)
            break;
    }
    m_bRunning = 0;
}
