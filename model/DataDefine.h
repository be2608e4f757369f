// The device's parameter records in its own byte layout. Every record is a trivially copyable
// struct of bytes (alignment 1, no padding), so a record is copied byte for byte into frames and
// files. Multi-byte fields are little-endian and read through U16LE/S16LE.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

// ---- Little-endian 16-bit fields -----------------------------------------------------------

struct U16LE {
    BYTE b[2];
    constexpr operator WORD() const { return static_cast<WORD>(b[0] | (b[1] << 8)); }
    constexpr U16LE& operator=(WORD v) {
        b[0] = static_cast<BYTE>(v & 0xFF);
        b[1] = static_cast<BYTE>(v >> 8);
        return *this;
    }
    constexpr WORD Get() const { return *this; }
    constexpr void Set(WORD v) { *this = v; }
    bool operator==(const U16LE&) const = default;
};

struct S16LE {
    BYTE b[2];
    constexpr operator SHORT() const { return static_cast<SHORT>(static_cast<WORD>(b[0] | (b[1] << 8))); }
    constexpr S16LE& operator=(SHORT v) {
        const WORD w = static_cast<WORD>(v);
        b[0] = static_cast<BYTE>(w & 0xFF);
        b[1] = static_cast<BYTE>(w >> 8);
        return *this;
    }
    constexpr SHORT Get() const { return *this; }
    constexpr void Set(int v) { *this = static_cast<SHORT>(v); }
    bool operator==(const S16LE&) const = default;
};

// Raw byte view of any record.
template <class T> inline BYTE* RecordBytes(T& rec) {
    static_assert(std::is_trivially_copyable_v<T>);
    return reinterpret_cast<BYTE*>(&rec);
}
template <class T> inline const BYTE* RecordBytes(const T& rec) {
    static_assert(std::is_trivially_copyable_v<T>);
    return reinterpret_cast<const BYTE*>(&rec);
}

// ---- Counts and codes ----------------------------------------------------------------------

constexpr int RECORD_CHUNK_SIZE = 8; // chunk n of a record = bytes 8n..8n+7

constexpr int NUM_INPUTS = 6;
constexpr int NUM_OUTPUTS = 8;
constexpr int NUM_STORED_PRESETS = 6;   // device presets 1..6
constexpr int NUM_MACHINE_PRESETS = 20; // machine presets 21..40
constexpr int FIRST_MACHINE_PRESET = 21;

constexpr int INPUT_BAND_SLOTS = 31;
constexpr int OUTPUT_BAND_SLOTS = 31;
constexpr int MIC_BAND_SLOTS = 9;
constexpr int EFFECT_BAND_SLOTS = 15;

constexpr int INPUT_BANDS = 31;
constexpr int MIC_BANDS = 9;
constexpr int EFFECT_BANDS = 3;
constexpr int OUTPUT_BANDS = 31;       // outputs 1..6
constexpr int OUTPUT_BANDS_SHORT = 10; // outputs 7..8 (slots 0..9)
constexpr int FIRST_SHORT_OUTPUT = 6;  // output index from which outputs have 10 bands

// EQBandRecord::type
constexpr int BAND_PEAK = 0;
constexpr int BAND_LOW_SHELF = 1;
constexpr int BAND_HIGH_SHELF = 2;
constexpr int BAND_HIGH_PASS = 3;
constexpr int BAND_LOW_PASS = 4;

// XoverRecord families and slopes
constexpr int XOVER_LINKWITZ_RILEY = 0;
constexpr int XOVER_BESSEL = 1;
constexpr int XOVER_BUTTERWORTH = 2;
constexpr int XOVER_SLOPE_MAX = 7; // 0..7 = 6..48 dB/Oct
constexpr int XOVER_SLOPE_OFF = 8;

constexpr int GAIN_CODE_0DB = 600;  // band gain, 0.1 dB steps
constexpr int GAIN_CODE_MIN = 480;  // -12 dB
constexpr int GAIN_CODE_MAX = 720;  // +12 dB
constexpr int LEVEL_CODE_0DB = 600; // output level, 0.1 dB steps
constexpr int BW_CODE_MAX = 295;    // index into the bandwidth-to-Q table
constexpr int BW_CODE_DEFAULT = 14; // 0.19 octave
constexpr int DELAY_MAX_SAMPLES = 354;
constexpr int MIN_FREQ = 20;
constexpr int MAX_FREQ = 20000;

