#include "presets/PresetArchive.h"

#include "presets/ArchiveMagic.h"
#include "presets/PresetFileIo.h"
#include "wire/LinkFrame.h"

#include <cstring>

namespace {

constexpr int kOutputsEnd = IMAGE_SIZE;
constexpr int kLockMarker = IMAGE_OFS_LOCKMARK;
constexpr int kLockOption = IMAGE_OFS_LOCKMARK + 1;
constexpr int kNameBytes = 288; // OutputRecord bytes 288..295
constexpr int kSystemBytes = 24;

// 0 unknown, 1 current, 2 old.
int MagicKind(std::string_view text, const char* current, const char* const (&old)[4]) {
    if (text == current)
        return 1;
    for (const char* o : old)
        if (text == o)
            return 2;
    return 0;
}

BYTE* Bytes(PresetImage& image) {
    return RecordBytes(image);
}

// Old files carry no lock: the name bytes of every output become spaces.
void BlankOutputNames(PresetImage& image) {
    for (OutputRecord& out : image.outputs)
        std::memset(reinterpret_cast<BYTE*>(&out) + kNameBytes, ' ', 8);
}

void XorRange(BYTE* p, int from, int to, int except1, int except2 = -1) {
    for (int k = from; k < to; ++k)
        if (k != except1 && k != except2)
            p[k] ^= LOCK_MASK;
}

void AppendImage(std::vector<BYTE>& out, const PresetImage& image) {
    const BYTE* p = RecordBytes(image);
    out.insert(out.end(), p, p + IMAGE_SIZE);
}

} // namespace

std::vector<BYTE> CPresetArchive::EncodeAllPresets(const PresetRecords& records) {
    std::vector<BYTE> out;
    out.reserve(kAllFileSize);
    ArchiveMagic::Write(out, kAllMagic);
    for (const PresetImage& s : records.stored)
        AppendImage(out, s);
    PresetRecords marked = records;
    marked.ApplyLockMark();
    PresetImage live = marked.live;
    if (marked.locked)
        XorRange(Bytes(live), IMAGE_OFS_OUTPUT0, kOutputsEnd, kLockMarker);
    AppendImage(out, live);
    const BYTE* src = RecordBytes(records.sourceSet);
    const BYTE* sys = RecordBytes(records.systemData);
    out.push_back(src[0]);
    out.push_back(sys[2]);
    out.push_back(sys[0]);
    out.push_back(sys[1]);
    out.push_back(src[1]);
    out.push_back(sys[3]);
    out.insert(out.end(), src + 2, src + 8);
    out.insert(out.end(), sys + 4, sys + 7);
    const BYTE* map = RecordBytes(records.speakerMap.speakerMap);
    out.insert(out.end(), map, map + 8);
    out.push_back(records.bootSource.bootDefault);
    return out;
}

PresetReadResult CPresetArchive::DecodeAllPresets(const BYTE* data, std::size_t size,
                                                  const PresetRecords& base) {
    const ArchiveMagic magic = ArchiveMagic::Read(data, size);
    const int kind = MagicKind(magic.text, kAllMagic, kOldAllMagics);
    if (kind == 0 || size < magic.bodyOffset + kAllBodySize)
        return PresetReadResult::Refused(kTextReadAllPresetsError);
    PresetReadResult r;
    r.records = base;
    PresetRecords& v = r.records;
    const BYTE* p = data + magic.bodyOffset;
    for (PresetImage& s : v.stored) {
        std::memcpy(Bytes(s), p, IMAGE_SIZE);
        p += IMAGE_SIZE;
    }
    std::memcpy(Bytes(v.live), p, IMAGE_SIZE);
    p += IMAGE_SIZE;
    v.oldAllFile = kind == 2;
    if (v.oldAllFile) {
        for (PresetImage& s : v.stored)
            BlankOutputNames(s);
        BlankOutputNames(v.live);
    }
    // Any marker but a space means locked in a file.
    v.locked = Bytes(v.live)[kLockMarker] != LOCK_MARKER_UNLOCKED;
    if (v.locked)
        XorRange(Bytes(v.live), IMAGE_OFS_OUTPUT0, kOutputsEnd, kLockMarker);
    BYTE* src = RecordBytes(v.sourceSet);
    BYTE* sys = RecordBytes(v.systemData);
    src[0] = p[0];
    sys[2] = p[1];
    sys[0] = p[2];
    sys[1] = p[3];
    src[1] = p[4];
    sys[3] = p[5];
    std::memcpy(src + 2, p + 6, 6);
    std::memcpy(sys + 4, p + 12, 3);
    std::memcpy(RecordBytes(v.speakerMap.speakerMap), p + 15, 8);
    v.bootSource.bootDefault = p[23];
    static_assert(kSystemBytes == 24);
    r.parts = PRESET_PART_LIVE | PRESET_PART_STORED | PRESET_PART_SOURCE_SET | PRESET_PART_SYSTEM_DATA |
              PRESET_PART_SPEAKER_MAP | PRESET_PART_BOOT_SOURCE | PRESET_PART_LOCK | PRESET_PART_OLD_ALL;
    r.ok = true;
    return r;
}

