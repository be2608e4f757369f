// The output page on a real document: rows per output, band edits through the page's messages
// with their link-group copies, the PEQ/GEQ switch, all-bypass, crossovers and the source level.
#include "OutputPageFixture.h"

#include "model/KTVEQ.h"
#include "res/OutputPageArt.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <utility>

using namespace pagetest;
using namespace outpage;

namespace {

// Outputs 1 and 2 in one link group, output 3 alone; marks on.
void LinkFirstTwo() {
    g_nOutLinkGroup[1] = 0;
    g_bOnline = 1;
}

} // namespace

TEST_F(OutputPageTest, OutputsOneToSixShowThirtyOneRowsAndSevenShowsTenSpreadOut) {
    CBandRows& rows = page->Rows();
    for (int n = 0; n < kBandCount; ++n) {
        EXPECT_TRUE(Shown(rows.Freq(n))) << n;
        EXPECT_EQ(PlaceOf(rows.Gain(n)), BandPlace(n, RowPart::Gain)) << n;
        EXPECT_EQ(PlaceOf(rows.Fader(n)), BandPlace(n, RowPart::Fader)) << n;
    }
    Render("output_page_out1_en");

    page->OnOutputSelect(6);
    EXPECT_EQ(g_nCurOut.load(), 6);
    for (int n = 0; n < kTenBandCount; ++n) {
        CRect want = BandPlace(n, RowPart::Freq);
        want.OffsetRect(75 * n, 0);
        EXPECT_EQ(PlaceOf(rows.Freq(n)), want) << n;
        EXPECT_TRUE(Shown(rows.Bypass(n))) << n;
    }
    for (int n = kTenBandCount; n < kBandCount; ++n) {
        EXPECT_FALSE(Shown(rows.Label(n))) << n;
        EXPECT_FALSE(Shown(rows.Fader(n))) << n;
    }
    EXPECT_EQ(page->Graph().GetOutIndex(), 6);
    Render("output_page_out7_en");

    page->OnOutputSelect(0);
    for (int n = 0; n < kBandCount; ++n) {
        EXPECT_EQ(PlaceOf(rows.Freq(n)), BandPlace(n, RowPart::Freq)) << n;
        EXPECT_TRUE(Shown(rows.Label(n))) << n;
    }
}

TEST_F(OutputPageTest, BandEditsReachTheOutputAndItsLinkGroupOnly) {
    LinkFirstTwo();
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<int(CFilter&)> read;
        int want;
        int selected; // Enter hands the focus on: the band it reached is selected
    };
    CBandRows& rows = page->Rows();
    const Case cases[] = {
        {"gain typed + Enter", [&] { TypeAndEnter(kGainEdit + 5, "3.0"); },
         [](CFilter& f) { return f.GetGainPos(); }, 230, 6},
        {"frequency typed + Enter", [&] { TypeAndEnter(kFreqEdit + 5, "1234"); },
         [](CFilter& f) { return f.GetFreq(); }, 1234, 5},
        {"Q spin stepped", [&] { rows.QSpin(5).Step(+3); }, [](CFilter& f) { return f.GetBandwidthPos(); },
         Band(0, 5)->GetBandwidthPos() + 3, 5},
        {"fader moved",
         [&] {
             rows.Fader(5).SetPos(150);
             page->SendMessage(WM_SLIDER_MOVING, kFader + 5, 0);
         },
         [](CFilter& f) { return f.GetGainPos(); }, 150, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int other = c.read(*Band(2, 5));
        c.act();
        EXPECT_EQ(c.read(*Band(0, 5)), c.want);
        EXPECT_EQ(c.read(*Band(1, 5)), c.want) << "the linked output takes the same value";
        EXPECT_EQ(c.read(*Band(2, 5)), other) << "an output of another group keeps its own";
        EXPECT_TRUE(Band(0, 5)->IsChanged());
        EXPECT_TRUE(Band(1, 5)->IsChanged());
        EXPECT_FALSE(Band(2, 5)->IsChanged());
        EXPECT_EQ(rows.HighlightedLabel(), c.selected);
        EXPECT_EQ(page->Graph().GetSelBand(), c.selected);
    }
    EXPECT_EQ(rows.GainSpin(5).GetPos(), 150) << "the fader's value stands on the spin";
}

