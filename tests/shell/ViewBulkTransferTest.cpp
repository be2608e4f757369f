// Every bulk transfer of the view, run by the real worker against the emulator over both
// transports: what the device holds afterwards, and what the program holds after the reads.
#include "ViewLinkFixture.h"

#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/PresetServices.h"

#include <cstring>

namespace {

enum class Transport { Usb, Tcp };

struct AllPresetsFile : CPresetServices {
    BOOL ChooseAllPresetsFile() override { return TRUE; }
    void WriteAllPresetsFile() override { ++writes; }
    int writes = 0;
};

template <class R> bool SameBytes(const R& a, const R& b, size_t n = sizeof(R)) {
    return std::memcmp(&a, &b, n) == 0;
}

class ViewBulkTransfer : public ViewLinkTest, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override {
        ViewLinkTest::SetUp();
        SetPresetServices(&m_presets);
        if (GetParam() == Transport::Usb) {
            m_view->OnConnectButton();
        } else {
            m_backend->SetPresent(false);
            m_reachable = true;
            m_view->m_net.m_bReachable = 1;
            m_view->ConnectNet();
        }
        ASSERT_TRUE(WaitOnline());
    }
    void TearDown() override {
        SetPresetServices(nullptr);
        ViewLinkTest::TearDown();
    }
    // The batch ran through: its end handler cleared the busy flag and the queue holds no batch.
    bool WaitBatch() {
        return Pump([&] { return !g_bTransferBusy.load(); }, 20000) && m_view->m_bLinkOpen.load();
    }
    // A request of this kind reached the device (logged at or after from).
    bool WaitRequest(int type, int group, int index, size_t from) {
        return m_dev.WaitForRequest(
                   [&](const DevsimRequest& r) {
                       return r.frame.size() > 8 && r.frame[LinkFrame::OFS_TYPE] == type &&
                              r.frame[LinkFrame::OFS_GROUP] == group &&
                              r.frame[LinkFrame::OFS_INDEX] == index;
                   },
                   r9test::Ms(10000), from) >= 0;
    }
    AllPresetsFile m_presets;
};

} // namespace

TEST_P(ViewBulkTransfer, SendAllPresetsLeavesEveryPresetOnTheDevice) {
    {
        std::lock_guard lock(g_linkLock);
        for (int p = 0; p < NUM_STORED_PRESETS; ++p) {
            std::snprintf(g_storedPresets[p].system.name, sizeof g_storedPresets[p].system.name, "Stored %d",
                          p + 1);
            g_storedPresets[p].inputs[p].bands[3].freq.Set(static_cast<int16_t>(500 + p));
            g_storedPresets[p].outputs[p].levelCode.Set(static_cast<uint16_t>(400 + p));
        }
        m_view->SendAllPresets();
    }
    ASSERT_TRUE(WaitBatch());
    const DeviceState dev = m_dev.GetState();
    for (int p = 0; p < NUM_STORED_PRESETS; ++p) {
        for (int i = 0; i < NUM_INPUTS; ++i)
            EXPECT_TRUE(SameBytes(dev.stored[p].inputs[i], g_storedPresets[p].inputs[i])) << p << " in " << i;
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            EXPECT_TRUE(SameBytes(dev.stored[p].outputs[j], g_storedPresets[p].outputs[j]))
                << p << " out " << j;
        EXPECT_EQ(std::string(dev.stored[p].system.name, 8), std::string(g_storedPresets[p].system.name, 8));
    }
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        EXPECT_TRUE(SameBytes(dev.live.outputs[j], g_curImage.outputs[j])) << "live out " << j;
    // The master comes back on with the writes that follow the batch's last record.
    EXPECT_TRUE(Pump([&] { return m_dev.GetState().systemData.masterOn == 1; }));
    EXPECT_EQ(g_systemData.masterOn, 1);
}

