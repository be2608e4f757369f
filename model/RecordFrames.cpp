#include "model/RecordFrames.h"

#include "model/Conversions.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "wire/FrameBuilder.h"

#include <cstddef>
#include <cstring>
#include <mutex>

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

FrameHeader Header(BYTE type, int preset, int group, int index, int chunk = 0, int linkFlag = 0) {
    return FrameHeader{type, g_nDeviceAddr, preset, group, index, chunk, linkFlag};
}

void Scramble(BYTE* p, int n) {
    for (int i = 0; i < n; ++i)
        p[i] ^= LOCK_MASK;
}

// Live output record into the payload with the data-lock rules.
void PackLiveOutput(BYTE* payload, const BYTE* record, int index) {
    constexpr int kOutputSize = sizeof(OutputRecord);
    std::memcpy(payload, record, kOutputSize);
    if (g_bDataLocked) {
        if (index == 0) {
            BYTE code[8] = {};
            StringToField(code, 8,
                          CString(g_strLockPassword)); // too long: reported, code stays 0
            std::memcpy(payload + kLockCodeByte, code, kLockCodeLength);
        }
        Scramble(payload, kOutputSize);
        if (index == 0)
            payload[kLockMarkerByte] = '!';
    } else if (g_bDataUnlocked && index == 0) {
        payload[kLockMarkerByte] = ' ';
    }
}

} // namespace

std::unique_ptr<CSendData> BuildChunkFrame(int group, int index, int chunk) {
    std::lock_guard lock(g_linkLock);
    if (group == GROUP_POLL)
        return BuildFrame(Header(FRAME_READ, 0, GROUP_SYSTEM, CMD_DEVICE_STATE), nullptr,
                          LinkFrame::CHUNK_SIZE);
    int size = 0;
    const BYTE* record = RecordOf(g_curImage, group, index, &size);
    if (!record || chunk < 0 || (chunk + 1) * LinkFrame::CHUNK_SIZE > size)
        return nullptr;
    BYTE payload[LinkFrame::CHUNK_SIZE];
    std::memcpy(payload, record + chunk * LinkFrame::CHUNK_SIZE, LinkFrame::CHUNK_SIZE);
    int linkFlag = 0;
    if (group == GROUP_OUTPUT) {
        if (g_bDataLocked)
            Scramble(payload, LinkFrame::CHUNK_SIZE);
        if (chunk <= 30 || chunk == 32 || chunk == 33)
            linkFlag = GetOutLinkFlag(index);
    }
    return BuildFrame(Header(FRAME_WRITE, 0, group, index, chunk, linkFlag), payload, LinkFrame::CHUNK_SIZE);
}

std::unique_ptr<CSendData> BuildRecordFrame(int preset, int group, int index, BOOL bLive, BOOL bStored) {
    std::lock_guard lock(g_linkLock);
    const int length = LinkFrame::RecordPayloadSize(group);
    if (length == 0)
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

    BYTE payload[LinkFrame::MAX_PAYLOAD];
    int linkFlag = 0;
    if (group == GROUP_OUTPUT) {
        linkFlag = GetOutLinkFlag(index);
        if (bLive)
            PackLiveOutput(payload, source, index);
        else
            std::memcpy(payload, source, static_cast<size_t>(length));
    } else {
        std::memcpy(payload, source, static_cast<size_t>(length));
    }
    if (bLive && (group == GROUP_INPUT || group == GROUP_OUTPUT))
        g_bLiveDataSent = 1;
    return BuildFrame(Header(FRAME_WRITE, preset, group, index, 0, linkFlag), payload, length);
}

std::unique_ptr<CSendData> BuildReadFrame(int preset, int group, int index, BOOL bLive, BOOL /*bStored*/) {
    const int bank = (bLive && preset != 0) ? 0 : FRAME_BANK;
    return BuildFrame(Header(FRAME_READ, preset, group, index, bank), nullptr, LinkFrame::CHUNK_SIZE);
}

std::unique_ptr<CSendData> BuildSystemReadFrame(int cmd, int preset, int /*addr*/) {
    return BuildFrame(Header(FRAME_READ, preset, GROUP_SYSTEM, cmd), nullptr, LinkFrame::CHUNK_SIZE);
}

std::unique_ptr<CSendData> BuildSystemFrame(int cmd, int preset) {
    std::lock_guard lock(g_linkLock);
    const int n = LinkFrame::SystemPayloadSize(cmd);
    if (n < 0)
        return nullptr;
    BYTE payload[LinkFrame::MAX_PAYLOAD] = {};
    switch (cmd) {
    case CMD_PRESET_NAME: {
        const PresetImage* image = preset == 0 ? &g_curImage : StoredPreset(preset);
        if (!image)
            return nullptr;
        std::memcpy(payload, image->system.name, 15);
        break;
    }
    case CMD_SOURCE_SET:
        std::memcpy(payload, RecordBytes(g_pcSourceSet), 8);
        break;
    case CMD_SYSTEM_DATA:
        std::memcpy(payload, RecordBytes(g_systemData), 8);
        break;
    case CMD_SPEAKER_MAP:
        std::memcpy(payload, RecordBytes(g_speakerMap), 8);
        break;
    case CMD_BOOT_SOURCE:
        std::memcpy(payload, RecordBytes(g_bootSource), 8);
        break;
    case CMD_LOCK_RECORD:
        std::memcpy(payload, RecordBytes(g_lockRecord), 10);
        break;
    case CMD_PRESET_NUMBER:
        payload[0] = g_curPresetNo[0];
        break;
    case CMD_SLOT_TABLE:
        std::memcpy(payload, RecordBytes(g_slotTable), 66);
        break;
    default: // CMD_WIFI_RESET, CMD_FACTORY_RESET: zeros
        break;
    }
    return BuildFrame(Header(FRAME_WRITE, preset, GROUP_SYSTEM, cmd), payload, n);
}
