#include "link/KTVCommand.h"

#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "link/LinkViewServices.h"
#include "platform/core/Messages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace {
// Frame-buffer indices (frame byte k + 3 is at index k).
constexpr int IX_TYPE = 1;
constexpr int IX_PRESET = 3;
constexpr int IX_GROUP = 4;
constexpr int IX_INDEX = 5;
constexpr int IX_BANK = 6;
constexpr int IX_LEN = 9;
constexpr int MIN_COLLECTED = 13;  // a frame without payload
constexpr int FRAME_CONSTANT = 13; // FRAME_START .. FRAME_END = payload + 13
constexpr int NAME_CHARS = 15;
constexpr int NAME_KEPT = 13;

BYTE* StoredName(int preset) {
    if (preset == 0)
        return reinterpret_cast<BYTE*>(g_curImage.system.name);
    if (preset >= 1 && preset <= NUM_STORED_PRESETS)
        return reinterpret_cast<BYTE*>(g_storedPresets[preset - 1].system.name);
    return nullptr;
}

PresetImage& TargetImage(int bank, int preset) {
    if (bank == FRAME_BANK && preset >= 1 && preset <= NUM_STORED_PRESETS)
        return g_storedPresets[preset - 1];
    return g_curImage;
}
} // namespace

CKTVCommand::CKTVCommand() = default;

CKTVCommand::~CKTVCommand() = default;

void CKTVCommand::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_hOwner)
        ::PostMessage(m_hOwner, message, wParam, lParam);
}

int CKTVCommand::PayloadBytes(int limit) const {
    return std::clamp(m_nPayloadLen, 0, limit);
}

// ---- Feeders ---------------------------------------------------------------------------------

int CKTVCommand::FeedNetData(int count) {
    count = std::clamp(count, 0, std::min(INPUT_SIZE, NET_RECV_SIZE));
    std::lock_guard lock(g_linkLock);
    std::memcpy(m_input, g_netRecvBuf, static_cast<size_t>(count));
    std::memset(g_netRecvBuf, 0, static_cast<size_t>(count));
    return AssembleFrame(count);
}

int CKTVCommand::FeedHidReport(int count) {
    if (!m_bUsbOpen.load() || count == 0)
        return 1;
    std::lock_guard lock(g_linkLock);
    std::memcpy(m_input, g_hidInReport + 1, HID_IN_REPORT_SIZE - 1);
    std::memset(g_hidInReport + 1, 0, HID_IN_REPORT_SIZE - 1);
    return AssembleFrame(HID_IN_REPORT_SIZE - 1);
}

int CKTVCommand::FeedSerialByte(BYTE byte) {
    std::lock_guard lock(g_linkLock);
    m_input[0] = byte;
    return AssembleFrame(1);
}

int CKTVCommand::FeedBytes(const BYTE* data, int count) {
    int result = 0;
    std::lock_guard lock(g_linkLock);
    while (data && count > 0) {
        const int n = std::min(count, INPUT_SIZE);
        std::memcpy(m_input, data, static_cast<size_t>(n));
        if (AssembleFrame(n))
            result = 1;
        data += n;
        count -= n;
    }
    return result;
}

// ---- Parser ----------------------------------------------------------------------------------

int CKTVCommand::AssembleFrame(int count) {
    m_checksum = 0;
    count = std::min(count, INPUT_SIZE);
    if (count <= 0)
        return 0;
    int i = 0;
    if (!m_bSynced) {
        for (; i < count; ++i) {
            const BYTE b = m_input[i];
            if (b == FRAME_SYNC) {
                ++m_nSyncCount;
            } else if (b == FRAME_START && m_nSyncCount == 3) {
                m_bSynced = 1;
                m_nSyncCount = 0;
                break;
            } else {
                m_nSyncCount = 0;
            }
        }
        if (!m_bSynced) {
            std::memset(m_input, 0, static_cast<size_t>(count));
            return 0;
        }
    }
    // Room is guaranteed: collected stays below the largest frame before each append.
    const int n = std::min(count - i, FRAME_BUFFER_SIZE - m_nCollected);
    std::memcpy(m_frame + m_nCollected, m_input + i, static_cast<size_t>(n));
    m_nCollected += n;
    std::memset(m_input, 0, static_cast<size_t>(count));
    if (m_nCollected < MIN_COLLECTED)
        return 0;
    const int payload = m_frame[IX_LEN] | (m_frame[IX_LEN + 1] << 8);
    if (payload > LinkFrame::MAX_PAYLOAD) {
        // A length no device frame can have: drop the header and hunt again.
        ResetParser();
        return 0;
    }
    m_nExpected = payload + FRAME_CONSTANT;
    if (m_nCollected < m_nExpected)
        return 0;
    m_bFrameComplete = 1;
    return CmdCallback();
}

