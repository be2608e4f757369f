// The lock's two password prompts and the lock cover, created offscreen and rendered in both
// languages; and the view's lock button and file-data question through the real prompts.
#include "ViewLinkFixture.h"

#include "model/Globals.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/WinUser.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"
#include "shell/LockCoverDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/PasswordDlg.h"
#include "shell/UnlockDlg.h"
#include "presets/SaveDlg.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Only the messages matter to the prompts.
class MessageHost : public CDataLockHost {
public:
    BOOL IsLinkOpen() override { return FALSE; }
    void SendPreset(int, BOOL) override {}
    void SetOutputMixDefaults(int, int, BOOL) override {}
    void ClearOutputLinks() override {}
    void RefreshPages() override {}
    void SetLockButton(BOOL) override {}
    BOOL IsLockButtonPressed() override { return FALSE; }
    UnlockPromptResult RunUnlockPrompt(int, CString*) override { return UnlockPromptResult::Cancel; }
    BOOL RunPasswordPrompt(CString*) override { return FALSE; }
    void ShowMessage(const char* text) override { messages.emplace_back(text); }
    int AskYesNo(const char*) override { return IDNO; }
    std::vector<std::string> messages;
};

CString Text(CWnd& wnd) {
    CString s;
    wnd.GetWindowText(s);
    return s;
}

void Click(CDialog& dlg, int id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class LockDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }
    MessageHost m_host;
};

} // namespace

TEST_F(LockDialogsTest, UnlockPromptTextsFollowModeAndLanguage) {
    struct Case {
        int chinese;
        int mode;
        const char* caption;
        const char* ok;
        const char* second;
        const char* png;
    } cases[] = {
        {0, UNLOCK_PROMPT_NEW, "Prompted", "OK", "Cancel", "unlock_prompt_new_en"},
        {0, UNLOCK_PROMPT_UNLOCK, "Prompted", "Unlock", "reset", "unlock_prompt_unlock_en"},
        {1, UNLOCK_PROMPT_NEW, "提示", "确定", "取消", "unlock_prompt_new_zh"},
        {1, UNLOCK_PROMPT_UNLOCK, "提示", "确定", "清除数据", "unlock_prompt_unlock_zh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.png);
        g_bChinese = c.chinese;
        CUnlockDlg dlg(c.mode, &m_host);
        ASSERT_TRUE(dlg.Create(IDD_UNLOCK));
        EXPECT_STREQ(Text(dlg), c.caption);
        EXPECT_STREQ(Text(dlg.m_label), c.chinese ? "请输入6位数密码:" : "Enter password(6-digit):");
        EXPECT_STREQ(Text(dlg.m_btnOk), c.ok);
        EXPECT_STREQ(Text(dlg.m_btnSecond), c.second);
        EXPECT_EQ(dlg.m_editPassword.GetLimitText(), 6u);
        EXPECT_TRUE(dlg.m_editPassword.GetStyle() & ES_PASSWORD);
        dlg.m_editPassword.SetWindowText("1234");
        dlg.ShowWindow(SW_SHOW);
        EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), c.png).isNull());
        dlg.DestroyWindow();
    }
}

TEST_F(LockDialogsTest, PromptsTakeExactlySixGbkBytes) {
    struct Case {
        const char* typed;
        bool accepted;
    } cases[] = {
        {"12345", false}, {"123456", true},        {"      ", true}, {"ab中文", true},
        {"中文中", true}, {"锁定数据密码", false}, // six characters, twelve bytes: the device field holds six
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_host.messages.clear();
        CUnlockDlg unlock(UNLOCK_PROMPT_NEW, &m_host);
        ASSERT_TRUE(unlock.Create(IDD_UNLOCK));
        unlock.ShowWindow(SW_SHOW);
        unlock.m_editPassword.SetWindowText(c.typed);
        Click(unlock, IDOK);
        CPasswordDlg access(&m_host);
        ASSERT_TRUE(access.Create(IDD_PASSWORD));
        access.ShowWindow(SW_SHOW);
        access.m_editPassword.SetWindowText(c.typed);
        Click(access, IDOK);
        if (c.accepted) {
            EXPECT_TRUE(m_host.messages.empty());
            EXPECT_EQ(unlock.GetResult(), UnlockPromptResult::Ok);
            EXPECT_STREQ(unlock.m_strEntry, c.typed);
            EXPECT_TRUE(access.m_bEntered);
            EXPECT_STREQ(access.m_strEntry, c.typed);
        } else {
            // Each prompt stays open, emptied, with its own wording of the message.
            EXPECT_EQ(m_host.messages,
                      (std::vector<std::string>{
                          "the password length is incorrect! Please enter a 6-digit password!",
                          "The password length is incorrect! Please enter a 6-digit password!"}));
            EXPECT_TRUE(unlock.IsWindowVisible());
            EXPECT_STREQ(Text(unlock.m_editPassword), "");
            EXPECT_FALSE(unlock.m_bEntered);
            EXPECT_TRUE(access.IsWindowVisible());
            EXPECT_STREQ(Text(access.m_editPassword), "");
            EXPECT_FALSE(access.m_bEntered);
        }
        unlock.DestroyWindow();
        access.DestroyWindow();
    }
}

