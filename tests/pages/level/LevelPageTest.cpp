// The level and delay page in a window: the reload from the model, a level change on a muted and
// linked output, the linked delay step in each unit, the link toggles, the keyboard order, the
// meters, the four-input look, the on/off copy to linked outputs, the way back to the output
// page and the renders of the page in both languages, each unit, linked and unlinked.
#include "LevelPageFixture.h"

#include "model/Conversions.h"
#include "pages/output/DelayLevelHelper.h"
#include "res/LevelPageArt.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace levelpage;
using leveltest::LevelPageTest;

TEST_F(LevelPageTest, RefreshAllShowsTheModelAndOnlyTheColumnsAndPositionsThatExist) {
    g_systemData.masterVolume.Set(48);
    g_systemData.masterOn = 0;
    doc->GetMusic(2)->SetLevel(450);
    Out(1)->SetLevel(320);
    Out(1)->SetEnabled(0);
    Out(1)->SetPolarity(1);
    Out(2)->SetDelay(120);
    g_nInputGroup = 1;
    // Output 3 has FL-Subwoofer (no field here), output 4 no position at all.
    MapOutputs({1, 2, 3, 25, 0, 19, 20, 24});
    EXPECT_EQ(page->MasterSpin().GetPos(), 48);
    EXPECT_EQ(page->MasterFader().GetPos(), 48);
    EXPECT_EQ(page->MasterButton().GetCheck(), 0);
    EXPECT_EQ(page->InputSpin(2).GetPos(), 450);
    EXPECT_EQ(page->InputFader(2).GetPos(), 450);
    // AUX mode 1: AUX2 shown, AUX3 hidden.
    EXPECT_TRUE(Shown(page->InputEdit(4)));
    EXPECT_FALSE(Shown(page->InputEdit(5)));
    EXPECT_FALSE(Shown(page->InputSpin(5))) << "the arrows go with their field";
    EXPECT_TRUE(Shown(page->InputSpin(4)));
    EXPECT_FALSE(Shown(page->InputButton(5)));
    EXPECT_EQ(page->OutputSpin(1).GetPos(), 320);
    EXPECT_EQ(page->OutputOn(1).GetCheck(), 0);
    EXPECT_EQ(page->OutputPhase(1).GetCheck(), 1);
    EXPECT_FALSE(Shown(page->OutputEdit(4)));
    EXPECT_FALSE(Shown(page->OutputSpin(4))) << "the arrows go with their field";
    EXPECT_FALSE(Shown(page->OutputOn(4)));
    EXPECT_TRUE(Shown(page->OutputEdit(3)));
    // Delays: output 2 (FL-Woofer) in field 2 with its delay; FL-Subwoofer has neither field
    // nor button; the centre pair and the subwoofer have theirs.
    EXPECT_TRUE(Shown(page->DelayField(2)));
    EXPECT_EQ(page->DelaySpin(2).GetPos(), 120);
    EXPECT_EQ(page->DelaySpin(2).GetChannel(), 2);
    EXPECT_EQ(page->Delays().Binding(3).field, nullptr);
    EXPECT_EQ(page->Positions().Binding(3).button, 0);
    for (int id : {6040, 6041, 6042, 6052, 6053, 6063})
        EXPECT_TRUE(Shown(page->PositionButton(id))) << id;
    int shown = 0;
    for (int id = kPositionButton; id < kPositionButton + kPositionButtonCount; ++id)
        shown += Shown(page->PositionButton(id)) ? 1 : 0;
    EXPECT_EQ(shown, 6);
    int fields = 0;
    for (int k = 0; k < kDelayFieldCount; ++k)
        fields += Shown(page->DelayField(k)) ? 1 : 0;
    EXPECT_EQ(fields, 6);
}