int CKTVCommand::CmdCallback() {
    const int end = m_nExpected;
    BYTE x = 0;
    for (int k = 1; k <= end - 3; ++k)
        x ^= m_frame[k];
    m_checksum = x;
    if (m_frame[end - 1] != FRAME_END || m_frame[end - 2] != x) {
        m_nCollected = 0;
        m_bSynced = 0;
        m_bResendWanted = 1;
        return 0;
    }
    m_nType = m_frame[IX_TYPE];
    m_nPreset = m_frame[IX_PRESET];
    m_nGroup = m_frame[IX_GROUP];
    m_nIndex = m_frame[IX_INDEX];
    m_nBank = m_frame[IX_BANK];
    m_nPayloadLen = m_frame[IX_LEN] | (m_frame[IX_LEN + 1] << 8);
    m_nReadCursor = FIRST_PAYLOAD;

    switch (m_nType) {
    case FRAME_ACK:
        // Progress counts only answers that complete the head; a RESEND never does.
        TrackProgress();
        ResetParser();
        RemoveHead();
        return 1;
    case FRAME_RESEND:
        ResetParser();
        RewindHead();
        MarkHeadResend();
        return 0;
    case FRAME_DATA:
        return DispatchData();
    default:
        ResetParser();
        return 1;
    }
}

int CKTVCommand::DispatchData() {
    const BYTE* p = Payload();
    if (g_bLinkCheckPending.load()) {
        if (m_nGroup == GROUP_SYSTEM && m_nIndex == CMD_LINK_CHECK && m_nPayloadLen == 1 && p[0] == 0) {
            TrackProgress();
            RemoveHead();
            g_bLinkCheckPending = 0;
            ResetParser();
            return 1;
        }
        ResetParser();
        return 0;
    }
    if (m_nPayloadLen == 0) {
        // Stopped before the notice: its handler may look at the flag at once.
        g_bTransfersStopped = 1;
        Post(WM_EMPTY_REPLY, 0, 0);
        ResetParser();
        return 1;
    }
    switch (m_nGroup) {
    case GROUP_MIC:
    case GROUP_EFFECT:
        TrackProgress();
        break;
    case GROUP_INPUT:
        TrackProgress();
        StoreInputRecord();
        break;
    case GROUP_OUTPUT:
        TrackProgress();
        StoreOutputRecord();
        break;
    case GROUP_SYSTEM:
        TrackProgress();
        DispatchSystemRecord();
        break;
    default:
        ResetParser();
        return 1;
    }
    ResetParser();
    RemoveHead();
    return 1;
}

void CKTVCommand::StoreInputRecord() {
    if (m_nIndex < 0 || m_nIndex >= NUM_INPUTS)
        return; // no such record: the answer is consumed, nothing stored
    PresetImage& image = TargetImage(m_nBank, m_nPreset);
    const int n = PayloadBytes(static_cast<int>(sizeof(InputRecord)));
    std::memcpy(&image.inputs[m_nIndex], Payload(), static_cast<size_t>(n));
}

void CKTVCommand::StoreOutputRecord() {
    if (m_nIndex < 0 || m_nIndex >= NUM_OUTPUTS)
        return;
    PresetImage& image = TargetImage(m_nBank, m_nPreset);
    const int n = PayloadBytes(static_cast<int>(sizeof(OutputRecord)));
    std::memcpy(&image.outputs[m_nIndex], Payload(), static_cast<size_t>(n));
    if (m_nIndex != NUM_OUTPUTS - 1)
        return;
    if (m_nBank == FRAME_BANK) {
        if (m_nPreset == NUM_STORED_PRESETS)
            Post(WM_PRESETS_RECEIVED, NUM_STORED_PRESETS, 0);
        else if (m_nPreset == 0)
            Post(WM_LIVE_DATA_RECEIVED, 0, 0);
    } else {
        Post(WM_LIVE_DATA_RECEIVED, static_cast<WPARAM>(m_nPreset), 0);
    }
}