TEST_F(LockDialogsTest, SecondButtonClearsOnlyLockedDataFromTheLockButton) {
    struct Case {
        int locked;
        int fromButton;
        UnlockPromptResult result;
    } cases[] = {
        {1, 1, UnlockPromptResult::Reset},
        {0, 1, UnlockPromptResult::Cancel},
        {1, 0, UnlockPromptResult::Cancel},
    };
    for (const Case& c : cases) {
        g_bDataLocked = c.locked;
        g_bLockPromptFromButton = c.fromButton;
        CUnlockDlg dlg(UNLOCK_PROMPT_UNLOCK, &m_host);
        ASSERT_TRUE(dlg.Create(IDD_UNLOCK));
        dlg.ShowWindow(SW_SHOW);
        Click(dlg, CUnlockDlg::IDC_RESET);
        EXPECT_EQ(dlg.ModalResult(), IDCANCEL);
        EXPECT_EQ(dlg.GetResult(), c.result) << c.locked << c.fromButton;
        EXPECT_FALSE(dlg.IsWindowVisible());
        dlg.DestroyWindow();
    }
}

TEST_F(LockDialogsTest, AccessPromptRendersAndCancels) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CPasswordDlg dlg(&m_host);
        ASSERT_TRUE(dlg.Create(IDD_PASSWORD));
        EXPECT_STREQ(Text(dlg), chinese ? "提示" : "Prompted");
        EXPECT_STREQ(Text(dlg.m_btnOk), chinese ? "确定" : "OK");
        EXPECT_STREQ(Text(dlg.m_btnCancel), chinese ? "取消" : "Cancel");
        EXPECT_STREQ(Text(dlg.m_label), chinese ? "请输入6位数密码:" : "Enter password(6-digit):");
        dlg.ShowWindow(SW_SHOW);
        dlg.m_editPassword.SetWindowText("47");
        EXPECT_FALSE(
            r9test::RenderToPng(dlg.Widget(), chinese ? "access_prompt_zh" : "access_prompt_en").isNull());
        dlg.SendMessage(WM_CLOSE, 0, 0);
        EXPECT_TRUE(dlg.m_bCancelled);
        EXPECT_FALSE(dlg.m_bEntered);
        dlg.DestroyWindow();
    }
}

TEST_F(LockDialogsTest, LockCoverShowsThePictureOfTheLanguage) {
    CWnd tabArea;
    const RECT area{0, 0, 1196, 411};
    ASSERT_TRUE(tabArea.Create(nullptr, "tab area", 0, area, nullptr, 0));
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CLockCoverDlg cover(&tabArea);
        ASSERT_TRUE(cover.Create(IDD_LOCK_COVER, &tabArea));
        CRect rc;
        cover.GetClientRect(&rc);
        EXPECT_EQ(rc.Width(), 1196);
        EXPECT_EQ(rc.Height(), 411);
        EXPECT_FALSE(cover.IsWindowVisible()); // nothing shows it
        cover.ShowWindow(SW_SHOW);
        const QImage img = r9test::RenderToPng(cover.Widget(), chinese ? "lock_cover_zh" : "lock_cover_en");
        ASSERT_FALSE(img.isNull());
        cover.DestroyWindow();
    }
    tabArea.DestroyWindow();
}

