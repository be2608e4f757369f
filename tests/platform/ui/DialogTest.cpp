// Dialogs from layout tables: controls, language, data exchange, modal loop, dialog keys.
#include "platform/ui/Button.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Static.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kDlg = 64500;
constexpr int kName = 1000, kLabel = 1001, kCheck = 1002, kOther = 1003, kHidden = 1004;

const res::DialogItemSpec kItems[] = {
    {kLabel, "Static", 10, 10, 120, 16, WS_VISIBLE | SS_LEFT, 0, "Name:", "名称："},
    {kName, "Edit", 10, 30, 120, 20, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, "", ""},
    {kCheck, "Button", 10, 56, 120, 18, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, "Linked", "联动"},
    {kOther, "Button", 10, 80, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, "Other", "其他"},
    {IDOK, "Button", 80, 110, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "OK", "确定"},
    {IDCANCEL, "Button", 150, 110, 60, 22, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, "Cancel", "取消"},
    {kHidden, "Button", 150, 10, 60, 22, BS_PUSHBUTTON, 0, "Hidden", "隐藏"},
};
const res::DialogSpec kDialogs[] = {
    {kDlg, 220, 140, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Preset", "预设", "Arial", -12,
     kItems},
};

// The member control is subclassed by data exchange, as the pages do it.
class NameDialog : public CDialog {
public:
    explicit NameDialog(CWnd* owner = nullptr) : CDialog(kDlg, owner) {}
    CEdit m_name;
    CString m_text = "first";
    int m_linked = 1;
    int inits = 0;
    std::vector<int> others;
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, kName, m_name);
        DDX_Text(dx, kName, m_text);
        DDX_Check(dx, kCheck, m_linked);
    }
    BOOL OnInitDialog() override {
        ++inits;
        return CDialog::OnInitDialog();
    }
    void OnOther() { others.push_back(1); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(NameDialog, CDialog)
ON_BN_CLICKED(kOther, &NameDialog::OnOther)
END_MESSAGE_MAP()

struct DialogFixture : ::testing::Test {
    void SetUp() override {
        res::RegisterDialogs(kDialogs);
        ResourceLoader::SetChinese(FALSE);
    }
    void TearDown() override {
        CDialog::SetModalHook(nullptr);
        ResourceLoader::SetChinese(FALSE);
    }
};

TEST_F(DialogFixture, ModelessDialogBuildsItsControlsAndExchangesData) {
    NameDialog dlg;
    ASSERT_TRUE(dlg.Create(kDlg));
    EXPECT_EQ(dlg.inits, 1);
    CRect rc;
    dlg.GetClientRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(220, 140));
    ASSERT_NE(dlg.GetDlgItem(kLabel), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(kName), &dlg.m_name); // the member took the item's place
    CRect er;
    dlg.m_name.GetWindowRect(&er);
    dlg.ScreenToClient(&er);
    EXPECT_EQ(er, CRect(10, 30, 130, 50));
    CString text;
    dlg.m_name.GetWindowText(text);
    EXPECT_EQ(text, CString("first"));
    EXPECT_EQ(dlg.IsDlgButtonChecked(kCheck), 1u);
    dlg.GetDlgItemText(kLabel, text);
    EXPECT_EQ(text, CString("Name:"));

    dlg.m_name.SetWindowText("second");
    dlg.CheckDlgButton(kCheck, 0);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_text, CString("second"));
    EXPECT_EQ(dlg.m_linked, 0);

    dlg.ShowWindow(SW_SHOW);
    // A control created without the visible style stays hidden when its dialog shows.
    EXPECT_TRUE(dlg.m_name.IsWindowVisible());
    EXPECT_FALSE(dlg.GetDlgItem(kHidden)->IsWindowVisible());
    r9test::RenderToPng(dlg.Widget(), "platform_ui_dialog_en");
}

TEST_F(DialogFixture, ChineseTextsComeFromTheTable) {
    ResourceLoader::SetChinese(TRUE);
    NameDialog dlg;
    ASSERT_TRUE(dlg.Create(kDlg));
    CString text;
    dlg.GetDlgItemText(IDOK, text);
    EXPECT_EQ(text, CString("确定"));
    dlg.GetWindowText(text);
    EXPECT_EQ(text, CString("预设"));
    dlg.ShowWindow(SW_SHOW);
    r9test::RenderToPng(dlg.Widget(), "platform_ui_dialog_zh");
}

