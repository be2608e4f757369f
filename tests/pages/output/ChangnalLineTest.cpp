// The curve toggles beside the graph: each flips its output's comparison flag and look, and asks
// the page for a refresh only when the output is not the current one.
#include "controls/ControlFixture.h"
#include "model/Globals.h"
#include "pages/output/Changnal_Line.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

namespace {

struct FakePage : CChangnal_Line::Page {
    void RefreshPage() override { ++refreshes; }
    void ResetAllOutputEq(BOOL ask) override {
        ++resets;
        lastAsk = ask;
    }
    int refreshes = 0;
    int resets = 0;
    BOOL lastAsk = FALSE;
};

class ChangnalLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        parent = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 1280, 220);
        ASSERT_TRUE(strip.CreateStrip(parent.get()));
        strip.SetOutputDlg(&page);
        ctltest::Pump();
    }
    void TearDown() override {
        strip.DestroyWindow();
        parent.reset();
        r9test::ResetModelGlobals();
    }
    void ClickToggle(int k) {
        CBitButton& b = strip.Toggle(k);
        ctltest::Click(b, CPoint(8, 8));
        ctltest::Pump();
    }

    std::unique_ptr<ctltest::RecordingParent> parent;
    CChangnal_Line strip;
    FakePage page;
};

TEST_F(ChangnalLineTest, StandsBesideTheGraphWithEightTogglesOffAndTheBandCountToggleHidden) {
    CRect rc;
    strip.GetWindowRect(&rc);
    parent->ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(1231, 10, 1269, 200));
    for (int k = 0; k < NUM_OUTPUTS; ++k) {
        EXPECT_EQ(strip.Toggle(k).GetDlgCtrlID(), CChangnal_Line::kFirstToggle + k);
        EXPECT_TRUE(strip.Toggle(k).IsWindowVisible()) << k;
        EXPECT_EQ(strip.Toggle(k).GetCheck(), 0) << k;
    }
    EXPECT_EQ(strip.EqCountToggle().GetDlgCtrlID(), CChangnal_Line::kEqCountToggle);
    EXPECT_FALSE(strip.EqCountToggle().IsWindowVisible());
    EXPECT_FALSE(strip.EqCountToggle().IsWindowEnabled());
}

TEST_F(ChangnalLineTest, ATogglePairsItsFlagWithItsLookAndRefreshesThePageForOtherOutputsOnly) {
    g_nCurOut = 2;
    struct Step {
        int k;
        int flag;
        int refreshes;
    };
    // CH3 is the current output: flag and look only. Others refresh the page each time.
    const Step steps[] = {{2, 1, 0}, {5, 1, 1}, {2, 0, 1}, {5, 0, 2}, {7, 1, 3}};
    for (const Step& s : steps) {
        ClickToggle(s.k);
        EXPECT_EQ(g_outCurveShown[s.k], s.flag) << s.k;
        EXPECT_EQ(strip.Toggle(s.k).GetCheck(), s.flag) << s.k;
        // Every look of an on toggle is its green one (CH1 816 ... CH6 831, CH7 840, CH8 843).
        const UINT green = 816u + 3u * static_cast<UINT>(s.k > 5 ? s.k + 2 : s.k);
        EXPECT_EQ(strip.Toggle(s.k).LookBitmap(FALSE) == green, s.flag == 1) << s.k;
        EXPECT_EQ(page.refreshes, s.refreshes) << s.k;
    }
    // With show-all off the toggles still work; only the graph ignores them.
    g_bShowAllCurves = 0;
    ClickToggle(0);
    EXPECT_EQ(g_outCurveShown[0], 1);
    EXPECT_EQ(page.refreshes, 4);
    EXPECT_EQ(page.resets, 0);
}

TEST_F(ChangnalLineTest, EnterAndEscapeNeverCloseTheStrip) {
    strip.Toggle(0).SetFocus();
    r9test::Key(strip.Toggle(0).Widget(), Qt::Key_Escape);
    r9test::Key(strip.Toggle(0).Widget(), Qt::Key_Return);
    ctltest::Pump();
    EXPECT_TRUE(::IsWindow(strip.GetSafeHwnd()));
    EXPECT_TRUE(strip.IsWindowVisible());
}

TEST_F(ChangnalLineTest, TheHiddenBandCountToggleResetsEveryOutputsEqWithTheQuestion) {
    strip.SendMessage(WM_COMMAND, MAKEWPARAM(CChangnal_Line::kEqCountToggle, BN_CLICKED), 0);
    EXPECT_EQ(page.resets, 1);
    EXPECT_EQ(page.lastAsk, TRUE);
    EXPECT_EQ(strip.EqCountToggle().GetCheck(), 1);
    EXPECT_EQ(page.refreshes, 0);
}

TEST_F(ChangnalLineTest, RendersForLooking) {
    g_nCurOut = 0;
    ClickToggle(1);
    ClickToggle(4);
    ctltest::MoveTo(strip.Toggle(6), CPoint(5, 5));
    const QImage img = ctltest::Render(strip, "curve-toggles");
    // Black strip; the lit toggles carry green, the others none.
    EXPECT_EQ(ctltest::Pixel(img, 1, 3), RGB(0, 0, 0));
    CRect on, off;
    strip.Toggle(1).GetWindowRect(&on);
    strip.ScreenToClient(&on);
    strip.Toggle(2).GetWindowRect(&off);
    strip.ScreenToClient(&off);
    EXPECT_GT(ctltest::CountNear(img, on, RGB(0, 0xC0, 0), 50), 10);
    EXPECT_EQ(ctltest::CountNear(img, off, RGB(0, 0xC0, 0), 50), 0);
}

} // namespace
