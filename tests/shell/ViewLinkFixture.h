// The device emulator over the HID double and loopback TCP with a private register folder, a ping
// probe the test controls, boxes answered at once and the Connect popup recorded (DevsimLinkTest);
// on it the main view created offscreen with its real link worker and short time limits
// (ViewLinkTest). The whole program's fixture (ProgramTest) stands on the same ground.
#pragma once

#include "devsim/DeviceEmulator.h"
#include "devsim/DevsimHidBackend.h"

#include "link/FirmwareTransfer.h"
#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/LinkDocument.h"
#include "platform/core/Messages.h"
#include "platform/core/Registry.h"
#include "platform/io/HidBackend.h"
#include "platform/io/PingProbe.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLoader.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410View.h"
#include "ShortViewTimings.h"
#include "support/PumpMessages.h"
#include "support/ResetLinkGlobals.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// What every online case of the shell stands on: the emulator, the transports' doubles, the hooks.
class DevsimLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each case starts from a fresh settings store: a language stored by an earlier case in
        // the same process would otherwise decide this one's.
        RegDeleteKey(HKEY_CURRENT_USER, g_strRegKey);
        ResourceLoader::SetChinese(FALSE); // an earlier case's language switch keeps it
        char tmpl[] = "/tmp/r9-viewlink-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_oldRuntime = old ? old : "";
        ::setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
        r9test::ResetLinkGlobals();

        ASSERT_TRUE(m_dev.StartTcp());
        g_strDevIP = "127.0.0.1";
        g_nNetPort = m_dev.GetTcpPort();
        m_backend = std::make_unique<CDevsimHidBackend>(m_dev);
        CHidBackend::Install(m_backend.get());
        SetPingProbe([this](const char*, std::string* out) {
            if (out)
                *out = m_reachable ? "ttl=64" : "";
            return m_reachable.load() ? TRUE : FALSE;
        });

        // Boxes are answered at once (the view records its last message itself; their auto-close
        // would hold the test up).
        SetMessageBoxAnswer([](const CString&, UINT, int) { return IDOK; });
        // The Connect popup: its place and items are recorded, and it is dismissed unless a test
        // answers it.
        CMenu::SetTrackHook([this](CMenu& menu, int x, int y) {
            m_popupAt = CPoint(x, y);
            m_popupItems.clear();
            for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
                CString text;
                menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
                m_popupItems.emplace_back(menu.GetMenuItemID(i), text.GetString());
            }
            return m_popupChoice ? m_popupChoice(menu) : 0u;
        });
    }

    void TearDown() override {
        ReleaseProgram();
        CMenu::SetTrackHook({});
        SetMessageBoxAnswer({});
        Pump([] { return false; }, 20);
        ReleaseDocument();
        CHidBackend::Install(nullptr);
        SetPingProbe({});
        const auto errors = m_dev.GetErrors();
        EXPECT_TRUE(errors.empty()) << errors.front();
        m_dev.Stop();
        r9test::ResetLinkGlobals();
        if (m_oldRuntime.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", m_oldRuntime.c_str(), 1);
        std::filesystem::remove_all(m_dir);
    }
    // The derived fixture's program goes first (its workers stop before the doubles go); its
    // document after the last messages ran.
    virtual void ReleaseProgram() {}
    virtual void ReleaseDocument() {}
    // The toolkit's events a fixture runs in its waits as well (none here).
    virtual void PumpToolkit() {}

    // Runs the UI thread's messages until pred holds or timeoutMs passed.
    template <class Pred> static bool Pump(Pred pred, int timeoutMs = 10000) {
        return r9test::PumpUntil(pred, timeoutMs);
    }

    static bool IsPoll(const DevsimRequest& r) {
        const auto& f = r.frame;
        return f.size() > LinkFrame::OFS_INDEX && f[LinkFrame::OFS_TYPE] == FRAME_READ &&
               f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
    }
    // The requests logged at position from or later (positions count the cleared ones too).
    std::vector<DevsimRequest> RequestsFrom(size_t from) {
        size_t first = 0;
        return m_dev.WaitForRequestsFrom(from, 0, &first);
    }
    // Runs the UI's messages (and PumpToolkit) until two idle polls were logged after the call.
    // The worker polls only when nothing is queued or marked, and it builds the next poll only
    // after the one before was answered: by the second, everything the program had to send up to
    // the call has reached the device, and what the worker posted before was handled.
    bool WaitLinkIdle(int timeoutMs = 15000) {
        r9::msg::DeliverPending();
        PumpToolkit();
        const size_t from = m_dev.GetRequestCount();
        return Pump(
            [&] {
                PumpToolkit();
                const auto log = RequestsFrom(from);
                return std::count_if(log.begin(), log.end(), IsPoll) >= 2;
            },
            timeoutMs);
    }
    // Whether the device answered a request on a connection other than old, logged at from or
    // later: another request followed it on that connection (the worker sends the next one only
    // after an answer; a missing answer costs a reconnect).
    bool AnsweredOnANewConnection(size_t from, uint64_t old) {
        const auto log = RequestsFrom(from);
        const auto first = std::find_if(log.begin(), log.end(),
                                        [old](const DevsimRequest& r) { return r.connection != old; });
        if (first == log.end())
            return false;
        const uint64_t fresh = first->connection;
        return std::count_if(first, log.end(),
                             [fresh](const DevsimRequest& r) { return r.connection == fresh; }) >= 2;
    }
    // The connection the last logged request came on (0 before any).
    uint64_t LastConnection() {
        const auto log = m_dev.GetRequests();
        return log.empty() ? 0 : log.back().connection;
    }

    // Answers the Connect popup: the chosen command id, 0 to dismiss it.
    std::function<UINT(CMenu&)> m_popupChoice;
    CPoint m_popupAt;
    std::vector<std::pair<UINT, std::string>> m_popupItems; // id and text of the last popup
    std::string m_dir;
    std::string m_oldRuntime;
    std::atomic<bool> m_reachable{false};
    CDeviceEmulator m_dev;
    std::unique_ptr<CDevsimHidBackend> m_backend;
};

