// The machine-preset dialog and its name entry: the three actions on the stored presets (what is
// written and what is asked of the device), the name rules, the rows that count, the inputs that
// start each action, Enter and Escape, and the renders of both dialogs in both languages.
#include "grid/GridTypes.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "presets/PresetDialogLayouts.h"
#include "presets/ProgramDlg.h"
#include "presets/SaveDlg.h"
#include "support/PumpMessages.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// Records what the dialog asks of the view.
class FakeHost : public CProgramDlgHost {
public:
    void SendPreset(int preset, BOOL store) override { calls.push_back(Call("SendPreset", preset, store)); }
    void ReadDevicePreset(int preset) override { calls.push_back(Call("ReadDevicePreset", preset)); }
    void SendCommand(int cmd, int preset) override { calls.push_back(Call("SendCommand", cmd, preset)); }
    void SendPresetCleared(int preset) override { calls.push_back(Call("SendPresetCleared", preset)); }
    void ShowPresetNameBoth(int shown) override { calls.push_back(Call("ShowPresetNameBoth", shown)); }
    int ShowPresetMessage(const CString& textEn, const CString& textCn, UINT type) override {
        messages.push_back(std::string(textEn.GetString()) + " | " + textCn.GetString());
        return type == MB_YESNO ? answer : IDOK;
    }
    static std::string Call(const char* name, int a, int b = -1) {
        return std::string(name) + "(" + std::to_string(a) + (b >= 0 ? "," + std::to_string(b) : "") + ")";
    }
    std::vector<std::string> calls;
    std::vector<std::string> messages;
    int answer = IDYES;
};

CString Text(CWnd& wnd) {
    CString s;
    wnd.GetWindowText(s);
    return s;
}

void SetStoredName(int preset, const char* name) {
    std::memset(g_storedPresets[preset - 1].system.name, 0, 16);
    StringToField(g_storedPresets[preset - 1].system.name, 16, name);
}

CString StoredName(int preset) {
    return FieldToString(g_storedPresets[preset - 1].system.name, 16);
}

class ProgramDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        const char* names[] = {"Rock", "Jazz", "Pop", "", "Classic", "Vocal"};
        for (int n = 1; n <= 6; ++n)
            SetStoredName(n, names[n - 1]);
        g_bOnline = 1;
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        if (m_dlg) {
            m_dlg->DestroyWindow();
            m_dlg.reset();
        }
        r9test::ResetModelGlobals();
    }
    CProgramDlg& Open(int mode) {
        m_dlg = std::make_unique<CProgramDlg>(mode, m_host);
        EXPECT_TRUE(m_dlg->Create(IDD_PROGRAM_DLG));
        m_dlg->ShowWindow(SW_SHOW);
        return *m_dlg;
    }
    // The name entry answers with this text (OK), or is cancelled when null.
    void AnswerNameEntry(const char* typed) {
        m_entryPreset = -1;
        m_entryStart.Empty();
        CDialog::SetModalHook([this, typed](CDialog& dlg) {
            auto* entry = dynamic_cast<CSaveDlg*>(&dlg);
            ASSERT_NE(entry, nullptr);
            m_entryPreset = entry->m_nPreset;
            m_entryStart = Text(entry->m_editName);
            if (!typed) {
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                return;
            }
            entry->m_editName.SetWindowText(typed);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    }

public:
    void Notify(int code, int row, int col) {
        GridNotify n{};
        n.hdr.hwndFrom = m_dlg->m_grid.GetSafeHwnd();
        n.hdr.idFrom = CProgramDlg::IDC_GRID;
        n.hdr.code = static_cast<UINT>(code);
        n.iRow = row;
        n.iColumn = col;
        m_dlg->SendMessage(WM_NOTIFY, CProgramDlg::IDC_GRID, reinterpret_cast<LPARAM>(&n));
    }

protected:
    FakeHost m_host;
    std::unique_ptr<CProgramDlg> m_dlg;
    int m_entryPreset = -1;
    CString m_entryStart;
};

} // namespace

