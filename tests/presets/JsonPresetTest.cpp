// The JSON preset documents: the scrambling, the key order and value counts of what is written,
// the lock rules, and reading documents built here by hand with cJSON (refusals leave the value as
// it was; the tolerated deviations are taken as the format allows).
#include "PresetFixture.h"
#include "presets/JsonPreset.h"

#include <cjson/cJSON.h>

#include <functional>

using namespace presettest;

namespace {

struct JsonDeleter {
    void operator()(cJSON* p) const { cJSON_Delete(p); }
};
using JsonPtr = std::unique_ptr<cJSON, JsonDeleter>;

void XorFile(Bytes& b) {
    for (std::size_t n = 0; n < b.size(); ++n)
        b[n] ^= static_cast<BYTE>(n % 256);
}

JsonPtr Unscramble(Bytes b) {
    XorFile(b);
    b.push_back(0);
    return JsonPtr(cJSON_Parse(reinterpret_cast<const char*>(b.data())));
}

std::vector<std::string> Keys(const cJSON* obj) {
    std::vector<std::string> keys;
    for (const cJSON* c = obj ? obj->child : nullptr; c; c = c->next)
        keys.push_back(c->string);
    return keys;
}

std::vector<int> Ints(const cJSON* arr) {
    std::vector<int> v;
    for (const cJSON* c = arr ? arr->child : nullptr; c; c = c->next)
        v.push_back(c->valueint);
    return v;
}

std::vector<int> IntsOf(const BYTE* p, int n) {
    return std::vector<int>(p, p + n);
}

cJSON* Arr(const BYTE* p, int n) {
    cJSON* a = cJSON_CreateArray();
    for (int k = 0; k < n; ++k)
        cJSON_AddItemToArray(a, cJSON_CreateNumber(p[k]));
    return a;
}

const char* const kCompany[] = {"company_brand",    "company_briefing_en", "company_briefing_zh",
                                "company_contacts", "company_name",        "company_qq",
                                "company_tel",      "company_web",         "company_weixin"};

void AddHeader(cJSON* root, const char* fileType) {
    cJSON* lmw = cJSON_AddObjectToObject(root, "lmw");
    cJSON* client = cJSON_AddObjectToObject(root, "client");
    for (const char* k : kCompany) {
        cJSON_AddStringToObject(lmw, k, "x");
        cJSON_AddStringToObject(client, k, std::string(k) == "company_brand" ? "16" : "y");
    }
    cJSON* info = cJSON_AddObjectToObject(root, "data_info");
    for (const char* k : {"data_android_version", "data_car_brand", "data_car_type", "data_eff_briefing"})
        cJSON_AddStringToObject(info, k, "t");
    cJSON_AddTrueToObject(info, "data_encryption_bool");
    cJSON_AddNumberToObject(info, "data_encryption_byte", 3);
    cJSON_AddStringToObject(info, "data_group_name", "Group");
    cJSON_AddNumberToObject(info, "data_group_num", 4);
    cJSON_AddNumberToObject(info, "data_head_data", 95);
    for (const char* k : {"data_ios_version", "data_json_version"})
        cJSON_AddStringToObject(info, k, "v");
    cJSON_AddStringToObject(info, "data_machine_type", "ZN-R9VQ-2020");
    for (const char* k : {"data_mcu_version", "data_pc_version", "data_upload_time", "data_user_info",
                          "data_user_mailbox", "data_user_name", "data_user_tel"})
        cJSON_AddStringToObject(info, k, "u");
    cJSON_AddStringToObject(root, "fileType", fileType);
}

cJSON* Group(const PresetImage& image) {
    cJSON* g = cJSON_CreateObject();
    cJSON_AddItemToObject(g, "group_name", Arr(RecordBytes(image), 16));
    cJSON* music = cJSON_CreateArray();
    for (const InputRecord& in : image.inputs)
        cJSON_AddItemToArray(music, Arr(RecordBytes(in), 112));
    cJSON_AddItemToObject(cJSON_AddObjectToObject(g, "music"), "music", music);
    cJSON* out = cJSON_CreateArray();
    for (const OutputRecord& o : image.outputs)
        cJSON_AddItemToArray(out, Arr(RecordBytes(o), 296));
    cJSON_AddItemToObject(cJSON_AddObjectToObject(g, "output"), "output", out);
    return g;
}

cJSON* System(const PresetRecords& r) {
    cJSON* s = cJSON_CreateObject();
    const BYTE* block = RecordBytes(r.speakerMap);
    cJSON_AddItemToObject(s, "cur_password_data", Arr(block + 8, 8));
    cJSON_AddItemToObject(s, "pc_source_set", Arr(RecordBytes(r.sourceSet), 8));
    cJSON_AddItemToObject(s, "sound_delay_field", Arr(RecordBytes(r.slotTable), 50));
    cJSON_AddItemToObject(s, "system_data", Arr(RecordBytes(r.systemData), 8));
    cJSON_AddItemToObject(s, "system_spk_type", Arr(block, 16));
    return s;
}

// A single-preset document of the records with the live image as it should stand in the file.
JsonPtr SingleDoc(const PresetRecords& r, const PresetImage& liveInFile) {
    JsonPtr root(cJSON_CreateObject());
    AddHeader(root.get(), "single");
    cJSON* data = Group(liveInFile);
    cJSON_AddItemToObject(data, "system", System(r));
    cJSON_AddItemToObject(root.get(), "data", data);
    return root;
}

JsonPtr CompleteDoc(const PresetRecords& r, int groups = 7) {
    JsonPtr root(cJSON_CreateObject());
    AddHeader(root.get(), "complete");
    cJSON_AddItemToObject(root.get(), "system", System(r));
    cJSON* data = cJSON_AddArrayToObject(root.get(), "data");
    for (int g = 0; g < groups; ++g)
        cJSON_AddItemToArray(data, Group(g == 0 ? r.live : r.stored[(g - 1) % 6]));
    return root;
}

Bytes FileOf(const cJSON* doc) {
    char* text = cJSON_Print(doc);
    Bytes b(text, text + std::strlen(text));
    cJSON_free(text);
    XorFile(b);
    return b;
}

cJSON* Path(cJSON* root, const std::vector<const char*>& keys) {
    cJSON* c = root;
    for (const char* k : keys)
        c = cJSON_GetObjectItemCaseSensitive(c, k);
    return c;
}

} // namespace

