#include "presets/PresetRecords.h"

#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"

#include <cstring>
#include <mutex>

namespace {

PresetRecords CopyGlobals() {
    PresetRecords r;
    r.live = g_curImage;
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        r.stored[k] = g_storedPresets[k];
    r.sourceSet = g_pcSourceSet;
    r.systemData = g_systemData;
    r.speakerMap = g_speakerMapBlock;
    r.bootSource = g_bootSource;
    r.slotTable = g_slotTable;
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        r.xoverTable[j] = g_xoverTable[j];
    r.locked = g_bDataLocked.load() != 0;
    r.lockPassword = g_strLockPassword;
    r.oldAllFile = g_bOldAllPresetsFile.load() != 0;
    r.oldSingleFile = g_nStateFlags[STATE_FLAG_OLD_SINGLE_FILE].load() != 0;
    return r;
}

} // namespace

PresetRecords PresetRecords::FromGlobals() {
    std::lock_guard lock(g_linkLock);
    return CopyGlobals();
}

PresetRecords PresetRecords::TakeForSave(CKTV_Data* doc) {
    std::lock_guard lock(g_linkLock);
    if (doc)
        doc->StoreToImage();
    PresetRecords r = CopyGlobals();
    r.ApplyLockMark();
    g_curImage.outputs[0].SetLockMark(r.live.outputs[0].GetLockMark());
    return r;
}

void PresetRecords::Commit(unsigned parts) const {
    std::lock_guard lock(g_linkLock);
    if (parts & PRESET_PART_LIVE)
        g_curImage = live;
    if (parts & PRESET_PART_STORED)
        for (int k = 0; k < NUM_STORED_PRESETS; ++k)
            g_storedPresets[k] = stored[k];
    if (parts & PRESET_PART_SOURCE_SET)
        g_pcSourceSet = sourceSet;
    if (parts & PRESET_PART_SYSTEM_DATA)
        g_systemData = systemData;
    if (parts & PRESET_PART_SPEAKER_MAP)
        g_speakerMap = speakerMap.speakerMap;
    if (parts & PRESET_PART_PRESET_NO)
        g_curPresetNo = speakerMap.curPresetNo;
    if (parts & PRESET_PART_BOOT_SOURCE)
        g_bootSource = bootSource;
    if (parts & PRESET_PART_SLOT_TABLE)
        g_slotTable = slotTable;
    if (parts & PRESET_PART_XOVER_TABLE)
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            g_xoverTable[j] = xoverTable[j];
    if (parts & PRESET_PART_LOCK) {
        g_bDataLocked = locked ? 1 : 0;
        if (locked)
            g_strLockPassword = LiveLockCode();
    }
    if (parts & PRESET_PART_OLD_ALL)
        g_bOldAllPresetsFile = oldAllFile ? 1 : 0;
    if (parts & PRESET_PART_OLD_SINGLE)
        g_nStateFlags[STATE_FLAG_OLD_SINGLE_FILE] = oldSingleFile ? 1 : 0;
    if (parts & PRESET_PART_FIX_TWEETERS)
        FixTweeterCrossover();
}

void PresetRecords::ApplyLockMark() {
    OutputRecord& first = live.outputs[0];
    LockMarkBlock mark = first.GetLockMark();
    if (locked) {
        BYTE field[8] = {};
        // A password that cannot fit leaves the code zero (and reports nothing under the lock).
        if (lockPassword.GetLength() < 8)
            StringToField(field, 8, lockPassword);
        mark.marker = LOCK_MARKER_LOCKED;
        std::memcpy(mark.code, field, sizeof mark.code);
    } else {
        mark.marker = LOCK_MARKER_UNLOCKED;
    }
    first.SetLockMark(mark);
}

CString PresetRecords::LiveLockCode() const {
    const LockMarkBlock mark = live.outputs[0].GetLockMark();
    return FieldToStringN(mark.code, static_cast<int>(sizeof mark.code));
}

bool PresetRecords::operator==(const PresetRecords& o) const {
    for (int k = 0; k < NUM_STORED_PRESETS; ++k)
        if (!(stored[k] == o.stored[k]))
            return false;
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        if (!(xoverTable[j] == o.xoverTable[j]))
            return false;
    return live == o.live && sourceSet == o.sourceSet && systemData == o.systemData &&
           speakerMap.speakerMap == o.speakerMap.speakerMap &&
           speakerMap.curPresetNo == o.speakerMap.curPresetNo && bootSource == o.bootSource &&
           slotTable == o.slotTable && locked == o.locked && lockPassword == o.lockPassword &&
           oldAllFile == o.oldAllFile && oldSingleFile == o.oldSingleFile;
}
