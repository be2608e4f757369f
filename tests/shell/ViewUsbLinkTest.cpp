// The view's USB link with the real worker against the emulator's HID double: start-up, the
// register of held paths, removal and arrival, the Connect button and the failure paths.
#include "ViewLinkFixture.h"

#include "link/UsbLink.h"
#include "platform/core/Event.h"

#include <chrono>
#include <thread>

namespace {

const std::string kDevice = CDevsimHidBackend::kPath;

HidInterfaceInfo Interface(const std::string& path, USHORT vid, USHORT pid, USHORT version) {
    HidInterfaceInfo i;
    i.path = path;
    i.attributes.VendorID = vid;
    i.attributes.ProductID = pid;
    i.attributes.VersionNumber = version;
    return i;
}

// What the update poll thread does: the reconnect from a thread of its own. The view's thread
// serves only what is sent to it meanwhile; its posted notices stay queued.
BOOL ReconnectFromPollThread(CTRV410View& view, BOOL quiet) {
    CEvent done(FALSE, TRUE);
    BOOL result = FALSE;
    std::thread poll([&] {
        result = view.ReconnectForUpdate(quiet);
        done.SetEvent();
    });
    const HANDLE h = done;
    r9::msg::WaitServingSent(1, &h, INFINITE);
    poll.join();
    return result;
}

// Waits, without serving the view's queue, until a message of this id is queued for the view.
bool WaitQueued(HWND view, UINT message) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (!::PeekMessage(&msg, view, message, message, PM_NOREMOVE)) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace

TEST_F(ViewLinkTest, UsbStartUpGoesOnlineAndHoldsThePath) {
    ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    EXPECT_TRUE(m_view->m_bShownConnected);
    EXPECT_EQ(std::string(m_view->m_usb.GetHidPath()), kDevice);
    EXPECT_EQ(FindRequest(GROUP_SYSTEM, CMD_LINK_CHECK), 0) << "the link check goes first";

    // Another instance sees the device as held and is offered nothing.
    CUsbLink other;
    EXPECT_FALSE(other.IsUsbPathFree(kDevice.c_str()));
    EXPECT_EQ(other.FillOfferedPaths(), 0);

    // An open network link is not tried over an open USB link.
    EXPECT_FALSE(m_view->ConnectNet());
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    EXPECT_EQ(m_view->m_nMessageCount, 0);
}

TEST_F(ViewLinkTest, RemovalClosesTheLinkAndArrivalConnectsAgain) {
    ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    ASSERT_TRUE(WaitOnline());

    // Another HID interface leaving changes nothing.
    auto other = Record("/dev/hidraw77");
    EXPECT_TRUE(m_view->OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, &other));
    EXPECT_TRUE(m_view->m_bLinkOpen.load());

    // The device itself is unplugged. The worker notices first and posts its failure; the
    // removal notice comes before the view has served it.
    m_backend->SetPresent(false);
    ASSERT_TRUE(WaitQueued(m_view->GetSafeHwnd(), WM_LINK_FAILED));
    auto gone = Record(kDevice);
    EXPECT_TRUE(m_view->OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, &gone));
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
    EXPECT_EQ(g_bUsbEnabled.load(), 0);
    EXPECT_TRUE(m_view->m_usb.GetHidPath().IsEmpty());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strUsbFail);
    EXPECT_FALSE(m_view->m_bShownConnected);
    CUsbLink probe;
    EXPECT_TRUE(probe.IsUsbPathFree(kDevice.c_str())) << "the path is no longer held";

    // A foreign interface plugged in while no link is open is not opened.
    m_backend->SetOtherInterfaces({Interface("/dev/hidraw5", 0x046D, 0xC52B, 0x0111)});
    const int opens = m_backend->GetOpenCount();
    auto foreign = Record("/dev/hidraw5");
    m_view->OnDeviceChange(DBT_DEVICEARRIVAL, &foreign);
    EXPECT_EQ(m_backend->GetOpenCount(), opens);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());

    // The device comes back: it connects by itself and goes online again; the failures the
    // closed link's worker left queued do not close the new link.
    m_backend->SetPresent(true);
    const size_t before = m_dev.GetRequestCount();
    auto back = Record(kDevice);
    m_view->OnDeviceChange(DBT_DEVICEARRIVAL, &back);
    EXPECT_TRUE(m_view->m_bLinkOpen.load());
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(FindRequest(GROUP_SYSTEM, CMD_LINK_CHECK, before), static_cast<long>(before));

    // While connected, a further arrival opens nothing.
    const int opensNow = m_backend->GetOpenCount();
    m_view->OnDeviceChange(DBT_DEVICEARRIVAL, &back);
    EXPECT_EQ(m_backend->GetOpenCount(), opensNow);
}

