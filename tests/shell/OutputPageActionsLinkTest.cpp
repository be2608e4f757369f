// A user's hands on the output page inside the real main view, online against the emulator: a
// band dragged on the graph, a crossover stepped with its spin, a delay typed into a strip, an
// output muted, the speaker map locked and unlocked, and all bands bypassed after the question.
// Each reaches the device as exactly the bytes of what it changed.
#include "OutputPageLinkFixture.h"

#include "model/Conversions.h"
#include "model/KTVEQ.h"
#include "model/KTV_Data.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"
#include <QApplication>
#include <typeinfo>
#include <vector>

namespace {

class OutputPageActions : public OnlineOutputPageTest {
protected:
    void SetUp() override {
        OnlineOutputPageTest::SetUp();
        ShowPageInFront(PAGE_OUTPUT);
    }
    void TearDown() override {
        SetMessageBoxAnswer(nullptr);
        CDialog::SetModalHook(nullptr);
        OnlineOutputPageTest::TearDown();
    }
    static QPoint Centre(CWnd& w) { return w.Widget()->rect().center(); }
    static QPoint At(CPoint p) { return QPoint(p.x, p.y); }
    void TypeInto(CNumEdit& edit, const char* text) { r9test::TypeInto(edit, text); }
    void ClickSpinUp(CNumSpin& spin) {
        const QRect r = spin.Widget()->rect();
        r9test::Click(spin.Widget(), QPoint(r.center().x(), r.top() + 2));
        r9test::Pump();
    }
    // Drags band `band` of output 1 by its handle, straight up or down (dy per step), and returns
    // the band's frequency after each step.
    std::vector<int> DragStraight(int band, int dy) {
        CZNStatic& graph = m_page->Graph();
        CFilter* f = m_doc->GetOut(0)->GetBand(band);
        graph.Widget()->repaint();
        const CPoint start = f->m_rcHandle.CenterPoint();
        r9test::Move(graph.Widget(), At(start));
        r9test::Press(graph.Widget(), At(start));
        std::vector<int> seen;
        for (int step = 1; step <= 4; ++step) {
            r9test::Move(graph.Widget(), At(CPoint(start.x, start.y + dy * step)), Qt::LeftButton);
            seen.push_back(f->GetFreq());
        }
        r9test::Release(graph.Widget(), At(CPoint(start.x, start.y + dy * 4)));
        r9test::Pump();
        seen.push_back(f->GetFreq());
        return seen;
    }
};

TEST_F(OutputPageActions, ABandDraggedOnTheGraphReachesTheDeviceAsThatBand) {
    constexpr int kBand = 12;
    CZNStatic& graph = m_page->Graph();
    CFilter* band = m_doc->GetOut(0)->GetBand(kBand);
    graph.Widget()->repaint();
    const CPoint start = band->m_rcHandle.CenterPoint();
    const int freq = band->GetFreq();
    const int gain = band->GetGainPos();
    const PresetImage before = m_dev.GetState().live;

    r9test::Move(graph.Widget(), At(start));
    r9test::Press(graph.Widget(), At(start));
    for (int step = 1; step <= 4; ++step)
        r9test::Move(graph.Widget(), At(CPoint(start.x + 15 * step, start.y - 6 * step)), Qt::LeftButton);
    r9test::Release(graph.Widget(), At(CPoint(start.x + 60, start.y - 24)));
    r9test::Pump();
    EXPECT_GT(band->GetFreq(), freq);
    EXPECT_GT(band->GetGainPos(), gain);
    // The graph's tick hands the release to the page, which shows the band in its row.
    ASSERT_TRUE(Pump([&] { return m_page->Rows().FreqSpin(kBand).GetPos() == band->GetFreq(); }, 3000));
    EXPECT_EQ(m_page->Rows().Fader(kBand).GetPos(), band->GetGainPos());
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(0, bands[kBand])});
    r9test::RenderToPng(m_view->Widget(), "output_page_online_dragged");
}