TEST(JsonPresetScramble, ByteNIsXoredWithNMod256AndTheStepUndoesItself) {
    BYTE abc[] = {'a', 'b', 'c'};
    CJsonPreset::Scramble(abc, 3);
    EXPECT_EQ(Bytes(abc, abc + 3), (Bytes{0x61, 0x63, 0x61}));
    Bytes big(70000, 0);
    CJsonPreset::Scramble(big.data(), big.size());
    for (std::size_t n : {0u, 255u, 256u, 32767u, 32768u, 32769u, 65792u, 69999u})
        EXPECT_EQ(big[n], n % 256) << n;
    CJsonPreset::Scramble(big.data(), big.size());
    EXPECT_EQ(big, Bytes(70000, 0));
}

TEST(JsonPresetWrite, SingleDocumentKeysCountsAndFileType) {
    CJsonPreset json;
    const PresetRecords r = PatternRecords(1);
    const JsonPtr doc = Unscramble(json.EncodeSingle(r, 0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(Keys(doc.get()), (std::vector<std::string>{"lmw", "client", "data_info", "data", "fileType"}));
    EXPECT_EQ(Keys(Path(doc.get(), {"lmw"})),
              std::vector<std::string>(std::begin(kCompany), std::end(kCompany)));
    EXPECT_EQ(Keys(Path(doc.get(), {"client"})), Keys(Path(doc.get(), {"lmw"})));
    EXPECT_STREQ(Path(doc.get(), {"client", "company_brand"})->valuestring, "16");
    const std::vector<std::string> info = Keys(Path(doc.get(), {"data_info"}));
    ASSERT_EQ(info.size(), 19u);
    EXPECT_EQ(info.front(), "data_android_version");
    EXPECT_EQ(info[11], "data_machine_type");
    EXPECT_EQ(info.back(), "data_user_tel");
    EXPECT_TRUE(cJSON_IsFalse(Path(doc.get(), {"data_info", "data_encryption_bool"})));
    EXPECT_EQ(Path(doc.get(), {"data_info", "data_head_data"})->valueint, 94);
    EXPECT_STREQ(Path(doc.get(), {"data_info", "data_machine_type"})->valuestring, "ZN-R9VQ-2020");
    EXPECT_STREQ(Path(doc.get(), {"fileType"})->valuestring, "single");
    EXPECT_EQ(Keys(Path(doc.get(), {"data"})),
              (std::vector<std::string>{"group_name", "music", "output", "system"}));
    EXPECT_EQ(Keys(Path(doc.get(), {"data", "system"})),
              (std::vector<std::string>{"cur_password_data", "eff_group_name", "out_led", "pc_source_set",
                                        "sound_delay_field", "system_data", "system_group_name",
                                        "system_spk_type"}));
    const cJSON* sys = Path(doc.get(), {"data", "system"});
    EXPECT_EQ(Ints(Path(const_cast<cJSON*>(sys), {"system_spk_type"})),
              IntsOf(RecordBytes(r.speakerMap), 16));
    EXPECT_EQ(Ints(Path(const_cast<cJSON*>(sys), {"sound_delay_field"})),
              IntsOf(RecordBytes(r.slotTable), 50));
    EXPECT_EQ(Ints(Path(const_cast<cJSON*>(sys), {"out_led"})), std::vector<int>(16, 0));
    const cJSON* music = Path(doc.get(), {"data", "music", "music"});
    ASSERT_EQ(cJSON_GetArraySize(music), 6);
    EXPECT_EQ(Ints(cJSON_GetArrayItem(music, 5)), IntsOf(RecordBytes(r.live.inputs[5]), 112));
    const cJSON* out = Path(doc.get(), {"data", "output", "output"});
    ASSERT_EQ(cJSON_GetArraySize(out), 8);
    EXPECT_EQ(Ints(cJSON_GetArrayItem(out, 7)), IntsOf(RecordBytes(r.live.outputs[7]), 296));
}

TEST(JsonPresetWrite, CompleteDocumentKeysAndGroups) {
    CJsonPreset json;
    PresetRecords r = PatternRecords(2);
    r.locked = true;
    r.lockPassword = "1234";
    const JsonPtr doc = Unscramble(json.EncodeComplete(r, 0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(Keys(doc.get()),
              (std::vector<std::string>{"lmw", "client", "data_info", "fileType", "system", "data"}));
    EXPECT_STREQ(Path(doc.get(), {"fileType"})->valuestring, "complete");
    const cJSON* data = Path(doc.get(), {"data"});
    ASSERT_EQ(cJSON_GetArraySize(data), 7);
    for (int g = 0; g < 7; ++g)
        EXPECT_EQ(Keys(cJSON_GetArrayItem(data, g)),
                  (std::vector<std::string>{"group_name", "music", "output"}));
    // Stored presets are never scrambled, even while locked.
    const cJSON* g3 = Path(cJSON_GetArrayItem(data, 3), {"output", "output"});
    EXPECT_EQ(Ints(cJSON_GetArrayItem(g3, 2)), IntsOf(RecordBytes(r.stored[2].outputs[2]), 296));
}

TEST(JsonPresetWrite, LockedOutputsAreScrambledButTheMarkerAndOptionAndTheyReadBackPlain) {
    CJsonPreset json;
    PresetRecords r = PatternRecords(3);
    r.locked = true;
    r.lockPassword = "987654";
    const JsonPtr doc = Unscramble(json.EncodeSingle(r, 0));
    const cJSON* outs = Path(doc.get(), {"data", "output", "output"});
    const std::vector<int> out0 = Ints(cJSON_GetArrayItem(outs, 0));
    const BYTE* plain0 = RecordBytes(r.live.outputs[0]);
    EXPECT_EQ(out0[288], 0x21);
    EXPECT_EQ(out0[289], plain0[289]);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(out0[290 + k], ("987654"[k]) ^ 0x5D) << k;
    EXPECT_EQ(out0[0], plain0[0] ^ 0x5D);
    EXPECT_EQ(Ints(cJSON_GetArrayItem(outs, 4))[100], RecordBytes(r.live.outputs[4])[100] ^ 0x5D);
    // Name, mic-free music and inputs stay plain in this format.
    EXPECT_EQ(Ints(Path(doc.get(), {"data", "group_name"})), IntsOf(RecordBytes(r.live), 16));

    PresetRecords base = PatternRecords(40);
    base.live = r.live; // the bytes the file does not carry
    const Bytes file = json.EncodeSingle(r, 0);
    const PresetReadResult back = json.DecodeSingle(file.data(), file.size(), base);
    ASSERT_TRUE(back.ok);
    PresetRecords expected = r;
    expected.ApplyLockMark();
    EXPECT_TRUE(back.records.locked);
    EXPECT_EQ(back.records.live, expected.live);
    EXPECT_EQ(back.records.LiveLockCode(), CString("987654"));
    EXPECT_EQ(back.records.sourceSet, r.sourceSet);
    EXPECT_EQ(back.records.systemData, r.systemData);
    EXPECT_EQ(std::memcmp(&back.records.speakerMap, &r.speakerMap, 16), 0);
    EXPECT_EQ(std::memcmp(&back.records.slotTable, &r.slotTable, 50), 0);
    EXPECT_EQ(back.records.slotTable.reserved65, base.slotTable.reserved65);
}

TEST(JsonPresetWrite, UnlockedWritesASpaceMarkerAndCompleteRoundTrips) {
    CJsonPreset json;
    const PresetRecords r = PatternRecords(4);
    const Bytes file = json.EncodeComplete(r, 0);
    PresetRecords base = PatternRecords(50);
    base.locked = true;
    for (int k = 0; k < 6; ++k)
        base.stored[k] = r.stored[k];
    base.live = r.live;
    // Scribble on what the file carries so the copy shows.
    for (PresetImage* img : {&base.live, &base.stored[0], &base.stored[5]})
        for (OutputRecord& o : img->outputs)
            o.mix1[0] ^= 0xFF;
    const PresetReadResult back = json.DecodeComplete(file.data(), file.size(), base);
    ASSERT_TRUE(back.ok);
    EXPECT_FALSE(back.records.locked);
    EXPECT_EQ(back.records.live, r.live);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(back.records.stored[k], r.stored[k]) << k;
    EXPECT_TRUE(back.parts & PRESET_PART_STORED);
    EXPECT_FALSE(back.parts & PRESET_PART_FIX_TWEETERS);
}

TEST(JsonPresetRead, HandBuiltDocumentsAreRefusedWithoutChange) {
    const PresetRecords r = PatternRecords(5);
    using Edit = std::function<void(cJSON*)>;
    // The edits keep their own copy of the path: a braced list dies with its full expression.
    auto remove = [](std::vector<const char*> path, const char* key) {
        return Edit(
            [path, key](cJSON* root) { cJSON_DeleteItemFromObjectCaseSensitive(Path(root, path), key); });
    };
    auto replace = [](std::vector<const char*> path, const char* key, std::function<cJSON*()> make) {
        return Edit([path, key, make](cJSON* root) {
            cJSON_ReplaceItemInObjectCaseSensitive(Path(root, path), key, make());
        });
    };
    struct Case {
        const char* name;
        bool complete;
        Edit edit;
    } cases[] = {
        {"wrong brand", false, replace({"client"}, "company_brand", [] { return cJSON_CreateString("17"); })},
        {"machine type one character off", false,
         replace({"data_info"}, "data_machine_type", [] { return cJSON_CreateString("ZN-R9VQ-2021"); })},
        {"fileType of the other kind", false,
         replace({}, "fileType", [] { return cJSON_CreateString("complete"); })},
        {"missing header key", false, remove({"lmw"}, "company_weixin")},
        {"missing data_info key", false, remove({"data_info"}, "data_user_tel")},
        {"header string is a number", false,
         replace({"lmw"}, "company_name", [] { return cJSON_CreateNumber(5); })},
        {"header number is a string", false,
         replace({"data_info"}, "data_head_data", [] { return cJSON_CreateString("94"); })},
        {"fileType is a number", false, replace({}, "fileType", [] { return cJSON_CreateNumber(1); })},
        {"client is an array", false, replace({}, "client", [] { return cJSON_CreateArray(); })},
        {"missing system_data", false, remove({"data", "system"}, "system_data")},
        {"missing system_spk_type", false, remove({"data", "system"}, "system_spk_type")},
        {"missing group_name", false, remove({"data"}, "group_name")},
        {"output not an array", false,
         replace({"data", "output"}, "output", [] { return cJSON_CreateObject(); })},
        {"a string among the bytes", false,
         [](cJSON* root) {
             cJSON* arr = cJSON_GetArrayItem(Path(root, {"data", "output", "output"}), 7);
             cJSON_ReplaceItemInArray(arr, 200, cJSON_CreateString("9"));
         }},
        {"capitalised key", false,
         [](cJSON* root) {
             cJSON* lmw = cJSON_DetachItemFromObjectCaseSensitive(root, "lmw");
             cJSON_AddItemToObject(root, "LMW", lmw);
         }},
        {"complete: system missing", true, remove({}, "system")},
        {"complete: data not an array", true, replace({}, "data", [] { return cJSON_CreateObject(); })},
        {"complete: a group lacks music", true,
         [](cJSON* root) {
             cJSON_DeleteItemFromObject(cJSON_GetArrayItem(Path(root, {"data"}), 4), "music");
         }},
        {"complete: fileType single", true,
         replace({}, "fileType", [] { return cJSON_CreateString("single"); })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JsonPtr doc = c.complete ? CompleteDoc(r) : SingleDoc(r, r.live);
        c.edit(doc.get());
        const Bytes file = FileOf(doc.get());
        CJsonPreset json;
        const PresetRecords base = PatternRecords(60);
        const PresetReadResult got = c.complete ? json.DecodeComplete(file.data(), file.size(), base)
                                                : json.DecodeSingle(file.data(), file.size(), base);
        EXPECT_FALSE(got.ok);
        EXPECT_EQ(got.parts, 0u);
        EXPECT_STREQ(got.error.en, c.complete ? "Read all presets file error!" : "Read presets file  error!");
    }
    CJsonPreset json;
    const Bytes empty;
    EXPECT_FALSE(json.DecodeSingle(empty.data(), 0, r).ok);
    Bytes text = {'{', '"', 'l'};
    XorFile(text);
    EXPECT_FALSE(json.DecodeSingle(text.data(), text.size(), r).ok);
    EXPECT_FALSE(json.DecodeComplete(text.data(), text.size(), r).ok);
}

TEST(JsonPresetRead, ToleratedDeviations) {
    const PresetRecords r = PatternRecords(6);
    PresetRecords base = PatternRecords(70);
    CJsonPreset json;

    // Optional system keys missing, values taken mod 256, long arrays cut, short arrays keep bytes.
    JsonPtr doc = SingleDoc(r, r.live);
    cJSON* out1 = cJSON_GetArrayItem(Path(doc.get(), {"data", "output", "output"}), 1);
    cJSON_ReplaceItemInArray(out1, 0, cJSON_CreateNumber(256 + 7));
    cJSON_ReplaceItemInArray(out1, 1, cJSON_CreateNumber(-1));
    cJSON_AddItemToArray(out1, cJSON_CreateNumber(1)); // a 297th value
    cJSON* music2 = cJSON_GetArrayItem(Path(doc.get(), {"data", "music", "music"}), 2);
    while (cJSON_GetArraySize(music2) > 50)
        cJSON_DeleteItemFromArray(music2, 50);
    cJSON* sys = Path(doc.get(), {"data", "system"});
    cJSON_ReplaceItemInObjectCaseSensitive(sys, "cur_password_data", Arr(RecordBytes(base.speakerMap), 8));
    Bytes file = FileOf(doc.get());
    PresetReadResult got = json.DecodeSingle(file.data(), file.size(), base);
    ASSERT_TRUE(got.ok);
    const BYTE* o1 = RecordBytes(got.records.live.outputs[1]);
    EXPECT_EQ(o1[0], 7);
    EXPECT_EQ(o1[1], 255);
    EXPECT_EQ(got.records.live.outputs[2], r.live.outputs[2]);
    const BYTE* in2 = RecordBytes(got.records.live.inputs[2]);
    EXPECT_EQ(std::memcmp(in2, RecordBytes(r.live.inputs[2]), 50), 0);
    EXPECT_EQ(std::memcmp(in2 + 50, RecordBytes(base.live.inputs[2]) + 50, 288 - 50), 0);
    // Input bytes past 112 are never in the file.
    EXPECT_EQ(std::memcmp(RecordBytes(got.records.live.inputs[0]) + 112,
                          RecordBytes(base.live.inputs[0]) + 112, 176),
              0);
    // system_spk_type overrides cur_password_data.
    EXPECT_EQ(got.records.speakerMap.curPresetNo, r.speakerMap.curPresetNo);
    // The mic and the effect are not in the file.
    EXPECT_EQ(got.records.live.mic, base.live.mic);
    // The header of the file is kept.
    EXPECT_EQ(json.Header().headData, 95);
    EXPECT_TRUE(json.Header().encryptionBool);

    // Eight groups: the eighth is ignored. Three groups: the other stored presets stay.
    for (int groups : {8, 3}) {
        SCOPED_TRACE(groups);
        doc = CompleteDoc(r, groups);
        file = FileOf(doc.get());
        got = json.DecodeComplete(file.data(), file.size(), base);
        ASSERT_TRUE(got.ok);
        EXPECT_EQ(JsonCarried(got.records.live), JsonCarried(r.live));
        EXPECT_EQ(JsonCarried(got.records.stored[1]), JsonCarried(r.stored[1]));
        EXPECT_EQ(got.records.stored[1].mic, base.stored[1].mic);
        EXPECT_EQ(JsonCarried(got.records.stored[5]),
                  JsonCarried(groups == 8 ? r.stored[5] : base.stored[5]));
    }
}

TEST(JsonPresetRead, HeaderOfARefusedFileIsWrittenAgainButEncryptionStaysFalse) {
    const PresetRecords r = PatternRecords(7);
    JsonPtr doc = SingleDoc(r, r.live);
    cJSON_ReplaceItemInObjectCaseSensitive(Path(doc.get(), {"client"}), "company_name",
                                           cJSON_CreateString("Refused Co"));
    cJSON_ReplaceItemInObjectCaseSensitive(doc.get(), "fileType", cJSON_CreateString("complete"));
    const Bytes file = FileOf(doc.get());
    CJsonPreset json;
    EXPECT_FALSE(json.DecodeSingle(file.data(), file.size(), r).ok);
    EXPECT_EQ(json.Header().client[4], "Refused Co");
    const JsonPtr written = Unscramble(json.EncodeSingle(r, 0));
    EXPECT_STREQ(Path(written.get(), {"client", "company_name"})->valuestring, "Refused Co");
    EXPECT_TRUE(cJSON_IsFalse(Path(written.get(), {"data_info", "data_encryption_bool"})));
    EXPECT_STREQ(Path(written.get(), {"fileType"})->valuestring, "single");
}

TEST(JsonPresetWrite, TextIsExactlyWhatCJsonsFormattedPrinterGivesForTheDocument) {
    CJsonPreset json;
    PresetRecords r = PatternRecords(8);
    r.locked = true;
    r.lockPassword = "42";
    for (const bool complete : {false, true}) {
        SCOPED_TRACE(complete);
        const std::string text = complete ? json.PrintComplete(r, 0) : json.PrintSingle(r, 0);
        const JsonPtr parsed(cJSON_Parse(text.c_str()));
        ASSERT_TRUE(parsed);
        char* again = cJSON_Print(parsed.get());
        EXPECT_EQ(text, std::string(again));
        cJSON_free(again);
        EXPECT_EQ(text.find("\n\t\"lmw\":\t{\n\t\t\"company_brand\":\t"), 1u);
        EXPECT_NE(text.find("\"group_name\":\t[" + std::to_string(RecordBytes(r.live)[0]) + ", "),
                  std::string::npos);
    }
}

// ---- The current preset's group on its own ------------------------------------------------------

namespace {

std::string Printed(const cJSON* item) {
    char* text = cJSON_PrintUnformatted(item);
    std::string s = text ? text : "";
    cJSON_free(text);
    return s;
}

} // namespace

TEST(JsonPresetCurrentGroup, BuiltAsGroupZeroAndReadBackLockedAndUnlocked) {
    CJsonPreset json;
    for (const bool locked : {false, true}) {
        PresetRecords r = PatternRecords(locked ? 11 : 12);
        r.locked = locked;
        r.lockPassword = "246810";
        const JsonPtr array(cJSON_CreateArray());
        json.BuildCurrentGroup(array.get(), r);
        ASSERT_EQ(cJSON_GetArraySize(array.get()), 1);
        // The same object as group 0 of an all-presets file of the records.
        const JsonPtr complete = Unscramble(json.EncodeComplete(r, 0));
        EXPECT_EQ(Printed(cJSON_GetArrayItem(array.get(), 0)),
                  Printed(cJSON_GetArrayItem(Path(complete.get(), {"data"}), 0)))
            << locked;

        PresetRecords base = PatternRecords(80);
        base.live = r.live; // the input bytes the group does not carry
        for (OutputRecord& o : base.live.outputs)
            o.mix1[0] ^= 0xFF;
        const PresetReadResult back = json.ParseCurrentGroup(array.get(), 0, base);
        ASSERT_TRUE(back.ok) << locked;
        PresetRecords expected = r;
        expected.ApplyLockMark();
        EXPECT_EQ(back.records.locked, locked);
        EXPECT_EQ(back.records.live, expected.live) << locked;
        if (locked) {
            EXPECT_EQ(back.records.LiveLockCode(), CString("246810"));
        }
        EXPECT_EQ(back.parts, static_cast<unsigned>(PRESET_PART_LIVE | PRESET_PART_LOCK))
            << "a group without a system object sets no system record";
        EXPECT_EQ(back.records.systemData, base.systemData);
    }
}

TEST(JsonPresetCurrentGroup, TheGroupsOwnSystemIsReadAndAMissingOrBrokenGroupIsRefused) {
    CJsonPreset json;
    PresetRecords r = PatternRecords(13);
    SetLock(r.live, LOCK_MARKER_UNLOCKED, "");
    const auto withSystem = [&](const PresetRecords& of) {
        cJSON* g = Group(of.live);
        cJSON_AddItemToObject(g, "system", System(of));
        return g;
    };
    const JsonPtr array(cJSON_CreateArray());
    cJSON_AddItemToArray(array.get(), Group(PatternRecords(14).live));
    cJSON_AddItemToArray(array.get(), withSystem(r));
    PresetRecords base = PatternRecords(90);
    base.live = r.live;
    const PresetReadResult back = json.ParseCurrentGroup(array.get(), 1, base);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.records.live, r.live);
    EXPECT_FALSE(back.records.locked);
    EXPECT_EQ(back.records.sourceSet, r.sourceSet);
    EXPECT_EQ(back.records.systemData, r.systemData);
    EXPECT_EQ(std::memcmp(&back.records.speakerMap, &r.speakerMap, 16), 0);
    EXPECT_EQ(std::memcmp(&back.records.slotTable, &r.slotTable, 50), 0);
    EXPECT_TRUE(back.parts & PRESET_PART_SYSTEM_DATA);
    EXPECT_TRUE(back.parts & PRESET_PART_LIVE);

    // Refused, nothing taken: no such element, not an array, a group without outputs, a system
    // object without one of its five arrays.
    cJSON* noOutputs = Group(r.live);
    cJSON_DeleteItemFromObjectCaseSensitive(noOutputs, "output");
    cJSON_AddItemToArray(array.get(), noOutputs);
    cJSON* brokenSystem = withSystem(r);
    cJSON_DeleteItemFromObjectCaseSensitive(cJSON_GetObjectItemCaseSensitive(brokenSystem, "system"),
                                            "system_data");
    cJSON_AddItemToArray(array.get(), brokenSystem);
    const JsonPtr object(cJSON_CreateObject());
    const struct {
        const cJSON* array;
        int group;
    } refused[] = {
        {array.get(), 4}, {array.get(), -1}, {object.get(), 0}, {array.get(), 2}, {array.get(), 3}};
    for (const auto& c : refused) {
        const PresetReadResult no = json.ParseCurrentGroup(c.array, c.group, base);
        EXPECT_FALSE(no.ok) << c.group;
        EXPECT_EQ(no.parts, 0u) << c.group;
    }
}

// The reader's plain-form path and cJSON's take and refuse the same texts: edits of a printed
// document in and out of that form.
TEST(JsonPresetRead, TextsOutsideThePlainFormReadAsCJsonReadsThem) {
    const PresetRecords r = PatternRecords(6);
    const PresetRecords base = PatternRecords(70);
    JsonPtr doc = SingleDoc(r, r.live);
    cJSON* out1 = cJSON_GetArrayItem(Path(doc.get(), {"data", "output", "output"}), 1);
    cJSON_ReplaceItemInArray(out1, 0, cJSON_CreateNumber(987654));
    char* printed = cJSON_Print(doc.get());
    const std::string text(printed);
    cJSON_free(printed);
    const std::size_t at = text.find("987654");
    ASSERT_NE(at, std::string::npos);
    const auto withValue = [&](const std::string& v) { return text.substr(0, at) + v + text.substr(at + 6); };
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };

    struct Case {
        const char* what;
        std::string text;
        bool ok;
        int byte; // output 2, byte 0
    };
    const Case cases[] = {
        {"integer", withValue("987654"), true, 987654 & 0xFF},
        {"leading zeros", withValue("007"), true, 7},
        {"minus zero", withValue("-0"), true, 0},
        {"fraction", withValue("1.9"), true, 1},
        {"bare point", withValue("3."), true, 3},
        {"exponent", withValue("2e2"), true, 200},
        {"past int", withValue("12345678901"), true, 0xFF},
        {"minus past int", withValue("-12345678901"), true, 0},
        {"number and minus", withValue("12-3"), false, 0},
        {"lone minus", withValue("-"), false, 0},
        {"string", withValue("\"7\""), false, 0},
        {"literal", withValue("true"), false, 0},
        {"escaped key", replaced("\"fileType\"", "\"\\u0066ileType\""), true, 987654 & 0xFF},
        {"byte order mark", "\xEF\xBB\xBF" + text, true, 987654 & 0xFF},
        {"text after the document", text + " ]x", true, 987654 & 0xFF},
        {"zero byte after the document", text + std::string(1, '\0') + "x", true, 987654 & 0xFF},
        {"zero byte inside", withValue(std::string("1\0", 2) + "2"), false, 0},
        {"cut short", text.substr(0, text.size() / 2), false, 0},
        {"key twice, the first counts", replaced("{", "{\"fileType\": \"complete\", "), false, 0},
        {"control bytes as spaces", replaced(":", "\x01:\x1F"), true, 987654 & 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file(c.text.begin(), c.text.end());
        XorFile(file);
        CJsonPreset json;
        const PresetReadResult got = json.DecodeSingle(file.data(), file.size(), base);
        ASSERT_EQ(got.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(RecordBytes(got.records.live.outputs[1])[0], c.byte);
            EXPECT_EQ(got.records.live.outputs[2], r.live.outputs[2]);
            EXPECT_EQ(json.Header().headData, 95);
        }
    }
}
