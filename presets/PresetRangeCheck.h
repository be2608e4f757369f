// CPresetRangeCheck: which records of a preset read hold a field outside its range (the table of
// model/RecordRanges), and the same records put back to their defaults. It looks only at what the
// read set (its parts, and only the part of each input record a file carries), since only that
// is new; everything it flags would reach the device with the next send.
#pragma once

#include "model/DataDefine.h"
#include "presets/PresetReadResult.h"
#include "presets/PresetRecords.h"

// Records out of range. Image 0 is the live image, 1..6 the stored presets.
struct PresetRangeFaults {
    static constexpr int kImages = 1 + NUM_STORED_PRESETS;
    unsigned inputs[kImages] = {};  // bit i: input i
    unsigned outputs[kImages] = {}; // bit j: output j
    bool mic = false;               // the live image's mic
    bool sourceSet = false;
    bool systemData = false;
    bool speakerMap = false;
    unsigned xovers = 0; // bit j: output j's entry of the map file's crossover table

    bool Any() const;
};

class CPresetRangeCheck {
public:
    // The part of each input record a file does not carry stays the program's. Where that part
    // is out of range the program never read the record from the device (its start-up zeros):
    // it takes the input's defaults then, so a good file never sends those zeros.
    static void CompleteInputs(PresetReadResult& read);
    static PresetRangeFaults Find(const PresetReadResult& read);
    // The faulty records back to their defaults: inputs and the mic to what a fresh document
    // stores, outputs to the default outputs with the speaker map's codes (the live first output
    // keeps its lock marker and code), the system records to their start-up values, a crossover
    // entry of the map file to the default crossover of its output's speaker code.
    static void ResetFaulty(PresetRecords& records, const PresetRangeFaults& faults);
};
