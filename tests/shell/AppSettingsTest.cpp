// The settings store over a registry file of the test's own, and the USB register of held paths.
#include "link/UsbLink.h"
#include "model/Globals.h"
#include "platform/core/Registry.h"
#include "shell/AppSettings.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Reads a value of a key below the program key; "<missing>" when the key or value is absent.
std::string Stored(const char* key, const char* value) {
    const std::string path = std::string(g_strRegKey) + "\\" + key;
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return "<missing>";
    std::string out = "<missing>";
    DWORD size = 0;
    if (RegQueryValueEx(h, value, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size + 1, 0);
        RegQueryValueEx(h, value, nullptr, nullptr, data.data(), &size);
        out = reinterpret_cast<const char*>(data.data());
    }
    RegCloseKey(h);
    return out;
}

void Store(const char* key, const char* value, const std::string& text) {
    const std::string path = std::string(g_strRegKey) + "\\" + key;
    HKEY h = nullptr;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_SUCCESS);
    RegSetValueEx(h, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>(text.size() + 1));
    RegCloseKey(h);
}

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        g_strLanguage.Empty();
        g_strHexPath.Empty();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::path(::testing::TempDir()) / (std::string("settings-") + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "docs");
        m_docs = (m_dir / "docs").string();
        ::setenv("XDG_DOCUMENTS_DIR", m_docs.c_str(), 1);
        r9::reg::SetStorePath((m_dir / "registry.ini").string());
    }
    void TearDown() override {
        r9::reg::SetStorePath("");
        ::unsetenv("XDG_DOCUMENTS_DIR");
        fs::remove_all(m_dir);
        g_strLanguage.Empty();
        g_strHexPath.Empty();
        r9test::ResetModelGlobals();
    }
    std::string MakeFolder(const std::string& name) {
        fs::create_directories(m_dir / name);
        return (m_dir / name).string();
    }

    fs::path m_dir;
    std::string m_docs;
};

} // namespace

TEST_F(AppSettingsTest, FirstStartCreatesEveryGroupWithItsDefault) {
    g_bChinese = 1; // the system locale's language
    CAppSettings settings;
    settings.LoadAtStartUp();
    for (const char* value : {"File_Path", "AllFile_Path", "Map_Path", "Hex"})
        EXPECT_EQ(Stored("PC_File", value), m_docs) << value;
    EXPECT_EQ(Stored("DspMcu", "Name"), "");
    EXPECT_EQ(Stored("DspMcu", "Path"), m_docs);
    EXPECT_EQ(Stored("DspMcu", "Language"), "Chinese");
    EXPECT_EQ(Stored("Line_Set", "Line_Set"), "1");
    EXPECT_EQ(g_bChinese.load(), 1);
    for (int kind = 1; kind <= NUM_FOLDER_KINDS; ++kind)
        EXPECT_STREQ(settings.Folder(kind), m_docs.c_str()) << kind;
}

