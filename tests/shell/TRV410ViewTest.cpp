// The main view's link routines with the real worker against the emulator: the connect sequence
// and the version check, the whole-image read, the answer handlers and the failure messages.
#include "ViewLinkFixture.h"

#include "model/KTV_OutData.h"
#include "model/RecordFrames.h"

#include <cstring>

namespace {

bool IsWrite(const DevsimRequest& r, int group, int index) {
    return r.frame.size() > 8 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
           r.frame[LinkFrame::OFS_GROUP] == group && r.frame[LinkFrame::OFS_INDEX] == index;
}

// Group and index of each request, polls left out.
std::vector<std::pair<int, int>> ReadsInOrder(const std::vector<DevsimRequest>& log) {
    std::vector<std::pair<int, int>> reads;
    for (const auto& r : log) {
        const auto& f = r.frame;
        if (f[LinkFrame::OFS_TYPE] != FRAME_READ ||
            (f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE))
            continue;
        reads.emplace_back(f[LinkFrame::OFS_GROUP], f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM &&
                                                            f[LinkFrame::OFS_INDEX] == CMD_PRESET_NAME
                                                        ? 100 + f[LinkFrame::OFS_PRESET]
                                                        : f[LinkFrame::OFS_INDEX]);
    }
    return reads;
}

} // namespace

class ViewConnectTest : public ViewLinkTest {
protected:
    void ConnectOverUsb() { ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0)); }
    void ConnectOverTcp() {
        m_backend->SetPresent(false);
        m_reachable = true;
        ASSERT_TRUE(::PostMessage(m_view->GetSafeHwnd(), WM_START_LINK, 0, 0));
    }
    void ExpectImageEqualsTheDevice() {
        const DeviceState s = m_dev.GetState();
        std::lock_guard lock(g_linkLock);
        EXPECT_EQ(std::memcmp(g_curImage.inputs, s.live.inputs, sizeof s.live.inputs), 0);
        EXPECT_EQ(std::memcmp(g_curImage.outputs, s.live.outputs, sizeof s.live.outputs), 0);
        EXPECT_EQ(std::memcmp(g_curImage.system.name, s.live.system.name, 13), 0);
        EXPECT_TRUE(g_pcSourceSet == s.sourceSet);
        EXPECT_TRUE(g_bootSource == s.bootSource);
    }
};

TEST_F(ViewConnectTest, VersionAnswerQueuesTheFullReadInOrder) {
    // Without a worker: the queue as the version check leaves it.
    m_view->m_bLinkOpen = 1;
    g_nLinkState = LINK_USB;
    std::memcpy(g_strDevVersion, "MQVT-KV1.07", 11);
    m_view->OnVersionReceived(0, 0);
    EXPECT_EQ(g_bOnline.load(), 1);
    EXPECT_EQ(g_nDeviceType.load(), 2);
    std::lock_guard lock(g_linkLock);
    CSendDataQueue& q = m_view->m_command.Queue();
    ASSERT_EQ(q.GetQueueCount(), 27);
    const int expected[13][2] = {{1, 0}, {2, 0},  {3, 0}, {4, 0}, {5, 0}, {6, 0}, {0, 19},
                                 {0, 0}, {0, 52}, {0, 2}, {0, 5}, {0, 6}, {0, 8}};
    int k = 0;
    while (CSendData* p = q.GetHeadPacket()) {
        const BYTE* f = p->GetData();
        EXPECT_EQ(p->GetProgress(), k) << k;
        if (k < 13) {
            EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
            EXPECT_EQ(f[LinkFrame::OFS_PRESET], expected[k][0]) << k;
            EXPECT_EQ(f[LinkFrame::OFS_INDEX], expected[k][1]) << k;
        } else {
            const int r = k - 13;
            EXPECT_EQ(f[LinkFrame::OFS_GROUP], r < 6 ? GROUP_INPUT : GROUP_OUTPUT) << k;
            EXPECT_EQ(f[LinkFrame::OFS_INDEX], r < 6 ? r : r - 6) << k;
            EXPECT_EQ(f[LinkFrame::OFS_CHUNK], FRAME_BANK) << k;
        }
        EXPECT_EQ(p->IsReadEnd(g_nLinkState != LINK_NONE), k == 26 ? 1 : 0) << k;
        q.RemoveHead();
        ++k;
    }
}

TEST_F(ViewConnectTest, ConnectOverUsbReadsTheWholeImage) {
    m_dev.ModifyState([](DeviceState& s) {
        for (int i = 0; i < NUM_INPUTS; ++i)
            s.live.inputs[i].bands[3].gainCode.Set(500 + i);
        s.live.outputs[4].levelCode.Set(577);
        std::memcpy(s.live.system.name, "Road trip\0", 10);
        s.sourceSet.inputType = 3;
    });
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_USB);
    ExpectImageEqualsTheDevice();
    EXPECT_STREQ(g_curImage.system.name, "Road trip");

    std::vector<std::pair<int, int>> want = {{9, CMD_LINK_CHECK}, {9, CMD_VERSION}};
    for (int p = 1; p <= 6; ++p)
        want.emplace_back(9, 100 + p);
    for (int cmd : {19, -1, 52, 2, 5, 6, 8})
        want.emplace_back(9, cmd < 0 ? 100 : cmd);
    for (int i = 0; i < 6; ++i)
        want.emplace_back(GROUP_INPUT, i);
    for (int j = 0; j < 8; ++j)
        want.emplace_back(GROUP_OUTPUT, j);
    EXPECT_EQ(ReadsInOrder(m_dev.GetRequests()), want);
    // The transfer-done handler re-applied the input type as a user choice: one source-set write.
    ASSERT_TRUE(Pump([&] { return FindRequest(GROUP_SYSTEM, CMD_SOURCE_SET) >= 0; }));
    EXPECT_EQ(m_view->m_nShownInputType, 3);
    EXPECT_EQ(m_view->m_nMessageCount, 0);
}

TEST_F(ViewConnectTest, ConnectOverTcpReadsTheWholeImage) {
    m_dev.ModifyState([](DeviceState& s) { s.live.outputs[7].delay.Set(123); });
    ConnectOverTcp();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_nLinkState.load(), LINK_NET);
    ExpectImageEqualsTheDevice();
}

TEST_F(ViewConnectTest, WrongVersionTagClosesTheLinkSilently) {
    m_dev.SetVersionTag("MQVT-KV2.00");
    ConnectOverUsb();
    ASSERT_TRUE(Pump([&] { return FindRequest(GROUP_SYSTEM, CMD_VERSION) >= 0; }));
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(std::string(g_strDevVersion, 12), std::string(12, ' '));
    EXPECT_EQ(m_view->m_nMessageCount, 0);
    EXPECT_EQ(m_view->m_command.GetQueueCount(), 0);
    EXPECT_EQ(g_bOnline.load(), 0);
    // Nothing but the link check and the version went out, and nothing can follow: no worker runs
    // once what the close posted was handled.
    const size_t sent = m_dev.GetRequestCount();
    r9::msg::DeliverPending();
    EXPECT_FALSE(m_view->m_worker.Exists());
    EXPECT_EQ(m_dev.GetRequestCount(), sent);
    EXPECT_EQ(FindRequest(GROUP_SYSTEM, CMD_PRESET_NAME), -1);
}

