// The whole program end to end: the application started as main starts it (frame, view, the real
// worker and services), offscreen, against the device emulator over loopback TCP and the HID
// double; driven through the view's own commands as a user would.
#include "devsim/DeviceEmulator.h"
#include "devsim/DevsimHidBackend.h"

#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "link/UsbLink.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/KTV_OutData.h"
#include "link/InputPageServices.h"
#include "pages/level/Level_Delay_Dlg.h"
#include "platform/core/Registry.h"
#include "platform/io/HidBackend.h"
#include "platform/io/PingProbe.h"
#include "pages/output/OutputDlg.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TopLevel.h"
#include "shell/CaptionView.h"
#include "shell/MainFrame.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410App.h"
#include "shell/TRV410Doc.h"
#include "shell/TRV410View.h"
#include "shell/ViewMenus.h"
#include "shell/ViewPresetServices.h"
#include "shell/ViewPresets.h"
#include "ShortViewTimings.h"
#include "ViewLinkFixture.h"
#include "support/PumpMessages.h"
#include "support/RenderToPng.h"
#include "support/ResetLinkGlobals.h"
#include "support/TimeScale.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <typeinfo>
#include <utility>
#include <vector>

namespace {

const std::string kDevice = CDevsimHidBackend::kPath;

bool IsWrite(const DevsimRequest& r, int group) {
    return r.frame.size() > 9 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
           r.frame[LinkFrame::OFS_GROUP] == group;
}
bool IsNameWrite(const DevsimRequest& r) {
    return IsWrite(r, GROUP_SYSTEM) && r.frame[LinkFrame::OFS_INDEX] == CMD_PRESET_NAME;
}
bool IsLevelWrite(const DevsimRequest& r) {
    return IsWrite(r, GROUP_OUTPUT) && r.frame[LinkFrame::OFS_INDEX] == 0 &&
           r.frame[LinkFrame::OFS_CHUNK] == 31;
}
bool IsIdlePoll(const DevsimRequest& r) {
    return r.frame.size() > 9 && r.frame[LinkFrame::OFS_TYPE] == FRAME_READ &&
           r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && r.frame[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
}

} // namespace

class ProgramTest : public DevsimLinkTest {
protected:
    void SetUp() override {
        DevsimLinkTest::SetUp();
        if (HasFatalFailure())
            return;
        // No stored settings yet: the program writes its first ones at start.
        RegDeleteKey(HKEY_CURRENT_USER, SettingsKey().c_str());
        g_strLanguage = "";
        // The device's current preset is 3, named "Rock"; no USB device is there yet.
        m_dev.ModifyState([](DeviceState& s) {
            s.presetNumber = 3;
            StringToField(s.live.system.name, 16, CString("Rock"));
        });
        m_backend->SetPresent(false);
        m_app = std::make_unique<CTRV410App>();
        m_app->SetLocaleId(LCID_ENGLISH_US);
        m_app->SetNetEnvironment("127.0.0.1:" + std::to_string(m_dev.GetTcpPort()));
        m_app->SetQuitHandler([this](int) { ++m_quits; });
        ASSERT_TRUE(m_app->InitInstance());
        m_view = m_app->GetView();
        // Short limits; the link's first step is still queued.
        r9test::ShortenViewTimings(*m_view);
    }
    void ReleaseProgram() override { m_app.reset(); }

    static std::string SettingsKey() { return std::string(g_strRegKey) + "\\" + g_strRegDspMcu; }
    static std::string StoredSetting(const char* name) {
        HKEY h = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return "<no key>";
        char buf[300] = {};
        DWORD size = sizeof buf - 1;
        const bool ok =
            RegQueryValueEx(h, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS;
        RegCloseKey(h);
        return ok ? buf : "<none>";
    }
    // Online, and the progress display that held the view disabled during the read has gone (its
    // tick is a toolkit timer, so the toolkit's events run while the view waits for it).
    bool WaitOnline(int state) {
        return Pump([&] {
            if (!m_view->IsWindowEnabled())
                QApplication::processEvents();
            return g_bOnline.load() && !g_bTransferBusy.load() && m_view->m_bLinkOpen.load() &&
                   g_nLinkState.load() == state && m_view->IsWindowEnabled();
        });
    }
    bool WaitClosed() {
        return Pump([&] { return !m_view->m_bLinkOpen.load() && g_nLinkState.load() == LINK_NONE; });
    }
    // The Connect button as the user clicks it; the popup, if one comes, answers choice.
    void PressConnect(UINT choice = 0) {
        m_popupItems.clear();
        m_popupChoice = [choice](CMenu&) { return choice; };
        QWidget* button = m_view->m_btnConnect.Widget();
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible());
        r9test::Click(button, button->rect().center());
        r9::msg::DeliverPending();
        m_popupChoice = nullptr;
    }
    // What the view shows against what the device holds.
    void ExpectViewShowsTheDevice() {
        const DeviceState dev = m_dev.GetState();
        EXPECT_FALSE(m_view->m_linkIndicator.IsBlinking()) << "link indicator";
        EXPECT_EQ(m_view->m_btnInputType.GetCurSel(), InputTypeToItem(dev.sourceSet.inputType));
        CString name;
        m_view->m_btnPresetName.GetWindowText(name);
        EXPECT_STREQ(name, FieldToString(dev.live.system.name, 16));
        EXPECT_EQ(g_curPresetNo[0], dev.presetNumber);
        CKTV_Data& data = m_app->GetDocument()->GetData();
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            EXPECT_EQ(data.GetOut(i)->GetLevel(), static_cast<int>(dev.live.outputs[i].levelCode.Get()))
                << "output " << i;
        EXPECT_EQ(std::memcmp(&g_curImage, &dev.live, sizeof g_curImage), 0) << "the live image";
    }
    long NextRequest(const std::function<bool(const DevsimRequest&)>& match, size_t from,
                     int timeoutMs = 5000) {
        return m_dev.WaitForRequest(match, r9test::Ms(timeoutMs), from);
    }

