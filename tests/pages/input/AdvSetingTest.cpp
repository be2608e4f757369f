// The advanced settings dialog on a real document under a recording host: the WIFI address and
// port with their clamp and Apply, the system and dialog values and what they mark, the mixer
// source menu, the limiter of the selected output with its list marks, the show-all-curves
// option, the WIFI reset, the keyboard order, and its look in both languages.
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/SpeakerPos.h"

#include "pages/input/Adv_Seting.h"
#include "pages/input/MixerSource.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/WinUser.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

class RecordingHost : public CAdvSetingHost {
public:
    std::vector<std::string> calls;
    void SendCommand(int cmd) override { calls.push_back("send " + std::to_string(cmd)); }
    void SetSystemDataDirty(BOOL set) override { calls.push_back("system " + std::to_string(set)); }
    void SetSourceSetDirty(BOOL set) override { calls.push_back("source " + std::to_string(set)); }
    void RefreshInputSourceButton() override { calls.push_back("page button"); }
    void SaveLineSet() override { calls.push_back("line set " + std::to_string(g_bShowAllCurves.load())); }
};

class AdvSetingTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
    }
    void TearDown() override {
        m_dlg.reset();
        m_doc.reset();
        CMenu::SetTrackHook(nullptr);
        r9test::ResetModelGlobals();
    }
    CAdv_Seting& Open() {
        m_dlg = std::make_unique<CAdv_Seting>();
        m_dlg->SetDocument(m_doc.get());
        m_dlg->SetHost(&m_host);
        EXPECT_TRUE(m_dlg->Create(IDD_ADV_SETING));
        m_dlg->ShowWindow(SW_SHOW);
        r9test::Pump();
        return *m_dlg;
    }
    static CString Text(CWnd& w) {
        CString s;
        w.GetWindowText(s);
        return s;
    }
    // Types into a field as a user does (no Enter), then moves the focus away.
    void TypeThenLeave(CEdit& edit, const char* text) {
        edit.SetFocus();
        r9test::Pump();
        edit.SetSel(0, -1);
        r9test::Type(edit.Widget(), QString::fromUtf8(text));
        r9test::Pump();
        m_dlg->SetFocus();
        r9test::Pump();
    }

    RecordingHost m_host;
    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<CAdv_Seting> m_dlg;
};

TEST_F(AdvSetingTest, PortIsClampedWhileTypedAndAppliedWithTheAddress) {
    CAdv_Seting& d = Open();
    EXPECT_STREQ(Text(d.m_editAddress).GetString(), "10.10.100.254");
    EXPECT_STREQ(Text(d.m_editPort).GetString(), "8899");
    EXPECT_FALSE(d.m_btnApply.IsWindowEnabled()) << "nothing differs from the stored address and port";

    d.m_editPort.SetFocus();
    r9test::Pump();
    d.m_editPort.SetSel(0, -1);
    r9test::Type(d.m_editPort.Widget(), "70000");
    r9test::Pump();
    EXPECT_STREQ(Text(d.m_editPort).GetString(), "65535");
    EXPECT_TRUE(d.m_btnApply.IsWindowEnabled());

    TypeThenLeave(d.m_editPort, "");
    d.m_editPort.SetWindowText("");
    d.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_PORT, EN_KILLFOCUS), 0);
    EXPECT_STREQ(Text(d.m_editPort).GetString(), "1");

    // Back to the stored port: nothing to apply.
    TypeThenLeave(d.m_editPort, "8899");
    EXPECT_FALSE(d.m_btnApply.IsWindowEnabled());

    TypeThenLeave(d.m_editAddress, "192.168.4.1");
    EXPECT_TRUE(d.m_btnApply.IsWindowEnabled());
    TypeThenLeave(d.m_editPort, "9000");
    d.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_APPLY, BN_CLICKED), 0);
    EXPECT_STREQ(g_strDevIP.GetString(), "192.168.4.1");
    EXPECT_EQ(g_nNetPort, 9000);
    EXPECT_EQ(d.GetDialogPort(), 9000);
    EXPECT_FALSE(d.m_btnApply.IsWindowEnabled());

    // An address that is not one is refused; the port still applies.
    TypeThenLeave(d.m_editAddress, "192.168.4");
    TypeThenLeave(d.m_editPort, "9001");
    d.OnApply();
    EXPECT_STREQ(g_strDevIP.GetString(), "192.168.4.1");
    EXPECT_STREQ(Text(d.m_editAddress).GetString(), "192.168.4.1");
    EXPECT_EQ(g_nNetPort, 9001);
    EXPECT_TRUE(m_host.calls.empty()) << "the address and port send nothing";
}

