// The output page's level group, its delay bindings and grouped delay steps, the range check of
// loaded data and the keyboard ring, driven through the page's messages on a real document.
#include "OutputPageFixture.h"

#include "model/Conversions.h"
#include "pages/output/DelayLevelHelper.h"
#include "pages/output/OutputFocusRing.h"

#include <gtest/gtest.h>

using namespace pagetest;
using namespace outpage;

namespace {

struct RingCase {
    int bands;
    bool subShown;
    std::vector<int> hidden;
    int id;
    UINT key;
    FocusMove::Kind kind;
    int target; // field id, or strip index
    int select;
};

constexpr UINT kLeft = VK_LEFT;
constexpr UINT kRight = VK_RIGHT;
constexpr auto kField = FocusMove::FIELD;

} // namespace

TEST(OutputFocusRing, MovesAsTheRingSays) {
    const RingCase cases[] = {
        // Level edits, crossovers and the band rows' ends (31 bands).
        {31, false, {}, 2572, kLeft, kField, 5030, 30},
        {31, true, {}, 2837, kLeft, kField, 5030, 30},
        {31, false, {}, 2572, kRight, FocusMove::STRIP_LEVEL, 0, -1},
        {31, false, {}, 1004, kLeft, FocusMove::STRIP_DELAY, 7, -1},
        {31, false, {}, 1005, kLeft, kField, 1004, -1},
        {31, false, {}, 1004, kRight, kField, 1005, -1},
        {31, false, {}, 1005, kRight, kField, 5200, -1},
        {31, false, {}, 4500, kLeft, kField, 5230, 30},
        {31, false, {}, 5000, kLeft, kField, 4530, 30},
        {31, false, {}, 5005, kLeft, kField, 5004, 4},
        {31, false, {}, 4507, kRight, kField, 4508, 8},
        {31, false, {}, 5230, kRight, kField, 4500, 0},
        {31, false, {4500}, 5230, kRight, kField, 4501, 1},
        {31, false, {}, 4530, kRight, kField, 5000, 0},
        {31, false, {}, 5030, kRight, kField, 2572, -1},
        {31, true, {}, 5030, kRight, kField, 2837, -1},
        {31, false, {}, 4002, kRight, FocusMove::NEXT_STRIP, 0, -1},
        {31, false, {}, 1010, kRight, FocusMove::LPF_LIST, 0, -1},
        // Ten bands (outputs 7 and 8): the ends move in, band 10's Q may be hidden.
        {10, false, {}, 2572, kLeft, kField, 5009, 9},
        {10, false, {}, 5209, kRight, kField, 4500, 0},
        {10, false, {}, 4508, kRight, kField, 4509, 9},
        {10, false, {4509}, 4508, kRight, kField, 5000, 0},
        {10, false, {}, 4509, kRight, kField, 5000, 0},
        {10, false, {}, 5000, kLeft, kField, 4509, 9},
        {10, false, {4509}, 5000, kLeft, kField, 4508, 8},
        {10, false, {}, 5009, kRight, kField, 2572, -1},
        // Delay fields: only the visible ones take part.
        {31, false, {}, 6000, kLeft, kField, 2572, -1},
        {31, false, {6003, 6004}, 6005, kLeft, kField, 6002, -1},
        {31, false, {6000, 6001, 6002, 6003, 6004}, 6005, kLeft, kField, 2572, -1},
        {31, false, {}, 6014, kRight, kField, 5200, -1},
        {31, false, {6004, 6005, 6006}, 6003, kRight, kField, 6007, -1},
    };
    for (const RingCase& c : cases) {
        COutputFocusRing::State st;
        st.bandCount = c.bands;
        st.subShown = c.subShown;
        // Delay fields are shown here unless listed; the page hides them all.
        st.visible = [&c](int id) {
            return std::find(c.hidden.begin(), c.hidden.end(), id) == c.hidden.end();
        };
        const FocusMove m = COutputFocusRing::Navigate(st, c.id, c.key);
        const std::string what = std::to_string(c.id) + (c.key == kLeft ? " left" : " right") + " on " +
                                 std::to_string(c.bands) + " bands";
        EXPECT_EQ(m.kind, c.kind) << what;
        EXPECT_EQ(m.kind == kField || m.kind == FocusMove::LPF_LIST ? m.id : m.strip,
                  m.kind == FocusMove::LPF_LIST ? 1011 : c.target)
            << what;
        EXPECT_EQ(m.select, c.select) << what;
    }
    // Off the first frequency the band selection is cleared.
    COutputFocusRing::State st;
    EXPECT_TRUE(COutputFocusRing::Navigate(st, 5200, kLeft).clearSelection);
    // Digits, Enter and other keys never move (a numeric edit reports every key it handles).
    for (UINT key : {UINT{'5'}, UINT{VK_RETURN}, UINT{VK_TAB}, UINT{0x26}})
        EXPECT_EQ(COutputFocusRing::Navigate(st, 5203, key).kind, FocusMove::NONE) << key;
}