TEST_F(LevelPageTest, ALevelOnAMutedLinkedOutputSwitchesItOnAndShowsTheLinkedOutput) {
    MapOutputs({1, 3, 7, 9});
    g_nOutLinkGroup[2] = 0; // outputs 0 and 2 linked
    Out(0)->SetEnabled(0);
    Out(2)->SetEnabled(0);
    page->RefreshAll();
    page->OutputSpin(0).SetPos(410);
    Command(kOutputSpin);
    EXPECT_EQ(Out(0)->GetLevel(), 410);
    EXPECT_EQ(Out(0)->GetEnabled(), 1);
    EXPECT_EQ(page->OutputOn(0).GetCheck(), 1);
    EXPECT_EQ(page->OutputFader(0).GetPos(), 410);
    // The linked output shows its new level and is marked; its on/off stays.
    EXPECT_EQ(page->OutputSpin(2).GetPos(), 410);
    EXPECT_EQ(page->OutputFader(2).GetPos(), 410);
    EXPECT_EQ(Out(2)->GetEnabled(), 0);
    EXPECT_EQ(page->OutputOn(2).GetCheck(), 0);
    EXPECT_EQ(page->PositionButton(6040).GetCheck(), 1);
    EXPECT_EQ(page->PositionButton(6046).GetCheck(), 1);
    EXPECT_EQ(page->MarkedOutput(), 0);
    // Phase and on/off stay with their own output.
    Command(kOutputPhase);
    EXPECT_EQ(Out(0)->GetPolarity(), 1);
    EXPECT_EQ(Out(2)->GetPolarity(), 0);
    // Marking another output removes the marks of the first's link group.
    Command(kOutputOn + 1);
    EXPECT_EQ(Out(1)->GetEnabled(), 0);
    EXPECT_EQ(page->PositionButton(6040).GetCheck(), 0);
    EXPECT_EQ(page->PositionButton(6046).GetCheck(), 0);
    EXPECT_EQ(page->PositionButton(6042).GetCheck(), 1);
}

TEST_F(LevelPageTest, MovingTheMasterFaderSwitchesTheMasterOn) {
    g_systemData.masterVolume.Set(20);
    g_systemData.masterOn = 0;
    page->RefreshAll();
    page->MasterFader().SetPos(60);
    page->SendMessage(WM_SLIDER_MOVED, kMasterFader, 0);
    EXPECT_EQ(g_systemData.masterVolume.Get(), 60);
    EXPECT_EQ(g_systemData.masterOn, 1);
    EXPECT_EQ(page->MasterButton().GetCheck(), 1);
    EXPECT_EQ(page->MasterSpin().GetPos(), 60);
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "Dirty"), 1);
    Command(kMasterOn);
    EXPECT_EQ(g_systemData.masterOn, 0);
    EXPECT_EQ(page->MasterButton().GetCheck(), 0);
}

// Outputs 0 and 1 hold FL-Tweeter and FL-Woofer (front-left variant 2, toggle 6802); output 2
// FL-Full, which belongs to no group.
class LinkedDelayTest : public LevelPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(LinkedDelayTest, AStepOfOneLinkedMemberStepsTheOthersInTheirOwnShownUnit) {
    const int unit = GetParam();
    MapOutputs({1, 3, 6});
    Out(0)->SetDelay(100);
    Out(1)->SetDelay(37);
    Out(2)->SetDelay(200);
    page->RefreshAll();
    page->SetDelayUnit(unit);
    Command(6802);
    EXPECT_EQ(g_spkGroups.frontLeft.linkFlag, 1);
    EXPECT_EQ(page->LinkToggle(6802).GetCheck(), 1);
    EXPECT_TRUE(page->DelayField(0).GetStyle() & ES_READONLY);
    EXPECT_TRUE(page->DelayField(2).GetStyle() & ES_READONLY);

    auto expected = [unit](int v, int step) {
        const int raw = unit == DELAY_UNIT_CM ? StepDelayCm(v, step)
                                              : (unit == DELAY_UNIT_INCH ? StepDelayInch(v, step) : v + step);
        return std::clamp(raw, 0, 354);
    };
    const int want0 = expected(100, 1), want1 = expected(37, 1);
    page->DelaySpin(0).Step(1);
    ctltest::Pump();
    EXPECT_EQ(Out(0)->GetDelay(), want0);
    EXPECT_EQ(Out(1)->GetDelay(), want1);
    EXPECT_EQ(page->DelaySpin(2).GetPos(), want1);
    EXPECT_EQ(Out(2)->GetDelay(), 200) << "FL-Full steps alone";
    if (unit == DELAY_UNIT_MS) {
        EXPECT_EQ(want1 - 37, 1);
    }