TEST_F(ViewLinkTest, RemovalRightAfterApplyOnlyStopsUsbTransfers) {
    ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    ASSERT_TRUE(WaitOnline());
    g_nCurFwStep = HEXApply;
    auto gone = Record(kDevice);
    m_view->OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, &gone);
    EXPECT_EQ(g_bUsbEnabled.load(), 0);
    EXPECT_TRUE(m_view->m_bLinkOpen.load()) << "the link objects stay for the reopen";
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    EXPECT_EQ(m_view->m_nMessageCount, 0);

    // The Connect button closes the idle link and does not reconnect.
    m_view->OnConnectButton();
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    EXPECT_EQ(g_nLinkState.load(), LINK_NONE);
}

TEST_F(ViewLinkTest, UsbFailuresCloseTheLinkWithTheirMessage) {
    struct Case {
        DevsimFaultKind fault;
        const char* message;
        bool queueCleared; // the failure handler clears it; the empty answer leaves it to the next open
    } cases[] = {
        {DevsimFaultKind::NoAnswer, g_strUsbFail, true},
        {DevsimFaultKind::EmptyPayload, g_strUpdateFirmware, false},
    };
    for (const Case& c : cases) {
        m_view->m_nMessageCount = 0;
        // One free device and no network: the Connect button opens it at once.
        m_view->OnConnectButton();
        ASSERT_TRUE(WaitOnline()) << static_cast<int>(c.fault);
        EXPECT_TRUE(m_view->m_lastPopup.empty());
        m_dev.InjectFault({c.fault, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1000});
        ASSERT_TRUE(WaitClosed()) << static_cast<int>(c.fault);
        EXPECT_STREQ(m_view->m_strLastMessage, c.message);
        if (c.queueCleared) {
            EXPECT_EQ(m_view->m_command.GetQueueCount(), 0);
        }
        EXPECT_FALSE(m_view->m_worker.Exists());
        EXPECT_FALSE(m_view->m_usb.IsDeviceOpen());
        m_dev.ClearFaults();
    }
}

TEST_F(ViewLinkTest, ConnectButtonOffersTheFreeDevices) {
    // Nothing plugged in, nothing reachable.
    m_backend->SetPresent(false);
    m_view->OnConnectButton();
    EXPECT_STREQ(m_view->m_strLastMessage, "No connection can be opened");
    EXPECT_FALSE(m_view->m_bLinkOpen.load());

    // Two matching devices: a popup of both; the second one cannot be opened.
    m_backend->SetPresent(true);
    m_backend->SetOtherInterfaces({Interface("/dev/hidraw9", 0x0483, 0x5750, 0x0200)});
    m_view->OnConnectButton();
    ASSERT_EQ(m_view->m_lastPopup.size(), 2u);
    EXPECT_EQ(m_view->m_lastPopup[0].id, ID_USB_DEVICE_FIRST);
    EXPECT_STREQ(m_view->m_lastPopup[0].text, "USB1");
    EXPECT_STREQ(m_view->m_lastPopup[1].text, "USB2");
    EXPECT_FALSE(m_view->m_bLinkOpen.load());

    // An id past the list chooses nothing; the unopenable device fails with the message.
    m_view->m_nMessageCount = 0;
    m_view->OnUsbDeviceChosen(ID_USB_DEVICE_FIRST + 50);
    EXPECT_EQ(m_view->m_nMessageCount, 0);
    m_view->OnUsbDeviceChosen(ID_USB_DEVICE_FIRST);
    EXPECT_STREQ(m_view->m_strLastMessage, g_strUsbFail);
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    m_view->OnUsbDeviceChosen(ID_USB_DEVICE_FIRST + 1);
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(std::string(m_view->m_usb.GetHidPath()), kDevice);

    // With the network reachable the popup ends with the device address.
    m_view->OnConnectButton();
    ASSERT_TRUE(WaitClosed());
    m_view->m_net.m_bReachable = 1;
    m_view->OnConnectButton();
    ASSERT_EQ(m_view->m_lastPopup.size(), 3u);
    EXPECT_EQ(m_view->m_lastPopup[2].id, ID_CONNECT_NET);
    EXPECT_STREQ(m_view->m_lastPopup[2].text, "127.0.0.1");
    m_view->m_net.m_bReachable = 0;
}

