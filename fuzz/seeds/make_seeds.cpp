// Writes the seed corpora of the file-reader fuzz targets: valid inputs built with the program's
// own writers. Run from the fuzz build: make_seeds <repo>/fuzz/corpus
#include "link/FirmwareImage.h"
#include "model/DataDefine.h"
#include "model/Effect_Data.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/MIC_InData.h"
#include "model/Music_InData.h"
#include "platform/core/Archive.h"
#include "platform/core/Encoding.h"
#include "platform/core/MemFile.h"
#include "presets/JsonPreset.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetArchive.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string g_root;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string path = g_root + "/" + target + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

template <class T> std::string Archived(char selector, T& obj) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        obj.Serialize(ar);
        ar.Close();
    }
    std::string out(1, selector);
    out.append(file.GetBytes().begin(), file.GetBytes().end());
    return out;
}

// An object behind its class record; the prefix bytes pick the reader.
std::string ArchivedObject(const std::string& prefix, const CObject& obj) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &obj;
        ar.Close();
    }
    std::string out = prefix;
    out.append(file.GetBytes().begin(), file.GetBytes().end());
    return out;
}

void ArchiveSeeds() {
    std::string t = "fuzz_archive_document";
    CKTV_Data doc;
    doc.GetOut(2)->SetLevel(345);
    doc.GetMusic(1)->SetName(CString("音乐"));
    Put(t, "document", Archived(0, doc));
    Put(t, "object_document", ArchivedObject("\x01", doc));

    t = "fuzz_archive_channel";
    CEffect_Data fx;
    Put(t, "effect", Archived(0, fx));
    CMIC_InData mic;
    mic.BuildBands(8, 10, 20000);
    mic.SetName(CString("话筒"));
    Put(t, "mic", Archived(1, mic));
    CMusic_InData in;
    in.BuildBands(30, 32, 20000);
    in.SetName(CString("Music 1"));
    Put(t, "music", Archived(2, in));
    CKTV_OutData out;
    out.BuildBands(30, 32, 11, 20, 20000);
    out.SetName(CString("FL"));
    Put(t, "output", Archived(3, out));
    Put(t, "band_set", Archived(4, in.GetEQ()));
    Put(t, "object_effect", ArchivedObject(std::string{'\x05', '\x00'}, fx));
    Put(t, "object_filter", ArchivedObject(std::string{'\x05', '\x04'}, *in.GetBand(3)));
}

void FirmwareSeeds() {
    const std::string t = "fuzz_firmware_image";
    std::string dsp = "WDSP";
    for (int i = 0; i < 150; ++i)
        dsp += static_cast<char>(i * 7);
    Put(t, "dsp_only", std::string(1, '\0') + dsp);
    // Spread form: "WMCU" at the start of a 256 KiB file, the DSP part after it.
    const std::string mcu = "WMCU\x01\x02\x03";
    auto spread = [&](const std::string& head, const std::string& tail) {
        std::string out{'\x01', static_cast<char>(head.size() & 0xFF), static_cast<char>(head.size() >> 8)};
        return out + head + tail;
    };
    Put(t, "mcu_and_dsp", spread(mcu, dsp));
    Put(t, "mcu_only", spread(mcu, ""));
}

void RegistrySeeds() {
    const std::string t = "fuzz_registry_ini";
    Put(t, "settings",
        "Software\\R9VQ-TN\\Settings\n"
        "[HKEY_CURRENT_USER\\Software]\n\n"
        "[HKEY_CURRENT_USER\\Software\\R9VQ-TN\\Settings]\n"
        "Language=dw:1\n"
        "LastFolder=sz:/home/user/presets\\\\old\n"
        "Window=hex(3):0a0b0c0d\n"
        "\\e\\[odd=sz:line\\nbreak\n"
        "; comment\n\n"
        "[HKEY_CURRENT_USER\\Software\\R9VQ-TN\\Settings\\Sub]\n"
        "x=dw:4294967295\n");
}

void GbkSeeds() {
    const std::string t = "fuzz_gbk_fields";
    auto field = [](int width, int capacity, const CString& text) {
        std::string bytes(static_cast<size_t>(width), '\0');
        WriteGbkField(bytes.data(), width, text, FieldOverflow::Truncate, capacity);
        return std::string{static_cast<char>(width - 1), static_cast<char>(capacity + 2), '\0'} + bytes;
    };
    Put(t, "preset_name", field(kPresetNameFieldWidth, -1, CString("Preset 一二三")));
    Put(t, "channel_name", field(kChannelNameFieldWidth, kChannelNameFieldWidth, CString("话筒一二")));
    Put(t, "ascii_full", field(kChannelNameFieldWidth, kChannelNameFieldWidth, CString("ABCDEFGH")));
    // A lead byte cut by the end of the field, and bytes that are not GBK.
    Put(t, "cut_lead", std::string{'\x07', '\x0A', '\0', 'A', 'B', 'C', 'D', 'E', 'F', 'G', '\xD6'});
    Put(t, "not_gbk",
        std::string{'\x0F', '\x11', '\x01', '\x80', '\xFF', '\x81', '\x7F', 'x', '\xFE', '\xFE'});
}

// Preset files of the start-up records, unlocked and locked, and one of an old magic.
void PresetSeeds() {
    auto put = [](const std::string& target, const std::string& name, const std::vector<BYTE>& bytes) {
        std::filesystem::create_directories(g_root + "/" + target);
        Put(target, name, std::string(bytes.begin(), bytes.end()));
    };
    PresetRecords r = PresetRecords::FromGlobals();
    CJsonPreset json;
    for (const bool locked : {false, true}) {
        r.locked = locked;
        r.lockPassword = locked ? "123456" : "";
        const std::string name = locked ? "locked" : "plain";
        put("fuzz_preset_all_archive", name, CPresetArchive::EncodeAllPresets(r));
        put("fuzz_preset_single_archive", name, CPresetArchive::EncodePreset(r));
        put("fuzz_preset_json_single", name, json.EncodeSingle(r, 0));
        put("fuzz_preset_json_complete", name, json.EncodeComplete(r, 0));
    }
    put("fuzz_preset_output_map", "map", COutputMapFile::Encode(r));
    put("fuzz_preset_mode_file", "mode", CPresetArchive::EncodeModeFile(r));
    std::vector<BYTE> old = CPresetArchive::EncodeAllPresets(r);
    const std::string magic = "TRV410_ALLFile_1.0";
    old.erase(old.begin(), old.begin() + 18);
    old.insert(old.begin(), magic.begin(), magic.end());
    old.insert(old.begin(), static_cast<BYTE>(magic.size()));
    put("fuzz_preset_all_archive", "old_magic", old);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    InitData();
    ArchiveSeeds();
    FirmwareSeeds();
    RegistrySeeds();
    GbkSeeds();
    PresetSeeds();
    return 0;
}
