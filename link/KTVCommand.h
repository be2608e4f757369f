// The command link: the send queue, the reply parser that assembles device bytes into frames, the
// dispatcher that matches each answer to the head packet and stores it into the image and the
// system records, and the progress bookkeeping. Results reach the owner window only by posted
// messages. Feeds run on the thread of the transport (the link worker) and take g_linkLock.
#pragma once

#include "link/SendDataQueue.h"
#include "platform/core/WinTypes.h"
#include "wire/LinkFrame.h"

#include <atomic>
#include <memory>

class CKTVCommand {
public:
    static constexpr int INPUT_SIZE = 400;           // one feed
    static constexpr int MAX_FRAME_FROM_START = 309; // FRAME_START .. FRAME_END of the largest frame
    static constexpr int FRAME_BUFFER_SIZE = MAX_FRAME_FROM_START + INPUT_SIZE;
    static constexpr int HEADER_FROM_START = 11; // FRAME_START .. the length field's end
    static constexpr int FIRST_PAYLOAD = 11;     // read cursor of the first payload byte

    CKTVCommand();
    ~CKTVCommand();
    CKTVCommand(const CKTVCommand&) = delete;
    CKTVCommand& operator=(const CKTVCommand&) = delete;

    void SetOwner(HWND owner) { m_hOwner = owner; }
    HWND GetOwner() const { return m_hOwner; }
    // Whether a USB device is open (FeedHidReport answers 1 without one).
    void SetUsbOpen(BOOL open) { m_bUsbOpen = open; }

    // ---- Feeders: 1 when a frame completed and was accepted, else 0 ----
    // count bytes of g_netRecvBuf (cleared there).
    int FeedNetData(int count);
    // Bytes 1..64 of g_hidInReport (cleared there); byte 0, the report id, is dropped.
    int FeedHidReport(int count);
    int FeedSerialByte(BYTE byte);
    // Any bytes, in feeds of at most INPUT_SIZE; the result of the last feed that completed a
    // frame, else 0.
    int FeedBytes(const BYTE* data, int count);

    // ---- Parser steps ----
    int AssembleFrame(int count);
    int CmdCallback();
    int DispatchData();
    void StoreInputRecord();
    void StoreOutputRecord();
    void DispatchSystemRecord();
    void StoreDeviceState();
    void TrackProgress();
    void FinishFirmwareProgress();
    void ResetParser();

    // ---- Queue (each takes g_linkLock) ----
    CSendDataQueue& Queue() { return m_queue; }
    void AddPacket(std::unique_ptr<CSendData> packet) { m_queue.AddPacket(std::move(packet)); }
    int GetQueueCount() const { return m_queue.GetQueueCount(); }
    CSendData* GetHeadPacket() const { return m_queue.GetHeadPacket(); }
    // Also ends the serial exchange of that packet: the serial status and the current-packet
    // mark are cleared, so the serial thread never takes the next head for the answered one.
    void RemoveHead();
    void RewindHead() { m_queue.RewindHead(); }
    void MarkHeadResend() { m_queue.MarkHeadResend(); }
    // Deletes every packet and resets the parser.
    void ClearQueue();
    // Ends the wait of a long-wait head (the WIFI reset): result 0 drops the packet, and the owner
    // gets WM_WIFI_RESET_DONE with the result either way. 1 when the head was such a packet, 0
    // (nothing done) for any other head or an empty queue.
    int EndLongWait(int result);

    // A speaker-map or boot-source answer posted WM_SYSTEM_RECORD_RECEIVED and the feeding
    // thread must wait for the view to handle it (after releasing g_linkLock). Clears the mark.
    BOOL TakeViewWait() { return m_bViewWait.exchange(0); }

    // Serial status: a frame completed / a frame failed its checks.
    BOOL IsFrameComplete() const { return m_bFrameComplete; }
    BOOL IsResendWanted() const { return m_bResendWanted; }
    void ClearSerialStatus() { m_bFrameComplete = m_bResendWanted = 0; }

    // Parser state, for tests.
    BOOL IsSynced() const { return m_bSynced; }
    int GetCollected() const { return m_nCollected; }

private:
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    // Payload bytes available from the read cursor, at most limit.
    int PayloadBytes(int limit) const;
    const BYTE* Payload() const { return m_frame + m_nReadCursor; }

    HWND m_hOwner = nullptr;
    int m_nExpected = 0;
    BYTE m_frame[FRAME_BUFFER_SIZE] = {};
    BYTE m_input[INPUT_SIZE] = {};
    int m_nSyncCount = 0;
    int m_nCollected = 0;
    int m_nReadCursor = FIRST_PAYLOAD;
    int m_nPayloadLen = 0;
    int m_nType = 0;
    int m_nGroup = 0;
    int m_nPreset = 0;
    int m_nIndex = 0;
    int m_nBank = 0;
    BYTE m_checksum = 0;
    int m_bSynced = 0;
    int m_bDataPhase = 0;
    std::atomic<int> m_bUsbOpen{0};
    std::atomic<int> m_bViewWait{0};
    std::atomic<int> m_bFrameComplete{0};
    std::atomic<int> m_bResendWanted{0};
    CSendDataQueue m_queue;
};
