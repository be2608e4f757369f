// The input page through its window: the input choice with what goes to the view and the level
// page, the input hold, the dropped device states, and the EQ of the current input.
#include "InputPageFixture.h"
#include "link/LinkMessages.h"
#include "pages/input/InputNoise.h"
#include "pages/output/OutputDlg.h"
#include "wire/LinkFrame.h"

namespace inputtest {
namespace {

using Log = std::vector<std::string>;
const std::string kSendSource = "Send(" + std::to_string(CMD_SOURCE_SET) + ",0)";
const std::string kSendSystem = "Send(" + std::to_string(CMD_SYSTEM_DATA) + ",0)";

TEST_F(InputPageTest, PageButtonOfTheCurrentInputSendsNothingTheBarSendsAgain) {
    Command(inpage::kInputButton + 3);
    EXPECT_EQ(host.log, Log{kSendSource});
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(g_pcSourceSet.inputType, 3);
    EXPECT_EQ(page->InputButton(3).GetCheck(), 1);
    Command(inpage::kInputButton + 3);
    EXPECT_EQ(host.log, Log{kSendSource});
    // The bar's connector of the current input sends it once more (through a posted choice).
    page->Bar().SendMessage(WM_COMMAND, MAKEWPARAM(inpage::kBarAux1, BN_CLICKED), 0);
    ctltest::Pump();
    EXPECT_EQ(host.log, (Log{kSendSource, kSendSource}));
    EXPECT_EQ(page->Bar().Button(inpage::kBarAux1)->GetCheck(), 1);
    // The level page heard of every choice with the hold byte and the input before it.
    const auto notes = level->Of(WM_CUR_INPUT_CHANGED);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].lParam, 0);
    EXPECT_EQ(notes[1].lParam, 3);
    EXPECT_EQ(notes[2].lParam, 3);
}

TEST_F(InputPageTest, AuxModeFoldsTheInputAndHidesItsButtons) {
    Command(inpage::kInputButton + 5);
    host.log.clear();
    Command(inpage::kAuxMode + 1);
    EXPECT_EQ(g_nInputGroup, 1);
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(host.log, Log{kSendSource});
    EXPECT_EQ(g_pcSourceSet.inputType, 3);
    EXPECT_FALSE(Shown(page->InputButton(5)));
    EXPECT_EQ(page->AuxButton(1).GetCheck(), 1);
    EXPECT_EQ(page->AuxButton(0).GetCheck(), 0);
    EXPECT_TRUE(Shown(*page->Bar().Button(inpage::kBarAux1Four)));
    EXPECT_FALSE(Shown(*page->Bar().Button(inpage::kBarAux1)));
    EXPECT_EQ(page->Bar().Button(inpage::kBarAux1Four)->GetCheck(), 1);
    Command(inpage::kAuxMode + 0);
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_TRUE(Shown(page->InputButton(5)));
    EXPECT_EQ(page->Bar().Button(inpage::kBarAux1)->GetCheck(), 1);
    // Mode 2 with AUX2 current (only data make it so): the six-channel connector is lit.
    Command(inpage::kAuxMode + 2);
    EXPECT_FALSE(Shown(page->InputButton(4)));
    page->SendMessage(WM_SET_CUR_INPUT, 0, 4);
    EXPECT_EQ(g_nCurInput.load(), 4);
    EXPECT_EQ(page->Bar().Button(inpage::kBarAux1Six)->GetCheck(), 1);
}

TEST_F(InputPageTest, ChoiceClearsTheHoldBeforeTheSourceAndEnablesTheEq) {
    g_systemData.pageSwitch = 1;
    page->ApplyInputHold();
    EXPECT_FALSE(page->BypassAllButton().IsWindowEnabled());
    EXPECT_FALSE(page->FreqEdit(0).IsEditable());
    EXPECT_FALSE(page->Slider(3).IsSliderEnabled());
    Command(inpage::kInputButton + 1);
    EXPECT_EQ(host.log, (Log{kSendSystem, kSendSource}));
    EXPECT_EQ(g_systemData.pageSwitch, 0);
    EXPECT_TRUE(page->BypassAllButton().IsWindowEnabled());
    EXPECT_TRUE(page->FreqEdit(0).IsEditable());
    EXPECT_TRUE(page->Slider(3).IsSliderEnabled());
}

