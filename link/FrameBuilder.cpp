#include "link/FrameBuilder.h"

#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Globals.h"

#include <cstddef>
#include <cstring>
#include <mutex>

BYTE g_frameHead[LinkFrame::HEADER_SIZE] = {FRAME_SYNC, FRAME_SYNC, FRAME_SYNC, FRAME_START};
BYTE g_framePayload[LinkFrame::MAX_PAYLOAD] = {};

namespace {

constexpr int kLockMarkerByte = offsetof(OutputRecord, name); // LockMarkBlock of output 1
constexpr int kLockCodeByte = kLockMarkerByte + offsetof(LockMarkBlock, code);
constexpr int kLockCodeLength = 6;

// Start of the record of (group, index) in an image, with its size; nullptr
// when out of range.
const BYTE* RecordOf(const PresetImage& image, int group, int index, int* size) {
    switch (group) {
    case GROUP_MIC:
        if (index != 0)
            return nullptr;
        *size = sizeof(MicRecord);
        return RecordBytes(image.mic);
    case GROUP_EFFECT:
        *size = sizeof(EffectRecord);
        return RecordBytes(image.system.effect);
    case GROUP_INPUT:
        if (index < 0 || index >= NUM_INPUTS)
            return nullptr;
        *size = sizeof(InputRecord);
        return RecordBytes(image.inputs[index]);
    case GROUP_OUTPUT:
        if (index < 0 || index >= NUM_OUTPUTS)
            return nullptr;
        *size = sizeof(OutputRecord);
        return RecordBytes(image.outputs[index]);
    default:
        return nullptr;
    }
}

const PresetImage* StoredPreset(int preset) {
    return preset >= 1 && preset <= 6 ? &g_storedPresets[preset - 1] : nullptr;
}

void SetHeader(BYTE type, int preset, int group, int index, int chunk, int linkFlag, int length) {
    g_frameHead[LinkFrame::OFS_TYPE] = type;
    g_frameHead[LinkFrame::OFS_ADDR] = static_cast<BYTE>(g_nDeviceAddr);
    g_frameHead[LinkFrame::OFS_PRESET] = static_cast<BYTE>(preset);
    g_frameHead[LinkFrame::OFS_GROUP] = static_cast<BYTE>(group);
    g_frameHead[LinkFrame::OFS_INDEX] = static_cast<BYTE>(index);
    g_frameHead[LinkFrame::OFS_CHUNK] = static_cast<BYTE>(chunk);
    g_frameHead[LinkFrame::OFS_LINKFLAG] = static_cast<BYTE>(linkFlag);
    g_frameHead[LinkFrame::OFS_LENGTH] = static_cast<BYTE>(length & 0xFF);
    g_frameHead[LinkFrame::OFS_LENGTH + 1] = static_cast<BYTE>((length >> 8) & 0xFF);
}

// Closes the frame described by g_frameHead and g_framePayload into a new
// packet.
std::unique_ptr<CSendData> TakePacket() {
    const int length = LinkFrame::PayloadLength(g_frameHead) + LinkFrame::OVERHEAD;
    auto buffer = std::make_unique<BYTE[]>(static_cast<size_t>(length));
    PackFrame(buffer.get(), length);
    auto packet = std::make_unique<CSendData>();
    packet->SetData(std::move(buffer));
    packet->SetSize(length);
    return packet;
}

void Scramble(BYTE* p, int n) {
    for (int i = 0; i < n; ++i)
        p[i] ^= LOCK_MASK;
}

// Live output record into the payload with the data-lock rules.
void PackLiveOutput(const BYTE* record, int index) {
    constexpr int kOutputSize = sizeof(OutputRecord);
    std::memcpy(g_framePayload, record, kOutputSize);
    if (g_bDataLocked) {
        if (index == 0) {
            BYTE code[8] = {};
            StringToField(code, 8,
                          CString(g_strLockPassword)); // too long: reported, code stays 0
            std::memcpy(g_framePayload + kLockCodeByte, code, kLockCodeLength);
        }
        Scramble(g_framePayload, kOutputSize);
        if (index == 0)
            g_framePayload[kLockMarkerByte] = '!';
    } else if (g_bDataUnlocked && index == 0) {
        g_framePayload[kLockMarkerByte] = ' ';
    }
}

} // namespace

void PackFrame(BYTE* buffer, int length) {
    const int n = LinkFrame::PayloadLength(g_frameHead);
    std::memcpy(buffer, g_frameHead, LinkFrame::HEADER_SIZE);
    std::memcpy(buffer + LinkFrame::OFS_PAYLOAD, g_framePayload, static_cast<size_t>(n));
    buffer[length - 2] = LinkFrame::Checksum(buffer, length);
    buffer[length - 1] = FRAME_END;
}