TEST_F(ViewConnectTest, RepeatedSpeakerCodesAreCorrectedOnTheDevice) {
    m_dev.ModifyState([](DeviceState& s) {
        const BYTE map[8] = {6, 6, 15, 18, 0, 0, 22, 23};
        std::memcpy(s.speakerMap.bytes, map, 8);
    });
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    // The corrected map and the live name of each of the two system-record answers follow the
    // batch of reads.
    auto names = [&] {
        int n = 0;
        for (const auto& r : m_dev.GetRequests())
            n += IsWrite(r, GROUP_SYSTEM, CMD_PRESET_NAME);
        return n;
    };
    ASSERT_TRUE(Pump([&] { return names() >= 2 && m_dev.GetState().speakerMap[1] == 0; }));
    int mapWrites = 0;
    for (const auto& r : m_dev.GetRequests())
        if (IsWrite(r, GROUP_SYSTEM, CMD_SPEAKER_MAP)) {
            ++mapWrites;
            EXPECT_EQ(r.frame[LinkFrame::OFS_PAYLOAD + 1], 0);
            EXPECT_EQ(r.frame[LinkFrame::OFS_PAYLOAD], 6);
        }
    EXPECT_EQ(mapWrites, 1);
    std::lock_guard lock(g_linkLock);
    EXPECT_EQ(g_speakerMap[1], 0);
    EXPECT_EQ(g_posState[POS_STATE_OUTPUTS + 1], 0);
}

TEST_F(ViewConnectTest, OneChangeReachesTheDeviceAsOneChunkFrame) {
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    ASSERT_TRUE(Pump([&] { return m_view->m_command.GetQueueCount() <= 1 && !g_bTransferBusy.load(); }));
    ASSERT_TRUE(WaitLinkIdle());
    const size_t from = m_dev.GetRequestCount();
    {
        std::lock_guard lock(g_linkLock);
        m_doc->GetOut(2)->SetMix1In1(77);
    }
    const long at = m_dev.WaitForRequest([](const DevsimRequest& r) { return IsWrite(r, GROUP_OUTPUT, 2); },
                                         r9test::Ms(5000), from);
    ASSERT_GE(at, 0);
    const auto log = m_dev.GetRequests();
    const auto& f = log[static_cast<size_t>(at)].frame;
    EXPECT_EQ(f.size(), 24u);
    EXPECT_EQ(f[LinkFrame::OFS_CHUNK], 33);
    EXPECT_EQ(f[LinkFrame::OFS_PAYLOAD], 77);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[2].mix1[0] == 77; }));
}

TEST_F(ViewConnectTest, LockedDataAreUnscrambledAndChangesGoOutScrambled) {
    DeviceState plain;
    m_dev.ModifyState([&](DeviceState& s) {
        plain = s;
        for (OutputRecord& out : s.live.outputs) {
            BYTE* b = reinterpret_cast<BYTE*>(&out);
            for (int k = 0; k < 288; ++k)
                b[k] ^= LOCK_MASK;
        }
        OutputRecord& first = s.live.outputs[0];
        first.name[0] = '!';
        const char code[] = "ab12  ";
        for (int k = 0; k < 6; ++k)
            first.name[2 + k] = static_cast<char>(code[k] ^ LOCK_MASK);
    });
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    EXPECT_EQ(g_bDataLocked.load(), 1);
    EXPECT_STREQ(g_strLockPassword, "ab12");
    EXPECT_EQ(std::memcmp(&g_curImage.outputs[3], &plain.live.outputs[3], 288), 0);
    ASSERT_TRUE(Pump([&] { return m_view->m_command.GetQueueCount() <= 1 && !g_bTransferBusy.load(); }));
    const size_t from = m_dev.GetRequestCount();
    {
        std::lock_guard lock(g_linkLock);
        m_doc->GetOut(3)->SetMix1In2(41);
    }
    ASSERT_GE(m_dev.WaitForRequest([](const DevsimRequest& r) { return IsWrite(r, GROUP_OUTPUT, 3); },
                                   r9test::Ms(5000), from),
              0);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[3].mix1[1] == (41 ^ LOCK_MASK); }));
}

TEST_F(ViewConnectTest, EmptyAnswerAsksForAFirmwareUpdate) {
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    m_dev.InjectFault({DevsimFaultKind::EmptyPayload, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1, 0});
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(m_view->m_nLastMessageCode, 2001);
    EXPECT_STREQ(m_view->m_strLastMessage, "Please Update the Firmware!");
}

