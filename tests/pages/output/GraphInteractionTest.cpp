// The graph driven with the mouse as a user drives it, on a real document: hover, drag a band's
// frequency and gain, its bandwidth handles, the crossover handles, the wheel, and what the owner
// hears about it.
#include "GraphFixture.h"

#include "model/Conversions.h"

using namespace graphtest;

namespace {

TEST_F(GraphTest, DraggingABandMovesItsFrequencyAndGainUnderThePointerAndTellsTheOwnerAfterwards) {
    g_bOnline = 1;
    SetPeak(0, 2, 250, 6.0, 50);
    CFilter* band = Band(0, 2);
    const CPoint start = Centre(band);

    Move(start);
    EXPECT_EQ(graph.GetHotFilter(), band);
    EXPECT_TRUE(graph.IsOverHandle());
    EXPECT_EQ(graph.GetMsgBand(), 2);
    EXPECT_EQ(graph.CursorId(), IDC_SIZEALL);
    Move(start); // the cursor is asked for before each move is handled
    EXPECT_EQ(graph.Widget()->cursor().shape(), Qt::SizeAllCursor);
    Tick();
    EXPECT_TRUE(Notices().empty()) << "hovering changes nothing";

    Press(start);
    EXPECT_EQ(CWnd::GetCapture(), &graph);
    EXPECT_EQ(graph.m_bButtonUp, 0);
    // One fast step leaves the marker's box: the grabbed band follows anyway.
    const CPoint to(start.x + 90, start.y - 25);
    Move(to, true);
    EXPECT_GT(band->GetFreq(), 250);
    EXPECT_GT(band->GetGainPos(), 260);
    EXPECT_NEAR(Centre(band).x, to.x, 1);
    EXPECT_NEAR(Centre(band).y, to.y, 1);
    EXPECT_TRUE(band->IsChanged()) << "a drag goes to the device like any other change";
    EXPECT_TRUE(graph.IsChanged());

    Tick();
    auto notes = Notices();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 2u);
    EXPECT_EQ(notes[0].lParam, 768);
    Tick();
    EXPECT_TRUE(Notices().empty()) << "no change since the last tick, button still down";

    // Released far outside: the drag ends (the graph holds the capture) and the owner hears on
    // every tick until it takes the band over.
    const int freq = band->GetFreq();
    Release(CPoint(1400, 400));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(graph.m_bButtonUp, 1);
    EXPECT_FALSE(band->m_bGrabHandle);
    Move(CPoint(to.x + 100, to.y));
    EXPECT_EQ(band->GetFreq(), freq);
    Tick();
    Tick();
    EXPECT_EQ(Notices().size(), 2u);
    graph.m_bButtonUp = 0;
    Tick();
    EXPECT_TRUE(Notices().empty());
}

// A band drag whose capture is taken away (its window disabled for a moment, as under a modal
// box) ends where it is: what it already changed reaches the owner, then the moves and the release
// of that press change nothing and tell the owner nothing.
TEST_F(GraphTest, ADragEndedByALostCaptureEndsWhereItIsAndChangesNothingMore) {
    g_bOnline = 1;
    SetPeak(0, 2, 250, 6.0, 50);
    CFilter* band = Band(0, 2);
    const CPoint start = Centre(band);
    Move(start);
    Press(start);
    Move(CPoint(start.x + 60, start.y - 20), true);
    const int freq = band->GetFreq(), gain = band->GetGainPos();
    ASSERT_NE(freq, 250);
    parent->EnableWindow(FALSE);
    parent->EnableWindow(TRUE);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(band->m_bGrabHandle);
    Tick();
    const auto notes = Notices();
    ASSERT_EQ(notes.size(), 1u) << "the change the drag made before still reaches the owner";
    EXPECT_EQ(notes[0].wParam, 2u);
    Move(CPoint(start.x + 150, start.y + 30), true);
    Release(CPoint(start.x + 150, start.y + 30));
    Move(CPoint(start.x - 40, start.y));
    EXPECT_EQ(band->GetFreq(), freq);
    EXPECT_EQ(band->GetGainPos(), gain);
    Tick();
    Tick();
    EXPECT_TRUE(Notices().empty());
}

TEST_F(GraphTest, AClickOnAMarkerWithoutMovingStillNamesThatBand) {
    SetPeak(0, 6, 900, -3.0, 60);
    const int freq = Band(0, 6)->GetFreq();
    const int gain = Band(0, 6)->GetGainPos();
    const CPoint c = Centre(Band(0, 6));
    Move(c);
    Press(c);
    Release(c);
    EXPECT_EQ(Band(0, 6)->GetFreq(), freq);
    EXPECT_EQ(Band(0, 6)->GetGainPos(), gain);
    Tick();
    auto notes = Notices();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 6u);
}