TEST(OutputFocusRing, EnterWalksFrequencyQGainThenTheNextBand) {
    COutputFocusRing::State st;
    const struct {
        int id, target, select;
    } cases[] = {{5202, 4502, 2}, {4502, 5002, 2}, {5002, 5203, 3}, {5030, 2572, -1}, {1004, 1005, -1}};
    for (const auto& c : cases) {
        const FocusMove m = COutputFocusRing::Enter(st, c.id);
        EXPECT_EQ(m.id, c.target) << c.id;
        EXPECT_EQ(m.select, c.select) << c.id;
    }
    // GEQ rows show only the gain edits: Enter walks along them.
    st.visible = [](int id) { return id >= 5000 && id < 5031; };
    EXPECT_EQ(COutputFocusRing::Enter(st, 5004).id, 5005);
}

class LevelKeysTest : public OutputPageTest {
protected:
    void Navigate(int id, UINT key) { page->SendMessage(WM_NUMEDIT_NAVIGATE, static_cast<WPARAM>(id), key); }
    CWnd* Item(int id) { return page->GetDlgItem(id); }
};

TEST_F(LevelKeysTest, KeysMoveThroughThePageAndTheStrips) {
    CBandRows& rows = page->Rows();
    // Enter on band 3's gain focuses band 4's frequency and selects band 4.
    rows.Gain(2).SetFocus();
    page->SendMessage(WM_NUMEDIT_ENTER, kGainEdit + 2, 0);
    EXPECT_EQ(CWnd::GetFocus(), &rows.Freq(3));
    EXPECT_EQ(rows.HighlightedLabel(), 3);
    EXPECT_EQ(page->Graph().GetSelBand(), 3);

    // A digit typed into the field does not move the focus.
    Navigate(kFreqEdit + 3, '7');
    EXPECT_EQ(CWnd::GetFocus(), &rows.Freq(3));

    Navigate(kFreqEdit + 3, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), &rows.Freq(2));
    EXPECT_EQ(rows.HighlightedLabel(), 2);
    Navigate(kFreqEdit, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), Item(kLpfFreq));
    EXPECT_EQ(rows.HighlightedLabel(), -1) << "leaving the rows clears the band selection";

    // Level edit -> strip 1; strip 8's delay -> high-pass; high-pass left -> strip 8's delay.
    Navigate(kSourceEdit, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(0)->m_editLevel);
    Navigate(kHpfFreq, VK_LEFT);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(7)->m_editDelay);

    // Tab from the level edit of the last enabled strip goes to the shown level edit.
    page->GetStrip(6)->CWnd::EnableWindow(FALSE);
    page->GetStrip(7)->CWnd::EnableWindow(FALSE);
    page->GetStrip(5)->m_editLevel.SetFocus();
    Navigate(COutRoute_Dlg::IDC_LEVEL, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page->SourceEdit());
    page->GetStrip(4)->m_editLevel.SetFocus();
    Navigate(COutRoute_Dlg::IDC_LEVEL, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(5)->m_editLevel);

    // With the subwoofer level shown, right off the last gain lands on the subwoofer edit.
    Command(kSubMode);
    Navigate(kGainEdit + 30, VK_RIGHT);
    EXPECT_EQ(CWnd::GetFocus(), &page->SubEdit());

    // With no delay field shown, the default focus is band 1's frequency, selected.
    page->SetFocus();
    page->SetDefaultFocus();
    EXPECT_EQ(CWnd::GetFocus(), &rows.Freq(0));
    EXPECT_EQ(rows.HighlightedLabel(), 0);
}

TEST_F(LevelKeysTest, SubLevelModeShowsTheLowestSubwooferLevel) {
    g_bOnline = 1;
    // No subwoofer: 600 (0 dB) on fader, edit and spin.
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_posState[POS_STATE_OUTPUTS + i] = static_cast<BYTE>(i + 1);
    Command(kSubMode);
    EXPECT_TRUE(page->SubModeButton().GetCheck());
    EXPECT_TRUE(Shown(page->SubFader()));
    EXPECT_FALSE(Shown(page->SourceFader()));
    EXPECT_EQ(page->SubFader().GetPos(), 600);
    EXPECT_EQ(page->SubSpin().GetPos(), 600);
    Command(kSubMode);
    EXPECT_FALSE(page->SubModeButton().GetCheck());
    EXPECT_TRUE(Shown(page->SourceFader()));
    EXPECT_FALSE(Shown(page->SubFader()));

    // Two subwoofers at 550 and 580, one of them muted: the fader shows the lower one.
    g_posState[POS_STATE_OUTPUTS + 4] = 22;
    g_posState[POS_STATE_OUTPUTS + 5] = 23;
    Out(4)->SetLevel(580);
    Out(5)->SetLevel(550);
    Out(4)->SetEnabled(0);
    Out(5)->SetEnabled(0);
    g_systemData.masterOn = 1;
    Command(kSubMode);
    EXPECT_EQ(page->SubFader().GetPos(), 550);
    EXPECT_EQ(page->SubSpin().GetPos(), 550);
    EXPECT_FALSE(page->MasterButton().GetCheck()) << "the on button speaks for the silent subwoofers";
    Render("output_page_sub_level");

    // The subwoofer edit sets both but leaves them muted; other outputs keep their level.
    const int other = Out(0)->GetLevel();
    page->SubEdit().SetWindowText("-3.0");
    page->SubEdit().SetModified(1);
    Command(kSubEdit);
    EXPECT_EQ(Out(4)->GetLevel(), 570);
    EXPECT_EQ(Out(5)->GetLevel(), 570);
    EXPECT_EQ(page->SubFader().GetPos(), 570);
    EXPECT_EQ(Out(4)->GetEnabled(), 0);
    EXPECT_EQ(Out(5)->GetEnabled(), 0);
    EXPECT_EQ(Out(0)->GetLevel(), other);
    EXPECT_EQ(page->GetStrip(4)->m_spinLevel.GetPos(), 570);

    // Back on the source level the on button shows the master byte again.
    Command(kSubMode);
    EXPECT_TRUE(page->MasterButton().GetCheck());
}

TEST_F(LevelKeysTest, PolarityAndLevelPageButtons) {
    g_nCurOut = 2;
    page->RefreshPage();
    ASSERT_EQ(Out(2)->GetPolarity(), 0);
    Command(kPolarity);
    EXPECT_EQ(Out(2)->GetPolarity(), 1);
    EXPECT_TRUE(page->PolarityButton().GetCheck());
    EXPECT_TRUE(Shown(*Item(kPolarityInverted)));
    EXPECT_FALSE(Shown(*Item(kPolarityNormal)));
    EXPECT_EQ(Out(1)->GetPolarity(), 0);
    Command(kPolarity);
    EXPECT_EQ(Out(2)->GetPolarity(), 0);
    EXPECT_FALSE(page->PolarityButton().GetCheck());

    EXPECT_TRUE(host.viewPosts.empty());
    Command(kLevelPage);
    EXPECT_EQ(host.viewPosts, std::vector<UINT>{0x52D});
}

