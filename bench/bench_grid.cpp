// The grid: sorting 100,000 rows by a text column, and reading a 10 MB CSV file.
#include "grid/GridCsv.h"
#include "grid/GridSorter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<CString> RandomTexts(size_t count) {
    std::mt19937 rng(11);
    std::vector<CString> texts;
    texts.reserve(count);
    for (size_t k = 0; k < count; ++k)
        texts.emplace_back("Preset " + std::to_string(rng() % 1000000));
    return texts;
}

void BM_SortTextRows(benchmark::State& state) {
    const std::vector<CString> source = RandomTexts(100000);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<CString> texts = source;
        state.ResumeTiming();
        CGridSorter::SortText(
            0, static_cast<int>(texts.size()) - 1, true,
            [&](int row) -> const CString& { return texts[static_cast<size_t>(row)]; },
            [&](int a, int b) { std::swap(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]); });
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_SortTextRows)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ReadCsv10MB(benchmark::State& state) {
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/bench-grid-" + std::to_string(getpid()) + ".csv";
    size_t bytes = 0;
    {
        std::ofstream out(path, std::ios::binary);
        std::mt19937 rng(3);
        while (bytes < 10u * 1024 * 1024) {
            std::string line = std::to_string(rng()) + ",Band " + std::to_string(rng() % 31) +
                               ",-3.5,1000,0.71," + std::to_string(rng() % 100) + "\n";
            out << line;
            bytes += line.size();
        }
    }
    for (auto _ : state) {
        std::vector<CGridCsv::Row> lines;
        CGridCsv::Read(path.c_str(), lines);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadCsv10MB)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