constexpr int SPEAKER_CODE_NONE = 0;
constexpr int SPEAKER_CODE_MAX = 26;
constexpr int NUM_SPEAKER_CODES = 27;

// Chunk numbers the channels send.
constexpr int CHUNK_OUT_LEVEL = 31; // on, polarity, level, delay, GEQ mode, position
constexpr int CHUNK_OUT_XOVER = 32;
constexpr int CHUNK_OUT_MIX1 = 33;
constexpr int CHUNK_OUT_MIX2 = 34;
constexpr int CHUNK_OUT_LIMITER = 35;
constexpr int CHUNK_OUT_NAME = 36;
constexpr int CHUNK_IN_LEVEL = 31;
constexpr int CHUNK_IN_XOVER = 32;
constexpr int CHUNK_IN_GATE = 33;
constexpr int CHUNK_IN_EXT = 34;
constexpr int CHUNK_IN_NAME = 35;
constexpr int CHUNK_MIC_LEVEL = 9;
constexpr int CHUNK_MIC_XOVER = 10;
constexpr int CHUNK_MIC_GATE = 11;
constexpr int CHUNK_MIC_EXT = 12;
constexpr int CHUNK_MIC_NAME = 13;
constexpr int CHUNK_EFFECT_XOVER = 15;
constexpr int CHUNK_EFFECT_PARAM_A = 16;
constexpr int CHUNK_EFFECT_PARAM_B = 17;
constexpr int CHUNK_EFFECT_NAME = 18;

// Lock marker (first byte of output 1's LockMarkBlock).
constexpr BYTE LOCK_MARKER_UNLOCKED = 0x20; // ' '
constexpr BYTE LOCK_MARKER_LOCKED = 0x21;   // '!'

// Only '!' means locked; a zero or damaged marker must never trigger unscrambling.
constexpr bool IsLockedMarker(BYTE marker) {
    return marker == LOCK_MARKER_LOCKED;
}

// ---- Records -------------------------------------------------------------------------------

struct EQBandRecord {
    S16LE freq;     // Hz
    S16LE gainCode; // 600 = 0 dB, 0.1 dB steps
    S16LE bwCode;   // index 0..295 into the bandwidth-to-Q table
    BYTE slope;
    BYTE type; // BAND_PEAK .. BAND_LOW_PASS
    bool operator==(const EQBandRecord&) const = default;
};

struct XoverRecord {
    S16LE hpFreq;
    BYTE hpFamily;
    BYTE hpSlope; // XOVER_SLOPE_OFF = off
    S16LE lpFreq;
    BYTE lpFamily;
    BYTE lpSlope;
    bool operator==(const XoverRecord&) const = default;
};

struct EffectRecord {
    EQBandRecord bands[EFFECT_BAND_SLOTS]; // 0..119, chunks 0..14
    XoverRecord xover;                     // 120, chunk 15
    BYTE balance;                          // 128, chunk 16
    BYTE delayA;
    BYTE percentA;
    BYTE percentB;
    BYTE reserved132[2];
    BYTE valueA;
    BYTE reserved135;
    BYTE timeTenths; // 136, chunk 17
    BYTE percentC;
    BYTE valueB;
    BYTE percentD;
    BYTE valueC;
    BYTE reserved141[2];
    BYTE delayB;
    char name[8]; // 144, chunk 18
    bool operator==(const EffectRecord&) const = default;
};

struct SystemBlock {
    char name[16]; // preset name, at most 15 bytes and a NUL
    BYTE reserved[16];
    EffectRecord effect;
    bool operator==(const SystemBlock&) const = default;
};

struct MicRecord {
    EQBandRecord bands[MIC_BAND_SLOTS]; // 0..71, chunks 0..8
    BYTE echoLevel;                     // 72, chunk 9
    BYTE polarity;
    BYTE mode;
    BYTE on;
    S16LE delay;
    S16LE levelCode;
    XoverRecord xover; // 80, chunk 10
    BYTE noiseGate;    // 88, chunk 11
    BYTE reserved89[7];
    U16LE extLevel; // 96, chunk 12
    BYTE extA;
    BYTE extB;
    BYTE reserved100[4];
    char name[8]; // 104, chunk 13
    bool operator==(const MicRecord&) const = default;
};