TEST_F(InputPageTest, StaleDeviceStatesAreDroppedOtherMessagesStillArrive) {
    constexpr UINT kOther = WM_USER + 0x150;
    view->PostMessage(WM_DEVICE_STATE, 0, 5);
    view->PostMessage(kOther, 1, 2);
    Command(inpage::kInputButton + 4);
    // Nothing of the view ran inside the choice.
    EXPECT_TRUE(view->Of(kOther).empty());
    ctltest::Pump();
    EXPECT_TRUE(view->Of(WM_DEVICE_STATE).empty());
    EXPECT_EQ(view->Of(kOther).size(), 1u);
    // A state reported after the choice is not touched.
    view->PostMessage(WM_DEVICE_STATE, 0, 5);
    ctltest::Pump();
    EXPECT_EQ(view->Of(WM_DEVICE_STATE).size(), 1u);
}

TEST_F(InputPageTest, LevelPageChoiceIsFollowedWithoutASend) {
    Command(inpage::kInputButton + 3);
    host.log.clear();
    // The level page made input 4 current and cleared a hold it saw as 1.
    g_nCurInput = 4;
    g_pcSourceSet.inputType = 4;
    page->SendMessage(WM_CUR_INPUT_CHANGED, 1, 3);
    EXPECT_EQ(page->InputButton(3).GetCheck(), 0);
    EXPECT_EQ(page->InputButton(4).GetCheck(), 1);
    EXPECT_EQ(page->CurrentInput(), In(4));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(InputPageTest, MixerSourceFromTheMenuIsSentOnceAndFallsBackOnAModeChange) {
    Command(inpage::kInputButton + 3);
    host.log.clear();
    // Menu item 175 is Hi.Level: offered for AUX1 in mode 0.
    page->SendMessage(WM_COMMAND, MAKEWPARAM(175, 0), 0);
    EXPECT_EQ(g_inputOptions.choice, 1);
    EXPECT_EQ(host.log, Log{kSendSource});
    page->SendMessage(WM_COMMAND, MAKEWPARAM(175, 0), 0);
    EXPECT_EQ(host.log, Log{kSendSource});
    // Mode 2 offers AUX1 no Hi.Level source: it falls back to OFF; only the input is sent.
    host.log.clear();
    Command(inpage::kAuxMode + 2);
    EXPECT_EQ(g_inputOptions.choice, InputOptionTable::CHOICE_OFF);
    EXPECT_EQ(host.log, Log{kSendSource});
}

class InputEqTest : public InputPageTest {
protected:
    void SetUp() override {
        InputPageTest::SetUp();
        In(0)->SetGEQMode(0);
        page->RefreshChannel();
    }
};

TEST_F(InputEqTest, TypedGainOfZeroBypassesTheBandAnyOtherGainRestoresIt) {
    TypeAndEnter(inpage::kGainEdit + 2, "3.0");
    CFilter* f = In(0)->GetBand(2);
    EXPECT_EQ(f->GetGainPos(), 230);
    EXPECT_FALSE(f->IsBypassed());
    EXPECT_EQ(page->Lamp(2).GetCheck(), 0);
    TypeAndEnter(inpage::kGainEdit + 2, "0.0");
    EXPECT_TRUE(f->IsBypassed());
    EXPECT_EQ(page->Lamp(2).GetCheck(), 1);
    // Enter walked on to the next column (its label marked); the gain edit keeps its highlight.
    EXPECT_EQ(page->ActiveEdit(), &page->GainEdit(2));
    EXPECT_EQ(page->MarkedLabel(), 3);
}

TEST_F(InputEqTest, BypassAllAsksAndNoLeavesTheBandsAsTheyWere) {
    for (int n = 0; n < 3; ++n)
        In(0)->GetBand(n)->SetGainPos(240);
    page->RefreshChannel();
    host.answer = IDNO;
    Command(inpage::kBypassAll);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Whether ByPass All EQ?");
    EXPECT_EQ(host.codes[0], -3);
    EXPECT_FALSE(In(0)->GetBand(1)->IsBypassed());
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(page->BypassAllButton().GetCheck(), 0);

    host.answer = IDYES;
    Command(inpage::kBypassAll);
    EXPECT_TRUE(In(0)->GetBand(1)->IsBypassed());
    EXPECT_EQ(page->Lamp(1).GetCheck(), 1);
    EXPECT_EQ(host.log, Log{"Channel(0)"});
    EXPECT_EQ(page->BypassAllButton().GetCheck(), 1);

    Command(inpage::kBypassAll);
    EXPECT_EQ(host.questions.back(), "Whether Restore All EQ?");
    EXPECT_FALSE(In(0)->GetBand(1)->IsBypassed());
    EXPECT_EQ(page->GainSpin(1).GetPos(), 240);
}

TEST_F(InputEqTest, BypassAllOnFlatBandsStaysBypassedWithoutAQuestion) {
    // Every band sits at 0 dB: a restore cannot un-bypass any.
    ASSERT_EQ(page->BypassAllButton().GetCheck(), 1);
    Command(inpage::kBypassAll);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(page->BypassAllButton().GetCheck(), 1);
    EXPECT_TRUE(In(0)->IsAllBandsBypassed());
}

TEST_F(InputEqTest, EqModeSwitchAndResetAskWithTheirTexts) {
    host.answer = IDNO;
    Command(inpage::kPeqGeq);
    EXPECT_EQ(host.questions.back(), "Whether the PEQ Mode convert to GEQ Mode?");
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(Shown(page->FreqEdit(0)));

    host.answer = IDYES;
    Command(inpage::kPeqGeq);
    EXPECT_EQ(host.log, Log{"Reset(0)"});
    EXPECT_EQ(In(0)->GetGEQMode(), 1);
    EXPECT_FALSE(Shown(page->FreqEdit(0)));
    EXPECT_FALSE(Shown(page->QEdit(14)));
    EXPECT_TRUE(Shown(page->GeqPicture()));
    // The picture reads in the page's language, as the output page's does.
    EXPECT_EQ(page->GeqPicture().LookBitmap(TRUE), 796u);
    g_bChinese = 1;
    page->ApplyLanguage();
    EXPECT_EQ(page->GeqPicture().LookBitmap(TRUE), 797u);
    g_bChinese = 0;
    page->ApplyLanguage();
    // The gain edit stands where the frequency edit was.
    EXPECT_EQ(PlaceOf(page->GainEdit(4)).TopLeft(), inpage::BandPlace(4, inpage::Part::Freq).TopLeft());

    g_bChinese = 1;
    Command(inpage::kResetAll);
    EXPECT_EQ(host.questions.back(), "是否重置所有均衡?");
    EXPECT_EQ(host.codes.back(), -2);
    EXPECT_EQ(host.log, (Log{"Reset(0)", "Reset(0)"}));
}

TEST_F(InputEqTest, GraphChangesOfAnotherInputAreIgnored) {
    CFilter* f = In(0)->GetBand(6);
    f->SetFreq(1234, TRUE);
    page->SendMessage(WM_CURVE_BAND_CHANGED, 6, 2);
    EXPECT_NE(page->FreqSpin(6).GetPos(), 1234);
    page->SendMessage(WM_CURVE_BAND_CHANGED, 6, 0);
    EXPECT_EQ(page->FreqSpin(6).GetPos(), 1234);
    EXPECT_EQ(page->MarkedLabel(), 6);
    // Band numbers past the last column change nothing.
    page->SendMessage(WM_CURVE_BAND_CHANGED, 31, 0);
    EXPECT_EQ(page->MarkedLabel(), 6);
}

TEST(InputPageKeys, EditWalkOfBothLayouts) {
    using namespace inpage;
    struct Case {
        int id;
        BOOL geq;
        int next, prev;
    };
    const Case cases[] = {
        {kFreqEdit, FALSE, kFreqEdit + 1, kGainEdit + 14},
        {kFreqEdit + 14, FALSE, kQEdit, kFreqEdit + 13},
        {kQEdit, FALSE, kQEdit + 1, kFreqEdit + 14},
        {kQEdit + 14, FALSE, kGainEdit, kQEdit + 13},
        {kGainEdit, FALSE, kGainEdit + 1, kQEdit + 14},
        {kGainEdit + 14, FALSE, kFreqEdit, kGainEdit + 13},
        {kGainEdit, TRUE, kGainEdit + 1, kGainEdit + 14},
        {kGainEdit + 14, TRUE, kGainEdit, kGainEdit + 13},
        {kFreqEdit + 3, TRUE, 0, 0},
        {kGainEdit + 20, FALSE, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CInPutDlg::NextEditId(c.id, c.geq), c.next) << c.id << " " << c.geq;
        EXPECT_EQ(CInPutDlg::PrevEditId(c.id, c.geq), c.prev) << c.id << " " << c.geq;
    }
    EXPECT_EQ(CInPutDlg::EnterEditId(kFreqEdit + 5), kQEdit + 5);
    EXPECT_EQ(CInPutDlg::EnterEditId(kQEdit + 5), kGainEdit + 5);
    EXPECT_EQ(CInPutDlg::EnterEditId(kGainEdit + 5), kFreqEdit + 6);
    EXPECT_EQ(CInPutDlg::EnterEditId(kGainEdit + 14), kFreqEdit);
    EXPECT_EQ(CInPutDlg::EnterEditId(kSlider), 0);
}

TEST(InputBar, OneConnectorPerInputAndMode) {
    using namespace inpage;
    struct Case {
        int input, mode, checked, unchecked;
    };
    const Case cases[] = {
        {0, 2, kBarSpdif, kBarSpdif},
        {1, 1, kBarHiLevel, kBarHiLevel},
        {2, 0, kBarPhone, kBarPhone},
        {3, 0, kBarAux1, kBarAux1},
        {3, 1, kBarAux1Four, kBarAux1Four},
        {3, 2, kBarAux1Six, kBarAux1Six},
        {4, 0, kBarAux2, kBarAux2},
        {4, 1, kBarAux2Two, kBarAux2Two},
        {4, 2, kBarAux1Six, kBarAux2Spare},
        {5, 0, kBarAux3, kBarAux3},
        {5, 1, kBarAux1Four, kBarAux3Spare},
        {5, 2, 0, 0},
        {6, 0, 0, kBarAux1},
        {6, 1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CInMode_Dlg::CheckedId(c.input, c.mode), c.checked) << c.input << " " << c.mode;
        EXPECT_EQ(CInMode_Dlg::UncheckedId(c.input, c.mode), c.unchecked) << c.input << " " << c.mode;
    }
}

TEST_F(InputPageTest, NoisePanelSwitchesItsByteAndMarksTheSystemData) {
    struct Case {
        int kind;
        BYTE SystemDataRecord::*byte;
    };
    for (const Case c : {Case{CInputNoise::KIND_BASS_BOOST, &SystemDataRecord::bassBoost},
                         Case{CInputNoise::KIND_NOISE, &SystemDataRecord::advancedSwitch}}) {
        host.log.clear();
        // A byte other than 0 and 1 shows ON; the first click writes 0.
        g_systemData.*c.byte = 5;
        CInputNoise panel(&host, parent.get());
        panel.SetKind(c.kind);
        ASSERT_TRUE(panel.Create(CInputNoise::IDD, parent.get()));
        EXPECT_EQ(panel.Switch().GetCheck(), 1);
        // Both kinds have the same caption; only the background tells them apart.
        CString caption;
        panel.GetWindowText(caption);
        EXPECT_STREQ(caption, "Advanced");
        panel.SendMessage(WM_COMMAND, MAKEWPARAM(inpage::kNoiseSwitch, BN_CLICKED), 0);
        EXPECT_EQ(g_systemData.*c.byte, 0);
        EXPECT_EQ(panel.Switch().GetCheck(), 0);
        panel.SendMessage(WM_COMMAND, MAKEWPARAM(inpage::kNoiseSwitch, BN_CLICKED), 0);
        EXPECT_EQ(g_systemData.*c.byte, 1);
        EXPECT_EQ(host.log, (Log{"Dirty(1)", "Dirty(1)"}));
        // Enter and Esc stay with the panel.
        MSG esc{panel.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0};
        EXPECT_TRUE(panel.PreTranslateMessage(&esc));
        panel.DestroyWindow();
    }
}

} // namespace
} // namespace inputtest
