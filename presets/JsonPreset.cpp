#include "presets/JsonPreset.h"

#include "presets/PresetFileIo.h"
#include "wire/LinkFrame.h"

#include <cjson/cJSON.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kNameBytes = 16;
constexpr int kOutputBytes = 296;
constexpr int kSlotBytes = 50;

struct JsonDeleter {
    void operator()(cJSON* p) const { cJSON_Delete(p); }
};
using JsonPtr = std::unique_ptr<cJSON, JsonDeleter>;

cJSON* Item(const cJSON* obj, const char* key) {
    return cJSON_GetObjectItemCaseSensitive(obj, key);
}

// The decimal texts of 0..255.
const std::array<std::array<char, 4>, 256>& ByteTexts() {
    static const auto texts = [] {
        std::array<std::array<char, 4>, 256> t{};
        for (int v = 0; v < 256; ++v)
            std::snprintf(t[v].data(), 4, "%d", v);
        return t;
    }();
    return texts;
}

// Byte values as raw items holding their decimal text: the printer writes exactly what it writes
// for the numbers, without formatting and re-reading a double for each of the 20 000 values. A
// tree that is read again without printing takes number items.
cJSON* IntArray(const BYTE* bytes, int count, bool numbers = false) {
    cJSON* array = cJSON_CreateArray();
    for (int k = 0; k < count; ++k)
        cJSON_AddItemToArray(array, numbers ? cJSON_CreateNumber(bytes[k])
                                            : cJSON_CreateRaw(ByteTexts()[bytes[k]].data()));
    return array;
}

cJSON* ZeroArray(int count) {
    const int zeros[16] = {};
    return cJSON_CreateIntArray(zeros, count);
}

// Copies up to count numbers, each modulo 256; more values are ignored, fewer leave the rest.
// An element that is not a number refuses the file.
bool CopyBytes(const cJSON* array, BYTE* dest, int count) {
    if (!cJSON_IsArray(array))
        return false;
    int k = 0;
    for (const cJSON* v = array->child; v && k < count; v = v->next, ++k) {
        if (!cJSON_IsNumber(v))
            return false;
        dest[k] = static_cast<BYTE>(static_cast<unsigned>(v->valueint) & 0xFFu);
    }
    return true;
}

void AddCompany(cJSON* root, const char* name, const std::string (&texts)[JsonPresetHeader::kCompanyKeys]) {
    cJSON* obj = cJSON_AddObjectToObject(root, name);
    for (int k = 0; k < JsonPresetHeader::kCompanyKeys; ++k)
        cJSON_AddStringToObject(obj, JsonPresetHeader::kCompanyKeyNames[k], texts[k].c_str());
}

void AddHeader(cJSON* root, JsonPresetHeader& h, std::time_t now) {
    std::tm t{};
    localtime_r(&now, &t);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%4d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    h.info[JsonPresetHeader::kInfoUploadTime] = stamp;
    AddCompany(root, "lmw", h.lmw);
    AddCompany(root, "client", h.client);
    cJSON* info = cJSON_AddObjectToObject(root, "data_info");
    for (int k = 0; k < JsonPresetHeader::kInfoKeys; ++k) {
        const char* key = JsonPresetHeader::kInfoKeyNames[k];
        if (k == JsonPresetHeader::kInfoEncryptionBool)
            cJSON_AddFalseToObject(info, key);
        else if (k == JsonPresetHeader::kInfoEncryptionByte)
            cJSON_AddNumberToObject(info, key, h.encryptionByte);
        else if (k == JsonPresetHeader::kInfoGroupNum)
            cJSON_AddNumberToObject(info, key, h.groupNum);
        else if (k == JsonPresetHeader::kInfoHeadData)
            cJSON_AddNumberToObject(info, key, h.headData);
        else
            cJSON_AddStringToObject(info, key, h.info[k].c_str());
    }
}

// The live image as written: marker and code set; outputs scrambled while locked, except the
// marker and the lock option.
PresetImage WrittenLiveImage(const PresetRecords& records) {
    PresetRecords marked = records;
    marked.ApplyLockMark();
    PresetImage image = marked.live;
    if (marked.locked) {
        BYTE* p = RecordBytes(image);
        for (int k = IMAGE_OFS_OUTPUT0; k < IMAGE_SIZE; ++k)
            if (k != IMAGE_OFS_LOCKMARK && k != IMAGE_OFS_LOCKMARK + 1)
                p[k] ^= LOCK_MASK;
    }
    return image;
}