struct InputRecord {
    EQBandRecord bands[INPUT_BAND_SLOTS]; // 0..247, chunks 0..30
    BYTE reserved248;                     // chunk 31
    BYTE phase;
    BYTE geqMode;
    BYTE on;
    S16LE delay;
    S16LE levelCode;
    XoverRecord xover; // 256, chunk 32
    BYTE noiseGate;    // 264, chunk 33
    BYTE reserved265[7];
    S16LE extLevel; // 272, chunk 34
    BYTE extA;
    BYTE extB;
    BYTE reserved276[4];
    char name[8]; // 280, chunk 35
    bool operator==(const InputRecord&) const = default;
};

// Output 1's name bytes in frames and files (OutputRecord bytes 288..295, image 2312..2319).
struct LockMarkBlock {
    BYTE marker;     // LOCK_MARKER_UNLOCKED / LOCK_MARKER_LOCKED, never scrambled
    BYTE lockOption; // a device byte
    char code[6];    // lock code, only while the data lock is on
    bool operator==(const LockMarkBlock&) const = default;
};

struct OutputRecord {
    EQBandRecord bands[OUTPUT_BAND_SLOTS]; // 0..247, chunks 0..30
    BYTE on;                               // 248, chunk 31
    BYTE polarity;
    U16LE levelCode;
    S16LE delay; // samples at 48 kHz
    BYTE geqMode;
    BYTE position;      // speaker-position code 0..26
    XoverRecord xover;  // 256, chunk 32
    BYTE mix1[8];       // 264, chunk 33
    BYTE mix2[8];       // 272, chunk 34; byte 7 (279) is the switch mask
    U16LE limThreshold; // 280, chunk 35
    U16LE limAttack;
    U16LE limRelease;
    BYTE reserved286[2];
    char name[8]; // 288, chunk 36; the LockMarkBlock on output 1

    LockMarkBlock GetLockMark() const {
        LockMarkBlock b;
        std::memcpy(&b, name, sizeof b);
        return b;
    }
    void SetLockMark(const LockMarkBlock& b) { std::memcpy(name, &b, sizeof b); }
    bool operator==(const OutputRecord&) const = default;
};

struct PresetImage {
    SystemBlock system;                // 0
    MicRecord mic;                     // 184
    InputRecord inputs[NUM_INPUTS];    // 296 + 288 i
    OutputRecord outputs[NUM_OUTPUTS]; // 2024 + 296 j
    bool operator==(const PresetImage&) const = default;
};

struct MachinePresetRecord {
    char name[16];
    EffectRecord effect;
    bool operator==(const MachinePresetRecord&) const = default;
};

// ---- System records ------------------------------------------------------------------------

// Generic 8-byte system record (speaker map, preset number).
struct SystemRecord {
    BYTE bytes[8];
    BYTE& operator[](std::size_t i) { return bytes[i]; }
    const BYTE& operator[](std::size_t i) const { return bytes[i]; }
    bool operator==(const SystemRecord&) const = default;
};

constexpr int NUM_INPUT_TYPES = 6;

// CMD_SOURCE_SET
struct SourceSetRecord {
    BYTE inputType; // 0..5
    BYTE reserved1;
    BYTE sourceLevel[NUM_INPUT_TYPES]; // byte 2 + type; shown as stored - 20

    // The level byte of an input type, or null for a type outside 0..5 (never read or written).
    BYTE* SourceLevel(int type) { return type >= 0 && type < NUM_INPUT_TYPES ? &sourceLevel[type] : nullptr; }
    const BYTE* SourceLevel(int type) const {
        return type >= 0 && type < NUM_INPUT_TYPES ? &sourceLevel[type] : nullptr;
    }
    bool operator==(const SourceSetRecord&) const = default;
};

// CMD_SYSTEM_DATA
struct SystemDataRecord {
    S16LE masterVolume;
    BYTE advOption2;     // advanced settings dialog
    BYTE advancedSwitch; // one-button panel "Advanced"
    BYTE pageSwitch;     // input and level pages
    BYTE advOption5;     // advanced settings dialog
    BYTE masterOn;
    BYTE bassBoost;
    bool operator==(const SystemDataRecord&) const = default;
};

// CMD_BOOT_SOURCE
struct BootSourceRecord {
    BYTE bootValue;
    BYTE bootDefault;
    BYTE reserved2[2];
    BYTE phoneMode; // 2 on, 255 off
    BYTE reserved5[3];
    bool operator==(const BootSourceRecord&) const = default;
};

// CMD_SLOT_TABLE
struct SlotTableRecord {
    S16LE slots[4][8];
    BYTE curSlot; // 0..3
    BYTE reserved65;
    bool operator==(const SlotTableRecord&) const = default;
};