TEST_F(GraphTest, BandwidthHandlesWidenAndNarrowAPeakAndKeepItsCentre) {
    SetPeak(0, 10, 1000, 6.0, 70);
    CFilter* band = Band(0, 10);
    Move(Centre(band));
    const double before = band->GetBandwidth();

    // The right handle dragged outwards widens the band.
    const CPoint right = band->m_rcHighWidth.CenterPoint();
    Move(right);
    EXPECT_TRUE(band->m_bHoverHigh);
    EXPECT_FALSE(band->m_bHoverHandle);
    EXPECT_EQ(graph.CursorId(), IDC_SIZEWE);
    Press(right);
    Move(CPoint(right.x + 40, right.y + 30), true);
    const double wider = band->GetBandwidth();
    EXPECT_GT(wider, before);
    EXPECT_EQ(band->GetFreq(), 1000);
    EXPECT_EQ(band->GetGainPos(), 260);
    Release(CPoint(right.x + 40, right.y + 30));
    EXPECT_FALSE(band->m_bGrabHigh);

    // The left one dragged inwards narrows it again.
    Move(Centre(band));
    const CPoint left = band->m_rcLowWidth.CenterPoint();
    Move(left);
    EXPECT_TRUE(band->m_bHoverLow);
    Press(left);
    Move(CPoint(left.x + 30, left.y), true);
    EXPECT_LT(band->GetBandwidth(), wider);
    EXPECT_EQ(band->GetFreq(), 1000);
    Release(CPoint(left.x + 30, left.y));
    Tick();
    EXPECT_EQ(Notices().size(), 1u);
}

TEST_F(GraphTest, CrossoverHandlesStopAtTheirPartnerAndCanBeGrabbedAgainInPlace) {
    SetXover(0, 100, 400);
    CFilter* hp = Out(0)->GetHPF();
    CFilter* lp = Out(0)->GetLPF();
    const int hpIndex = Out(0)->GetHPFIndex();

    Move(Centre(hp));
    EXPECT_EQ(graph.GetHotFilter(), hp);
    EXPECT_EQ(graph.GetMsgBand(), hpIndex);
    EXPECT_EQ(graph.CursorId(), IDC_SIZEWE);
    Press(Centre(hp));
    Move(CPoint(Centre(hp).x + 400, Centre(hp).y + 50), true);
    EXPECT_EQ(hp->GetFreq(), 400) << "a high-pass never passes the low-pass";
    Release(CPoint(Centre(hp).x, Centre(hp).y));

    // Pressed again without leaving the marker: it drags again.
    const CPoint at = Centre(hp);
    Move(at);
    Press(at);
    Move(CPoint(at.x - 60, at.y), true);
    EXPECT_LT(hp->GetFreq(), 400);
    Release(CPoint(at.x - 60, at.y));
    Tick();
    auto notes = Notices();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(static_cast<int>(notes[0].wParam), hpIndex);

    // Leaving an ungrabbed crossover forgets it; the low-pass stops at the high-pass.
    Move(CPoint(5, 195));
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    const int hpHz = hp->GetFreq();
    Move(Centre(lp));
    EXPECT_EQ(graph.GetHotFilter(), lp);
    Press(Centre(lp));
    Move(CPoint(45, Centre(lp).y), true);
    EXPECT_EQ(lp->GetFreq(), hpHz);
    Release(CPoint(45, Centre(lp).y));
}

TEST_F(GraphTest, CursorFollowsWhatThePointerIsOver) {
    SetPeak(0, 4, 150, 4.0, 60);
    SetXover(0, 40, 16000);
    struct Case {
        const char* what;
        CPoint point;
        UINT cursor;
    };
    const Case cases[] = {
        {"peak marker", Centre(Band(0, 4)), IDC_SIZEALL},
        {"its bandwidth handle", Band(0, 4)->m_rcLowWidth.CenterPoint(), IDC_SIZEWE},
        {"empty plot", CPoint(700, 40), IDC_ARROW},
        {"high-pass marker", Centre(Out(0)->GetHPF()), IDC_SIZEWE},
        {"label margin", CPoint(5, 5), IDC_ARROW},
    };
    for (const Case& c : cases) {
        Move(c.point);
        EXPECT_EQ(graph.CursorId(), c.cursor) << c.what;
    }
    // A GEQ band moves only up and down.
    Out(0)->SetGEQMode(1);
    graph.RefreshCurve(-1);
    Move(CPoint(700, 40));
    Move(Centre(Band(0, 4)));
    EXPECT_EQ(graph.CursorId(), IDC_SIZENS);
    Move(Centre(Band(0, 4)));
    EXPECT_EQ(graph.Widget()->cursor().shape(), Qt::SizeVerCursor);
}

