// The level page's model side without windows: the master and its on/off byte, input and output
// levels compared by their effective value, the muted-output rule, and the choice of the input
// with what it tells the input page and sends, in order.
#include "LevelPageFixture.h"

#include "pages/level/DelayPositions.h"
#include "pages/level/LevelBindings.h"
#include "res/ResourceTables.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using leveltest::RecordingHost;

class LevelBindingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        doc = std::make_unique<CKTV_Data>();
        levels.Attach(doc.get(), &host);
    }
    void TearDown() override {
        doc.reset();
        r9test::ResetModelGlobals();
    }
    std::unique_ptr<CKTV_Data> doc;
    RecordingHost host;
    CLevelBindings levels;
};

TEST_F(LevelBindingsTest, MovingTheMasterStoresItSwitchesItOnAndMarksTheRecordOnlyOnAChange) {
    struct Case {
        int stored, on, value;
        int wantVolume;
        bool wantStored, wantSwitchedOn;
    } cases[] = {
        {30, 1, 31, 31, true, false},  // a plain move
        {30, 0, 29, 29, true, true},   // moving a switched-off master switches it on
        {30, 0, 30, 30, false, false}, // the same value: nothing, the master stays off
        {0, 1, 66, 66, true, false},   {10, 1, 90, 66, true, false}, // above the range: the top
    };
    for (const Case& c : cases) {
        g_systemData.masterVolume.Set(c.stored);
        g_systemData.masterOn = static_cast<BYTE>(c.on);
        host.log.clear();
        const CLevelBindings::MasterChange change = levels.SetMasterVolume(c.value);
        EXPECT_EQ(change.stored != 0, c.wantStored) << c.value;
        EXPECT_EQ(change.switchedOn != 0, c.wantSwitchedOn) << c.value;
        EXPECT_EQ(g_systemData.masterVolume.Get(), c.wantVolume);
        EXPECT_EQ(g_systemData.masterOn, c.on || c.wantSwitchedOn ? 1 : 0);
        EXPECT_EQ(host.log, c.wantStored ? std::vector<std::string>{"Dirty"} : std::vector<std::string>{});
    }
}

TEST_F(LevelBindingsTest, AnOutputLevelSwitchesAMutedOutputOnAndFollowsItsLinkInTheModel) {
    g_nOutLinkGroup[2] = 1; // outputs 1 and 2 linked
    CKTV_OutData* out = doc->GetOut(1);
    out->SetLevel(500);
    out->SetEnabled(0);
    doc->GetOut(2)->SetEnabled(0);
    const CLevelBindings::OutputChange change = levels.SetOutputLevel(1, 420);
    EXPECT_TRUE(change.stored);
    EXPECT_TRUE(change.switchedOn);
    EXPECT_EQ(out->GetLevel(), 420);
    EXPECT_EQ(out->GetEnabled(), 1);
    // The linked output takes the level in the model; its on/off is its own.
    EXPECT_EQ(doc->GetOut(2)->GetLevel(), 420);
    EXPECT_EQ(doc->GetOut(2)->GetEnabled(), 0);
    int linked[8];
    ASSERT_EQ(CLevelBindings::LinkedOutputs(1, linked), 1);
    EXPECT_EQ(linked[0], 2);

    // Level 0 shows OFF and leaves the output on; the same value again changes nothing.
    EXPECT_TRUE(levels.SetOutputLevel(1, 0).stored);
    EXPECT_EQ(out->GetEnabled(), 1);
    EXPECT_EQ(out->GetEffectiveLevel(), 0);
    EXPECT_FALSE(levels.SetOutputLevel(1, 0).stored);
}

TEST_F(LevelBindingsTest, LevelsAreComparedByTheirEffectiveValue) {
    // An output at level zero has effective level 0 whatever its stored level: entering that
    // stored level is a change, and the setter ends the level-zero state.
    CKTV_OutData* out = doc->GetOut(5);
    out->SetLevel(300);
    out->SetLevelZero(1);
    EXPECT_EQ(levels.OutputLevel(5), 0);
    EXPECT_TRUE(levels.SetOutputLevel(5, 300).stored);
    EXPECT_EQ(levels.OutputLevel(5), 300);
    EXPECT_FALSE(levels.SetOutputLevel(5, 300).stored);
    // Inputs: a change stores, the same value again does not; no such input, nothing.
    EXPECT_TRUE(levels.SetInputLevel(3, 123));
    EXPECT_EQ(doc->GetMusic(3)->GetLevel(), 123);
    EXPECT_FALSE(levels.SetInputLevel(3, 123));
    EXPECT_EQ(levels.InputLevel(9), -1);
    EXPECT_FALSE(levels.SetInputLevel(9, 1));
}