TEST_F(AdvSetingTest, SystemAndDialogValuesMarkWhatTheyChange) {
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.advOption2 = 25;
        g_systemData.advancedSwitch = 40;
    }
    CAdv_Seting& d = Open();
    EXPECT_STREQ(Text(d.m_editTime).GetString(), "0.25s");
    EXPECT_EQ(d.m_spinThreshold.GetPos(), 40);

    r9test::TypeInto(d.m_editTime, "0.5");
    EXPECT_EQ(g_systemData.advOption2, 50);
    r9test::TypeInto(d.m_editThreshold, "-80");
    EXPECT_EQ(g_systemData.advancedSwitch, 40);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"system 1"})) << "the same threshold marks nothing";
    d.m_spinThreshold.SetPos(41);
    d.OnThreshold();
    EXPECT_EQ(g_systemData.advancedSwitch, 41);

    m_host.calls.clear();
    d.m_spinLevel.SetPos(100);
    d.OnDialogValue(CAdv_Seting::IDC_LEVEL_SPIN);
    d.m_spinInterval.SetPos(12);
    d.OnDialogValue(CAdv_Seting::IDC_INTERVAL);
    EXPECT_EQ(d.DialogValue(CAdv_Seting::IDC_LEVEL), 100);
    EXPECT_EQ(d.DialogValue(CAdv_Seting::IDC_INTERVAL), 12);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"source 1", "source 1"}));
    // Kept in the dialog only: no record holds them.
    EXPECT_EQ(g_systemData.advOption5, 0);
}

TEST_F(AdvSetingTest, SourceMenuFromTheButtonOrTheComboSendsOnlyAChange) {
    g_inputOptions.CheckForInput(0, 0); // S/PDIF current: S/PDIF itself greyed
    CAdv_Seting& d = Open();
    std::vector<bool> greyed;
    UINT pick = 175;
    CMenu::SetTrackHook([&](CMenu& popup, int, int) -> UINT {
        greyed.clear();
        for (int i = 0; i < popup.GetMenuItemCount(); ++i)
            greyed.push_back((popup.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0);
        return pick;
    });
    r9test::Click(d.m_comboSource.Widget(), d.m_comboSource.Widget()->rect().center());
    r9test::Pump();
    EXPECT_EQ(greyed, (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_EQ(g_inputOptions.choice, 1);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"send 2", "page button"}));
    EXPECT_EQ(d.m_btnSource.LookBitmap(FALSE), 3221u);
    // The same source again: nothing.
    d.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_SOURCE, BN_CLICKED), 0);
    r9test::Pump();
    EXPECT_EQ(m_host.calls.size(), 2u);
}

