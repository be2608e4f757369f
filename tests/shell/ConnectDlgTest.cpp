// The link selection dialog created offscreen with a port list the test gives.
#include "link/ComPortInfo.h"
#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/WinUser.h"
#include "shell/ConnectDlg.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

ComPortInfo Port(const char* port, const char* friendly, bool usb) {
    ComPortInfo p;
    p.port = port;
    p.path = std::string("/dev/") + port;
    p.friendly = friendly;
    p.isUsb = usb;
    p.desc = friendly;
    return p;
}

class TestConnectDlg : public CConnectDlg {
public:
    std::vector<ComPortInfo> ports;
    std::vector<ComPortInfo> ListPorts() override { return ports; }
};

class ConnectDlgTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetLinkGlobals(); }
    void TearDown() override { r9test::ResetLinkGlobals(); }
    CString Selected(TestConnectDlg& dlg) {
        CString s;
        int sel = dlg.m_comboPort.GetCurSel();
        if (sel >= 0)
            dlg.m_comboPort.GetLBText(sel, s);
        return s;
    }
};

} // namespace

TEST_F(ConnectDlgTest, PortChoiceRules) {
    struct Case {
        const char* name;
        std::vector<ComPortInfo> ports;
        const char* saved;
        const char* selected;
        const char* kept;
    } cases[] = {
        {"no port", {}, "ttyS0", "NULL", "NULL"},
        {"saved prefix, any case",
         {Port("ttyS0", "ttyS0", false), Port("ttyUSB0", "USB Serial (ttyUSB0)", true)},
         "usb serial",
         "USB Serial (ttyUSB0)",
         "usb serial"},
        {"saved gone: first USB adapter",
         {Port("ttyS0", "ttyS0", false), Port("ttyUSB1", "CH340 (ttyUSB1)", true)},
         "ttyACM9",
         "CH340 (ttyUSB1)",
         "CH340 (ttyUSB1)"},
        {"no USB adapter: the first",
         {Port("ttyS0", "ttyS0", false), Port("ttyS4", "ttyS4", false)},
         "",
         "ttyS0",
         "ttyS0"},
    };
    for (const Case& c : cases) {
        CString saved = c.saved;
        std::vector<CString> items;
        int sel = -1;
        CConnectDlg::ChoosePort(c.ports, &saved, &items, &sel);
        ASSERT_GE(sel, 0) << c.name;
        EXPECT_STREQ(items[static_cast<size_t>(sel)].GetString(), c.selected) << c.name;
        EXPECT_STREQ(saved.GetString(), c.kept) << c.name;
    }
}

TEST_F(ConnectDlgTest, OpensOnTheCurrentLinkAndFillsThePorts) {
    struct Case {
        int state;
        int radio;
        BOOL portsEnabled;
    } cases[] = {{LINK_USB, 1798, FALSE}, {LINK_NET, 1799, FALSE}, {LINK_COM, 1888, TRUE}};
    for (const Case& c : cases) {
        g_nLinkState = c.state;
        TestConnectDlg dlg;
        dlg.ports = {Port("ttyUSB0", "USB Serial (ttyUSB0)", true)};
        ASSERT_TRUE(dlg.Create(IDD_CONNECT));
        for (int id : {1798, 1799, 1888})
            EXPECT_EQ(dlg.IsDlgButtonChecked(id), id == c.radio ? 1u : 0u) << c.state << " " << id;
        EXPECT_EQ(dlg.m_comboPort.IsWindowEnabled(), c.portsEnabled) << c.state;
        EXPECT_STREQ(Selected(dlg).GetString(), "USB Serial (ttyUSB0)");
        EXPECT_STREQ(dlg.GetComPort().GetString(), "USB Serial (ttyUSB0)");
        if (c.state == LINK_COM) {
            dlg.ShowWindow(SW_SHOW);
            EXPECT_FALSE(r9test::RenderToPng(dlg.Widget(), "connect_dialog").isNull());
        }
        dlg.DestroyWindow();
    }
}

TEST_F(ConnectDlgTest, WithoutPortsTheListSaysNull) {
    g_nLinkState = LINK_NONE;
    TestConnectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONNECT));
    EXPECT_EQ(dlg.m_comboPort.GetCount(), 1);
    EXPECT_STREQ(Selected(dlg).GetString(), "NULL");
    EXPECT_STREQ(dlg.GetComPort().GetString(), "NULL");
    for (int id : {1798, 1799, 1888})
        EXPECT_EQ(dlg.IsDlgButtonChecked(id), 0u);
    dlg.DestroyWindow();
}

