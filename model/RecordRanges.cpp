#include "model/RecordRanges.h"

#include <cstddef>

using namespace range;

bool RecordRanges::Band(const EQBandRecord& band) {
    const int type = band.type;
    const bool shelf = type == BAND_LOW_SHELF || type == BAND_HIGH_SHELF;
    return kFreq.Holds(band.freq) && kGainPos.Holds(band.gainCode - kGainCodeOffset) &&
           kBandwidth.Holds(band.bwCode) && kBandType.Holds(type) &&
           (shelf ? kShelfSlope : kSlope).Holds(band.slope);
}

bool RecordRanges::Xover(const XoverRecord& x) {
    return kFreq.Holds(x.hpFreq) && kFamily.Holds(x.hpFamily) && kSlope.Holds(x.hpSlope) &&
           kFreq.Holds(x.lpFreq) && kFamily.Holds(x.lpFamily) && kSlope.Holds(x.lpSlope);
}

bool RecordRanges::Input(const InputRecord& rec, int bytes) {
    const int bands = bytes / static_cast<int>(sizeof(EQBandRecord));
    for (int n = 0; n < INPUT_BAND_SLOTS && n < bands; ++n)
        if (!Band(rec.bands[n]))
            return false;
    constexpr int kLevelEnd = static_cast<int>(offsetof(InputRecord, levelCode) + sizeof rec.levelCode);
    return bytes < kLevelEnd || kLevel.Holds(rec.levelCode);
}

bool RecordRanges::Output(const OutputRecord& rec, int bands) {
    for (int n = 0; n < OUTPUT_BAND_SLOTS && n < bands; ++n)
        if (!Band(rec.bands[n]))
            return false;
    for (const BYTE mix : rec.mix1)
        if (!kMix.Holds(mix))
            return false;
    for (int k = 0; k < 7; ++k) // byte 7 is the switch mask
        if (!kMix.Holds(rec.mix2[k]))
            return false;
    return Xover(rec.xover) && kLevel.Holds(rec.levelCode) && kDelay.Holds(rec.delay) &&
           kSpeakerCode.Holds(rec.position);
}

bool RecordRanges::Mic(const MicRecord& rec) {
    for (const EQBandRecord& band : rec.bands)
        if (!Band(band))
            return false;
    return true;
}

bool RecordRanges::SourceSet(const SourceSetRecord& rec) {
    for (const BYTE level : rec.sourceLevel)
        if (!SourceLevel(level))
            return false;
    return kInputType.Holds(rec.inputType);
}

bool RecordRanges::SourceLevel(int stored) {
    return kSourceLevelPos.Holds(stored - kSourceLevelOffset);
}

bool RecordRanges::SystemData(const SystemDataRecord& rec) {
    return kMasterVolume.Holds(rec.masterVolume);
}

bool RecordRanges::SpeakerMap(const SystemRecord& map) {
    for (const BYTE code : map.bytes)
        if (!kSpeakerCode.Holds(code))
            return false;
    return true;
}

int RecordRanges::OutputBands(int output) {
    return output >= FIRST_SHORT_OUTPUT ? OUTPUT_BANDS_SHORT : OUTPUT_BANDS;
}
