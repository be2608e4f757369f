// Numeric spin: grid snapping, ratio and delay steps, clamping reports, and the notifications of
// keyboard, zone and mouse steps.
#include "model/Conversions.h"
#include "model/Globals.h"

#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "NumFieldHost.h"
#include "support/ResetGlobals.h"
#include "support/UiEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kEditId = 1400;
constexpr int kSpinId = 1401;

struct NumSpinFixture : ::testing::Test {
    NumFieldHost host;
    CNumEdit edit;
    CNumSpin spin;
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(host.CreateTop(300, 120));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 32), &host, kEditId));
        ASSERT_TRUE(
            spin.Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, CRect(112, 10, 128, 32), &host, kSpinId));
        spin.SetBuddy(&edit);
    }
    void Field(int type, int lo, int hi, int value) {
        edit.SetType(type, "");
        spin.SetRange32(lo, hi);
        spin.SetPos(value);
        host.Flush();
        host.Clear();
    }
    // A step notification as the up-down control sends it (keyboard arrows of the buddy).
    void Notify(int delta) {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = spin.m_hWnd;
        nm.hdr.idFrom = kSpinId;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = spin.GetPos();
        nm.iDelta = delta;
        const LRESULT r = host.SendMessage(WM_NOTIFY, kSpinId, reinterpret_cast<LPARAM>(&nm));
        EXPECT_EQ(r, 0);
    }
    CString Text() {
        CString t;
        edit.GetWindowText(t);
        return t;
    }
    int Commands() const { return host.Commands(kSpinId); }
};

TEST_F(NumSpinFixture, FrequencyStepsSnapToTheGrid) {
    struct Row {
        int from;
        int delta;
        int to;
    };
    const Row rows[] = {{1000, 1, 1030}, {1000, -1, 972}, {20, 1, 21}, {21, -1, 20}, {20000, 1, 20000}};
    for (const Row& r : rows) {
        Field(NUMTYPE_FREQ, 20, 20000, r.from);
        Notify(r.delta);
        EXPECT_EQ(spin.GetPos(), r.to) << r.from << " " << r.delta;
        EXPECT_EQ(edit.GetValue(), r.to);
        EXPECT_EQ(Commands(), 1);
        EXPECT_EQ(host.Count(WM_SPIN_CLAMPED), 0);
    }
    // At the minimum a step down stays and still notifies, without a clamp report.
    Field(NUMTYPE_FREQ, 20, 20000, 20);
    Notify(-1);
    EXPECT_EQ(spin.GetPos(), 20);
    EXPECT_STREQ(Text(), "20Hz");
    EXPECT_EQ(Commands(), 1);
    EXPECT_EQ(host.Count(WM_SPIN_CLAMPED), 0);
    const auto cmd = host.Of(WM_COMMAND)[0];
    EXPECT_EQ(cmd.wParam, MAKEWPARAM(kSpinId, 0));
    EXPECT_EQ(cmd.lParam, reinterpret_cast<LPARAM>(spin.m_hWnd));
}

// The neighbours of a shown frequency on the grid: the whole hertz of the points from point 1 on.
struct GridNeighbours {
    int below;
    int above;
};
GridNeighbours NeighboursOnTheGrid(int hz) {
    std::vector<int> shown;
    for (int k = 1; k < kGridSize; ++k) {
        const int v = static_cast<int>(g_eqFreqGrid[k]);
        if (shown.empty() || shown.back() != v)
            shown.push_back(v);
    }
    const auto above = std::upper_bound(shown.begin(), shown.end(), hz);
    const auto below = std::lower_bound(shown.begin(), shown.end(), hz);
    return {below == shown.begin() ? shown.front() : *(below - 1),
            above == shown.end() ? shown.back() : *above};
}

TEST_F(NumSpinFixture, OneStepFromAnyGridPointReachesItsNeighbourInBothDirections) {
    // Keyboard steps (one notification each) and mouse steps (silent until the release) alike.
    for (int type : {NUMTYPE_FREQ, NUMTYPE_FREQ_20K, NUMTYPE_INT}) {
        for (int k = 1; k < kGridSize; ++k) {
            const int from = static_cast<int>(g_eqFreqGrid[k]);
            const GridNeighbours n = NeighboursOnTheGrid(from);
            for (int delta : {1, -1}) {
                SCOPED_TRACE(testing::Message() << "type " << type << " from " << from << " delta " << delta);
                Field(type, 20, 20000, from);
                Notify(delta);
                EXPECT_EQ(spin.GetPos(), delta > 0 ? n.above : n.below);
                EXPECT_EQ(edit.GetValue(), spin.GetPos());
                EXPECT_EQ(Commands(), 1);
                EXPECT_EQ(host.Count(WM_SPIN_CLAMPED), 0);
            }
        }
    }
}