TEST_F(OutputPageTest, AnUnchangedValueOnlySelectsTheBand) {
    g_bOnline = 1;
    const int hz = Band(0, 3)->GetFreq();
    Band(0, 3)->AckChange(0);
    Command(kFreqEdit + 3);
    EXPECT_EQ(Band(0, 3)->GetFreq(), hz);
    EXPECT_FALSE(Band(0, 3)->IsChanged()) << "nothing to send";
    EXPECT_EQ(page->Rows().HighlightedLabel(), 3);
    EXPECT_EQ(page->Rows().Label(3).GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(page->Rows().ActiveEdit(), &page->Rows().Freq(3));
    EXPECT_TRUE(page->Rows().Freq(3).GetHighlight());
    EXPECT_EQ(page->Graph().GetSelBand(), 3);
}

TEST_F(OutputPageTest, ZeroGainBypassesAndReleasingBypassRestoresTheGain) {
    LinkFirstTwo();
    CBandRows& rows = page->Rows();
    TypeAndEnter(kGainEdit + 4, "0.0");
    Command(kGainEdit + 4); // the field was 0.0 already after a fresh start: make sure it is read
    TypeAndEnter(kGainEdit + 4, "3.0");
    EXPECT_EQ(Band(0, 4)->GetGainPos(), 230);
    EXPECT_FALSE(rows.Bypass(4).GetCheck());

    Command(kBypass + 4);
    EXPECT_TRUE(Band(0, 4)->IsBypassed());
    EXPECT_TRUE(Band(1, 4)->IsBypassed()) << "bypass goes to the link group";
    EXPECT_TRUE(rows.Bypass(4).GetCheck());
    EXPECT_EQ(Text(rows.Gain(4)), "0.0");
    EXPECT_EQ(rows.Fader(4).GetPos(), 200);

    Command(kBypass + 4);
    EXPECT_FALSE(Band(0, 4)->IsBypassed());
    EXPECT_FALSE(Band(1, 4)->IsBypassed());
    EXPECT_EQ(rows.Fader(4).GetPos(), 230);
    EXPECT_EQ(rows.GainSpin(4).GetPos(), 230);

    TypeAndEnter(kGainEdit + 4, "0.0");
    EXPECT_TRUE(Band(0, 4)->IsBypassed()) << "0 dB bypasses";
    EXPECT_TRUE(rows.Bypass(4).GetCheck());
    Command(kBypass + 4);
    EXPECT_TRUE(Band(0, 4)->IsBypassed()) << "a 0 dB band stays bypassed";
    EXPECT_TRUE(rows.Bypass(4).GetCheck());
}

TEST_F(OutputPageTest, AGraphDragIsTakenOverByTheRowOrTheCrossover) {
    LinkFirstTwo();
    CFilter* f = Band(0, 7);
    f->SetFreq(900, TRUE);
    f->SetGainPos(260);
    page->Graph().m_bButtonUp = 1;
    page->SendMessage(WM_CURVE_BAND_CHANGED, 7, 768);
    EXPECT_EQ(page->Rows().FreqSpin(7).GetPos(), 900);
    EXPECT_EQ(page->Rows().Fader(7).GetPos(), 260);
    EXPECT_EQ(Band(1, 7)->GetFreq(), 900);
    EXPECT_EQ(Band(1, 7)->GetGainPos(), 260);
    EXPECT_EQ(page->Graph().m_bButtonUp, 0) << "the release is acknowledged";
    EXPECT_EQ(page->Rows().HighlightedLabel(), 7);

    Out(0)->GetHPF()->SetFreq(120, TRUE);
    page->SendMessage(WM_CURVE_BAND_CHANGED, 31, 768);
    EXPECT_EQ(page->Xover().Spin(CXoverBlock::HPF).GetPos(), 120);
    EXPECT_EQ(Out(1)->GetHPF()->GetFreq(), 120);
    EXPECT_EQ(page->Rows().HighlightedLabel(), -1);
    EXPECT_EQ(page->Graph().GetSelBand(), 31);
}

TEST_F(OutputPageTest, PeqGeqAsksAndOnYesLaysTheRowsOutForTheMode) {
    CBandRows& rows = page->Rows();
    host.answer = IDNO;
    Command(kPeqGeq);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], g_strPeqToGeq);
    EXPECT_EQ(host.codes[0], -3);
    EXPECT_EQ(Out(0)->GetGEQMode(), 0);
    EXPECT_EQ(host.eqResets, 0);
    EXPECT_TRUE(Shown(rows.Freq(0)));

    host.answer = IDYES;
    host.onReset = [&] { page->LoadBands(); };
    Command(kPeqGeq);
    EXPECT_EQ(Out(0)->GetGEQMode(), 1);
    EXPECT_EQ(host.eqResets, 1);
    EXPECT_TRUE(page->PeqGeqButton().GetCheck());
    for (int n = 0; n < kBandCount; ++n) {
        EXPECT_FALSE(Shown(rows.Freq(n))) << n;
        EXPECT_FALSE(Shown(rows.Q(n))) << n;
        EXPECT_EQ(PlaceOf(rows.Gain(n)), GeqGainPlace(n)) << n;
        EXPECT_EQ(PlaceOf(rows.Fader(n)), GeqFaderPlace(n)) << n;
    }
    EXPECT_TRUE(Shown(page->GeqPicture()));
    Render("output_page_out1_geq_en");

    // A refresh keeps the layout of the shown output's mode; locking hides the rows and the
    // PEQ/GEQ layout never shows a locked row.
    g_bDataLocked = 1;
    page->SetLockedLayout(TRUE);
    host.questions.clear();
    Command(kPeqGeq);
    EXPECT_EQ(Out(0)->GetGEQMode(), 0);
    for (int n = 0; n < kBandCount; ++n)
        EXPECT_FALSE(Shown(rows.Freq(n))) << n;
    Render("output_page_locked_en");
    g_bDataLocked = 0;
    page->SetLockedLayout(FALSE);
    for (int n = 0; n < kBandCount; ++n) {
        EXPECT_TRUE(Shown(rows.Q(n)) || n == 0 || n == 9) << n;
        EXPECT_EQ(PlaceOf(rows.Gain(n)), BandPlace(n, RowPart::Gain)) << n;
    }
}