void AddGroupData(cJSON* group, const PresetImage& image, bool numbers = false) {
    cJSON_AddItemToObject(group, "group_name", IntArray(RecordBytes(image), kNameBytes, numbers));
    cJSON* music = cJSON_AddObjectToObject(group, "music");
    cJSON* musicArr = cJSON_AddArrayToObject(music, "music");
    for (const InputRecord& in : image.inputs)
        cJSON_AddItemToArray(musicArr, IntArray(RecordBytes(in), CJsonPreset::kMusicBytes, numbers));
    cJSON* output = cJSON_AddObjectToObject(group, "output");
    cJSON* outArr = cJSON_AddArrayToObject(output, "output");
    for (const OutputRecord& out : image.outputs)
        cJSON_AddItemToArray(outArr, IntArray(RecordBytes(out), kOutputBytes, numbers));
}

void AddSystem(cJSON* parent, const PresetRecords& r) {
    cJSON* sys = cJSON_AddObjectToObject(parent, "system");
    const BYTE* block = RecordBytes(r.speakerMap);
    cJSON_AddItemToObject(sys, "cur_password_data", IntArray(block + 8, 8));
    cJSON_AddItemToObject(sys, "eff_group_name", ZeroArray(16));
    cJSON_AddItemToObject(sys, "out_led", ZeroArray(16));
    cJSON_AddItemToObject(sys, "pc_source_set", IntArray(RecordBytes(r.sourceSet), 8));
    cJSON_AddItemToObject(sys, "sound_delay_field", IntArray(RecordBytes(r.slotTable), kSlotBytes));
    cJSON_AddItemToObject(sys, "system_data", IntArray(RecordBytes(r.systemData), 8));
    cJSON_AddItemToObject(sys, "system_group_name", ZeroArray(16));
    cJSON_AddItemToObject(sys, "system_spk_type", IntArray(block, 16));
}

std::string PrintScrambled(cJSON* root, bool scramble) {
    char* text = cJSON_Print(root);
    if (!text)
        return {};
    std::string s(text);
    cJSON_free(text);
    if (scramble)
        CJsonPreset::Scramble(reinterpret_cast<BYTE*>(s.data()), s.size());
    return s;
}

// ---- Reading ----

bool ReadCompany(const cJSON* obj, std::string (&out)[JsonPresetHeader::kCompanyKeys]) {
    if (!cJSON_IsObject(obj))
        return false;
    for (int k = 0; k < JsonPresetHeader::kCompanyKeys; ++k) {
        const cJSON* v = Item(obj, JsonPresetHeader::kCompanyKeyNames[k]);
        if (!cJSON_IsString(v) || !v->valuestring)
            return false;
        out[k] = v->valuestring;
    }
    return true;
}

bool ReadHeader(const cJSON* root, JsonPresetHeader& h) {
    if (!ReadCompany(Item(root, "lmw"), h.lmw) || !ReadCompany(Item(root, "client"), h.client))
        return false;
    const cJSON* info = Item(root, "data_info");
    if (!cJSON_IsObject(info))
        return false;
    for (int k = 0; k < JsonPresetHeader::kInfoKeys; ++k) {
        const cJSON* v = Item(info, JsonPresetHeader::kInfoKeyNames[k]);
        if (k == JsonPresetHeader::kInfoEncryptionBool) {
            if (!cJSON_IsBool(v))
                return false;
            h.encryptionBool = cJSON_IsTrue(v);
        } else if (JsonPresetHeader::IsNumberKey(k)) {
            if (!cJSON_IsNumber(v))
                return false;
            (k == JsonPresetHeader::kInfoEncryptionByte ? h.encryptionByte
             : k == JsonPresetHeader::kInfoGroupNum     ? h.groupNum
                                                        : h.headData) = v->valuedouble;
        } else {
            if (!cJSON_IsString(v) || !v->valuestring)
                return false;
            h.info[k] = v->valuestring;
        }
    }
    const cJSON* type = Item(root, "fileType");
    if (!cJSON_IsString(type) || !type->valuestring)
        return false;
    h.fileType = type->valuestring;
    return true;
}

bool ReadGroup(const cJSON* group, PresetImage& image) {
    if (!cJSON_IsObject(group))
        return false;
    const cJSON* name = Item(group, "group_name");
    const cJSON* music = Item(Item(group, "music"), "music");
    const cJSON* output = Item(Item(group, "output"), "output");
    if (!cJSON_IsArray(name) || !cJSON_IsArray(music) || !cJSON_IsArray(output))
        return false;
    if (!CopyBytes(name, RecordBytes(image), kNameBytes))
        return false;
    int i = 0;
    for (const cJSON* a = music->child; a && i < NUM_INPUTS; a = a->next, ++i)
        if (!CopyBytes(a, RecordBytes(image.inputs[i]), CJsonPreset::kMusicBytes))
            return false;
    i = 0;
    for (const cJSON* a = output->child; a && i < NUM_OUTPUTS; a = a->next, ++i)
        if (!CopyBytes(a, RecordBytes(image.outputs[i]), kOutputBytes))
            return false;
    return true;
}