TEST_F(ProgramDlgTest, NameRulesRefuseEmptyBlankAndAnotherPresetsName) {
    struct Case {
        int preset;
        const char* name;
        CProgramDlg::NameCheck expected;
    } cases[] = {
        {3, "", CProgramDlg::NameCheck::Empty},       {3, "   ", CProgramDlg::NameCheck::Blank},
        {3, "Classic", CProgramDlg::NameCheck::Used}, // preset 5's name
        {3, "classic", CProgramDlg::NameCheck::Ok},   // bytes compare exactly
        {3, "Pop", CProgramDlg::NameCheck::Ok},       // its own name
        {5, "Rock", CProgramDlg::NameCheck::Used},    {4, "New one", CProgramDlg::NameCheck::Ok},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CProgramDlg::CheckName(c.preset, c.name), c.expected) << c.preset << " " << c.name;
    // Only the first 13 bytes count: names that differ after them are the same name.
    SetStoredName(2, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(CProgramDlg::CheckName(4, "ABCDEFGHIJKLMxy"), CProgramDlg::NameCheck::Used);
    EXPECT_EQ(CProgramDlg::CheckName(4, "ABCDEFGHIJKLx"), CProgramDlg::NameCheck::Ok);
}

TEST_F(ProgramDlgTest, SaveAsWritesTheNameAndStoresTheLiveSettings) {
    CProgramDlg& dlg = Open(CProgramDlg::MODE_SAVE_AS);
    StringToField(g_curImage.system.name, 16, "Custom");
    AnswerNameEntry("Evening");
    dlg.SaveAs(4);
    EXPECT_EQ(m_entryPreset, 4);
    EXPECT_STREQ(m_entryStart, "") << "the entry starts with preset 4's name";
    EXPECT_STREQ(StoredName(4), "Evening");
    EXPECT_STREQ(FieldToString(g_curImage.system.name, 16), "Evening");
    EXPECT_STREQ(dlg.m_grid.GetItemText(4, 1), "Evening");
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"ShowPresetNameBoth(1)", "SendPreset(4,1)"}));
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_TRUE(dlg.IsWindowVisible()) << "the dialog stays open";

    // Its own name again is accepted, and the entry starts with it.
    m_host.calls.clear();
    AnswerNameEntry("Pop");
    dlg.SaveAs(3);
    EXPECT_STREQ(m_entryStart, "Pop");
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"ShowPresetNameBoth(1)", "SendPreset(3,1)"}));
}

TEST_F(ProgramDlgTest, SaveAsRefusalsWriteAndSendNothing) {
    struct Case {
        const char* typed;
        const char* message;
    } cases[] = {
        {"", "The machine preset name can not be empty! | 机器预置场景名不能为空!"},
        {"   ", "The machine preset name can not be all spaces! | 机器预置场景名不能全为空格!"},
        {"Vocal", "Have been the same machine preset name! | 已有相同的机器预置场景名!"},
        {nullptr, nullptr}, // cancelled: no message either
    };
    CProgramDlg& dlg = Open(CProgramDlg::MODE_SAVE_AS);
    StringToField(g_curImage.system.name, 16, "Live");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(cancel)");
        m_host.calls.clear();
        m_host.messages.clear();
        AnswerNameEntry(c.typed);
        dlg.SaveAs(1);
        EXPECT_TRUE(m_host.calls.empty());
        EXPECT_EQ(m_host.messages,
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_STREQ(StoredName(1), "Rock");
        EXPECT_STREQ(FieldToString(g_curImage.system.name, 16), "Live");
    }
}

TEST_F(ProgramDlgTest, LoadCopiesNameAndLockOptionThenAsksTheDevice) {
    CProgramDlg& dlg = Open(CProgramDlg::MODE_LOAD);
    struct Case {
        BYTE storedOption;
        BYTE liveOption;
    } cases[] = {{' ', 0}, {1, 1}, {0, 0}};
    for (const Case& c : cases) {
        m_host.calls.clear();
        LockMarkBlock mark = g_storedPresets[1].outputs[0].GetLockMark();
        mark.lockOption = c.storedOption;
        g_storedPresets[1].outputs[0].SetLockMark(mark);
        dlg.Load(2);
        EXPECT_STREQ(FieldToString(g_curImage.system.name, 16), "Jazz");
        EXPECT_EQ(g_curImage.outputs[0].GetLockMark().lockOption, c.liveOption);
        EXPECT_EQ(g_storedPresets[1].outputs[0].GetLockMark().lockOption, c.liveOption);
        EXPECT_EQ(m_host.calls, (std::vector<std::string>{"ReadDevicePreset(2)"}));
    }
    // Offline nothing changes.
    g_bOnline = 0;
    m_host.calls.clear();
    StringToField(g_curImage.system.name, 16, "Live");
    dlg.Load(1);
    EXPECT_STREQ(FieldToString(g_curImage.system.name, 16), "Live");
    EXPECT_TRUE(m_host.calls.empty());
}