TEST_F(NumSpinFixture, GridStepsWalkBackTheWayTheyCame) {
    const struct {
        int from;
        std::vector<int> deltas;
        std::vector<int> path;
    } walks[] = {
        {70, {1, 1, 1, -1, -1, -1}, {72, 74, 76, 74, 72, 70}},
        {1000, {-1, -1, 1, 1}, {972, 944, 972, 1000}},
        {22, {-1, -1, -1, 1, 1}, {21, 20, 20, 21, 22}},
        {19585, {1, 1, -1, -1}, {20000, 20000, 19585, 19027}},
        // Between grid points a step goes to the neighbour on its side.
        {73, {-1}, {72}},
        {73, {1}, {74}},
        {999, {1}, {1000}},
        {1001, {-1}, {1000}},
    };
    for (const auto& w : walks) {
        SCOPED_TRACE(testing::Message() << "from " << w.from);
        Field(NUMTYPE_FREQ, 20, 20000, w.from);
        std::vector<int> path;
        for (int d : w.deltas) {
            Notify(d);
            path.push_back(spin.GetPos());
        }
        EXPECT_EQ(path, w.path);
        EXPECT_EQ(Commands(), static_cast<int>(w.deltas.size()));
    }
    // A narrower range keeps the grid step within it.
    Field(NUMTYPE_FREQ, 25, 900, 26);
    Notify(-1);
    EXPECT_EQ(spin.GetPos(), 25);
    Field(NUMTYPE_FREQ, 25, 900, 891);
    Notify(1);
    EXPECT_EQ(spin.GetPos(), 900);
}

TEST_F(NumSpinFixture, MouseStepsDownTheGridReportOnceAtTheRelease) {
    Field(NUMTYPE_FREQ, 20, 20000, 76);
    QWidget* w = spin.Widget();
    for (int expect : {74, 72, 70}) {
        host.Clear();
        r9test::Press(w, {8, 18}); // lower half: down
        EXPECT_EQ(spin.GetPos(), expect);
        EXPECT_EQ(Commands(), 0);
        r9test::Release(w, {8, 18});
        EXPECT_EQ(Commands(), 1);
        EXPECT_STREQ(Text(), (std::to_string(expect) + "Hz").c_str());
    }
}

TEST_F(NumSpinFixture, TypedTextIsTakenOverBeforeTheStep) {
    Field(NUMTYPE_FREQ, 20, 20000, 500);
    Notify(1);
    const int fromShown = spin.GetPos();
    Field(NUMTYPE_FREQ, 20, 20000, 1000);
    edit.SetWindowText("500");
    edit.SetModified(1);
    Notify(1);
    EXPECT_EQ(spin.GetPos(), fromShown);
    EXPECT_GT(fromShown, 500);
}

TEST_F(NumSpinFixture, RatioStepsByOneUpToTenThenByFive) {
    struct Row {
        int from;
        int delta;
        int to;
    };
    const Row rows[] = {{10, 1, 11}, {11, 1, 16}, {10, -1, 9},  {11, -1, 6},
                        {1, -1, 0},  {0, -1, 0},  {190, 1, 191}};
    for (const Row& r : rows) {
        Field(NUMTYPE_RATIO, 0, 191, r.from);
        EXPECT_EQ(spin.GetStepMode(), NUMTYPE_RATIO);
        Notify(r.delta);
        EXPECT_EQ(spin.GetPos(), r.to) << r.from << " " << r.delta;
    }
}

TEST_F(NumSpinFixture, KeyboardDelayStepsByWholeShownUnitsAndPostsTheStep) {
    for (int type : {NUMTYPE_DELAY_CM, NUMTYPE_DELAY_INCH, NUMTYPE_DELAY_MS}) {
        Field(type, 0, 354, 100);
        spin.SetStepMode(NUMTYPE_DELAY_INCH);
        Notify(1);
        const int expect = type == NUMTYPE_DELAY_CM     ? StepDelayCm(100, 1)
                           : type == NUMTYPE_DELAY_INCH ? StepDelayInch(100, 1)
                                                        : 101;
        EXPECT_EQ(spin.GetPos(), expect) << type;
        EXPECT_EQ(edit.GetValue(), expect) << type;
        EXPECT_EQ(Commands(), 1);
        host.Flush();
        const auto steps = host.Of(WM_SPIN_STEP);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].wParam, static_cast<WPARAM>(kSpinId));
        EXPECT_EQ(steps[0].lParam, 1);
        EXPECT_LT(host.IndexOf(WM_COMMAND), host.IndexOf(WM_SPIN_STEP));
    }
    EXPECT_GT(StepDelayInch(100, 1), 101); // an inch is more than one sample
}