void CKTVCommand::DispatchSystemRecord() {
    const BYTE* p = Payload();
    auto copy = [&](void* dst, int size) { std::memcpy(dst, p, static_cast<size_t>(PayloadBytes(size))); };
    switch (m_nIndex) {
    case CMD_PRESET_NAME: {
        BYTE* name = StoredName(m_nPreset);
        if (!name)
            break;
        const int n = PayloadBytes(NAME_KEPT);
        for (int k = 0; k < n; ++k)
            name[k] = (p[k] >= 32 && p[k] <= 127) ? p[k] : 0;
        name[13] = 0;
        name[14] = 0;
        break;
    }
    case CMD_SOURCE_SET:
        copy(&g_pcSourceSet, sizeof g_pcSourceSet);
        break;
    case CMD_SYSTEM_DATA:
        copy(&g_systemData, sizeof g_systemData);
        break;
    case CMD_SPEAKER_MAP:
        copy(&g_speakerMap, sizeof g_speakerMap);
        m_bViewWait = 1;
        break;
    case CMD_BOOT_SOURCE:
        copy(&g_bootSource, sizeof g_bootSource);
        m_bViewWait = 1;
        break;
    case CMD_DEVICE_STATE:
        StoreDeviceState();
        break;
    case CMD_VERSION:
        copy(g_strDevVersion, 11);
        Post(WM_VERSION_RECEIVED, 0, 0);
        break;
    case CMD_LOCK_RECORD: {
        BYTE* rec = reinterpret_cast<BYTE*>(&g_lockRecord);
        const int n = PayloadBytes(static_cast<int>(sizeof g_lockRecord));
        for (int k = 0; k < n; ++k)
            rec[k] = static_cast<BYTE>(p[k] ^ LOCK_MASK);
        const int a = static_cast<WORD>(rec[0] | (rec[1] << 8));
        const int b = static_cast<WORD>(rec[2] | (rec[3] << 8));
        if (a != 0 && b >= a)
            Post(WM_LOCK_RECORD_RECEIVED, 0, 0);
        break;
    }
    case CMD_PRESET_NUMBER: {
        const int preset = p[0];
        if (preset >= 1 && preset <= NUM_STORED_PRESETS)
            std::memcpy(g_curImage.system.name, g_storedPresets[preset - 1].system.name, NAME_CHARS);
        g_curPresetNo[0] = static_cast<BYTE>(preset);
        break;
    }
    case CMD_SLOT_TABLE:
        copy(&g_slotTable, sizeof g_slotTable);
        Post(WM_SYSTEM_RECORD_RECEIVED, 0, 0);
        break;
    default:
        break;
    }
}

namespace {
// Whether the view has something to show from the newest device state: the bytes it takes over,
// input type (0), source levels (2..7, bytes of g_pcSourceSet) and master switch (14), differ from
// the image. The idle poll answers many times a second; an unchanged answer wakes nobody. Caller
// holds g_linkLock.
bool DeviceStateDiffersFromImage() {
    const auto* source = reinterpret_cast<const BYTE*>(&g_pcSourceSet);
    if (g_devStateBytes[0].load() != g_pcSourceSet.inputType)
        return true;
    for (int i = 2; i <= 7; ++i)
        if (g_devStateBytes[i].load() != source[i])
            return true;
    return g_devStateBytes[14].load() != g_systemData.masterOn;
}
} // namespace

void CKTVCommand::StoreDeviceState() {
    const int n = PayloadBytes(static_cast<int>(std::size(g_devStateBytes)));
    const BYTE* p = Payload();
    for (int k = 0; k < n; ++k)
        g_devStateBytes[k] = p[k];
    if (!DeviceStateDiffersFromImage())
        return;
    // The poll this answers, so the view keeps what the program changed after it was built; an
    // answer that finds no poll at the head is of unknown age (0).
    const CSendData* head = m_queue.GetHeadPacket();
    const BYTE* f = head ? head->GetData() : nullptr;
    const bool poll = f && head->GetSize() > LinkFrame::OFS_INDEX && f[LinkFrame::OFS_TYPE] == FRAME_READ &&
                      f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
    const std::uint64_t serial = poll ? head->GetSerial() : 0;
    // Only the newest state matters: one notice at most waits in the view's queue.
    if (m_hOwner)
        r9::msg::RemovePending(m_hOwner, WM_DEVICE_STATE);
    Post(WM_DEVICE_STATE, static_cast<WPARAM>(serial), m_nPayloadLen);
}

