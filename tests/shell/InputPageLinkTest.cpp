// The input page inside the main view, online against the emulator: a choice made on the hidden
// page reaches the device as the source settings' byte 0, after the input hold's clearing.
#include "OutputPageLinkFixture.h"

#include "pages/input/InPutDlg.h"
#include "wire/LinkFrame.h"

namespace {

bool IsSystemWrite(const DevsimRequest& r, int index) {
    return r.frame.size() > 8 && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
           r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && r.frame[LinkFrame::OFS_INDEX] == index;
}

class OnlineInputPageTest : public OnlineOutputPageTest {};

TEST_F(OnlineInputPageTest, ChoiceOnTheInputPageReachesTheDeviceAfterTheHoldIsCleared) {
    auto* page = dynamic_cast<CInPutDlg*>(m_view->PageWindow(PAGE_INPUT));
    ASSERT_NE(page, nullptr) << "the view's input slot holds the page";
    // The device holds its input (as its system data said).
    m_dev.ModifyState([](DeviceState& s) { s.systemData.pageSwitch = 1; });
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.pageSwitch = 1;
    }
    page->ApplyInputHold();
    m_dev.ClearRequests();
    page->SendMessage(WM_COMMAND, MAKEWPARAM(inpage::kInputButton + 3, BN_CLICKED), 0);
    ASSERT_TRUE(Pump([&] {
        const DeviceState s = m_dev.GetState();
        return s.sourceSet.inputType == 3 && s.systemData.pageSwitch == 0;
    })) << "the choice never reached the device";
    // The hold's clearing went out before the input.
    long system = -1, source = -1, i = 0;
    for (const DevsimRequest& r : m_dev.GetRequests()) {
        if (system < 0 && IsSystemWrite(r, CMD_SYSTEM_DATA))
            system = i;
        if (source < 0 && IsSystemWrite(r, CMD_SOURCE_SET))
            source = i;
        ++i;
    }
    ASSERT_GE(system, 0);
    ASSERT_GE(source, 0);
    EXPECT_LT(system, source);
    // The device holds the program's source settings.
    const DeviceState s = m_dev.GetState();
    std::lock_guard lock(g_linkLock);
    EXPECT_EQ(s.sourceSet, g_pcSourceSet);
    EXPECT_EQ(s.systemData, g_systemData);
}

} // namespace
