// The shell's small dialogs: factory reset, version, boot source, the save and re-map questions,
// and the classes nothing opens (about, warning, splash, caption form).
#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "shell/AboutDlg.h"
#include "shell/CaptionView.h"
#include "shell/DefSourceDlg.h"
#include "shell/InitDlg.h"
#include "shell/ReMap_Dlg.h"
#include "shell/SaveData_Dlg.h"
#include "shell/SplashWnd.h"
#include "shell/TRV410View.h"
#include "shell/VersionDlg.h"
#include "shell/WarnDlg.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

class SmallDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetLinkGlobals(); }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        r9test::ResetLinkGlobals();
    }
};

CString Text(CWnd* w) {
    CString s;
    if (w)
        w->GetWindowText(s);
    return s;
}

using Act = std::function<void(CDialog&)>;
Act ClickButton(int id) {
    return [id](CDialog& d) { r9test::Click(d.GetDlgItem(id)->Widget(), {5, 5}); };
}
const Act kEscape = [](CDialog& d) { r9test::Key(d.Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b"); };
const Act kEnter = [](CDialog& d) { r9test::Key(d.Widget(), Qt::Key_Return, Qt::NoModifier, "\r"); };
const Act kClose = [](CDialog& d) { d.SendMessage(WM_CLOSE); };

INT_PTR RunModal(CDialog& dlg, const Act& act) {
    CDialog::SetModalHook(act);
    return dlg.DoModal();
}

void Render(CDialog& dlg, const char* name) {
    dlg.ShowWindow(SW_SHOW);
    const QString file = QString("%1_%2").arg(name).arg(g_bChinese.load() ? "zh" : "en");
    EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), file).isNull()) << name;
}

} // namespace

TEST_F(SmallDialogsTest, FactoryResetGoesOnOnlyWithOk) {
    struct Case {
        const char* what;
        Act act;
        INT_PTR result;
    } cases[] = {{"OK", ClickButton(IDOK), IDOK},
                 {"Quit", ClickButton(IDCANCEL), IDCANCEL},
                 {"Escape", kEscape, IDCANCEL},
                 {"close box", kClose, IDCANCEL}};
    for (const Case& c : cases) {
        CInitDlg dlg;
        EXPECT_EQ(RunModal(dlg, c.act), c.result) << c.what;
    }
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CInitDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_INIT));
        EXPECT_STREQ(Text(&dlg).GetString(), chinese ? "恢复出厂设置" : "Restore factory settings");
        EXPECT_STREQ(Text(&dlg.m_warning).GetString(), chinese ? "警告!" : "Warning! ");
        EXPECT_EQ(dlg.m_warning.GetTextColor(), RGB(255, 0, 0));
        EXPECT_STREQ(Text(dlg.GetDlgItem(CInitDlg::IDC_TEXT)).GetString(),
                     chinese ? "   该操作将引起设备重启并恢复到出厂时的状态"
                             : "   This operation will restore factory Settings");
        EXPECT_STREQ(Text(dlg.GetDlgItem(IDOK)).GetString(), chinese ? "确定" : "OK");
        EXPECT_STREQ(Text(dlg.GetDlgItem(IDCANCEL)).GetString(), chinese ? "取消" : "Quit");
        Render(dlg, "init_dialog");
    }
}