    std::unique_ptr<CTRV410App> m_app;
    CTRV410View* m_view = nullptr;
    int m_quits = 0;
};

TEST_F(ProgramTest, StartsWithoutUsbAndReachesTheWifiModuleOnItsOwn) {
    m_reachable = true;
    ASSERT_TRUE(WaitOnline(LINK_NET));
    EXPECT_EQ(m_dev.GetConnectionCount(), 1);
    for (const auto& r : m_dev.GetRequests())
        EXPECT_EQ(r.transport, DevsimTransport::Tcp);
    ExpectViewShowsTheDevice();
    r9test::RenderToPng(m_app->GetMainWnd()->Widget(), "program_online_tcp");
}

TEST_F(ProgramTest, ConnectPopupWifiThenUsbArrivalRemovalAndCloseWhileLinked) {
    m_reachable = true;
    ASSERT_TRUE(WaitOnline(LINK_NET));

    // The Connect button closes the open link.
    PressConnect();
    ASSERT_TRUE(WaitClosed());
    EXPECT_TRUE(m_view->m_linkIndicator.IsBlinking());

    // A USB device is there and the module answers: the popup offers both; WIFI is chosen.
    m_backend->SetPresent(true);
    PressConnect(ID_CONNECT_NET);
    ASSERT_EQ(m_popupItems.size(), 2u);
    EXPECT_EQ(m_popupItems[0].first, ID_CONNECT_USB);
    EXPECT_EQ(m_popupItems[0].second, "USB");
    EXPECT_EQ(m_popupItems[1].first, ID_CONNECT_NET);
    EXPECT_EQ(m_popupItems[1].second, "WIFI");
    ASSERT_TRUE(WaitOnline(LINK_NET));
    EXPECT_EQ(m_dev.GetConnectionCount(), 2);
    EXPECT_EQ(m_backend->GetOpenCount(), 0);
    ExpectViewShowsTheDevice();

    // Closed again, the device arrives on USB and the program takes it.
    PressConnect();
    ASSERT_TRUE(WaitClosed());
    std::thread([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEARRIVAL, kDevice); }).join();
    ASSERT_TRUE(WaitOnline(LINK_USB));
    EXPECT_EQ(m_backend->GetOpenCount(), 1);
    ExpectViewShowsTheDevice();

    // Unplugged: the link closes with the USB message.
    m_backend->SetPresent(false);
    std::thread([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEREMOVECOMPLETE, kDevice); }).join();
    ASSERT_TRUE(WaitClosed());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strUsbFail);
    EXPECT_TRUE(m_view->m_linkIndicator.IsBlinking());

    // Back, online, and the program is closed while its worker runs.
    m_backend->SetPresent(true);
    std::thread([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEARRIVAL, kDevice); }).join();
    ASSERT_TRUE(WaitOnline(LINK_USB));
    EXPECT_FALSE(CUsbLink().IsUsbPathFree(kDevice.c_str())) << "held while open";
    m_app->GetMainWnd()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_quits, 1);
    // The view went with the frame and ran its stops once: the worker is gone before the loop ends.
    EXPECT_EQ(m_view->m_nShutdownStops, 1);
    EXPECT_FALSE(m_view->m_worker.Exists());
    EXPECT_EQ(m_app->ExitInstance(), 0);
    EXPECT_TRUE(CUsbLink().IsUsbPathFree(kDevice.c_str())) << "the register no longer holds it";
    EXPECT_EQ(StoredSetting(g_strRegLanguage), "English") << "the settings of the run are in the store";
    const size_t after = m_dev.GetRequestCount();
    EXPECT_EQ(NextRequest([](const DevsimRequest&) { return true; }, after, 300), -1) << "nothing runs on";
}