    // Near the top the other member stays at 354 while the stepped one moves.
    Out(1)->SetDelay(354);
    page->DelaySpin(2).SetPos(354);
    page->DelaySpin(0).Step(1);
    ctltest::Pump();
    EXPECT_EQ(Out(1)->GetDelay(), 354);
    EXPECT_GT(Out(0)->GetDelay(), want0);

    // FL-Full's own step moves nobody else.
    const int before0 = Out(0)->GetDelay();
    page->DelaySpin(1).Step(1);
    ctltest::Pump();
    EXPECT_EQ(Out(0)->GetDelay(), before0);
    EXPECT_GT(Out(2)->GetDelay(), 200);

    // The toggle again: fields editable, toggle up.
    Command(6802);
    EXPECT_EQ(g_spkGroups.frontLeft.linkFlag, 0);
    EXPECT_EQ(page->LinkToggle(6802).GetCheck(), 0);
    EXPECT_FALSE(page->DelayField(0).GetStyle() & ES_READONLY);
    EXPECT_FALSE(page->DelayField(2).GetStyle() & ES_READONLY);
}

INSTANTIATE_TEST_SUITE_P(Units, LinkedDelayTest,
                         ::testing::Values(DELAY_UNIT_MS, DELAY_UNIT_CM, DELAY_UNIT_INCH));

TEST_F(LevelPageTest, TheUnitReshowsEveryFieldAndLeavesTheDelays) {
    MapOutputs({1, 3});
    Out(0)->SetDelay(96);
    page->RefreshAll();
    for (int unit : {DELAY_UNIT_CM, DELAY_UNIT_INCH, DELAY_UNIT_MS}) {
        Command(kUnitMs + unit - DELAY_UNIT_MS);
        EXPECT_EQ(g_nDelayUnit.load(), unit);
        EXPECT_EQ(page->UnitButton(unit).GetCheck(), 1);
        for (int other = DELAY_UNIT_MS; other <= DELAY_UNIT_INCH; ++other)
            if (other != unit) {
                EXPECT_EQ(page->UnitButton(other).GetCheck(), 0);
            }
        EXPECT_EQ(page->DelayField(0).GetType(), NUMTYPE_DELAY_MS + unit - DELAY_UNIT_MS);
        EXPECT_EQ(page->DelaySpin(0).GetPos(), 96);
        EXPECT_EQ(Out(0)->GetDelay(), 96);
    }
    CString ms;
    page->DelayField(0).GetWindowText(ms);
    EXPECT_EQ(std::string(ms.GetString()), "2.000");
}

TEST_F(LevelPageTest, TheKeyboardOrderSkipsHiddenFieldsAndWraps) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    // Right from the last output edit reaches the way back to the output page, and from there
    // wraps to the master; left walks the same way back; right from the last input edit skips to
    // the first shown delay field.
    EXPECT_EQ(page->NavTarget(kOutputEdit + 7, VK_RIGHT), kOutputPageButton);
    EXPECT_EQ(page->NavTarget(kOutputPageButton, VK_RIGHT), kMasterEdit);
    EXPECT_EQ(page->NavTarget(kMasterEdit, VK_LEFT), kOutputPageButton);
    EXPECT_EQ(page->NavTarget(kOutputPageButton, VK_LEFT), kOutputEdit + 7);
    EXPECT_EQ(page->NavTarget(kInputEdit + 5, VK_RIGHT), kDelayField + 0);
    EXPECT_EQ(page->NavTarget(kDelayField + 0, VK_RIGHT), kDelayField + 2) << "field 1 is hidden";
    EXPECT_EQ(page->NavTarget(kDelayField + 13, VK_RIGHT), kOutputEdit) << "field 14 is hidden";
    // Output 7 without a position: its edit is hidden and skipped too.
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 0});
    EXPECT_EQ(page->NavTarget(kOutputPageButton, VK_LEFT), kOutputEdit + 6);
    page->SendMessage(WM_NUMEDIT_NAVIGATE, kDelayField + 2, VK_LEFT);
    EXPECT_EQ(page->MarkedOutput(), 0);
    EXPECT_EQ(page->PositionButton(6040).GetCheck(), 1);
}

