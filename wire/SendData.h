// One frame waiting to be sent, with the bookkeeping of the transports, the reply handling and
// the progress display.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdint>
#include <memory>

// One USB output report: the report id 0, then 64 frame bytes (the HID layer's report size).
constexpr int SEND_REPORT_SIZE = 65;

// The USB output report: byte 0 is the report id 0, bytes 1..64 the next frame bytes.
// Shared by every packet; only the link worker touches it.
extern BYTE g_hidOutReport[SEND_REPORT_SIZE];

class CSendData {
public:
    CSendData() = default;
    ~CSendData() = default;
    CSendData(const CSendData&) = delete;
    CSendData& operator=(const CSendData&) = delete;

    // Takes ownership of the frame buffer.
    void SetData(std::unique_ptr<BYTE[]> buffer) { m_pData = std::move(buffer); }
    void SetSize(int length) { m_nSize = length; }
    BYTE* GetData() const { return m_pData.get(); }
    int GetSize() const { return m_nSize; }

    void SetRetryCount(int n) { m_nRetry = n; }
    int GetRetryCount() const { return m_nRetry; }
    void SetProgress(int n) { m_nProgress = n; }
    int GetProgress() const { return m_nProgress; }
    void SetStepCode(int code) { m_nStepCode = code; }
    int GetStepCode() const { return m_nStepCode; }
    void SetLongWait(int on) { m_bLongWait = on; }
    int IsLongWait() const { return m_bLongWait; }
    void SetResend(int on) { m_bResend = on; }
    int IsResend() const { return m_bResend; }
    void SetReadEnd(int on) { m_bReadEnd = on; }
    void SetSendEnd(int on) { m_bSendEnd = on; }
    void SetBatchMark(int on) { m_bBatch = on; }
    int GetBatchMark() const { return m_bBatch; }
    // Unique in the process and never 0: names the packet after the lock that found it is dropped,
    // where its address may already belong to a newer one.
    std::uint64_t GetSerial() const { return m_nSerial; }
    // The newest serial handed out so far (0 before the first packet): a packet made later has a
    // greater one.
    static std::uint64_t LastSerial();

    // The mark while a link is open; with none, only once the cursor reached the frame's end.
    int IsReadEnd(bool linkOpen) const;
    int IsSendEnd(bool linkOpen) const;

    // Fills g_hidOutReport with the next up to 64 frame bytes; 0 when the whole frame was handed over.
    int NextHidReport();
    void Rewind() { m_nCursor = 0; }
    int GetCursor() const { return m_nCursor; }

private:
    static std::uint64_t NextSerial();

    const std::uint64_t m_nSerial = NextSerial();
    std::unique_ptr<BYTE[]> m_pData;
    int m_nSize = 0;
    int m_nRetry = 0;
    int m_nProgress = 0;
    int m_bReadEnd = 0;
    int m_bSendEnd = 0;
    int m_nCursor = 0;
    int m_nStepCode = 0;
    int m_bLongWait = 0;
    int m_bResend = 0;
    int m_bBatch = 0;
};
