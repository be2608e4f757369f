// The level and delay page in a window: the reload from the model, a level change on a muted and
// linked output, the linked delay step in each unit, the link toggles, the keyboard order and the
// renders of the page in both languages, each unit, linked and unlinked.
#include "LevelPageFixture.h"

#include "model/Conversions.h"
#include "pages/output/DelayLevelHelper.h"

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
    EXPECT_FALSE(Shown(page->InputButton(5)));
    EXPECT_EQ(page->OutputSpin(1).GetPos(), 320);
    EXPECT_EQ(page->OutputOn(1).GetCheck(), 0);
    EXPECT_EQ(page->OutputPhase(1).GetCheck(), 1);
    EXPECT_FALSE(Shown(page->OutputEdit(4)));
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
    // Right from the last output edit wraps to the master; left from the master reaches the last
    // shown edit; right from the last input edit skips to the first shown delay field.
    EXPECT_EQ(page->NavTarget(kOutputEdit + 7, VK_RIGHT), kMasterEdit);
    EXPECT_EQ(page->NavTarget(kMasterEdit, VK_LEFT), kOutputEdit + 7);
    EXPECT_EQ(page->NavTarget(kInputEdit + 5, VK_RIGHT), kDelayField + 0);
    EXPECT_EQ(page->NavTarget(kDelayField + 0, VK_RIGHT), kDelayField + 2) << "field 1 is hidden";
    EXPECT_EQ(page->NavTarget(kDelayField + 13, VK_RIGHT), kOutputEdit) << "field 14 is hidden";
    // Output 7 without a position: its edit is hidden and skipped too.
    MapOutputs({1, 3, 7, 9, 13, 16, 22, 0});
    EXPECT_EQ(page->NavTarget(kMasterEdit, VK_LEFT), kOutputEdit + 6);
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
        {VK_TAB, kOutputEdit + 7, kMasterEdit},
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
    // Choosing on the page: the held byte goes out first, then the source set.
    g_systemData.pageSwitch = 1;
    Command(kInputButton + 5);
    EXPECT_EQ(page->InputButton(5).GetCheck(), 1);
    EXPECT_EQ(page->InputButton(2).GetCheck(), 0);
    ASSERT_EQ(host.log.size(), 4U);
    EXPECT_EQ(host.log[1], "Send(5)");
    EXPECT_EQ(host.log[3], "Send(2)");
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