TEST_F(ConnectDlgTest, RadiosSwitchThePortListAndOkStoresTheChoice) {
    g_nLinkState = LINK_USB;
    TestConnectDlg dlg;
    dlg.ports = {Port("ttyS0", "ttyS0", false), Port("ttyUSB0", "USB Serial (ttyUSB0)", true)};
    ASSERT_TRUE(dlg.Create(IDD_CONNECT));
    dlg.CheckRadioButton(1798, 1888, 1888);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1888, BN_CLICKED), 0);
    EXPECT_TRUE(dlg.m_comboPort.IsWindowEnabled());
    EXPECT_EQ(dlg.m_nLink, 2);
    dlg.m_comboPort.SetCurSel(0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1896, CBN_SELCHANGE), 0);
    EXPECT_STREQ(dlg.GetComPort().GetString(), "ttyS0");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(g_nLinkState.load(), LINK_COM);
    EXPECT_EQ(g_bSameLinkChosen.load(), 0);
    EXPECT_EQ(dlg.ModalResult(), IDOK);
    dlg.DestroyWindow();

    // The same kind again: the mark says so.
    TestConnectDlg again;
    ASSERT_TRUE(again.Create(IDD_CONNECT));
    again.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(g_nLinkState.load(), LINK_COM);
    EXPECT_EQ(g_bSameLinkChosen.load(), 1);
    again.DestroyWindow();
}

TEST_F(ConnectDlgTest, ChineseTexts) {
    g_bChinese = 1;
    TestConnectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONNECT));
    CString text;
    dlg.GetDlgItemText(1798, text);
    EXPECT_STREQ(text.GetString(), "使用USB连接到设备");
    dlg.GetDlgItemText(IDOK, text);
    EXPECT_STREQ(text.GetString(), "联机");
    dlg.GetWindowText(text);
    EXPECT_STREQ(text.GetString(), "联机");
    dlg.DestroyWindow();
}

// The port list opened in the shown dialog keeps Return and Escape to itself: Return picks the
// highlighted port, Escape closes the list choosing nothing; neither ends the dialog.
TEST_F(ConnectDlgTest, TheOpenPortListTakesReturnAndEscapeNotTheDialog) {
    g_nLinkState = LINK_USB;
    TestConnectDlg dlg;
    dlg.ports = {Port("ttyS0", "ttyS0", false), Port("ttyUSB0", "USB Serial (ttyUSB0)", true),
                 Port("ttyUSB1", "USB Serial (ttyUSB1)", true)};
    ASSERT_TRUE(dlg.Create(IDD_CONNECT));
    dlg.ShowWindow(SW_SHOW);
    dlg.Widget()->activateWindow();
    QApplication::setActiveWindow(dlg.Widget());
    dlg.CheckRadioButton(1798, 1888, 1888);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1888, BN_CLICKED), 0);
    ASSERT_TRUE(dlg.m_comboPort.IsWindowEnabled());
    dlg.m_comboPort.SetCurSel(0);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1896, CBN_SELCHANGE), 0);
    const int result = dlg.ModalResult();
    QWidget* window = dlg.Widget();

    r9test::WindowClick(dlg.m_comboPort.Widget(), QPoint(5, 5));
    r9test::Pump();
    ASSERT_TRUE(dlg.m_comboPort.GetDroppedState());
    r9test::WindowKey(window, Qt::Key_Down);
    r9test::WindowKey(window, Qt::Key_Escape);
    r9test::Pump();
    EXPECT_FALSE(dlg.m_comboPort.GetDroppedState());
    EXPECT_STREQ(dlg.GetComPort().GetString(), "ttyS0");
    EXPECT_EQ(dlg.ModalResult(), result) << "Escape only closed the list";
    EXPECT_TRUE(dlg.IsWindowVisible());

    r9test::WindowClick(dlg.m_comboPort.Widget(), QPoint(5, 5));
    r9test::Pump();
    ASSERT_TRUE(dlg.m_comboPort.GetDroppedState());
    r9test::WindowKey(window, Qt::Key_End);
    r9test::WindowKey(window, Qt::Key_Return, Qt::NoModifier, "\r");
    r9test::Pump();
    EXPECT_FALSE(dlg.m_comboPort.GetDroppedState());
    EXPECT_STREQ(Selected(dlg).GetString(), "USB Serial (ttyUSB1)");
    EXPECT_STREQ(dlg.GetComPort().GetString(), "USB Serial (ttyUSB1)");
    EXPECT_EQ(dlg.ModalResult(), result) << "Return only picked the port";
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
}
