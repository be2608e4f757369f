// The speaker map of the output page on a real document: position assignment through the strips'
// message, the icons and their centre spots, icon clicks, and the lock, reset and left/right link
// buttons with their questions.
#include "OutputPageFixture.h"

#include "model/SpeakerPos.h"
#include "platform/ui/Menu.h"
#include "res/OutputPageArt.h"

#include <algorithm>

namespace pagetest {
namespace {

using namespace outpage;

class OutputMapTest : public OutputPageTest {
protected:
    void Assign(int output, int code) {
        page->SendMessage(WM_OUTPUT_SET_POSITION, static_cast<WPARAM>(output), static_cast<LPARAM>(code));
    }
    static int CodeOf(int n) { return g_posState[POS_STATE_OUTPUTS + n]; }
    void SetCodes(std::initializer_list<int> codes) {
        int i = 0;
        for (int c : codes)
            g_posState[POS_STATE_OUTPUTS + i++] = static_cast<BYTE>(c);
        page->RefreshAll();
    }
    CBtnPng& Icon(int control) { return page->PositionIcon(control); }
    CPoint CentreOf(int control) { return PlaceOf(Icon(control)).CenterPoint(); }
    bool Logged(const std::string& s) const {
        return std::find(host.mapLog.begin(), host.mapLog.end(), s) != host.mapLog.end();
    }
};

TEST_F(OutputMapTest, AssignmentGivesThePositionsCrossoverAndKeepsEverythingInStep) {
    struct Case {
        int code;
        int hpFreq, lpFreq, slope;
    };
    // 0 in a frequency: unchanged from what the output had.
    const Case cases[] = {{19, 5300, 20000, 1}, {2, 600, 2900, 1},  {20, 70, 360, 1},   {10, 600, 20000, 1},
                          {11, 70, 2900, 1},    {12, 70, 20000, 1}, {18, 80, 20000, 1}, {24, 27, 55, 1},
                          {25, 27, 55, 1},      {21, 0, 0, -1},     {0, 0, 0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CFilter* hp = Out(4)->GetHPF();
        CFilter* lp = Out(4)->GetLPF();
        hp->SetFreq(123, FALSE);
        lp->SetFreq(4567, FALSE);
        hp->SetSlope(2, FALSE);
        hp->SetFamily(XOVER_BESSEL, FALSE);
        host.mapLog.clear();
        Assign(4, c.code);
        EXPECT_EQ(CodeOf(4), c.code);
        EXPECT_EQ(g_speakerMap[4], c.code);
        EXPECT_EQ(hp->GetFreq(), c.hpFreq ? c.hpFreq : 123);
        EXPECT_EQ(lp->GetFreq(), c.lpFreq ? c.lpFreq : 4567);
        EXPECT_EQ(hp->GetSlope(), c.slope >= 0 ? c.slope : 2);
        EXPECT_EQ(hp->GetFamily(), XOVER_BUTTERWORTH);
        EXPECT_EQ(lp->GetFamily(), XOVER_BUTTERWORTH);
        const std::vector<std::string> sent = {"Hold(0)", "SendSpeakerMap(4,0)",
                                               "Mix(4," + std::to_string(c.code) + ",1)", "Hold(1)"};
        EXPECT_EQ(host.mapLog, sent);
        if (c.code) {
            const int icon = COutputMap::IconOf(c.code);
            EXPECT_TRUE(Shown(Icon(icon)));
            EXPECT_EQ(Icon(icon).GetChannel(), 4);
            EXPECT_EQ(Icon(icon).GetCheck(), 0) << "output 4 is not the current output";
        }
        EXPECT_EQ(g_nCurOut.load(), 0) << "the page stays on its output";
        EXPECT_EQ(page->CurrentOutput(), Out(0));
    }
    // The old position's icon went with the last change; the strip names the new one.
    EXPECT_FALSE(Shown(Icon(COutputMap::IconOf(21))));
    EXPECT_EQ(Text(*page->GetStrip(4)->GetDlgItem(2636)), CString(GetSpeakerPosName(0, false)));
}

TEST_F(OutputMapTest, AssigningTheCurrentOutputReloadsItsCrossoverControls) {
    Assign(0, 1);
    EXPECT_EQ(page->Xover().Spin(CXoverBlock::HPF).GetPos(), 5300);
    EXPECT_EQ(Icon(4605).GetCheck(), 1);
    EXPECT_FALSE(Shown(Icon(4608))) << "the old position's icon is hidden";
}

TEST_F(OutputMapTest, TheCentreIconsShareTheCentre) {
    namespace art = res::outpage;
    Assign(4, 20);
    EXPECT_EQ(CentreOf(4600), CPoint(art::kCentreLone.x, art::kCentreLone.y));
    Assign(5, 19);
    EXPECT_EQ(CentreOf(4600), CPoint(art::kCentrePairLeft.x, art::kCentrePairLeft.y));
    EXPECT_EQ(CentreOf(4601), CPoint(art::kCentrePairRight.x, art::kCentrePairRight.y));
    Render("output_map_centre_pair");
    Assign(4, 0);
    EXPECT_FALSE(Shown(Icon(4600)));
    EXPECT_EQ(CentreOf(4601), CPoint(art::kCentreLone.x, art::kCentreLone.y));
}

TEST_F(OutputMapTest, IconClicksSelectTheirOutput) {
    // Output 2 holds RL-Full (icon 4619).
    Command(4619);
    EXPECT_EQ(g_nCurOut.load(), 2);
    EXPECT_EQ(page->CurrentOutput(), Out(2));
    EXPECT_EQ(Icon(4619).GetCheck(), 1);
    EXPECT_EQ(Icon(4608).GetCheck(), 0) << "output 1's icon went up";
    EXPECT_EQ(page->Map().LastIconOutput(), 2);
    // The down icon of the current output does nothing.
    g_nCurOut = 2;
    Command(4619);
    EXPECT_EQ(g_nCurOut.load(), 2);
    EXPECT_EQ(Icon(4619).GetCheck(), 1);
    // An icon nobody holds selects nothing.
    Command(4605);
    EXPECT_EQ(g_nCurOut.load(), 2);
}

TEST_F(OutputMapTest, LockedDataKeepTheIconsHidden) {
    g_bDataLocked = 1;
    page->RefreshAll();
    Assign(4, 19);
    for (int k = 0; k < kPositionIconCount; ++k)
        EXPECT_FALSE(Shown(Icon(kPositionIcon + k))) << kPositionIcon + k;
    g_bDataLocked = 0;
    page->RefreshAll();
    EXPECT_TRUE(Shown(Icon(4601)));
}

TEST_F(OutputMapTest, FlSubwooferDrivesNoDelayField) {
    Assign(4, 24);
    EXPECT_EQ(page->Map().BindingOf(4).field, &page->DelayField(14));
    Assign(4, 25);
    EXPECT_EQ(page->Map().BindingOf(4).field, nullptr);
    EXPECT_EQ(page->Map().BindingOf(4).spin, nullptr);
    EXPECT_EQ(page->Map().BindingOf(4).icon, &Icon(4624));
    Out(4)->SetDelay(77);
    page->RefreshAll(); // sets no other position's spin from output 4
    const int group[8] = {4, -1, -1, -1, -1, -1, -1, -1};
    page->Map().SetGroupDelayReadOnly(group, TRUE);
    Assign(4, 0);
    EXPECT_EQ(page->Map().BindingOf(4).icon, nullptr);
}

TEST_F(OutputMapTest, LockingRefusesAnEmptyMapAndMovesToAMappedOutput) {
    SetCodes({0, 0, 0, 0, 0, 0, 0, 0});
    host.answer = IDYES;
    Command(kMapLock);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "All output map is empty, the output map could not be locked.");
    EXPECT_EQ(g_bOutMapLocked.load(), 0);

    SetCodes({0, 0, 0, 15, 0, 22, 0, 0});
    host.answer = IDNO;
    Command(kMapLock);
    EXPECT_EQ(host.questions.back(), "Whether locking output map?");
    EXPECT_EQ(g_bOutMapLocked.load(), 0) << "No keeps the map unlocked";

    host.answer = IDYES;
    Command(kMapLock);
    EXPECT_EQ(g_bOutMapLocked.load(), 1);
    EXPECT_EQ(page->MapButton(kMapLock).GetCheck(), 1);
    EXPECT_EQ(g_nCurOut.load(), 3) << "the lowest output with a position";
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(page->GetStrip(i)->IsWindowEnabled() != 0, CodeOf(i) != 0) << i;
    EXPECT_FALSE(page->GetStrip(3)->GetDlgItem(2636)->IsWindowEnabled()) << "only its position button";
    // A position given under the lock enables its strip, but not its position button.
    Assign(0, 6);
    EXPECT_TRUE(page->GetStrip(0)->IsWindowEnabled());
    EXPECT_FALSE(page->GetStrip(0)->GetDlgItem(2636)->IsWindowEnabled());
    Render("output_map_locked");

    host.mapLog.clear();
    Command(kMapLock);
    EXPECT_EQ(host.questions.back(), "Whether unlocked output map?");
    EXPECT_EQ(g_bOutMapLocked.load(), 0);
    EXPECT_TRUE(Logged("ClearOutputLinks()"));
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_TRUE(page->GetStrip(i)->IsWindowEnabled()) << i;
}

TEST_F(OutputMapTest, ResetAsksAndEndsUnlocked) {
    g_bOutMapLocked = 1;
    host.resetAnswer = 0;
    Command(kMapReset);
    EXPECT_EQ(host.mapLog, std::vector<std::string>{"AskMapReset()"});
    EXPECT_EQ(g_bOutMapLocked.load(), 1) << "Cancel changes nothing";

    host.resetAnswer = 1;
    Command(kMapReset);
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        EXPECT_EQ(CodeOf(i), 0);
        EXPECT_EQ(g_speakerMap[i], 0);
        EXPECT_TRUE(Logged("Mix(" + std::to_string(i) + ",0,0)"));
    }
    EXPECT_TRUE(Logged("SendSpeakerMap(0,1)"));
    EXPECT_EQ(g_bOutMapLocked.load(), 0);
    EXPECT_EQ(IsAnyOutputMapped(), 0);
}

TEST_F(OutputMapTest, ResetToDefaultUsesTheDeviceCodesAndTheResetCrossovers) {
    struct Case {
        int deviceType;
        int codes[8];
    };
    const Case cases[] = {{3, {6, 12, 15, 18, 22, 23, 0, 0}}, {2, {1, 7, 2, 8, 22, 24, 23, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deviceType);
        g_nDeviceType = c.deviceType;
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_posStateInit[POS_STATE_OUTPUTS + i] = static_cast<BYTE>(c.codes[i]);
        g_bOutMapLocked = 1;
        host.resetAnswer = 2;
        Command(kMapReset);
        EXPECT_EQ(g_bOutMapLocked.load(), 0);
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            EXPECT_EQ(CodeOf(i), c.codes[i]) << i;
            EXPECT_EQ(g_speakerMap[i], c.codes[i]) << i;
            const COutputMap::Xover x = COutputMap::ResetXover(c.codes[i], i);
            if (x.hpFreq) {
                EXPECT_EQ(Out(i)->GetHPF()->GetFreq(), x.hpFreq) << i;
            }
            if (x.lpFreq) {
                EXPECT_EQ(Out(i)->GetLPF()->GetFreq(), x.lpFreq) << i;
            }
        }
        EXPECT_TRUE(Logged("SendSpeakerMap(0,1)"));
    }
    // Outputs 5 and 6 on a subwoofer get the steep high-pass; output 7 does not.
    EXPECT_EQ(Out(4)->GetHPF()->GetSlope(), 3);
    EXPECT_EQ(Out(5)->GetHPF()->GetSlope(), 3);
    EXPECT_EQ(Out(6)->GetHPF()->GetSlope(), 1);
    EXPECT_EQ(Out(0)->GetHPF()->GetFreq(), 3400) << "the reset's tweeter, not the assignment's";
    g_nDeviceType = 3;
    Command(kMapReset);
    EXPECT_EQ(Out(0)->GetHPF()->GetFamily(), XOVER_BESSEL) << "front full";
}

TEST_F(OutputMapTest, RestoreDefaultMapSendsNothing) {
    SetCodes({0, 0, 0, 0, 0, 0, 0, 0});
    host.mapLog.clear();
    page->RestoreDefaultMap();
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(CodeOf(i), g_posStateInit[POS_STATE_OUTPUTS + i]);
    EXPECT_TRUE(host.mapLog.empty());
    EXPECT_TRUE(Shown(Icon(4608)));
}

TEST_F(OutputMapTest, LeftRightLinkLocksJoinsAndUnlinksAtOnce) {
    SetCodes({6, 0, 0, 0, 0, 0, 0, 0});
    Command(kMapLink);
    EXPECT_EQ(host.questions.back(), "No link L&R output !");
    EXPECT_EQ(g_bLRLinked.load(), 0);

    SetCodes({6, 12, 15, 18, 0, 0, 22, 23});
    host.linkAnswer = -1;
    Command(kMapLink);
    EXPECT_EQ(g_bLRLinked.load(), 0) << "Cancel";
    EXPECT_EQ(g_bOutMapLocked.load(), 0);

    host.linkAnswer = 1;
    host.mapLog.clear();
    Command(kMapLink);
    EXPECT_EQ(g_bLRLinked.load(), 1);
    EXPECT_EQ(g_bOutMapLocked.load(), 1) << "the link locks the map";
    EXPECT_EQ(page->MapButton(kMapLink).GetCheck(), 1);
    EXPECT_TRUE(Logged("ApplyChannelLinks(1)"));
    EXPECT_EQ(g_nOutLinkGroup[1].load(), g_nOutLinkGroup[0].load());
    EXPECT_TRUE(page->GetStrip(1)->IsMarked()) << "output 2 is linked with the current output 1";
    EXPECT_EQ(Icon(4614).GetCheck(), 1);
    EXPECT_TRUE(Shown(page->LinkPicture(0)));
    Render("output_map_linked");

    const size_t asked = host.questions.size();
    Command(kMapLink);
    EXPECT_EQ(host.questions.size(), asked) << "unlinking asks nothing";
    EXPECT_EQ(g_bLRLinked.load(), 0);
    EXPECT_EQ(page->MapButton(kMapLink).GetCheck(), 0);
    EXPECT_EQ(host.mapLog.back(), "ClearOutputLinks()");
}

TEST_F(OutputMapTest, PasteGoesToTheViewAndIgnoresBadOutputs) {
    page->SendMessage(WM_OUTPUT_PASTE, 1, 3);
    page->SendMessage(WM_OUTPUT_PASTE, 3, 3);
    page->SendMessage(WM_OUTPUT_PASTE, 9, 3);
    EXPECT_EQ(host.mapLog, std::vector<std::string>{"PasteOutput(1,3)"});
}

TEST_F(OutputMapTest, TheSubwooferPopupsChoiceReachesThePageAndSelectsOutputsFiveAndSix) {
    SetCodes({1, 7, 0, 0, 24, 25, 0, 0});
    // The popup the page would offer over the two subwoofers; the window system posts the choice.
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    for (int id = COutputMap::kSubPositionFirst; id <= COutputMap::kSubPositionLast; ++id)
        popup.AppendMenu(MF_STRING, static_cast<UINT_PTR>(id), id == 10001 ? "CH6" : "CH5");
    const struct {
        UINT id;
        int current;
    } cases[] = {{10001, 5}, {10005, 5}, {10000, 4}, {10010, 4}, {10001, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        CMenu::SetTrackHook([&](CMenu&, int, int) { return c.id; });
        popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 10, page.get());
        ctltest::Pump();
        EXPECT_EQ(g_nCurOut.load(), c.current);
        EXPECT_EQ(page->CurrentOutput(), Out(c.current));
        EXPECT_EQ(Icon(COutputMap::IconOf(CodeOf(c.current))).GetCheck(), 1)
            << "the chosen output's icon is down";
        EXPECT_EQ(Icon(COutputMap::IconOf(CodeOf(9 - c.current))).GetCheck(), 0) << "the other one's is up";
        EXPECT_EQ(page->GetStrip(c.current)->IsMarked(), TRUE);
    }
    CMenu::SetTrackHook({});
    EXPECT_TRUE(host.commands.empty()) << "choosing an output sends nothing";
    EXPECT_TRUE(host.sentOutputs.empty());
}

TEST_F(OutputMapTest, ALockedMapWithoutAModelOnlySetsTheStrips) {
    SetCodes({0, 6, 0, 0, 0, 0, 0, 0});
    COutputDlg bare(parent.get());
    ASSERT_TRUE(bare.CreatePage(parent.get(), &host));
    g_bOutMapLocked = 1;
    bare.ApplyMapLock();
    EXPECT_EQ(g_nCurOut.load(), 0) << "no output is selected before the model is attached";
    EXPECT_FALSE(bare.GetStrip(0)->IsWindowEnabled());
    EXPECT_TRUE(bare.GetStrip(1)->IsWindowEnabled());
}

TEST_F(OutputMapTest, ValidateMapLockUnlocksAnEmptyMap) {
    g_bOutMapLocked = 1;
    SetCodes({0, 0, 0, 0, 0, 22, 0, 0});
    page->ValidateMapLock();
    EXPECT_EQ(g_nCurOut.load(), 5);
    SetCodes({0, 0, 0, 0, 0, 0, 0, 0});
    page->ValidateMapLock();
    EXPECT_EQ(g_bOutMapLocked.load(), 0);
    EXPECT_EQ(page->MapButton(kMapLock).GetCheck(), 0);
}

} // namespace
} // namespace pagetest