class ViewLinkTest : public DevsimLinkTest {
protected:
    void SetUp() override {
        DevsimLinkTest::SetUp();
        if (HasFatalFailure())
            return;
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        SetLinkDocument(m_doc.get());
        m_view = std::make_unique<CTRV410View>();
        ASSERT_TRUE(m_view->CreateView());
        r9test::ShortenViewTimings(*m_view);
    }
    void ReleaseProgram() override { m_view.reset(); }
    void ReleaseDocument() override {
        SetLinkDocument(nullptr);
        m_doc.reset();
    }

    // The connect sequence ran through: the live data are loaded, no batch runs and the progress
    // display has let the view go again (its tick is a toolkit timer, so the toolkit's events run
    // while the view waits for it; a disabled view takes no clicks).
    bool WaitOnline(int timeoutMs = 15000) {
        return Pump(
            [&] {
                if (!m_view->IsWindowEnabled())
                    QApplication::processEvents();
                return g_bOnline.load() && !g_bTransferBusy.load() && m_view->m_bLinkOpen.load() &&
                       m_view->IsWindowEnabled();
            },
            timeoutMs);
    }
    // No USB device; the module answers its ping and the view connects over the network and reads
    // the device through.
    bool GoOnlineOverNet() {
        m_backend->SetPresent(false);
        m_view->m_net.m_bReachable = 1;
        m_reachable = true;
        return m_view->ConnectNet() && WaitOnline();
    }
    bool WaitClosed(int timeoutMs = 15000) {
        return Pump([&] { return !m_view->m_bLinkOpen.load() && g_nLinkState.load() == LINK_NONE; },
                    timeoutMs);
    }

    static DEV_BROADCAST_DEVICEINTERFACE Record(const std::string& path) {
        DEV_BROADCAST_DEVICEINTERFACE r;
        CHidMonitor::FillRecord(path, &r);
        return r;
    }

    // Index of the first logged request of this group and index at or after from; -1 when none.
    long FindRequest(int group, int index, size_t from = 0) {
        const auto log = m_dev.GetRequests();
        for (size_t i = from; i < log.size(); ++i) {
            const auto& f = log[i].frame;
            if (f.size() > 8 && f[LinkFrame::OFS_GROUP] == group && f[LinkFrame::OFS_INDEX] == index)
                return static_cast<long>(i);
        }
        return -1;
    }

    std::unique_ptr<CKTV_Data> m_doc;
    std::unique_ptr<CTRV410View> m_view;
};
