// CJsonPreset: the JSON preset files, the single-preset document (".jtsh" written, ".jssh" and
// ".jtsh" read) and the all-presets document (".jtah" written, ".jsah" and ".jtah" read). The
// documents are built and parsed with cJSON, printed with its formatted printer and scrambled byte
// n XOR (n mod 256). The module keeps the header of the last file that got past the header check
// and writes it again with a new upload time. Decoding works on a base value and returns the new
// value or a refusal; nothing global is touched here.
#pragma once

#include "presets/JsonPresetHeader.h"
#include "presets/PresetReadResult.h"
#include "presets/PresetRecords.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

struct cJSON;

class CJsonPreset {
public:
    static constexpr std::size_t kBlockSize = 32768;
    static constexpr int kMusicBytes = 112; // the first bytes of each input record in the file
    // Real files are about 100 KB; a larger one is refused from its size, before cJSON spends
    // gigabytes of memory on a crafted one.
    static constexpr std::size_t kMaxFileSize = 4u << 20;

    CJsonPreset() = default;

    // Byte n ^= n mod 256, block by block; its own inverse.
    static void Scramble(BYTE* data, std::size_t size);

    // The printed (unscrambled) documents; the upload time is set from now.
    std::string PrintSingle(const PresetRecords& records, std::time_t now);
    std::string PrintComplete(const PresetRecords& records, std::time_t now);
    // The file bytes: printed and scrambled.
    std::vector<BYTE> EncodeSingle(const PresetRecords& records, std::time_t now);
    std::vector<BYTE> EncodeComplete(const PresetRecords& records, std::time_t now);

    // Unscramble, parse and check a whole file. Single: sets the live image (name, the first 112
    // bytes of each input, the outputs), the system records, the lock, and asks for the tweeter
    // fix-up. Complete: also the stored presets (groups 1..6). Refused with the kind's read error
    // (kTextReadPresetError / kTextReadAllPresetsError).
    PresetReadResult DecodeSingle(const BYTE* data, std::size_t size, const PresetRecords& base);
    PresetReadResult DecodeComplete(const BYTE* data, std::size_t size, const PresetRecords& base);

    // Nothing calls these two. The current preset's group object, as group 0 of the all-presets
    // document (its outputs scrambled while locked), appended to array.
    void BuildCurrentGroup(cJSON* array, const PresetRecords& records) const;
    // Element `group` of array read as the current preset, with the lock taken as a file read
    // takes it, and a "system" object inside the group when it has one. Refused (nothing taken)
    // when the element is missing or not a complete group.
    PresetReadResult ParseCurrentGroup(const cJSON* array, int group, const PresetRecords& base) const;

    // Files: write through CPresetFileIo (FALSE when any step failed); read the whole file.
    BOOL WriteSingleFile(const CString& path, const PresetRecords& records);
    BOOL WriteCompleteFile(const CString& path, const PresetRecords& records);
    PresetReadResult ReadSingleFile(const CString& path, const PresetRecords& base);
    PresetReadResult ReadCompleteFile(const CString& path, const PresetRecords& base);

    const JsonPresetHeader& Header() const { return m_header; }
    JsonPresetHeader& Header() { return m_header; }

private:
    PresetReadResult Decode(const BYTE* data, std::size_t size, const PresetRecords& base, bool complete);

    JsonPresetHeader m_header;
};
