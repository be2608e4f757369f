// Output page routines no control of the page reaches (the shape buttons stay hidden, no one posts
// the mute toggle): band shapes with their link group, the input-type picture, the level block
// marks, the on flags and polarities of linked strips, the pairs' on buttons, the backward strip
// focus and the map reset without its button.
#include "OutputPageFixture.h"

#include "model/LRPair.h"
#include "pages/output/OutStripOwner.h"

#include <algorithm>

namespace pagetest {
namespace {

using namespace outpage;

class OutputPageRoutinesTest : public OutputPageTest {
protected:
    // Outputs 1, 2 and 4 share a link group.
    static void LinkOutputs() {
        g_nOutLinkGroup[1] = 0;
        g_nOutLinkGroup[3] = 0;
    }
};

TEST_F(OutputPageRoutinesTest, ShapeCommandsSetTheBandTheLinkGroupAndTheRow) {
    LinkOutputs();
    struct Case {
        int output;
        int command;
        int band;
        int startHz;
        int type;   // afterwards
        int hz;     // afterwards
        int list;   // the shelf list of the band, 0 none
        int qShown; // the band's Q field afterwards
    };
    const Case cases[] = {
        {0, kFirstLowShelf, 0, 5000, BAND_LOW_SHELF, 2000, kFirstShelfList, 0},
        {0, kFirstPeak, 0, 0, BAND_PEAK, 2000, kFirstShelfList, 1},
        {0, kLastHighShelf, 9, 500, BAND_HIGH_SHELF, 2000, kLastShelfList, 0},
        {0, kLastPeak, 9, 0, BAND_PEAK, 2000, kLastShelfList, 1},
        // Outputs 5 and 6: the last-band buttons act on band 8 with its own list.
        {4, kLastHighShelf, 7, 800, BAND_HIGH_SHELF, 2000, kBand8ShelfList, 0},
        {4, kLastPeak, 7, 0, BAND_PEAK, 2000, kBand8ShelfList, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        page->OnOutputSelect(c.output);
        if (c.startHz) {
            Band(c.output, c.band)->SetFreq(c.startHz, FALSE);
            page->RefreshPage();
        }
        Command(c.command);
        EXPECT_EQ(Band(c.output, c.band)->GetType(), c.type);
        EXPECT_EQ(Band(c.output, c.band)->GetFreq(), c.hz);
        EXPECT_EQ(page->Rows().FreqSpin(c.band).GetPos(), c.hz);
        EXPECT_EQ(Shown(*page->GetDlgItem(c.list)), c.type != BAND_PEAK);
        EXPECT_EQ(Shown(page->Rows().Q(c.band)), c.qShown != 0);
        const bool first = c.band == 0;
        EXPECT_EQ(page->ShapeButton(first ? kFirstPeak : kLastPeak).GetCheck(), c.type == BAND_PEAK);
        EXPECT_EQ(page->ShapeButton(first ? kFirstLowShelf : kLastHighShelf).GetCheck(), c.type != BAND_PEAK);
        EXPECT_EQ(page->Graph().GetSelBand(), c.band);
        EXPECT_EQ(page->Rows().HighlightedLabel(), c.band);
        // The link group of output 1 follows; output 3 is in no group.
        if (c.output == 0) {
            EXPECT_EQ(Band(1, c.band)->GetType(), c.type);
            EXPECT_EQ(Band(3, c.band)->GetType(), c.type);
            EXPECT_EQ(Band(2, c.band)->GetType(), BAND_PEAK);
        }
    }
    EXPECT_EQ(Band(4, 9)->GetType(), BAND_PEAK) << "band 10 of output 5 is not the last shaped band";
    for (int id : {kFirstPeak, kFirstLowShelf, kLastPeak, kLastHighShelf})
        EXPECT_FALSE(Shown(page->ShapeButton(id))) << id;

    // The shape the band has already: nothing, not even for the link group.
    page->OnOutputSelect(0);
    Band(1, 0)->SetEqType(BAND_LOW_SHELF);
    Command(kFirstPeak);
    EXPECT_EQ(Band(1, 0)->GetType(), BAND_LOW_SHELF);
    Render("output_page_band_shapes");
}

TEST_F(OutputPageRoutinesTest, InputTypePictureFollowsTheTypeAndTheLanguage) {
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        for (int n = 0; n < 6; ++n) {
            page->SetInputTypePicture(n);
            EXPECT_EQ(page->InputTypePicture().LookBitmap(TRUE), (chinese ? 459u : 452u) + n) << n;
        }
        // A type without a picture keeps the one shown.
        for (int n : {-1, 6}) {
            page->SetInputTypePicture(n);
            EXPECT_EQ(page->InputTypePicture().LookBitmap(TRUE), (chinese ? 464u : 457u)) << n;
        }
    }
    g_bChinese = 0;
}

TEST_F(OutputPageRoutinesTest, EveryOutputsLevelBlockIsMarkedForSending) {
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        Out(i)->SetAllChanged(FALSE);
    page->MarkAllOutputsDirty();
    for (int i = 0; i < NUM_OUTPUTS; ++i) {
        EXPECT_TRUE(Out(i)->GetLevelChanged()) << i;
        EXPECT_FALSE(Out(i)->GetLimiterChanged()) << i << ": the level block only";
    }
}

TEST_F(OutputPageRoutinesTest, OnFlagsAndPolaritiesReachTheLinkedStrips) {
    LinkOutputs();
    // The mute toggle inverts one output and its strip, nothing else.
    ASSERT_EQ(Out(1)->GetEnabled(), 1);
    page->SendMessage(WM_OUTPUT_TOGGLE_MUTE, 1, 0);
    EXPECT_EQ(Out(1)->GetEnabled(), 0);
    EXPECT_EQ(page->GetStrip(1)->m_btnOn.GetCheck(), 0);
    for (int i : {0, 2, 3})
        EXPECT_EQ(Out(i)->GetEnabled(), 1) << i;
    page->SendMessage(WM_OUTPUT_TOGGLE_MUTE, NUM_OUTPUTS, 0); // no such output
    page->SendMessage(WM_OUTPUT_TOGGLE_MUTE, 1, 0);
    EXPECT_EQ(Out(1)->GetEnabled(), 1);
    EXPECT_EQ(page->GetStrip(1)->m_btnOn.GetCheck(), 1);

    // The state the toggle gave goes to the rest of the group.
    page->SendMessage(WM_OUTPUT_TOGGLE_MUTE, 3, 0);
    page->CopyOnFlagToLinked(3);
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(Out(i)->GetEnabled(), 0) << i;
        EXPECT_EQ(page->GetStrip(i)->m_btnOn.GetCheck(), 0) << i;
    }
    EXPECT_EQ(Out(2)->GetEnabled(), 1);
    EXPECT_EQ(page->GetStrip(2)->m_btnOn.GetCheck(), 1);

