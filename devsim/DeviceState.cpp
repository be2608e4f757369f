#include "DeviceState.h"

#include "model/Globals.h"

#include <mutex>

namespace {

DeviceState ComputeDefaults() {
    DeviceState s;
    PresetImage stored[NUM_STORED_PRESETS];
    GetDefaultImage(&s.live, stored);
    SpeakerMapBlock map{};
    GetDefaultSystemRecords(&s.sourceSet, &s.systemData, &map, &s.bootSource, &s.slotTable, &s.lockRecord);
    s.speakerMap = map.speakerMap;
    s.presetNumber = map.curPresetNo[0];
    // The device holds full output records, not the start-up image's partly empty ones.
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        s.live.outputs[j] = g_defOutRecords[j];
    auto fix = [&](PresetImage& img) {
        // The speaker map is the truth for each output's position byte.
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            img.outputs[j].position = s.speakerMap[static_cast<size_t>(j)];
        img.outputs[0].name[0] = static_cast<char>(LOCK_MARKER_UNLOCKED);
        img.outputs[0].name[1] = 0; // lock option: the device keeps 0 or 1 there
    };
    fix(s.live);
    for (int p = 0; p < NUM_STORED_PRESETS; ++p) {
        s.stored[p] = stored[p];
        // Its stored presets hold full channel records too: a recalled preset is data in range.
        for (int i = 0; i < NUM_INPUTS; ++i)
            s.stored[p].inputs[i] = s.live.inputs[i];
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            s.stored[p].outputs[j] = g_defOutRecords[j];
        fix(s.stored[p]);
    }
    return s;
}

} // namespace

DeviceState DeviceState::Defaults() {
    static std::once_flag once;
    static DeviceState defaults;
    std::call_once(once, [] { defaults = ComputeDefaults(); });
    return defaults;
}