TEST_F(SmallDialogsTest, DeviceTagIsAtMostElevenBytesUpToANul) {
    struct Case {
        const char* what;
        char field[12];
        const char* tag;
    } cases[] = {
        {"eleven and no NUL at all",
         {'M', 'Q', 'V', 'T', '-', 'K', 'V', '1', '.', '0', '7', 'X'},
         "MQVT-KV1.07"},
        {"shorter, NUL ended, trimmed", " V1.2  \0jun", "V1.2"},
        {"empty", "", ""},
        {"blank", "           ", ""},
        {"stops at the first NUL", "AB\0CDEFGHIJ", "AB"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CVersionDlg::DeviceTag(c.field, sizeof c.field).GetString(), c.tag) << c.what;
    EXPECT_STREQ(CVersionDlg::DeviceTag(nullptr, 12).GetString(), "");
}

TEST_F(SmallDialogsTest, VersionDialogShowsBothTagsAndLeavesUpdateMode) {
    struct Case {
        int deviceType;
        const char* version; // 12 bytes copied
        const char* device;
        const char* software;
    } cases[] = {
        {2, "MQVT-KV1.07Z", "Device version MQVT-KV1.07", "Software version DOZI-DE1.11"},
        {3, "  A1  \0\0\0\0\0\0", "Device version A1", "Software version VORI-RA1.04 (K4plus)"},
        {4, "\0\0\0\0\0\0\0\0\0\0\0\0", "Device version ", "Software version VURI-DO1.01 (R27VQ)"},
        {7, "\0\0\0\0\0\0\0\0\0\0\0\0", "Device version ", "Software version ZUZI-RU1.13 (K3)"},
    };
    for (const Case& c : cases) {
        g_nDeviceType = c.deviceType;
        std::memcpy(g_strDevVersion, c.version, sizeof g_strDevVersion);
        g_bFirmwareMode = 1;
        CVersionDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_VERSION));
        EXPECT_EQ(g_bFirmwareMode.load(), 0);
        EXPECT_STREQ(Text(&dlg.m_device).GetString(), c.device) << c.deviceType;
        EXPECT_STREQ(Text(&dlg.m_software).GetString(), c.software) << c.deviceType;
        dlg.ShowWindow(SW_SHOW);
        EXPECT_FALSE(dlg.GetDlgItem(CVersionDlg::IDC_HELP_BUTTON)->IsWindowVisible());
        EXPECT_FALSE(dlg.m_link.IsWindowVisible());
        if (c.deviceType == 2)
            Render(dlg, "version_dialog");
    }
    g_bChinese = 1;
    g_nDeviceType = 2;
    std::memcpy(g_strDevVersion, "MQVT-KV1.07", 12);
    CVersionDlg zh;
    ASSERT_TRUE(zh.Create(IDD_VERSION));
    EXPECT_STREQ(Text(&zh).GetString(), "关于");
    EXPECT_STREQ(Text(&zh.m_device).GetString(), "设备版本 MQVT-KV1.07");
    EXPECT_STREQ(Text(&zh.m_software).GetString(), "软件版本 DOZI-DE1.11");
    EXPECT_STREQ(Text(zh.GetDlgItem(CVersionDlg::IDC_QUIT)).GetString(), "退出");
    EXPECT_STREQ(Text(&zh.m_maker).GetString(), "车载音频DSP调音软件");
    Render(zh, "version_dialog");

    CVersionDlg quit;
    EXPECT_EQ(RunModal(quit, ClickButton(CVersionDlg::IDC_QUIT)), IDOK);
}

TEST_F(SmallDialogsTest, BootSourceMapsCodesAndItemsBothWays) {
    const int codes[] = {1, 3, 0, 5};
    for (int item = 0; item < 4; ++item) {
        EXPECT_EQ(CDefSourceDlg::CodeForItem(item), codes[item]);
        EXPECT_EQ(CDefSourceDlg::ItemForCode(codes[item]), item);
    }
    for (int code : {2, 4, 6, 255})
        EXPECT_EQ(CDefSourceDlg::ItemForCode(code), -1) << code;
    EXPECT_EQ(CDefSourceDlg::CodeForItem(7), 7);

    struct Case {
        int stored;
        int item;
    } cases[] = {{1, 0}, {3, 1}, {0, 2}, {5, 3}, {2, -1}};
    for (const Case& c : cases) {
        g_bootSource.bootDefault = static_cast<BYTE>(c.stored);
        CDefSourceDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_DEF_SOURCE));
        EXPECT_EQ(dlg.m_list.GetCurSel(), c.item) << c.stored;
    }
}

