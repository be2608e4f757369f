// The preset slot table's routines that nothing in the program calls, online against the
// emulator: a value written into the current slot's row and read back, and a slot chosen and sent
// with its button down; the device holds the whole table as the program does.
#include "OutputPageLinkFixture.h"

#include "shell/ViewPresets.h"
#include "support/TimeScale.h"
#include "wire/LinkFrame.h"

namespace {

class PresetSlotsLinkTest : public OnlineOutputPageTest {};

SlotTableRecord ProgramSlots() {
    std::lock_guard lock(g_linkLock);
    return g_slotTable;
}

TEST_F(PresetSlotsLinkTest, ValuesOfTheCurrentSlotAndTheChosenSlotReachTheDeviceAsTheWholeTable) {
    CViewPresets& presets = m_view->Presets();
    {
        std::lock_guard lock(g_linkLock);
        g_slotTable.curSlot = 1;
        for (int i = 0; i < 8; ++i) {
            g_slotTable.slots[1][i].Set(10 * i);
            g_slotTable.slots[2][i].Set(-7 * i);
        }
    }
    m_view->m_btnSlot[1].SetCheck(1);
    g_bSlotTableChanged = 0;

    // A value of the current slot: a change marks, the same value or an index outside the row
    // does not.
    EXPECT_TRUE(presets.SetSlotValue(3, -1234));
    EXPECT_EQ(g_bSlotTableChanged.load(), 1);
    g_bSlotTableChanged = 0;
    EXPECT_FALSE(presets.SetSlotValue(3, -1234));
    EXPECT_FALSE(presets.SetSlotValue(8, 5));
    EXPECT_FALSE(presets.SetSlotValue(-1, 5));
    EXPECT_EQ(g_bSlotTableChanged.load(), 0);
    int values[8] = {};
    presets.ReadSlotValues(values);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(values[i], i == 3 ? -1234 : 10 * i) << i;

    // Another slot chosen and sent: its button down, the first one's up, the mark from the open
    // link, and the device holds the table.
    const size_t from = m_dev.GetRequestCount();
    presets.SelectSlotAndSend(2);
    EXPECT_EQ(ProgramSlots().curSlot, 2);
    EXPECT_EQ(m_view->m_btnSlot[2].GetCheck(), 1);
    EXPECT_EQ(m_view->m_btnSlot[1].GetCheck(), 0);
    EXPECT_EQ(g_bSlotTableChanged.load(), 1);
    ASSERT_GE(m_dev.WaitForRequest(
                  [](const DevsimRequest& r) {
                      return r.frame.size() > LinkFrame::OFS_INDEX &&
                             r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
                             r.frame[LinkFrame::OFS_GROUP] == GROUP_SYSTEM &&
                             r.frame[LinkFrame::OFS_INDEX] == CMD_SLOT_TABLE;
                  },
                  r9test::Ms(5000), from),
              0);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().slotTable == ProgramSlots(); }));
    EXPECT_EQ(m_dev.GetState().slotTable.slots[1][3].Get(), -1234);
    presets.ReadSlotValues(values);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(values[i], -7 * i) << "the new current slot's row " << i;
}

} // namespace
