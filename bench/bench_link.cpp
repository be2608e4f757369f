// The device link against the emulator on loopback TCP: connect to online, a change to the wire
// while the link polls, the idle poll's CPU share, and the reply parser's throughput.
#include "devsim/DeviceEmulator.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkMessages.h"
#include "link/LinkWorker.h"
#include "link/Net_Socket.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/LinkDocument.h"
#include "model/RecordFrames.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/io/PingProbe.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class Sink : public CMessageTarget {
public:
    Sink() { m_hWnd = RegisterTarget(); }
    ~Sink() override { UnregisterTarget(); }
    HWND Handle() const { return m_hWnd; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        if (m_on)
            m_on(message, wParam);
        return 0;
    }
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            r9::msg::DeliverPending();
            if (Clock::now() > end)
                return false;
            std::this_thread::yield();
        }
        return true;
    }
    std::function<void(UINT, WPARAM)> m_on;

private:
    HWND m_hWnd = nullptr;
};

class Host : public CLinkHost {
public:
    CHidDevice* GetUsbDevice() override { return nullptr; }
    BOOL OpenUsbDevice() override { return FALSE; }
    CNetTransport* GetNetTransport() override { return m_net.get(); }
    BOOL IsLinkOpen() override { return TRUE; }
    std::unique_ptr<CNet_Socket> m_net;
};

class Document : public CLinkDocument {
public:
    std::unique_ptr<CSendData> BuildNextChangeFrame() override {
        std::lock_guard lock(m_lock);
        if (m_pending) {
            m_pending = false;
            return BuildChunkFrame(GROUP_OUTPUT, 2, 5);
        }
        return CLinkDocument::BuildNextChangeFrame();
    }
    // As a marking setter does: mark, then tell the worker.
    void Change() {
        {
            std::lock_guard lock(m_lock);
            m_pending = true;
        }
        CLinkWorker::NotifyChange();
    }

private:
    std::mutex m_lock;
    bool m_pending = false;
};

// One TCP link to a fresh emulator, its worker polling.
struct Rig {
    CDeviceEmulator dev;
    Sink sink;
    CKTVCommand cmd;
    Host host;
    Document doc;
    CLinkWorker worker{cmd, host};

    Rig() {
        InitData();
        dev.StartTcp(0);
        g_strDevIP = "127.0.0.1";
        g_nNetPort = dev.GetTcpPort();
        SetPingProbe([](const char*, std::string*) { return TRUE; });
        host.m_net = std::make_unique<CNet_Socket>();
        host.m_net->m_bReachable = 1;
        host.m_net->Connect();
        cmd.SetOwner(sink.Handle());
        g_nLinkState = LINK_NET;
        g_bNetEnabled = 1;
        g_bTransfersStopped = 0;
        SetLinkDocument(&doc);
    }
    ~Rig() {
        worker.Stop(TRUE);
        SetLinkDocument(nullptr);
        cmd.ClearQueue();
        r9::msg::DeliverPending();
        host.m_net.reset();
        SetPingProbe({});
        g_nLinkState = LINK_NONE;
        g_bNetEnabled = 0;
    }
};

// The requests of the connect sequence, as the main view queues them.
void QueueFullRead(CKTVCommand& cmd) {
    std::lock_guard lock(g_linkLock);
    for (int p = 1; p <= NUM_STORED_PRESETS; ++p)
        cmd.AddPacket(BuildSystemReadFrame(CMD_PRESET_NAME, p));
    for (int i = 0; i < 6; ++i)
        cmd.AddPacket(BuildSystemReadFrame(g_sysReadList[i], 0));
    cmd.AddPacket(BuildSystemReadFrame(CMD_BOOT_SOURCE, 0));
    for (int i = 0; i < NUM_INPUTS; ++i)
        cmd.AddPacket(BuildReadFrame(0, GROUP_INPUT, i, TRUE, FALSE));
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        cmd.AddPacket(BuildReadFrame(0, GROUP_OUTPUT, j, TRUE, FALSE));
}

