// The transfer progress dialog's state machine, ticked by hand: blinking while a transfer runs,
// hiding after it, the factory-mode bar, what it disables, and the keys that must not close it.
#include "model/Globals.h"
#include "platform/ui/WinUser.h"
#include "shell/DisplayDlg.h"
#include "support/RenderToPng.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

namespace {

class DisplayDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(m_view.CreateEx(0, "", "view", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
        m_view.ShowWindow(SW_SHOW);
        m_dlg = std::make_unique<CDisplayDlg>(&m_view);
        ASSERT_TRUE(m_dlg->CreateHidden());
    }
    void TearDown() override {
        m_dlg.reset();
        CDisplayDlg::SetMachinePresetDialogLookup(nullptr);
        r9test::ResetModelGlobals();
    }
    void Tick() { m_dlg->OnTimer(TIMER_DISPLAY); }
    CString Label() {
        CString s;
        m_dlg->GetLabel().GetWindowText(s);
        return s;
    }
    CString Caption() {
        CString s;
        m_dlg->GetWindowText(s);
        return s;
    }
    // Ticks until the dialog hides; the number of ticks (a limit keeps a broken machine finite).
    int TicksUntilHidden(int limit = 100) {
        for (int n = 1; n <= limit; ++n) {
            Tick();
            if (!m_dlg->IsWindowVisible())
                return n;
        }
        return -1;
    }

    CWnd m_view;
    std::unique_ptr<CDisplayDlg> m_dlg;
};

} // namespace

TEST_F(DisplayDlgTest, NormalTransferBlinksThenHidesAtTheFirstQuietTick) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        g_bTransferBusy = 1;
        EXPECT_FALSE(m_dlg->IsWindowVisible());
        m_dlg->ShowProgress(1);
        EXPECT_TRUE(m_dlg->IsWindowVisible());
        EXPECT_TRUE(m_dlg->GetExStyle() & WS_EX_TOPMOST);
        CRect rc;
        m_dlg->GetWindowRect(&rc);
        EXPECT_EQ(rc.TopLeft(), CPoint(DISPLAY_SCREEN_X, DISPLAY_SCREEN_Y));
        EXPECT_STREQ(Label().GetString(), chinese ? "数据转换中,请勿中断" : "Data transmission");
        EXPECT_STREQ(Caption().GetString(), chinese ? "数据传输" : "Data transmission");
        const int bar = m_dlg->GetBar().GetPos();

        // Each busy tick flips the colour: navy, red, navy ...
        for (int i = 0; i < 4; ++i) {
            Tick();
            EXPECT_EQ(m_dlg->GetLabel().GetTextColor(), i % 2 == 0 ? RGB(0, 0, 128) : RGB(255, 0, 0)) << i;
            EXPECT_TRUE(m_dlg->IsWindowVisible());
        }
        EXPECT_EQ(m_dlg->GetBar().GetPos(), bar);

        g_bTransferBusy = 0;
        Tick();
        EXPECT_FALSE(m_dlg->IsWindowVisible());
        EXPECT_STREQ(Label().GetString(), chinese ? "数据传输结束" : "End of data transmission");
    }
}

TEST_F(DisplayDlgTest, TransferOverBeforeTheFirstTickStillShowsOnce) {
    g_bTransferBusy = 0;
    m_dlg->ShowProgress(1);
    EXPECT_TRUE(m_dlg->IsWindowVisible());
    EXPECT_EQ(TicksUntilHidden(), 1);
}

TEST_F(DisplayDlgTest, FactoryModeCreepsTo108JumpsTo110AndHidesLater) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        g_bTransferBusy = 1;
        m_dlg->SetFactoryMode(TRUE);
        EXPECT_EQ(m_dlg->GetBar().GetRangeMax(), FACTORY_RANGE);
        EXPECT_EQ(m_dlg->GetBar().GetPos(), 0);
        m_dlg->ShowProgress(1);
        EXPECT_STREQ(Label().GetString(), chinese ? "正在恢复出厂设置" : "Load factory defaults");
        EXPECT_STREQ(Caption().GetString(), chinese ? "高级" : "Advanced");
        int highest = 0;
        for (int i = 0; i < 200; ++i) {
            Tick();
            highest = std::max(highest, m_dlg->GetBar().GetPos());
            ASSERT_LE(m_dlg->GetBar().GetPos(), FACTORY_RANGE - 2) << i;
        }
        EXPECT_EQ(highest, FACTORY_RANGE - 2);
        EXPECT_TRUE(m_dlg->IsWindowVisible());

        g_bTransferBusy = 0;
        Tick();
        EXPECT_EQ(m_dlg->GetBar().GetPos(), FACTORY_RANGE);
        EXPECT_EQ(m_dlg->GetCounter(), FACTORY_RANGE);
        // The full bar stays while the counter runs past 120, then the success text and the hide.
        EXPECT_EQ(TicksUntilHidden(), 12);
        EXPECT_GT(m_dlg->GetCounter(), FACTORY_RANGE + 10);
        EXPECT_STREQ(Label().GetString(), chinese ? "恢复出厂设置成功" : "Load factory default success");
        EXPECT_FALSE(m_dlg->IsFactoryMode());
        EXPECT_EQ(m_dlg->GetTarget(), 0);
    }
}