TEST_F(ViewConnectTest, SilentDeviceFailsTheLinkWithTheConnectionMessage) {
    for (bool tcp : {false, true}) {
        SCOPED_TRACE(tcp ? "tcp" : "usb");
        m_dev.ClearFaults();
        if (tcp)
            ConnectOverTcp();
        else
            ConnectOverUsb();
        ASSERT_TRUE(WaitOnline());
        m_view->m_nMessageCount = 0;
        m_dev.InjectFault({DevsimFaultKind::NoAnswer, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 1000, 0});
        ASSERT_TRUE(WaitClosed());
        EXPECT_GE(m_view->m_nMessageCount, 1);
        EXPECT_STREQ(m_view->m_strLastMessage, "Connection failure!");
        EXPECT_FALSE(m_view->m_worker.Exists());
    }
    m_dev.ClearFaults();
}

TEST_F(ViewConnectTest, DeviceStateIsTakenOverOnlyOutsideTheBusyWindow) {
    m_view->m_bLinkOpen = 1;
    g_pcSourceSet.inputType = 1;
    for (int i = 0; i < 30; ++i)
        g_devStateBytes[i] = 0;
    for (int i = 2; i <= 7; ++i)
        g_devStateBytes[i] = 60; // source levels in range
    g_devStateBytes[0] = 4;
    g_devStateBytes[3] = 55;
    g_devStateBytes[14] = 0;
    g_systemData.masterOn = 1;

    m_view->StartInputTypeTimer();
    m_view->OnDeviceState(0, 30);
    EXPECT_EQ(g_pcSourceSet.inputType, 1);

    m_view->OnTimer(TIMER_INPUT_TYPE_BUSY);
    m_view->m_bLinkOpen = 0;
    m_view->OnDeviceState(0, 30);
    EXPECT_EQ(g_pcSourceSet.inputType, 1);

    m_view->m_bLinkOpen = 1;
    m_view->OnDeviceState(0, 30);
    EXPECT_EQ(m_view->m_nShownInputType, 4);
    EXPECT_EQ(g_pcSourceSet.inputType, 4);
    EXPECT_EQ(g_pcSourceSet.sourceLevel[1], 55);
    EXPECT_EQ(g_systemData.masterOn, 0);
    m_view->m_bLinkOpen = 0;
}

TEST_F(ViewConnectTest, WifiResetOverUsbEndsWithItsMessage) {
    ConnectOverUsb();
    ASSERT_TRUE(WaitOnline());
    m_view->SendCommand(CMD_WIFI_RESET, 0);
    EXPECT_EQ(g_bTransferBusy.load(), 1);
    ASSERT_TRUE(Pump([&] { return m_view->m_nMessageCount > 0; }));
    EXPECT_STREQ(m_view->m_strLastMessage, "Load WIFI factory default success");
    EXPECT_EQ(g_bTransferBusy.load(), 0);
    EXPECT_TRUE(m_view->m_bLinkOpen.load());
}

TEST_F(ViewConnectTest, SendCommandWithoutALinkQueuesNothing) {
    m_view->SendCommand(CMD_SOURCE_SET, 0);
    m_view->SendPresetCleared(2);
    EXPECT_EQ(m_view->m_command.GetQueueCount(), 0);
}

TEST_F(ViewConnectTest, OnlyTheLockedMarkerUnscramblesTheOutputs) {
    struct Case {
        BYTE marker;
        bool locked;
    } cases[] = {{' ', false}, {0x00, false}, {0x7F, false}, {'!', true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.marker));
        InitData();
        g_curImage.outputs[0].name[0] = static_cast<char>(c.marker);
        g_curImage.outputs[2].mix1[0] = 0x33;
        m_view->LoadLockState(0);
        EXPECT_EQ(g_bDataLocked.load(), c.locked ? 1 : 0);
        EXPECT_EQ(g_curImage.outputs[2].mix1[0], c.locked ? (0x33 ^ LOCK_MASK) : 0x33);
    }
    g_bDataLocked = 0;
}