bool ReadSystem(const cJSON* sys, PresetRecords& r) {
    if (!cJSON_IsObject(sys))
        return false;
    BYTE* block = RecordBytes(r.speakerMap);
    return CopyBytes(Item(sys, "cur_password_data"), block + 8, 8) &&
           CopyBytes(Item(sys, "pc_source_set"), RecordBytes(r.sourceSet), 8) &&
           CopyBytes(Item(sys, "sound_delay_field"), RecordBytes(r.slotTable), kSlotBytes) &&
           CopyBytes(Item(sys, "system_data"), RecordBytes(r.systemData), 8) &&
           CopyBytes(Item(sys, "system_spk_type"), block, 16); // overrides cur_password_data
}

// The current preset's lock, after its outputs were copied: any marker but a space is locked.
void TakeLiveLock(PresetRecords& r) {
    BYTE* p = RecordBytes(r.live);
    r.locked = p[IMAGE_OFS_LOCKMARK] != LOCK_MARKER_UNLOCKED;
    if (!r.locked)
        return;
    for (int k = IMAGE_OFS_OUTPUT0; k < IMAGE_SIZE; ++k)
        if (k != IMAGE_OFS_LOCKMARK && k != IMAGE_OFS_LOCKMARK + 1)
            p[k] ^= LOCK_MASK;
}

constexpr unsigned kSystemParts = PRESET_PART_SOURCE_SET | PRESET_PART_SYSTEM_DATA | PRESET_PART_SPEAKER_MAP |
                                  PRESET_PART_PRESET_NO | PRESET_PART_SLOT_TABLE;

} // namespace

void CJsonPreset::Scramble(BYTE* data, std::size_t size) {
    for (std::size_t block = 0; block < size; block += kBlockSize) {
        const std::size_t end = std::min(size, block + kBlockSize);
        for (std::size_t n = block; n < end; ++n)
            data[n] ^= static_cast<BYTE>((n - block) & 0xFF);
    }
}

std::string CJsonPreset::PrintSingle(const PresetRecords& records, std::time_t now) {
    JsonPtr root(cJSON_CreateObject());
    AddHeader(root.get(), m_header, now);
    cJSON* data = cJSON_AddObjectToObject(root.get(), "data");
    AddGroupData(data, WrittenLiveImage(records));
    AddSystem(data, records);
    cJSON_AddStringToObject(root.get(), "fileType", "single");
    return PrintScrambled(root.get(), false);
}

std::string CJsonPreset::PrintComplete(const PresetRecords& records, std::time_t now) {
    JsonPtr root(cJSON_CreateObject());
    AddHeader(root.get(), m_header, now);
    cJSON_AddStringToObject(root.get(), "fileType", "complete");
    AddSystem(root.get(), records);
    cJSON* data = cJSON_AddArrayToObject(root.get(), "data");
    cJSON* group = cJSON_CreateObject();
    AddGroupData(group, WrittenLiveImage(records));
    cJSON_AddItemToArray(data, group);
    for (const PresetImage& s : records.stored) {
        group = cJSON_CreateObject();
        AddGroupData(group, s);
        cJSON_AddItemToArray(data, group);
    }
    return PrintScrambled(root.get(), false);
}

std::vector<BYTE> CJsonPreset::EncodeSingle(const PresetRecords& records, std::time_t now) {
    std::string text = PrintSingle(records, now);
    Scramble(reinterpret_cast<BYTE*>(text.data()), text.size());
    return std::vector<BYTE>(text.begin(), text.end());
}

std::vector<BYTE> CJsonPreset::EncodeComplete(const PresetRecords& records, std::time_t now) {
    std::string text = PrintComplete(records, now);
    Scramble(reinterpret_cast<BYTE*>(text.data()), text.size());
    return std::vector<BYTE>(text.begin(), text.end());
}

PresetReadResult CJsonPreset::DecodeSingle(const BYTE* data, std::size_t size, const PresetRecords& base) {
    return Decode(data, size, base, false);
}

PresetReadResult CJsonPreset::DecodeComplete(const BYTE* data, std::size_t size, const PresetRecords& base) {
    return Decode(data, size, base, true);
}

