// The view's preset commands without a device: the extension and save-path rules, the preset name
// from a file title, the name displays, menu 112 under button 8801, the file dialogs of the two
// kinds (filters, folders, cancel), refused files and the hidden slot buttons.
#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/LinkDocument.h"
#include "platform/core/Registry.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "presets/JsonPreset.h"
#include "presets/PresetRecords.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410View.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresets.h"
#include "support/PumpMessages.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Box {
    std::string text;
    UINT type;
    int code;
};

class ViewPresetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        RegDeleteKey(HKEY_CURRENT_USER, g_strRegKey);
        ResourceLoader::SetChinese(FALSE);
        char tmpl[] = "/tmp/r9-presets-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        SetLinkDocument(m_doc.get());
        SetMessageBoxAnswer([this](const CString& text, UINT type, int code) {
            m_boxes.push_back({text.GetString(), type, code});
            return IDOK;
        });
        SetFileDialogHook([this](bool open, const OPENFILENAME& ofn, std::vector<std::string>& chosen) {
            m_dialogs.push_back({open, ofn.lpstrFilter ? std::string(ofn.lpstrFilter) : std::string(),
                                 ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "",
                                 ofn.lpstrDefExt ? ofn.lpstrDefExt : ""});
            if (m_answer.empty())
                return FALSE;
            chosen.push_back(m_answer);
            return TRUE;
        });
        m_view = std::make_unique<CTRV410View>();
        ASSERT_TRUE(m_view->CreateView());
        m_view->CreatePages();
        m_view->ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        m_view.reset();
        CMenu::SetTrackHook(nullptr);
        SetFileDialogHook(nullptr);
        SetMessageBoxAnswer(nullptr);
        SetLinkDocument(nullptr);
        m_doc.reset();
        r9test::ResetLinkGlobals();
        ResourceLoader::SetChinese(FALSE);
        fs::remove_all(m_dir);
    }
    CViewPresets& Presets() { return m_view->Presets(); }
    std::string Path(const char* name) const { return (fs::path(m_dir) / name).string(); }
    static CString LiveName() { return FieldToString(g_curImage.system.name, 16); }
    // The bytes of every record a preset file can change.
    static std::vector<BYTE> Snapshot() {
        const PresetRecords r = PresetRecords::FromGlobals();
        std::vector<BYTE> v;
        auto add = [&v](const void* p, size_t n) {
            v.insert(v.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
        };
        add(&r.live, sizeof r.live);
        add(&r.stored, sizeof r.stored);
        add(&r.sourceSet, sizeof r.sourceSet);
        add(&r.systemData, sizeof r.systemData);
        add(&r.speakerMap, sizeof r.speakerMap);
        add(&r.slotTable, sizeof r.slotTable);
        v.push_back(r.locked ? 1 : 0);
        return v;
    }

    struct Dialog {
        bool open;
        std::string filterFirst; // the description (up to the first NUL)
        std::string folder;
        std::string defExt;
    };
    std::string m_dir;
    std::string m_answer; // the path the next file dialog chooses; empty = cancel
    std::vector<Dialog> m_dialogs;
    std::vector<Box> m_boxes;
    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<CTRV410View> m_view;
};

} // namespace