TEST_F(LevelKeysTest, OutOfRangeDataAskOnceAfterTheRefresh) {
    // A loaded preset with three values outside their spins' ranges.
    Band(0, 0)->SetFreq(30000, FALSE);
    Band(0, 1)->SetFreq(5, FALSE);
    g_pcSourceSet.sourceLevel[0] = 200;
    g_pcSourceSet.inputType = 0;
    g_nCurOut = 0;
    bool askedInside = false;
    host.onQuestion = [&] { askedInside = true; };
    page->RefreshPage();
    page->ShowSourceLevel();
    EXPECT_TRUE(host.viewPosts.empty()) << "nothing is asked while the refresh runs";
    ctltest::Pump();
    EXPECT_EQ(host.viewPosts, std::vector<UINT>{WM_DATA_RANGE_ERROR}) << "one question for the whole refresh";
    EXPECT_FALSE(askedInside);
    EXPECT_EQ(page->Rows().FreqSpin(0).GetPos(), 20000) << "the field shows the clamped value";

    // A later bad refresh asks again.
    page->RefreshPage();
    ctltest::Pump();
    EXPECT_EQ(host.viewPosts.size(), 2u);
}

TEST_F(LevelKeysTest, LinkedGroupsStepTheirDelaysTogether) {
    // Outputs 1 and 3 on the front left (tweeter and mid), output 2 on position 6 (no group).
    g_posState[POS_STATE_OUTPUTS + 0] = 1;
    g_posState[POS_STATE_OUTPUTS + 1] = 6;
    g_posState[POS_STATE_OUTPUTS + 2] = 3;
    g_spkGroups.Rebuild();
    page->BindOutputDelay(0, 0);
    page->BindOutputDelay(1, 5);
    page->BindOutputDelay(2, 2);
    page->BindOutputDelay(3, -1); // a position without a field
    for (int i : {0, 1, 2})
        Out(i)->SetDelay(100);
    page->DelaySpin(0).SetPos(100);
    page->DelaySpin(5).SetPos(100);
    page->DelaySpin(2).SetPos(100);
    ASSERT_EQ(g_spkGroups.frontLeft.linkFlag, 0);

    // Unlinked: a step moves nothing else.
    page->SendMessage(WM_SPIN_STEP, kDelaySpin + 0, 1);
    EXPECT_EQ(Out(2)->GetDelay(), 100);
    EXPECT_EQ(page->LastDelayOutput(), 0);

    // The group's toggle of its variant links it and makes the fields read-only.
    const UINT toggle = CDelayLevelHelper::ToggleOf(CDelayLevelHelper::GROUP_FRONT_LEFT);
    ASSERT_GE(toggle, 6800u);
    ASSERT_LE(toggle, 6803u);
    Command(static_cast<int>(toggle));
    EXPECT_EQ(g_spkGroups.frontLeft.linkFlag, 1);
    EXPECT_TRUE(page->DelayField(0).GetStyle() & ES_READONLY);
    EXPECT_TRUE(page->DelayField(2).GetStyle() & ES_READONLY);
    EXPECT_FALSE(page->DelayField(5).GetStyle() & ES_READONLY);

    // ms: one sample; cm and inch: one whole unit of the shown distance; clamped to 0..354.
    const struct {
        int type, from, step, want;
    } steps[] = {
        {NUMTYPE_DELAY_MS, 100, 1, 101},
        {NUMTYPE_DELAY_MS, 100, -1, 99},
        {NUMTYPE_DELAY_CM, 100, 1, StepDelayCm(100, 1)},
        {NUMTYPE_DELAY_INCH, 100, -1, StepDelayInch(100, -1)},
        {NUMTYPE_DELAY_MS, 354, 1, 354},
        {NUMTYPE_DELAY_MS, 0, -1, 0},
        {NUMTYPE_DELAY_CM, 353, 5, 354},
    };
    for (const auto& s : steps) {
        page->DelayField(2).SetType(s.type, CString());
        Out(2)->SetDelay(s.from);
        page->DelaySpin(2).SetPos(s.from);
        page->SendMessage(WM_SPIN_STEP, kDelaySpin + 0, s.step);
        EXPECT_EQ(Out(2)->GetDelay(), s.want) << s.type << " " << s.from << " " << s.step;
        EXPECT_EQ(page->DelaySpin(2).GetPos(), s.want);
    }
    EXPECT_EQ(Out(1)->GetDelay(), 100) << "a position of no group steps alone";

    // Stepping the ungrouped output moves no one else; an output without a field is left alone.
    page->SendMessage(WM_SPIN_STEP, kDelaySpin + 5, 1);
    EXPECT_EQ(Out(0)->GetDelay(), 100);
    EXPECT_EQ(page->Delays().StepOutputDelay(3, 1), -1);
    EXPECT_EQ(page->Delays().StepOutputDelay(-1, 1), -1);

    // The toggle again unlinks and the fields take typing again.
    Command(static_cast<int>(toggle));
    EXPECT_EQ(g_spkGroups.frontLeft.linkFlag, 0);
    EXPECT_FALSE(page->DelayField(0).GetStyle() & ES_READONLY);
}

