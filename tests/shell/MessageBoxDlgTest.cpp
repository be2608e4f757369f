// The program's message box: caption and time-out by code, buttons by type, the result of every
// way a box ends, the test answer, and the auto-closing box of the hidden window.
#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "shell/MessageBoxDlg.h"
#include "shell/MsgBox.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        SetMessageBoxAnswer(nullptr);
        r9test::ResetModelGlobals();
    }
};

CRect ChildRect(CWnd& dlg, int id) {
    CRect rc;
    dlg.GetDlgItem(id)->GetWindowRect(&rc);
    dlg.ScreenToClient(&rc);
    return rc;
}

CString Text(CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return s;
}

} // namespace

TEST_F(MessageBoxTest, CodeGivesCaptionAndTimeOut) {
    struct Case {
        int code;
        int chinese;
        const char* caption;
        UINT timeout;
    } cases[] = {
        {0, 0, "given", 0},
        {0, 1, "given", 0},
        {2000, 0, "Prompting", 2000},
        {2000, 1, "提示", 2000},
        {2001, 0, "Warning", 2001},
        {2001, 1, "警告", 2001},
        {-2, 0, "提示", 0},
        {-3, 1, "Prompting", 0},
        {-4, 0, "警告", 0},
        {-5, 1, "Warning", 0},
        {1, 0, "given", 1},
        {61446, 1, "given", 61446},
        {INT_MAX, 0, "given", static_cast<UINT>(INT_MAX)},
        {-1, 0, "given", 0},
        {-6, 1, "given", 0},
        {INT_MIN, 0, "given", 0},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        EXPECT_STREQ(CMessageBoxDlg::CaptionForCode(c.code, "given").GetString(), c.caption) << c.code;
        EXPECT_EQ(CMessageBoxDlg::TimeoutForCode(c.code), c.timeout) << c.code;
        // The box shows the same caption.
        CMessageBoxDlg box("text", MB_OK, "given", c.code);
        ASSERT_TRUE(box.Create(IDD_MESSAGE_BOX));
        EXPECT_STREQ(Text(box).GetString(), c.caption) << c.code;
    }
}

