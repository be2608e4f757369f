// Which report bytes a device state report may set: a poll built before the program changed a
// record (or queued its write) cannot show the change; one built after it can.
#include "model/DeviceStateSerials.h"
#include "model/RecordFrames.h"
#include "support/ResetGlobals.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class DeviceStateSerialsTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }
    static std::uint64_t Poll() { return BuildChunkFrame(GROUP_POLL, 0, 0)->GetSerial(); }
};

TEST_F(DeviceStateSerialsTest, AChangeHidesItsBytesFromPollsBuiltBeforeIt) {
    struct Case {
        int cmd;
        std::set<int> bytes; // the report bytes the record carries
    } cases[] = {
        {CMD_SOURCE_SET, {0, 2, 3, 4, 5, 6, 7}},
        {CMD_SYSTEM_DATA, {14}},
        {CMD_SPEAKER_MAP, {}},
        {CMD_PRESET_NAME, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmd);
        g_devStateSerials.Reset();
        const std::uint64_t before = Poll();
        g_devStateSerials.RecordChanged(c.cmd);
        const std::uint64_t after = Poll();
        for (int b = 0; b < CDeviceStateSerials::kBytes; ++b) {
            const bool carried = c.bytes.count(b) != 0;
            EXPECT_EQ(g_devStateSerials.Shows(b, before), !carried) << "byte " << b;
            EXPECT_TRUE(g_devStateSerials.Shows(b, after)) << "byte " << b;
            // An answer of unknown age shows only what was never changed.
            EXPECT_EQ(g_devStateSerials.Shows(b, 0), !carried) << "byte " << b;
        }
    }
    // A later change of the same record hides it from the poll that saw the first one.
    const std::uint64_t between = Poll();
    g_devStateSerials.RecordChanged(CMD_SYSTEM_DATA);
    EXPECT_FALSE(g_devStateSerials.Shows(14, between));
    EXPECT_FALSE(g_devStateSerials.Shows(30, Poll())) << "no byte beyond the report";
}

} // namespace