TEST_F(ViewLinkTest, TheUpdateReopenOffTheUiThreadOnlyPostsItsMessages) {
    m_backend->SetPresent(false);
    g_nLinkState = LINK_USB;
    g_bFirmwareMode = 1;
    BOOL result = ReconnectFromPollThread(*m_view, FALSE);
    EXPECT_FALSE(result);
    EXPECT_EQ(g_bFirmwareMode.load(), 0);
    EXPECT_EQ(m_view->m_nMessageCount, 0) << "nothing is shown from the poll thread";
    ASSERT_TRUE(Pump([&] { return m_view->m_nMessageCount == 2; }));
    EXPECT_STREQ(m_view->m_strLastMessage, "The firmware update failed!");

    // With the device back the reopen starts the worker in update mode.
    m_backend->SetPresent(true);
    result = ReconnectFromPollThread(*m_view, TRUE);
    EXPECT_TRUE(result);
    EXPECT_EQ(g_bFirmwareMode.load(), 1);
    EXPECT_TRUE(m_view->m_worker.Exists());
    m_view->CloseLinkForUpdate();
    EXPECT_FALSE(m_view->m_bLinkOpen.load());
    g_bFirmwareMode = 0;
}

TEST_F(ViewLinkTest, UpdateReconnectsFromThePollThreadTakeTurnsWithStopsOnTheUiThread) {
    // Both start and stop the worker; the reconnect runs on the UI thread between its stops.
    g_nLinkState = LINK_COM;
    constexpr int kRounds = 20;
    std::atomic<int> started{0};
    std::atomic<bool> done{false};
    std::thread poll([&] {
        for (int i = 0; i < kRounds; ++i)
            started += m_view->ReconnectForUpdate(TRUE);
        done = true;
    });
    int stops = 0;
    while (!done.load()) {
        r9::msg::DeliverSent();
        m_view->StopLinkThread(TRUE);
        ++stops;
    }
    poll.join();
    EXPECT_EQ(started.load(), kRounds);
    EXPECT_GT(stops, 0);
    m_view->StopLinkThread(TRUE);
    EXPECT_FALSE(m_view->m_worker.Exists());
    g_bFirmwareMode = 0;
    g_nLinkState = LINK_NONE;
}

TEST_F(ViewLinkTest, HotPlugNoticesReachTheViewThroughItsQueue) {
    // What the udev watcher thread does for each change: queue it and post the device-change message.
    std::thread watcher([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEARRIVAL, kDevice); });
    watcher.join();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);

    m_backend->SetPresent(false);
    std::thread removal([&] { m_view->m_hidWatcher.Deliver(DBT_DEVICEREMOVECOMPLETE, kDevice); });
    removal.join();
    ASSERT_TRUE(WaitClosed());
    EXPECT_STREQ(m_view->m_strLastMessage, g_strUsbFail);
    CHidChangeWatcher::Change left;
    EXPECT_FALSE(m_view->m_hidWatcher.Take(&left)) << "every notice was taken";
}
