// The ".vtac" output-map reader fed arbitrary files: refused without a change, or read, written
// again and read back to the same records.
#include "PresetFuzz.h"
#include "presets/OutputMapFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CheckReader(data, size, COutputMapFile::Decode, COutputMapFile::Encode);
    return 0;
}