TEST_F(ProgramTest, FirstChangeSendsTheCustomNameExactlyFourTimesThenTheChanges) {
    m_reachable = true;
    ASSERT_TRUE(WaitOnline(LINK_NET));
    ASSERT_EQ(g_curPresetNo[0], 3);
    CKTV_OutData* out = m_app->GetDocument()->GetData().GetOut(0);
    const int level = out->GetLevel();

    // The first change goes out, then the live name becomes "Custom" on the device.
    const size_t start = m_dev.GetRequestCount();
    out->SetLevel(level > 0 ? level - 1 : level + 1);
    const long first = NextRequest(IsLevelWrite, start);
    ASSERT_GE(first, 0);
    // The stream has ended once the worker is back to its idle polls.
    long at = first;
    for (int i = 0; i < 5 && at >= 0; ++i)
        at = NextRequest(IsIdlePoll, static_cast<size_t>(at) + 1);
    ASSERT_GE(at, 0) << "the name stream never ended";

    // A second change still reaches the device, and no further name goes out.
    const size_t before = m_dev.GetRequestCount();
    out->SetLevel(level);
    ASSERT_GE(NextRequest(IsLevelWrite, before), 0);
    for (int i = 0; i < 3 && at >= 0; ++i)
        at = NextRequest(IsIdlePoll, static_cast<size_t>(at) + 1);
    // The connect sequence wrote the name of its own before; counted from the first change on.
    const auto log = m_dev.GetRequests();
    int names = 0;
    for (size_t i = static_cast<size_t>(first); i < log.size(); ++i)
        names += IsNameWrite(log[i]) ? 1 : 0;
    EXPECT_EQ(names, 4);
    const DeviceState dev = m_dev.GetState();
    EXPECT_STREQ(FieldToString(dev.live.system.name, 16), "Custom");
    EXPECT_EQ(g_curPresetNo[0], 0);
    EXPECT_STREQ(g_strEmpty, "Custom");
    CString shown;
    Pump(
        [&] {
            m_view->m_btnPresetName.GetWindowText(shown);
            return shown == "Custom";
        },
        2000);
    EXPECT_STREQ(shown, "Custom");
}

TEST_F(ProgramTest, TheLinkReachesTheRunningLevelPageThroughTheViewsPageServices) {
    // The program's own services are installed, not the link's stand-in, and they reach the page
    // the view created.
    ASSERT_EQ(&InputPageServices(), &m_view->m_inputPageServices);
    auto* level = dynamic_cast<CLevel_Delay_Dlg*>(m_view->PageWindow(PAGE_LEVEL));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(g_pLevelPage, level);
    level->Meter(2).SetLevel(0x15);
    ASSERT_TRUE(level->Meter(2).IsLampOn(0));
    InputPageServices().ClearOutputMeters();
    for (int lamp = 0; lamp < CSLamp::kLamps; ++lamp)
        EXPECT_FALSE(level->Meter(2).IsLampOn(lamp)) << lamp;
}