// Every type ended every way, through the real modal loop.
TEST_F(MessageBoxTest, TypeAndEndingGiveTheResult) {
    using Act = std::function<void(CMessageBoxDlg&)>;
    const Act okButton = [](CMessageBoxDlg& d) { r9test::Click(d.GetDlgItem(IDOK)->Widget(), {5, 5}); };
    const Act cancelButton = [](CMessageBoxDlg& d) {
        r9test::Click(d.GetDlgItem(IDCANCEL)->Widget(), {5, 5});
    };
    const Act escape = [](CMessageBoxDlg& d) {
        r9test::Key(d.Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    };
    const Act enter = [](CMessageBoxDlg& d) {
        r9test::Key(d.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    };
    const Act close = [](CMessageBoxDlg& d) { d.SendMessage(WM_CLOSE); };
    const Act timeout = [](CMessageBoxDlg& d) { d.OnTimer(TIMER_MESSAGE_BOX); };
    struct Ending {
        const char* name;
        Act act;
    } endings[] = {{"OK", okButton}, {"Cancel", cancelButton}, {"Escape", escape},
                   {"Enter", enter}, {"close", close},         {"time-out", timeout}};
    struct Row {
        UINT type;
        int results[6]; // in the order of endings
    } rows[] = {
        {MB_OK, {IDOK, IDOK, IDOK, IDOK, IDOK, IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL, IDCANCEL, IDOK, IDCANCEL, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO, IDNO, IDYES, IDNO, IDNO}},
        // The OK button is hidden; pressed anyway (or by Enter) it is a Quit.
        {MB_QUIT_ONLY, {IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL}},
        // The framework's own boxes with an icon: the pressed button.
        {MB_ICONEXCLAMATION | MB_OKCANCEL, {IDOK, IDCANCEL, IDCANCEL, IDOK, IDCANCEL, IDOK}},
    };
    for (const Row& row : rows) {
        for (size_t e = 0; e < std::size(endings); ++e) {
            CMessageBoxDlg box("question", row.type, g_strProduct, 5000);
            bool ran = false;
            CDialog::SetModalHook([&](CDialog& d) {
                ran = true;
                endings[e].act(static_cast<CMessageBoxDlg&>(d));
            });
            EXPECT_EQ(box.Show(), row.results[e]) << row.type << " " << endings[e].name;
            EXPECT_TRUE(ran);
            EXPECT_EQ(box.m_hWnd, nullptr);
        }
    }
}

TEST_F(MessageBoxTest, ButtonsCaptionsAndTheOneButtonCentring) {
    struct Case {
        UINT type;
        int chinese;
        const char* ok; // null: hidden
        const char* cancel;
    } cases[] = {
        {MB_OK, 0, "OK", nullptr},
        {MB_OK, 1, "确定", nullptr},
        {MB_OKCANCEL, 0, "OK", "Cancel"},
        {MB_OKCANCEL, 1, "确定", "取消"},
        {MB_YESNO, 0, "YES", "NO"},
        {MB_YESNO, 1, "是", "否"},
        {MB_QUIT_ONLY, 0, nullptr, "Quit"},
        {MB_QUIT_ONLY, 1, nullptr, "退出"},
        {MB_ICONQUESTION | MB_YESNO, 1, "OK", "Cancel"},
    };
    // Where the template puts the buttons.
    CMessageBoxDlg plain("x", MB_OKCANCEL, "", 0);
    ASSERT_TRUE(plain.Create(IDD_MESSAGE_BOX));
    const CRect okAt = ChildRect(plain, IDOK), cancelAt = ChildRect(plain, IDCANCEL);
    CRect client;
    plain.GetClientRect(&client);
    plain.DestroyWindow();

    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CMessageBoxDlg box("A line of text", c.type, "", 0);
        ASSERT_TRUE(box.Create(IDD_MESSAGE_BOX));
        box.ShowWindow(SW_SHOW);
        CWnd* ok = box.GetDlgItem(IDOK);
        CWnd* cancel = box.GetDlgItem(IDCANCEL);
        EXPECT_EQ(ok->IsWindowVisible(), c.ok != nullptr) << c.type;
        EXPECT_EQ(cancel->IsWindowVisible(), c.cancel != nullptr) << c.type;
        if (c.ok) {
            EXPECT_STREQ(Text(*ok).GetString(), c.ok) << c.type;
        }
        if (c.cancel) {
            EXPECT_STREQ(Text(*cancel).GetString(), c.cancel) << c.type;
        }
        const CRect o = ChildRect(box, IDOK), k = ChildRect(box, IDCANCEL);
        if (c.ok && c.cancel) {
            EXPECT_EQ(o, okAt) << c.type;
            EXPECT_EQ(k, cancelAt) << c.type;
        } else {
            const CRect& shown = c.ok ? o : k;
            const CRect& from = c.ok ? okAt : cancelAt;
            EXPECT_EQ(shown.left, (client.Width() - from.Width()) / 2) << c.type;
            EXPECT_EQ(shown.top, from.top) << c.type;
            EXPECT_EQ(shown.Size(), from.Size()) << c.type;
        }
        EXPECT_STREQ(Text(*box.GetDlgItem(CMessageBoxDlg::IDC_TEXT)).GetString(), "A line of text");
    }
}

TEST_F(MessageBoxTest, ShowMessageBoxAndTheTimedFormRunTheBox) {
    // The timed form ignores owner, caption and language: the code gives the caption.
    g_bChinese = 1;
    CString caption;
    CDialog::SetModalHook([&](CDialog& d) {
        d.GetWindowText(caption);
        static_cast<CMessageBoxDlg&>(d).OnTimer(TIMER_MESSAGE_BOX);
    });
    EXPECT_EQ(ShowTimedMessageBox(nullptr, "已保存", "Some caption", MB_OK, 0, 2000), IDOK);
    EXPECT_STREQ(caption.GetString(), "提示");
    EXPECT_EQ(ShowTimedMessageBox(nullptr, "Delete?", "Some caption", MB_YESNO, 1, -3), IDNO);
    EXPECT_STREQ(caption.GetString(), "Prompting");
    EXPECT_EQ(ShowMessageBox("Plain", MB_OKCANCEL, 0), IDCANCEL);
    EXPECT_STREQ(caption.GetString(), g_strProduct);

    // The parent-only form takes the product name as caption.
    CMessageBoxDlg later(nullptr);
    later.SetMessage("from a page", MB_YESNO, -1);
    ASSERT_TRUE(later.Create(IDD_MESSAGE_BOX));
    EXPECT_STREQ(Text(later).GetString(), g_strProduct);
    EXPECT_STREQ(Text(*later.GetDlgItem(IDOK)).GetString(), "是");
}

TEST_F(MessageBoxTest, TestAnswerStandsInForEveryBox) {
    struct Call {
        std::string text;
        UINT type;
        int code;
    };
    std::vector<Call> calls;
    SetMessageBoxAnswer([&](const CString& text, UINT type, int code) {
        calls.push_back({text.GetString(), type, code});
        return IDYES;
    });
    CDialog::SetModalHook([](CDialog&) { ADD_FAILURE() << "a box was shown"; });
    EXPECT_EQ(ShowMessageBox("one", MB_YESNO, -2), IDYES);
    EXPECT_EQ(ShowTimedMessageBox(nullptr, "two", "ignored", MB_OK, 1, 2001), IDYES);
    CMsgBox msg;
    ASSERT_TRUE(msg.Create(nullptr));
    EXPECT_EQ(msg.ShowAutoClose("three"), IDYES);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, "one");
    EXPECT_EQ(calls[0].type, MB_YESNO);
    EXPECT_EQ(calls[0].code, -2);
    EXPECT_EQ(calls[1].text, "two");
    EXPECT_EQ(calls[1].code, 2001);
    EXPECT_EQ(calls[2].text, "three");
    EXPECT_EQ(calls[2].type, MB_OK);
    EXPECT_EQ(calls[2].code, 0);
}