TEST_F(OutputPageTest, AllBypassAsksBeforeTheDataChangeAndQueuesTheLinkGroup) {
    LinkFirstTwo();
    // Flat bands bypass themselves: a lift on every output keeps them out of the special case.
    for (int o = 0; o < 3; ++o)
        Band(o, 2)->SetGainPos(250);
    const bool before = Band(0, 2)->IsBypassed();
    bool changedDuringQuestion = false;
    host.onQuestion = [&] { changedDuringQuestion = Band(0, 2)->IsBypassed() != before; };
    host.answer = IDNO;
    page->AllBypassButton().SetCheck(0);
    Command(kAllBypass);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], g_strBypassEq);
    EXPECT_FALSE(changedDuringQuestion) << "nothing changes before the answer";
    EXPECT_EQ(Band(0, 2)->IsBypassed(), before);
    EXPECT_FALSE(page->AllBypassButton().GetCheck());
    EXPECT_TRUE(host.sentOutputs.empty());

    host.answer = IDYES;
    Command(kAllBypass);
    EXPECT_FALSE(changedDuringQuestion);
    EXPECT_TRUE(Out(0)->IsAllBandsBypassed());
    EXPECT_TRUE(Out(1)->IsAllBandsBypassed());
    EXPECT_FALSE(Out(2)->IsAllBandsBypassed());
    EXPECT_EQ(host.sentOutputs, (std::vector<int>{0, 1}));
    EXPECT_TRUE(page->AllBypassButton().GetCheck());
    EXPECT_EQ(Text(page->Rows().Gain(2)), "0.0");

    host.sentOutputs.clear();
    Command(kAllBypass);
    EXPECT_EQ(host.questions.back(), g_strRestoreEq);
    EXPECT_FALSE(Band(0, 2)->IsBypassed());
    EXPECT_EQ(page->Rows().Fader(2).GetPos(), 250) << "each band shows its own gain again";
}

