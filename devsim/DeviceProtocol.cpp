#include "DeviceProtocol.h"

#include "wire/LinkFrame.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Hex(const BYTE* f, int len) {
    std::string s;
    char b[4];
    for (int i = 0; i < len && i < 32; ++i) {
        std::snprintf(b, sizeof b, "%02X ", f[i]);
        s += b;
    }
    if (len > 32)
        s += "...";
    return s;
}

bool AllZero(const BYTE* p, int n) {
    for (int i = 0; i < n; ++i) {
        if (p[i])
            return false;
    }
    return true;
}

// Highest chunk number of a record group's chunk writes.
int LastChunk(int group) {
    switch (group) {
    case GROUP_MIC:
        return 13;
    case GROUP_EFFECT:
        return 18;
    case GROUP_INPUT:
        return 35;
    case GROUP_OUTPUT:
        return 36;
    default:
        return -1;
    }
}

int IndexCount(int group) {
    switch (group) {
    case GROUP_MIC:
    case GROUP_EFFECT:
        return 1;
    case GROUP_INPUT:
        return NUM_INPUTS;
    case GROUP_OUTPUT:
        return NUM_OUTPUTS;
    default:
        return 0;
    }
}

// Output chunks that carry the link flag: bands, crossover, first mix row.
bool ChunkCarriesLinkFlag(int chunk) {
    return (chunk >= 0 && chunk <= 30) || chunk == 32 || chunk == 33;
}

} // namespace

std::vector<BYTE> DevsimFirmware::McuImage() const {
    std::vector<BYTE> img;
    for (const auto& [addr, bytes] : mcu) {
        if (img.size() < addr + bytes.size())
            img.resize(addr + bytes.size(), 0);
        std::memcpy(img.data() + addr, bytes.data(), bytes.size());
    }
    return img;
}

CDeviceProtocol::CDeviceProtocol() : m_state(DeviceState::Defaults()) {}

void CDeviceProtocol::ResetToDefaults() {
    std::string tag = m_state.versionTag;
    m_state = DeviceState::Defaults();
    m_state.versionTag = tag;
}

std::vector<BYTE> CDeviceProtocol::MakeFrame(BYTE type, BYTE preset, BYTE group, BYTE index, BYTE bank,
                                             const BYTE* payload, int len) {
    std::vector<BYTE> f(static_cast<size_t>(len) + LinkFrame::OVERHEAD, 0);
    f[0] = f[1] = f[2] = FRAME_SYNC;
    f[3] = FRAME_START;
    f[LinkFrame::OFS_TYPE] = type;
    f[LinkFrame::OFS_ADDR] = 1;
    f[LinkFrame::OFS_PRESET] = preset;
    f[LinkFrame::OFS_GROUP] = group;
    f[LinkFrame::OFS_INDEX] = index;
    f[LinkFrame::OFS_CHUNK] = bank;
    f[LinkFrame::OFS_LENGTH] = static_cast<BYTE>(len & 0xFF);
    f[LinkFrame::OFS_LENGTH + 1] = static_cast<BYTE>(len >> 8);
    if (len > 0)
        std::memcpy(f.data() + LinkFrame::OFS_PAYLOAD, payload, static_cast<size_t>(len));
    int total = static_cast<int>(f.size());
    f[f.size() - 2] = LinkFrame::Checksum(f.data(), total);
    f[f.size() - 1] = FRAME_END;
    return f;
}

std::vector<BYTE> CDeviceProtocol::ResendFrame() {
    return MakeFrame(FRAME_RESEND, 0, GROUP_SYSTEM, 0, 0, nullptr, 0);
}

CDeviceProtocol::Result CDeviceProtocol::Handle(const BYTE* f, int len, DevsimTransport transport,
                                                bool fwBlock, uint64_t connection) {
    Result r;
    if (!LinkFrame::IsValid(f, len)) {
        r.error = "malformed frame: " + Hex(f, len);
        return r;
    }
    int n = LinkFrame::PayloadLength(f);
    if (f[LinkFrame::OFS_ADDR] != 1 || f[LinkFrame::OFS_SPARE] != 0) {
        r.error = "bad address or spare byte: " + Hex(f, len);
        return r;
    }
    BYTE type = f[LinkFrame::OFS_TYPE];
    int group = f[LinkFrame::OFS_GROUP];
    int index = f[LinkFrame::OFS_INDEX];
    bool firmware =
        type == FRAME_WRITE && group == GROUP_SYSTEM && index >= FW_HEX_APPLY && index <= FW_MCU_DATA;
    if (firmware) {
        if (transport == DevsimTransport::Tcp && !fwBlock) {
            r.error = "update frame outside a 65-byte block: " + Hex(f, len);
            return r;
        }
        return HandleFirmware(f, len, n, connection);
    }
    if (fwBlock) {
        r.error = "65-byte block around a normal request: " + Hex(f, len);
        return r;
    }
    if (type == FRAME_READ)
        return HandleRead(f, n);
    if (type == FRAME_WRITE) {
        r = HandleWrite(f, n);
        // Over TCP the program reads nothing after a WIFI reset.
        if (r.error.empty() && group == GROUP_SYSTEM && index == CMD_WIFI_RESET &&
            transport == DevsimTransport::Tcp)
            r.answer = false;
        return r;
    }
    r.error = "unknown request type: " + Hex(f, len);
    return r;
}