TEST_F(AppSettingsTest, StoredLanguageDecidesOverTheLocale) {
    struct Case {
        const char* stored; // nullptr: first start
        int localeChinese;
        int chinese;
        const char* written;
    } cases[] = {
        {nullptr, 1, 1, "Chinese"},   {nullptr, 0, 0, "English"},   {"", 1, 1, "Chinese"},
        {"chinese", 1, 0, "chinese"}, {"Chinese", 0, 1, "Chinese"}, {"English", 1, 0, "English"},
        {"Deutsch", 1, 0, "Deutsch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        RegDeleteKey(HKEY_CURRENT_USER, g_strRegKey);
        if (c.stored)
            Store("DspMcu", "Language", c.stored);
        g_strLanguage.Empty();
        g_bChinese = c.localeChinese;
        CAppSettings settings;
        settings.LoadDspMcuSettings();
        settings.ApplyStoredLanguage();
        EXPECT_EQ(g_bChinese.load(), c.chinese);
        EXPECT_EQ(Stored("DspMcu", "Language"), c.written);
    }
}

TEST_F(AppSettingsTest, DeletedFolderFallsBackToDocumentsAndIsStored) {
    const std::string kept = MakeFolder("presets");
    const std::string gone = MakeFolder("maps");
    Store("PC_File", "File_Path", kept);
    Store("PC_File", "Map_Path", gone);
    fs::remove_all(gone);
    CAppSettings settings;
    settings.LoadFileFolder(FOLDER_PRESET);
    settings.LoadFileFolder(FOLDER_MAP);
    EXPECT_STREQ(settings.Folder(FOLDER_PRESET), kept.c_str());
    EXPECT_STREQ(settings.Folder(FOLDER_MAP), m_docs.c_str());
    EXPECT_EQ(Stored("PC_File", "File_Path"), kept);
    EXPECT_EQ(Stored("PC_File", "Map_Path"), m_docs);
}

TEST_F(AppSettingsTest, SavingOneKindWritesOnlyItsValue) {
    CAppSettings settings;
    settings.SaveFileFolder(0); // start-up: creates the key with the documents folder everywhere
    const std::string maps = MakeFolder("maps");
    settings.Folder(FOLDER_MAP) = maps.c_str();
    settings.Folder(FOLDER_PRESET) = "/not/saved";
    settings.SaveFileFolder(FOLDER_MAP);
    EXPECT_EQ(Stored("PC_File", "Map_Path"), maps);
    for (const char* value : {"File_Path", "AllFile_Path", "Hex"})
        EXPECT_EQ(Stored("PC_File", value), m_docs) << value;
    settings.SaveFileFolder(0); // the key exists: nothing is written
    EXPECT_EQ(Stored("PC_File", "File_Path"), m_docs);
}

TEST_F(AppSettingsTest, LineSetReadsDecimalTextAndNothingElse) {
    struct Case {
        const char* stored;
        int shown;
    } cases[] = {{"abc", 0}, {"0", 0}, {"1", 1}, {"", 0}};
    for (const Case& c : cases) {
        Store("Line_Set", "Line_Set", c.stored);
        g_bShowAllCurves = 5;
        CAppSettings settings;
        settings.LoadLineSet();
        EXPECT_EQ(g_bShowAllCurves.load(), c.shown) << c.stored;
    }
    g_bShowAllCurves = 0;
    CAppSettings().SaveLineSet();
    EXPECT_EQ(Stored("Line_Set", "Line_Set"), "0");
}

TEST_F(AppSettingsTest, FirmwareValuesReadWholeEvenWhenTheyGrew) {
    // A firmware folder deeper than any earlier read (and than 260 bytes) still reads whole.
    const std::string shallow = MakeFolder("fw");
    std::string deep = "fw";
    for (int i = 0; i < 12; ++i)
        deep += "/a_rather_long_folder_name";
    const std::string deepPath = MakeFolder(deep);
    ASSERT_GT(deepPath.size(), 300u);
    CAppSettings settings;
    Store("DspMcu", "Path", shallow);
    Store("DspMcu", "Name", shallow + "/a.bin");
    settings.LoadDspMcuSettings();
    EXPECT_STREQ(settings.m_strFirmwareFolder, shallow.c_str());
    Store("DspMcu", "Path", deepPath);
    Store("DspMcu", "Name", deepPath + "/firmware_update.bin");
    settings.LoadDspMcuSettings();
    EXPECT_STREQ(settings.m_strFirmwareFolder, deepPath.c_str());
    EXPECT_STREQ(g_strHexPath, (deepPath + "/firmware_update.bin").c_str());

    // A folder that is gone reads as the documents folder, and is not written back.
    Store("DspMcu", "Path", "/no/such/folder");
    settings.LoadDspMcuSettings();
    EXPECT_STREQ(settings.m_strFirmwareFolder, m_docs.c_str());
    EXPECT_EQ(Stored("DspMcu", "Path"), "/no/such/folder");
}

TEST_F(AppSettingsTest, SaveWritesTheFirmwareAndTheShownLanguage) {
    CAppSettings settings;
    g_strHexPath = "/data/fw/DSP_V2.bin";
    settings.m_strFirmwareFolder = "/data/fw";
    g_bChinese = 0;
    settings.SaveDspMcuSettings();
    EXPECT_EQ(Stored("DspMcu", "Name"), "/data/fw/DSP_V2.bin");
    EXPECT_EQ(Stored("DspMcu", "Path"), "/data/fw");
    EXPECT_EQ(Stored("DspMcu", "Language"), "English");
    g_bChinese = 1;
    settings.SaveDspMcuSettings();
    EXPECT_EQ(Stored("DspMcu", "Language"), "Chinese");
    EXPECT_STREQ(g_strLanguage, "Chinese");
}

TEST_F(AppSettingsTest, HeldDevicePathsRoundTripAndResetFreesThem) {
    const std::string reg = (m_dir / "usb").string();
    CUsbLink mine(reg);
    CUsbLink other(reg);
    for (const char* path : {"/dev/hidraw3", "/dev/usb/hiddev0", "1-1.2:1.0/0003:0483:5750.0004"}) {
        SCOPED_TRACE(path);
        g_strHidPath = path;
        mine.RememberUsbPath();
        EXPECT_FALSE(other.IsUsbPathFree(path));
    }
    EXPECT_TRUE(other.IsUsbPathFree("/dev/hidraw4"));
    mine.ResetUsbKey();
    for (const char* path : {"/dev/hidraw3", "/dev/usb/hiddev0", "1-1.2:1.0/0003:0483:5750.0004"})
        EXPECT_TRUE(other.IsUsbPathFree(path)) << path;
    g_strHidPath.Empty();
}
