#include "presets/PresetRangeCheck.h"

#include "model/Globals.h"
#include "model/KTV_OutData.h"
#include "model/RecordRanges.h"

#include <cstring>

namespace {

void FindInImage(const PresetImage& image, int inputBytes, unsigned& inputs, unsigned& outputs) {
    for (int i = 0; i < NUM_INPUTS; ++i)
        if (!RecordRanges::Input(image.inputs[i], inputBytes))
            inputs |= 1u << i;
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (!RecordRanges::Output(image.outputs[j], RecordRanges::OutputBands(j)))
            outputs |= 1u << j;
}

void ResetImage(PresetImage& image, unsigned inputs, unsigned outputs, const SystemRecord& map, bool live) {
    for (int i = 0; i < NUM_INPUTS; ++i)
        if (inputs & (1u << i))
            image.inputs[i] = DefaultInputRecord(i);
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        if (!(outputs & (1u << j)))
            continue;
        const LockMarkBlock mark = image.outputs[j].GetLockMark();
        image.outputs[j] = g_defOutRecords[j];
        // The map decides each output's position, as after every reset of the outputs.
        image.outputs[j].position = map[static_cast<size_t>(j)];
        if (live && j == 0)
            image.outputs[j].SetLockMark(mark);
    }
}

void CompleteImageInputs(PresetImage& image, int fileBytes) {
    for (int i = 0; i < NUM_INPUTS; ++i) {
        InputRecord& rec = image.inputs[i];
        // Only a fault in the program's part: the file's own faults are the question's.
        if (RecordRanges::Input(rec) || !RecordRanges::Input(rec, fileBytes))
            continue;
        const InputRecord def = DefaultInputRecord(i);
        std::memcpy(RecordBytes(rec) + fileBytes, RecordBytes(def) + fileBytes, sizeof rec - fileBytes);
    }
}

} // namespace

void CPresetRangeCheck::CompleteInputs(PresetReadResult& read) {
    const int fileBytes = read.inputBytes;
    if (!read.ok || fileBytes < 0 || fileBytes >= static_cast<int>(sizeof(InputRecord)))
        return;
    if (read.parts & PRESET_PART_LIVE)
        CompleteImageInputs(read.records.live, fileBytes);
    if (read.parts & PRESET_PART_STORED)
        for (PresetImage& image : read.records.stored)
            CompleteImageInputs(image, fileBytes);
}

bool PresetRangeFaults::Any() const {
    for (int k = 0; k < kImages; ++k)
        if (inputs[k] || outputs[k])
            return true;
    return mic || sourceSet || systemData || speakerMap || xovers != 0;
}

PresetRangeFaults CPresetRangeCheck::Find(const PresetReadResult& read) {
    PresetRangeFaults f;
    if (!read.ok)
        return f;
    const PresetRecords& r = read.records;
    if (read.parts & PRESET_PART_LIVE) {
        FindInImage(r.live, read.inputBytes, f.inputs[0], f.outputs[0]);
        f.mic = read.micSet && !RecordRanges::Mic(r.live.mic);
    }
    if (read.parts & PRESET_PART_STORED)
        for (int k = 0; k < NUM_STORED_PRESETS; ++k)
            FindInImage(r.stored[k], read.inputBytes, f.inputs[1 + k], f.outputs[1 + k]);
    f.sourceSet = (read.parts & PRESET_PART_SOURCE_SET) && !RecordRanges::SourceSet(r.sourceSet);
    f.systemData = (read.parts & PRESET_PART_SYSTEM_DATA) && !RecordRanges::SystemData(r.systemData);
    f.speakerMap =
        (read.parts & PRESET_PART_SPEAKER_MAP) && !RecordRanges::SpeakerMap(r.speakerMap.speakerMap);
    if (read.parts & PRESET_PART_XOVER_TABLE)
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            if (!RecordRanges::Xover(r.xoverTable[j]))
                f.xovers |= 1u << j;
    return f;
}

void CPresetRangeCheck::ResetFaulty(PresetRecords& r, const PresetRangeFaults& f) {
    SourceSetRecord source{};
    SystemDataRecord system{};
    SpeakerMapBlock map{};
    GetDefaultSystemRecords(&source, &system, &map, nullptr, nullptr, nullptr);
    if (f.sourceSet)
        r.sourceSet = source;
    if (f.systemData)
        r.systemData = system;
    if (f.speakerMap)
        r.speakerMap.speakerMap = map.speakerMap;
    ResetImage(r.live, f.inputs[0], f.outputs[0], r.speakerMap.speakerMap, true);
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        ResetImage(r.stored[k], f.inputs[1 + k], f.outputs[1 + k], r.speakerMap.speakerMap, false);
    if (f.mic)
        r.live.mic = DefaultMicRecord();
    // After the map: the entry takes what its output's position gives when the map is applied.
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (f.xovers & (1u << j))
            r.xoverTable[j] =
                CKTV_OutData::PositionDefaultXover(r.speakerMap.speakerMap[static_cast<size_t>(j)]);
}