TEST_F(SmallDialogsTest, BootSourceSendsAtOnceOnlyForANewChoice) {
    CTRV410View view;
    g_pMainView = &view;
    view.m_bLinkOpen = 1;
    g_nLinkState = LINK_USB;
    const auto queued = [&] {
        std::lock_guard lock(g_linkLock);
        return view.m_command.GetQueueCount();
    };
    g_bootSource.bootDefault = 3;
    CDefSourceDlg dlg;
    int duringDialog = -1;
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        // The item already shown: nothing.
        d.SendMessage(WM_COMBO_SELECT, IDC_DEF_SOURCE_DROP, 1);
        EXPECT_EQ(queued(), 0);
        // Another: stored and queued at once, while the dialog is still open.
        d.SendMessage(WM_COMBO_SELECT, IDC_DEF_SOURCE_DROP, 3);
        EXPECT_EQ(g_bootSource.bootDefault, 5);
        duringDialog = queued();
        kEscape(d);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(duringDialog, 1);
    EXPECT_EQ(queued(), 1);
    {
        std::lock_guard lock(g_linkLock);
        const BYTE* f = view.m_command.Queue().GetHeadPacket()->GetData();
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
        EXPECT_EQ(f[LinkFrame::OFS_INDEX], CMD_BOOT_SOURCE);
    }
    view.m_command.ClearQueue();
    view.m_bLinkOpen = 0;
    g_pMainView = nullptr;
}

TEST_F(SmallDialogsTest, BootSourceEndsWithEnterEscapeOrClose) {
    struct Case {
        const char* what;
        Act act;
        INT_PTR result;
    } cases[] = {
        {"Enter", kEnter, IDOK},
        {"Enter on the list button",
         [](CDialog& d) {
             r9test::Key(d.GetDlgItem(CDefSourceDlg::IDC_LIST)->Widget(), Qt::Key_Return, Qt::NoModifier,
                         "\r");
         },
         IDOK},
        {"Escape", kEscape, IDCANCEL},
        {"close box", kClose, IDCANCEL},
    };
    for (const Case& c : cases) {
        CDefSourceDlg dlg;
        EXPECT_EQ(RunModal(dlg, c.act), c.result) << c.what;
    }
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CDefSourceDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_DEF_SOURCE));
        EXPECT_STREQ(Text(&dlg).GetString(), chinese ? "开机默认音源" : "Boot default source");
        EXPECT_EQ(dlg.m_prompt.GetTextColor(), RGB(73, 72, 72));
        Render(dlg, "boot_source_dialog");
    }
}

TEST_F(SmallDialogsTest, SaveAndReMapQuestionsAnswerForEveryEnding) {
    struct Case {
        const char* what;
        Act act;
        int save;
        INT_PTR saveModal;
        int remap;
        INT_PTR remapModal;
    } cases[] = {
        {"OK", ClickButton(IDOK), 6, IDOK, 1, IDOK},
        {"Enter", kEnter, 6, IDOK, 1, IDOK},
        {"middle button", nullptr, 7, IDCANCEL, 2, IDOK},
        {"Cancel", ClickButton(IDCANCEL), 2, IDCANCEL, 0, IDCANCEL},
        {"Escape", kEscape, 2, IDCANCEL, 0, IDCANCEL},
        {"close box", kClose, 2, IDCANCEL, 0, IDCANCEL},
    };
    for (const Case& c : cases) {
        CSaveData_Dlg save;
        EXPECT_EQ(RunModal(save, c.act ? c.act : ClickButton(CSaveData_Dlg::IDC_NO)), c.saveModal) << c.what;
        EXPECT_EQ(save.m_nResult, c.save) << c.what;
        CReMap_Dlg remap;
        EXPECT_EQ(RunModal(remap, c.act ? c.act : ClickButton(CReMap_Dlg::IDC_DEFAULT)), c.remapModal)
            << c.what;
        EXPECT_EQ(remap.m_nResult, c.remap) << c.what;
    }
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CSaveData_Dlg save;
        ASSERT_TRUE(save.Create(IDD_SAVE_DATA));
        EXPECT_STREQ(Text(&save).GetString(), chinese ? "提示" : "Prompting");
        EXPECT_STREQ(Text(save.GetDlgItem(CSaveData_Dlg::IDC_NO)).GetString(), chinese ? "否" : "NO");
        Render(save, "save_question");
        CReMap_Dlg remap;
        ASSERT_TRUE(remap.Create(IDD_REMAP));
        EXPECT_STREQ(Text(remap.GetDlgItem(IDOK)).GetString(), chinese ? "清空" : "Emptied");
        EXPECT_STREQ(Text(remap.GetDlgItem(CReMap_Dlg::IDC_DEFAULT)).GetString(),
                     chinese ? "默认" : "Default");
        Render(remap, "remap_question");
    }
}

