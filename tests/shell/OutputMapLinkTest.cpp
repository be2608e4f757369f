// The output page's speaker map inside the real main view, online against the emulator over TCP:
// a position given to an output through the strip's message reaches the device as exactly the
// map, that output's record and nothing else, and the master volume comes back.
#include "OutputPageLinkFixture.h"

#include "support/RenderToPng.h"

#include <cstring>

namespace {

using OutputMapLink = OnlineOutputPageTest;

TEST_F(OutputMapLink, AnAssignedPositionReachesTheDeviceAsTheMapAndThatOutputsRecord) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    const DeviceState before = m_dev.GetState();
    constexpr int kOut = 4;
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, kOut, 19);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetHPF()->GetFreq(), 5300);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap[kOut] == 19; }));
    EXPECT_TRUE(WaitLinkIdle());
    const DeviceState after = m_dev.GetState();
    PresetImage mine;
    SystemRecord map;
    {
        std::lock_guard lock(g_linkLock);
        mine = g_curImage;
        map = g_speakerMap;
    }
    EXPECT_TRUE(after.speakerMap == map) << "the device holds the program's map";
    EXPECT_TRUE(after.live.outputs[kOut] == mine.outputs[kOut]) << "and the output's record as packed";
    EXPECT_EQ(after.systemData.masterOn, before.systemData.masterOn) << "the held master came back";
    PresetImage expected = before.live;
    expected.outputs[kOut] = after.live.outputs[kOut];
    std::memcpy(expected.system.name, after.live.system.name, sizeof expected.system.name);
    const auto* a = reinterpret_cast<const BYTE*>(&after.live);
    const auto* b = reinterpret_cast<const BYTE*>(&expected);
    for (size_t i = 0; i < sizeof(PresetImage); ++i)
        ASSERT_EQ(a[i], b[i]) << "byte " << i << " outside output " << kOut + 1 << " changed";
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        if (i != kOut) {
            EXPECT_EQ(after.speakerMap[i], before.speakerMap[i]) << i;
        }
    r9test::RenderToPng(m_view->Widget(), "output_map_online_assigned");
}

TEST_F(OutputMapLink, BackToBackAssignmentsLeaveTheMasterAsItWas) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    const BYTE master = m_dev.GetState().systemData.masterOn;
    ASSERT_NE(master, 0) << "the master must be on for the hold to show";
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 4, 20);
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 5, 19);
    m_page->SendMessage(WM_OUTPUT_SET_POSITION, 4, 21);
    ASSERT_TRUE(Pump([&] {
        const DeviceState now = m_dev.GetState();
        return now.speakerMap[4] == 21 && now.speakerMap[5] == 19;
    }));
    EXPECT_TRUE(WaitLinkIdle());
    EXPECT_EQ(m_dev.GetState().systemData.masterOn, master);
    EXPECT_EQ(g_systemData.masterOn, master);
}

} // namespace
