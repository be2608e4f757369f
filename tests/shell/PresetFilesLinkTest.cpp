// The preset commands end to end: the whole view offscreen, online against the emulator over TCP.
// Preset files saved and read back through the menu commands and the file dialogs, save-all through
// the device read, a locked all-presets file, and the machine-preset dialog's three actions; each
// checked on the emulator's stored and live presets.
#include "OutputPageLinkFixture.h"

#include "model/Conversions.h"
#include "model/KTV_OutData.h"
#include "model/PresetServices.h"
#include "model/RecordRanges.h"
#include "platform/ui/CommDlg.h"
#include "presets/JsonPreset.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"
#include "presets/PresetRecords.h"
#include "presets/ProgramDlg.h"
#include "presets/SaveDlg.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresetServices.h"
#include "shell/ViewPresets.h"
#include "wire/LinkFrame.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kOutputsAt = offsetof(PresetImage, outputs);

bool IsIdlePoll(const DevsimRequest& r) {
    return r.frame.size() > LinkFrame::OFS_INDEX && r.frame[LinkFrame::OFS_TYPE] == FRAME_READ &&
           r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && r.frame[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
}

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
            return type == MB_YESNO ? m_yesNo : IDOK;
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
                    20000) &&
               WaitLinkIdle();
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

    // Every record of the device a preset file or a device read can bring is in range.
    static void ExpectInRange(const PresetImage& image, const char* where) {
        for (int i = 0; i < NUM_INPUTS; ++i)
            EXPECT_TRUE(RecordRanges::Input(image.inputs[i])) << where << " input " << i;
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            EXPECT_TRUE(RecordRanges::Output(image.outputs[j], RecordRanges::OutputBands(j)))
                << where << " output " << j;
    }
    static bool SameDeviceData(const DeviceState& a, const DeviceState& b) {
        return a.live == b.live && std::equal(a.stored, a.stored + NUM_STORED_PRESETS, b.stored) &&
               a.sourceSet == b.sourceSet && a.systemData == b.systemData && a.speakerMap == b.speakerMap;
    }
    // Whether the device was sent a write of this system record since its log was cleared.
    bool SystemRecordWritten(int cmd) const {
        for (const DevsimRequest& r : m_dev.GetRequests())
            if (r.frame.size() > LinkFrame::OFS_INDEX && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && r.frame[LinkFrame::OFS_INDEX] == cmd)
                return true;
        return false;
    }
    size_t DataErrorQuestions() const {
        size_t n = 0;
        for (const std::string& box : m_boxes)
            n += box.rfind("File Data Error!", 0) == 0 ? 1 : 0;
        return n;
    }
    std::unique_ptr<CViewPresetServices> m_services;
    std::string m_answer;
    std::vector<std::string> m_boxes;
    int m_yesNo = IDYES; // the answer to every Yes/No question
};

// One file of each kind the program reads, with one field out of range in each kind of record
// the file carries.
struct RangeFileKind {
    const char* name;
    bool all;
    bool json;
};
constexpr RangeFileKind kRangeFileKinds[] = {{"tune.jtsh", false, true},  {"tune.jssh", false, true},
                                             {"tune.vtas", false, false}, {"every.jtah", true, true},
                                             {"every.jsah", true, true},  {"every.vtaa", true, false}};

// The marks of the file's own (in-range) content that must arrive with Yes.
constexpr BYTE kFileMark = 1;

PresetRecords SpoiltRecords(const RangeFileKind& kind) {
    PresetRecords r = PresetRecords::FromGlobals();
    for (PresetImage& s : r.stored)
        s = r.live; // in range, unlike the start-up zeros
    r.live.outputs[5].polarity = kFileMark;
    r.stored[3].outputs[2].polarity = kFileMark;
    r.live.inputs[2].bands[5].freq = SHORT(0);
    r.live.outputs[3].delay = SHORT(400);
    r.live.mic.bands[2].type = 9;                       // archives carry the mic
    r.stored[1].inputs[0].bands[2].gainCode = SHORT(0); // all-presets files carry the stored presets
    r.stored[4].outputs[6].mix1[3] = 150;
    if (kind.json || kind.all) { // the system records
        r.sourceSet.sourceLevel[2] = 5;
        r.systemData.masterVolume = SHORT(99);
        r.speakerMap.speakerMap[5] = 40;
    }
    return r;
}