TEST_F(NumSpinFixture, SetPosClampsAndReportsOnlyOutOfRange) {
    Field(NUMTYPE_FREQ, 20, 20000, 1000);
    spin.SetPos(500);
    EXPECT_EQ(host.Count(WM_SPIN_CLAMPED), 0);
    spin.SetPos(30000);
    EXPECT_EQ(spin.GetPos(), 20000);
    EXPECT_STREQ(Text(), "20000Hz");
    spin.SetPos(3);
    EXPECT_EQ(spin.GetPos(), 20);
    const auto clamps = host.Of(WM_SPIN_CLAMPED);
    ASSERT_EQ(clamps.size(), 2u);
    EXPECT_EQ(clamps[0].wParam, 0u);
    EXPECT_EQ(clamps[0].lParam, 0);
    EXPECT_EQ(Commands(), 0);
}

TEST_F(NumSpinFixture, ReadOnlyBuddyIgnoresArrows) {
    Field(NUMTYPE_INT, 0, 100, 50);
    edit.EnableEdit(0);
    Notify(1);
    EXPECT_EQ(spin.GetPos(), 50);
    EXPECT_EQ(Commands(), 0);
}

TEST_F(NumSpinFixture, ZoneStepsNotifyEvenWithoutChangeAndNeverSnap) {
    Field(NUMTYPE_FREQ, 20, 20000, 1000);
    spin.Step(1);
    EXPECT_EQ(spin.GetPos(), 1001);
    spin.Step(-1);
    spin.Step(-1);
    EXPECT_EQ(spin.GetPos(), 999);
    Field(NUMTYPE_FREQ, 20, 20000, 20);
    spin.Step(-1);
    EXPECT_EQ(spin.GetPos(), 20);
    EXPECT_EQ(Commands(), 1);
    // Delay mode: the zone step also goes out as WM_SPIN_STEP.
    Field(NUMTYPE_DELAY_INCH, 0, 354, 100);
    spin.SetStepMode(NUMTYPE_DELAY_INCH);
    spin.Step(-1);
    EXPECT_EQ(spin.GetPos(), StepDelayInch(100, -1));
    host.Flush();
    ASSERT_EQ(host.Of(WM_SPIN_STEP).size(), 1u);
    EXPECT_EQ(host.Of(WM_SPIN_STEP)[0].lParam, -1);
}

TEST_F(NumSpinFixture, MouseStepsAreSilentUntilTheTimerOrTheRelease) {
    Field(NUMTYPE_DELAY_CM, 0, 354, 100);
    spin.SetStepMode(NUMTYPE_DELAY_INCH);
    QWidget* w = spin.Widget();
    r9test::Press(w, {8, 3}); // upper half: up
    EXPECT_EQ(spin.IsPressed(), 1);
    EXPECT_EQ(spin.GetPos(), 101); // one sample under the mouse
    EXPECT_EQ(edit.GetValue(), 101);
    EXPECT_EQ(Commands(), 0);
    // The 400 ms notification timer flushes a pending change once.
    spin.SendMessage(WM_TIMER, 550, 0);
    EXPECT_EQ(Commands(), 1);
    spin.SendMessage(WM_TIMER, 550, 0);
    EXPECT_EQ(Commands(), 1);
    r9test::Release(w, {8, 3});
    EXPECT_EQ(spin.IsPressed(), 0);
    EXPECT_EQ(Commands(), 1);
    host.Flush();
    EXPECT_EQ(host.Count(WM_SPIN_STEP), 0);

    // A changed step reports once at the release.
    host.Clear();
    r9test::Press(w, {8, 18}); // lower half: down
    r9test::Release(w, {8, 18});
    EXPECT_EQ(spin.GetPos(), 100);
    EXPECT_EQ(Commands(), 1);

    // A click that changes nothing reports nothing.
    Field(NUMTYPE_INT, 0, 100, 100);
    r9test::Press(w, {8, 3});
    r9test::Release(w, {8, 3});
    EXPECT_EQ(spin.GetPos(), 100);
    EXPECT_EQ(Commands(), 0);
}

TEST_F(NumSpinFixture, ArrowKeysInTheBuddyStepThroughTheSpin) {
    Field(NUMTYPE_FREQ, 20, 20000, 1000);
    edit.SetFocus();
    host.Clear();
    r9test::Key(edit.Widget(), Qt::Key_Up);
    EXPECT_EQ(spin.GetPos(), 1030);
    EXPECT_EQ(Commands(), 1);
    r9test::Key(edit.Widget(), Qt::Key_Down);
    EXPECT_EQ(spin.GetPos(), 1000);
    // At the range end the step still arrives and is reported, without a clamp message.
    Field(NUMTYPE_FREQ, 20, 20000, 20);
    r9test::Key(edit.Widget(), Qt::Key_Down);
    EXPECT_EQ(spin.GetPos(), 20);
    EXPECT_EQ(Commands(), 1);
    EXPECT_EQ(host.Count(WM_SPIN_CLAMPED), 0);
}

} // namespace
