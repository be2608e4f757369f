// The device frame: a 14-byte header, the payload and a two-byte trailer, the same in both
// directions and on every transport. Multi-byte fields are little-endian.
#pragma once

#include "platform/core/WinTypes.h"

// Header bytes.
constexpr BYTE FRAME_SYNC = 0x6B;  // bytes 0..2
constexpr BYTE FRAME_START = 0xEE; // byte 3
constexpr BYTE FRAME_WRITE = 0xA1; // types sent by the program
constexpr BYTE FRAME_READ = 0xA2;
constexpr BYTE FRAME_ACK = 0x51; // types sent by the device
constexpr BYTE FRAME_RESEND = 0x52;
constexpr BYTE FRAME_DATA = 0x53;
constexpr BYTE FRAME_END = 0xAA;  // last byte
constexpr BYTE FRAME_BANK = 0x77; // chunk byte of a record read that targets a stored preset bank

// Record groups (header byte 7).
constexpr int GROUP_MIC = 1;
constexpr int GROUP_EFFECT = 2;
constexpr int GROUP_INPUT = 3;
constexpr int GROUP_OUTPUT = 4;
constexpr int GROUP_POLL = 7; // selector of BuildChunkFrame only: builds the idle poll, never sent
constexpr int GROUP_SYSTEM = 9;

// System record numbers (header byte 8 of GROUP_SYSTEM).
constexpr int CMD_PRESET_NAME = 0;
constexpr int CMD_SOURCE_SET = 2;
constexpr int CMD_DEVICE_STATE = 3;
constexpr int CMD_VERSION = 4;
constexpr int CMD_SYSTEM_DATA = 5;
constexpr int CMD_SPEAKER_MAP = 6;
constexpr int CMD_BOOT_SOURCE = 8;
constexpr int CMD_LOCK_RECORD = 19;
constexpr int CMD_PRESET_NUMBER = 52;
constexpr int CMD_SLOT_TABLE = 64;
constexpr int CMD_WIFI_RESET = 65;
constexpr int CMD_FACTORY_RESET = 96;
constexpr int CMD_LINK_CHECK = 204;

// Output data leave the program XOR-ed with this byte while the data lock is on.
constexpr BYTE LOCK_MASK = 0x5D;

struct LinkFrame {
    static constexpr int HEADER_SIZE = 14;
    static constexpr int OVERHEAD = 16; // header + checksum + FRAME_END
    static constexpr int CHUNK_SIZE = 8;
    static constexpr int MAX_PAYLOAD = 296;
    static constexpr int MAX_FRAME = MAX_PAYLOAD + OVERHEAD;

    // Byte offsets in the frame.
    static constexpr int OFS_TYPE = 4;
    static constexpr int OFS_ADDR = 5;
    static constexpr int OFS_PRESET = 6;
    static constexpr int OFS_GROUP = 7;
    static constexpr int OFS_INDEX = 8;
    static constexpr int OFS_CHUNK = 9;
    static constexpr int OFS_LINKFLAG = 10;
    static constexpr int OFS_SPARE = 11;
    static constexpr int OFS_LENGTH = 12;
    static constexpr int OFS_PAYLOAD = 14;

    // Payload length n from header bytes 12..13.
    static constexpr int PayloadLength(const BYTE* frame) {
        return frame[OFS_LENGTH] | (frame[OFS_LENGTH + 1] << 8);
    }

    // XOR of bytes 4 .. length - 3 (type through the last payload byte).
    static constexpr BYTE Checksum(const BYTE* frame, int length) {
        BYTE x = 0;
        for (int i = OFS_TYPE; i <= length - 3; ++i)
            x ^= frame[i];
        return x;
    }

    // Sync, start, length field, checksum and end byte all agree with a frame of this length.
    static constexpr bool IsValid(const BYTE* frame, int length) {
        if (!frame || length < OVERHEAD)
            return false;
        if (frame[0] != FRAME_SYNC || frame[1] != FRAME_SYNC || frame[2] != FRAME_SYNC ||
            frame[3] != FRAME_START)
            return false;
        if (PayloadLength(frame) + OVERHEAD != length)
            return false;
        return frame[length - 1] == FRAME_END && frame[length - 2] == Checksum(frame, length);
    }

    // Whole-record payload of a record group (the effect frame carries record bytes 0..95); 0 otherwise.
    static constexpr int RecordPayloadSize(int group) {
        switch (group) {
        case GROUP_MIC:
            return 112;
        case GROUP_EFFECT:
            return 96;
        case GROUP_INPUT:
            return 288;
        case GROUP_OUTPUT:
            return 296;
        default:
            return 0;
        }
    }

    // Payload of a system record write; -1 for read-only or unknown record numbers.
    static constexpr int SystemPayloadSize(int cmd) {
        switch (cmd) {
        case CMD_PRESET_NAME:
            return 16;
        case CMD_SOURCE_SET:
        case CMD_SYSTEM_DATA:
        case CMD_SPEAKER_MAP:
        case CMD_BOOT_SOURCE:
        case CMD_WIFI_RESET:
        case CMD_FACTORY_RESET:
            return 8;
        case CMD_LOCK_RECORD:
            return 10;
        case CMD_PRESET_NUMBER:
            return 1;
        case CMD_SLOT_TABLE:
            return 66;
        default:
            return -1;
        }
    }
};