TEST_F(MessageBoxTest, AutoClosingBoxEndsItselfWithItsDefault) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "", "parent", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CMsgBox msg;
    ASSERT_TRUE(msg.Create(&parent));
    ASSERT_TRUE(msg.Create(&parent)); // once only
    EXPECT_EQ(msg.GetDlgCtrlID(), static_cast<int>(IDC_MSGBOX_WINDOW));
    EXPECT_STREQ(Text(msg).GetString(), "{62BAB41D-B6BB-402C-89EF-5B86830DF68C}");
    EXPECT_FALSE(msg.IsWindowVisible());
    EXPECT_EQ(msg.GetParent(), &parent);

    // The one-second tick ends the box it opened, whichever window has the focus.
    CString shown;
    CDialog::SetModalHook([&](CDialog& d) {
        d.GetDlgItem(CMessageBoxDlg::IDC_TEXT)->GetWindowText(shown);
        EXPECT_EQ(msg.GetOpenBox(), &d);
        parent.SetFocus();
        msg.OnTimer(TIMER_MSGBOX_CLOSE);
    });
    EXPECT_EQ(msg.ShowAutoClose("Saved"), IDOK);
    EXPECT_STREQ(shown.GetString(), "Saved");
    EXPECT_EQ(msg.GetOpenBox(), nullptr);
    // A late tick with no box open does nothing.
    msg.OnTimer(TIMER_MSGBOX_CLOSE);
}

TEST_F(MessageBoxTest, RenderEveryType) {
    const char* texts[2] = {"Connection failure!\nCheck the cable.",
                            "连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!"};
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        for (UINT type : {MB_OK, MB_OKCANCEL, MB_YESNO, MB_QUIT_ONLY}) {
            // The help file's box has one short line.
            const char* text = type == MB_QUIT_ONLY ? (chinese ? "没有发现帮助文件!" : "Not find help file!")
                                                    : texts[chinese];
            CMessageBoxDlg box(text, type, g_strProduct, type == MB_OK ? 2000 : -2 - chinese);
            ASSERT_TRUE(box.Create(IDD_MESSAGE_BOX));
            box.ShowWindow(SW_SHOW);
            const QString name = QString("message_box_type%1_%2").arg(type).arg(chinese ? "zh" : "en");
            EXPECT_FALSE(r9test::RenderToPng(box.Widget(), name).isNull());
        }
    }
}