TEST_F(AdvSetingTest, LimiterOfTheSelectedOutputWithItsLinkedRowsMarked) {
    m_doc->GetOut(3)->SetLimiter(300, 40, 900);
    g_nOutLinkGroup[3] = 2;
    g_nOutLinkGroup[2] = 2;
    g_bLRLinked = 1;
    CAdv_Seting& d = Open();
    EXPECT_EQ(d.GetSelectedOutput(), 0);
    EXPECT_STREQ(d.m_list.GetItemText(0, 0).GetString(), "CH1");
    EXPECT_STREQ(d.m_list.GetItemText(7, 0).GetString(), "CH8");
    EXPECT_STREQ(d.m_list.GetItemText(0, 2).GetString(), "Edit");

    CRect row;
    ASSERT_TRUE(d.m_list.GetItemRect(3, &row, LVIR_BOUNDS));
    r9test::Click(d.m_list.Widget(), QPoint(row.CenterPoint().x, row.CenterPoint().y));
    r9test::Pump();
    EXPECT_EQ(d.GetSelectedOutput(), 3);
    EXPECT_STREQ(d.m_list.GetItemText(0, 2).GetString(), "") << "the previous row's mark is cleared";
    EXPECT_STREQ(d.m_list.GetItemText(3, 2).GetString(), "Edit");
    EXPECT_STREQ(d.m_list.GetItemText(2, 2).GetString(), "Edit");
    EXPECT_STREQ(d.m_list.GetItemText(2, 3).GetString(), "Link");
    COLORREF red = 0;
    ASSERT_TRUE(d.m_list.GetItemBkColor(3, 2, red));
    EXPECT_EQ(red, RGB(255, 0, 0));
    EXPECT_EQ(d.m_spinLimThreshold.GetPos(), 300);
    EXPECT_EQ(d.m_spinLimVoltage.GetPos(), 300);
    EXPECT_EQ(d.m_spinLimAttack.GetPos(), 40);
    EXPECT_EQ(d.m_spinLimRelease.GetPos(), 900);
    EXPECT_EQ(d.m_curve.GetOutput(), m_doc->GetOut(3));

    r9test::TypeInto(d.m_editLimThreshold, "-2.0");
    EXPECT_EQ(m_doc->GetOut(3)->GetLimThreshold(), 280);
    EXPECT_EQ(d.m_spinLimVoltage.GetPos(), 280) << "the voltage field follows";
    EXPECT_EQ(d.m_curve.GetKneeCode(), 280);
    d.m_spinLimAttack.SetPos(60);
    d.OnLimAttack();
    d.m_spinLimRelease.SetPos(1200);
    d.OnLimRelease();
    EXPECT_EQ(m_doc->GetOut(3)->GetLimAttack(), 60);
    EXPECT_EQ(m_doc->GetOut(3)->GetLimRelease(), 1200);

    // Without the L/R link only the row itself is marked.
    g_bLRLinked = 0;
    d.SelectOutput(2);
    EXPECT_STREQ(d.m_list.GetItemText(2, 2).GetString(), "Edit");
    EXPECT_STREQ(d.m_list.GetItemText(3, 2).GetString(), "");
    EXPECT_STREQ(d.m_list.GetItemText(2, 3).GetString(), "") << "no mark of the earlier link is left";
    red = 0;
    d.m_list.GetItemBkColor(3, 2, red);
    EXPECT_NE(red, RGB(255, 0, 0));
}

TEST_F(AdvSetingTest, TheFullerRefreshFollowsTheHoldAndTheMapAndTheNetRefreshOnlyTheAddress) {
    g_nOutLinkGroup[3] = 2;
    g_nOutLinkGroup[2] = 2;
    g_bLRLinked = 1;
    CAdv_Seting& d = Open();
    d.SelectOutput(3);
    ASSERT_STREQ(d.m_list.GetItemText(2, 3).GetString(), "Link");

    // Held input: the level field is enabled and shows system byte 5; the marks go and the
    // position names are written again from the map as it is now.
    for (const BYTE held : {BYTE{1}, BYTE{0}}) {
        {
            std::lock_guard lock(g_linkLock);
            g_systemData.pageSwitch = held;
            g_systemData.advOption5 = 37;
            g_systemData.advOption2 = 12;
        }
        g_posState[POS_STATE_OUTPUTS + 5] = 22;
        d.RefreshAll();
        EXPECT_EQ(d.m_editLevel.IsWindowEnabled() != 0, held != 0);
        EXPECT_EQ(d.m_spinLevel.IsWindowEnabled() != 0, held != 0);
        EXPECT_EQ(d.m_spinLevel.GetPos(), 37);
        EXPECT_EQ(d.DialogValue(CAdv_Seting::IDC_LEVEL), 37);
        EXPECT_EQ(d.m_spinTime.GetPos(), 12) << "the plain refresh runs too";
        for (int row = 0; row < NUM_OUTPUTS; ++row) {
            EXPECT_STREQ(d.m_list.GetItemText(row, 2).GetString(), "") << row;
            EXPECT_STREQ(d.m_list.GetItemText(row, 3).GetString(), "") << row;
        }
        EXPECT_STREQ(d.m_list.GetItemText(5, 1).GetString(), GetSpeakerPosName(22, false));
    }

    // The address refresh takes the stored address and port and nothing else.
    TypeThenLeave(d.m_editAddress, "192.168.4.1");
    ASSERT_TRUE(d.m_btnApply.IsWindowEnabled());
    g_nNetPort = 9100;
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.advOption2 = 77;
    }
    d.RefreshNetAddress();
    EXPECT_STREQ(Text(d.m_editAddress).GetString(), g_strDevIP.GetString());
    EXPECT_STREQ(Text(d.m_editPort).GetString(), "9100");
    EXPECT_EQ(d.GetDialogPort(), 9100);
    EXPECT_FALSE(d.m_btnApply.IsWindowEnabled());
    EXPECT_EQ(d.m_spinTime.GetPos(), 12) << "only the address and port";
}