TEST_F(GraphTest, AGeqBandKeepsItsFrequencyAndOffersNoBandwidthHandles) {
    SetPeak(0, 12, 500, 0.0, 19);
    Out(0)->SetGEQMode(1);
    graph.RefreshCurve(-1);
    CFilter* band = Band(0, 12);
    const CPoint c = Centre(band);
    Move(c);
    Press(c);
    Move(CPoint(c.x + 50, c.y - 40), true);
    EXPECT_EQ(band->GetFreq(), 500);
    EXPECT_GT(band->GetGainPos(), 200);
    Release(CPoint(c.x + 50, c.y - 40));
    Move(band->m_rcHighWidth.CenterPoint());
    EXPECT_FALSE(band->m_bHoverHigh);
}

TEST_F(GraphTest, OfOverlappingMarkersTheLowerBandWins) {
    SetPeak(0, 7, 1200, 3.0, 50);
    SetPeak(0, 5, 1200, 3.0, 50);
    Move(Centre(Band(0, 7)));
    EXPECT_EQ(graph.GetHotFilter(), Band(0, 5));
    EXPECT_EQ(graph.GetMsgBand(), 5);
}

TEST_F(GraphTest, HiddenBandsOfTheTenBandOutputsCanNeitherBeHoveredNorDragged) {
    graph.SetOutputChannel(6);
    EXPECT_EQ(graph.GetMsgChannel(), 768 + 6);
    CFilter* hidden = Band(6, 14);
    ASSERT_NE(hidden, nullptr);
    const int freq = hidden->GetFreq();
    const int gain = hidden->GetGainPos();
    const CPoint at = Centre(hidden);
    Move(at);
    EXPECT_NE(graph.GetHotFilter(), hidden);
    Press(at);
    Move(CPoint(at.x + 200, at.y + 60), true);
    Release(CPoint(at.x + 200, at.y + 60));
    EXPECT_EQ(hidden->GetFreq(), freq);
    EXPECT_EQ(hidden->GetGainPos(), gain);
    EXPECT_FALSE(graph.IsFilterShown(14));
    EXPECT_TRUE(graph.IsFilterShown(9));
    EXPECT_TRUE(graph.IsFilterShown(Out(6)->GetLPFIndex()));
    // A shown band of that output is still live.
    SetPeak(6, 3, 250, 4.0, 50);
    Move(CPoint(700, 40));
    Move(Centre(Band(6, 3)));
    EXPECT_EQ(graph.GetHotFilter(), Band(6, 3));
}

TEST_F(GraphTest, TheWheelLeavesTheTuningAlone) {
    SetPeak(0, 3, 100, 2.0, 50);
    Move(Centre(Band(0, 3)));
    ctltest::Wheel(graph, Centre(Band(0, 3)), 120);
    ctltest::Wheel(graph, Centre(Band(0, 3)), -240);
    EXPECT_EQ(Band(0, 3)->GetFreq(), 100);
    EXPECT_EQ(Band(0, 3)->GetGainPos(), 220);
    Tick();
    EXPECT_TRUE(Notices().empty());
}

TEST_F(GraphTest, OutsideTheTuningViewsThePointerOnlyTakesFocusAndCapture) {
    SetPeak(0, 3, 100, 2.0, 50);
    g_nViewMode = 0;
    const CPoint c = Centre(Band(0, 3));
    Move(c);
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    Press(c);
    EXPECT_EQ(CWnd::GetCapture(), &graph);
    EXPECT_EQ(CWnd::GetFocus(), &graph);
    Move(CPoint(c.x + 50, c.y), true);
    Release(CPoint(c.x + 50, c.y));
    EXPECT_EQ(Band(0, 3)->GetFreq(), 100);
    // Losing the focus tells the owner.
    parent->SetFocus();
    EXPECT_EQ(Notices(WM_CURVE_KILLFOCUS).size(), 1u);
}

TEST_F(GraphTest, SelectionFromThePageMakesTheBandHotAndUnknownIndexesSelectNothing) {
    graph.RefreshCurve(5);
    EXPECT_EQ(graph.GetSelBand(), 5);
    EXPECT_EQ(graph.GetHotFilter(), Band(0, 5));
    EXPECT_EQ(graph.GetMsgBand(), 5);
    for (int sel : {-7, Out(0)->GetFilterCount(), 999}) {
        graph.RefreshCurve(sel);
        EXPECT_EQ(graph.GetSelBand(), -1) << sel;
    }
    graph.SetOutputChannel(3);
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    // While unlocked data are being loaded the graph keeps its picture.
    graph.RefreshCurve(4);
    g_bDataUnlocked = 1;
    graph.SetOutputChannel(2);
    EXPECT_EQ(graph.GetSelBand(), 4);
    // Without an owner the ticks post nothing.
    graph.SetOwnerWnd(nullptr);
    graph.m_bButtonUp = 1;
    Tick();
    EXPECT_TRUE(Notices().empty());
}

TEST_F(GraphTest, DisabledGraphForgetsItsHoverAndIgnoresThePointer) {
    SetPeak(0, 3, 100, 2.0, 50);
    Move(Centre(Band(0, 3)));
    ASSERT_EQ(graph.GetHotFilter(), Band(0, 3));
    graph.EnableGraph(FALSE);
    EXPECT_EQ(graph.GetHotFilter(), nullptr);
    EXPECT_FALSE(graph.IsWindowEnabled());
    graph.EnableGraph(TRUE);
    EXPECT_TRUE(graph.IsWindowEnabled());
}

} // namespace

namespace {

// The input page's graph: music inputs drawn as Bezier segments, the pointer finding only the
// first 15 bands.
class MusicGraphTest : public GraphTest {
protected:
    void SetUp() override {
        GraphTest::SetUp();
        music.Create("", WS_CHILD | WS_VISIBLE, kGraphRect, parent.get(), 3952);
        music.SetOwnerWnd(parent.get());
        music.AttachChannelData(doc.get(), CZNStatic::MODE_MUSIC);
        music.SetMusicChannel(2);
        music.SetMode(CZNStatic::MODE_MUSIC);
        music.StopTimer();
        graph.ShowWindow(SW_HIDE);
        ctltest::Pump();
        parent->messages.clear();
    }
    void TearDown() override {
        music.DestroyWindow();
        GraphTest::TearDown();
    }
    CFilter* In(int i) const { return doc->GetMusic(2)->GetBand(i); }
    void Peak(int i, int hz, int gainPos) {
        In(i)->SetEqType(BAND_PEAK);
        In(i)->SetFreq(hz, FALSE);
        In(i)->SetBandwidthPos(60);
        In(i)->SetGainPos(gainPos);
    }
    CZNStatic music;
};

TEST_F(MusicGraphTest, OnlyTheFirstFifteenBandsAnswerThePointer) {
    Peak(4, 180, 250);
    Peak(20, 6000, 150);
    EXPECT_EQ(music.GetMsgChannel(), 2);
    ctltest::MoveTo(music, In(20)->m_rcHandle.CenterPoint());
    EXPECT_EQ(music.GetHotFilter(), nullptr);
    const CPoint c = In(4)->m_rcHandle.CenterPoint();
    ctltest::MoveTo(music, c);
    EXPECT_EQ(music.GetHotFilter(), In(4));
    ctltest::Mouse(music, QEvent::MouseButtonPress, c, Qt::LeftButton, Qt::LeftButton);
    ctltest::MoveTo(music, CPoint(c.x + 40, c.y + 30), Qt::LeftButton);
    ctltest::Mouse(music, QEvent::MouseButtonRelease, CPoint(c.x + 40, c.y + 30), Qt::LeftButton,
                   Qt::NoButton);
    EXPECT_GT(In(4)->GetFreq(), 180);
    EXPECT_LT(In(4)->GetGainPos(), 250);
    music.SendMessage(WM_TIMER, CZNStatic::kTimerId);
    auto notes = Notices();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wParam, 4u);
    EXPECT_EQ(notes[0].lParam, 2);
}

TEST_F(MusicGraphTest, MarkersBeyondTheFifteenthShowOnlyInTheFullView) {
    Peak(2, 90, 260);
    Peak(9, 1500, 150);
    Peak(20, 6000, 280);
    const CRect box = In(20)->m_rcHandle;
    const QImage first = ctltest::Render(music, "graph-music-view1");
    EXPECT_EQ(ctltest::CountNear(first, box, RGB(255, 255, 255), 40), 0);
    g_nViewMode = 2;
    const QImage all = ctltest::Render(music, "");
    EXPECT_GT(ctltest::CountNear(all, box, RGB(255, 255, 255), 60), 2);
    // The input's curve is green; the input page has no link marker.
    g_bLRLinked = 1;
    g_nOutLinkGroup[1] = 0;
    EXPECT_EQ(
        ctltest::CountNear(ctltest::Render(music, ""), CRect(50, 15, 76, 28), RGB(0x19, 0xb5, 0xfe), 40), 0);
    EXPECT_GT(ctltest::CountNear(all, music.GetPlotRect(), RGB(0, 192, 0), 30), 300);
}

} // namespace
