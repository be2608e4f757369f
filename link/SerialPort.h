// The serial transport: a COM port at 57600 8N1 with its own communication thread. The thread
// writes the current serial packet (the head of the send queue while state flag 22 is set), feeds
// the answer byte by byte to the command link's parser and retries by a fixed ladder; a port that
// stops answering is declared lost and the main view is told with WM_LINK_FAILED (lParam 3).
// Errors for the user are handed to a reporter that shows them on the UI thread.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/io/CommPort.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CWinThread;

class CKTVCommand;
class CSendData;

// The quit, send, comm-event and pass events of the open port, in this order.
extern HANDLE g_serialEvents[4];
// Signalled when the answer to the current serial packet is complete.
extern HANDLE g_hSerialReply;
// The command link that receives the serial bytes (the main view's).
extern std::atomic<CKTVCommand*> g_pSerialCommand;

constexpr int SERIAL_EVENT_QUIT = 0;
constexpr int SERIAL_EVENT_SEND = 1;
constexpr int SERIAL_EVENT_COMM = 2;
constexpr int SERIAL_EVENT_PASS = 3;

constexpr DWORD SERIAL_DEFAULT_MASK = EV_RXCHAR | EV_CTS; // 9
constexpr int SERIAL_ERROR_TEXT_MAX = 199;

// Time limits of the communication thread, in milliseconds.
struct SerialTimings {
    DWORD firmwareWait = 5000; // an answer in firmware-update mode
    DWORD batchEndWait = 2000; // an answer to the last packet of a batch
    DWORD normalWait = 500;
    DWORD applyPause = 4000; // after writing HEXApply
    DWORD writePause = 10;
    DWORD readPause = 5;
    DWORD retryPause = 10;
    DWORD poll = 10; // how often the thread looks at the port while it waits for its events
};

class CSerialPort {
public:
    CSerialPort();
    // Stops the thread and closes the port.
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens and configures the port; the failed configuration calls are reported and skipped.
    // "NULL" and empty names open nothing.
    BOOL OpenPort(int portNumber, const char* portName, DWORD baud, char parity, int dataBits, int stopBits,
                  DWORD eventMask, int writeBufferSize);
    BOOL StartComThread();
    // Stops the thread and closes the events and the port; TRUE.
    BOOL ClosePort();
    // The port is lost: the thread ends at its next look, WM_LINK_FAILED (lParam 3) to the view.
    void OnPortClosed();
    // "WARNING:  <call> Failed with the following error: ..." (at most 199 characters) to the reporter.
    void ReportCommError(const char* call);

    // The thread's steps (also callable from tests with the thread stopped).
    void WritePacket();
    void ReadBytes();

    BOOL ResumeComThread();
    BOOL SuspendComThread();
    // Copies text into the write buffer (cut to fit) and signals the send event.
    BOOL WriteText(const char* text);

    // Starts the exchange of the head packet of the command link's queue: it becomes the current
    // serial packet and the thread is told to send it and to run its next pass.
    void SendCurrentPacket();

    DCB GetDCB() const { return m_portConfig; }
    DWORD GetCommEvents() const { return m_dwEventMask; }
    int GetWriteBufferSize() const { return m_nSendBufferSize; }
    void SignalEvent(int index);

    // The window told about a lost port (the main view).
    void SetNotifyWindow(HWND hwnd) { m_hNotify = hwnd; }
    // Shows an error text to the user; called from any thread, so it must only post.
    void SetErrorReporter(std::function<void(const std::string&)> reporter);
    std::string GetLastErrorText() const;

    BOOL IsOpen() const { return m_port.IsOpen(); }
    BOOL IsRunning() const { return m_bRunning.load(); }
    BOOL IsPortLost() const { return m_bPortLost.load(); }
    SerialTimings& Timings() { return m_timings; }
    CCommPort& Port() { return m_port; }
    const std::string& GetPortName() const { return m_strPortName; }
    // The written mark of the current packet and the count of empty reads (status bytes 0, 12..13).
    BOOL IsPacketWritten() const { return m_bWritten.load(); }
    int GetEmptyReads() const { return m_nEmptyReads.load(); }

private:
    static UINT ComThreadEntry(LPVOID param);
    void ComThreadProc();
    void StopThread();
    // Sleeps ms on the quit event; FALSE (at once) when it is set.
    BOOL Pause(DWORD ms);
    // The current serial packet's fields under g_linkLock: FALSE when there is none.
    BOOL CurrentPacket(int* retry, int* step, int* sendEnd, int* readEnd) const;
    void SetCurrentRetry(int retry);
    // Waits for quit, send or incoming bytes at most timeoutMs; the event index or -1 on time-out.
    int WaitPacketEvent(DWORD timeoutMs);
    void FinishExchange();
    BOOL Event(int index) const;

    std::atomic<int> m_bPortLost{0};
    CWinThread* m_pThread = nullptr;
    mutable std::recursive_mutex m_lockPort;
    std::atomic<int> m_bRunning{0};
    HANDLE m_hQuitEvent = nullptr;
    HANDLE m_hSendEvent = nullptr;
    HANDLE m_hCommEvent = nullptr;
    HANDLE m_hPassEvent = nullptr;
    CCommPort m_port;
    COMMTIMEOUTS m_portTimeouts;
    DCB m_portConfig;
    int m_nPortNumber = 0;
    std::string m_strPortName;
    std::vector<char> m_sendBuffer;
    DWORD m_dwEventMask = 0;
    int m_nSendBufferSize = 0;

    std::atomic<int> m_bWritten{0};
    std::atomic<int> m_nEmptyReads{0};
    std::atomic<HWND> m_hNotify{nullptr};
    mutable std::mutex m_reportLock;
    std::function<void(const std::string&)> m_reporter;
    std::string m_strLastError;
    SerialTimings m_timings;
};
