// The preset commands end to end: the whole view offscreen, online against the emulator over TCP.
// Preset files saved and read back through the menu commands and the file dialogs, save-all through
// the device read, a locked all-presets file, and the machine-preset dialog's three actions; each
// checked on the emulator's stored and live presets.
#include "OutputPageLinkFixture.h"

#include "model/Conversions.h"
#include "model/KTV_OutData.h"
#include "platform/ui/CommDlg.h"
#include "presets/JsonPreset.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"
#include "presets/PresetRecords.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresetServices.h"
#include "shell/ViewPresets.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kOutputsAt = offsetof(PresetImage, outputs);

class PresetFilesLinkTest : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        m_services = std::make_unique<CViewPresetServices>(*m_view);
        m_services->Install();
        SetFileDialogHook([this](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
            if (m_answer.empty())
                return FALSE;
            chosen.push_back(m_answer);
            return TRUE;
        });
        SetMessageBoxAnswer([this](const CString& text, UINT type, int) {
            m_boxes.emplace_back(text.GetString());
            return type == MB_YESNO ? IDYES : IDOK;
        });
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        SetFileDialogHook(nullptr);
        m_services.reset();
        OnlineOutputPageTest::TearDown();
    }
    void Command(UINT id) { m_view->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); }
    std::string Path(const char* name) const { return (fs::path(m_dir) / name).string(); }
    bool Idle() {
        return Pump([&] { return !g_bTransferBusy.load() && m_view->m_command.Queue().GetQueueCount() == 0; },
                    20000);
    }
    // The device's live image equals `image` everywhere but the name.
    static bool SameButName(const PresetImage& a, const PresetImage& b) {
        return std::memcmp(Bytes(a) + 16, Bytes(b) + 16, sizeof(PresetImage) - 16) == 0;
    }
    // Changes the level of output 3 through the model and waits until the device has it.
    void ChangeTuning() {
        const PresetImage before = m_dev.GetState().live;
        CKTV_OutData* out = m_doc->GetOut(2);
        ASSERT_NE(out, nullptr);
        {
            std::lock_guard lock(g_linkLock);
            out->SetPolarity(g_curImage.outputs[2].polarity ? 0 : 1);
        }
        ASSERT_TRUE(Pump([&] { return !SameButName(m_dev.GetState().live, before); }))
            << "the change reached the device";
        // A sent change renames the live preset "Custom": let that run out too.
        ASSERT_TRUE(
            Pump([&] { return FieldToString(m_dev.GetState().live.system.name, 16) == g_strCustom; }));
        ASSERT_TRUE(Pump([&] { return m_view->Presets().m_strShown == g_strCustom; }));
    }

    std::unique_ptr<CViewPresetServices> m_services;
    std::string m_answer;
    std::vector<std::string> m_boxes;
};

} // namespace

TEST_F(PresetFilesLinkTest, SinglePresetFileRoundTripsToTheDevice) {
    for (const char* name : {"Evening.jtsh", "Evening.vtas"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Idle());
        m_answer = Path(name);
        if (CViewPresets::Extension(name) == "jtsh") {
            Command(ID_SAVE_PC_PRESET);
        } else {
            // No command writes the archive form; the format's own writer makes it.
            ASSERT_TRUE(
                CPresetArchive::WritePresetFile(m_answer.c_str(), PresetRecords::TakeForSave(m_doc.get())));
        }
        ASSERT_TRUE(fs::exists(m_answer));
        const PresetImage saved = ProgramImage();
        ChangeTuning();
        Command(ID_LOAD_PC_PRESET);
        ASSERT_TRUE(Pump([&] { return SameButName(m_dev.GetState().live, saved); }))
            << "the device holds the saved preset again";
        ASSERT_TRUE(Idle());
        EXPECT_STREQ(FieldToString(m_dev.GetState().live.system.name, 16), "Evening");
        EXPECT_STREQ(m_view->Presets().m_strShown, "Evening");
        EXPECT_TRUE(m_boxes.empty());
    }
}

TEST_F(PresetFilesLinkTest, SaveAllReadsTheDevicePresetsIntoTheFile) {
    // The names were read at connect; the all-presets read brings the records.
    {
        std::lock_guard lock(g_linkLock);
        for (int i = 0; i < NUM_STORED_PRESETS; ++i)
            std::snprintf(g_storedPresets[i].system.name, 16, "Dev%d", i + 1);
    }
    m_dev.ModifyState([](DeviceState& s) {
        for (int i = 0; i < NUM_STORED_PRESETS; ++i)
            s.stored[i].outputs[i].polarity = static_cast<BYTE>(10 + i);
    });
    m_answer = Path("everything");
    Command(ID_SAVE_ALL_PRESETS);
    const std::string file = Path("everything.jtah");
    ASSERT_TRUE(Pump([&] { return fs::exists(file) && !g_bTransferBusy.load(); }, 20000));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(CPresetFileIo::ReadWholeFile(file.c_str(), bytes));
    CJsonPreset json;
    const PresetReadResult read = json.DecodeComplete(bytes.data(), bytes.size(), PresetRecords{});
    ASSERT_TRUE(read.ok);
    const DeviceState dev = m_dev.GetState();
    for (int i = 0; i < NUM_STORED_PRESETS; ++i) {
        EXPECT_EQ(std::string(FieldToString(read.records.stored[i].system.name, 16).GetString()),
                  "Dev" + std::to_string(i + 1));
        EXPECT_EQ(read.records.stored[i].outputs[i].polarity, 10 + i);
        EXPECT_EQ(std::memcmp(Bytes(read.records.stored[i]) + kOutputsAt, Bytes(dev.stored[i]) + kOutputsAt,
                              sizeof(PresetImage) - kOutputsAt),
                  0)
            << "preset " << i + 1;
    }
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(PresetFilesLinkTest, LockedAllPresetsFileLocksTheDeviceWithItsCode) {
    ASSERT_TRUE(Idle());
    PresetRecords records = PresetRecords::FromGlobals();
    records.locked = true;
    records.lockPassword = "135790";
    records.live.outputs[5].polarity = 33;
    records.ApplyLockMark();
    const std::string file = Path("locked.vtaa");
    ASSERT_TRUE(CPresetArchive::WriteAllPresetsFile(file.c_str(), records));
    g_strLockPassword = "";
    m_answer = file;
    Command(ID_LOAD_ALL_PRESETS);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(g_bDataLocked.load(), 1);
    EXPECT_STREQ(g_strLockPassword, "135790");
    EXPECT_TRUE(m_view->m_bLockButton);
    ASSERT_TRUE(Pump([&] {
        const LockMarkBlock mark = m_dev.GetState().live.outputs[0].GetLockMark();
        return mark.marker != LOCK_MARKER_UNLOCKED && mark.code[0] == static_cast<char>('1' ^ LOCK_MASK);
    })) << "the device holds the file's code, scrambled as frames carry it";
    const DeviceState dev = m_dev.GetState();
    const LockMarkBlock mark = dev.live.outputs[0].GetLockMark();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(static_cast<BYTE>(mark.code[i]), static_cast<BYTE>("135790"[i] ^ LOCK_MASK)) << i;
    EXPECT_EQ(dev.live.outputs[5].polarity, 33 ^ LOCK_MASK);
    EXPECT_EQ(g_curImage.outputs[5].polarity, 33) << "the program keeps the plain values";
}