TEST_F(SmallDialogsTest, UnreachableDialogsStillWork) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CAboutDlg about;
        ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
        EXPECT_STREQ(Text(&about).GetString(), chinese ? "帮助" : "About");
        EXPECT_STREQ(Text(about.GetDlgItem(CAboutDlg::IDC_VERSION_LINE)).GetString(), "QL-800 Version 1.0");
        Render(about, "about_dialog");
        CWarnDlg warn("The device is busy");
        ASSERT_TRUE(warn.Create(IDD_WARN));
        EXPECT_STREQ(Text(warn.GetDlgItem(CWarnDlg::IDC_MESSAGE)).GetString(), "The device is busy");
        EXPECT_STREQ(Text(warn.GetDlgItem(IDOK)).GetString(), chinese ? "退出" : "Quit");
        Render(warn, "warn_dialog");
    }
    CAboutDlg about;
    EXPECT_EQ(RunModal(about, ClickButton(IDOK)), IDOK);

    // The caption form's buttons send the caption-mode commands to the main window.
    struct MainWnd : CWnd {
        std::vector<UINT> commands;
        BOOL OnCommand(WPARAM wParam, LPARAM) override {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
    } main;
    ASSERT_TRUE(main.CreateEx(0, "", "main", WS_POPUP, CRect(0, 0, 720, 420), nullptr, 0));
    CWnd* oldMain = AfxGetMainWnd();
    AfxSetMainWnd(&main);
    CCaptionView form;
    ASSERT_TRUE(form.Create(&main));
    main.ShowWindow(SW_SHOW);
    EXPECT_FALSE(r9test::RenderToPng(form.Widget(), "caption_form").isNull());
    r9test::Click(form.m_btnMode1.Widget(), {5, 5});
    r9test::Click(form.m_btnMode2.Widget(), {5, 5});
    AfxSetMainWnd(oldMain);
    EXPECT_EQ(main.commands, (std::vector<UINT>{ID_CAPTION_MODE1, ID_CAPTION_MODE2}));
}

TEST_F(SmallDialogsTest, SplashShowsOnlyWhenEnabledAndHidesOnInput) {
    const QString file = r9test::TestOutDir() + "/splash_source.png";
    QImage art(120, 80, QImage::Format_RGB32);
    art.fill(QColor(30, 40, 60));
    ASSERT_TRUE(art.save(file));
    const std::string path = file.toStdString();

    CSplashWnd::EnableSplashScreen(FALSE);
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(500, path.c_str()));
    CSplashWnd::EnableSplashScreen(TRUE);
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(500, ""));
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(500, "/nonexistent/splash.bmp"));
    ASSERT_TRUE(CSplashWnd::ShowSplashScreen(500, path.c_str()));
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    CRect rc;
    CSplashWnd::Current()->GetClientRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(120, 80));
    EXPECT_FALSE(CSplashWnd::ShowSplashScreen(500, path.c_str())); // one at a time

    MSG move{};
    move.message = WM_MOUSEMOVE;
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&move));
    MSG key{};
    key.message = WM_KEYDOWN;
    key.wParam = VK_SPACE;
    EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(&key));
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&key));

    // Its time-out hides it too.
    ASSERT_TRUE(CSplashWnd::ShowSplashScreen(500, path.c_str()));
    CSplashWnd::Current()->OnTimer(TIMER_SPLASH);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    CSplashWnd::EnableSplashScreen(FALSE);
}