// CMD_LOCK_RECORD
struct LockRecord {
    S16LE valueA;
    S16LE valueB;
    char code[6];
    bool operator==(const LockRecord&) const = default;
};

// g_speakerMap is followed in memory by g_curPresetNo; some transfers treat the two as 16 bytes.
struct SpeakerMapBlock {
    SystemRecord speakerMap;
    SystemRecord curPresetNo;
};

// ---- Layout checks -------------------------------------------------------------------------

#define R9_RECORD_CHECK(T, size)                                                                             \
    static_assert(sizeof(T) == (size));                                                                      \
    static_assert(alignof(T) == 1);                                                                          \
    static_assert(std::is_trivially_copyable_v<T>);                                                          \
    static_assert(std::is_standard_layout_v<T>)

R9_RECORD_CHECK(U16LE, 2);
R9_RECORD_CHECK(S16LE, 2);
R9_RECORD_CHECK(EQBandRecord, 8);
R9_RECORD_CHECK(XoverRecord, 8);
R9_RECORD_CHECK(EffectRecord, 152);
R9_RECORD_CHECK(SystemBlock, 184);
R9_RECORD_CHECK(MicRecord, 112);
R9_RECORD_CHECK(InputRecord, 288);
R9_RECORD_CHECK(OutputRecord, 296);
R9_RECORD_CHECK(LockMarkBlock, 8);
R9_RECORD_CHECK(PresetImage, 4392);
R9_RECORD_CHECK(MachinePresetRecord, 168);
R9_RECORD_CHECK(SystemRecord, 8);
R9_RECORD_CHECK(SourceSetRecord, 8);
R9_RECORD_CHECK(SystemDataRecord, 8);
R9_RECORD_CHECK(BootSourceRecord, 8);
R9_RECORD_CHECK(SlotTableRecord, 66);
R9_RECORD_CHECK(LockRecord, 10);
R9_RECORD_CHECK(SpeakerMapBlock, 16);
#undef R9_RECORD_CHECK

static_assert(offsetof(EQBandRecord, gainCode) == 2 && offsetof(EQBandRecord, bwCode) == 4 &&
              offsetof(EQBandRecord, slope) == 6 && offsetof(EQBandRecord, type) == 7);
static_assert(offsetof(XoverRecord, hpFamily) == 2 && offsetof(XoverRecord, hpSlope) == 3 &&
              offsetof(XoverRecord, lpFreq) == 4 && offsetof(XoverRecord, lpFamily) == 6 &&
              offsetof(XoverRecord, lpSlope) == 7);
static_assert(offsetof(EffectRecord, xover) == 120 && offsetof(EffectRecord, balance) == 128 &&
              offsetof(EffectRecord, delayA) == 129 && offsetof(EffectRecord, percentA) == 130 &&
              offsetof(EffectRecord, percentB) == 131 && offsetof(EffectRecord, valueA) == 134 &&
              offsetof(EffectRecord, timeTenths) == 136 && offsetof(EffectRecord, percentC) == 137 &&
              offsetof(EffectRecord, valueB) == 138 && offsetof(EffectRecord, percentD) == 139 &&
              offsetof(EffectRecord, valueC) == 140 && offsetof(EffectRecord, delayB) == 143 &&
              offsetof(EffectRecord, name) == 144);
static_assert(offsetof(SystemBlock, reserved) == 16 && offsetof(SystemBlock, effect) == 32);
static_assert(offsetof(MicRecord, echoLevel) == 72 && offsetof(MicRecord, polarity) == 73 &&
              offsetof(MicRecord, mode) == 74 && offsetof(MicRecord, on) == 75 &&
              offsetof(MicRecord, delay) == 76 && offsetof(MicRecord, levelCode) == 78 &&
              offsetof(MicRecord, xover) == 80 && offsetof(MicRecord, noiseGate) == 88 &&
              offsetof(MicRecord, extLevel) == 96 && offsetof(MicRecord, extA) == 98 &&
              offsetof(MicRecord, extB) == 99 && offsetof(MicRecord, name) == 104);