TEST_F(LevelPageTest, RendersInBothLanguagesEachUnitLinkedAndUnlinked) {
    MapOutputs({1, 3, 7, 9, 19, 20, 22, 23});
    g_systemData.masterVolume.Set(54);
    g_systemData.masterOn = 1;
    g_nCurInput = 1;
    page->CheckInputButton(1);
    for (int n = 0; n < 8; ++n) {
        Out(n)->SetDelay(20 * n);
        Out(n)->SetLevel(600 - 40 * n);
    }
    Out(5)->SetEnabled(0);
    Out(2)->SetPolarity(1);
    page->RefreshAll();
    page->CheckInputButton(1);
    Render("level_page_offline_en_ms");
    Command(6802);
    Command(6811);
    Command(kUnitCm);
    g_bLRLinked = 1;
    page->RefreshAll();
    EXPECT_TRUE(Shown(page->LRLinkPicture()));
    Render("level_page_offline_en_cm_linked");
    g_bChinese = 1;
    page->ApplyLanguage();
    Command(kUnitInch);
    Render("level_page_offline_zh_inch_linked");
    Command(6802);
    Command(6811);
    Command(kUnitMs);
    g_bLRLinked = 0;
    page->RefreshAll();
    Render("level_page_offline_zh_ms");
    g_bChinese = 0;
}

} // namespace

namespace {

TEST_F(LevelPageTest, EnterAndTabInAnEditMoveOnAndEscapeTakesTheFocusWithoutClosing) {
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 23});
    struct Case {
        UINT key;
        int from;
        int to; // 0: the page itself
    } cases[] = {
        {VK_RETURN, kInputEdit + 5, kDelayField},
        {VK_TAB, kOutputEdit + 7, kOutputPageButton},
        {VK_ESCAPE, kOutputEdit + 2, 0},
    };
    for (const Case& c : cases) {
        CWnd* from = page->GetDlgItem(c.from);
        ASSERT_NE(from, nullptr);
        from->SetFocus();
        MSG msg{};
        msg.hwnd = from->GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = c.key;
        EXPECT_TRUE(page->PreTranslateMessage(&msg)) << "the page keeps key " << c.key;
        ctltest::Pump();
        CWnd* focus = CWnd::GetFocus();
        if (c.to == 0) {
            EXPECT_EQ(focus, page.get());
        } else {
            ASSERT_NE(focus, nullptr);
            EXPECT_EQ(focus->GetDlgCtrlID(), c.to) << c.key;
        }
        EXPECT_TRUE(Shown(*page));
    }
}

TEST_F(LevelPageTest, TheInputPagesNoticeRedrawsTheButtonsWithoutSending) {
    g_nCurInput = 2;
    g_systemData.pageSwitch = 1;
    page->SkinInputButtons();
    page->CheckInputButton(4);
    // The input page cleared the hold and moved from input 4: the buttons follow, nothing is sent.
    g_systemData.pageSwitch = 0;
    page->SendMessage(WM_CUR_INPUT_CHANGED, 1, 4);
    for (int n = 0; n < kInputCount; ++n)
        EXPECT_EQ(page->InputButton(n).GetCheck(), n == 2 ? 1 : 0) << n;
    page->SendMessage(WM_SET_CUR_INPUT, 0, 3);
    EXPECT_EQ(page->InputButton(2).GetCheck(), 1) << "only the current input is checked";
    EXPECT_TRUE(host.log.empty());
    g_systemData.pageSwitch = 1;
    Command(kInputButton + 5);
    EXPECT_EQ(page->InputButton(5).GetCheck(), 1);
    EXPECT_EQ(page->InputButton(2).GetCheck(), 0);
    // Choosing on the page: the held byte goes out first, then the source set; then the rest of
    // the window shows the input.
    ASSERT_EQ(host.log.size(), 5U);
    EXPECT_EQ(host.log[1], "Send(5)");
    EXPECT_EQ(host.log[3], "Send(2)");
    EXPECT_EQ(host.log[4], "ShowInput(5)");
}

} // namespace

namespace {

TEST_F(LevelPageTest, LinkedMembersSharingOneFieldEachStepFromTheirOwnDelay) {
    // FL-Midrange and FL-M & WF share field 6001, which shows output 1 (bound last).
    MapOutputs({2, 5});
    Out(0)->SetDelay(10);
    Out(1)->SetDelay(200);
    page->RefreshAll();
    ASSERT_EQ(page->DelaySpin(1).GetChannel(), 1);
    Command(6803);
    ASSERT_EQ(g_spkGroups.frontLeft.linkFlag, 1);
    page->DelaySpin(1).Step(1);
    ctltest::Pump();
    EXPECT_EQ(Out(1)->GetDelay(), 201);
    EXPECT_EQ(Out(0)->GetDelay(), 11) << "stepped from its own delay, not from the field's";
    EXPECT_EQ(page->DelaySpin(1).GetPos(), 201) << "the field keeps showing its own output";
}

} // namespace

