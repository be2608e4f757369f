#include "presets/OutputMapFile.h"

#include "presets/ArchiveMagic.h"
#include "presets/PresetFileIo.h"

#include <cstring>

std::vector<BYTE> COutputMapFile::Encode(const PresetRecords& records) {
    std::vector<BYTE> out;
    out.reserve(kFileSize);
    ArchiveMagic::Write(out, kMagic);
    const BYTE* map = RecordBytes(records.speakerMap.speakerMap);
    out.insert(out.end(), map, map + 8);
    for (const XoverRecord& x : records.xoverTable) {
        // In the file the slope comes before the family.
        out.push_back(x.hpFreq.b[0]);
        out.push_back(x.hpFreq.b[1]);
        out.push_back(x.hpSlope);
        out.push_back(x.hpFamily);
        out.push_back(x.lpFreq.b[0]);
        out.push_back(x.lpFreq.b[1]);
        out.push_back(x.lpSlope);
        out.push_back(x.lpFamily);
    }
    return out;
}

PresetReadResult COutputMapFile::Decode(const BYTE* data, std::size_t size, const PresetRecords& base) {
    const ArchiveMagic magic = ArchiveMagic::Read(data, size);
    if ((magic.text != kMagic && magic.text != kOldMagic) || size < magic.bodyOffset + kBodySize)
        return PresetReadResult::Refused(kTextReadMapError);
    PresetReadResult r;
    r.records = base;
    const BYTE* p = data + magic.bodyOffset;
    std::memcpy(RecordBytes(r.records.speakerMap.speakerMap), p, 8);
    p += 8;
    for (XoverRecord& x : r.records.xoverTable) {
        x.hpFreq.b[0] = p[0];
        x.hpFreq.b[1] = p[1];
        x.hpSlope = p[2];
        x.hpFamily = p[3];
        x.lpFreq.b[0] = p[4];
        x.lpFreq.b[1] = p[5];
        x.lpSlope = p[6];
        x.lpFamily = p[7];
        p += 8;
    }
    r.parts = PRESET_PART_SPEAKER_MAP | PRESET_PART_XOVER_TABLE;
    r.ok = true;
    return r;
}

PresetReadResult COutputMapFile::ReadFile(const CString& path, const PresetRecords& base) {
    std::vector<BYTE> bytes;
    if (!CPresetFileIo::ReadWholeFile(path, bytes))
        return PresetReadResult::Refused(kTextReadMapError);
    return Decode(bytes.data(), bytes.size(), base);
}

BOOL COutputMapFile::WriteFile(const CString& path, const PresetRecords& records) {
    return CPresetFileIo::WriteFileAtomic(path, Encode(records));
}