TEST_F(DialogFixture, ModalLoopEndsWithTheButtonsAndKeys) {
    struct Case {
        const char* what;
        std::function<void(CDialog&)> act;
        INT_PTR result;
    } cases[] = {
        {"OK button",
         [](CDialog& d) {
             r9test::Click(d.GetDlgItem(IDOK)->Widget(), {5, 5});
         },
         IDOK},
        {"Cancel button",
         [](CDialog& d) {
             r9test::Click(d.GetDlgItem(IDCANCEL)->Widget(), {5, 5});
         },
         IDCANCEL},
        {"Enter in the edit = default button",
         [](CDialog& d) { r9test::Key(d.GetDlgItem(kName)->Widget(), Qt::Key_Return, Qt::NoModifier, "\r"); },
         IDOK},
        {"Escape",
         [](CDialog& d) {
             r9test::Key(d.GetDlgItem(kName)->Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
         },
         IDCANCEL},
        {"close box", [](CDialog& d) { d.SendMessage(WM_CLOSE); }, IDCANCEL},
        {"EndDialog(7)", [](CDialog& d) { d.EndDialog(7); }, 7},
    };
    for (const Case& c : cases) {
        NameDialog dlg;
        CDialog::SetModalHook(c.act);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.what;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.what;
    }
}

// The owner is disabled while the dialog runs; the dialog itself (a window of the owner's) still
// takes typing and clicks.
TEST_F(DialogFixture, AModalDialogOfAnOwnerTakesInputWhileTheOwnerIsDisabled) {
    r9test::LogWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    bool ownerDisabled = false;
    CString typed;
    CDialog::SetModalHook([&](CDialog& d) {
        ownerDisabled = !owner.Widget()->isEnabled();
        EXPECT_TRUE(d.Widget()->isEnabled());
        CWnd* name = d.GetDlgItem(kName);
        name->SetWindowText("");
        r9test::Type(name->Widget(), "ab");
        name->GetWindowText(typed);
        r9test::Click(d.GetDlgItem(IDOK)->Widget(), {5, 5});
    });
    NameDialog dlg(&owner);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(nullptr);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(typed, CString("ab"));
    EXPECT_TRUE(owner.Widget()->isEnabled());
}

// A dialog's own focus survives the owner being disabled: the field OnInitDialog chose takes the
// typing at once, without a click.
class FocusedNameDialog : public NameDialog {
public:
    using NameDialog::NameDialog;
    BOOL OnInitDialog() override {
        NameDialog::OnInitDialog();
        GotoDlgCtrl(GetDlgItem(kName));
        return FALSE;
    }
};

TEST_F(DialogFixture, AModalDialogKeepsTheFocusItGaveItselfWhenTheOwnerIsDisabled) {
    r9test::LogWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    CWnd* focused = nullptr;
    CString typed;
    CDialog::SetModalHook([&](CDialog& d) {
        focused = CWnd::GetFocus();
        if (QWidget* w = QApplication::focusWidget())
            r9test::Type(w, "ab");
        d.GetDlgItem(kName)->GetWindowText(typed);
        d.EndDialog(IDOK);
    });
    FocusedNameDialog dlg(&owner);
    dlg.m_text = "";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(focused, &dlg.m_name);
    EXPECT_EQ(typed, CString("ab"));
}

// The main window of a program, with one button the tests click and press Space on.
struct MainWindow {
    r9test::LogWnd wnd;
    CButton button;
    static constexpr int kButton = 77;
    MainWindow() {
        EXPECT_TRUE(wnd.CreateTop());
        EXPECT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  CRect(10, 10, 90, 40), &wnd, kButton));
        AfxSetMainWnd(&wnd);
    }
    ~MainWindow() { AfxSetMainWnd(nullptr); }
    // A click and a Space on the button; the clicks that reached the window.
    size_t Poke() {
        r9test::Click(button.Widget(), {5, 5});
        r9test::Key(button.Widget(), Qt::Key_Space, Qt::NoModifier, " ");
        return wnd.Codes(kButton).size();
    }
};

