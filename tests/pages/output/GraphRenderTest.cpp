// What the graph draws, checked on the pixels (the renders are kept in build/test-out/graph-*.png):
// the tuned curve, its markers and the marked band's values, comparison curves, the current
// output's own flag, the link marker, the view modes, the selection's colours, and the geometry the
// page relies on.
#include "GraphFixture.h"

#include "model/KTVEQ.h"

using namespace graphtest;

namespace {

class GraphRenderTest : public GraphTest {
protected:
    QImage Render(const char* name) {
        graph.RefreshCurve(graph.GetSelBand());
        return ctltest::Render(graph, name);
    }
    // A part enlarged three times, for looking at the pixels.
    static void Zoom(const QImage& img, const QRect& part, const char* name) {
        img.copy(part).scaled(part.size() * 3).save(r9test::TestOutDir() + "/" + name + ".png");
    }
    QImage Plot(const QImage& img) const {
        const CRect& p = graph.GetPlotRect();
        return img.copy(p.left, p.top, p.Width(), p.Height());
    }
    int CountRed(const QImage& img) const {
        return ctltest::CountColour(img, graph.GetPlotRect(), RGB(255, 0, 0));
    }
    int FreqX(int hz) const { return CZNStatic::FreqX(hz, graph.GetPlotRect().Width()); }
    bool IsGreen(const QImage& img, int x, int y) const {
        const QRgb c = img.pixel(x, y);
        return qGreen(c) > 150 && qRed(c) < 80 && qBlue(c) < 80;
    }
    int GreenIn(const QImage& img, const CRect& rc) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += IsGreen(img, x, y) ? 1 : 0;
        return n;
    }
    // The topmost row of the current curve in a column of the plot (the plot's bottom if none).
    int CurveY(const QImage& img, int x) const {
        const CRect& p = graph.GetPlotRect();
        for (int y = p.top; y < p.bottom; ++y)
            if (IsGreen(img, x, y))
                return y;
        return p.bottom;
    }
    // The column where the current curve is highest.
    int CurveTop(const QImage& img) const {
        const CRect& p = graph.GetPlotRect();
        int best = p.left, bestY = p.bottom;
        for (int x = p.left; x < p.right; ++x)
            if (const int y = CurveY(img, x); y < bestY) {
                bestY = y;
                best = x;
            }
        return best;
    }
    static int WhiteIn(const QImage& img, const CRect& rc) {
        return ctltest::CountNear(img, rc, RGB(255, 255, 255), 80);
    }
    static int RedIn(const QImage& img, const CRect& rc) {
        return ctltest::CountNear(img, rc, RGB(255, 0, 0), 80);
    }
    // The pure red pixels, white on black, for their bounding box.
    static QImage Redness(const QImage& img) {
        QImage out(img.size(), QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                out.setPixel(x, y, img.pixel(x, y) == qRgb(255, 0, 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        return out;
    }
    void TuneAll() {
        for (int n = 0; n < NUM_OUTPUTS; ++n)
            TuneOutput(n, 9 * n);
    }
    void MakeGeq(int n) {
        Out(n)->SetGEQMode(1);
        for (int i = 0; i < 31; ++i) {
            CFilter* f = Band(n, i);
            f->SetFreq(g_isoFreq31[i], FALSE);
            const double db = i < 4 ? 4.0 - i : (i > 24 ? -(i - 24) * 1.2 : ((i % 5) - 2) * 1.5);
            f->SetGainPos(200 + static_cast<int>(db * 10));
        }
        SetXover(n, 25, 18000);
    }
};

// What the user reads off a tuned output: the curve's peaks and dips where the bands are, every
// band's numbered marker and the H and L of the crossover, the scales, and the values of the band
// under the mouse or selected, in red beside it.
TEST_F(GraphRenderTest, DrawsTheTunedCurveItsMarkersAndTheValuesOfTheMarkedBand) {
    TuneOutput(0);
    const QImage peq = Render("graph-out1-peq");
    const CRect& p = graph.GetPlotRect();
    const int zeroY = (p.top + p.bottom) / 2;
    const int perDb = p.Height() / 24;
    // +5 dB at 60 Hz, -4.5 dB at 320 Hz, and the high-pass at 40 Hz pulls the low end down.
    EXPECT_NEAR(CurveTop(peq), FreqX(60), 12) << "the highest point is the 60 Hz lift";
    EXPECT_LT(CurveY(peq, FreqX(60)), zeroY - 3 * perDb);
    EXPECT_GT(CurveY(peq, FreqX(320)), zeroY + 3 * perDb);
    EXPECT_GT(CurveY(peq, FreqX(22)), zeroY + 8 * perDb);
    for (int i = 0; i < 31; ++i)
        EXPECT_GT(WhiteIn(peq, Band(0, i)->m_rcHandle), 3) << "marker " << i + 1;
    EXPECT_GT(WhiteIn(peq, Out(0)->GetHPF()->m_rcHandle), 3) << "H";
    EXPECT_GT(WhiteIn(peq, Out(0)->GetLPF()->m_rcHandle), 3) << "L";
    EXPECT_GT(ctltest::CountNear(peq, CRect(0, p.top, p.left - 2, p.bottom), RGB(100, 100, 100), 30), 40)
        << "the level scale";
    EXPECT_GT(ctltest::CountNear(peq, CRect(0, p.bottom, p.right, p.bottom + 20), RGB(224, 224, 224), 40),
              100)
        << "the frequency scale";
    EXPECT_EQ(CountRed(peq), 0);

    TuneAll();
    for (int n = 0; n < NUM_OUTPUTS; ++n)
        g_outCurveShown[n] = 1;
    const QImage all = Render("graph-out1-all-curves");
    EXPECT_NEAR(CurveTop(all), FreqX(60), 12) << "the current output's curve stays on top";

    // The hovered band 9: its marker and the line of its values under it are red, nothing else.
    Move(Centre(Band(0, 8)));
    const QImage hover = Render("graph-out1-hover");
    Zoom(hover, QRect(250, 60, 350, 110), "graph-zoom-hover");
    const CRect hot = Band(0, 8)->m_rcHandle;
    EXPECT_GT(RedIn(hover, hot), 3);
    const CRect hoverRed = ctltest::BoxNot(Redness(hover), CRect(0, 0, 1000, 200), RGB(0, 0, 0));
    EXPECT_GT(hoverRed.bottom, hot.bottom + 10) << "the values below the marker";
    EXPECT_TRUE(hoverRed.left < hot.CenterPoint().x && hot.CenterPoint().x < hoverRed.right);
    EXPECT_LT(hoverRed.Width(), 200);

    // Band 16 selected: its values above it, in red.
    Move(CPoint(700, 12));
    graph.RefreshCurve(15);
    const QImage sel = Render("graph-out1-selected");
    Zoom(sel, QRect(560, 40, 300, 100), "graph-zoom-selected");
    const CRect selRed = ctltest::BoxNot(Redness(sel), CRect(0, 0, 1000, 200), RGB(0, 0, 0));
    EXPECT_LT(selRed.top, Band(0, 15)->m_rcHandle.top - 10) << "the values above the marker";
    EXPECT_TRUE(selRed.left < Centre(Band(0, 15)).x && Centre(Band(0, 15)).x < selRed.right);

    // The high-pass selected: its area fills the plot below 0 dB left of 40 Hz, and its marker and
    // frequency are red.
    graph.RefreshCurve(Out(0)->GetHPFIndex());
    const QImage hp = Render("graph-out1-highpass-selected");
    const COLORREF area = RGB(68, 86, 98);
    EXPECT_GT(ctltest::CountColour(hp, CRect(p.left, zeroY + 2, FreqX(35), p.bottom), area), 200);
    EXPECT_EQ(ctltest::CountColour(hp, CRect(FreqX(200), p.top, p.right, p.bottom), area), 0);
    EXPECT_GT(RedIn(hp, Out(0)->GetHPF()->m_rcHandle), 3);
    graph.RefreshCurve(-1);

    // A GEQ output: 31 fixed bands, the hovered one red with its gain.
    MakeGeq(1);
    graph.SetOutputChannel(1);
    Move(CPoint(700, 12));
    Move(Centre(Band(1, 20)));
    const QImage geq = Render("graph-out2-geq-hover");
    for (int i = 0; i < 31; ++i) {
        const CRect rc = Band(1, i)->m_rcHandle;
        if (i == 20)
            EXPECT_GT(RedIn(geq, rc), 3);
        else
            EXPECT_GT(WhiteIn(geq, rc), 3) << "marker " << i + 1;
    }
    EXPECT_GT(ctltest::BoxNot(Redness(geq), CRect(0, 0, 1000, 200), RGB(0, 0, 0)).bottom,
              Band(1, 20)->m_rcHandle.bottom + 10)
        << "the gain below the marker";

    // Output 7, ten bands and a low-pass at 120 Hz: the curve leaves the plot before 300 Hz; the
    // link marker shows the linked pair.
    for (int i = 0; i < 10; ++i)
        SetPeak(6, i, g_octFreq10[i], i < 3 ? 3.0 - i : -1.0 * (i % 3), 100);
    SetXover(6, 20, 120);
    g_bLRLinked = 1;
    g_nOutLinkGroup[7] = 6;
    graph.SetOutputChannel(6);
    const QImage linked = Render("graph-out7-linked");
    EXPECT_EQ(GreenIn(linked, CRect(FreqX(300), p.top, p.right, p.bottom)), 0);
    EXPECT_GT(GreenIn(linked, CRect(p.left, p.top, FreqX(100), p.bottom)), 50);
    for (int i = 0; i < 10; ++i)
        EXPECT_GT(WhiteIn(linked, Band(6, i)->m_rcHandle), 3) << "marker " << i + 1;
    EXPECT_GT(ctltest::CountNear(linked, CRect(50, 15, 76, 28), RGB(0x19, 0xb5, 0xfe), 40), 10);
}

TEST_F(GraphRenderTest, ComparisonCurvesFollowTheTogglesOnlyWithShowAllOnAndNeverForTheCurrentOutput) {
    TuneAll();
    const QImage alone = Plot(Render("graph-rule-alone"));

    g_outCurveShown[0] = 1; // the current output's own flag
    EXPECT_EQ(Plot(Render("")), alone);

    g_outCurveShown[3] = 1;
    const QImage withFour = Plot(Render("graph-rule-out4-grey"));
    EXPECT_NE(withFour, alone);

    // A change of the grey output shows at the next refresh.
    SetPeak(3, 15, 5000, -9.0, 60);
    const QImage changed = Plot(Render(""));
    EXPECT_NE(changed, withFour);
    SetPeak(3, 15, 2500 + 20 * 27, 3.0, 40);
    EXPECT_EQ(Plot(Render("")), withFour);

    g_bShowAllCurves = 0;
    EXPECT_EQ(Plot(Render("")), alone) << "Line_Set off: no comparison curve whatever the toggles";

    // Output 4 made current is green; output 1 behind it grey.
    g_bShowAllCurves = 1;
    graph.SetOutputChannel(3);
    const QImage four = Plot(Render(""));
    EXPECT_NE(four, withFour);
    g_outCurveShown[0] = 0;
    EXPECT_NE(Plot(Render("")), four);
}

// The comparison layers kept for earlier selections: going back draws what was drawn, and a
// change of an output behind a kept layer shows when its selection comes back.
TEST_F(GraphRenderTest, GoingBackToAnOutputDrawsItsComparisonCurvesAsTheyAreNow) {
    TuneAll();
    for (int n = 0; n < NUM_OUTPUTS; ++n)
        g_outCurveShown[n] = 1;
    const QImage first = Plot(Render(""));
    for (int n : {3, 5, 0}) {
        graph.SetOutputChannel(n);
        Render("");
    }
    EXPECT_EQ(Plot(Render("")), first);

    graph.SetOutputChannel(3);
    Render("");
    SetPeak(3, 15, 5000, -9.0, 60);
    graph.SetOutputChannel(0);
    EXPECT_NE(Plot(Render("")), first);
    SetPeak(3, 15, 2500 + 20 * 27, 3.0, 40);
    EXPECT_EQ(Plot(Render("")), first);
}

TEST_F(GraphRenderTest, LinkMarkerOnlyWhileTheCurrentOutputIsLinked) {
    const CRect marker(50, 15, 76, 28);
    const COLORREF blue = RGB(0x19, 0xb5, 0xfe);
    EXPECT_EQ(ctltest::CountNear(Render(""), marker, blue, 40), 0);
    g_nOutLinkGroup[4] = 0; // linked group, but the link is off
    EXPECT_EQ(ctltest::CountNear(Render(""), marker, blue, 40), 0);
    g_bLRLinked = 1;
    EXPECT_FALSE(graph.IsOutputLinked() == FALSE);
    EXPECT_GT(ctltest::CountNear(Render("graph-rule-linked"), marker, blue, 40), 10);
    graph.SetOutputChannel(2); // not in that group
    EXPECT_EQ(ctltest::CountNear(Render(""), marker, blue, 40), 0);
}

TEST_F(GraphRenderTest, OtherViewModesShowOnlyTheBackground) {
    TuneOutput(0);
    g_nViewMode = 3;
    const QImage img = Render("graph-rule-view-mode-3");
    const CRect& p = graph.GetPlotRect();
    EXPECT_EQ(ctltest::CountColour(img, p, RGB(0, 0, 0)), p.Width() * p.Height());
    // The labels are still there.
    EXPECT_GT(ctltest::CountNear(img, CRect(0, p.bottom, p.right, p.bottom + 20), RGB(224, 224, 224)), 50);
    g_nViewMode = 2;
    EXPECT_GT(ctltest::CountColour(Render(""), p, RGB(149, 149, 149)), 2 * p.Width());
}

TEST_F(GraphRenderTest, SelectionAndHoverAreRedAndNothingIsRedWithoutThem) {
    TuneOutput(0);
    EXPECT_EQ(CountRed(Render("")), 0) << "no area, no bandwidth handles, no label, every marker white";
    graph.RefreshCurve(15);
    const QImage sel = Render("");
    EXPECT_GT(CountRed(sel), 20);
    // The selected band's response area lies under it.
    const CPoint c = Centre(Band(0, 15));
    EXPECT_GT(ctltest::CountColour(sel, CRect(c.x - 30, c.y, c.x + 30, graph.GetPlotRect().Height() / 2 + 10),
                                   RGB(68, 86, 98)),
              100);
    // Its bandwidth handles are drawn: red frames around the area colour.
    const CRect low = Band(0, 15)->m_rcLowWidth;
    EXPECT_GT(ctltest::CountColour(sel, low, RGB(255, 0, 0)), 10);
}

TEST_F(GraphRenderTest, GeometryThePageAndTheChannelsShare) {
    EXPECT_EQ(CZNStatic::PlotRectOf(CRect(0, 0, 1000, 200)), CRect(40, 10, 990, 180));
    const CRect& p = graph.GetPlotRect();
    EXPECT_EQ(p, CRect(40, 10, 990, 180));
    EXPECT_EQ(doc->GetOutCurveRect(), p) << "the outputs lay their curves out in this plot";
    EXPECT_EQ(graph.GetGridX(0), 40);
    // A decade is W / 3 = 316 px from 20 Hz: 100 Hz at 0.699 of it, 1 kHz at 1.699, 10 kHz at 2.699.
    EXPECT_EQ(graph.GetGridX(8), 40 + 220);
    EXPECT_EQ(graph.GetGridX(17), 40 + 536);
    EXPECT_EQ(graph.GetGridX(26), 40 + 852);
    EXPECT_EQ(CZNStatic::FreqX(20000, p.Width()), 40 + 3 * 316) << "20 kHz falls W mod 3 short of the edge";
    struct Case {
        CRect handle;
        int hz;
        UINT format;
    };
    const Case cases[] = {
        {CRect(974, 50, 990, 66), 12000, DT_LEFT}, {CRect(32, 50, 48, 66), 20, DT_RIGHT},
        {CRect(970, 50, 986, 66), 20000, DT_LEFT}, {CRect(500, 50, 516, 66), 1000, DT_CENTER},
        {CRect(974, 50, 990, 66), 20, DT_LEFT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CZNStatic::MarkerFormat(c.handle, 990, c.hz), c.format) << c.hz;
}

} // namespace

namespace {

// The effect and mic plots no page selects: green frame, their own channel ids, and a selection
// that does not become the hovered filter.
TEST_F(GraphRenderTest, EffectAndMicPlotsKeepTheirOwnFrameAndChannelIds) {
    struct Case {
        int mode;
        int channel;
    };
    for (const Case c : {Case{CZNStatic::MODE_EFFECT, 0}, Case{CZNStatic::MODE_MIC, 256}}) {
        if (c.mode == CZNStatic::MODE_EFFECT)
            graph.SetEffectChannel();
        else
            graph.SetMicChannel(0);
        EXPECT_EQ(graph.GetMode(), c.mode);
        EXPECT_EQ(graph.GetMsgChannel(), c.channel);
        graph.RefreshCurve(1);
        EXPECT_EQ(graph.GetSelBand(), 1);
        EXPECT_EQ(graph.GetHotFilter(), nullptr);
        const QImage img = Render("");
        const CRect& p = graph.GetPlotRect();
        EXPECT_EQ(ctltest::Pixel(img, p.left, p.top + 40), RGB(0, 180, 0)) << c.mode;
    }
    graph.SetMode(CZNStatic::MODE_GRID);
    const QImage grid = Render("graph-grid-only");
    const CRect& p = graph.GetPlotRect();
    EXPECT_EQ(ctltest::Pixel(grid, p.left, p.top + 40), RGB(255, 255, 255));
    EXPECT_EQ(ctltest::CountNear(grid, p, RGB(0, 192, 0), 40), 0);
}

} // namespace

namespace {

// The page takes the graph over from a static of its layout, as the dialog data exchange does.
TEST_F(GraphRenderTest, TakesOverThePagesTemplateStatic) {
    graph.DestroyWindow();
    CZNStatic taken;
    parent->Attach<CStatic>(taken, 4000, CRect(0, 0, 800, 190), SS_NOTIFY);
    taken.SetOwnerWnd(parent.get());
    taken.AttachChannelData(doc.get(), CZNStatic::MODE_OUTPUT);
    taken.SetOutputChannel(0);
    taken.StopTimer();
    EXPECT_EQ(taken.GetDlgCtrlID(), 4000);
    EXPECT_EQ(taken.GetPlotRect(), CRect(40, 10, 790, 170));
    EXPECT_EQ(doc->GetOutCurveRect(), taken.GetPlotRect());
    const QImage img = ctltest::Render(taken, "graph-taken-over");
    EXPECT_EQ(ctltest::Pixel(img, 40, 60), RGB(149, 149, 149));
    EXPECT_GT(ctltest::CountNear(img, taken.GetPlotRect(), RGB(0, 192, 0), 30), 300);
    taken.DestroyWindow();
}

} // namespace
