#include "model/DataDefine.h"

#include "model/DeviceStateSerials.h"
#include "model/Globals.h"
#include "model/KTVEQ.h"
#include "model/SpeakerPos.h"

#include <array>
#include <cstring>
#include <mutex>

namespace {

constexpr int kIsoFreq31[OUTPUT_BAND_SLOTS] = {
    20,  25,   32,   40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
constexpr int kOctFreq10[OUTPUT_BANDS_SHORT] = {31, 65, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};

struct DefOut {
    bool shortBands; // slots 0..9 on the octave frequencies
    BYTE position;
    SHORT hpFreq;
    SHORT lpFreq;
    BYTE mix1[8];
    BYTE mix2[8];
};

constexpr DefOut kDefOut[NUM_OUTPUTS + 2] = {
    {false, 1, 70, 20000, {100, 0, 0, 0, 100, 0, 100, 0}, {0, 0, 100, 0, 100, 0, 100, 0}},
    {false, 5, 70, 20000, {0, 100, 0, 0, 0, 100, 0, 100}, {0, 0, 100, 0, 100, 0, 0, 100}},
    {false, 7, 80, 20000, {0, 0, 100, 0, 100, 0, 100, 0}, {0, 0, 100, 0, 100, 0, 100, 0}},
    {false, 11, 80, 20000, {0, 0, 0, 100, 0, 100, 0, 100}, {0, 0, 100, 0, 100, 0, 0, 100}},
    {false, 21, 20, 20000, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {false, 18, 20, 20000, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {true, 1, 27, 55, {100, 0, 0, 0, 100, 0, 100, 0}, {0, 0, 100, 0, 100, 0, 100, 0}},
    {true, 5, 27, 55, {0, 100, 0, 0, 0, 100, 0, 100}, {0, 0, 100, 0, 100, 0, 100, 0}},
    // 31-band outputs 7 and 8 of device types 3 and 4
    {false, 1, 27, 55, {100, 0, 0, 0, 0, 0, 100, 0}, {100, 0, 0, 0, 0, 0, 100, 0}},
    {false, 5, 27, 55, {0, 100, 0, 0, 0, 0, 0, 100}, {0, 100, 0, 0, 0, 0, 0, 100}},
};

constexpr OutputRecord MakeDefOut(const DefOut& d) {
    OutputRecord r{};
    for (int n = 0; n < OUTPUT_BAND_SLOTS; ++n) {
        EQBandRecord& b = r.bands[n];
        b.freq = static_cast<SHORT>(d.shortBands && n < OUTPUT_BANDS_SHORT ? kOctFreq10[n] : kIsoFreq31[n]);
        b.gainCode = static_cast<SHORT>(GAIN_CODE_0DB);
        b.bwCode = static_cast<SHORT>(BW_CODE_DEFAULT);
        b.slope = 0;
        b.type = BAND_PEAK;
    }
    r.on = 1;
    r.polarity = 0;
    r.levelCode = static_cast<WORD>(LEVEL_CODE_0DB);
    r.delay = static_cast<SHORT>(0);
    r.geqMode = 0;
    r.position = d.position;
    r.xover.hpFreq = d.hpFreq;
    r.xover.hpFamily = XOVER_BUTTERWORTH;
    r.xover.hpSlope = 1;
    r.xover.lpFreq = d.lpFreq;
    r.xover.lpFamily = XOVER_BUTTERWORTH;
    r.xover.lpSlope = 1;
    for (int i = 0; i < 8; ++i) {
        r.mix1[i] = d.mix1[i];
        r.mix2[i] = d.mix2[i];
    }
    r.limThreshold = static_cast<WORD>(420);
    r.limAttack = static_cast<WORD>(20);
    r.limRelease = static_cast<WORD>(20);
    for (int i = 0; i < 7; ++i)
        r.name[i] = ' ';
    r.name[7] = '\0';
    return r;
}

constexpr std::array<OutputRecord, NUM_OUTPUTS + 2> MakeDefOutRecords() {
    std::array<OutputRecord, NUM_OUTPUTS + 2> a{};
    for (int j = 0; j < NUM_OUTPUTS + 2; ++j)
        a[j] = MakeDefOut(kDefOut[j]);
    return a;
}

constexpr auto kDefOutRecords = MakeDefOutRecords();

// The band every channel starts from: 1000 Hz, 0 dB, bandwidth code 0, peak.
void SetStartBand(EQBandRecord& b) {
    b.freq = static_cast<SHORT>(1000);
    b.gainCode = static_cast<SHORT>(GAIN_CODE_0DB);
    b.bwCode = static_cast<SHORT>(0);
    b.slope = 0;
    b.type = BAND_PEAK;
}

constexpr BYTE kStartCodes[NUM_OUTPUTS] = {6, 12, 15, 18, 0, 0, 22, 23};

} // namespace

const OutputRecord g_defOutRecords[NUM_OUTPUTS + 2] = {
    kDefOutRecords[0], kDefOutRecords[1], kDefOutRecords[2], kDefOutRecords[3], kDefOutRecords[4],
    kDefOutRecords[5], kDefOutRecords[6], kDefOutRecords[7], kDefOutRecords[8], kDefOutRecords[9],
};

void GetDefaultImage(PresetImage* live, PresetImage* stored) {
    if (live) {
        std::memset(live, 0, sizeof *live);
        for (InputRecord& in : live->inputs) {
            in.reserved248 = 0;
            in.geqMode = 1;
            std::memset(in.reserved265, 0, sizeof in.reserved265);
            std::memset(in.reserved276, 0, sizeof in.reserved276);
            for (EQBandRecord& b : in.bands)
                SetStartBand(b);
        }

        MicRecord& mic = live->mic;
        std::memset(mic.reserved89, 0, sizeof mic.reserved89);
        std::memset(mic.reserved100, 0, sizeof mic.reserved100);
        for (EQBandRecord& b : mic.bands)
            SetStartBand(b);

        for (int j = 0; j < NUM_OUTPUTS; ++j) {
            OutputRecord& out = live->outputs[j];
            out.geqMode = 0;
            std::memcpy(out.mix1, g_defOutRecords[j].mix1, sizeof out.mix1);
            std::memset(out.mix2, 0, 7);               // bytes 272..278
            std::memset(RecordBytes(out) + 286, 0, 4); // reserved 286..287 and name bytes 0..1
            for (int n = 0; n < 9; ++n)
                SetStartBand(out.bands[n]);
        }

        EffectRecord& fx = live->system.effect;
        fx.percentA = 0;
        fx.reserved132[0] = fx.reserved132[1] = 0;
        fx.reserved135 = 0;
        fx.valueC = 0;
        fx.reserved141[0] = fx.reserved141[1] = 0;
        for (int n = 0; n < 8; ++n)
            SetStartBand(fx.bands[n]);
    }
    if (stored) {
        for (int p = 0; p < NUM_STORED_PRESETS; ++p) {
            std::memset(&stored[p], 0, sizeof stored[p]);
            std::memset(stored[p].system.name, ' ', 15);
            stored[p].system.name[15] = '\0';
        }
    }
}

void GetDefaultSystemRecords(SourceSetRecord* sourceSet, SystemDataRecord* systemData,
                             SpeakerMapBlock* speakerMap, BootSourceRecord* bootSource,
                             SlotTableRecord* slotTable, LockRecord* lockRecord) {
    if (sourceSet) {
        *sourceSet = {};
        sourceSet->inputType = 1;
        for (BYTE& level : sourceSet->sourceLevel)
            level = 60;
    }
    if (systemData) {
        *systemData = {};
        systemData->masterOn = 1;
    }
    if (speakerMap) {
        *speakerMap = {};
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            speakerMap->speakerMap[j] = kStartCodes[j];
    }
    if (bootSource) {
        *bootSource = {};
        bootSource->phoneMode = 255;
        bootSource->bootDefault = 1;
    }
    if (slotTable)
        *slotTable = {};
    if (lockRecord) {
        *lockRecord = {};
        std::memset(lockRecord->code, ' ', sizeof lockRecord->code);
    }
}

namespace {

// The band a new filter packs offline: 0 dB (bypassed), 0.19 octave.
EQBandRecord FreshBand(int hz, int type = BAND_PEAK) {
    EQBandRecord b{};
    b.freq = static_cast<SHORT>(hz);
    b.gainCode = static_cast<SHORT>(GAIN_CODE_0DB);
    b.bwCode = static_cast<SHORT>(BW_CODE_DEFAULT);
    b.slope = 0;
    b.type = static_cast<BYTE>(type);
    return b;
}

// High-pass at 20 Hz and low-pass at 20000 Hz, Butterworth, slope index 0.
XoverRecord OpenXover() {
    XoverRecord x{};
    x.hpFreq = static_cast<SHORT>(MIN_FREQ);
    x.hpFamily = XOVER_BUTTERWORTH;
    x.lpFreq = static_cast<SHORT>(MAX_FREQ);
    x.lpFamily = XOVER_BUTTERWORTH;
    return x;
}

// Up to seven characters, then NUL bytes (a name field as StringToField writes it).
void CopyName(char (&field)[8], const char* name) {
    std::memset(field, 0, sizeof field);
    for (std::size_t k = 0; k + 1 < sizeof field && name[k]; ++k)
        field[k] = name[k];
}

} // namespace

InputRecord DefaultInputRecord(int input) {
    InputRecord r{};
    for (int n = 0; n < INPUT_BAND_SLOTS; ++n)
        r.bands[n] = FreshBand(n <= 14 ? g_micFreq15[n] : g_isoFreq31[n]);
    r.phase = 0;
    r.geqMode = 1;
    r.on = 1;
    r.delay = static_cast<SHORT>(0);
    r.levelCode = static_cast<SHORT>(input == 0 ? 450 : 600);
    r.xover = OpenXover();
    r.noiseGate = 40;
    r.extLevel = static_cast<SHORT>(500);
    const char name[] = {'M', 'u', 's', 'i', 'c', ' ', static_cast<char>('1' + (input % NUM_INPUTS)), '\0'};
    CopyName(r.name, name);
    return r;
}

MicRecord DefaultMicRecord() {
    MicRecord r{};
    for (int n = 0; n < MIC_BAND_SLOTS; ++n)
        r.bands[n] = FreshBand(g_micFreq15[n], n == 0                    ? BAND_LOW_SHELF
                                               : n == MIC_BAND_SLOTS - 1 ? BAND_HIGH_SHELF
                                                                         : BAND_PEAK);
    r.echoLevel = 0;
    r.polarity = 0;
    r.mode = 1;
    r.on = 1;
    r.delay = static_cast<SHORT>(0);
    r.levelCode = static_cast<SHORT>(400);
    r.xover = OpenXover();
    r.noiseGate = 40;
    r.extLevel = static_cast<WORD>(500);
    CopyName(r.name, "Mic 1");
    return r;
}

void InitData() {
    std::lock_guard lock(g_linkLock);

    // Starts from zero bytes, as at program start, so a second run gives the same image.
    GetDefaultImage(&g_curImage, g_storedPresets);
    GetDefaultSystemRecords(&g_pcSourceSet, &g_systemData, &g_speakerMapBlock, &g_bootSource, &g_slotTable,
                            &g_lockRecord);

    g_nCurPage = 1;
    g_nCurOut = 0;
    g_nCurInput = 0;
    g_nInputGroup = 0;

    for (auto& b : g_devStateBytes)
        b = 0;
    g_devStateSerials.Reset();
    static constexpr int kReadList[7] = {19, 0, 52, 2, 5, 6, 4};
    std::memcpy(g_sysReadList, kReadList, sizeof g_sysReadList);

    ResetSpeakerStates();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        g_posState[POS_STATE_OUTPUTS + j] = kStartCodes[j];
    std::memcpy(g_posStateInit, g_posState, sizeof g_posStateInit);

    g_spkGroups.Rebuild();
    RecalcSpeakerStates();

    for (LRPair& p : g_lrPairs)
        p.used = 0;
    g_bLRLinked = 0;
    g_bOutMapLocked = 1;
    g_bFwUpdated = 0;

    ResetLinkStatus();

    g_inputOptions.Init();
    g_outCopy.Reset();

    for (int& shown : g_outCurveShown)
        shown = 0;
}

void FixTweeterCrossover() {
    std::lock_guard lock(g_linkLock);
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        const int code = g_posState[POS_STATE_OUTPUTS + j];
        if (code != 1 && code != 7 && code != 13 && code != 16 && code != 19)
            continue;
        XoverRecord& x = g_curImage.outputs[j].xover;
        if (x.hpFreq < 1000) {
            x.hpFreq = static_cast<SHORT>(1000);
            if (1000 > x.lpFreq)
                x.lpFreq = static_cast<SHORT>(20000);
        }
        if (x.hpSlope == XOVER_SLOPE_OFF)
            x.hpSlope = 1;
    }
}

int GetOutLinkFlag(int out) {
    if (out < 0 || out >= NUM_OUTPUTS)
        return 0;
    const int group = g_nOutLinkGroup[out];
    for (int k = 0; k < NUM_OUTPUTS; ++k)
        if (k != out && g_nOutLinkGroup[k] == group)
            return 1;
    return 0;
}

void ResetLinkStatus() {
    for (auto& s : g_linkStatus)
        s = 0;
}

void ResetUsbLinkFlags() {
    for (int i = 0; i < 3; ++i)
        g_linkStatus[i] = 0;
}

void ResetNetLinkFlags() {
    for (int i = 3; i < 6; ++i)
        g_linkStatus[i] = 0;
}