// ---- Routines nothing in the program calls, and the way back to the output page ----------------

namespace {

TEST_F(LevelPageTest, TheMetersShowTheOutputBytesOfTheLastStateReport) {
    // Low nibble: that many of the nine level lamps; bits 0x10, 0x20, 0x40: lamps 11, 10, 9.
    const BYTE bytes[8] = {0x00, 0x03, 0x09, 0x10, 0x25, 0x47, 0x0F, 0x71};
    for (int n = 0; n < 8; ++n)
        g_devStateBytes[6 + n] = bytes[n];
    g_devStateBytes[5] = 0x09; // before the output bytes
    page->ShowOutputMeters();
    for (int n = 0; n < 8; ++n) {
        const int count = (bytes[n] & 0x0F) <= 9 ? bytes[n] & 0x0F : 0;
        for (int lamp = 0; lamp < 9; ++lamp)
            EXPECT_EQ(page->Meter(n).IsLampOn(lamp) != 0, lamp < count) << n << " " << lamp;
        EXPECT_EQ(page->Meter(n).IsLampOn(11) != 0, (bytes[n] & 0x10) != 0) << n;
        EXPECT_EQ(page->Meter(n).IsLampOn(10) != 0, (bytes[n] & 0x20) != 0) << n;
        EXPECT_EQ(page->Meter(n).IsLampOn(9) != 0, (bytes[n] & 0x40) != 0) << n;
    }
    page->ClearOutputMeters();
    for (int lamp = 0; lamp < CSLamp::kLamps; ++lamp)
        EXPECT_FALSE(page->Meter(7).IsLampOn(lamp)) << lamp;
}

TEST_F(LevelPageTest, TheFourInputLookHidesSpdifAndPhoneAndMovesTheOthersLeft) {
    g_nInputGroup = 0;
    g_nCurInput = 3;
    g_systemData.pageSwitch = 1;
    page->RefreshAll();
    const auto place = [&](CWnd& w) {
        CRect rc;
        w.GetWindowRect(&rc);
        page->ScreenToClient(&rc);
        return rc;
    };
    struct Column {
        CRect fader, edit, spin, button;
    } before[kInputCount];
    for (int n = 0; n < kInputCount; ++n)
        before[n] = {place(page->InputFader(n)), place(page->InputEdit(n)), place(page->InputSpin(n)),
                     place(page->InputButton(n))};
    page->ShowInputButtons();
    for (int n : {0, 2}) {
        EXPECT_FALSE(Shown(page->InputFader(n))) << n;
        EXPECT_FALSE(Shown(page->InputEdit(n))) << n;
        EXPECT_FALSE(Shown(page->InputSpin(n))) << n;
        EXPECT_FALSE(Shown(page->InputButton(n))) << n;
    }
    const int moved[4] = {1, 3, 4, 5};
    for (int to = 0; to < 4; ++to) {
        const int n = moved[to];
        EXPECT_EQ(place(page->InputFader(n)), before[to].fader) << n;
        EXPECT_EQ(place(page->InputEdit(n)), before[to].edit) << n;
        EXPECT_EQ(place(page->InputSpin(n)), before[to].spin) << n;
        EXPECT_EQ(place(page->InputButton(n)), before[to].button) << n;
        EXPECT_TRUE(Shown(page->InputEdit(n))) << n;
    }
    for (int n = 0; n < kInputCount; ++n)
        EXPECT_EQ(page->InputButton(n).GetCheck(), n == 3 ? 1 : 0) << n;
    // Held input: the selected look is the held one.
    const UINT held = res::levelpage::kInputEn + 3 + 30;
    EXPECT_EQ(page->InputButton(3).LookBitmap(FALSE), held);
    EXPECT_TRUE(host.log.empty()) << "nothing is sent";
    Render("level_page_offline_four_inputs");
}

TEST_F(LevelPageTest, TheLastOnOffChoiceGoesToTheLinkedOutputsOnlyAndThePhaseStays) {
    MapOutputs({1, 3, 7, 9});
    g_nOutLinkGroup[2] = 0; // outputs 0 and 2 linked
    for (int n = 0; n < 4; ++n)
        Out(n)->SetEnabled(1);
    page->RefreshAll();
    Command(kOutputOn); // output 0 muted: the page's last choice is "off"
    ASSERT_EQ(Out(0)->GetEnabled(), 0);
    EXPECT_EQ(Out(2)->GetEnabled(), 1) << "the on/off command itself leaves the link alone";
    page->MarkOutput(-1);
    page->CopyOnToLinked(0, TRUE);
    EXPECT_EQ(Out(2)->GetEnabled(), 0);
    EXPECT_EQ(page->OutputOn(2).GetCheck(), 0);
    EXPECT_EQ(page->PositionButton(6046).GetCheck(), 0) << "quiet: no mark";
    EXPECT_EQ(Out(1)->GetEnabled(), 1) << "not linked";
    EXPECT_EQ(Out(3)->GetEnabled(), 1) << "not linked";
    Command(kOutputOn + 3); // output 3 muted, then on again: the last choice is "on"
    Command(kOutputOn + 3);
    page->MarkOutput(-1);
    page->CopyOnToLinked(0, FALSE);
    EXPECT_EQ(Out(2)->GetEnabled(), 1);
    EXPECT_EQ(page->OutputOn(2).GetCheck(), 1);
    EXPECT_EQ(page->PositionButton(6046).GetCheck(), 1);
    EXPECT_EQ(Out(0)->GetEnabled(), 0) << "the output itself is not one of its linked outputs";
    // A polarity stays with its own output.
    Command(kOutputPhase + 2);
    EXPECT_EQ(Out(2)->GetPolarity(), 1);
    EXPECT_EQ(Out(0)->GetPolarity(), 0);
    page->CopyPhaseToLinked(2);
    EXPECT_EQ(Out(0)->GetPolarity(), 0);
}

TEST_F(LevelPageTest, TheMasterTakesTheFocusOnlyWhenNoEditHasIt) {
    MapOutputs({1, 3, 7, 9});
    page->OutputEdit(1).SetFocus();
    page->OnEditFocused(kOutputEdit + 1);
    ASSERT_EQ(page->MarkedOutput(), 1);
    page->FocusMasterIfNoEdit();
    EXPECT_EQ(CWnd::GetFocus(), &page->OutputEdit(1));
    EXPECT_EQ(page->PositionButton(6042).GetCheck(), 1) << "the mark stays";
    page->OutputOn(1).SetFocus();
    page->FocusMasterIfNoEdit();
    EXPECT_EQ(CWnd::GetFocus(), &page->MasterEdit());
    EXPECT_EQ(page->PositionButton(6042).GetCheck(), 0);
}

TEST_F(LevelPageTest, TheOutputPageButtonAsksTheViewByMouseAndByKeyboard) {
    MapOutputs({1, 3, 7, 9});
    CBitButton& back = page->OutputPageButton();
    ASSERT_TRUE(Shown(back));
    r9test::Click(back.Widget(), back.Widget()->rect().center());
    ctltest::Pump();
    ASSERT_EQ(host.log, std::vector<std::string>{"ShowOutputPage"});
    host.log.clear();

    // Escape leaves the field, Tab reaches the button, Enter or Space presses it and Tab goes on
    // to the master. Keys in the fields keep their own ways.
    const auto key = [&](UINT vk) {
        CWnd* focus = CWnd::GetFocus();
        MSG msg{};
        msg.hwnd = focus ? focus->GetSafeHwnd() : page->GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        EXPECT_TRUE(page->PreTranslateMessage(&msg)) << vk;
        ctltest::Pump();
    };
    page->OutputEdit(3).SetFocus();
    key(VK_ESCAPE);
    key(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &back);
    for (UINT vk : {VK_RETURN, VK_SPACE})
        key(vk);
    EXPECT_EQ(host.log, (std::vector<std::string>{"ShowOutputPage", "ShowOutputPage"}));
    key(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &page->MasterEdit());
    key(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), kInputEdit) << "in a field Tab moves on as before";
    EXPECT_EQ(host.log.size(), 2u);
}

} // namespace