TEST_F(ProgramDlgTest, DeleteEmptiesTheNameAndSendsByWhetherItIsCurrent) {
    struct Case {
        int current;
        int answer;
        int online;
        std::vector<std::string> calls;
        bool deleted;
    } cases[] = {
        {3, IDYES, 1, {"SendPresetCleared(3)"}, true},
        {1, IDYES, 1, {"SendCommand(0,3)"}, true},
        {3, IDNO, 1, {}, false},
        {3, IDYES, 0, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current * 100 + c.answer * 10 + c.online);
        SetStoredName(3, "Pop");
        CProgramDlg& dlg = Open(CProgramDlg::MODE_DELETE);
        m_host.calls.clear();
        m_host.messages.clear();
        m_host.answer = c.answer;
        g_bOnline = c.online;
        g_curPresetNo[0] = static_cast<BYTE>(c.current);
        dlg.Delete(3);
        EXPECT_EQ(m_host.messages,
                  (std::vector<std::string>{"Are you delete No.3 preset? | 是否删除第3组场景?"}));
        EXPECT_EQ(m_host.calls, c.calls);
        const char zero[16] = {};
        EXPECT_EQ(std::memcmp(g_storedPresets[2].system.name, zero, 16) == 0, c.deleted);
        EXPECT_STREQ(dlg.m_grid.GetItemText(3, 1), c.deleted ? "" : "Pop");
        dlg.DestroyWindow();
        m_dlg.reset();
    }
}