// The view's lock button and file-data question run the real prompts.
TEST_F(ViewLinkTest, LockButtonAndDataErrorGoThroughTheRealPrompts) {
    std::vector<std::string> prompts;
    CDialog::SetModalHook([&](CDialog& d) {
        prompts.push_back(std::to_string(d.GetTemplateId()));
        d.SetDlgItemText(CUnlockDlg::IDC_PASSWORD, "135790");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    std::vector<std::string> boxes;
    SetMessageBoxAnswer([&](const CString& text, UINT type, int code) {
        boxes.push_back(std::string(text.GetString()) + "|" + std::to_string(type) + "|" +
                        std::to_string(code));
        return IDYES;
    });
    // A wrong unlock password: the two-second box, and the data stay locked.
    g_bDataLocked = 1;
    g_strLockPassword = "246801";
    m_view->SetLockButton(TRUE);
    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_LOCK_BUTTON, BN_CLICKED), 0);
    EXPECT_EQ(g_bDataLocked.load(), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Password and enter the password to encrypt the file does not match!|0|2000");
    boxes.clear();
    g_bDataLocked = 0;
    m_view->SetLockButton(FALSE);

    m_view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_LOCK_BUTTON, BN_CLICKED), 0);
    EXPECT_EQ(g_bDataLocked.load(), 1);
    EXPECT_STREQ(g_strLockPassword, "135790");
    EXPECT_TRUE(m_view->m_bLockButton);

    for (OutputRecord& out : g_curImage.outputs)
        out.levelCode = static_cast<WORD>(123);
    m_view->SendMessage(WM_DATA_RANGE_ERROR, 0, 0);
    CDialog::SetModalHook(nullptr);
    SetMessageBoxAnswer(nullptr);
    EXPECT_EQ(prompts, (std::vector<std::string>{"777", "777"}));
    EXPECT_EQ(boxes,
              std::vector<std::string>{"File Data Error!\n Click 'Yes', clear the current data. Click on "
                                       "'No' to exit the program!|4|0"});
    EXPECT_EQ(g_bDataLocked.load(), 0);
    EXPECT_FALSE(m_view->m_bLockButton);
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(static_cast<int>(g_curImage.outputs[i].levelCode),
                  static_cast<int>(g_defOutRecords[i].levelCode));
}

// Locked data from the device press the lock button, so its next press asks for the password.
TEST_F(ViewLinkTest, LiveDataShowsTheirLockOnTheLockButton) {
    for (BYTE marker : {static_cast<BYTE>('!'), static_cast<BYTE>(' ')}) {
        // Outputs in range, scrambled as the device sends locked ones.
        for (int j = 0; j < NUM_OUTPUTS; ++j) {
            g_curImage.outputs[j] = g_defOutRecords[j];
            for (int k = 0; k < 288 && marker == '!'; ++k)
                RecordBytes(g_curImage.outputs[j])[k] ^= LOCK_MASK;
        }
        LockMarkBlock mark{};
        mark.marker = marker;
        g_curImage.outputs[0].SetLockMark(mark);
        m_view->OnLiveDataReceived(0, 0);
        EXPECT_EQ(m_view->m_bLockButton, marker == '!' ? TRUE : FALSE);
    }
}

// The entry field of the machine-preset name and of both password prompts has the keyboard when
// the prompt opens over the main view: typed text lands in it without a click.
TEST_F(ViewLinkTest, PromptFieldsTakeTypingAsSoonAsTheyOpen) {
    MessageHost host;
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CDialog>()> make;
        int field;
    } cases[] = {
        {"machine-preset name", [&] { return std::make_unique<CSaveDlg>(3, m_view.get()); },
         CSaveDlg::IDC_NAME},
        {"access code", [&] { return std::make_unique<CPasswordDlg>(&host, m_view.get()); },
         CPasswordDlg::IDC_PASSWORD},
        {"new password", [&] { return std::make_unique<CUnlockDlg>(UNLOCK_PROMPT_NEW, &host, m_view.get()); },
         CUnlockDlg::IDC_PASSWORD},
        {"unlock", [&] { return std::make_unique<CUnlockDlg>(UNLOCK_PROMPT_UNLOCK, &host, m_view.get()); },
         CUnlockDlg::IDC_PASSWORD},
    };
    for (const Case& c : cases) {
        CWnd* focused = nullptr;
        CWnd* field = nullptr;
        CString typed;
        CDialog::SetModalHook([&](CDialog& d) {
            field = d.GetDlgItem(c.field);
            focused = CWnd::GetFocus();
            if (QWidget* w = QApplication::focusWidget())
                r9test::Type(w, "abc123");
            if (field)
                field->GetWindowText(typed);
            d.EndDialog(IDCANCEL);
        });
        std::unique_ptr<CDialog> dlg = c.make();
        dlg->DoModal();
        CDialog::SetModalHook(nullptr);
        ASSERT_NE(field, nullptr) << c.what;
        EXPECT_EQ(focused, field) << c.what;
        EXPECT_STREQ(typed, "abc123") << c.what;
    }
}
