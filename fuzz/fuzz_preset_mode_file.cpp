// The mode file reader fed arbitrary files: refused without a change, or read, written again and
// read back to the same records.
#include "PresetFuzz.h"
#include "presets/PresetArchive.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader puts the index into byte 65, the writer takes it from byte 64: write what was read.
    fuzz::CheckReader(data, size, CPresetArchive::DecodeModeFile, [](const PresetRecords& r) {
        PresetRecords again = r;
        again.slotTable.curSlot = r.slotTable.reserved65;
        return CPresetArchive::EncodeModeFile(again);
    });
    return 0;
}
