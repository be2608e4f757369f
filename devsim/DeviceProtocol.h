// The device's side of the wire protocol, without any transport: one request frame in, at most one
// answer frame out. Strict: every request that the program could not have sent is reported.
#pragma once

#include "DeviceState.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Firmware steps (header byte 8 of an update frame).
constexpr int FW_HEX_APPLY = 0x36;
constexpr int FW_HEX_START = 0x37;
constexpr int FW_HEX_DATA = 0x38;
constexpr int FW_HEX_END = 0x39;
constexpr int FW_REQUEST_INFO = 0x3A;
constexpr int FW_MCU_DATA = 0x3B;

// What a firmware update left on the device.
struct DevsimFirmware {
    int handshakes = 0;                        // handshake blocks or reports seen
    std::vector<int> steps;                    // step codes in the order they arrived (repeats too)
    std::map<uint32_t, std::vector<BYTE>> mcu; // address -> 44 bytes
    std::vector<BYTE> dsp;                     // HEXStart's 4 bytes, then the HEXData payloads
    bool ended = false;
    BYTE endChecksum = 0;

    // The MCU frames laid out from address 0 (gaps zero-filled).
    std::vector<BYTE> McuImage() const;
};

enum class DevsimTransport { Tcp, Hid };

class CDeviceProtocol {
public:
    CDeviceProtocol();

    struct Result {
        bool answer = false;
        std::vector<BYTE> frame; // the answer, when there is one
        std::string error;       // non-empty: the request broke the protocol
    };

    // One request frame. fwBlock: it arrived wrapped in a 65-byte firmware block. connection: the
    // transport's connection number (a repeated firmware frame on a new connection is a resend).
    Result Handle(const BYTE* frame, int len, DevsimTransport transport, bool fwBlock, uint64_t connection);
    // A handshake block or report.
    void Handshake();

    DeviceState& State() { return m_state; }
    const DeviceState& State() const { return m_state; }
    DevsimFirmware& Firmware() { return m_fw; }
    const DevsimFirmware& Firmware() const { return m_fw; }
    void ResetToDefaults();

    // Answer frames the device builds.
    static std::vector<BYTE> MakeFrame(BYTE type, BYTE preset, BYTE group, BYTE index, BYTE bank,
                                       const BYTE* payload, int len);
    static std::vector<BYTE> ResendFrame();

private:
    Result HandleRead(const BYTE* f, int n);
    Result HandleWrite(const BYTE* f, int n);
    Result HandleFirmware(const BYTE* f, int len, int n, uint64_t connection);
    BYTE* RecordOf(PresetImage& img, int group, int index, int* size);

    DeviceState m_state;
    DevsimFirmware m_fw;
    std::vector<BYTE> m_lastFwFrame;
    uint64_t m_lastFwConnection = 0;
};
