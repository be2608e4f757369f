// The send queue: strict FIFO of packets, owning them. Only the head is ever on
// the wire. Every operation takes g_linkLock, so a caller that already holds it
// may call in freely.
#pragma once

#include "wire/SendData.h"

#include <deque>
#include <memory>

class CSendDataQueue {
public:
    CSendDataQueue() = default;
    ~CSendDataQueue();
    CSendDataQueue(const CSendDataQueue&) = delete;
    CSendDataQueue& operator=(const CSendDataQueue&) = delete;

    // Appends at the end; the queue owns the packet from now on. A null packet is
    // ignored.
    void AddPacket(std::unique_ptr<CSendData> packet);
    int GetQueueCount() const;
    // The head, or nullptr when empty. The pointer stays valid until the head is
    // removed.
    CSendData* GetHeadPacket() const;
    // Deletes the head; nothing when empty.
    void RemoveHead();
    // Deletes every packet.
    void ClearQueue();
    // Head cursor back to 0; nothing when empty.
    void RewindHead();
    // Sets the head's resend mark; nothing when empty.
    void MarkHeadResend();
    // The head's firmware step code, 0 when empty.
    int GetHeadStep() const;
    // True when the head is a HEXApply packet with fewer than 2 attempts.
    bool IsApplyRetry() const;

private:
    std::deque<std::unique_ptr<CSendData>> m_packets;
};