PresetReadResult CJsonPreset::Decode(const BYTE* data, std::size_t size, const PresetRecords& base,
                                     bool complete) {
    const PresetFileText& refusal = complete ? kTextReadAllPresetsError : kTextReadPresetError;
    if (!data || size == 0)
        return PresetReadResult::Refused(refusal);
    std::string text(reinterpret_cast<const char*>(data), size);
    Scramble(reinterpret_cast<BYTE*>(text.data()), text.size());
    JsonPtr root(cJSON_Parse(text.c_str()));
    if (!cJSON_IsObject(root.get()))
        return PresetReadResult::Refused(refusal);
    JsonPresetHeader header = m_header;
    if (!ReadHeader(root.get(), header))
        return PresetReadResult::Refused(refusal);
    m_header = header; // kept even when a later check refuses the file
    if (m_header.client[0] != JsonPresetHeader::kClientBrand ||
        m_header.info[JsonPresetHeader::kInfoMachineType] != JsonPresetHeader::kMachineType ||
        m_header.fileType != (complete ? "complete" : "single"))
        return PresetReadResult::Refused(refusal);

    PresetReadResult r;
    r.records = base;
    r.inputBytes = kMusicBytes;
    r.micSet = false;
    PresetRecords& v = r.records;
    if (!complete) {
        const cJSON* body = Item(root.get(), "data");
        if (!cJSON_IsObject(body) || !ReadGroup(body, v.live) || !ReadSystem(Item(body, "system"), v))
            return PresetReadResult::Refused(refusal);
        TakeLiveLock(v);
        r.parts = PRESET_PART_LIVE | kSystemParts | PRESET_PART_LOCK | PRESET_PART_FIX_TWEETERS;
    } else {
        if (!ReadSystem(Item(root.get(), "system"), v))
            return PresetReadResult::Refused(refusal);
        const cJSON* groups = Item(root.get(), "data");
        if (!cJSON_IsArray(groups))
            return PresetReadResult::Refused(refusal);
        r.parts = kSystemParts;
        int g = 0;
        for (const cJSON* group = groups->child; group && g <= NUM_STORED_PRESETS; group = group->next, ++g) {
            if (!ReadGroup(group, g == 0 ? v.live : v.stored[g - 1]))
                return PresetReadResult::Refused(refusal);
            r.parts |= g == 0 ? PRESET_PART_LIVE | PRESET_PART_LOCK : PRESET_PART_STORED;
        }
        if (r.parts & PRESET_PART_LIVE)
            TakeLiveLock(v);
    }
    r.ok = true;
    return r;
}

void CJsonPreset::BuildCurrentGroup(cJSON* array, const PresetRecords& records) const {
    if (!cJSON_IsArray(array))
        return;
    cJSON* group = cJSON_CreateObject();
    AddGroupData(group, WrittenLiveImage(records), true);
    cJSON_AddItemToArray(array, group);
}

PresetReadResult CJsonPreset::ParseCurrentGroup(const cJSON* array, int group,
                                                const PresetRecords& base) const {
    const cJSON* item = cJSON_IsArray(array) && group >= 0 ? cJSON_GetArrayItem(array, group) : nullptr;
    PresetReadResult r;
    r.records = base;
    PresetRecords& v = r.records;
    if (!item || !ReadGroup(item, v.live))
        return PresetReadResult::Refused(kTextReadPresetError);
    r.parts = PRESET_PART_LIVE | PRESET_PART_LOCK;
    if (const cJSON* sys = Item(item, "system")) {
        if (!ReadSystem(sys, v))
            return PresetReadResult::Refused(kTextReadPresetError);
        r.parts |= kSystemParts;
    }
    TakeLiveLock(v);
    r.ok = true;
    return r;
}

BOOL CJsonPreset::WriteSingleFile(const CString& path, const PresetRecords& records) {
    const std::vector<BYTE> bytes = EncodeSingle(records, std::time(nullptr));
    return !bytes.empty() && CPresetFileIo::WriteFileAtomic(path, bytes);
}

BOOL CJsonPreset::WriteCompleteFile(const CString& path, const PresetRecords& records) {
    const std::vector<BYTE> bytes = EncodeComplete(records, std::time(nullptr));
    return !bytes.empty() && CPresetFileIo::WriteFileAtomic(path, bytes);
}

PresetReadResult CJsonPreset::ReadSingleFile(const CString& path, const PresetRecords& base) {
    std::vector<BYTE> bytes;
    if (!CPresetFileIo::ReadWholeFile(path, bytes, kMaxFileSize))
        return PresetReadResult::Refused(kTextReadPresetError);
    return DecodeSingle(bytes.data(), bytes.size(), base);
}

PresetReadResult CJsonPreset::ReadCompleteFile(const CString& path, const PresetRecords& base) {
    std::vector<BYTE> bytes;
    if (!CPresetFileIo::ReadWholeFile(path, bytes, kMaxFileSize))
        return PresetReadResult::Refused(kTextReadAllPresetsError);
    return DecodeComplete(bytes.data(), bytes.size(), base);
}
