// CPresetArchive: the archive forms of the preset files, the all-presets file ".vtaa" (30786 bytes
// with the current magic), the single-preset file ".vtas" (4408 bytes) and the mode file (31
// bytes). Pure: encoders return the file's bytes, decoders take the whole file and a base value
// and return the new value, or a refusal for a file of another magic or one that ends before its
// layout does. Bytes after the layout are ignored: other copies of the program may write more.
#pragma once

#include "presets/PresetReadResult.h"
#include "presets/PresetRecords.h"

#include <cstddef>
#include <vector>

class CPresetArchive {
public:
    static constexpr const char* kAllMagic = "ZN-R9_ALLFile_3.0";
    static constexpr const char* kOldAllMagics[4] = {"ZN-R9_ALLFile_1.0", "ZN-R9_ALLFile_2.0",
                                                     "ZN-R4_ALLFile_1.0", "TRV410_ALLFile_1.0"};
    static constexpr const char* kSingleMagic = "ZN-R9_File_3.0";
    static constexpr const char* kOldSingleMagics[4] = {"ZN-R9_File_1.0", "ZN-R9_File_2.0", "ZN-R4_File_1.0",
                                                        "TRV410_File_1.0"};
    static constexpr const char* kModeMagic = "Mode_730_File";
    static constexpr std::size_t kAllBodySize = 7 * IMAGE_SIZE + 24;
    static constexpr std::size_t kSingleBodySize = IMAGE_SIZE + 1;
    static constexpr std::size_t kModeBodySize = 17;
    static constexpr std::size_t kAllFileSize = 1 + 17 + kAllBodySize;       // 30786
    static constexpr std::size_t kSingleFileSize = 1 + 14 + kSingleBodySize; // 4408

    // ".vtaa": the stored presets plain, the live image with its lock marker, scrambled over
    // 2024..4391 except 2312 while locked, then the 24 system bytes.
    static std::vector<BYTE> EncodeAllPresets(const PresetRecords& records);
    // Sets live, stored, the source set, system data 0..6, the speaker map, boot source byte 1,
    // the lock and the old-format flag. Refused with "Read all presets file error!".
    static PresetReadResult DecodeAllPresets(const BYTE* data, std::size_t size, const PresetRecords& base);

    // ".vtas": the whole live image scrambled except 2312 while locked, then byte 2313 plain.
    static std::vector<BYTE> EncodePreset(const PresetRecords& records);
    // Sets the live image, the lock and the old-format flag, and asks for the tweeter fix-up.
    // Refused with "Read presets file  error!".
    static PresetReadResult DecodePreset(const BYTE* data, std::size_t size, const PresetRecords& base);

    // Mode file: the slot row of g_slotTable byte 64. Nothing in the program uses it.
    static std::vector<BYTE> EncodeModeFile(const PresetRecords& records);
    // The index goes to slot table byte 65 and the row to that index; an index above 3 is refused.
    static PresetReadResult DecodeModeFile(const BYTE* data, std::size_t size, const PresetRecords& base);

    // Whole-file forms: a file that cannot be read is refused with the same text; a write goes
    // through CPresetFileIo.
    static PresetReadResult ReadAllPresetsFile(const CString& path, const PresetRecords& base);
    static PresetReadResult ReadPresetFile(const CString& path, const PresetRecords& base);
    static BOOL WriteAllPresetsFile(const CString& path, const PresetRecords& records);
    static BOOL WritePresetFile(const CString& path, const PresetRecords& records);
};
