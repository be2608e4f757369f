// A device state report that answers a poll sent before the user's change must not undo the change
// in the program: inside the real main view, online against the emulator, the answers to two polls
// are held back, the change is made while the first is on its way, and once the change reached
// the device (before the second answer) the program still holds what the device holds.
#include "OutputPageLinkFixture.h"

#include "pages/level/Level_Delay_Dlg.h"
#include "pages/output/OutputPageLayout.h"
#include "support/UiEvents.h"
#include "wire/LinkFrame.h"

#include <QApplication>

#include <algorithm>
#include <functional>

namespace {

class StaleStateReportTest : public OnlineOutputPageTest {
protected:
    void ShowTheLevelPage() {
        m_level = ShowLevelPage();
        ASSERT_NE(m_level, nullptr);
    }

    // Holds back the answers to the next two polls (shorter than the link's receive time-out), makes
    // the change while the first is out, waits until the device holds it, then compares the source
    // settings and the system data of the device and the program before the second answer came.
    void ExpectTheChangeStays(const std::function<void()>& change,
                              const std::function<bool(const DeviceState&)>& reached) {
        ASSERT_TRUE(WaitLinkIdle());
        const size_t from = m_dev.GetRequestCount();
        m_dev.InjectFault(
            {DevsimFaultKind::LateAnswer, FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 2, r9test::Ms(150)});
        // The first poll held back (one logged before the fault was in place is answered at once).
        const auto held = [](const DevsimRequest& r) { return r.faulted && IsPoll(r); };
        const long poll = m_dev.WaitForRequest(held, r9test::Ms(2000), from);
        ASSERT_GE(poll, 0) << "no poll went out";
        change();
        ASSERT_TRUE(Pump([&] { return reached(m_dev.GetState()); })) << "the change never reached the device";
        // The first answer's notice was posted before the change went out: it is handled now.
        r9::msg::DeliverPending();
        const DeviceState device = m_dev.GetState();
        {
            std::lock_guard lock(g_linkLock);
            EXPECT_EQ(device.sourceSet, g_pcSourceSet);
            EXPECT_EQ(device.systemData, g_systemData);
        }
        // The stale answer was read after the change: the poll went out before the write.
        long write = -1;
        const std::vector<DevsimRequest> log = m_dev.GetRequests();
        const size_t base = m_dev.GetRequestCount() - log.size();
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].frame.size() > LinkFrame::OFS_INDEX &&
                log[i].frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                log[i].frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && static_cast<long>(base + i) > poll) {
                write = static_cast<long>(base + i);
                break;
            }
        EXPECT_GT(write, poll);
        // The held-back answers come and agree: the second one is in once a poll after it went out.
        ASSERT_TRUE(Pump([&] {
            const auto logged = RequestsFrom(from);
            return std::count_if(logged.begin(), logged.end(), held) == 2;
        }));
        ASSERT_TRUE(WaitLinkIdle());
        std::lock_guard lock(g_linkLock);
        EXPECT_EQ(m_dev.GetState().sourceSet, g_pcSourceSet);
        EXPECT_EQ(m_dev.GetState().systemData, g_systemData);
    }

    CLevel_Delay_Dlg* m_level = nullptr;
};

TEST_F(StaleStateReportTest, TheMasterSwitchStaysAsTheUserSetIt) {
    ShowTheLevelPage();
    const int was = CLevelBindings::MasterOn();
    ExpectTheChangeStays([&] { Click(m_level->MasterButton()); },
                         [&](const DeviceState& s) { return s.systemData.masterOn == (was ? 0 : 1); });
    EXPECT_EQ(m_level->MasterButton().GetCheck(), was ? 0 : 1);
}

TEST_F(StaleStateReportTest, ASourceLevelStaysAsTheUserSetIt) {
    int type = 0;
    {
        std::lock_guard lock(g_linkLock);
        type = g_pcSourceSet.inputType;
    }
    ASSERT_LT(type, NUM_INPUT_TYPES);
    const int pos = m_page->SourceFader().GetPos();
    const int target = pos > 0 ? pos - 1 : pos + 1;
    ExpectTheChangeStays(
        [&] {
            m_page->SourceFader().SetPos(target);
            m_page->SendMessage(WM_SLIDER_MOVED, outpage::kSourceFader, 0);
            // The page ignores reports for a second after a level change; a slow link's answer can
            // come later than that.
            m_view->OnTimer(TIMER_INPUT_TYPE_BUSY);
        },
        [&](const DeviceState& s) { return s.sourceSet.sourceLevel[type] == target + 20; });
    EXPECT_EQ(m_page->SourceFader().GetPos(), target);
}

TEST_F(StaleStateReportTest, AnInputChosenOnTheLevelPageStays) {
    ShowTheLevelPage();
    const int to = g_nCurInput.load() == 4 ? 2 : 4;
    ExpectTheChangeStays([&] { Click(m_level->InputButton(to)); },
                         [&](const DeviceState& s) { return s.sourceSet.inputType == to; });
    EXPECT_EQ(g_nCurInput.load(), to);
}

} // namespace
