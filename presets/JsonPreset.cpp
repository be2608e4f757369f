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

// A parsed document the reading below walks like a cJSON tree: same fields, same type flags.
struct FastNode {
    FastNode* next = nullptr;
    FastNode* child = nullptr;
    int type = cJSON_Invalid;
    char* valuestring = nullptr;
    int valueint = 0;
    double valuedouble = 0;
    char* string = nullptr; // the member's key
};

// The first member named key, as cJSON finds it.
const FastNode* Item(const FastNode* obj, const char* key) {
    if (!obj)
        return nullptr;
    const FastNode* n = obj->child;
    while (n && n->string && std::strcmp(key, n->string) != 0)
        n = n->next;
    return n && n->string ? n : nullptr;
}

template <class N> bool IsArray(const N* n) {
    return n && (n->type & 0xFF) == cJSON_Array;
}
template <class N> bool IsObject(const N* n) {
    return n && (n->type & 0xFF) == cJSON_Object;
}
template <class N> bool IsNumber(const N* n) {
    return n && (n->type & 0xFF) == cJSON_Number;
}
template <class N> bool IsString(const N* n) {
    return n && (n->type & 0xFF) == cJSON_String;
}
template <class N> bool IsBool(const N* n) {
    return n && (n->type & (cJSON_True | cJSON_False)) != 0;
}
template <class N> bool IsTrue(const N* n) {
    return n && (n->type & 0xFF) == cJSON_True;
}

// A parser for the plain form the documents are printed in: no escapes in strings, numbers as
// integers of up to nine digits, little nesting. It gives up (nullptr) on anything else, and on
// every input it takes cJSON takes too and gives the same tree, so cJSON decides on the rest.
// The cJSON parser makes a heap node, a locale query and a strtod per number; this makes none.
class FastJson {
public:
    // text stays in use: strings end where their closing quote was.
    FastNode* Parse(char* text) {
        m_p = text;
        m_end = text + std::strlen(text); // cJSON reads up to the first zero byte
        if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0)
            return nullptr;
        SkipSpace();
        FastNode* root = NewNode();
        return Value(root, 0) ? root : nullptr;
    }