    // Polarities set behind the strips' backs: only the other strips of the group reload.
    for (int i : {0, 1, 2, 3})
        Out(i)->SetPolarity(1);
    page->RefreshLinkedPolarity(3);
    for (int i : {0, 1})
        EXPECT_EQ(page->GetStrip(i)->m_btnPolarity.GetCheck(), 1) << i;
    for (int i : {2, 3})
        EXPECT_EQ(page->GetStrip(i)->m_btnPolarity.GetCheck(), 0) << i;
}

TEST_F(OutputPageRoutinesTest, PairsOnButtonsShowOneSideWithoutChangingData) {
    g_lrPairs[0] = {0, 1, 1};
    g_lrPairs[1] = {2, 3, 1};
    g_lrPairs[2] = {4, 5, 0}; // not in use
    Out(1)->SetEnabled(0);
    Out(2)->SetEnabled(0);
    Out(4)->SetEnabled(0);
    page->RefreshStrips();
    page->CopyPairOnButtons(0);
    const int dir0[] = {1, 1, 0, 0, 0, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(page->GetStrip(i)->m_btnOn.GetCheck(), dir0[i]) << i;
    page->RefreshStrips();
    page->CopyPairOnButtons(1);
    const int dir1[] = {0, 0, 1, 1, 0, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(page->GetStrip(i)->m_btnOn.GetCheck(), dir1[i]) << i;
    const int data[] = {1, 0, 0, 1, 0, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Out(i)->GetEnabled(), data[i]) << i;
}

TEST_F(OutputPageRoutinesTest, FocusPrevStripSkipsDisabledStrips) {
    g_posState[POS_STATE_OUTPUTS + 2] = 0; // an output without a position: the whole strip
    page->GetStrip(2)->EnableWindow(FALSE);
    ASSERT_FALSE(page->GetStrip(2)->IsWindowEnabled());
    EXPECT_EQ(page->FocusPrevStrip(4), 0);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(3)->m_editLevel);
    EXPECT_EQ(page->FocusPrevStrip(3), 0);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(1)->m_editLevel) << "strip 3 is disabled";
    EXPECT_EQ(page->FocusPrevStrip(NUM_OUTPUTS), 0);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(7)->m_editLevel);
    EXPECT_EQ(page->FocusPrevStrip(0), 1);
    EXPECT_EQ(CWnd::GetFocus(), &page->GetStrip(7)->m_editLevel) << "no strip before the first";
}

TEST_F(OutputPageRoutinesTest, TheResetCommandAsksAsItsButtonDoes) {
    host.resetAnswer = 1;
    page->OnResetMapCommand();
    ASSERT_FALSE(host.mapLog.empty());
    EXPECT_EQ(host.mapLog.front(), "AskMapReset()");
    EXPECT_NE(std::find(host.mapLog.begin(), host.mapLog.end(), "SendSpeakerMap(0,1)"), host.mapLog.end());
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(g_speakerMap[i], 0) << i;
}

} // namespace
} // namespace pagetest