TEST_F(DisplayDlgTest, TargetsDisableAndEnableInPairs) {
    CWnd presetDlg;
    ASSERT_TRUE(presetDlg.CreateEx(0, "", "presets", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    bool presetOpen = false;
    CDisplayDlg::SetMachinePresetDialogLookup([&]() -> CWnd* { return presetOpen ? &presetDlg : nullptr; });
    struct Case {
        const char* what;
        int target;
        BOOL factory;
        bool presetOpen;
        BOOL viewDuring;
        BOOL presetDuring;
    } cases[] = {
        {"target 0 disables the view", 0, FALSE, true, FALSE, TRUE},
        {"target 1 disables the open preset dialog", 1, FALSE, true, TRUE, FALSE},
        {"target 1 without a preset dialog disables nothing", 1, FALSE, false, TRUE, TRUE},
        {"factory mode leaves the preset dialog", 1, TRUE, true, TRUE, TRUE},
        {"factory mode with target 0", 0, TRUE, true, FALSE, TRUE},
    };
    for (const Case& c : cases) {
        presetOpen = c.presetOpen;
        g_bTransferBusy = 1;
        m_dlg->SetFactoryMode(c.factory);
        m_dlg->ShowProgress(c.target);
        Tick();
        EXPECT_EQ(m_view.IsWindowEnabled(), c.viewDuring) << c.what;
        EXPECT_EQ(presetDlg.IsWindowEnabled(), c.presetDuring) << c.what;
        g_bTransferBusy = 0;
        EXPECT_GT(TicksUntilHidden(), 0) << c.what;
        EXPECT_TRUE(m_view.IsWindowEnabled()) << c.what;
        EXPECT_TRUE(presetDlg.IsWindowEnabled()) << c.what;
    }
    // The link closing hides it directly, with the same enabling.
    g_bTransferBusy = 1;
    m_dlg->ShowProgress(0);
    EXPECT_FALSE(m_view.IsWindowEnabled());
    m_dlg->HideProgress();
    EXPECT_TRUE(m_view.IsWindowEnabled());
    EXPECT_FALSE(m_dlg->IsWindowVisible());
}

TEST_F(DisplayDlgTest, EnterEscapeAndCloseAreIgnored) {
    g_bTransferBusy = 1;
    m_dlg->ShowProgress(1);
    r9test::Key(m_dlg->Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    r9test::Key(m_dlg->Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    r9test::Key(m_dlg->GetBar().Widget(), Qt::Key_Escape, Qt::NoModifier, "\x1b");
    m_dlg->SendMessage(WM_CLOSE);
    m_dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    r9test::Pump();
    EXPECT_TRUE(m_dlg->IsWindowVisible());
    EXPECT_NE(m_dlg->GetSafeHwnd(), nullptr);
    g_bTransferBusy = 0;
    EXPECT_EQ(TicksUntilHidden(), 1);
}

TEST_F(DisplayDlgTest, Render) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        g_bTransferBusy = 1;
        m_dlg->SetFactoryMode(FALSE);
        m_dlg->GetBar().SetRange(0, 100);
        m_dlg->GetBar().SetPos(40);
        m_dlg->ShowProgress(1);
        Tick();
        EXPECT_FALSE(
            r9test::RenderToPng(m_dlg->Widget(), QString("display_transfer_%1").arg(chinese ? "zh" : "en"))
                .isNull());
        m_dlg->HideProgress();
        m_dlg->SetFactoryMode(TRUE);
        m_dlg->ShowProgress(1);
        for (int i = 0; i < 60; ++i)
            Tick();
        EXPECT_FALSE(
            r9test::RenderToPng(m_dlg->Widget(), QString("display_factory_%1").arg(chinese ? "zh" : "en"))
                .isNull());
        m_dlg->HideProgress();
    }
}