TEST(ViewPresetNames, ExtensionIsAfterTheLastPeriodOfTheNameCaseSensitive) {
    struct Case {
        const char* path;
        const char* ext;
        const char* singleSave;
        const char* allSave;
    } cases[] = {
        {"/a/x.jssh", "jssh", "/a/x.jssh", "/a/x.jssh.jtah"},
        {"/a/x.jtsh", "jtsh", "/a/x.jtsh", "/a/x.jtsh.jtah"},
        {"/a/x.txt", "txt", "/a/x.txt.jtsh", "/a/x.txt.jtah"},
        {"/a/x.JSSH", "JSSH", "/a/x.JSSH.jtsh", "/a/x.JSSH.jtah"},
        {"/a.b/noext", "", "/a.b/noext.jtsh", "/a.b/noext.jtah"},
        {"/a/x.tar.jtah", "jtah", "/a/x.tar.jtah.jtsh", "/a/x.tar.jtah"},
        {"/a/x.jsah", "jsah", "/a/x.jsah.jtsh", "/a/x.jsah"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(CViewPresets::Extension(c.path), c.ext) << c.path;
        EXPECT_STREQ(CViewPresets::SinglePresetSavePath(c.path), c.singleSave) << c.path;
        EXPECT_STREQ(CViewPresets::AllPresetsSavePath(c.path), c.allSave) << c.path;
    }
}

TEST(ViewPresetNames, FileTitleGivesTheShownAndTheDeviceName) {
    struct Case {
        const char* title;
        const char* shown;
        const char* device;
    } cases[] = {
        {"Rock", "Rock", "Rock"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL", "ABCDEFGHIJKLM"}, // byte 11 ASCII: 12 shown, 13 kept
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKL", "ABCDEFGHIJKLM"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
        {"摇滚Mix", "摇滚Mix", "Mix"},
        {"流行音乐", "流行音乐", "Custom"},     // double-byte only: shown, never stored
        {"一二三四五六", "一二三四", "Custom"}, // 13-byte budget, no split character
        {"ABCDEFGHIJ摇滚", "ABCDEFGHIJ摇", "ABCDEFGHIJ"},
        {"", "", "Custom"},
    };
    for (const Case& c : cases) {
        const CViewPresets::NameParts parts = CViewPresets::SplitPresetName(c.title);
        EXPECT_STREQ(parts.shown, c.shown) << c.title;
        EXPECT_STREQ(parts.device, c.device) << c.title;
    }
}

TEST_F(ViewPresetsTest, SetPresetNameShowsAndWritesThePaddedField) {
    std::memset(g_curImage.system.name, 'x', 16);
    g_bPresetNameDirty = 0;
    Presets().SetPresetName("ABCDEFGHIJKLMNOP");
    EXPECT_STREQ(Presets().m_strShown, "ABCDEFGHIJKL");
    EXPECT_EQ(m_view->m_btnPresetName.GetCheck(), 1);
    CString edit;
    m_view->m_editStatus.GetWindowText(edit);
    EXPECT_STREQ(edit, "ABCDEFGHIJKL");
    const char expected[16] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 0, 0, 0};
    EXPECT_EQ(std::memcmp(g_curImage.system.name, expected, 16), 0);
    EXPECT_STREQ(g_strEmpty, "ABCDEFGHIJKL");
    EXPECT_EQ(g_bPresetNameDirty.load(), 1);
    Presets().SetPresetName("");
    EXPECT_EQ(m_view->m_btnPresetName.GetCheck(), 0) << "no name shown: the button is up";
    EXPECT_STREQ(LiveName(), "Custom");
}

TEST_F(ViewPresetsTest, NameDisplaysFollowTheirRules) {
    struct Case {
        const char* live;
        int presetNo;
        int chinese;
        int variant; // 0 ShowPresetName, 1 ShowLoadedPresetName, 2 ShowPresetNameBoth(0), 3 name notice
        const char* shown;
        int down;
        int mark;
    } cases[] = {
        {"Custom", 0, 1, 0, "自定义", 1, 0},
        {"Custom", 2, 1, 0, "Custom", 1, 0}, // a stored preset called "Custom" keeps its word
        {"Custom", 0, 0, 0, "Custom", 1, 0},
        {"", 0, 0, 0, "", 0, 0},
        {"Custom", 3, 1, 1, "自定义", 1, 1},
        {"Jazz", 0, 1, 1, "Jazz", 1, 1},
        {"", 0, 0, 1, "", 0, 1},
        {"Jazz", 0, 0, 2, "Jazz", 1, 0},
        {"Custom", 0, 1, 3, "自定义", 1, 0},
        {"Custom", 0, 0, 3, "Custom", 1, 0},
        {"Jazz", 0, 0, 3, "Jazz", 1, 0}, // a late notice never covers a loaded file's name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.live << " variant " << c.variant << " zh " << c.chinese);
        std::memset(g_curImage.system.name, 0, 16);
        StringToField(g_curImage.system.name, 16, c.live);
        g_curPresetNo[0] = static_cast<BYTE>(c.presetNo);
        g_bChinese = c.chinese;
        g_bPresetNameDirty = 0;
        switch (c.variant) {
        case 0:
            Presets().ShowPresetName();
            break;
        case 1:
            Presets().ShowLoadedPresetName();
            break;
        case 2:
            Presets().ShowPresetNameBoth(0);
            break;
        default:
            Presets().OnPresetNameChanged();
            break;
        }
        EXPECT_STREQ(Presets().m_strShown, c.shown);
        EXPECT_EQ(m_view->m_btnPresetName.GetCheck(), c.down);
        EXPECT_EQ(g_bPresetNameDirty.load(), c.mark);
    }
}

TEST_F(ViewPresetsTest, PresetMenuOffersDeviceItemsOnlyWithALinkAndRenders) {
    const UINT deviceIds[] = {720, 721, 722, 724, 726};
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        m_view->ApplyLanguage();
        for (int open : {0, 1}) {
            m_view->m_bLinkOpen = open;
            CPoint at;
            std::vector<UINT> disabled;
            CMenu::SetTrackHook([&](CMenu& menu, int x, int y) {
                at = CPoint(x, y);
                for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
                    const UINT id = menu.GetMenuItemID(i);
                    if (id != 0 &&
                        (menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED)))
                        disabled.push_back(id);
                }
                return 0u;
            });
            m_view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PRESETS_BUTTON, BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_view->m_btnPresets.GetSafeHwnd()));
            CRect rc;
            m_view->m_btnPresets.GetWindowRect(&rc);
            EXPECT_EQ(at, CPoint(rc.left, rc.bottom + 2));
            EXPECT_EQ(disabled, open ? std::vector<UINT>{}
                                     : std::vector<UINT>(std::begin(deviceIds), std::end(deviceIds)));

            // As the user sees it.
            CMenu::SetTrackHook(nullptr);
            const QString name =
                QString("preset-menu-%1-%2").arg(open ? "online" : "offline").arg(chinese ? "zh" : "en");
            QImage shot;
            QTimer grab;
            grab.setSingleShot(true);
            QObject::connect(&grab, &QTimer::timeout, [&] {
                if (QWidget* popup = QApplication::activePopupWidget()) {
                    shot = r9test::RenderToPng(popup, name);
                    popup->close();
                }
            });
            grab.start(0);
            Presets().OnPresetMenuButton();
            EXPECT_FALSE(shot.isNull()) << name.toStdString();
        }
    }
    m_view->m_bLinkOpen = 0;
}

