// The grid: sorting 100,000 rows by a text column (the sort alone) and the grid's SortTextItems over
// its largest row count (32,767); reading a 10 MB CSV file, and Load of a file a grid can hold.
#include "grid/GridCsv.h"
#include "grid/GridCtrl.h"
#include "grid/GridSorter.h"
#include "support/UiApplication.h"

#include <benchmark/benchmark.h>

#include <cstdint>
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
BENCHMARK(BM_SortTextRows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);

void BM_GridSortTextItems(benchmark::State& state) {
    constexpr int kRows = 0x7FFF - 1;
    const std::vector<CString> source = RandomTexts(kRows);
    CGridCtrl grid(kRows + 1, 3, 1, 1);
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 1; row <= kRows; ++row)
            grid.SetItemText(row, 1, source[static_cast<size_t>(row - 1)]);
        state.ResumeTiming();
        if (!grid.SortTextItems(1, TRUE)) {
            state.SkipWithError("no sort");
            break;
        }
        state.PauseTiming();
        if (grid.GetItemText(1, 1) > grid.GetItemText(2, 1) || grid.GetRowCount() != kRows + 1)
            state.SkipWithError("not sorted");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridSortTextItems)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// A file of parameter-like rows up to the given size or line count; its size in bytes.
size_t WriteCsv(const std::string& path, size_t limit = 10u * 1024 * 1024, size_t maxLines = SIZE_MAX) {
    size_t bytes = 0;
    size_t lines = 0;
    {
        std::ofstream out(path, std::ios::binary);
        std::mt19937 rng(3);
        for (; bytes < limit && lines < maxLines; ++lines) {
            std::string line = std::to_string(rng()) + ",Band " + std::to_string(rng() % 31) +
                               ",-3.5,1000,0.71," + std::to_string(rng() % 100) + "\n";
            out << line;
            bytes += line.size();
        }
    }
    return bytes;
}

std::string CsvPath() {
    return std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/bench-grid-" +
           std::to_string(getpid()) + ".csv";
}

void BM_ReadCsv10MB(benchmark::State& state) {
    const std::string path = CsvPath();
    const size_t bytes = WriteCsv(path);
    for (auto _ : state) {
        CCsvTable lines;
        CGridCsv::Read(path.c_str(), lines);
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadCsv10MB)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly(true);

void BM_GridLoadCsv(benchmark::State& state) {
    const std::string path = CsvPath();
    const size_t bytes = WriteCsv(path, SIZE_MAX, 0x7FFF - 1);
    CGridCtrl grid;
    for (auto _ : state)
        grid.Load(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    std::remove(path.c_str());
}
BENCHMARK(BM_GridLoadCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    // Text extents of the grid need the application object.
    r9test::UiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