BYTE* CDeviceProtocol::RecordOf(PresetImage& img, int group, int index, int* size) {
    switch (group) {
    case GROUP_MIC:
        *size = sizeof(MicRecord);
        return RecordBytes(img.mic);
    case GROUP_EFFECT:
        *size = sizeof(EffectRecord);
        return RecordBytes(img.system.effect);
    case GROUP_INPUT:
        *size = sizeof(InputRecord);
        return RecordBytes(img.inputs[index]);
    case GROUP_OUTPUT:
        *size = sizeof(OutputRecord);
        return RecordBytes(img.outputs[index]);
    default:
        *size = 0;
        return nullptr;
    }
}

CDeviceProtocol::Result CDeviceProtocol::HandleRead(const BYTE* f, int n) {
    Result r;
    int preset = f[LinkFrame::OFS_PRESET];
    int group = f[LinkFrame::OFS_GROUP];
    int index = f[LinkFrame::OFS_INDEX];
    int bank = f[LinkFrame::OFS_CHUNK];
    if (n != 8 || !AllZero(f + LinkFrame::OFS_PAYLOAD, 8) || f[LinkFrame::OFS_LINKFLAG] != 0) {
        r.error = "read request not 8 zero bytes with flag 0: " + Hex(f, n + LinkFrame::OVERHEAD);
        return r;
    }
    auto data = [&](const BYTE* payload, int len) {
        r.answer = true;
        r.frame = MakeFrame(FRAME_DATA, static_cast<BYTE>(preset), static_cast<BYTE>(group),
                            static_cast<BYTE>(index), static_cast<BYTE>(bank), payload, len);
        return r;
    };

    if (group == GROUP_SYSTEM) {
        if (bank != 0 || (index != CMD_PRESET_NAME && preset != 0) || preset > NUM_STORED_PRESETS) {
            r.error = "system read with a bad preset or chunk byte: " + Hex(f, 24);
            return r;
        }
        DeviceState& s = m_state;
        BYTE buf[30] = {};
        switch (index) {
        case CMD_LINK_CHECK:
            return data(buf, 1);
        case CMD_VERSION:
            std::memcpy(buf, s.versionTag.data(), s.versionTag.size() < 11 ? s.versionTag.size() : 11);
            return data(buf, 11);
        case CMD_PRESET_NAME: {
            const PresetImage& img = preset == 0 ? s.live : s.stored[preset - 1];
            return data(reinterpret_cast<const BYTE*>(img.system.name), 16);
        }
        case CMD_LOCK_RECORD:
            std::memcpy(buf, &s.lockRecord, sizeof s.lockRecord);
            for (size_t i = 0; i < sizeof s.lockRecord; ++i)
                buf[i] ^= LOCK_MASK; // the device scrambles the record on its way out
            return data(buf, sizeof s.lockRecord);
        case CMD_PRESET_NUMBER:
            buf[0] = s.presetNumber;
            return data(buf, 1);
        case CMD_SOURCE_SET:
            return data(RecordBytes(s.sourceSet), 8);
        case CMD_SYSTEM_DATA:
            return data(RecordBytes(s.systemData), 8);
        case CMD_SPEAKER_MAP:
            return data(RecordBytes(s.speakerMap), 8);
        case CMD_BOOT_SOURCE:
            return data(RecordBytes(s.bootSource), 8);
        case CMD_DEVICE_STATE:
            buf[0] = s.sourceSet.inputType;
            std::memcpy(buf + 2, s.sourceSet.sourceLevel, NUM_INPUT_TYPES);
            buf[14] = s.systemData.masterOn;
            return data(buf, 30);
        default:
            r.error = "read of system record " + std::to_string(index) + ", which has no reader";
            return r;
        }
    }

    if (group == GROUP_MIC || group == GROUP_EFFECT) {
        // Never read by the program; answered from the live set all the same.
        int size = 0;
        const BYTE* rec = RecordOf(m_state.live, group, 0, &size);
        return data(rec, LinkFrame::RecordPayloadSize(group));
    }

    if (group != GROUP_INPUT && group != GROUP_OUTPUT) {
        r.error = "read of unknown group: " + Hex(f, 24);
        return r;
    }
    if (index >= IndexCount(group) || preset > NUM_STORED_PRESETS ||
        !(bank == FRAME_BANK || (bank == 0 && preset >= 1))) {
        r.error = "record read out of range: " + Hex(f, 24);
        return r;
    }
    int size = 0;
    if (bank == FRAME_BANK) {
        PresetImage& img = preset == 0 ? m_state.live : m_state.stored[preset - 1];
        return data(RecordOf(img, group, index, &size), LinkFrame::RecordPayloadSize(group));
    }
    // A stored preset asked for as the live settings: the device recalls it record by record.
    BYTE* src = RecordOf(m_state.stored[preset - 1], group, index, &size);
    std::memcpy(RecordOf(m_state.live, group, index, &size), src, static_cast<size_t>(size));
    if (group == GROUP_OUTPUT && index == NUM_OUTPUTS - 1)
        m_state.presetNumber = static_cast<BYTE>(preset);
    return data(src, size);
}

