// The whole program idle online: build*/r9vq-tn offscreen against the device emulator over TCP,
// with nothing to send but the idle poll. Each repetition measures the program's CPU time (all its
// threads) per wall second over a few seconds, and the polls the emulator saw in that time (which
// must not change: the poll and its pauses are the device's pacing). Target: under 3 % of a core.
#include "ChildProgram.h"
#include "devsim/DeviceEmulator.h"
#include "wire/LinkFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool IsIdlePoll(const DevsimRequest& r) {
    const auto& f = r.frame;
    return f.size() > LinkFrame::OFS_INDEX && f[LinkFrame::OFS_TYPE] == FRAME_READ &&
           f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
}

// One program online for every repetition.
struct Online {
    Online() {
        if (!dev.StartTcp(0))
            return;
        home = benchchild::MakeHome("r9-bench-idle");
        pid = benchchild::Start(benchchild::ProgramPath(), home,
                                {{"R9_NET", "127.0.0.1:" + std::to_string(dev.GetTcpPort())}}, nullptr);
        // Online once the idle poll runs; then a moment for the start-up reads and the first paints.
        if (pid > 0 && dev.WaitForRequest(IsIdlePoll, 30000) >= 0) {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            ready = true;
        }
    }
    ~Online() {
        benchchild::Stop(pid);
        dev.Stop();
        std::filesystem::remove_all(home);
    }
    CDeviceEmulator dev;
    std::string home;
    pid_t pid = -1;
    bool ready = false;
};

void BM_IdleOnlineCpu(benchmark::State& state) {
    static Online online;
    if (!online.ready) {
        state.SkipWithError("the program did not come online against the emulator");
        return;
    }
    for (auto _ : state) {
        const double cpu0 = benchchild::CpuSeconds(online.pid);
        const size_t polls0 = online.dev.GetRequestCount();
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(5));
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = benchchild::CpuSeconds(online.pid) - cpu0;
        state.SetIterationTime(wall);
        state.counters["cpu_pct"] = 100.0 * cpu / wall;
        state.counters["polls_per_s"] = static_cast<double>(online.dev.GetRequestCount() - polls0) / wall;
    }
}
BENCHMARK(BM_IdleOnlineCpu)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace
