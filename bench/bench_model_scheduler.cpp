// The document model on the link worker's path: the scheduler with nothing pending (the idle
// poll every empty-queue cycle builds), a scheduler pass that finds one band, and one band setter
// of a whole output with its summed curve.
#include "model/KTV_Data.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A document as after a live read: loaded, online, live name already "Custom".
std::unique_ptr<CKTV_Data> MakeDocument() {
    InitData();
    auto doc = std::make_unique<CKTV_Data>();
    doc->SetOutCurveRect(CRect(0, 0, 600, 240));
    doc->SetMusicCurveRect(CRect(0, 0, 600, 240));
    StringToField(g_curImage.system.name, 16, CString(g_strCustom));
    g_curPresetNo[0] = 0;
    g_strEmpty = g_strCustom;
    g_bLiveDataSent = 1;
    g_bOnline = 1;
    doc->SetAllChanged(FALSE);
    return doc;
}

void BM_SchedulerIdlePoll(benchmark::State& state) {
    auto doc = MakeDocument();
    for (auto _ : state) {
        auto frame = doc->BuildNextChangeFrame();
        benchmark::DoNotOptimize(frame.get());
    }
    g_bOnline = 0;
}
BENCHMARK(BM_SchedulerIdlePoll)->Repetitions(9)->DisplayAggregatesOnly(true);

// Worst place for a pending change: the last band the scheduler looks at (output 8, band 10).
void BM_SchedulerLastBand(benchmark::State& state) {
    auto doc = MakeDocument();
    CFilter* band = doc->GetOut(7)->GetBand(9);
    int pos = 250;
    for (auto _ : state) {
        pos = pos == 250 ? 251 : 250;
        state.PauseTiming();
        band->SetGainPos(pos);
        state.ResumeTiming();
        auto frame = doc->BuildNextChangeFrame();
        benchmark::DoNotOptimize(frame.get());
    }
    g_bOnline = 0;
}
BENCHMARK(BM_SchedulerLastBand)->Repetitions(9)->DisplayAggregatesOnly(true);

// A page's band gain setter: the band's response and its output's summed curve.
void BM_OutputBandSetterAndCurve(benchmark::State& state) {
    auto doc = MakeDocument();
    CKTV_OutData* out = doc->GetOut(0);
    for (int i = 0; i <= 30; ++i)
        out->GetBand(i)->SetGainPos(200 + ((i * 37) % 200 - 100) + (i % 2 ? 0 : 1));
    out->GetHPF()->SetSlope(7, TRUE);
    out->GetLPF()->SetSlope(7, TRUE);
    CFilter* band = out->GetBand(12);
    int pos = 250;
    for (auto _ : state) {
        pos = pos == 250 ? 251 : 250;
        band->SetGainPos(pos);
        out->UpdateCurve();
        benchmark::DoNotOptimize(out->GetCurveF()[120]);
    }
    g_bOnline = 0;
}
BENCHMARK(BM_OutputBandSetterAndCurve)->Repetitions(9)->DisplayAggregatesOnly(true);

} // namespace
