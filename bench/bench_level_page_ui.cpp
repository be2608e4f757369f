// The level and delay page: an output fader step to its frame on the wire while online (the page's
// handler, the model's setter, the link worker's next pass to the emulator over loopback TCP), a
// master fader step to its system record on the wire, and the page's RefreshAll painted.
#include "devsim/DeviceEmulator.h"

#include "controls/AppObjects.h"
#include "controls/ControlMessages.h"
#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/LinkWorker.h"
#include "link/Net_Socket.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkDocument.h"
#include "model/RecordFrames.h"
#include "model/SpeakerGroupTable.h"
#include "pages/level/LevelPageHost.h"
#include "pages/level/Level_Delay_Dlg.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/io/PingProbe.h"
#include "platform/ui/WinUser.h"
#include "support/UiApplication.h"
#include "wire/LinkFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;

class Sink : public CMessageTarget {
public:
    Sink() { m_hWnd = RegisterTarget(); }
    ~Sink() override { UnregisterTarget(); }
    HWND Handle() const { return m_hWnd; }
    LRESULT WindowProc(UINT, WPARAM, LPARAM) override { return 0; }

private:
    HWND m_hWnd = nullptr;
};

class Host : public CLinkHost, public CLevelPageHost {
public:
    CHidDevice* GetUsbDevice() override { return nullptr; }
    BOOL OpenUsbDevice() override { return FALSE; }
    CNetTransport* GetNetTransport() override { return m_net.get(); }
    BOOL IsLinkOpen() override { return TRUE; }
    // As the view does: a system record is queued, the system-data mark wakes the worker.
    void SendCommand(int cmd, int preset) override {
        std::lock_guard lock(g_linkLock);
        if (auto packet = BuildSystemFrame(cmd, preset))
            m_cmd->AddPacket(std::move(packet));
    }
    void SetSystemDataDirty(BOOL set) override {
        g_bSystemDataDirty = set ? 1 : 0;
        if (set)
            CLinkWorker::NotifyChange();
    }
    void PostToInputPage(UINT, WPARAM, LPARAM) override {}
    void ValidateSource(int, int) override {}
    void ShowOutputPage() override {}
    void ShowCurrentInput(int) override {}
    std::unique_ptr<CNet_Socket> m_net;
    CKTVCommand* m_cmd = nullptr;
};

// The page on a real document, online over TCP to a fresh emulator, its worker polling.
struct Rig {
    CDeviceEmulator dev;
    Sink sink;
    CKTVCommand cmd;
    Host host;
    CKTV_Data doc;
    CLinkWorker worker{cmd, host};
    CWnd owner;
    std::unique_ptr<CLevel_Delay_Dlg> page;

