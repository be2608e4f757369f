// The input choice without windows: what each path sends, in which order, and the state it leaves.
#include "model/Globals.h"
#include "pages/input/InputSelection.h"
#include "support/ResetGlobals.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the outlet's calls in order as "S<cmd>", "N<hold>,<input>" and "D".
class RecordingOutlet : public CInputSelection::Outlet {
public:
    void SendCommand(int cmd) override { log.push_back("S" + std::to_string(cmd)); }
    void NotifyLevelPage(int hold, int input) override {
        log.push_back("N" + std::to_string(hold) + "," + std::to_string(input));
    }
    void DropPendingDeviceStates() override { log.push_back("D"); }
    std::vector<std::string> log;
};

class InputSelectionTest : public ::testing::Test {
protected:
    void SetUp() override { r9test::ResetModelGlobals(); }
    void TearDown() override { r9test::ResetModelGlobals(); }
    static void Start(int input, int mode, int hold = 0) {
        g_nCurInput = input;
        g_nInputGroup = mode;
        g_pcSourceSet.inputType = static_cast<BYTE>(input);
        g_systemData.pageSwitch = static_cast<BYTE>(hold);
    }
    RecordingOutlet outlet;
    CInputSelection sel{outlet};
};

const std::string kSource = "S" + std::to_string(CMD_SOURCE_SET);
const std::string kSystem = "S" + std::to_string(CMD_SYSTEM_DATA);

TEST_F(InputSelectionTest, ChoicesSendWhatThePathSends) {
    struct Case {
        const char* name;
        int start, mode, hold, input;
        bool again;
        int after;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"page button of the current input", 3, 0, 0, 3, false, 3, {"N0,3"}},
        {"bar button of the current input", 3, 0, 0, 3, true, 3, {"N0,3", kSource, "D"}},
        {"page button of another input", 1, 0, 0, 4, false, 4, {"N0,1", kSource, "D"}},
        {"hold set: system data before the source", 1, 0, 1, 3, false, 3, {"N1,1", kSystem, kSource, "D"}},
        {"hold set, current input: only the hold", 2, 0, 7, 2, false, 2, {"N7,2", kSystem}},
        {"out of range input is nobody's choice", 1, 0, 1, 6, true, 1, {}},
        {"negative input", 1, 0, 0, -1, true, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r9test::ResetModelGlobals();
        outlet.log.clear();
        Start(c.start, c.mode, c.hold);
        sel.ChooseInput(c.input, c.again);
        EXPECT_EQ(outlet.log, c.log);
        EXPECT_EQ(g_nCurInput.load(), c.after);
        EXPECT_EQ(g_pcSourceSet.inputType, c.log.empty() ? c.start : c.after);
        if (!c.log.empty()) {
            EXPECT_EQ(g_systemData.pageSwitch, 0);
        }
    }
}

TEST_F(InputSelectionTest, AuxModeFoldsTheInputAndSendsIt) {
    struct Case {
        int start, from, to, after;
        bool sent;
    };
    // Mode 1 turns 5 and 6 into 3, mode 2 turns 4, 5 and 6 into 3; mode 0 keeps every input.
    const Case cases[] = {
        {5, 0, 1, 3, true}, {6, 0, 1, 3, true},  {4, 0, 1, 4, true},  {4, 0, 2, 3, true},
        {5, 1, 2, 3, true}, {6, 0, 2, 3, true},  {1, 0, 2, 1, true},  {3, 1, 0, 3, true},
        {0, 2, 0, 0, true}, {5, 0, 0, 5, false}, {5, 0, 3, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " " + std::to_string(c.from) + "->" + std::to_string(c.to));
        r9test::ResetModelGlobals();
        outlet.log.clear();
        Start(c.start, c.from);
        const auto r = sel.SetAuxMode(c.to);
        EXPECT_EQ(g_nCurInput.load(), c.after);
        EXPECT_EQ(r.sent, c.sent);
        if (c.sent) {
            EXPECT_EQ(g_nInputGroup, c.to);
            EXPECT_EQ(g_pcSourceSet.inputType, c.after);
            EXPECT_EQ(outlet.log, (std::vector<std::string>{"N0," + std::to_string(c.start), kSource, "D"}));
        } else {
            EXPECT_EQ(g_nInputGroup, c.from);
        }
    }
}

TEST_F(InputSelectionTest, AuxThreeToModeOneAndBackKeepsAuxOne) {
    Start(5, 0);
    sel.SetAuxMode(1);
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(g_pcSourceSet.inputType, 3);
    sel.SetAuxMode(0);
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(CInputSelection::OfferedInputs(0), 6);
    EXPECT_EQ(CInputSelection::OfferedInputs(1), 5);
    EXPECT_EQ(CInputSelection::OfferedInputs(2), 4);
}

TEST_F(InputSelectionTest, MixerSourceFallsBackToOffWithoutASend) {
    // AUX2 as the source while AUX1 is current in mode 0, then mode 2: AUX2 is not offered there.
    Start(3, 0);
    g_inputOptions.SelectRow(0, 3);
    g_inputOptions.choice = 4;
    EXPECT_TRUE(CInputSelection::ValidateSource(3, 0));
    const auto r = sel.SetAuxMode(2);
    EXPECT_TRUE(r.sourceOff);
    EXPECT_EQ(g_inputOptions.choice, InputOptionTable::CHOICE_OFF);
    // The only send is the input's.
    EXPECT_EQ(outlet.log, (std::vector<std::string>{"N0,3", kSource, "D"}));
    // OFF stays allowed for every input.
    EXPECT_TRUE(CInputSelection::ValidateSource(1, 2));
}

TEST_F(InputSelectionTest, QuietAndCombinedSettersSendAsTheirPathsSay) {
    Start(1, 0);
    EXPECT_TRUE(sel.SetCurInputQuiet(2));
    EXPECT_EQ(g_pcSourceSet.inputType, 2);
    EXPECT_FALSE(sel.SetCurInputQuiet(2));
    EXPECT_FALSE(sel.SetCurInputQuiet(9));
    EXPECT_TRUE(outlet.log.empty());

    const auto r = sel.SetModeAndInput(2, 3);
    EXPECT_TRUE(r.modeChanged);
    EXPECT_EQ(g_nInputGroup, 2);
    EXPECT_EQ(g_nCurInput.load(), 3);
    EXPECT_EQ(outlet.log, (std::vector<std::string>{kSource}));
}

} // namespace