void CKTVCommand::TrackProgress() {
    CSendData* head = m_queue.GetHeadPacket();
    if (!head || head->GetProgress() == 0)
        return;
    const int step = head->GetStepCode();
    if (step == 0) {
        LinkViewServices().SetTransferPos(head->GetProgress());
        if (head->IsSendEnd(g_nLinkState != LINK_NONE))
            Post(WM_TRANSFER_DONE, 0, 1);
        if (head->IsReadEnd(g_nLinkState != LINK_NONE))
            Post(WM_TRANSFER_DONE, 0, 0);
        return;
    }
    const int max = g_nUpdateBarMax.load();
    int pos = g_nUpdateBarPos.load() + 1;
    const char* text = nullptr;
    bool done = false;
    switch (step) {
    case HEXApply:
        text = LangText(g_strFwBegins, g_strFwBeginsCn);
        m_bDataPhase = 0;
        break;
    case HEXStart:
        m_bDataPhase = 0;
        break;
    case HEXData:
        if (!m_bDataPhase) {
            text = LangText(g_strFwProgramming, g_strFwProgrammingCn);
            pos = std::min(pos, max - 1);
        }
        m_bDataPhase = 1;
        break;
    case IAP_DSP_REQUEST_INFO:
        text = LangText(g_strFwProgramming, g_strFwProgrammingCn);
        m_bDataPhase = 1;
        break;
    case IAP_DSP_DATA:
        text = LangText(g_strFwProgramming, g_strFwProgrammingCn);
        m_bDataPhase = 1;
        pos = std::min(pos, max - 1);
        break;
    case HEXEnd:
        text = LangText(g_strFwSuccess, g_strFwSuccessCn);
        m_bDataPhase = 0;
        pos = max;
        g_bFirmwareFinished = 1;
        done = true;
        break;
    case IAP_DSP_END_INF:
        m_bDataPhase = 0;
        if (!g_bDspImageLoaded.load()) {
            text = LangText(g_strFwSuccess, g_strFwSuccessCn);
            pos = max;
            done = true;
        }
        break;
    default:
        break;
    }
    if (!g_bUpdateAborting.load()) {
        g_nUpdateBarPos = pos;
        LinkViewServices().SetUpdateProgress(pos, text);
    }
    if (done)
        Post(WM_FIRMWARE_DONE, 0, HEXEnd);
}

void CKTVCommand::FinishFirmwareProgress() {
    std::lock_guard lock(g_linkLock);
    const int max = g_nUpdateBarMax.load();
    m_bDataPhase = 0;
    if (!g_bUpdateAborting.load()) {
        g_nUpdateBarPos = max;
        LinkViewServices().SetUpdateProgress(max, LangText(g_strFwSuccess, g_strFwSuccessCn));
    }
    g_bFirmwareFinished = 1;
    Post(WM_FIRMWARE_DONE, 0, HEXEnd);
    RemoveHead();
}

void CKTVCommand::ResetParser() {
    std::lock_guard lock(g_linkLock);
    m_nCollected = 0;
    m_bSynced = 0;
    m_nSyncCount = 0;
    m_nExpected = 0;
    std::memset(m_frame, 0, 300);
}

void CKTVCommand::RemoveHead() {
    std::lock_guard lock(g_linkLock);
    if (m_queue.GetQueueCount() == 0)
        return;
    m_queue.RemoveHead();
    ClearSerialStatus();
    ResetSerialFlags();
    g_bSerialPacketCurrent = 0;
}

int CKTVCommand::EndLongWait(int result) {
    {
        std::lock_guard lock(g_linkLock);
        const CSendData* head = m_queue.GetHeadPacket();
        if (!head || !head->IsLongWait())
            return 0;
        if (result == 0)
            RemoveHead();
    }
    Post(WM_WIFI_RESET_DONE, 0, result);
    return 1;
}

void CKTVCommand::ClearQueue() {
    std::lock_guard lock(g_linkLock);
    m_queue.ClearQueue();
    ResetParser();
}