TEST_F(ViewPresetsTest, FileDialogsUseTheKindsFiltersAndFolders) {
    // Cancelled dialogs change nothing and say nothing.
    m_view->LoadFileFolder(FOLDER_PRESET);
    m_view->m_settings.Folder(FOLDER_PRESET) = m_dir.c_str();
    m_view->SaveFileFolder(FOLDER_PRESET);
    EXPECT_FALSE(Presets().ReadPresetFile());
    EXPECT_FALSE(Presets().SavePresetFile());
    EXPECT_FALSE(Presets().ReadAllPresetsFile());
    EXPECT_FALSE(Presets().ChooseAllPresetsFile());
    ASSERT_EQ(m_dialogs.size(), 4u);
    EXPECT_TRUE(m_dialogs[0].open);
    EXPECT_EQ(m_dialogs[0].filterFirst, "Data File (*.jssh,*.vtas,*.jtsh)");
    EXPECT_EQ(m_dialogs[0].folder, m_dir);
    EXPECT_FALSE(m_dialogs[1].open);
    EXPECT_EQ(m_dialogs[1].filterFirst, "Data File (*.jtsh)");
    EXPECT_EQ(m_dialogs[2].filterFirst, "Data File (*.jsah,*.vtaa,*.jtah)");
    EXPECT_EQ(m_dialogs[3].filterFirst, "Data File (*.jtah)");
    for (const Dialog& d : m_dialogs)
        EXPECT_EQ(d.defExt, "");
    EXPECT_TRUE(m_boxes.empty());

    // A chosen file's folder is remembered for its kind (in the settings store).
    fs::create_directories(Path("sub"));
    m_answer = Path("sub/tune.JSSH");
    std::ofstream(m_answer) << "x";
    EXPECT_FALSE(Presets().ReadPresetFile()) << "capitals are not an extension";
    EXPECT_TRUE(m_boxes.empty());
    CAppSettings stored;
    stored.LoadFileFolder(FOLDER_PRESET);
    EXPECT_STREQ(stored.Folder(FOLDER_PRESET), Path("sub").c_str());

    m_answer = Path("all.jtah");
    EXPECT_TRUE(Presets().ChooseAllPresetsFile());
    EXPECT_STREQ(g_strAllPresetsPath, Path("all.jtah").c_str());
    m_answer = Path("all");
    EXPECT_TRUE(Presets().ChooseAllPresetsFile());
    EXPECT_STREQ(g_strAllPresetsPath, Path("all.jtah").c_str());
}