TEST_F(OutputPageActions, ACrossoverSteppedWithItsSpinReachesTheDeviceAsThatCrossover) {
    CNumSpin& spin = m_page->Xover().Spin(CXoverBlock::HPF);
    const int freq = m_doc->GetOut(0)->GetHPF()->GetFreq();
    const PresetImage before = m_dev.GetState().live;
    ClickSpinUp(spin);
    EXPECT_GT(m_doc->GetOut(0)->GetHPF()->GetFreq(), freq);
    EXPECT_EQ(spin.GetPos(), m_doc->GetOut(0)->GetHPF()->GetFreq());
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(0, xover)});
}

TEST_F(OutputPageActions, ATypedDelayAndAMuteReachTheDeviceAsThatOutputsSettings) {
    constexpr int kOut = 2;
    COutRoute_Dlg* strip = m_page->GetStrip(kOut);
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(strip->IsWindowEnabled());
    PresetImage before = m_dev.GetState().live;
    TypeInto(strip->m_editDelay, "1.01");
    EXPECT_EQ(m_doc->GetOut(kOut)->GetDelay(), 48);
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(kOut, delay)});
    EXPECT_EQ(m_dev.GetState().live.outputs[kOut].delay, 48);

    before = m_dev.GetState().live;
    ASSERT_EQ(before.outputs[kOut].on, 1);
    Click(strip->m_btnOn);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetEnabled(), 0);
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(kOut, on)});
    EXPECT_EQ(m_dev.GetState().live.outputs[kOut].on, 0);
}

TEST_F(OutputPageActions, LockingTheMapSendsNothingAndHoldsTheUnmappedStrips) {
    // One mapped output: the lock moves the page to it and disables every other strip.
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 3, 19);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap[3] == 19; }));
    EXPECT_TRUE(WaitLinkIdle());
    const DeviceState before = m_dev.GetState();
    int asked = 0;
    SetMessageBoxAnswer([&](const CString&, UINT, int) {
        ++asked;
        return IDYES;
    });
    Click(m_page->MapButton(outpage::kMapLock));
    ASSERT_EQ(asked, 1);
    EXPECT_EQ(g_bOutMapLocked.load(), 1);
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_EQ(m_page->GetStrip(i)->IsWindowEnabled() != 0, before.speakerMap[i] != 0) << i;
    r9test::RenderToPng(m_view->Widget(), "output_page_online_map_locked");

    Click(m_page->MapButton(outpage::kMapLock));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(g_bOutMapLocked.load(), 0);
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        EXPECT_TRUE(m_page->GetStrip(i)->IsWindowEnabled()) << i;
    ExpectDeviceMatchesOnly(before.live, {});
    EXPECT_TRUE(m_dev.GetState().speakerMap == before.speakerMap);
}

TEST_F(OutputPageActions, AllBypassAsksThenSendsTheBandsAndRestoresThemOnTheSecondPress) {
    // A lifted band: flat bands are bypassed already and would not show the change.
    constexpr int kBand = 4;
    CNumEdit& gain = m_page->Rows().Gain(kBand);
    PresetImage before = m_dev.GetState().live;
    TypeInto(gain, "6");
    ExpectDeviceChangedOnly(before, {R9_OUTPUT_SPAN(0, bands[kBand])});
    const PresetImage lifted = m_dev.GetState().live;

    std::vector<std::string> questions;
    int answer = IDNO;
    SetMessageBoxAnswer([&](const CString& text, UINT, int) {
        questions.push_back(text.GetString());
        return answer;
    });
    Click(m_page->AllBypassButton());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_FALSE(m_doc->GetOut(0)->GetBand(kBand)->IsBypassed()) << "No changes nothing";
    ExpectDeviceMatchesOnly(lifted, {});

    answer = IDYES;
    Click(m_page->AllBypassButton());
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(m_doc->GetOut(0)->IsAllBandsBypassed());
    ExpectDeviceChangedOnly(lifted, {R9_OUTPUT_SPAN(0, bands)});
    EXPECT_EQ(m_dev.GetState().live.outputs[0].bands[kBand].gainCode, 600) << "sent flat";

    Click(m_page->AllBypassButton());
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_FALSE(m_doc->GetOut(0)->GetBand(kBand)->IsBypassed());
    ASSERT_TRUE(Pump(
        [&] { return m_dev.GetState().live.outputs[0].bands[kBand] == lifted.outputs[0].bands[kBand]; }));
    ExpectDeviceMatchesOnly(lifted, {R9_OUTPUT_SPAN(0, bands)});
    EXPECT_TRUE(m_dev.GetState().live.outputs[0] == lifted.outputs[0]) << "every band back as it was";
}