TEST_F(LevelBindingsTest, ChoosingAnInputTellsTheInputPageReleasesTheHoldAndSendsOnlyAChange) {
    const std::string changed = "Post(" + std::to_string(WM_CUR_INPUT_CHANGED);
    struct Case {
        int current, hold, chosen;
        std::vector<std::string> want;
    } cases[] = {
        // The current input again: only the post, with the state before the choice.
        {1, 0, 1, {changed + ",0,1)"}},
        // The hold goes first (system record 5), then the source set (2) of the new input.
        {1, 1, 3, {changed + ",1,1)", "Send(5)", "Validate(3,0)", "Send(2)"}},
        {2, 1, 2, {changed + ",1,2)", "Send(5)"}},
        // S/PDIF, although the input page shows no button for it.
        {4, 0, 0, {changed + ",0,4)", "Validate(0,0)", "Send(2)"}},
    };
    for (const Case& c : cases) {
        g_nCurInput = c.current;
        g_systemData.pageSwitch = static_cast<BYTE>(c.hold);
        g_pcSourceSet.inputType = static_cast<BYTE>(c.current);
        host.log.clear();
        const CLevelBindings::InputChoice choice = levels.SelectInput(c.chosen);
        EXPECT_EQ(host.log, c.want) << c.current << "->" << c.chosen;
        EXPECT_EQ(choice.holdReleased != 0, c.hold != 0);
        EXPECT_EQ(choice.changed != 0, c.chosen != c.current);
        EXPECT_EQ(g_nCurInput.load(), c.chosen);
        EXPECT_EQ(g_pcSourceSet.inputType, c.chosen);
        EXPECT_EQ(g_systemData.pageSwitch, 0);
    }
}

TEST(DelayPositionsTest, CodesMapToTheirFieldButtonAndImages) {
    struct Case {
        int code, field, button;
        UINT image;
    } cases[] = {
        {1, 0, 6040, 7100},  {2, 1, 6041, 7103},   {4, 1, 6043, 7103},  {6, 1, 6045, 7103},
        {3, 2, 6042, 7106},  {7, 3, 6046, 7110},   {12, 4, 6051, 7113}, {13, 8, 6055, 7100},
        {15, 9, 6057, 7106}, {18, 11, 6060, 7116}, {19, 6, 6052, 7120}, {20, 7, 6053, 7123},
        {21, 7, 6054, 7123}, {22, 12, 6061, 585},  {23, 13, 6062, 588}, {24, 14, 6063, 582},
        {0, -1, 0, 0},       {25, -1, 0, 0},       {26, -1, 0, 0},      {27, -1, 0, 0},
        {-1, -1, 0, 0},
    };
    for (const Case& c : cases) {
        const CDelayPositions::Position& p = CDelayPositions::Of(c.code);
        EXPECT_EQ(p.field, c.field) << c.code;
        EXPECT_EQ(p.button, c.button) << c.code;
        EXPECT_EQ(p.image, c.image) << c.code;
    }
    // Every button of the car has one code.
    std::vector<int> buttons;
    for (int code = 0; code <= 26; ++code)
        if (CDelayPositions::Of(code).button)
            buttons.push_back(CDelayPositions::Of(code).button);
    std::sort(buttons.begin(), buttons.end());
    ASSERT_EQ(buttons.size(), 24U);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(buttons[static_cast<size_t>(i)], 6040 + i);
    EXPECT_EQ(CDelayPositions::ToggleImage(2, FALSE), 7390U);
    EXPECT_EQ(CDelayPositions::ToggleImage(10, TRUE), 7333U);
}

TEST(DelayPositionsTest, OutputsSharingAButtonAreFoundAndAnEmptyCodeUnbinds) {
    CDelayPositions positions;
    positions.Bind(0, 2);
    positions.Bind(3, 2);
    positions.Bind(5, 25);
    int out[8];
    ASSERT_EQ(positions.OutputsOfButton(6041, out), 2);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(positions.Binding(5).button, 0);
    EXPECT_EQ(positions.OutputsOfButton(0, out), 0);
    positions.Bind(3, 0);
    EXPECT_EQ(positions.OutputsOfButton(6041, out), 1);
}

} // namespace

namespace {

TEST(LevelPageArtTest, EveryIdOfThePageIsDrawnFromItsOwnRow) {
    // A row with the same id in an earlier table would shadow the page's look.
    ASSERT_FALSE(res::kLevelPageArt.empty());
    for (const res::ArtSpec& row : res::kLevelPageArt)
        EXPECT_EQ(res::FindArt(row.id), &row) << row.id;
}

} // namespace