TEST_F(ViewPresetsTest, RefusedFilesShowTheirErrorAndChangeNothing) {
    struct Case {
        const char* name;
        std::string bytes;
        bool all;
        const char* message; // null: refused without a message
    } cases[] = {
        {"bad.jtsh", "not json", false, "Read presets file  error!"},
        {"bad.vtas", std::string("\x0eZN-R9_File_3.0", 15) + "short", false, "Read presets file  error!"},
        {"bad.jtah", "", true, "Read all presets file error!"},
        {"bad.vtaa", std::string(30786, '\0'), true, "Read all presets file error!"},
        {"tune", "{}", false, nullptr},
        {"tune.txt", "{}", true, nullptr},
    };
    g_curImage.outputs[2].bands[1].gainCode = 77;
    const std::vector<BYTE> before = Snapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.clear();
        m_answer = Path(c.name);
        std::ofstream(m_answer, std::ios::binary) << c.bytes;
        EXPECT_FALSE(c.all ? Presets().ReadAllPresetsFile() : Presets().ReadPresetFile());
        ASSERT_EQ(m_boxes.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(m_boxes[0].text, c.message);
            EXPECT_EQ(m_boxes[0].code, -3);
        }
        EXPECT_TRUE(Snapshot() == before) << "the records are as they were";
        bool free = false;
        std::thread([&] {
            free = g_linkLock.try_lock();
            if (free)
                g_linkLock.unlock();
        }).join();
        EXPECT_TRUE(free) << "no lock left held";
    }
}

TEST_F(ViewPresetsTest, SavedPresetReadsBackAndTakesItsName) {
    g_curImage.outputs[4].bands[3].gainCode = 91;
    m_doc->LoadFromImage(&g_curImage, 0);
    m_answer = Path("Night drive.txt");
    ASSERT_TRUE(Presets().SavePresetFile());
    EXPECT_TRUE(fs::exists(Path("Night drive.txt.jtsh"))) << "saved where the program can read it";
    EXPECT_STREQ(Presets().m_strShown, "Night drive");
    EXPECT_STREQ(LiveName(), "Night drive");

    // A failed write says so.
    m_boxes.clear();
    m_answer = Path("missing/folder/x.jtsh");
    EXPECT_FALSE(Presets().SavePresetFile());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Save presets file error!");
}

TEST_F(ViewPresetsTest, SlotButtonsSelectAndSendOnlyANewSlot) {
    g_slotTable.curSlot = 1;
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SLOT_BUTTON_1 + 1, BN_CLICKED), 0);
    EXPECT_EQ(g_slotTable.curSlot, 1);
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SLOT_BUTTON_1 + 3, BN_CLICKED), 0);
    EXPECT_EQ(g_slotTable.curSlot, 3);
    Presets().SelectPresetSlot(0, FALSE);
    EXPECT_EQ(g_slotTable.curSlot, 3) << "without select only the button is released";
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(m_view->m_btnSlot[i].IsWindowVisible());
}

TEST_F(ViewPresetsTest, OldAllPresetsFileReadsUnlockedAndItsFlagEndsWithTheRead) {
    // Built from the layout: the old magic, seven images of default records (in range) with a
    // locked marker, the 24 system bytes (source levels at 0 dB, the rest 0).
    const std::string magic = "TRV410_ALLFile_1.0";
    std::vector<BYTE> bytes{static_cast<BYTE>(magic.size())};
    bytes.insert(bytes.end(), magic.begin(), magic.end());
    PresetImage image{};
    for (int i = 0; i < NUM_INPUTS; ++i)
        image.inputs[i] = DefaultInputRecord(i);
    image.mic = DefaultMicRecord();
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        image.outputs[j] = g_defOutRecords[j];
    image.outputs[0].on = 1; // output 1 of the live image: on
    reinterpret_cast<BYTE*>(&image)[2312] = '!';
    for (int k = 0; k < 7; ++k)
        bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(&image),
                     reinterpret_cast<const BYTE*>(&image) + sizeof image);
    const size_t system = bytes.size();
    bytes.resize(system + 24, 0);
    for (int k = 6; k < 12; ++k)
        bytes[system + k] = 60;
    m_answer = Path("old.vtaa");
    std::ofstream(m_answer, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    g_bDataLocked = 1;
    ASSERT_TRUE(Presets().ReadAllPresetsFile());
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(g_bDataLocked.load(), 0) << "an old file is read unlocked";
    EXPECT_EQ(g_curImage.outputs[0].on, 1) << "and plain";
    EXPECT_EQ(g_curImage.outputs[0].GetLockMark().marker, ' ');
    EXPECT_EQ(g_bOldAllPresetsFile.load(), 0) << "later device reads unscramble locked data again";
}