// With a box, the close question, the mixer or the machine-preset dialog up, the main window takes
// no input: a click on an output's polarity, a click and a key on the Presets button and a second
// press of the close button neither change nor send anything nor open anything more. Afterwards
// the same clicks work again.
TEST_F(ProgramTest, NothingOnTheMainViewTakesInputWhileADialogOrABoxIsUp) {
    m_reachable = true;
    ASSERT_TRUE(WaitOnline(LINK_NET));
    EXPECT_EQ(AfxGetMainWnd(), m_app->GetMainWnd());
    auto* output = dynamic_cast<COutputDlg*>(m_view->PageWindow(PAGE_OUTPUT));
    ASSERT_NE(output, nullptr);
    QWidget* polarity = output->PolarityButton().Widget();
    ASSERT_TRUE(polarity->isVisible());
    CKTV_OutData* out = m_app->GetDocument()->GetData().GetOut(g_nCurOut.load());
    const std::string badFile = m_dir + "/bad.vtas";
    {
        std::ofstream f(badFile, std::ios::binary);
        f << "not a preset";
    }
    // Real boxes from here on, answered by the modal hook.
    SetMessageBoxAnswer(nullptr);

    auto writes = [&] {
        size_t n = 0;
        for (const auto& r : m_dev.GetRequests())
            n += r.frame.size() > 9 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE ? 1 : 0;
        return n;
    };
    struct Seen {
        int depth = 0;
        int stacked = 0; // dialogs opened while another was up
        int polarity = 0;
        size_t writes = 0;
        bool blocked = false;
        std::string shown;
    } seen;
    // The clicks and the key of a user on the main view while the dialog d is up.
    CDialog::SetModalHook([&](CDialog& d) {
        if (seen.depth > 0) {
            ++seen.stacked;
            d.EndDialog(IDCANCEL);
            return;
        }
        ++seen.depth;
        seen.shown = typeid(d).name();
        seen.blocked = !m_app->GetMainWnd()->Widget()->isEnabled();
        const int before = out->GetPolarity();
        const size_t writesBefore = writes();
        m_popupItems.clear();
        r9test::Click(polarity, polarity->rect().center());
        QWidget* presets = m_view->m_btnPresets.Widget();
        r9test::Click(presets, presets->rect().center());
        r9test::Key(presets, Qt::Key_Space, Qt::NoModifier, " ");
        QWidget* close = m_view->m_btnClose.Widget();
        r9test::Click(close, close->rect().center());
        EXPECT_TRUE(WaitLinkIdle());
        seen.polarity = out->GetPolarity() - before;
        seen.writes = writes() - writesBefore;
        --seen.depth;
        d.EndDialog(IDCANCEL);
    });
    struct Case {
        const char* what;
        std::function<void()> open;
    } cases[] = {
        {"the preset file error box", [&] { m_view->Presets().ReadPresetPath(badFile.c_str(), "bad"); }},
        {"the close question",
         [&] {
             QWidget* close = m_view->m_btnClose.Widget();
             r9test::Click(close, close->rect().center());
         }},
        {"the mixer", [&] { m_view->SendMessage(WM_COMMAND, ID_MIXER_MENU, 0); }},
        {"the machine-preset dialog", [&] { m_view->Presets().RunMachinePresetDialog(0); }},
    };
    for (const Case& c : cases) {
        seen = Seen{};
        c.open();
        EXPECT_EQ(seen.depth, 0) << c.what << ": no dialog ran";
        EXPECT_FALSE(seen.shown.empty()) << c.what;
        EXPECT_TRUE(seen.blocked) << c.what;
        EXPECT_EQ(seen.stacked, 0) << c.what << ": a second dialog over " << seen.shown;
        EXPECT_EQ(seen.polarity, 0) << c.what;
        EXPECT_EQ(seen.writes, 0u) << c.what;
        EXPECT_TRUE(m_popupItems.empty()) << c.what << ": the Presets menu opened";
        EXPECT_TRUE(m_app->GetMainWnd()->Widget()->isEnabled()) << c.what;
        EXPECT_EQ(m_quits, 0) << c.what;
    }
    CDialog::SetModalHook(nullptr);
    SetMessageBoxAnswer([](const CString&, UINT, int) { return IDOK; });

    // Nothing is up: the polarity click reaches the program and the device again.
    const int before = out->GetPolarity();
    const size_t start = m_dev.GetRequestCount();
    r9test::Click(polarity, polarity->rect().center());
    EXPECT_NE(out->GetPolarity(), before);
    EXPECT_GE(NextRequest([](const DevsimRequest& r) { return IsWrite(r, GROUP_OUTPUT); }, start), 0);
}

TEST_F(ProgramTest, TheCaptionViewLetsTheDeviceGoAndItsModeBringsAViewThatConnectsAgain) {
    m_backend->SetPresent(true);
    std::thread([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEARRIVAL, kDevice); }).join();
    ASSERT_TRUE(WaitOnline(LINK_USB));
    CMainFrame* frame = m_app->GetMainWnd();

    frame->SendMessage(WM_COMMAND, ID_SHOW_CAPTION_VIEW);
    ASSERT_TRUE(Pump([&] { return m_app->GetCaptionView() != nullptr; }));
    m_view = nullptr;
    EXPECT_EQ(m_app->GetView(), nullptr);
    EXPECT_TRUE(CUsbLink().IsUsbPathFree(kDevice.c_str())) << "the main view let the device go";
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE) << "as the Connect button closes a link";
    EXPECT_EQ(g_bOnline.load(), 0);
    const size_t quiet = m_dev.GetRequestCount();
    EXPECT_EQ(NextRequest([](const DevsimRequest&) { return true; }, quiet, 300), -1) << "no link runs";

    CxSkinButton& mode1 = m_app->GetCaptionView()->m_btnMode1;
    r9test::Click(mode1.Widget(), mode1.Widget()->rect().center());
    ASSERT_TRUE(Pump([&] { return m_app->GetView() != nullptr; }));
    m_view = m_app->GetView();
    ASSERT_TRUE(WaitOnline(LINK_USB));
    EXPECT_EQ(g_nViewMode, 1);
    EXPECT_FALSE(CUsbLink().IsUsbPathFree(kDevice.c_str())) << "held by the new view";
    ExpectViewShowsTheDevice();
    r9test::RenderToPng(frame->Widget(), "program_after_caption_mode1");
}