bool WriteRangeFile(const RangeFileKind& kind, const std::string& path, const PresetRecords& r) {
    CJsonPreset json;
    if (kind.json)
        return kind.all ? json.WriteCompleteFile(path.c_str(), r) : json.WriteSingleFile(path.c_str(), r);
    return kind.all ? CPresetArchive::WriteAllPresetsFile(path.c_str(), r)
                    : CPresetArchive::WritePresetFile(path.c_str(), r);
}

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
    struct Case {
        const char* name;
        const char* code;
        BYTE polarity;
    } cases[] = {{"locked.vtaa", "135790", 33}, {"locked.jtah", "246802", 44}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Idle());
        PresetRecords records = PresetRecords::FromGlobals();
        records.locked = true;
        records.lockPassword = c.code;
        records.live.outputs[5].polarity = c.polarity;
        records.ApplyLockMark();
        const std::string file = Path(c.name);
        if (CViewPresets::Extension(c.name) == "vtaa") {
            ASSERT_TRUE(CPresetArchive::WriteAllPresetsFile(file.c_str(), records));
        } else {
            CJsonPreset json;
            ASSERT_TRUE(json.WriteCompleteFile(file.c_str(), records));
        }
        // A stale password must not reach the device in place of the file's code.
        g_strLockPassword = "999999";
        m_answer = file;
        Command(ID_LOAD_ALL_PRESETS);
        ASSERT_TRUE(Idle());
        EXPECT_EQ(g_bDataLocked.load(), 1);
        EXPECT_STREQ(g_strLockPassword, c.code);
        EXPECT_TRUE(m_view->m_bLockButton);
        ASSERT_TRUE(Pump([&] {
            const LockMarkBlock mark = m_dev.GetState().live.outputs[0].GetLockMark();
            return mark.marker != LOCK_MARKER_UNLOCKED &&
                   mark.code[0] == static_cast<char>(c.code[0] ^ LOCK_MASK) &&
                   m_dev.GetState().live.outputs[5].polarity == (c.polarity ^ LOCK_MASK);
        })) << "the device holds the file's code, scrambled as frames carry it";
        const DeviceState dev = m_dev.GetState();
        const LockMarkBlock mark = dev.live.outputs[0].GetLockMark();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(static_cast<BYTE>(mark.code[i]), static_cast<BYTE>(c.code[i] ^ LOCK_MASK)) << i;
        EXPECT_EQ(g_curImage.outputs[5].polarity, c.polarity) << "the program keeps the plain values";
    }
}

