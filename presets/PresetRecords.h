// PresetRecords: one value holding everything a preset file reads or writes (the live image, the
// six stored presets, the system records, the map file's crossovers, the lock state and the file
// flags). The file readers and writers work on this value only; the program takes it from the
// globals and commits a read result back in one hold of g_linkLock, so a refused file changes
// nothing.
#pragma once

#include "model/DataDefine.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CKTV_Data;

// Which records a read set; Commit writes exactly these back.
enum PresetPart : unsigned {
    PRESET_PART_LIVE = 1u << 0,          // g_curImage
    PRESET_PART_STORED = 1u << 1,        // g_storedPresets
    PRESET_PART_SOURCE_SET = 1u << 2,    // g_pcSourceSet
    PRESET_PART_SYSTEM_DATA = 1u << 3,   // g_systemData
    PRESET_PART_SPEAKER_MAP = 1u << 4,   // g_speakerMap (8 bytes)
    PRESET_PART_PRESET_NO = 1u << 5,     // g_curPresetNo (8 bytes)
    PRESET_PART_BOOT_SOURCE = 1u << 6,   // g_bootSource
    PRESET_PART_SLOT_TABLE = 1u << 7,    // g_slotTable
    PRESET_PART_XOVER_TABLE = 1u << 8,   // g_xoverTable
    PRESET_PART_LOCK = 1u << 9,          // g_bDataLocked; when locked the image's code becomes the password
    PRESET_PART_OLD_ALL = 1u << 10,      // g_nStateFlags[33]
    PRESET_PART_OLD_SINGLE = 1u << 11,   // g_nStateFlags[34]
    PRESET_PART_FIX_TWEETERS = 1u << 12, // FixTweeterCrossover on the committed live image
};

// Element of g_nStateFlags set while the last single-preset archive read had an old magic.
constexpr int STATE_FLAG_OLD_SINGLE_FILE = 34;

struct PresetRecords {
    PresetImage live{};
    PresetImage stored[NUM_STORED_PRESETS]{};
    SourceSetRecord sourceSet{};
    SystemDataRecord systemData{};
    SpeakerMapBlock speakerMap{}; // speaker codes, then the current preset number block
    BootSourceRecord bootSource{};
    SlotTableRecord slotTable{};
    XoverRecord xoverTable[NUM_OUTPUTS]{};
    bool locked = false;     // g_bDataLocked
    CString lockPassword;    // g_strLockPassword
    bool oldAllFile = false; // g_nStateFlags[33]
    bool oldSingleFile = false;

    // Copy of every record and flag, taken in one hold of g_linkLock.
    static PresetRecords FromGlobals();
    // For a save: in one hold of g_linkLock, stores the model into the image (doc may be null),
    // writes the lock marker and code into the live image (they stay there) and copies everything.
    static PresetRecords TakeForSave(CKTV_Data* doc);
    // Writes the parts back in one hold of g_linkLock. A locked live image (PRESET_PART_LOCK) gives
    // its trimmed code to g_strLockPassword before anything can be sent with a stale one.
    void Commit(unsigned parts) const;

    // The writers' lock marker on the live image: locked, '!' and the first six bytes of the
    // password as a NUL-padded 8-byte field (zeroed first, so a long password leaves no old code);
    // unlocked, ' '. Byte 2313 is left alone.
    void ApplyLockMark();
    // Bytes 2314..2319 of the live image, trimmed.
    CString LiveLockCode() const;

    bool operator==(const PresetRecords& other) const;
};