private:
    static constexpr int kMaxDepth = 64;
    static constexpr std::size_t kChunk = 4096;

    FastNode* NewNode() {
        if (m_chunks.empty() || m_used == kChunk) {
            m_chunks.push_back(std::make_unique<FastNode[]>(kChunk));
            m_used = 0;
        }
        return &m_chunks.back()[m_used++];
    }
    void SkipSpace() {
        while (m_p < m_end && static_cast<unsigned char>(*m_p) <= 32)
            ++m_p;
    }
    bool Literal(const char* word, std::size_t len) {
        if (static_cast<std::size_t>(m_end - m_p) < len || std::memcmp(m_p, word, len) != 0)
            return false;
        m_p += len;
        return true;
    }
    static bool IsNumberChar(char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == '.';
    }
    // A string without escapes; its closing quote becomes its terminator.
    char* String() {
        if (m_p >= m_end || *m_p != '"')
            return nullptr;
        char* start = ++m_p;
        while (m_p < m_end && *m_p != '"') {
            if (*m_p == '\\')
                return nullptr;
            ++m_p;
        }
        if (m_p >= m_end)
            return nullptr;
        *m_p++ = '\0';
        return start;
    }
    bool Number(FastNode* n) {
        const bool negative = *m_p == '-';
        if (negative)
            ++m_p;
        int digits = 0;
        long long value = 0;
        while (m_p < m_end && *m_p >= '0' && *m_p <= '9' && digits < 10) {
            value = value * 10 + (*m_p++ - '0');
            ++digits;
        }
        if (digits == 0 || digits > 9 || (m_p < m_end && IsNumberChar(*m_p)))
            return false;
        n->type = cJSON_Number;
        n->valueint = static_cast<int>(negative ? -value : value);
        n->valuedouble = negative ? -static_cast<double>(value) : static_cast<double>(value);
        return true;
    }
    bool Value(FastNode* n, int depth) {
        if (m_p >= m_end)
            return false;
        switch (*m_p) {
        case 'n':
            n->type = cJSON_NULL;
            return Literal("null", 4);
        case 'f':
            n->type = cJSON_False;
            return Literal("false", 5);
        case 't':
            n->type = cJSON_True;
            n->valueint = 1;
            return Literal("true", 4);
        case '"':
            n->type = cJSON_String;
            return (n->valuestring = String()) != nullptr;
        case '[':
        case '{':
            return depth < kMaxDepth && Container(n, depth + 1);
        default:
            return (*m_p == '-' || (*m_p >= '0' && *m_p <= '9')) && Number(n);
        }
    }
    bool Container(FastNode* n, int depth) {
        const bool object = *m_p++ == '{';
        const char close = object ? '}' : ']';
        n->type = object ? cJSON_Object : cJSON_Array;
        SkipSpace();
        if (m_p < m_end && *m_p == close) {
            ++m_p;
            return true;
        }
        FastNode* last = nullptr;
        for (;;) {
            FastNode* item = NewNode();
            (last ? last->next : n->child) = item;
            last = item;
            SkipSpace();
            if (object) {
                if (!(item->string = String()))
                    return false;
                SkipSpace();
                if (m_p >= m_end || *m_p++ != ':')
                    return false;
                SkipSpace();
            }
            if (!Value(item, depth))
                return false;
            SkipSpace();
            if (m_p >= m_end)
                return false;
            if (*m_p == close) {
                ++m_p;
                return true;
            }
            if (*m_p++ != ',')
                return false;
        }
    }

    char* m_p = nullptr;
    char* m_end = nullptr;
    std::vector<std::unique_ptr<FastNode[]>> m_chunks;
    std::size_t m_used = 0;
};

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
template <class N> bool CopyBytes(const N* array, BYTE* dest, int count) {
    if (!IsArray(array))
        return false;
    int k = 0;
    for (const N* v = array->child; v && k < count; v = v->next, ++k) {
        if (!IsNumber(v))
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

template <class N> bool ReadCompany(const N* obj, std::string (&out)[JsonPresetHeader::kCompanyKeys]) {
    if (!IsObject(obj))
        return false;
    for (int k = 0; k < JsonPresetHeader::kCompanyKeys; ++k) {
        const N* v = Item(obj, JsonPresetHeader::kCompanyKeyNames[k]);
        if (!IsString(v) || !v->valuestring)
            return false;
        out[k] = v->valuestring;
    }
    return true;
}

template <class N> bool ReadHeader(const N* root, JsonPresetHeader& h) {
    if (!ReadCompany(Item(root, "lmw"), h.lmw) || !ReadCompany(Item(root, "client"), h.client))
        return false;
    const N* info = Item(root, "data_info");
    if (!IsObject(info))
        return false;
    for (int k = 0; k < JsonPresetHeader::kInfoKeys; ++k) {
        const N* v = Item(info, JsonPresetHeader::kInfoKeyNames[k]);
        if (k == JsonPresetHeader::kInfoEncryptionBool) {
            if (!IsBool(v))
                return false;
            h.encryptionBool = IsTrue(v);
        } else if (JsonPresetHeader::IsNumberKey(k)) {
            if (!IsNumber(v))
                return false;
            (k == JsonPresetHeader::kInfoEncryptionByte ? h.encryptionByte
             : k == JsonPresetHeader::kInfoGroupNum     ? h.groupNum
                                                        : h.headData) = v->valuedouble;
        } else {
            if (!IsString(v) || !v->valuestring)
                return false;
            h.info[k] = v->valuestring;
        }
    }
    const N* type = Item(root, "fileType");
    if (!IsString(type) || !type->valuestring)
        return false;
    h.fileType = type->valuestring;
    return true;
}

template <class N> bool ReadGroup(const N* group, PresetImage& image) {
    if (!IsObject(group))
        return false;
    const N* name = Item(group, "group_name");
    const N* music = Item(Item(group, "music"), "music");
    const N* output = Item(Item(group, "output"), "output");
    if (!IsArray(name) || !IsArray(music) || !IsArray(output))
        return false;
    if (!CopyBytes(name, RecordBytes(image), kNameBytes))
        return false;
    int i = 0;
    for (const N* a = music->child; a && i < NUM_INPUTS; a = a->next, ++i)
        if (!CopyBytes(a, RecordBytes(image.inputs[i]), CJsonPreset::kMusicBytes))
            return false;
    i = 0;
    for (const N* a = output->child; a && i < NUM_OUTPUTS; a = a->next, ++i)
        if (!CopyBytes(a, RecordBytes(image.outputs[i]), kOutputBytes))
            return false;
    return true;
}

template <class N> bool ReadSystem(const N* sys, PresetRecords& r) {
    if (!IsObject(sys))
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

// Checks and reads a parsed document; the header that got past its check is kept in stored.
template <class N>
PresetReadResult DecodeTree(JsonPresetHeader& stored, const N* root, const PresetRecords& base,
                            bool complete) {
    const PresetFileText& refusal = complete ? kTextReadAllPresetsError : kTextReadPresetError;
    if (!IsObject(root))
        return PresetReadResult::Refused(refusal);
    JsonPresetHeader header = stored;
    if (!ReadHeader(root, header))
        return PresetReadResult::Refused(refusal);
    stored = header; // kept even when a later check refuses the file
    if (stored.client[0] != JsonPresetHeader::kClientBrand ||
        stored.info[JsonPresetHeader::kInfoMachineType] != JsonPresetHeader::kMachineType ||
        stored.fileType != (complete ? "complete" : "single"))
        return PresetReadResult::Refused(refusal);

    PresetReadResult r;
    r.records = base;
    r.inputBytes = CJsonPreset::kMusicBytes;
    r.micSet = false;
    PresetRecords& v = r.records;
    if (!complete) {
        const N* body = Item(root, "data");
        if (!IsObject(body) || !ReadGroup(body, v.live) || !ReadSystem(Item(body, "system"), v))
            return PresetReadResult::Refused(refusal);
        TakeLiveLock(v);
        r.parts = PRESET_PART_LIVE | kSystemParts | PRESET_PART_LOCK | PRESET_PART_FIX_TWEETERS;
    } else {
        if (!ReadSystem(Item(root, "system"), v))
            return PresetReadResult::Refused(refusal);
        const N* groups = Item(root, "data");
        if (!IsArray(groups))
            return PresetReadResult::Refused(refusal);
        r.parts = kSystemParts;
        int g = 0;
        for (const N* group = groups->child; group && g <= NUM_STORED_PRESETS; group = group->next, ++g) {
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
    if (!data || size == 0)
        return PresetReadResult::Refused(complete ? kTextReadAllPresetsError : kTextReadPresetError);
    std::string text(reinterpret_cast<const char*>(data), size);
    Scramble(reinterpret_cast<BYTE*>(text.data()), text.size());
    {
        FastJson fast;
        if (const FastNode* root = fast.Parse(text.data()))
            return DecodeTree(m_header, root, base, complete);
    }
    // Not in the plain form: cJSON decides, on the text as it was.
    text.assign(reinterpret_cast<const char*>(data), size);
    Scramble(reinterpret_cast<BYTE*>(text.data()), text.size());
    JsonPtr root(cJSON_Parse(text.c_str()));
    return DecodeTree(m_header, root.get(), base, complete);
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