TEST_P(ViewBulkTransfer, ReadAllDevicePresetsFillsTheStoredPresets) {
    m_dev.ModifyState([](DeviceState& s) {
        for (int p = 0; p < NUM_STORED_PRESETS; ++p)
            s.stored[p].outputs[7 - p].bands[5].freq.Set(static_cast<int16_t>(3000 + p));
    });
    ASSERT_TRUE(m_view->ReadAllDevicePresets());
    ASSERT_TRUE(WaitBatch());
    EXPECT_EQ(m_presets.writes, 1) << "the file is written after the last answer";
    const DeviceState dev = m_dev.GetState();
    for (int p = 0; p < NUM_STORED_PRESETS; ++p) {
        for (int i = 0; i < NUM_INPUTS; ++i)
            EXPECT_TRUE(SameBytes(g_storedPresets[p].inputs[i], dev.stored[p].inputs[i])) << p << " in " << i;
        for (int j = 0; j < NUM_OUTPUTS; ++j)
            EXPECT_TRUE(SameBytes(g_storedPresets[p].outputs[j], dev.stored[p].outputs[j]))
                << p << " out " << j;
    }
}

TEST_P(ViewBulkTransfer, ADevicePresetIsReadIntoTheLiveSet) {
    m_dev.ModifyState([](DeviceState& s) {
        s.stored[2].inputs[4].bands[7].freq.Set(777);
        s.stored[2].outputs[3].levelCode.Set(321);
    });
    {
        std::lock_guard lock(g_linkLock);
        m_view->ReadDevicePreset(3);
    }
    ASSERT_TRUE(WaitBatch());
    EXPECT_EQ(g_curImage.inputs[4].bands[7].freq.Get(), 777);
    EXPECT_EQ(g_curImage.outputs[3].levelCode.Get(), 321);
    EXPECT_EQ(m_doc->GetOut(3)->GetLevel(), 321) << "the model was loaded from the live set";
    EXPECT_EQ(g_curPresetNo[0], 3);
    EXPECT_TRUE(Pump([&] { return m_dev.GetState().systemData.masterOn == 1; }));
}

TEST_P(ViewBulkTransfer, SendPresetWritesTheLiveDataIntoADevicePreset) {
    m_doc->GetMusic(1)->GetBand(2)->SetFreq(700, TRUE); // within an octave: sent in one step
    m_doc->GetMusic(1)->StoreToImage();
    m_view->SendPreset(2, TRUE);
    ASSERT_TRUE(WaitBatch());
    const DeviceState dev = m_dev.GetState();
    EXPECT_EQ(dev.stored[1].inputs[1].bands[2].freq.Get(), 700);
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        EXPECT_TRUE(SameBytes(dev.stored[1].outputs[j], g_curImage.outputs[j])) << j;
    EXPECT_EQ(dev.presetNumber, 2);
}

TEST_P(ViewBulkTransfer, ChannelSendsAndResetsReachTheLiveSet) {
    size_t from = m_dev.GetRequestCount();
    {
        // One step under the lock, so the woken worker cannot send the level's own mark before the
        // channel send takes it over.
        std::lock_guard lock(g_linkLock);
        m_doc->GetOut(4)->SetLevel(480);
        m_view->SendOutputChannel(4);
    }
    ASSERT_TRUE(WaitRequest(FRAME_WRITE, GROUP_OUTPUT, 4, from));
    // Level chunk (off), record, level chunk (on again): wait for the third write of output 5.
    ASSERT_TRUE(Pump([&] {
        int writes = 0;
        const auto log = m_dev.GetRequests();
        for (size_t i = from; i < log.size(); ++i)
            writes += log[i].frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                      log[i].frame[LinkFrame::OFS_GROUP] == GROUP_OUTPUT &&
                      log[i].frame[LinkFrame::OFS_INDEX] == 4;
        return writes == 3;
    }));
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[4].on == m_doc->GetOut(4)->GetEnabled(); }));
    EXPECT_EQ(m_dev.GetState().live.outputs[4].levelCode.Get(), 480);

    from = m_dev.GetRequestCount();
    m_view->ResetInputEq(2);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.inputs[2].bands[2].freq.Get() == 53; }));

    m_doc->GetOut(0)->GetBand(3)->SetFreq(45, TRUE);
    {
        std::lock_guard lock(g_linkLock);
        m_view->CopyOutput(0, 5);
    }
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().live.outputs[5].bands[3].freq.Get() == 45; }));
    EXPECT_TRUE(Pump([&] { return m_dev.GetState().systemData.masterOn == 1; }));
}

INSTANTIATE_TEST_SUITE_P(BothTransports, ViewBulkTransfer, ::testing::Values(Transport::Usb, Transport::Tcp),
                         [](const ::testing::TestParamInfo<Transport>& i) {
                             return i.param == Transport::Usb ? "Usb" : "Tcp";
                         });
