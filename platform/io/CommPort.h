// A serial port in the shapes of the Windows communications calls, over termios: exclusive open,
// the port settings record, time-outs, event mask, purge, bytes waiting and timed reads.
#pragma once

#include "platform/core/WinTypes.h"

#include <string>

constexpr DWORD EV_RXCHAR = 0x0001;
constexpr DWORD EV_CTS = 0x0008;
constexpr DWORD EV_DSR = 0x0010;

constexpr DWORD PURGE_TXABORT = 0x0001;
constexpr DWORD PURGE_RXABORT = 0x0002;
constexpr DWORD PURGE_TXCLEAR = 0x0004;
constexpr DWORD PURGE_RXCLEAR = 0x0008;

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE TWOSTOPBITS = 2;
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;

// The fields of the port settings that the link sets.
struct DCB {
    DWORD BaudRate = 9600;
    BYTE ByteSize = 8;
    BYTE Parity = NOPARITY;
    BYTE StopBits = ONESTOPBIT;
    DWORD fRtsControl = RTS_CONTROL_DISABLE;
    BOOL fOutxCtsFlow = FALSE;
    BOOL fOutX = FALSE;
    BOOL fInX = FALSE;
};

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;
};

struct COMSTAT {
    DWORD cbInQue = 0;
    DWORD cbOutQue = 0;
};

// Fills the settings from text such as "baud=57600 parity=N data=8 stop=1"; FALSE on a bad word.
// Flow control is switched off, as the text form does.
BOOL BuildCommDCBA(const char* text, DCB* dcb);

class CCommPort {
public:
    CCommPort() = default;
    ~CCommPort();
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // Opens a port by device path or by name under /dev ("ttyUSB0"); "NULL" and empty names are no
    // port. Exclusive: a second open of the same port fails. Raw mode, 57600 8N1, no flow control.
    BOOL Open(const std::string& name);
    void Close();
    BOOL IsOpen() const { return m_fd >= 0; }
    int GetFd() const { return m_fd; }

    BOOL SetCommTimeouts(const COMMTIMEOUTS& t);
    BOOL GetCommTimeouts(COMMTIMEOUTS* t) const;
    BOOL SetCommMask(DWORD mask);
    BOOL GetCommMask(DWORD* mask) const;
    BOOL GetCommState(DCB* dcb) const;
    BOOL SetCommState(const DCB& dcb);
    // Queue sizes are the driver's on Linux; accepted and kept.
    BOOL SetupComm(DWORD inQueue, DWORD outQueue);
    BOOL PurgeComm(DWORD flags);
    // Waits at most timeoutMs for an event of the mask (only EV_RXCHAR is watched); *events gets
    // EV_RXCHAR when bytes wait, 0 on time-out. FALSE on a port error.
    BOOL WaitCommEvent(DWORD* events, DWORD timeoutMs);
    // Bytes waiting in cbInQue; *errors is 0.
    BOOL ClearCommError(DWORD* errors, COMSTAT* stat);
    // Reads up to n bytes within the read time-outs (total = constant + multiplier x n); *read gets
    // the count, 0 on time-out. FALSE on a port error.
    BOOL ReadFile(BYTE* buf, DWORD n, DWORD* read);
    // Writes all n bytes within the write time-outs (0: no limit); FALSE when they did not all go.
    BOOL WriteFile(const BYTE* buf, DWORD n, DWORD* written);
    // errno of the last failed call.
    int GetLastError() const { return m_lastError; }

private:
    int m_fd = -1;
    DWORD m_mask = 0;
    COMMTIMEOUTS m_timeouts;
    int m_lastError = 0;
};