std::vector<BYTE> CPresetArchive::EncodePreset(const PresetRecords& records) {
    std::vector<BYTE> out;
    out.reserve(kSingleFileSize);
    ArchiveMagic::Write(out, kSingleMagic);
    PresetRecords marked = records;
    marked.ApplyLockMark();
    PresetImage live = marked.live;
    if (marked.locked)
        XorRange(Bytes(live), 0, IMAGE_SIZE, kLockMarker);
    AppendImage(out, live);
    out.push_back(RecordBytes(marked.live)[kLockOption]);
    return out;
}

PresetReadResult CPresetArchive::DecodePreset(const BYTE* data, std::size_t size, const PresetRecords& base) {
    const ArchiveMagic magic = ArchiveMagic::Read(data, size);
    const int kind = MagicKind(magic.text, kSingleMagic, kOldSingleMagics);
    if (kind == 0 || size < magic.bodyOffset + kSingleBodySize)
        return PresetReadResult::Refused(kTextReadPresetError);
    PresetReadResult r;
    r.records = base;
    PresetRecords& v = r.records;
    const BYTE* p = data + magic.bodyOffset;
    BYTE* img = Bytes(v.live);
    std::memcpy(img, p, IMAGE_SIZE);
    v.oldSingleFile = kind == 2;
    if (v.oldSingleFile) {
        BlankOutputNames(v.live);
        v.locked = false;
    } else if (img[kLockMarker] == LOCK_MARKER_UNLOCKED) {
        v.locked = false;
    } else {
        v.locked = true;
        XorRange(img, 0, IMAGE_SIZE, kLockMarker);
    }
    img[kLockOption] = p[IMAGE_SIZE];
    r.parts = PRESET_PART_LIVE | PRESET_PART_LOCK | PRESET_PART_OLD_SINGLE | PRESET_PART_FIX_TWEETERS;
    r.ok = true;
    return r;
}

std::vector<BYTE> CPresetArchive::EncodeModeFile(const PresetRecords& records) {
    const BYTE* slots = RecordBytes(records.slotTable);
    const int index = records.slotTable.curSlot;
    if (index > 3)
        return {};
    std::vector<BYTE> out;
    ArchiveMagic::Write(out, kModeMagic);
    out.push_back(static_cast<BYTE>(index));
    out.insert(out.end(), slots + index * 16, slots + index * 16 + 16);
    return out;
}

PresetReadResult CPresetArchive::DecodeModeFile(const BYTE* data, std::size_t size,
                                                const PresetRecords& base) {
    const ArchiveMagic magic = ArchiveMagic::Read(data, size);
    if (magic.text != kModeMagic || size < magic.bodyOffset + kModeBodySize)
        return PresetReadResult::Refused(kTextReadPresetError);
    const BYTE* p = data + magic.bodyOffset;
    const int index = p[0];
    if (index > 3) // a row past the table
        return PresetReadResult::Refused(kTextReadPresetError);
    PresetReadResult r;
    r.records = base;
    BYTE* slots = RecordBytes(r.records.slotTable);
    slots[65] = static_cast<BYTE>(index);
    std::memcpy(slots + index * 16, p + 1, 16);
    r.parts = PRESET_PART_SLOT_TABLE;
    r.ok = true;
    return r;
}

PresetReadResult CPresetArchive::ReadAllPresetsFile(const CString& path, const PresetRecords& base) {
    std::vector<BYTE> bytes;
    if (!CPresetFileIo::ReadWholeFile(path, bytes))
        return PresetReadResult::Refused(kTextReadAllPresetsError);
    return DecodeAllPresets(bytes.data(), bytes.size(), base);
}

PresetReadResult CPresetArchive::ReadPresetFile(const CString& path, const PresetRecords& base) {
    std::vector<BYTE> bytes;
    if (!CPresetFileIo::ReadWholeFile(path, bytes))
        return PresetReadResult::Refused(kTextReadPresetError);
    return DecodePreset(bytes.data(), bytes.size(), base);
}

BOOL CPresetArchive::WriteAllPresetsFile(const CString& path, const PresetRecords& records) {
    return CPresetFileIo::WriteFileAtomic(path, EncodeAllPresets(records));
}

BOOL CPresetArchive::WritePresetFile(const CString& path, const PresetRecords& records) {
    return CPresetFileIo::WriteFileAtomic(path, EncodePreset(records));
}
