// What the emulated device holds: its live parameter set, the six stored presets, the machine
// presets of the effect record and the system records, in the device's byte layout.
#pragma once

#include "model/DataDefine.h"

#include <string>

struct DeviceState {
    PresetImage live{};
    PresetImage stored[NUM_STORED_PRESETS]{};
    MachinePresetRecord machine[NUM_MACHINE_PRESETS]{};
    SourceSetRecord sourceSet{};
    SystemDataRecord systemData{};
    SystemRecord speakerMap{};
    BYTE presetNumber = 0;
    BootSourceRecord bootSource{};
    SlotTableRecord slotTable{};
    LockRecord lockRecord{}; // kept plain; scrambled on the way out
    std::string versionTag = "MQVT-KV1.00";

    // The program's own start-up defaults, with the full default output records and the speaker
    // map's codes in each output's position byte; the first output carries the unlocked marker.
    // The stored presets hold the live preset's input records (not zeros).
    static DeviceState Defaults();
};