CDeviceProtocol::Result CDeviceProtocol::HandleWrite(const BYTE* f, int n) {
    Result r;
    int preset = f[LinkFrame::OFS_PRESET];
    int group = f[LinkFrame::OFS_GROUP];
    int index = f[LinkFrame::OFS_INDEX];
    int chunk = f[LinkFrame::OFS_CHUNK];
    int flag = f[LinkFrame::OFS_LINKFLAG];
    const BYTE* p = f + LinkFrame::OFS_PAYLOAD;
    int total = n + LinkFrame::OVERHEAD;
    auto ack = [&]() {
        r.answer = true;
        r.frame = MakeFrame(FRAME_ACK, static_cast<BYTE>(preset), static_cast<BYTE>(group),
                            static_cast<BYTE>(index), static_cast<BYTE>(chunk), nullptr, 0);
        return r;
    };

    if (group == GROUP_SYSTEM) {
        int size = LinkFrame::SystemPayloadSize(index);
        if (size < 0 || n != size || chunk != 0 || flag != 0 || preset > NUM_STORED_PRESETS) {
            r.error = "bad system write: " + Hex(f, total);
            return r;
        }
        DeviceState& s = m_state;
        switch (index) {
        case CMD_PRESET_NAME: {
            if (p[15] != 0) {
                r.error = "preset name without its closing 0: " + Hex(f, total);
                return r;
            }
            PresetImage& img = preset == 0 ? s.live : s.stored[preset - 1];
            std::memcpy(img.system.name, p, 16);
            break;
        }
        case CMD_SOURCE_SET:
            std::memcpy(&s.sourceSet, p, 8); // one global set, whatever the preset byte says
            break;
        case CMD_SYSTEM_DATA:
            std::memcpy(&s.systemData, p, 8);
            break;
        case CMD_SPEAKER_MAP:
            std::memcpy(&s.speakerMap, p, 8);
            break;
        case CMD_BOOT_SOURCE:
            std::memcpy(&s.bootSource, p, 8);
            break;
        case CMD_LOCK_RECORD:
            std::memcpy(&s.lockRecord, p, 10);
            break;
        case CMD_PRESET_NUMBER:
            if (p[0] > NUM_STORED_PRESETS) {
                r.error = "preset number out of range: " + Hex(f, total);
                return r;
            }
            s.presetNumber = p[0];
            break;
        case CMD_SLOT_TABLE:
            std::memcpy(&s.slotTable, p, sizeof s.slotTable);
            break;
        case CMD_WIFI_RESET:
        case CMD_FACTORY_RESET:
            if (!AllZero(p, 8)) {
                r.error = "reset command with a payload: " + Hex(f, total);
                return r;
            }
            if (index == CMD_FACTORY_RESET)
                ResetToDefaults();
            break;
        default:
            r.error = "write of system record " + std::to_string(index) + ", which has no writer";
            return r;
        }
        return ack();
    }

    int recSize = LinkFrame::RecordPayloadSize(group);
    if (recSize == 0 || index >= IndexCount(group)) {
        // The effect record's index is not used by the builders; any value is fine there.
        if (!(group == GROUP_EFFECT && recSize)) {
            r.error = "write to an unknown group or index: " + Hex(f, total);
            return r;
        }
    }
    int idx = group == GROUP_EFFECT ? 0 : index;
    if (n == LinkFrame::CHUNK_SIZE && n != recSize) {
        bool flagOk = group == GROUP_OUTPUT && ChunkCarriesLinkFlag(chunk) ? flag <= 1 : flag == 0;
        if (preset != 0 || chunk > LastChunk(group) || !flagOk) {
            r.error = "bad chunk write: " + Hex(f, total);
            return r;
        }
        int size = 0;
        BYTE* rec = RecordOf(m_state.live, group, idx, &size);
        std::memcpy(rec + 8 * chunk, p, 8); // raw: locked output data stay scrambled
        return ack();
    }
    if (n != recSize || chunk != 0 || (group == GROUP_OUTPUT ? flag > 1 : flag != 0)) {
        r.error = "bad record write: " + Hex(f, total);
        return r;
    }
    if (group == GROUP_EFFECT && preset >= FIRST_MACHINE_PRESET &&
        preset < FIRST_MACHINE_PRESET + NUM_MACHINE_PRESETS) {
        std::memcpy(RecordBytes(m_state.machine[preset - FIRST_MACHINE_PRESET].effect), p,
                    static_cast<size_t>(n));
        return ack();
    }
    if (preset > NUM_STORED_PRESETS) {
        r.error = "record write to a preset out of range: " + Hex(f, total);
        return r;
    }
    int size = 0;
    BYTE* rec = RecordOf(preset == 0 ? m_state.live : m_state.stored[preset - 1], group, idx, &size);
    std::memcpy(rec, p, static_cast<size_t>(n));
    return ack();
}