void BM_ConnectToOnline(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig;
        bool live = false;
        rig.sink.m_on = [&](UINT message, WPARAM) {
            if (message == WM_VERSION_RECEIVED)
                QueueFullRead(rig.cmd);
            if (message == WM_LIVE_DATA_RECEIVED)
                live = true;
        };
        const auto start = Clock::now();
        {
            std::lock_guard lock(g_linkLock);
            g_bLinkCheckPending = 1;
            rig.cmd.AddPacket(BuildSystemReadFrame(CMD_LINK_CHECK, 0));
            rig.cmd.AddPacket(BuildSystemReadFrame(CMD_VERSION, 0));
        }
        rig.worker.Start(FALSE);
        rig.sink.PumpUntil([&] { return live; });
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_ConnectToOnline)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5);

void BM_ChangeToWireWhilePolling(benchmark::State& state) {
    Rig rig;
    rig.worker.Start(FALSE);
    rig.dev.WaitForRequest([](const DevsimRequest&) { return true; }, 5000);
    std::mt19937 rng(11);
    for (auto _ : state) {
        // A user's change comes at any moment of the poll cycle.
        state.PauseTiming();
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 12000)(rng)));
        state.ResumeTiming();
        const size_t from = rig.dev.GetRequestCount();
        const auto start = Clock::now();
        rig.doc.Change();
        rig.dev.WaitForRequest(
            [](const DevsimRequest& r) {
                return r.frame.size() > 8 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE;
            },
            5000, from);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        r9::msg::DeliverPending();
    }
}
BENCHMARK(BM_ChangeToWireWhilePolling)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5);

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::set<int> TaskIds() {
    std::set<int> ids;
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/task"))
        ids.insert(std::stoi(e.path().filename().string()));
    return ids;
}

// utime + stime of one thread of this process, in seconds.
double ThreadCpuSeconds(int tid) {
    std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string f;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i)
        if (i >= 14)
            ticks += std::stol(f);
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// CPU per wall second of polling: the worker thread alone, and the whole process (worker,
// emulator and the pumping thread).
void BM_IdlePollCpuShare(benchmark::State& state) {
    Rig rig;
    const std::set<int> before = TaskIds();
    rig.worker.Start(FALSE);
    rig.dev.WaitForRequest([](const DevsimRequest&) { return true; }, 5000);
    int worker = 0;
    for (int id : TaskIds())
        if (!before.count(id))
            worker = id;
    for (auto _ : state) {
        const double workerCpu0 = worker ? ThreadCpuSeconds(worker) : 0;
        const double cpu0 = ProcessCpuSeconds();
        const size_t polls0 = rig.dev.GetRequestCount();
        const auto start = Clock::now();
        while (Clock::now() - start < std::chrono::seconds(1)) {
            r9::msg::DeliverPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["process_cpu_pct"] = 100.0 * (ProcessCpuSeconds() - cpu0) / wall;
        if (worker)
            state.counters["worker_cpu_pct"] = 100.0 * (ThreadCpuSeconds(worker) - workerCpu0) / wall;
        state.counters["polls_per_s"] = static_cast<double>(rig.dev.GetRequestCount() - polls0) / wall;
    }
}
BENCHMARK(BM_IdlePollCpuShare)->Unit(benchmark::kMillisecond)->Iterations(5);

// One poll round trip on the calling thread (no worker pauses).
void BM_OnePollRoundTrip(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        rig.worker.NetTransferCycle();
        rig.worker.NetTransferCycle();
    }
}
BENCHMARK(BM_OnePollRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_ParserThroughput(benchmark::State& state) {
    InitData();
    std::vector<BYTE> bytes(1 << 20);
    std::mt19937 rng(7);
    for (BYTE& b : bytes)
        b = static_cast<BYTE>(rng());
    CKTVCommand cmd;
    for (auto _ : state) {
        cmd.FeedBytes(bytes.data(), static_cast<int>(bytes.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParserThroughput)->Unit(benchmark::kMillisecond);

} // namespace