TEST_F(OutputPageActions, AStraightVerticalDragOfABandKeepsItsFrequency) {
    // Bands 18 and 6 at 1000 Hz and 63 Hz: both lie between two pixel columns of the axis.
    for (int band : {17, 5})
        for (int dy : {-8, 8}) {
            CFilter* f = m_doc->GetOut(0)->GetBand(band);
            const int freq = f->GetFreq();
            const int gain = f->GetGainPos();
            const PresetImage before = m_dev.GetState().live;
            for (int seen : DragStraight(band, dy))
                EXPECT_EQ(seen, freq) << band << " " << dy;
            EXPECT_EQ(f->GetGainPos() > gain, dy < 0) << band << " " << dy;
            ASSERT_TRUE(Pump([&] { return m_page->Rows().Fader(band).GetPos() == f->GetGainPos(); }, 3000));
            EXPECT_EQ(m_page->Rows().FreqSpin(band).GetPos(), freq);
            const ImageSpan span = R9_OUTPUT_SPAN(0, bands);
            const size_t one = sizeof(EQBandRecord);
            ExpectDeviceChangedOnly(before, {{span.at + one * static_cast<size_t>(band), one}});
            EXPECT_EQ(static_cast<int>(m_dev.GetState().live.outputs[0].bands[band].freq), freq);
        }
}

TEST_F(OutputPageActions, UnlinkingOrUnlockingTheLinkedMapTakesEveryLinkMarkOff) {
    // A mirrored pair: output 1 the front left tweeter, output 2 the front right one.
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 0, 1);
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 1, 7);
    ASSERT_TRUE(
        Pump([&] { return m_dev.GetState().speakerMap[0] == 1 && m_dev.GetState().speakerMap[1] == 7; }));
    ASSERT_EQ(g_nCurOut.load(), 0);
    int directions = 0;
    CDialog::SetModalHook([&](CDialog& d) {
        ++directions;
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    SetMessageBoxAnswer([](const CString&, UINT, int) { return IDYES; });
    CBitButton& link = m_page->MapButton(outpage::kMapLink);
    const auto expectLinked = [&](bool linked, const char* when) {
        EXPECT_EQ(g_bLRLinked.load(), linked ? 1 : 0) << when;
        EXPECT_EQ(link.GetCheck(), linked ? 1 : 0) << when;
        EXPECT_EQ(g_nOutLinkGroup[1].load(), linked ? g_nOutLinkGroup[0].load() : 1) << when;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(m_page->LinkPicture(k).IsWindowVisible() != 0, linked) << when << " picture " << k;
        EXPECT_EQ(m_page->GetStrip(1)->IsMarked() != 0, linked) << when;
        EXPECT_EQ(m_page->PositionIcon(COutputMap::IconOf(7)).GetCheck() != 0, linked) << when;
        EXPECT_TRUE(m_page->GetStrip(0)->IsMarked()) << when << ": the current output stays marked";
        EXPECT_EQ(m_page->Graph().IsOutputLinked() != 0, linked) << when;
    };

    Click(link);
    ASSERT_EQ(directions, 1);
    expectLinked(true, "linked");
    r9test::RenderToPng(m_view->Widget(), "output_page_online_lr_linked");

    Click(link);
    EXPECT_EQ(directions, 1) << "unlinking asks nothing";
    expectLinked(false, "unlinked");
    r9test::RenderToPng(m_view->Widget(), "output_page_online_lr_unlinked");

    Click(link);
    ASSERT_EQ(directions, 2);
    expectLinked(true, "linked again");
    ASSERT_EQ(g_bOutMapLocked.load(), 1) << "the link locks the map";
    Click(m_page->MapButton(outpage::kMapLock));
    ASSERT_EQ(g_bOutMapLocked.load(), 0);
    expectLinked(false, "unlocked");
    r9test::RenderToPng(m_view->Widget(), "output_page_online_lr_unlocked");

    // The toggle is up, so its next press links anew instead of unlinking.
    Click(link);
    EXPECT_EQ(directions, 3);
    expectLinked(true, "linked after the unlock");
}

} // namespace

TEST_F(OutputPageActions, TheBandCountToggleResetsEveryOutputsEqOnTheDeviceAndUndoesTheLink) {
    // Lifted bands on output 1 and output 7, the one shown afterwards.
    constexpr int kBand = 4;
    TypeInto(m_page->Rows().Gain(kBand), "6");
    m_page->OnOutputSelect(6);
    TypeInto(m_page->Rows().Gain(kBand), "-3");
    ASSERT_TRUE(Pump([&] {
        const PresetImage live = m_dev.GetState().live;
        return live.outputs[0].bands[kBand].gainCode == 660 && live.outputs[6].bands[kBand].gainCode == 570;
    }));
    // Outputs 1 and 2 joined as a left/right pair, and a system value the device does not hold yet.
    g_bLRLinked = 1;
    m_page->MapButton(outpage::kMapLink).SetCheck(1);
    g_nOutLinkGroup[1] = 0;
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.advOption5 = static_cast<BYTE>(m_dev.GetState().systemData.advOption5 ^ 1);
    }
    const PresetImage before = m_dev.GetState().live;

    // The hidden band-count toggle beside the graph reports its click to its strip.
    m_page->Toggles().SendMessage(WM_COMMAND, MAKEWPARAM(CChangnal_Line::kEqCountToggle, BN_CLICKED), 0);

    EXPECT_EQ(g_bLRLinked.load(), 0);
    EXPECT_EQ(m_page->MapButton(outpage::kMapLink).GetCheck(), 0);
    EXPECT_EQ(g_nOutLinkGroup[1].load(), 1) << "the pair is split";
    for (int o = 0; o < NUM_OUTPUTS; ++o) {
        const int bands = o < 6 ? 31 : 10;
        for (int b = 0; b < bands; ++b) {
            const CFilter* f = m_doc->GetOut(o)->GetBand(b);
            ASSERT_EQ(f->GetGainPos(), GainToPos(0.0)) << o << "/" << b;
            ASSERT_TRUE(f->IsBypassed()) << o << "/" << b;
            ASSERT_EQ(f->GetFreq(), o < 6 ? g_isoFreq31[b] : g_octFreq10[b]) << o << "/" << b;
        }
    }
    ExpectDeviceChangedOnly(before,
                            {R9_OUTPUT_SPAN(0, bands), R9_OUTPUT_SPAN(1, bands), R9_OUTPUT_SPAN(2, bands),
                             R9_OUTPUT_SPAN(3, bands), R9_OUTPUT_SPAN(4, bands), R9_OUTPUT_SPAN(5, bands),
                             R9_OUTPUT_SPAN(6, bands), R9_OUTPUT_SPAN(7, bands)});
    EXPECT_EQ(m_dev.GetState().live.outputs[0].bands[kBand].gainCode, 600);
    EXPECT_EQ(m_dev.GetState().live.outputs[6].bands[kBand].gainCode, 600);
    {
        std::lock_guard lock(g_linkLock);
        EXPECT_TRUE(m_dev.GetState().systemData == g_systemData) << "the system data went out";
    }

    // Output 7's ten rows spread over the width of thirty-one and show the flat bands; the others
    // are hidden.
    CBandRows& rows = m_page->Rows();
    CRect first;
    CRect tenth;
    rows.Freq(0).GetWindowRect(&first);
    rows.Freq(9).GetWindowRect(&tenth);
    EXPECT_EQ(tenth.left - first.left, 9 * (outpage::kBandPitch + outpage::kTenBandShift));
    for (int b = 0; b < 10; ++b) {
        EXPECT_TRUE(rows.Fader(b).IsWindowVisible()) << b;
        EXPECT_EQ(rows.GainSpin(b).GetPos(), GainToPos(0.0)) << b;
    }
    for (int b = 10; b < CBandRows::kCount; ++b)
        EXPECT_FALSE(rows.Fader(b).IsWindowVisible()) << b;
    r9test::RenderToPng(m_view->Widget(), "output_page_online_all_eq_reset");
}