static_assert(offsetof(InputRecord, reserved248) == 248 && offsetof(InputRecord, phase) == 249 &&
              offsetof(InputRecord, geqMode) == 250 && offsetof(InputRecord, on) == 251 &&
              offsetof(InputRecord, delay) == 252 && offsetof(InputRecord, levelCode) == 254 &&
              offsetof(InputRecord, xover) == 256 && offsetof(InputRecord, noiseGate) == 264 &&
              offsetof(InputRecord, extLevel) == 272 && offsetof(InputRecord, extA) == 274 &&
              offsetof(InputRecord, extB) == 275 && offsetof(InputRecord, name) == 280);
static_assert(offsetof(OutputRecord, on) == 248 && offsetof(OutputRecord, polarity) == 249 &&
              offsetof(OutputRecord, levelCode) == 250 && offsetof(OutputRecord, delay) == 252 &&
              offsetof(OutputRecord, geqMode) == 254 && offsetof(OutputRecord, position) == 255 &&
              offsetof(OutputRecord, xover) == 256 && offsetof(OutputRecord, mix1) == 264 &&
              offsetof(OutputRecord, mix2) == 272 && offsetof(OutputRecord, limThreshold) == 280 &&
              offsetof(OutputRecord, limAttack) == 282 && offsetof(OutputRecord, limRelease) == 284 &&
              offsetof(OutputRecord, reserved286) == 286 && offsetof(OutputRecord, name) == 288);
static_assert(offsetof(LockMarkBlock, lockOption) == 1 && offsetof(LockMarkBlock, code) == 2);
static_assert(offsetof(PresetImage, mic) == 184 && offsetof(PresetImage, inputs) == 296 &&
              offsetof(PresetImage, outputs) == 2024);
static_assert(offsetof(MachinePresetRecord, effect) == 16);
static_assert(offsetof(SourceSetRecord, sourceLevel) == 2);
static_assert(offsetof(SystemDataRecord, advOption2) == 2 && offsetof(SystemDataRecord, masterOn) == 6 &&
              offsetof(SystemDataRecord, bassBoost) == 7);
static_assert(offsetof(BootSourceRecord, bootDefault) == 1 && offsetof(BootSourceRecord, phoneMode) == 4);
static_assert(offsetof(SlotTableRecord, curSlot) == 64);
static_assert(offsetof(LockRecord, valueB) == 2 && offsetof(LockRecord, code) == 4);
static_assert(offsetof(SpeakerMapBlock, curPresetNo) == 8);

// Byte offsets in a PresetImage.
constexpr int IMAGE_SIZE = 4392;
constexpr int IMAGE_OFS_MIC = 184;
constexpr int IMAGE_OFS_INPUT0 = 296;
constexpr int IMAGE_OFS_OUTPUT0 = 2024;
constexpr int IMAGE_OFS_LOCKMARK = 2312;
constexpr int InputImageOffset(int i) {
    return IMAGE_OFS_INPUT0 + 288 * i;
}
constexpr int OutputImageOffset(int j) {
    return IMAGE_OFS_OUTPUT0 + 296 * j;
}
static_assert(OutputImageOffset(0) + static_cast<int>(offsetof(OutputRecord, name)) == IMAGE_OFS_LOCKMARK);
static_assert(OutputImageOffset(NUM_OUTPUTS) == IMAGE_SIZE);
static_assert(InputImageOffset(NUM_INPUTS) == IMAGE_OFS_OUTPUT0);

// ---- Routines of the image module ----------------------------------------------------------

// Start-up defaults of the image, the system records and the bookkeeping globals. UI thread,
// once, before the document and the link worker exist.
void InitData();

// The start-up image and stored presets (stored: six entries) as InitData builds them, without
// touching any global. Null pointers are skipped.
void GetDefaultImage(PresetImage* live, PresetImage* stored);
void GetDefaultSystemRecords(SourceSetRecord* sourceSet, SystemDataRecord* systemData,
                             SpeakerMapBlock* speakerMap, BootSourceRecord* bootSource,
                             SlotTableRecord* slotTable, LockRecord* lockRecord);

// The record a fresh document stores for input `input` (0..5) and for the mic: the channels'
// defaults, put back in place of a record that holds a value out of its range.
InputRecord DefaultInputRecord(int input);
MicRecord DefaultMicRecord();

// Tweeter outputs (codes 1, 7, 13, 16, 19 in g_posState) get a high-pass of at least 1000 Hz and
// a slope other than off; works on g_curImage, the caller reloads the model.
void FixTweeterCrossover();

// 1 when any other output shares this output's link group.
int GetOutLinkFlag(int out);

void ResetLinkStatus();
void ResetUsbLinkFlags();
void ResetNetLinkFlags();