    Rig() {
        InitData();
        CreateProgramFonts();
        doc.InitLinkTable();
        for (int n = 0; n < NUM_OUTPUTS; ++n)
            g_posState[POS_STATE_OUTPUTS + n] = static_cast<BYTE>(n + 1);
        g_spkGroups.Rebuild();
        dev.StartTcp(0);
        g_strDevIP = "127.0.0.1";
        g_nNetPort = dev.GetTcpPort();
        SetPingProbe([](const char*, std::string*) { return TRUE; });
        host.m_net = std::make_unique<CNet_Socket>();
        host.m_net->m_bReachable = 1;
        host.m_net->Connect();
        host.m_cmd = &cmd;
        cmd.SetOwner(sink.Handle());
        g_nLinkState = LINK_NET;
        g_bNetEnabled = 1;
        g_bTransfersStopped = 0;
        SetLinkDocument(&doc);
        owner.CreateEx(0, "", "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 656), nullptr, 0);
        page = std::make_unique<CLevel_Delay_Dlg>(&owner);
        page->CreatePage(&owner, &host, &doc);
        page->MoveWindow(0, 0, 1280, 656);
        page->ShowWindow(SW_SHOW);
        page->ApplyLanguage();
        page->RefreshAll();
        r9test::UiApplication::ProcessEvents();
        g_bOnline = 1;
        worker.Start(FALSE);
        dev.WaitForRequest([](const DevsimRequest&) { return true; }, 5000);
    }
    ~Rig() {
        worker.Stop(TRUE);
        g_bOnline = 0;
        SetLinkDocument(nullptr);
        cmd.ClearQueue();
        r9::msg::DeliverPending();
        host.m_net.reset();
        SetPingProbe({});
        g_nLinkState = LINK_NONE;
        g_bNetEnabled = 0;
        page->DestroyWindow();
        page.reset();
        owner.DestroyWindow();
        DeleteProgramObjects();
    }
    // Waits for a write of the group (and system record, for GROUP_SYSTEM) logged from `from` on.
    bool WaitForWrite(int group, int index, size_t from) {
        return dev.WaitForRequest(
                   [group, index](const DevsimRequest& r) {
                       return r.frame.size() > LinkFrame::OFS_INDEX &&
                              r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                              r.frame[LinkFrame::OFS_GROUP] == group &&
                              r.frame[LinkFrame::OFS_INDEX] == index;
                   },
                   5000, from) >= 0;
    }
};

void BM_OutputFaderStepToWire(benchmark::State& state) {
    Rig rig;
    constexpr int kOut = 3;
    int level = 400;
    for (auto _ : state) {
        level = level == 400 ? 401 : 400;
        const size_t from = rig.dev.GetRequestCount();
        const auto start = Clock::now();
        rig.page->OutputFader(kOut).SetPos(level);
        rig.page->SendMessage(WM_SLIDER_MOVING, static_cast<WPARAM>(levelpage::kOutputFader + kOut), 0);
        if (!rig.WaitForWrite(GROUP_OUTPUT, kOut, from))
            state.SkipWithError("the output's frame never reached the device");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        r9::msg::DeliverPending();
    }
}
BENCHMARK(BM_OutputFaderStepToWire)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

void BM_MasterFaderStepToWire(benchmark::State& state) {
    Rig rig;
    int volume = 40;
    for (auto _ : state) {
        volume = volume == 40 ? 41 : 40;
        const size_t from = rig.dev.GetRequestCount();
        const auto start = Clock::now();
        rig.page->MasterFader().SetPos(volume);
        rig.page->SendMessage(WM_SLIDER_MOVING, static_cast<WPARAM>(levelpage::kMasterFader), 0);
        if (!rig.WaitForWrite(GROUP_SYSTEM, CMD_SYSTEM_DATA, from))
            state.SkipWithError("the system record never reached the device");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        r9::msg::DeliverPending();
    }
}
BENCHMARK(BM_MasterFaderStepToWire)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// The page reloaded from the model and painted with its children (offline).
void BM_LevelPageRefreshAllPainted(benchmark::State& state) {
    InitData();
    CreateProgramFonts();
    CKTV_Data doc;
    for (int n = 0; n < NUM_OUTPUTS; ++n)
        g_posState[POS_STATE_OUTPUTS + n] = static_cast<BYTE>(n + 1);
    g_spkGroups.Rebuild();
    CWnd owner;
    owner.CreateEx(0, "", "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 656), nullptr, 0);
    auto page = std::make_unique<CLevel_Delay_Dlg>(&owner);
    page->CreatePage(&owner, nullptr, &doc);
    page->MoveWindow(0, 0, 1280, 656);
    page->ShowWindow(SW_SHOW);
    page->ApplyLanguage();
    r9test::UiApplication::ProcessEvents();
    for (auto _ : state) {
        page->RefreshAll();
        page->RedrawWindow(nullptr, nullptr, kRepaintAll);
    }
    page->DestroyWindow();
    page.reset();
    owner.DestroyWindow();
    DeleteProgramObjects();
}
BENCHMARK(BM_LevelPageRefreshAllPainted)
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