TEST_F(OutputPageTest, CrossoverRules) {
    LinkFirstTwo();
    CXoverBlock& x = page->Xover();
    struct Case {
        const char* what;
        int code; // speaker position of output 1
        int hpf, lpf;
        int field; // the field typed into
        const char* text;
        int wantHpf, wantLpf;
    };
    const Case cases[] = {
        {"tweeter floor", 7, 100, 20000, kHpfFreq, "500", 1000, 20000},
        {"floor also on an unchanged value", 1, 500, 20000, kHpfFreq, "500", 1000, 20000},
        {"no floor off the tweeter", 3, 100, 20000, kHpfFreq, "500", 500, 20000},
        {"high-pass held under the low-pass", 0, 100, 5000, kHpfFreq, "8000", 5000, 5000},
        {"low-pass held over the high-pass", 0, 80, 20000, kLpfFreq, "50", 80, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_posState[POS_STATE_OUTPUTS] = static_cast<BYTE>(c.code);
        Out(0)->GetHPF()->SetFreq(c.hpf, FALSE);
        Out(0)->GetLPF()->SetFreq(c.lpf, FALSE);
        page->RefreshPage();
        TypeAndEnter(c.field, c.text);
        Command(c.field);
        EXPECT_EQ(Out(0)->GetHPF()->GetFreq(), c.wantHpf);
        EXPECT_EQ(Out(0)->GetLPF()->GetFreq(), c.wantLpf);
        EXPECT_EQ(x.Spin(CXoverBlock::HPF).GetPos(), c.wantHpf);
        EXPECT_EQ(x.Spin(CXoverBlock::LPF).GetPos(), c.wantLpf);
    }
    EXPECT_EQ(Out(1)->GetLPF()->GetFreq(), 80) << "the link group follows";
    EXPECT_EQ(page->Graph().GetSelBand(), 32);

    // Bessel at 6 dB/Oct becomes Butterworth and the family list shows "NULL" until the slope
    // leaves 6 dB/Oct again.
    x.Family(CXoverBlock::HPF).SetCurSel(1);
    page->SendMessage(WM_COMBO_SELECT, kHpfFamilyNotify, 1);
    EXPECT_EQ(Out(0)->GetHPF()->GetFamily(), 1);
    EXPECT_EQ(Out(1)->GetHPF()->GetFamily(), 1);
    x.Slope(CXoverBlock::HPF).SetCurSel(0);
    page->SendMessage(WM_COMBO_SELECT, kHpfSlopeNotify, 0);
    EXPECT_EQ(Out(0)->GetHPF()->GetSlope(), 0);
    EXPECT_EQ(Out(0)->GetHPF()->GetFamily(), 2);
    EXPECT_FALSE(x.Family(CXoverBlock::HPF).IsWindowEnabled());
    x.Slope(CXoverBlock::HPF).SetCurSel(1);
    page->SendMessage(WM_COMBO_SELECT, kHpfSlopeNotify, 1);
    EXPECT_TRUE(x.Family(CXoverBlock::HPF).IsWindowEnabled());
    EXPECT_EQ(x.Family(CXoverBlock::HPF).GetCurSel(), 2);
    EXPECT_EQ(Out(1)->GetHPF()->GetSlope(), 1);
    EXPECT_EQ(page->Graph().GetSelBand(), 31);
}

TEST_F(OutputPageTest, GeqFadersOutsideThePassBandAreGrey) {
    Out(0)->SetGEQMode(1);
    Out(0)->GetHPF()->SetFreq(100, FALSE);
    Out(0)->GetLPF()->SetFreq(5000, FALSE);
    page->RefreshPage();
    for (int n = 0; n < kBandCount; ++n) {
        const bool outside = g_isoFreq31[n] < 100 || g_isoFreq31[n] > 5000;
        EXPECT_EQ(page->Rows().IsOutsidePassBand(n), outside) << g_isoFreq31[n];
    }
    // Outputs 7 and 8 compare the octave centres their rows stand for.
    Out(6)->SetGEQMode(1);
    Out(6)->GetHPF()->SetFreq(100, FALSE);
    Out(6)->GetLPF()->SetFreq(20000, FALSE);
    page->OnOutputSelect(6);
    for (int n = 0; n < kTenBandCount; ++n)
        EXPECT_EQ(page->Rows().IsOutsidePassBand(n), g_octFreq10[n] < 100) << g_octFreq10[n];
    Render("output_page_out7_geq_en");
}

TEST_F(OutputPageTest, SourceLevelShowsAndStoresTheActiveInputsByte) {
    g_pcSourceSet.inputType = 0;
    g_pcSourceSet.sourceLevel[0] = 60;
    g_systemData.masterOn = 0;
    page->ShowSourceLevel();
    EXPECT_EQ(page->SourceFader().GetPos(), 40);
    EXPECT_EQ(Text(page->SourceEdit()), "0dB");

    page->SourceFader().SetPos(46);
    page->SendMessage(WM_SLIDER_MOVING, kSourceFader, 0);
    EXPECT_EQ(g_pcSourceSet.sourceLevel[0], 66);
    EXPECT_EQ(g_systemData.masterOn, 1) << "a level switches the master on";
    EXPECT_TRUE(page->MasterButton().GetCheck());
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].first, CMD_SOURCE_SET);
    page->SendMessage(WM_SLIDER_MOVED, kSourceFader, 0);
    EXPECT_EQ(host.commands.size(), 1u) << "an unchanged level sends nothing";

    // A device input type beyond the record stores nothing.
    const SourceSetRecord before = g_pcSourceSet;
    g_pcSourceSet.inputType = 9;
    page->ShowSourceLevel();
    page->SourceFader().SetPos(10);
    page->SendMessage(WM_SLIDER_MOVING, kSourceFader, 0);
    for (int t = 0; t < NUM_INPUT_TYPES; ++t)
        EXPECT_EQ(g_pcSourceSet.sourceLevel[t], before.sourceLevel[t]);
}

TEST_F(OutputPageTest, BackgroundFollowsLanguageAndLock) {
    EXPECT_EQ(COutputDlg::BackgroundId(TRUE, FALSE), 287u);
    EXPECT_EQ(COutputDlg::BackgroundId(FALSE, FALSE), 286u);
    EXPECT_EQ(COutputDlg::BackgroundId(TRUE, TRUE), 784u);
    EXPECT_EQ(COutputDlg::BackgroundId(FALSE, TRUE), 785u);
    g_bChinese = 1;
    page->ApplyLanguage();
    EXPECT_EQ(Text(page->Xover().Family(CXoverBlock::HPF)),
              CXoverBlock::FamilyText(Out(0)->GetHPF()->GetFamily(), true));
    Render("output_page_out1_zh");
    page->OnOutputSelect(6);
    Render("output_page_out7_zh");
    g_bChinese = 0;
}

TEST_F(OutputPageTest, CrossoverControlsStayInsideTheirPanelInBothLanguages) {
    // Inside the panel's border lines, and the lists side by side without touching.
    namespace art = res::outpage;
    const CRect inner(art::kCrossoverPanel.x + 3, art::kCrossoverPanel.y + 3,
                      art::kCrossoverPanel.x + art::kCrossoverPanel.width - 3,
                      art::kCrossoverPanel.y + art::kCrossoverPanel.height - 3);
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        page->ApplyLanguage();
        for (int id :
             {kHpfFamily, kHpfSlope, kHpfFreq, kHpfSpin, kLpfFamily, kLpfSlope, kLpfFreq, kLpfSpin}) {
            const CRect rc = PlaceOf(*page->GetDlgItem(id));
            EXPECT_TRUE(inner.PtInRect(rc.TopLeft()) && inner.PtInRect(CPoint(rc.right - 1, rc.bottom - 1)))
                << id << " at " << rc.left << "," << rc.top << " .. " << rc.right << "," << rc.bottom;
        }
        for (auto [left, right] : {std::pair{kHpfFamily, kHpfSlope}, std::pair{kLpfFamily, kLpfSlope}})
            EXPECT_LT(PlaceOf(*page->GetDlgItem(left)).right, PlaceOf(*page->GetDlgItem(right)).left) << left;
        Render(chinese ? "output_page_crossover_zh" : "output_page_crossover_en");
    }
    g_bChinese = 0;
}

TEST_F(OutputPageTest, KeysNeverCloseThePageAndEnterWalksTheBand) {
    CBandRows& rows = page->Rows();
    rows.Freq(2).SetFocus();
    MSG enter{};
    enter.hwnd = rows.Freq(2).GetSafeHwnd();
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_FALSE(page->PreTranslateMessage(&enter)) << "the key goes on to the field";
    ctltest::Pump();
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), &rows.Q(2)) << "Enter on a frequency goes to its Q";
    EXPECT_EQ(rows.HighlightedLabel(), 2);

    MSG escape{};
    escape.hwnd = rows.Q(2).GetSafeHwnd();
    escape.message = WM_KEYDOWN;
    escape.wParam = VK_ESCAPE;
    EXPECT_FALSE(page->PreTranslateMessage(&escape));
    EXPECT_EQ(CWnd::GetFocus(), page.get()) << "Escape only moves the focus to the page";
    EXPECT_TRUE(page->IsWindowVisible());
}

TEST_F(OutputPageTest, LockedDataHideTheTuningControlsAndUnlockingShowsThem) {
    CWnd* graph = &page->Graph();
    g_bDataLocked = 1;
    page->SetLockedLayout(TRUE);
    page->RefreshPage();
    for (int n = 0; n < kBandCount; ++n) {
        EXPECT_FALSE(Shown(page->Rows().Gain(n))) << n;
        EXPECT_FALSE(Shown(page->Rows().Bypass(n))) << n;
    }
    for (int id :
         {kHpfFamily, kLpfFamily, kHpfSlope, kLpfSlope, kHpfFreq, kLpfFreq, kAllBypass, kResetEq, kGraph})
        EXPECT_FALSE(Shown(*page->GetDlgItem(id))) << id;
    EXPECT_FALSE(Shown(*graph));
    EXPECT_TRUE(Shown(page->PeqGeqButton())) << "the PEQ/GEQ button is not part of the lock layout";

    g_bDataLocked = 0;
    page->SetLockedLayout(FALSE);
    for (int id :
         {kHpfFamily, kLpfFamily, kHpfSlope, kLpfSlope, kHpfFreq, kLpfFreq, kAllBypass, kResetEq, kGraph})
        EXPECT_TRUE(Shown(*page->GetDlgItem(id))) << id;
    // Before the map refresh only the icons of the positions 6, 12, 15, 18, 22 and 23 show.
    const std::vector<int> shownIcons = {4608, 4614, 4619, 4620, 4621, 4622};
    for (int k = 0; k < kPositionIconCount; ++k) {
        const int id = kPositionIcon + k;
        const bool want = std::find(shownIcons.begin(), shownIcons.end(), id) != shownIcons.end();
        EXPECT_EQ(Shown(*page->GetDlgItem(id)), want) << id;
    }
    for (int n = 0; n < kBandCount; ++n)
        EXPECT_TRUE(Shown(page->Rows().Gain(n))) << n;
}

