// The preset files: reading and checking a ".vtaa" and a JSON all-presets document into a staged
// value (from memory and from a file), and writing a JSON all-presets document. Medians over
// repetitions are the figures to read.
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "presets/JsonPreset.h"
#include "presets/PresetArchive.h"
#include "presets/PresetRecords.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

PresetRecords Records() {
    static const PresetRecords r = [] {
        InitData();
        PresetRecords v = PresetRecords::FromGlobals();
        v.locked = true;
        v.lockPassword = "123456";
        return v;
    }();
    return r;
}

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return (std::filesystem::path(dir && *dir ? dir : "/tmp") / name).string();
}

void BM_DecodeAllPresetsArchive(benchmark::State& state) {
    const PresetRecords base = Records();
    const std::vector<BYTE> file = CPresetArchive::EncodeAllPresets(base);
    for (auto _ : state) {
        PresetReadResult r = CPresetArchive::DecodeAllPresets(file.data(), file.size(), base);
        benchmark::DoNotOptimize(r.ok);
    }
}

void BM_ReadAllPresetsArchiveFile(benchmark::State& state) {
    const PresetRecords base = Records();
    const CString path(TempPath("bench_presets.vtaa"));
    CPresetArchive::WriteAllPresetsFile(path, base);
    for (auto _ : state) {
        PresetReadResult r = CPresetArchive::ReadAllPresetsFile(path, PresetRecords::FromGlobals());
        benchmark::DoNotOptimize(r.ok);
    }
    std::filesystem::remove(path.GetString());
}

void BM_DecodeJsonComplete(benchmark::State& state) {
    const PresetRecords base = Records();
    CJsonPreset json;
    const std::vector<BYTE> file = json.EncodeComplete(base, 0);
    state.counters["bytes"] = static_cast<double>(file.size());
    for (auto _ : state) {
        PresetReadResult r = json.DecodeComplete(file.data(), file.size(), base);
        benchmark::DoNotOptimize(r.ok);
    }
}

void BM_ReadJsonCompleteFile(benchmark::State& state) {
    const PresetRecords base = Records();
    CJsonPreset json;
    const CString path(TempPath("bench_presets.jtah"));
    json.WriteCompleteFile(path, base);
    for (auto _ : state) {
        PresetReadResult r = json.ReadCompleteFile(path, PresetRecords::FromGlobals());
        benchmark::DoNotOptimize(r.ok);
    }
    std::filesystem::remove(path.GetString());
}

void BM_EncodeJsonComplete(benchmark::State& state) {
    const PresetRecords base = Records();
    CJsonPreset json;
    for (auto _ : state) {
        std::vector<BYTE> bytes = json.EncodeComplete(base, 0);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_WriteJsonCompleteFile(benchmark::State& state) {
    const PresetRecords base = Records();
    CJsonPreset json;
    const CString path(TempPath("bench_presets_out.jtah"));
    for (auto _ : state)
        benchmark::DoNotOptimize(json.WriteCompleteFile(path, base));
    std::filesystem::remove(path.GetString());
}

} // namespace

BENCHMARK(BM_DecodeAllPresetsArchive)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_ReadAllPresetsArchiveFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_DecodeJsonComplete)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_ReadJsonCompleteFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
BENCHMARK(BM_EncodeJsonComplete)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_WriteJsonCompleteFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly(true);