TEST(DelayLevelHelper, GroupsAndTogglesOfPositionCodes) {
    const struct {
        int code, group;
    } codes[] = {{1, 0},   {5, 0},   {6, -1}, {7, 1},   {11, 1},  {12, -1}, {13, 2},
                 {14, 2},  {15, -1}, {16, 3}, {17, 3},  {18, -1}, {19, 4},  {20, 4},
                 {21, -1}, {22, 5},  {23, 5}, {24, -1}, {25, -1}, {26, -1}, {0, -1}};
    for (const auto& c : codes)
        EXPECT_EQ(CDelayLevelHelper::GroupOfCode(c.code), c.group) << c.code;
    for (UINT id = 6800; id <= 6811; ++id) {
        const int group = CDelayLevelHelper::GroupOfToggle(id);
        EXPECT_EQ(group, id < 6804 ? 0 : id < 6808 ? 1 : static_cast<int>(id) - 6806) << id;
    }
    EXPECT_EQ(CDelayLevelHelper::GroupOfToggle(6812), -1);
    g_spkGroups.frontLeft.kind = 4;
    g_spkGroups.frontRight.kind = 1;
    EXPECT_EQ(CDelayLevelHelper::ToggleOf(0), 6800u);
    EXPECT_EQ(CDelayLevelHelper::ToggleOf(1), 6805u);
    EXPECT_EQ(CDelayLevelHelper::ToggleOf(5), 6811u);
    g_spkGroups.frontLeft.kind = -1;
    EXPECT_EQ(CDelayLevelHelper::ToggleOf(0), 0u) << "no variant, no toggle";
}

TEST_F(LevelKeysTest, LinkTogglesFollowTheGroupStates) {
    // Front left linked over outputs 1 and 3; rear left a pair not linked; no subwoofer group.
    g_posState[POS_STATE_OUTPUTS + 0] = 1;
    g_posState[POS_STATE_OUTPUTS + 2] = 3;
    g_posState[POS_STATE_OUTPUTS + 4] = 13;
    g_posState[POS_STATE_OUTPUTS + 5] = 14;
    g_spkGroups.Rebuild();
    page->BindOutputDelay(0, 0);
    page->BindOutputDelay(2, 2);
    g_spkGroups.frontLeft.linkFlag = 1;
    g_spkGroups.subwoofer.linkFlag = -1;
    ASSERT_EQ(g_spkGroups.rearLeft.linkFlag, 0);
    page->LayoutLinkToggles();
    auto toggle = [&](int group) {
        return dynamic_cast<CBtnPng*>(page->GetDlgItem(static_cast<int>(CDelayLevelHelper::ToggleOf(group))));
    };
    CBtnPng* front = toggle(CDelayLevelHelper::GROUP_FRONT_LEFT);
    CBtnPng* rear = toggle(CDelayLevelHelper::GROUP_REAR_LEFT);
    CBtnPng* sub = toggle(CDelayLevelHelper::GROUP_SUB);
    ASSERT_TRUE(front && rear && sub);
    EXPECT_TRUE(front->IsWindowVisible());
    EXPECT_EQ(front->GetCheck(), 1);
    EXPECT_TRUE(page->DelayField(0).GetStyle() & ES_READONLY);
    EXPECT_TRUE(page->DelayField(2).GetStyle() & ES_READONLY);
    EXPECT_TRUE(rear->IsWindowVisible());
    EXPECT_EQ(rear->GetCheck(), 0);
    EXPECT_FALSE(sub->IsWindowVisible());
}