TEST_F(AdvSetingTest, CurvesOptionAndWifiReset) {
    CAdv_Seting& offline = Open();
    EXPECT_FALSE(offline.m_btnWifiReset.IsWindowEnabled());
    EXPECT_EQ(offline.m_btnAllCurves.GetCheck(), 1);
    offline.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_ALL_CURVES, BN_CLICKED), 0);
    EXPECT_EQ(g_bShowAllCurves.load(), 0);
    EXPECT_EQ(offline.m_btnAllCurves.GetCheck(), 0);
    offline.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_ALL_CURVES, BN_CLICKED), 0);
    EXPECT_EQ(g_bShowAllCurves.load(), 1);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"line set 0", "line set 1"}));
    m_host.calls.clear();
    g_bOnline = 1;
    CAdv_Seting& online = Open();
    EXPECT_TRUE(online.m_btnWifiReset.IsWindowEnabled());
    online.SendMessage(WM_COMMAND, MAKEWPARAM(CAdv_Seting::IDC_WIFI_RESET, BN_CLICKED), 0);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"send " + std::to_string(CMD_WIFI_RESET)}));
}

TEST_F(AdvSetingTest, KeyboardOrderWrapsAndNoKeyClosesTheDialog) {
    CAdv_Seting& d = Open();
    struct Case {
        int from;
        UINT key;
        int to;
    };
    const Case cases[] = {
        {2731, VK_RIGHT, 2791}, {2778, VK_RIGHT, 2731}, {2731, VK_LEFT, 2778},
        {2741, VK_RIGHT, 2759}, {9999, VK_RIGHT, 2791}, {2765, VK_LEFT, 2734},
    };
    for (const Case& c : cases) {
        d.Navigate(c.from, c.key);
        CWnd* focus = CWnd::GetFocus();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->GetDlgCtrlID(), c.to) << c.from;
    }
    // Enter in the threshold field goes to the address, Enter there to the port.
    d.m_editThreshold.SetFocus();
    r9test::Pump();
    r9test::Key(d.m_editThreshold.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &d.m_editAddress);
    r9test::Key(d.m_editAddress.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    r9test::Pump();
    EXPECT_EQ(CWnd::GetFocus(), &d.m_editPort);
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        r9test::Key(d.Widget(), key);
        r9test::Pump();
        EXPECT_TRUE(d.IsWindowVisible());
    }
}

TEST_F(AdvSetingTest, RendersInBothLanguages) {
    m_doc->GetOut(1)->SetLimiter(330, 30, 800);
    g_nOutLinkGroup[1] = 1;
    g_nOutLinkGroup[0] = 1;
    g_bLRLinked = 1;
    for (int chinese = 0; chinese < 2; ++chinese) {
        g_bChinese = chinese;
        ResourceLoader::SetChinese(chinese); // the view keeps the layouts' language with g_bChinese
        CAdv_Seting& d = Open();
        d.SelectOutput(1);
        r9test::Pump();
        const QImage img = r9test::RenderToPng(d.Widget(), chinese ? "adv_setting_zh" : "adv_setting_en");
        EXPECT_EQ(img.width(), 820);
        EXPECT_EQ(img.height(), 560);
    }
    ResourceLoader::SetChinese(FALSE);
}

} // namespace
