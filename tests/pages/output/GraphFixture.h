// The output graph on a real document, as the output page holds it: a 1000 x 200 graph owned by a
// window that records what the graph posts, the document's own start-up channels, and a few
// bands set the way a tuned output looks.
#pragma once

#include "controls/ControlFixture.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "pages/output/ZNStatic.h"
#include "support/ResetGlobals.h"

#include <cmath>
#include <memory>

namespace graphtest {

constexpr CRect kGraphRect(10, 10, 1010, 210);

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        g_nViewMode = 1;
        doc = std::make_unique<CKTV_Data>();
        parent = std::make_unique<ctltest::RecordingParent>(RGB(0, 0, 0), 1020, 220);
        graph.Create("", WS_CHILD | WS_VISIBLE, kGraphRect, parent.get(), 4000);
        graph.SetOwnerWnd(parent.get());
        graph.LoadLinkBitmap(CZNStatic::kLinkBitmap);
        graph.AttachChannelData(doc.get(), CZNStatic::MODE_OUTPUT);
        graph.SetOutputChannel(0);
        graph.SetMode(CZNStatic::MODE_OUTPUT);
        // The cases tick by hand: the 200 ms timer would add notices on a slow run.
        graph.StopTimer();
        ctltest::Pump();
        parent->messages.clear();
    }
    void TearDown() override {
        graph.DestroyWindow();
        parent.reset();
        doc.reset();
        r9test::ResetModelGlobals();
    }

    CKTV_OutData* Out(int n) const { return doc->GetOut(n); }
    CFilter* Band(int n, int i) const { return Out(n)->GetBand(i); }

    // A peaking band of output n, without marking.
    void SetPeak(int n, int i, int hz, double db, int bwPos) {
        CFilter* f = Band(n, i);
        f->SetEqType(BAND_PEAK);
        f->SetFreq(hz, FALSE);
        f->SetBandwidthPos(bwPos);
        f->SetGainPos(200 + static_cast<int>(std::lround(db * 10)));
    }
    void SetXover(int n, int hpHz, int lpHz) {
        Out(n)->GetHPF()->SetFreq(hpHz, FALSE);
        Out(n)->GetLPF()->SetFreq(lpHz, FALSE);
    }
    // A tuned-looking output: a bass lift, a cut in the mids, a presence peak and a crossover.
    void TuneOutput(int n, int shift = 0) {
        SetPeak(n, 2, 60 + shift, 5.0, 60);
        SetPeak(n, 8, 320 + 4 * shift, -4.5, 90);
        SetPeak(n, 15, 2500 + 20 * shift, 3.0, 40);
        SetPeak(n, 22, 8000, -2.0, 120);
        SetXover(n, 40 + shift, 16000);
    }

    CPoint Centre(const CFilter* f) const { return f->m_rcHandle.CenterPoint(); }
    void Move(CPoint p, bool held = false) {
        ctltest::MoveTo(graph, p, held ? Qt::LeftButton : Qt::NoButton);
    }
    void Press(CPoint p) {
        ctltest::Mouse(graph, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(CPoint p) {
        ctltest::Mouse(graph, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    void Tick() { graph.SendMessage(WM_TIMER, CZNStatic::kTimerId); }
    // The band-changed notices the owner received since the last call.
    std::vector<ctltest::Recorded> Notices(UINT message = WM_CURVE_BAND_CHANGED) {
        ctltest::Pump();
        auto out = parent->Of(message);
        parent->messages.clear();
        return out;
    }

    std::unique_ptr<CKTV_Data> doc;
    std::unique_ptr<ctltest::RecordingParent> parent;
    CZNStatic graph;
};

} // namespace graphtest
