// COutputMapFile: the output-map file ".vtac" (82 bytes with the current magic): the eight speaker
// codes and the eight crossovers, slope before family in the file. Pure, like CPresetArchive: a
// file shorter than its layout is refused, bytes after it are ignored.
#pragma once

#include "presets/PresetReadResult.h"
#include "presets/PresetRecords.h"

#include <cstddef>
#include <vector>

class COutputMapFile {
public:
    static constexpr const char* kMagic = "ZN-R9_Map";
    static constexpr const char* kOldMagic = "TRV410_Map";
    static constexpr std::size_t kBodySize = 8 + 8 * 8;
    static constexpr std::size_t kFileSize = 1 + 9 + kBodySize; // 82

    // From records.speakerMap and records.xoverTable (the caller fills the table from the model).
    static std::vector<BYTE> Encode(const PresetRecords& records);
    // Sets the speaker map and the crossover table; refused with "Read output map error!".
    static PresetReadResult Decode(const BYTE* data, std::size_t size, const PresetRecords& base);

    static PresetReadResult ReadFile(const CString& path, const PresetRecords& base);
    static BOOL WriteFile(const CString& path, const PresetRecords& records);
};
