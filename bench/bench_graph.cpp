// The output graph: one step of a band drag with all eight outputs' curves shown (the pointer
// moves, the band follows, the summed curves are recomputed and the plot repainted), and a full
// repaint of the graph with its labels.
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "pages/output/ZNStatic.h"
#include "platform/ui/WinUser.h"
#include "support/UiApplication.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Mouse input the way the toolkit's events arrive at the window procedure.
void SendMouse(CWnd& wnd, UINT message, CPoint pt, UINT keys) {
    wnd.SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
}

// A page-sized owner with the graph at its place, every output tuned and shown.
struct GraphBench {
    GraphBench() {
        InitData();
        g_nViewMode = 1;
        g_bShowAllCurves = 1;
        doc = std::make_unique<CKTV_Data>();
        owner.CreateEx(0, "", "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 260), nullptr, 0);
        graph.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 1010, 210), &owner, 4000);
        graph.SetOwnerWnd(&owner);
        graph.LoadLinkBitmap(CZNStatic::kLinkBitmap);
        graph.AttachChannelData(doc.get(), CZNStatic::MODE_OUTPUT);
        for (int n = 0; n < NUM_OUTPUTS; ++n) {
            g_outCurveShown[n] = 1;
            CKTV_OutData* out = doc->GetOut(n);
            for (int i = 0; i < 10; ++i) {
                CFilter* f = out->GetBand(i * 3);
                f->SetFreq(40 + 180 * i + 11 * n, FALSE);
                f->SetBandwidthPos(40 + 7 * i);
                f->SetGainPos(200 + ((i * 37 + n * 11) % 120 - 60));
            }
            out->GetHPF()->SetFreq(30 + 5 * n, FALSE);
            out->GetLPF()->SetFreq(15000, FALSE);
        }
        graph.SetOutputChannel(0);
        graph.SetMode(CZNStatic::MODE_OUTPUT);
        r9test::UiApplication::ProcessEvents();
    }
    ~GraphBench() {
        graph.DestroyWindow();
        owner.DestroyWindow();
    }
    std::unique_ptr<CKTV_Data> doc;
    CWnd owner;
    CZNStatic graph;
};

void BM_GraphDragStepAllCurves(benchmark::State& state) {
    GraphBench b;
    g_bShowAllCurves = static_cast<int>(state.range(0));
    CFilter* band = b.doc->GetOut(0)->GetBand(12);
    const CPoint start = band->m_rcHandle.CenterPoint();
    SendMouse(b.graph, WM_MOUSEMOVE, start, 0);
    SendMouse(b.graph, WM_LBUTTONDOWN, start, MK_LBUTTON);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        const CPoint to(start.x + 3 * step, start.y - step);
        SendMouse(b.graph, WM_MOUSEMOVE, to, MK_LBUTTON);
        benchmark::DoNotOptimize(band->GetFreq());
    }
    SendMouse(b.graph, WM_LBUTTONUP, start, 0);
    if (!b.graph.IsChanged() && band->GetFreq() == 40 + 180 * 4)
        state.SkipWithError("the band did not follow the pointer");
}
BENCHMARK(BM_GraphDragStepAllCurves)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

void BM_GraphFullRepaint(benchmark::State& state) {
    GraphBench b;
    b.graph.RefreshCurve(15);
    for (auto _ : state) {
        b.graph.Invalidate(FALSE);
        b.graph.UpdateWindow();
    }
}
BENCHMARK(BM_GraphFullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    // The application comes before any window: the graph loads its cursors and art when made.
    r9test::UiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