TEST_F(PresetFilesLinkTest, MachinePresetDialogSavesLoadsAndDeletes) {
    ASSERT_TRUE(Idle());
    // Save As preset 3 under a new name: the device stores the live settings with it.
    CDialog::SetModalHook([](CDialog& dlg) {
        if (auto* entry = dynamic_cast<CSaveDlg*>(&dlg)) {
            entry->m_editName.SetWindowText("Evening");
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (auto* program = dynamic_cast<CProgramDlg*>(&dlg)) {
            EXPECT_EQ(g_pProgramDlg, program);
            program->SaveAs(3);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    Command(ID_SAVE_MACHINE_PRESET);
    EXPECT_EQ(g_pProgramDlg, nullptr);
    const PresetImage live = ProgramImage();
    ASSERT_TRUE(Pump([&] {
        const DeviceState s = m_dev.GetState();
        return FieldToString(s.stored[2].system.name, 16) == "Evening" &&
               std::memcmp(Bytes(s.stored[2]) + kOutputsAt, Bytes(live) + kOutputsAt,
                           sizeof(PresetImage) - kOutputsAt) == 0;
    })) << "stored preset 3 holds the live settings under the new name";
    ASSERT_TRUE(Idle());

    // Load preset 5: the device recalls it and the program takes it as the live settings.
    m_dev.ModifyState([](DeviceState& s) { s.stored[4].outputs[1].polarity = 17; });
    CDialog::SetModalHook([](CDialog& dlg) {
        if (auto* program = dynamic_cast<CProgramDlg*>(&dlg)) {
            program->Load(5);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    Command(ID_LOAD_MACHINE_PRESET);
    ASSERT_TRUE(
        Pump([&] { return ProgramImage().outputs[1].polarity == 17 && !g_bTransferBusy.load(); }, 20000));
    EXPECT_EQ(m_dev.GetState().live.outputs[1].polarity, 17);
    ASSERT_TRUE(Idle());

    // Delete preset 6 (not current), then preset 2 while it is current.
    m_dev.ModifyState([](DeviceState& s) { s.presetNumber = 2; });
    {
        std::lock_guard lock(g_linkLock);
        g_curPresetNo[0] = 2;
        StringToField(g_storedPresets[5].system.name, 16, "Six");
        StringToField(g_storedPresets[1].system.name, 16, "Two");
    }
    m_dev.ModifyState([](DeviceState& s) {
        StringToField(s.stored[5].system.name, 16, "Six");
        StringToField(s.stored[1].system.name, 16, "Two");
    });
    CDialog::SetModalHook([](CDialog& dlg) {
        if (auto* program = dynamic_cast<CProgramDlg*>(&dlg)) {
            program->Delete(6);
            program->Delete(2);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    Command(ID_DELETE_MACHINE_PRESET);
    ASSERT_TRUE(Pump([&] {
        const DeviceState s = m_dev.GetState();
        return s.stored[5].system.name[0] == 0 && s.stored[1].system.name[0] == 0 && s.presetNumber == 0;
    })) << "both names emptied, and the current preset number is 0";
    EXPECT_EQ(m_boxes,
              (std::vector<std::string>{"Are you delete No.6 preset?", "Are you delete No.2 preset?"}));
}

// A preset transfer started while a name mark is still pending (the worker had no round since the
// name was shown: the test holds the link lock over both steps to pin that order). The mark must not
// set the program's preset number to 0 after the transfer made the preset current on the device, or
// deleting that preset would leave the device's number pointing at it.
TEST_F(PresetFilesLinkTest, PresetMadeCurrentRightAfterANameWasShownStaysCurrent) {
    struct Case {
        const char* what;
        int preset;
        bool load; // Load the preset after a preset file's name was shown; else Save As it
    };
    const Case cases[] = {{"Save As", 3, false}, {"Load after a file name", 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Idle());
        m_dev.ModifyState([](DeviceState& s) { s.presetNumber = 0; });
        {
            std::lock_guard lock(g_linkLock);
            g_curPresetNo[0] = 0;
        }
        CDialog::SetModalHook([&c](CDialog& dlg) {
            if (auto* entry = dynamic_cast<CSaveDlg*>(&dlg)) {
                entry->m_editName.SetWindowText("Evening");
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            } else if (auto* program = dynamic_cast<CProgramDlg*>(&dlg)) {
                {
                    std::lock_guard lock(g_linkLock);
                    if (c.load) {
                        PresetServices().SetPresetName("Evening.jtsh");
                        program->Load(c.preset);
                    } else {
                        program->SaveAs(c.preset);
                    }
                }
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
        Command(c.load ? ID_LOAD_MACHINE_PRESET : ID_SAVE_MACHINE_PRESET);
        ASSERT_TRUE(Pump([&] { return m_dev.GetState().presetNumber == c.preset && !g_bTransferBusy.load(); },
                         20000));
        ASSERT_TRUE(Idle());
        // The scheduler's first idle poll after the transfer: a pending mark would have gone before it.
        const size_t from = m_dev.GetRequestCount();
        ASSERT_TRUE(Pump([&] { return m_dev.WaitForRequest(IsIdlePoll, 0, from) >= 0; }));
        {
            std::lock_guard lock(g_linkLock);
            EXPECT_EQ(g_curPresetNo[0], c.preset) << "the program agrees with the device";
        }

        m_boxes.clear();
        CDialog::SetModalHook([&c](CDialog& dlg) {
            if (auto* program = dynamic_cast<CProgramDlg*>(&dlg)) {
                program->Delete(c.preset);
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
        Command(ID_DELETE_MACHINE_PRESET);
        ASSERT_TRUE(Pump([&] {
            const DeviceState s = m_dev.GetState();
            return s.stored[c.preset - 1].system.name[0] == 0 && s.presetNumber == 0;
        })) << "the deleted preset is no longer the device's current one";
        EXPECT_EQ(m_boxes.size(), 1u);
    }
}

TEST_F(PresetFilesLinkTest, OutOfRangeFilesAskFirstAndYesSendsDefaultsInTheirPlace) {
    for (const RangeFileKind& kind : kRangeFileKinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(Idle());
        m_answer = Path(kind.name);
        ASSERT_TRUE(WriteRangeFile(kind, m_answer, SpoiltRecords(kind)));
        m_boxes.clear();
        m_yesNo = IDYES;
        Command(kind.all ? ID_LOAD_ALL_PRESETS : ID_LOAD_PC_PRESET);
        ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[5].polarity == kFileMark; }))
            << "the file's records in range reach the device";
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(DataErrorQuestions(), 1u) << "asked once, and the page's own check found nothing left";

        const DeviceState dev = m_dev.GetState();
        ExpectInRange(dev.live, "device live");
        EXPECT_EQ(dev.live.inputs[2].bands[5], DefaultInputRecord(2).bands[5]);
        EXPECT_EQ(dev.live.outputs[3].delay, g_defOutRecords[3].delay);
        if (kind.all) {
            EXPECT_EQ(dev.stored[3].outputs[2].polarity, kFileMark);
            for (int k = 0; k < NUM_STORED_PRESETS; ++k)
                ExpectInRange(dev.stored[k], ("device preset " + std::to_string(k + 1)).c_str());
            EXPECT_EQ(dev.stored[4].outputs[6].mix1[3], g_defOutRecords[6].mix1[3]);
        }
        EXPECT_TRUE(RecordRanges::SourceSet(dev.sourceSet));
        EXPECT_TRUE(RecordRanges::SystemData(dev.systemData));
        EXPECT_TRUE(RecordRanges::SpeakerMap(dev.speakerMap));

        const PresetRecords mine = PresetRecords::FromGlobals();
        ExpectInRange(mine.live, "program live");
        EXPECT_TRUE(RecordRanges::Mic(mine.live.mic));
        for (int k = 0; k < NUM_STORED_PRESETS; ++k)
            if (kind.all)
                ExpectInRange(mine.stored[k], "program preset");
        EXPECT_TRUE(RecordRanges::SourceSet(mine.sourceSet));
        EXPECT_TRUE(RecordRanges::SystemData(mine.systemData));
        EXPECT_TRUE(RecordRanges::SpeakerMap(mine.speakerMap.speakerMap));
        EXPECT_EQ(m_doc->GetOut(3)->GetDelay(), 0) << "the model took the defaults";
    }
}

TEST_F(PresetFilesLinkTest, OutOfRangeFilesAnsweredNoChangeAndSendNothingAndCloseTheProgram) {
    StandInMainWnd main;
    ASSERT_TRUE(main.created);
    m_yesNo = IDNO;
    int closes = 0;
    for (const RangeFileKind& kind : kRangeFileKinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(Idle());
        m_answer = Path(kind.name);
        ASSERT_TRUE(WriteRangeFile(kind, m_answer, SpoiltRecords(kind)));
        const PresetRecords before = PresetRecords::FromGlobals();
        const DeviceState devBefore = m_dev.GetState();
        const int outputDelay = m_doc->GetOut(3)->GetDelay();
        m_boxes.clear();
        Command(kind.all ? ID_LOAD_ALL_PRESETS : ID_LOAD_PC_PRESET);
        EXPECT_EQ(DataErrorQuestions(), 1u);
        ASSERT_TRUE(Pump([&] { return main.closes > closes; })) << "No closes the program";
        closes = main.closes;
        EXPECT_TRUE(WaitLinkIdle());
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(PresetRecords::FromGlobals() == before) << "nothing of the file was committed";
        EXPECT_EQ(m_doc->GetOut(3)->GetDelay(), outputDelay);
        EXPECT_TRUE(SameDeviceData(m_dev.GetState(), devBefore)) << "nothing was sent";
        EXPECT_NE(m_dev.GetState().live.outputs[5].polarity, kFileMark);
    }
}

TEST_F(PresetFilesLinkTest, DeviceReadOutOfRangeAsksBeforeTheModelTakesIt) {
    StandInMainWnd main;
    ASSERT_TRUE(main.created);
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(Idle());
        m_dev.ModifyState([](DeviceState& s) {
            s.live.inputs[1].bands[3].freq = SHORT(0);
            s.live.outputs[2].levelCode = WORD(900);
            s.live.outputs[4].polarity = kFileMark;
        });
        const int level = m_doc->GetOut(2)->GetLevel();
        m_boxes.clear();
        m_yesNo = answer;
        const int closes = main.closes;
        m_view->ReadDevicePreset(0);
        ASSERT_TRUE(Pump([&] { return !m_boxes.empty(); }, 20000));
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(DataErrorQuestions(), 1u);
        if (answer == IDNO) {
            EXPECT_EQ(main.closes, closes + 1);
            EXPECT_EQ(m_doc->GetOut(2)->GetLevel(), level) << "the model never took the read";
            EXPECT_EQ(m_doc->GetOut(4)->GetPolarity(), 0);
            EXPECT_EQ(WORD(m_dev.GetState().live.outputs[2].levelCode), 900) << "nothing was sent";
            continue;
        }
        EXPECT_EQ(main.closes, closes);
        ASSERT_TRUE(
            Pump([&] { return m_dev.GetState().live.outputs[2].levelCode == g_defOutRecords[2].levelCode; },
                 20000))
            << "the device gets the defaults in place of its faulty records";
        ASSERT_TRUE(Idle());
        const DeviceState dev = m_dev.GetState();
        ExpectInRange(dev.live, "device live");
        EXPECT_EQ(dev.live.inputs[1], DefaultInputRecord(1));
        EXPECT_EQ(dev.live.outputs[4].polarity, kFileMark) << "the records in range stay the device's";
        EXPECT_EQ(m_doc->GetOut(2)->GetLevel(), WORD(g_defOutRecords[2].levelCode));
        EXPECT_EQ(m_doc->GetOut(4)->GetPolarity(), kFileMark);
    }
    EXPECT_EQ(DataErrorQuestions(), 1u) << "the page's own check found nothing left";
}

// The system records a connect reads come before its live read: a speaker code out of range
// stays out of the positions and the model until the live read's question; No closes with
// nothing sent, Yes sends the default map in its place.
TEST_F(PresetFilesLinkTest, ConnectReadOfASpeakerCodeOutOfRangeAsksBeforeThePositionsTakeIt) {
    StandInMainWnd main;
    ASSERT_TRUE(main.created);
    constexpr int kOut = 2;
    constexpr BYTE kWild = 40;
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(Idle());
        m_dev.ModifyState([](DeviceState& s) { s.speakerMap[kOut] = kWild; });
        const int code = g_posState[POS_STATE_OUTPUTS + kOut];
        const int position = m_doc->GetOut(kOut)->GetPositionCode();
        ASSERT_NE(code, kWild);
        int codeAsked = -1;
        int positionAsked = -1;
        m_boxes.clear();
        SetMessageBoxAnswer([&](const CString& text, UINT type, int) {
            m_boxes.emplace_back(text.GetString());
            codeAsked = g_posState[POS_STATE_OUTPUTS + kOut];
            positionAsked = m_doc->GetOut(kOut)->GetPositionCode();
            return type == MB_YESNO ? answer : IDOK;
        });
        m_dev.ClearRequests();
        const int closes = main.closes;
        m_view->SendMessage(WM_VERSION_RECEIVED, 0, 0); // the connect's reads
        ASSERT_TRUE(Pump([&] { return !m_boxes.empty(); }, 20000));
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(DataErrorQuestions(), 1u);
        EXPECT_EQ(codeAsked, code) << "the positions never took the device's code";
        EXPECT_EQ(positionAsked, position);
        if (answer == IDNO) {
            EXPECT_EQ(main.closes, closes + 1);
            EXPECT_EQ(g_posState[POS_STATE_OUTPUTS + kOut], code);
            EXPECT_EQ(m_doc->GetOut(kOut)->GetPositionCode(), position);
            EXPECT_FALSE(SystemRecordWritten(CMD_SPEAKER_MAP)) << "nothing was sent";
            EXPECT_EQ(m_dev.GetState().speakerMap[kOut], kWild);
            continue;
        }
        EXPECT_EQ(main.closes, closes);
        SpeakerMapBlock defaults{};
        GetDefaultSystemRecords(nullptr, nullptr, &defaults, nullptr, nullptr, nullptr);
        ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap == defaults.speakerMap; }, 20000))
            << "the device gets the default map in place of its faulty one";
        std::lock_guard lock(g_linkLock);
        EXPECT_EQ(g_speakerMap, defaults.speakerMap);
        EXPECT_EQ(m_doc->GetOut(kOut)->GetPositionCode(), defaults.speakerMap[kOut]);
        EXPECT_EQ(g_posState[POS_STATE_OUTPUTS + kOut], defaults.speakerMap[kOut]);
    }
}

// A source level out of range in the device's state report is never taken: the question comes
// first; No closes the program with nothing sent, Yes sends the default level in its place.
TEST_F(PresetFilesLinkTest, DeviceStateLevelOutOfRangeAsksAndYesSendsTheDefaultLevel) {
    StandInMainWnd main;
    ASSERT_TRUE(main.created);
    constexpr int kType = 3;
    constexpr BYTE kWild = 200;
    SourceSetRecord defaults{};
    GetDefaultSystemRecords(&defaults, nullptr, nullptr, nullptr, nullptr, nullptr);
    auto programLevel = [] {
        std::lock_guard lock(g_linkLock);
        return g_pcSourceSet.sourceLevel[kType];
    };
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(Idle());
        const BYTE before = m_dev.GetState().sourceSet.sourceLevel[kType];
        ASSERT_EQ(programLevel(), before);
        m_boxes.clear();
        m_yesNo = answer;
        m_dev.ClearRequests();
        const int closes = main.closes;
        m_dev.ModifyState([](DeviceState& s) { s.sourceSet.sourceLevel[kType] = kWild; });
        ASSERT_TRUE(Pump([&] { return !m_boxes.empty(); })) << "the report asks";
        if (answer == IDNO) {
            ASSERT_TRUE(Pump([&] { return main.closes > closes; }));
            EXPECT_TRUE(WaitLinkIdle());
            EXPECT_EQ(programLevel(), before) << "the model never took the level";
            EXPECT_FALSE(SystemRecordWritten(CMD_SOURCE_SET)) << "nothing was sent";
            // The program would be gone; here the device is put right so the reports stop asking.
            m_dev.ModifyState([&](DeviceState& s) { s.sourceSet.sourceLevel[kType] = before; });
            ASSERT_TRUE(Idle());
            EXPECT_TRUE(WaitLinkIdle());
            continue;
        }
        ASSERT_TRUE(Pump([&] {
            return m_dev.GetState().sourceSet.sourceLevel[kType] == defaults.sourceLevel[kType];
        })) << "the device gets the default level";
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(WaitLinkIdle());
        EXPECT_EQ(DataErrorQuestions(), 1u);
        EXPECT_EQ(main.closes, closes);
        EXPECT_EQ(programLevel(), defaults.sourceLevel[kType]);
        EXPECT_TRUE(RecordRanges::SourceSet(m_dev.GetState().sourceSet));
    }
}
