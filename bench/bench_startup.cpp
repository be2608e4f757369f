// Start-up of the program: from starting the process to the first painted main window (offline,
// warm: the files were read by the runs before), and the resident memory at that point. Each run
// starts build*/r9vq-tn offscreen with R9_STARTUP_REPORT, which ends it at its first paint with its
// resident size. Every iteration also starts the bare Qt program (bench/bare: one painted window of
// the same size), so the ratio compares both under the same machine load.
// Targets: median under 400 ms and at most 4x the bare program; resident memory under 80 MB.
#include "ChildProgram.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One start to the first paint; false when the program did not report.
bool StartOnce(const std::string& program, const std::string& home, double* seconds, long* rssKb) {
    int out = -1;
    const auto start = std::chrono::steady_clock::now();
    // Offline: nothing answers at this address.
    const pid_t pid =
        benchchild::Start(program, home, {{"R9_STARTUP_REPORT", "1"}, {"R9_NET", "127.0.0.1:9"}}, &out);
    if (pid < 0)
        return false;
    std::string text;
    char buf[256];
    ssize_t got;
    while ((got = ::read(out, buf, sizeof buf)) > 0) {
        text.append(buf, static_cast<size_t>(got));
        if (text.find('\n') != std::string::npos)
            break;
    }
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::close(out);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return std::sscanf(text.c_str(), "painted rss_kb %ld", rssKb) == 1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void BM_StartToFirstPaint(benchmark::State& state) {
    const std::string program = benchchild::ProgramPath();
    const std::string bare = (benchchild::BenchDir() / "bare_qt_window").string();
    const std::string home = benchchild::MakeHome("r9-bench-startup");
    double seconds = 0;
    long rss = 0;
    // Warm the disk and the font caches once.
    if (!StartOnce(program, home, &seconds, &rss) || !StartOnce(bare, home, &seconds, &rss)) {
        state.SkipWithError(("the program did not report: " + program).c_str());
        return;
    }
    std::vector<double> mine, floor;
    long maxRss = 0, bareRss = 0;
    for (auto _ : state) {
        double bareSeconds = 0;
        long bareKb = 0;
        if (!StartOnce(bare, home, &bareSeconds, &bareKb) || !StartOnce(program, home, &seconds, &rss)) {
            state.SkipWithError("the program did not report");
            return;
        }
        state.SetIterationTime(seconds);
        mine.push_back(seconds);
        floor.push_back(bareSeconds);
        maxRss = std::max(maxRss, rss);
        bareRss = std::max(bareRss, bareKb);
    }
    state.counters["rss_mb"] = static_cast<double>(maxRss) / 1024.0;
    state.counters["bare_rss_mb"] = static_cast<double>(bareRss) / 1024.0;
    state.counters["bare_ms"] = Median(floor) * 1000.0;
    state.counters["x_bare"] = Median(mine) / Median(floor);
}
BENCHMARK(BM_StartToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace
