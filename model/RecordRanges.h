// The ranges of the ranged fields of the device's records: one table for the checks of preset
// files and device reads and for the pages' fields that show the same values. A record is in
// range when each of these fields is; the other bytes (names, switches, the limiter, reserved
// bytes) are not checked here.
#pragma once

#include "model/DataDefine.h"

struct ValueRange {
    int lo;
    int hi;
    constexpr bool Holds(int v) const { return v >= lo && v <= hi; }
};

namespace range {

inline constexpr ValueRange kFreq{MIN_FREQ, MAX_FREQ};  // band and crossover frequency, Hz
inline constexpr int kGainCodeOffset = 400;             // gain position = band gain code - 400
inline constexpr ValueRange kGainPos{80, 320};          // -12..+12 dB, 200 = 0 dB
inline constexpr ValueRange kBandwidth{0, BW_CODE_MAX}; // index into the bandwidth-to-Q table
inline constexpr ValueRange kBandType{BAND_PEAK, BAND_LOW_PASS};
inline constexpr ValueRange kShelfSlope{0, 1};          // 6 or 12 dB/Oct
inline constexpr ValueRange kSlope{0, XOVER_SLOPE_OFF}; // 6..48 dB/Oct, 8 off
inline constexpr ValueRange kFamily{XOVER_LINKWITZ_RILEY, XOVER_BUTTERWORTH};
inline constexpr ValueRange kLevel{0, LEVEL_CODE_0DB};    // input and output level code, 600 = 0 dB
inline constexpr ValueRange kDelay{0, DELAY_MAX_SAMPLES}; // output delay, samples at 48 kHz
inline constexpr ValueRange kMix{0, 100};                 // source-mix level, percent
inline constexpr ValueRange kSpeakerCode{SPEAKER_CODE_NONE, SPEAKER_CODE_MAX};
inline constexpr ValueRange kInputType{0, NUM_INPUT_TYPES - 1};
inline constexpr int kSourceLevelOffset = 20; // source level position = stored byte - 20
inline constexpr ValueRange kSourceLevelPos{0, 46};
inline constexpr ValueRange kMasterVolume{0, 66};

} // namespace range

// TRUE when every ranged field of the record holds a value in its range.
class RecordRanges {
public:
    static bool Band(const EQBandRecord& band);
    static bool Xover(const XoverRecord& xover);
    // The bands and the level of an input whose first `bytes` bytes count (a file may carry only
    // the first part of each input record). The input's crossover is not shown anywhere and the
    // device's own records hold 0 there, so it is not checked.
    static bool Input(const InputRecord& rec, int bytes = static_cast<int>(sizeof(InputRecord)));
    // The first `bands` band slots (the others are placeholders), the crossover, level, delay,
    // speaker code and the fifteen mix levels.
    static bool Output(const OutputRecord& rec, int bands = OUTPUT_BAND_SLOTS);
    static bool Mic(const MicRecord& rec);
    static bool SourceSet(const SourceSetRecord& rec);
    // One stored source level byte (position + 20).
    static bool SourceLevel(int stored);
    static bool SystemData(const SystemDataRecord& rec);
    static bool SpeakerMap(const SystemRecord& map);
    // The band slots output `output` uses.
    static int OutputBands(int output);
};
