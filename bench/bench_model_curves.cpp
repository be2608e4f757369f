// Response curves of the parameter model: one band setter with its channel's summed curve, and
// every output's summed curve from scratch.
#include "model/Globals.h"
#include "model/KTVEQ.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// An output band set with every filter active: 31 peaks with gains, 48 dB/Oct crossovers.
std::unique_ptr<CKTVEQ> MakeOutput(int channel) {
    auto eq = std::make_unique<CKTVEQ>();
    eq->SetChannel(channel);
    eq->BuildOutputBands(30, 32, 10, 80, 12000);
    for (int i = 0; i <= 30; ++i) {
        CFilter* f = eq->GetAt(i);
        f->SetBandwidthPos(10 + 9 * i);
        f->SetGainPos(200 + ((i * 37) % 200 - 100) + (i % 2 ? 0 : 1));
    }
    eq->GetHPF()->SetSlope(7, FALSE);
    eq->GetLPF()->SetSlope(7, FALSE);
    eq->SetGraphRect(CRect(0, 0, 600, 240));
    eq->UpdateSumCurve();
    return eq;
}

void BM_BandGainSetterAndSum(benchmark::State& state) {
    g_bOnline = 1;
    auto eq = MakeOutput(0);
    CFilter* band = eq->GetAt(12);
    int pos = 250;
    for (auto _ : state) {
        pos = pos == 250 ? 251 : 250;
        band->SetGainPos(pos);
        eq->UpdateSumCurve();
        benchmark::DoNotOptimize(eq->m_ptCurve[120]);
    }
    g_bOnline = 0;
}
BENCHMARK(BM_BandGainSetterAndSum)->Repetitions(9)->DisplayAggregatesOnly(true);

void BM_CrossoverFreqSetterAndSum(benchmark::State& state) {
    g_bOnline = 1;
    auto eq = MakeOutput(0);
    CFilter* hp = eq->GetHPF();
    int hz = 80;
    for (auto _ : state) {
        hz = hz == 80 ? 85 : 80;
        hp->SetFreq(hz, TRUE);
        eq->UpdateSumCurve();
        benchmark::DoNotOptimize(eq->m_ptCurve[120]);
    }
    g_bOnline = 0;
}
BENCHMARK(BM_CrossoverFreqSetterAndSum)->Repetitions(9)->DisplayAggregatesOnly(true);

void BM_AllOutputsFromScratch(benchmark::State& state) {
    std::unique_ptr<CKTVEQ> outs[8];
    for (int j = 0; j < 8; ++j)
        outs[j] = MakeOutput(j);
    for (auto _ : state) {
        for (auto& eq : outs) {
            for (INT_PTR k = 0; k < eq->GetSize(); ++k)
                eq->GetAt(k)->UpdateResponse();
            eq->UpdateSumCurve();
        }
        benchmark::DoNotOptimize(outs[7]->m_ptCurve[120]);
    }
}
BENCHMARK(BM_AllOutputsFromScratch)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);

} // namespace