std::unique_ptr<CSendData> BuildChunkFrame(int group, int index, int chunk) {
    std::lock_guard lock(g_linkLock);
    if (group == GROUP_POLL) {
        SetHeader(FRAME_READ, 0, GROUP_SYSTEM, CMD_DEVICE_STATE, 0, 0, LinkFrame::CHUNK_SIZE);
        std::memset(g_framePayload, 0, LinkFrame::CHUNK_SIZE);
        return TakePacket();
    }
    int size = 0;
    const BYTE* record = RecordOf(g_curImage, group, index, &size);
    if (!record || chunk < 0 || (chunk + 1) * LinkFrame::CHUNK_SIZE > size)
        return nullptr;
    std::memcpy(g_framePayload, record + chunk * LinkFrame::CHUNK_SIZE, LinkFrame::CHUNK_SIZE);
    int linkFlag = 0;
    if (group == GROUP_OUTPUT) {
        if (g_bDataLocked)
            Scramble(g_framePayload, LinkFrame::CHUNK_SIZE);
        if (chunk <= 30 || chunk == 32 || chunk == 33)
            linkFlag = GetOutLinkFlag(index);
    }
    SetHeader(FRAME_WRITE, 0, group, index, chunk, linkFlag, LinkFrame::CHUNK_SIZE);
    return TakePacket();
}

std::unique_ptr<CSendData> BuildRecordFrame(int preset, int group, int index, BOOL bLive, BOOL bStored) {
    std::lock_guard lock(g_linkLock);
    const int payload = LinkFrame::RecordPayloadSize(group);
    if (payload == 0)
        return nullptr;
    const BYTE* source = nullptr;
    int size = 0;
    if (bLive) {
        source = RecordOf(g_curImage, group, index, &size);
    } else if (bStored || group != GROUP_EFFECT) {
        if (const PresetImage* stored = StoredPreset(preset))
            source = RecordOf(*stored, group, index, &size);
    } else if (preset >= FIRST_MACHINE_PRESET && preset < FIRST_MACHINE_PRESET + NUM_MACHINE_PRESETS) {
        source = RecordBytes(g_machinePresets[preset - FIRST_MACHINE_PRESET].effect);
    }
    if (!source)
        return nullptr;

    int linkFlag = 0;
    if (group == GROUP_OUTPUT) {
        linkFlag = GetOutLinkFlag(index);
        if (bLive)
            PackLiveOutput(source, index);
        else
            std::memcpy(g_framePayload, source, static_cast<size_t>(payload));
    } else {
        std::memcpy(g_framePayload, source, static_cast<size_t>(payload));
    }
    if (bLive && (group == GROUP_INPUT || group == GROUP_OUTPUT))
        g_bLiveDataSent = 1;
    SetHeader(FRAME_WRITE, preset, group, index, 0, linkFlag, payload);
    return TakePacket();
}

std::unique_ptr<CSendData> BuildReadFrame(int preset, int group, int index, BOOL bLive, BOOL /*bStored*/) {
    std::lock_guard lock(g_linkLock);
    const int bank = (bLive && preset != 0) ? 0 : FRAME_BANK;
    SetHeader(FRAME_READ, preset, group, index, bank, 0, LinkFrame::CHUNK_SIZE);
    std::memset(g_framePayload, 0, LinkFrame::CHUNK_SIZE);
    return TakePacket();
}

std::unique_ptr<CSendData> BuildSystemReadFrame(int cmd, int preset, int /*addr*/) {
    std::lock_guard lock(g_linkLock);
    SetHeader(FRAME_READ, preset, GROUP_SYSTEM, cmd, 0, 0, LinkFrame::CHUNK_SIZE);
    std::memset(g_framePayload, 0, LinkFrame::CHUNK_SIZE);
    return TakePacket();
}

std::unique_ptr<CSendData> BuildSystemFrame(int cmd, int preset) {
    std::lock_guard lock(g_linkLock);
    const int n = LinkFrame::SystemPayloadSize(cmd);
    if (n < 0)
        return nullptr;
    std::memset(g_framePayload, 0, static_cast<size_t>(n));
    switch (cmd) {
    case CMD_PRESET_NAME: {
        const PresetImage* image = preset == 0 ? &g_curImage : StoredPreset(preset);
        if (!image)
            return nullptr;
        std::memcpy(g_framePayload, image->system.name, 15);
        break;
    }
    case CMD_SOURCE_SET:
        std::memcpy(g_framePayload, RecordBytes(g_pcSourceSet), 8);
        break;
    case CMD_SYSTEM_DATA:
        std::memcpy(g_framePayload, RecordBytes(g_systemData), 8);
        break;
    case CMD_SPEAKER_MAP:
        std::memcpy(g_framePayload, RecordBytes(g_speakerMap), 8);
        break;
    case CMD_BOOT_SOURCE:
        std::memcpy(g_framePayload, RecordBytes(g_bootSource), 8);
        break;
    case CMD_LOCK_RECORD:
        std::memcpy(g_framePayload, RecordBytes(g_lockRecord), 10);
        break;
    case CMD_PRESET_NUMBER:
        g_framePayload[0] = g_curPresetNo[0];
        break;
    case CMD_SLOT_TABLE:
        std::memcpy(g_framePayload, RecordBytes(g_slotTable), 66);
        break;
    default: // CMD_WIFI_RESET, CMD_FACTORY_RESET: zeros
        break;
    }
    SetHeader(FRAME_WRITE, preset, GROUP_SYSTEM, cmd, 0, 0, n);
    return TakePacket();
}
