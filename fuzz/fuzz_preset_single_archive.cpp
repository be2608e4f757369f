// The .vtas single-preset archive reader fed arbitrary files: refused without a change, or read, written
// again and read back to the same records.
#include "PresetFuzz.h"
#include "presets/PresetArchive.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CheckReader(data, size, CPresetArchive::DecodePreset, CPresetArchive::EncodePreset);
    return 0;
}