TEST_F(DialogFixture, ADialogWithoutOwnerBlocksTheMainWindowAndHandsTheFocusBack) {
    MainWindow main;
    ASSERT_EQ(main.Poke(), 2u) << "the button works while nothing is up";
    main.wnd.Clear();
    main.button.SetFocus();
    bool mainDisabled = false;
    CDialog::SetModalHook([&](CDialog& d) {
        mainDisabled = !main.wnd.Widget()->isEnabled();
        EXPECT_EQ(main.Poke(), 0u) << "a click and a key on the main window while the dialog runs";
        EXPECT_TRUE(d.Widget()->isEnabled());
        d.EndDialog(IDOK);
    });
    NameDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(main.wnd.Widget()->isEnabled());
    EXPECT_EQ(CWnd::GetFocus(), &main.button) << "the focus is back where it was";
    EXPECT_EQ(main.Poke(), 2u);
}

// A press in the main window whose release never came keeps no capture over the dialog that
// opened meanwhile: the dialog's buttons take their clicks.
TEST_F(DialogFixture, ACaptureLeftInTheBlockedMainWindowEndsWhenTheDialogIsClicked) {
    MainWindow main;
    main.button.SetCapture();
    CDialog::SetModalHook([&](CDialog& d) {
        r9test::Click(d.GetDlgItem(IDOK)->Widget(), {5, 5});
        if (d.IsWindowVisible())
            d.EndDialog(IDCANCEL);
    });
    NameDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(main.wnd.Codes(MainWindow::kButton).empty());
}

// A dialog opened while another runs belongs to that one: neither the main window nor the dialog
// below take input until it ends; ending the lower one while the upper runs takes it off the
// screen at once, and the main window stays blocked until both loops returned.
TEST_F(DialogFixture, StackedDialogsBlockEverythingBelowTheTopOne) {
    MainWindow main;
    NameDialog outer, inner;
    int step = 0;
    bool outerBlocked = false, outerHidden = false, mainStillBlocked = false;
    size_t outerOthers = 0;
    CDialog::SetModalHook([&](CDialog& d) {
        if (&d == &outer && step == 0) {
            ++step;
            EXPECT_EQ(CDialog::InnermostModal(), &outer);
            inner.DoModal();
            // Back in the outer loop once the inner one returned.
            mainStillBlocked = !main.wnd.Widget()->isEnabled();
            return;
        }
        if (&d == &inner) {
            EXPECT_EQ(CDialog::InnermostModal(), &inner);
            // What opens now (a box, a file or print dialog) goes over the top one, never over a
            // window it blocked.
            EXPECT_EQ(CDialog::ModalOwnerFor(nullptr), &inner);
            EXPECT_EQ(CDialog::ModalOwnerFor(&main.button), &inner);
            EXPECT_EQ(CDialog::ModalOwnerFor(&outer), &inner);
            outerBlocked = !outer.Widget()->isEnabled();
            EXPECT_EQ(main.Poke(), 0u);
            r9test::Click(outer.GetDlgItem(kOther)->Widget(), {5, 5});
            outerOthers = outer.others.size();
            // The lower dialog ends by itself (a timed box) while the upper one runs.
            outer.EndDialog(IDCANCEL);
            outerHidden = !outer.Widget()->isVisible();
            d.EndDialog(IDOK);
        }
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(step, 1);
    EXPECT_TRUE(outerBlocked);
    EXPECT_EQ(outerOthers, 0u);
    EXPECT_TRUE(outerHidden);
    EXPECT_TRUE(mainStillBlocked);
    EXPECT_EQ(CDialog::InnermostModal(), nullptr);
    EXPECT_TRUE(main.wnd.Widget()->isEnabled());
    EXPECT_EQ(main.Poke(), 2u);
}

TEST_F(DialogFixture, EnterOnAFocusedPushButtonClicksItAndTabMovesOn) {
    NameDialog dlg;
    ASSERT_TRUE(dlg.Create(kDlg));
    dlg.ShowWindow(SW_SHOW);
    QApplication::setActiveWindow(dlg.Widget());
    CWnd* other = dlg.GetDlgItem(kOther);
    other->SetFocus();
    r9test::Key(other->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(dlg.others.size(), 1u);
    EXPECT_TRUE(dlg.IsWindowVisible()); // not ended

    dlg.m_name.SetFocus();
    r9test::Key(dlg.m_name.Widget(), Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(kCheck));
    r9test::Key(dlg.GetDlgItem(kCheck)->Widget(), Qt::Key_Backtab, Qt::ShiftModifier, "");
    EXPECT_EQ(CWnd::GetFocus(), &dlg.m_name);
}

} // namespace
