// Start-up of the program: from starting the process to the first painted main window (offline,
// warm: the files were read by the runs before), and the resident memory at that point. Each run
// starts build/r9vq-tn offscreen with R9_STARTUP_REPORT, which ends it at its first paint with its
// resident size. Targets: median under 400 ms, resident memory under 80 MB.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <unistd.h>

namespace {

std::string ProgramPath() {
    char self[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    return (std::filesystem::path(std::string(self, static_cast<size_t>(n))).parent_path().parent_path() /
            "r9vq-tn")
        .string();
}

// One start; false when the program did not report.
bool StartOnce(const std::string& program, const std::string& home, double* seconds, long* rssKb) {
    int out[2];
    if (::pipe(out) != 0)
        return false;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("R9_STARTUP_REPORT", "1", 1);
        // Offline: nothing answers at this address, and the settings are the bench's own.
        ::setenv("R9_NET", "127.0.0.1:9", 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buf[256];
    ssize_t got;
    while ((got = ::read(out[0], buf, sizeof buf)) > 0) {
        text.append(buf, static_cast<size_t>(got));
        if (text.find('\n') != std::string::npos)
            break;
    }
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return std::sscanf(text.c_str(), "painted rss_kb %ld", rssKb) == 1;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    const std::string program = ProgramPath();
    const std::string home = (std::filesystem::temp_directory_path() / "r9-bench-startup").string();
    std::filesystem::create_directories(home + "/config");
    std::filesystem::create_directories(home + "/runtime");
    std::filesystem::permissions(home + "/runtime", std::filesystem::perms::owner_all);
    double seconds = 0;
    long rss = 0;
    // Warm the disk and the font caches once.
    if (!StartOnce(program, home, &seconds, &rss)) {
        state.SkipWithError(("the program did not report: " + program).c_str());
        return;
    }
    long maxRss = 0;
    for (auto _ : state) {
        if (!StartOnce(program, home, &seconds, &rss)) {
            state.SkipWithError("the program did not report");
            return;
        }
        state.SetIterationTime(seconds);
        maxRss = std::max(maxRss, rss);
    }
    state.counters["rss_mb"] = static_cast<double>(maxRss) / 1024.0;
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max",
                        [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

} // namespace
