// The output page: selecting another output (the rows, crossovers, level group and strips
// reloaded, then the page painted with its children), and a full repaint of the page.
#include "controls/AppObjects.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "pages/output/OutputDlg.h"
#include "platform/ui/WinUser.h"
#include "support/UiApplication.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

// The page at the tab area's size on a tuned document, every output's curve shown.
struct PageBench {
    PageBench() {
        InitData();
        CreateProgramFonts();
        g_nViewMode = 1;
        g_bShowAllCurves = 1;
        doc = std::make_unique<CKTV_Data>();
        owner.CreateEx(0, "", "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 656), nullptr, 0);
        page = std::make_unique<COutputDlg>(&owner);
        page->CreatePage(&owner, nullptr);
        page->AttachChannelData(doc.get());
        page->MoveWindow(0, 0, 1280, 656);
        page->ShowWindow(SW_SHOW);
        for (int n = 0; n < NUM_OUTPUTS; ++n) {
            g_outCurveShown[n] = 1;
            CKTV_OutData* out = doc->GetOut(n);
            for (int i = 0; i < 10; ++i) {
                CFilter* f = out->GetBand(i);
                f->SetFreq(40 + 180 * i + 11 * n, FALSE);
                f->SetBandwidthPos(40 + 7 * i);
                f->SetGainPos(200 + ((i * 37 + n * 11) % 120 - 60));
            }
            out->GetHPF()->SetFreq(30 + 5 * n, FALSE);
            out->GetLPF()->SetFreq(15000, FALSE);
        }
        page->RefreshAll();
        r9test::UiApplication::ProcessEvents();
    }
    ~PageBench() {
        page->DestroyWindow();
        page.reset();
        owner.DestroyWindow();
        DeleteProgramObjects();
    }
    std::unique_ptr<CKTV_Data> doc;
    CWnd owner;
    std::unique_ptr<COutputDlg> page;
};

void BM_OutputSelect(benchmark::State& state) {
    PageBench b;
    // Outputs 1..8 in turn: 31-row and 10-row layouts both come up.
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % NUM_OUTPUTS;
        b.page->OnOutputSelect(next);
        b.page->RedrawWindow(nullptr, nullptr, kRepaintAll);
    }
    if (g_nCurOut.load() != next)
        state.SkipWithError("the output was not selected");
}
BENCHMARK(BM_OutputSelect)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true);

void BM_OutputPageFullRepaint(benchmark::State& state) {
    PageBench b;
    for (auto _ : state)
        b.page->RedrawWindow(nullptr, nullptr, kRepaintAll);
}
BENCHMARK(BM_OutputPageFullRepaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    // The application comes before any window: the page loads its cursors and art when made.
    r9test::UiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