void CDeviceProtocol::Handshake() {
    if (!m_fw.steps.empty()) {
        int count = m_fw.handshakes;
        m_fw = DevsimFirmware{}; // a new update begins
        m_fw.handshakes = count;
        m_lastFwFrame.clear();
    }
    ++m_fw.handshakes;
}

CDeviceProtocol::Result CDeviceProtocol::HandleFirmware(const BYTE* f, int len, int n, uint64_t connection) {
    Result r;
    int step = f[LinkFrame::OFS_INDEX];
    const BYTE* p = f + LinkFrame::OFS_PAYLOAD;
    int want = 0;
    switch (step) {
    case FW_HEX_APPLY:
    case FW_REQUEST_INFO:
        want = 16;
        break;
    case FW_MCU_DATA:
    case FW_HEX_DATA:
        want = 48;
        break;
    case FW_HEX_START:
        want = 4;
        break;
    case FW_HEX_END:
        want = 1;
        break;
    default:
        break;
    }
    if (n != want || f[LinkFrame::OFS_PRESET] != 0 || f[LinkFrame::OFS_CHUNK] != 0 ||
        f[LinkFrame::OFS_LINKFLAG] != 0 || len > 64 ||
        ((step == FW_HEX_APPLY || step == FW_REQUEST_INFO) && !AllZero(p, 16))) {
        r.error = "bad update frame: " + Hex(f, len);
        return r;
    }
    std::vector<BYTE> frame(f, f + len);
    bool repeat = frame == m_lastFwFrame && connection != m_lastFwConnection;
    m_fw.steps.push_back(step);
    m_lastFwFrame = frame;
    m_lastFwConnection = connection;

    if (!repeat) {
        int last = m_fw.steps.size() >= 2 ? m_fw.steps[m_fw.steps.size() - 2] : -1;
        bool ok = true;
        switch (step) {
        case FW_HEX_APPLY:
            ok = m_fw.handshakes > 0 && (last == -1 || last == FW_HEX_APPLY);
            break;
        case FW_REQUEST_INFO:
            ok = last == FW_HEX_APPLY || last == FW_REQUEST_INFO;
            break;
        case FW_MCU_DATA: {
            uint32_t addr = static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) |
                            (static_cast<uint32_t>(p[3]) << 24);
            uint32_t next = m_fw.mcu.empty() ? 0 : m_fw.mcu.rbegin()->first + 44;
            ok = (last == FW_REQUEST_INFO || last == FW_MCU_DATA) && (addr == next || m_fw.mcu.count(addr));
            if (ok)
                m_fw.mcu[addr] = std::vector<BYTE>(p + 4, p + 48);
            break;
        }
        case FW_HEX_START:
            ok = last == FW_HEX_APPLY || last == FW_MCU_DATA || last == FW_HEX_START;
            if (ok)
                m_fw.dsp.assign(p, p + 4);
            break;
        case FW_HEX_DATA:
            ok = last == FW_HEX_START || last == FW_HEX_DATA;
            if (ok)
                m_fw.dsp.insert(m_fw.dsp.end(), p, p + 48);
            break;
        case FW_HEX_END:
            ok = last == FW_HEX_DATA || last == FW_MCU_DATA;
            if (ok) {
                m_fw.ended = true;
                m_fw.endChecksum = p[0];
            }
            break;
        default:
            ok = false;
            break;
        }
        if (!ok) {
            r.error = "update step out of order: " + Hex(f, len);
            return r;
        }
    }
    r.answer = true;
    r.frame = MakeFrame(FRAME_ACK, 0, GROUP_SYSTEM, static_cast<BYTE>(step), 0, nullptr, 0);
    return r;
}