TEST_F(ProgramDlgTest, OnlyPresetRowsAreActedOn) {
    CProgramDlg& dlg = Open(CProgramDlg::MODE_DELETE);
    AnswerNameEntry("Never");
    for (int row : {-1, 0, 7, 8}) {
        dlg.SaveAs(row);
        dlg.Load(row);
        dlg.Delete(row);
    }
    EXPECT_EQ(m_entryPreset, -1) << "no name was asked for";
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(ProgramDlgTest, EachInputStartsItsAction) {
    struct Case {
        int mode;
        std::function<void(ProgramDlgTest&, CProgramDlg&)> input;
        std::vector<std::string> calls;
    } cases[] = {
        // Double-click: the mode's action on the clicked row, after the dialog's own message.
        {CProgramDlg::MODE_LOAD,
         [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(NM_DBLCLK, 5, 1); },
         {"ReadDevicePreset(5)"}},
        {CProgramDlg::MODE_DELETE,
         [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(NM_DBLCLK, 6, 0); },
         {"SendCommand(0,6)"}},
        {CProgramDlg::MODE_SAVE_AS,
         [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(NM_DBLCLK, 2, 1); },
         {"ShowPresetNameBoth(1)", "SendPreset(2,1)"}},
        {CProgramDlg::MODE_LOAD, [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(NM_DBLCLK, 0, 1); }, {}},
        // The end-of-edit and delete-key notifications act in every mode.
        {CProgramDlg::MODE_LOAD,
         [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(GRIDN_END_EDIT, 2, 1); },
         {"ShowPresetNameBoth(1)", "SendPreset(2,1)"}},
        {CProgramDlg::MODE_LOAD,
         [](ProgramDlgTest& t, CProgramDlg&) { t.Notify(GRIDN_CELL_CLEARED, 4, 1); },
         {"SendCommand(0,4)"}},
        // The action button works on the focus cell's row (row 1 at opening).
        {CProgramDlg::MODE_LOAD,
         [](ProgramDlgTest&, CProgramDlg& d) {
             d.SendMessage(WM_COMMAND, MAKEWPARAM(CProgramDlg::IDC_ACTION, BN_CLICKED), 0);
         },
         {"ReadDevicePreset(1)"}},
        {CProgramDlg::MODE_DELETE,
         [](ProgramDlgTest&, CProgramDlg& d) {
             d.m_grid.SetFocusCellAt(3, 1);
             d.SendMessage(WM_COMMAND, MAKEWPARAM(CProgramDlg::IDC_ACTION, BN_CLICKED), 0);
         },
         {"SendCommand(0,3)"}},
    };
    for (const Case& c : cases) {
        Open(c.mode);
        m_host.calls.clear();
        AnswerNameEntry("Fresh");
        c.input(*this, *m_dlg);
        r9test::PumpUntil([] { return false; }, 50);
        EXPECT_EQ(m_host.calls, c.calls) << "mode " << c.mode << " call " << (&c - cases);
        m_dlg->DestroyWindow();
        m_dlg.reset();
    }
}

TEST_F(ProgramDlgTest, EnterAndEscapeNeitherActNorClose) {
    CProgramDlg& dlg = Open(CProgramDlg::MODE_LOAD);
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        r9test::Key(dlg.m_btnAction.Widget(), key);
        r9test::Key(dlg.m_grid.Widget(), key);
        r9test::PumpUntil([] { return false; }, 30);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(m_host.calls.empty());
    }
    // Quit closes it.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(ProgramDlgTest, OpensWithTheNamesAndTheTextsOfModeAndLanguage) {
    SetStoredName(2, "  Jazz  ");
    struct Case {
        int chinese;
        int mode;
        const char* caption;
        const char* button;
        const char* png;
    } cases[] = {
        {0, CProgramDlg::MODE_LOAD, "Load Machine Preset", "Load", "program_dlg_load_en"},
        {0, CProgramDlg::MODE_SAVE_AS, "Save As Machine Preset", "Save", "program_dlg_save_as_en"},
        {0, CProgramDlg::MODE_DELETE, "Delete Machine Preset", "Delete", "program_dlg_delete_en"},
        {1, CProgramDlg::MODE_LOAD, "加载 机器预置场景", "加载", "program_dlg_load_zh"},
        {1, CProgramDlg::MODE_SAVE_AS, "另存为 机器预置场景", "保存", "program_dlg_save_as_zh"},
        {1, CProgramDlg::MODE_DELETE, "删除 机器预置场景", "删除", "program_dlg_delete_zh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.png);
        g_bChinese = c.chinese;
        CProgramDlg& dlg = Open(c.mode);
        EXPECT_EQ(g_pProgramDlg, &dlg);
        EXPECT_STREQ(Text(dlg), c.caption);
        EXPECT_STREQ(Text(dlg.m_btnAction), c.button);
        EXPECT_STREQ(Text(dlg.m_btnCancel), c.chinese ? "退出" : "Quit");
        EXPECT_STREQ(dlg.m_grid.GetItemText(0, 0), c.chinese ? "序号" : "No.");
        EXPECT_STREQ(dlg.m_grid.GetItemText(0, 1), c.chinese ? "场景名" : "Preset");
        EXPECT_EQ(dlg.m_grid.GetRowCount(), 7);
        EXPECT_EQ(dlg.m_grid.GetColumnCount(), 2);
        EXPECT_EQ(dlg.m_grid.GetColumnWidth(1), CProgramDlg::kNameWidth);
        EXPECT_STREQ(dlg.m_grid.GetItemText(2, 0), "2");
        EXPECT_STREQ(dlg.m_grid.GetItemText(2, 1), "Jazz") << "trimmed";
        EXPECT_STREQ(dlg.m_grid.GetItemText(4, 1), "");
        EXPECT_EQ(dlg.m_grid.GetFocusCell(), GridCellId(1, 1));
        EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), c.png).isNull());
        dlg.DestroyWindow();
        m_dlg.reset();
        EXPECT_EQ(g_pProgramDlg, nullptr);
    }
}

TEST_F(ProgramDlgTest, NameEntryTextsLimitAndRender) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CSaveDlg dlg(3);
        dlg.m_strName = "Jazz";
        ASSERT_TRUE(dlg.Create(IDD_SAVE_DLG));
        EXPECT_STREQ(Text(dlg), chinese ? "请输入场景名" : "Please enter the preset name");
        EXPECT_STREQ(Text(dlg.m_label), chinese ? "序号:3" : "No.3");
        EXPECT_STREQ(Text(*dlg.GetDlgItem(IDOK)), chinese ? "确定" : "OK");
        EXPECT_STREQ(Text(*dlg.GetDlgItem(IDCANCEL)), chinese ? "取消" : "Cancel");
        EXPECT_STREQ(Text(dlg.m_editName), "Jazz");
        EXPECT_EQ(dlg.m_editName.GetLimitText(), 13u);
        EXPECT_FALSE(dlg.m_editName.IsChineseEnabled());
        dlg.ShowWindow(SW_SHOW);
        EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), chinese ? "save_dlg_zh" : "save_dlg_en").isNull());
        dlg.m_editName.SetWindowText("Late night");
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_STREQ(dlg.m_strName, "Late night");
        dlg.DestroyWindow();
    }
}