TEST_F(OutputPageTest, SubwooferFaderSetsEverySubwooferOutputAndSwitchesItOn) {
    g_bOnline = 1;
    g_posState[POS_STATE_OUTPUTS + 6] = 22;
    g_posState[POS_STATE_OUTPUTS + 7] = 23;
    Out(6)->SetLevel(500);
    Out(7)->SetLevel(450);
    Out(7)->SetEnabled(0);
    g_systemData.masterOn = 0;
    page->RefreshPage();
    EXPECT_EQ(page->GetLowestSubLevel(), 450);
    const int other = Out(0)->GetLevel();
    Command(kSubMode); // the subwoofer fader is shown

    CBitmapSlider& fader = *dynamic_cast<CBitmapSlider*>(page->GetDlgItem(kSubFader));
    fader.SetPos(520);
    page->SendMessage(WM_SLIDER_MOVING, kSubFader, 0);
    EXPECT_EQ(Out(6)->GetLevel(), 520);
    EXPECT_EQ(Out(7)->GetLevel(), 520);
    EXPECT_EQ(Out(7)->GetEnabled(), 1) << "a silent subwoofer is switched on";
    EXPECT_EQ(Out(0)->GetLevel(), other);
    EXPECT_TRUE(page->MasterButton().GetCheck()) << "the on button follows the subwoofers";

    // Without subwoofers the page shows the highest level.
    g_posState[POS_STATE_OUTPUTS + 6] = 0;
    g_posState[POS_STATE_OUTPUTS + 7] = 0;
    EXPECT_EQ(page->GetLowestSubLevel(), -1);
}

TEST_F(OutputPageTest, MasterButtonFlipsTheMasterByte) {
    g_systemData.masterOn = 1;
    page->ShowSourceLevel();
    EXPECT_TRUE(page->MasterButton().GetCheck());
    Command(kMasterOn);
    EXPECT_EQ(g_systemData.masterOn, 0);
    EXPECT_FALSE(page->MasterButton().GetCheck());
    EXPECT_EQ(host.systemDirty, 1);
    EXPECT_EQ(host.inputTypeTimers, 1);
    Command(kMasterOn);
    EXPECT_EQ(g_systemData.masterOn, 1);
}

TEST_F(OutputPageTest, DelayUnitButtonsSwitchEveryStripsDelayField) {
    Out(0)->SetDelay(48);
    page->RefreshStrips();
    const struct {
        int button;
        int unit;
        int type;
    } cases[] = {{kDelayUnitCm, DELAY_UNIT_CM, NUMTYPE_DELAY_CM},
                 {kDelayUnitInch, DELAY_UNIT_INCH, NUMTYPE_DELAY_INCH},
                 {kDelayUnitMs, DELAY_UNIT_MS, NUMTYPE_DELAY_MS}};
    CString shown[3];
    for (const auto& c : cases) {
        Command(c.button);
        EXPECT_EQ(g_nDelayUnit.load(), c.unit);
        for (int u = DELAY_UNIT_MS; u <= DELAY_UNIT_INCH; ++u)
            EXPECT_EQ(page->DelayUnitButton(u).GetCheck(), u == c.unit ? 1 : 0)
                << "only the unit's button is down";
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            EXPECT_EQ(page->GetStrip(i)->m_editDelay.GetType(), c.type) << i;
        shown[c.unit - 1] = Text(page->GetStrip(0)->m_editDelay);
        EXPECT_EQ(Out(0)->GetDelay(), 48) << "a unit only changes how the delay reads";
    }
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    EXPECT_EQ(shown[0], "1.000") << "48 samples read as one millisecond";
}
