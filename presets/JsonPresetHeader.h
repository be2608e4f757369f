// JsonPresetHeader: the 37 header fields of the JSON preset files ("lmw", "client" and
// "data_info") and the file type of the last file read, with their start values. Texts are kept
// as raw bytes: files written elsewhere may hold GB2312 texts, which are written back unchanged.
#pragma once

#include <string>

struct JsonPresetHeader {
    static constexpr int kCompanyKeys = 9;
    static constexpr int kInfoKeys = 19;
    static constexpr const char* kCompanyKeyNames[kCompanyKeys] = {
        "company_brand", "company_briefing_en", "company_briefing_zh", "company_contacts", "company_name",
        "company_qq",    "company_tel",         "company_web",         "company_weixin"};
    static constexpr const char* kInfoKeyNames[kInfoKeys] = {
        "data_android_version", "data_car_brand",       "data_car_type",     "data_eff_briefing",
        "data_encryption_bool", "data_encryption_byte", "data_group_name",   "data_group_num",
        "data_head_data",       "data_ios_version",     "data_json_version", "data_machine_type",
        "data_mcu_version",     "data_pc_version",      "data_upload_time",  "data_user_info",
        "data_user_mailbox",    "data_user_name",       "data_user_tel"};
    // data_info entries that are not strings.
    static constexpr int kInfoEncryptionBool = 4;
    static constexpr int kInfoEncryptionByte = 5;
    static constexpr int kInfoGroupNum = 7;
    static constexpr int kInfoHeadData = 8;
    static constexpr int kInfoMachineType = 11;
    static constexpr int kInfoUploadTime = 14;
    static constexpr const char* kClientBrand = "16";
    static constexpr const char* kMachineType = "ZN-R9VQ-2020";

    std::string lmw[kCompanyKeys];
    std::string client[kCompanyKeys];
    std::string info[kInfoKeys]; // the string entries; the others below
    bool encryptionBool = false; // read and kept, always written false
    double encryptionByte = 0;
    double groupNum = 0;
    double headData = 94;
    std::string fileType = "single";

    JsonPresetHeader(); // the start values

    static bool IsNumberKey(int infoIndex) {
        return infoIndex == kInfoEncryptionByte || infoIndex == kInfoGroupNum || infoIndex == kInfoHeadData;
    }
    bool operator==(const JsonPresetHeader&) const = default;
};
