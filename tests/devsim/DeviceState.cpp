#include "DeviceState.h"

#include "model/Globals.h"

#include <cstring>
#include <memory>
#include <mutex>

namespace {

// The program's globals that InitData writes and the emulator reads.
struct ModelSnapshot {
    PresetImage live;
    PresetImage stored[NUM_STORED_PRESETS];
    MachinePresetRecord machine[NUM_MACHINE_PRESETS];
    SourceSetRecord sourceSet;
    SystemDataRecord systemData;
    SpeakerMapBlock speakerMap;
    BootSourceRecord bootSource;
    SlotTableRecord slotTable;
    LockRecord lockRecord;

    void Take() {
        live = g_curImage;
        std::memcpy(stored, g_storedPresets, sizeof stored);
        std::memcpy(machine, g_machinePresets, sizeof machine);
        sourceSet = g_pcSourceSet;
        systemData = g_systemData;
        speakerMap = g_speakerMapBlock;
        bootSource = g_bootSource;
        slotTable = g_slotTable;
        lockRecord = g_lockRecord;
    }
    void Restore() const {
        g_curImage = live;
        std::memcpy(g_storedPresets, stored, sizeof stored);
        std::memcpy(g_machinePresets, machine, sizeof machine);
        g_pcSourceSet = sourceSet;
        g_systemData = systemData;
        g_speakerMapBlock = speakerMap;
        g_bootSource = bootSource;
        g_slotTable = slotTable;
        g_lockRecord = lockRecord;
    }
};

DeviceState ComputeDefaults() {
    // InitData is the one source of the defaults; the program's own records are put back after it.
    auto saved = std::make_unique<ModelSnapshot>();
    auto fresh = std::make_unique<ModelSnapshot>();
    {
        std::lock_guard<CCriticalSection> guard(g_linkLock);
        saved->Take();
        InitData();
        fresh->Take();
        saved->Restore();
    }
    DeviceState s;
    s.live = fresh->live;
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        s.live.outputs[j] = g_defOutRecords[j];
    for (int p = 0; p < NUM_STORED_PRESETS; ++p)
        s.stored[p] = s.live;
    std::memcpy(s.machine, fresh->machine, sizeof s.machine);
    s.sourceSet = fresh->sourceSet;
    s.systemData = fresh->systemData;
    s.speakerMap = fresh->speakerMap.speakerMap;
    s.presetNumber = fresh->speakerMap.curPresetNo[0];
    s.bootSource = fresh->bootSource;
    s.slotTable = fresh->slotTable;
    s.lockRecord = fresh->lockRecord;
    auto fix = [&](PresetImage& img) {
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            img.outputs[j].position = s.speakerMap[static_cast<size_t>(j)];
        img.outputs[0].name[0] = static_cast<char>(LOCK_MARKER_UNLOCKED);
        img.outputs[0].name[1] = 0; // lock option: the device keeps 0 or 1 there
    };
    fix(s.live);
    for (auto& p : s.stored)
        fix(p);
    return s;
}

} // namespace

DeviceState DeviceState::Defaults() {
    static std::once_flag once;
    static std::unique_ptr<DeviceState> defaults;
    std::call_once(once, [] { defaults = std::make_unique<DeviceState>(ComputeDefaults()); });
    return *defaults;
}
