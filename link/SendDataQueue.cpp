#include "link/SendDataQueue.h"

#include "model/DeviceStateSerials.h"
#include "model/Globals.h"
#include "wire/LinkFrame.h"

#include <mutex>

namespace {
constexpr int STEP_HEX_APPLY = 0x36;
}

CSendDataQueue::~CSendDataQueue() {
    std::lock_guard lock(g_linkLock);
    m_packets.clear();
}

void CSendDataQueue::AddPacket(std::unique_ptr<CSendData> packet) {
    if (!packet)
        return;
    std::lock_guard lock(g_linkLock);
    // A state report answering a poll queued before this write must not undo what it carries.
    const BYTE* f = packet->GetData();
    if (f && packet->GetSize() > LinkFrame::OFS_INDEX && f[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
        f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM)
        g_devStateSerials.RecordChanged(f[LinkFrame::OFS_INDEX]);
    m_packets.push_back(std::move(packet));
}

int CSendDataQueue::GetQueueCount() const {
    std::lock_guard lock(g_linkLock);
    return static_cast<int>(m_packets.size());
}

CSendData* CSendDataQueue::GetHeadPacket() const {
    std::lock_guard lock(g_linkLock);
    return m_packets.empty() ? nullptr : m_packets.front().get();
}

void CSendDataQueue::RemoveHead() {
    std::lock_guard lock(g_linkLock);
    if (!m_packets.empty())
        m_packets.pop_front();
}

void CSendDataQueue::ClearQueue() {
    std::lock_guard lock(g_linkLock);
    m_packets.clear();
}

void CSendDataQueue::RewindHead() {
    std::lock_guard lock(g_linkLock);
    if (!m_packets.empty())
        m_packets.front()->Rewind();
}

void CSendDataQueue::MarkHeadResend() {
    std::lock_guard lock(g_linkLock);
    if (!m_packets.empty())
        m_packets.front()->SetResend(1);
}

int CSendDataQueue::GetHeadStep() const {
    std::lock_guard lock(g_linkLock);
    return m_packets.empty() ? 0 : m_packets.front()->GetStepCode();
}

bool CSendDataQueue::IsApplyRetry() const {
    std::lock_guard lock(g_linkLock);
    return !m_packets.empty() && m_packets.front()->GetStepCode() == STEP_HEX_APPLY &&
           m_packets.front()->GetRetryCount() < 2;
}
