// The JSON complete preset reader fed arbitrary files (scrambled as on disk): refused without a
// change, or read, written again and read back to the same records.
#include "PresetFuzz.h"
#include "presets/JsonPreset.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CJsonPreset json;
    fuzz::CheckReader(
        data, size,
        [&](const BYTE* d, std::size_t n, const PresetRecords& base) {
            return json.DecodeComplete(d, n, base);
        },
        [&](const PresetRecords& r) { return json.EncodeComplete(r, 0); });
    return 0;
}
