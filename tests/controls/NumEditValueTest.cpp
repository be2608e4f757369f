// Numeric field value model: the text of every display type, the commit at focus loss and the
// silent take-over of typed text, with the sound limits (no division by zero, values within range).
#include "controls/NumEdit.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "support/ResetGlobals.h"
#include "NumFieldHost.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

constexpr int kId = 1200;

struct FieldSetup {
    int type;
    int min;
    int max;
    double step;
    double offset;
    const char* unit;
};

struct NumEditFixture : ::testing::Test {
    NumFieldHost host;
    CNumEdit edit;
    void SetUp() override {
        r9test::ResetModelGlobals();
        ASSERT_TRUE(host.CreateTop(300, 120));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, CRect(10, 10, 130, 32),
                                &host, kId));
    }
    void TearDown() override { r9test::ResetModelGlobals(); }
    void Configure(const FieldSetup& s, int value) {
        edit.SetRange(s.min, s.max);
        edit.SetStep(s.step);
        edit.SetOffset(s.offset);
        edit.SetType(s.type, s.unit);
        edit.SetValue(value);
    }
    CString Text() {
        CString t;
        edit.GetWindowText(t);
        return t;
    }
    // Text as typed by the user: set, then marked modified as the edit's user-change mark does.
    void Type(const char* text, bool modified = true) {
        edit.SetWindowText(text);
        edit.SetModified(modified ? 1 : 0);
    }
    int Commits() const { return host.Commands(kId); }
};

// --- text of each display type ------------------------------------------------------------------

struct FormatRow {
    FieldSetup s;
    int value;
    bool chinese;
    const char* text;
};

const FormatRow kFormat[] = {
    // Delays in samples at 48 kHz; 353 and 354 both read 7.354 ms; the unit text only switches the unit on.
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 0, false, "0.000"},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 100, false, "2.083"},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 353, false, "7.354"},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 354, false, "7.354MS"},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 48, true, "1.000毫秒"},
    {{NUMTYPE_DELAY_MS_ALT, 0, 354, 0, 0, "x"}, 48, false, "1.000MS"},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 100, false, "72"},
    // Exact halves round away from zero as the delay steppers do: 0.0625 ms, 86.5 cm.
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 3, false, "0.063"},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 119, false, "86"},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 120, false, "87"},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, "x"}, 354, false, "254CM"},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, "x"}, 354, true, "254厘米"},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 100, false, "28"},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 353, false, "100"},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, "x"}, 354, false, "100INCH"},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, "x"}, 354, true, "100英寸"},
    {{NUMTYPE_CENTERED, 0, 21, 0.5, 0, ""}, 20, false, "5.0"},
    {{NUMTYPE_INT, -10, 20000, 0, 0, ""}, -7, false, "-7"},
    {{NUMTYPE_TIME_MS, 0, 200, 0, 0, ""}, 0, false, "0.3ms"},
    {{NUMTYPE_TIME_MS, 0, 200, 0, 0, ""}, 6, false, "0.9ms"},
    {{NUMTYPE_TIME_MS, 0, 200, 0, 0, ""}, 7, false, "1ms"},
    {{NUMTYPE_INT_UNIT, 0, 100, 0, 0, "dB"}, 12, false, "12dB"},
    {{NUMTYPE_STEP_2DEC, 0, 300, 0.01, 0, ""}, 100, false, "1.05"},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, false, "1000Hz"},
    {{NUMTYPE_FREQ_20K, 20, 19990, 0, 0, ""}, 19990, false, "20000Hz"},
    {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 125, false, "0.5"},
    {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 0, false, "-12.0"},
    {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 0, false, "28.85"},
    {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 10, false, "9.614"},
    {{NUMTYPE_TEMPERATURE, 0, 200, 0, 0, ""}, 75, false, "25C(77F)"},
    {{NUMTYPE_PERCENT, 0, 100, 1.0, 0, " x"}, 50, false, "50% x"},
    {{NUMTYPE_STEP_INT, 0, 100, 2.5, 0, ""}, 3, false, "7"},
    {{NUMTYPE_STEP_DB, 0, 100, 1.0, 0, ""}, 3, false, "3dB"},
    {{NUMTYPE_HUNDREDTHS, 0, 1000, 0, 0, "s"}, 150, false, "1.50s"},
    {{NUMTYPE_INT_MAX, 0, 10, 0, 0, ""}, 7, false, "7"},
    {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 0, false, "0.0000"},
    {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 100, false, "1.0400"},
    {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 9616, false, "100.000"},
    {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 9620, false, "100.084"},
    {{NUMTYPE_DELAY_CM_LONG, 0, 20000, 0, 0, ""}, 1000, false, "727.440"},
    {{NUMTYPE_DELAY_FEET_LONG, 0, 20000, 0, 0, ""}, 1000, false, "23.866"},
    {{NUMTYPE_TENTHS, 0, 100, 0, 0, ""}, 15, false, "1.5"},
    {{NUMTYPE_INT_DOUBLE, 0, 10, 0, 0, "ms"}, 7, false, "14ms"},
    {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 0, "dBu"}, 0, false, "OFF"},
    {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 0, "dBu"}, 0, true, "关闭"},
    {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 0, "dBu"}, 105, false, "10dBu"},
    {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 0, "dB"}, 105, false, "10.5dB"},
    {{NUMTYPE_LEVEL_DBU_1DEC, 0, 200, 0.1, 0, ""}, 105, false, "10.5dBu"},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 0, false, "OFF"},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 0, true, "关闭"},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 1, false, "-59dB"},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 72, false, "12dB"},
    {{NUMTYPE_LEVEL_DBU_0DEC, 0, 72, 1.0, 60, ""}, 70, false, "10dBu"},
    {{NUMTYPE_LEVEL_DBU_0DEC, 0, 72, 1.0, 60, "x"}, 70, false, "10dB"},
    {{NUMTYPE_FREQ_LOW, 25, 900, 0, 0, ""}, 25, false, "20Hz"},
    {{NUMTYPE_FREQ_LOW, 25, 900, 0, 0, ""}, 900, false, "1000Hz"},
    {{NUMTYPE_FREQ_LOW, 25, 900, 0, 0, ""}, 500, false, "500Hz"},
    {{NUMTYPE_FREQ_HIGH, 6000, 19000, 0, 0, ""}, 6000, false, "5000Hz"},
    {{NUMTYPE_FREQ_HIGH, 6000, 19000, 0, 0, ""}, 19000, false, "20000Hz"},
    {{NUMTYPE_LEVEL_DBU_OFF, 0, 100, 0.1, 0, ""}, 100, true, "关闭"},
    {{NUMTYPE_LEVEL_DBU_OFF, 0, 100, 0.1, 0, ""}, 25, false, "2.5dBu"},
    {{NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 0, false, "R_100%"},
    {{NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 99, false, "R_1%"},
    {{NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 100, true, "OFF"},
    {{NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 150, false, "L_50%"},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, false, "2.200Vpp"},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, -40, false, "0.022Vpp"},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 10, false, "OFF"},
    {{NUMTYPE_INT_CLAMP, 0, 30, 0, 0, ""}, 17, false, "17"},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 1, false, "1:1"},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 2, false, "1.1:1"},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 11, false, "2.0:1"},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 16, false, "2.5:1"},
};

TEST_F(NumEditFixture, TextOfEveryDisplayTypeInBothLanguages) {
    for (const FormatRow& r : kFormat) {
        g_bChinese = r.chinese ? 1 : 0;
        Configure(r.s, r.value);
        EXPECT_STREQ(Text(), r.text) << "type " << r.s.type << " value " << r.value << " zh " << r.chinese;
    }
}

TEST_F(NumEditFixture, EveryDelayStepMovesTheShownDistanceByOneUnit) {
    // The spin steps a distance field with StepDelayCm/Inch; the field must count the same whole
    // units, or a step is a dead click or skips a unit (code 120 is exactly 86.5 cm). The cm step
    // lands on the first code of the next distance; the inch step converts the whole inch back
    // with 346.4 m/s, so it may land a little further on.
    struct Unit {
        const char* name;
        int type;
        int (*step)(int, int);
        bool firstCode;
    };
    const Unit units[] = {{"cm", NUMTYPE_DELAY_CM, StepDelayCm, true},
                          {"inch", NUMTYPE_DELAY_INCH, StepDelayInch, false}};
    EXPECT_EQ(StepDelayCm(119, +1), 120); // 86 cm to 86.5 cm
    for (const Unit& u : units) {
        SCOPED_TRACE(u.name);
        Configure({u.type, 0, kMaxDelayCode, 0, 0, ""}, 0);
        auto shown = [&](int code) {
            edit.SetValue(code);
            return ParseLeadingInt(Text());
        };
        // The top two codes both read the field's fixed 7.354 ms, so the walk stops below them.
        for (int n = 0; n < kMaxDelayCode - 1; ++n) {
            const int up = u.step(n, +1);
            if (up >= kMaxDelayCode - 1)
                break;
            const int d = shown(n);
            EXPECT_EQ(shown(up), d + 1) << "up from " << n << " to " << up;
            if (u.firstCode) {
                EXPECT_EQ(shown(up - 1), d) << "up from " << n << " to " << up;
            }
        }
        for (int n = kMaxDelayCode - 2; n > 0; --n) {
            const int d = shown(n);
            if (d == 0)
                continue; // nothing below: the step stops at code 0
            const int down = u.step(n, -1);
            EXPECT_EQ(shown(down), d - 1) << "down from " << n << " to " << down;
            if (u.firstCode) {
                EXPECT_EQ(shown(down + 1), d) << "down from " << n << " to " << down;
            }
        }
    }
}

TEST_F(NumEditFixture, FormatIsIndependentOfTheProcessLocale) {
    // Qt takes the user's locale at start; a decimal comma there must not reach the device texts.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    Configure({NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 125);
    EXPECT_STREQ(Text(), "0.5");
    Type("1.5");
    edit.CommitText();
    EXPECT_EQ(edit.GetValue(), 135);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(NumEditFixture, NoTypeNumberKeepsItsTextAndOutOfRangeValuesAreIgnored) {
    Configure({NUMTYPE_INT, 0, 100, 0, 0, ""}, 42);
    edit.SetType(35, "");
    EXPECT_STREQ(Text(), "42");
    edit.SetType(NUMTYPE_INT, "");
    edit.SetValue(101);
    edit.SetValue(-1);
    EXPECT_EQ(edit.GetValue(), 42);
    EXPECT_STREQ(Text(), "42");
    // SetRange moves the value to the minimum without touching the text.
    edit.SetRange(5, 10);
    EXPECT_EQ(edit.GetValue(), 5);
    EXPECT_STREQ(Text(), "42");
}

TEST_F(NumEditFixture, QTextStaysWithinTheTableForAWiderRange) {
    // A range beyond the 296-entry table reads its nearest end instead of memory past it.
    Configure({NUMTYPE_Q, -5, 400, 0, 0, ""}, 400);
    EXPECT_STREQ(Text(), FormatFixed(g_qTable[kQTableSize - 1], 3).GetString());
    edit.SetValue(-5);
    EXPECT_STREQ(Text(), "28.85");
}

// --- commit at focus loss -------------------------------------------------------------------------

struct CommitRow {
    FieldSetup s;
    int value;
    const char* typed;
    bool modified;
    int expect;
    const char* text; // text afterwards
    int notifications;
};

const CommitRow kCommit[] = {
    // Delays: truncation; the maximum from 7.354 on; negative gives the minimum.
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "7.35", true, 352, "7.333MS", 1},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "7.354", true, 354, "7.354MS", 1},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "99MS", true, 354, "7.354MS", 1},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "-1", true, 0, "0.000MS", 1},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "abc", true, 10, "0.208MS", 0},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 10, "5", false, 10, "5", 0},
    {{NUMTYPE_DELAY_MS_ALT, 0, 354, 0, 0, ""}, 10, "2.5", true, 120, "2.500", 1},
    // A range narrower than the delay limit still bounds the stored value.
    {{NUMTYPE_DELAY_MS, 0, 200, 0, 0, ""}, 10, "6", true, 200, "7.354", 1},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 10, "100", true, 139, "100", 1},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 10, "9999", true, 353, "254", 1},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 10, "100", true, 352, "100", 1},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 10, "-3", true, 0, "0", 1},
    // Frequencies and integers: OFF changes nothing; a number is stored even without an edit.
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "OFF", true, 1000, "OFF", 0},
    {{NUMTYPE_INT, 20, 20000, 0, 0, ""}, 1000, "OFF", true, 1000, "OFF", 0},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "5000Hz", true, 5000, "5000Hz", 1},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "50000", true, 20000, "20000Hz", 1},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "5000", false, 5000, "5000", 0},
    {{NUMTYPE_FREQ_LOW, 20, 1000, 0, 0, ""}, 100, "3", false, 20, "3", 0},
    // Levels: OFF texts per type, limits on the shown value, then the code.
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "OFF", true, 0, "OFF", 1},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "关闭", true, 0, "OFF", 1},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "-10", true, 50, "-10dB", 1},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "100", true, 72, "12dB", 1},
    {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 0, "dBu"}, 30, "OFF", true, 0, "OFF", 1},
    {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 120, "-3.5", true, 85, "-3.5", 1},
    {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 120, "-3.5", false, 120, "-3.5", 0},
    {{NUMTYPE_LEVEL_DBU_OFF, 0, 100, 0.1, 0, ""}, 30, "OFF", true, 100, "OFF", 1},
    // Voltage: nothing at or below 0 V reaches the logarithm; it counts as the lower end.
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, "2.2", true, 0, "2.200Vpp", 1},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, "-1", true, -40, "0.022Vpp", 1},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, "0", true, -40, "0.022Vpp", 1},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, "OFF", true, 10, "OFF", 1},
    // Q through the bandwidth table, limited to its ends.
    {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 100, "9.614", true, 10, "9.614", 1},
    {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 100, "99", true, 0, "28.85", 1},
    // Time: tenths below 1 ms, whole ms above (+6), and never above the range.
    {{NUMTYPE_TIME_MS, 0, 30, 0, 0, ""}, 10, "0.5", true, 2, "0.5ms", 1},
    {{NUMTYPE_TIME_MS, 0, 30, 0, 0, ""}, 10, "12", true, 18, "12ms", 1},
    {{NUMTYPE_TIME_MS, 0, 30, 0, 0, ""}, 10, "400", true, 30, "24ms", 1},
    // Scaled and clamped integers.
    {{NUMTYPE_PERCENT, 0, 100, 1.0, 0, ""}, 10, "150", true, 100, "100%", 1},
    {{NUMTYPE_HUNDREDTHS, 0, 1000, 0, 0, ""}, 10, "2.5", true, 250, "2.50", 1},
    {{NUMTYPE_INT_DOUBLE, 0, 10, 0, 0, ""}, 1, "9", true, 4, "8", 1},
    {{NUMTYPE_INT_UNIT, 0, 100, 0, 0, "dB"}, 1, "-5", true, 0, "0dB", 1},
    {{NUMTYPE_INT_CLAMP, 0, 30, 0, 0, ""}, 1, "45", true, 30, "30", 1},
    {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 1, "1.05", true, 50, "0.5200", 1},
    // Types without a commit rule keep the typed text.
    {{NUMTYPE_TEMPERATURE, 0, 200, 0, 0, ""}, 75, "30", true, 75, "30", 0},
    {{NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 100, "L_5%", true, 100, "L_5%", 0},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 1, "3", true, 1, "3", 0},
};

TEST_F(NumEditFixture, CommitRulePerType) {
    for (const CommitRow& r : kCommit) {
        Configure(r.s, r.value);
        host.Clear();
        Type(r.typed, r.modified);
        edit.CommitText();
        EXPECT_STREQ(Text(), r.text) << "type " << r.s.type << " typed " << r.typed;
        EXPECT_EQ(Commits(), r.notifications) << "type " << r.s.type << " typed " << r.typed;
        edit.SetModified(0);
        EXPECT_EQ(edit.GetValue(), r.expect) << "type " << r.s.type << " typed " << r.typed;
    }
}

// --- text without a number ---------------------------------------------------------------------

TEST_F(NumEditFixture, TextWithoutANumberIsNoValuePerType) {
    // Every type that reads a number, at a value that a number 0 would change. Such text shows
    // the stored value again at the focus loss and at a take-over, and nothing is notified.
    const struct {
        FieldSetup s;
        int value;
    } fields[] = {
        {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, "x"}, 100},
        {{NUMTYPE_DELAY_MS_ALT, 0, 354, 0, 0, ""}, 100},
        {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, "x"}, 100},
        {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 100},
        {{NUMTYPE_CENTERED, 0, 21, 0.5, 0, ""}, 15},
        {{NUMTYPE_INT, -10, 20000, 0, 0, ""}, 1000},
        {{NUMTYPE_TIME_MS, 0, 200, 0, 0, ""}, 20},
        {{NUMTYPE_INT_UNIT, 0, 100, 0, 0, "dB"}, 12},
        {{NUMTYPE_STEP_2DEC, 0, 300, 0.01, 0, ""}, 100},
        {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000},
        {{NUMTYPE_FREQ_20K, 20, 19990, 0, 0, ""}, 1000},
        {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 50},
        {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 100},
        {{NUMTYPE_PERCENT, 0, 100, 1.0, 0, ""}, 50},
        {{NUMTYPE_HUNDREDTHS, 0, 1000, 0, 0, ""}, 150},
        {{NUMTYPE_INT_MAX, 0, 10, 0, 0, ""}, 7},
        {{NUMTYPE_DELAY_MS_LONG, 0, 20000, 0, 0, ""}, 100},
        {{NUMTYPE_DELAY_CM_LONG, 0, 20000, 0, 0, ""}, 1000},
        {{NUMTYPE_DELAY_FEET_LONG, 0, 20000, 0, 0, ""}, 1000},
        {{NUMTYPE_STEP_INT, 0, 100, 2.5, 0, ""}, 3},
        {{NUMTYPE_TENTHS, 0, 100, 0, 0, ""}, 15},
        {{NUMTYPE_INT_DOUBLE, 0, 10, 0, 0, "ms"}, 7},
        {{NUMTYPE_LEVEL_DBU, 0, 200, 0.1, 12, "dBu"}, 0},
        {{NUMTYPE_LEVEL_DBU_1DEC, 0, 200, 0.1, 10, ""}, 50},
        {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 0}, // the master at OFF: 0 would read 0 dB
        {{NUMTYPE_LEVEL_DBU_0DEC, 0, 72, 1.0, 60, ""}, 10},
        {{NUMTYPE_STEP_DB, 0, 100, 1.0, 0, ""}, 30},
        {{NUMTYPE_FREQ_LOW, 25, 900, 0, 0, ""}, 500},
        {{NUMTYPE_FREQ_HIGH, 6000, 19000, 0, 0, ""}, 8000},
        {{NUMTYPE_LEVEL_DBU_OFF, 0, 100, 0.1, 5, ""}, 100},
        {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 10},
        {{NUMTYPE_INT_CLAMP, 0, 30, 0, 0, ""}, 17},
    };
    const char* texts[] = {"abc", "", "   ", "-x", "+", ".", "Hz12", " e5", "OFFx"};
    for (const auto& f : fields) {
        for (const char* t : texts) {
            SCOPED_TRACE(testing::Message() << "type " << f.s.type << " typed '" << t << "'");
            Configure(f.s, f.value);
            const CString shown = Text();
            host.Clear();
            Type(t);
            edit.CommitText();
            EXPECT_STREQ(Text(), shown);
            EXPECT_EQ(edit.IsModified(), 0);
            EXPECT_EQ(edit.GetValue(), f.value);
            Type(t);
            EXPECT_EQ(edit.GetValue(), f.value);
            EXPECT_STREQ(Text(), shown);
            // Nor is it stored by the types that read their text without a user edit.
            Type(t, false);
            edit.CommitText();
            EXPECT_EQ(edit.GetValue(), f.value);
            EXPECT_EQ(Commits(), 0);
        }
    }
}

TEST_F(NumEditFixture, ANumberFollowedByOtherTextStillCounts) {
    const struct {
        FieldSetup s;
        int value;
        const char* typed;
        int expect;
    } rows[] = {
        {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "500Hz!", 500},
        {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "  +700 x", 700},
        {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 0, "-10xyz", 50},
        {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 100, ".5ms", 24},
        {{NUMTYPE_INT, -10, 20000, 0, 0, ""}, 1000, "-7-", -7},
        {{NUMTYPE_LEVEL, 0, 240, 0.1, 12, ""}, 50, "0abc", 120},
        // The integer types read no number from a point first.
        {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, ".5", 1000},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "type " << r.s.type << " typed '" << r.typed << "'");
        Configure(r.s, r.value);
        host.Clear();
        Type(r.typed);
        edit.CommitText();
        EXPECT_EQ(Commits(), r.expect == r.value ? 0 : 1);
        edit.SetModified(0);
        EXPECT_EQ(edit.GetValue(), r.expect);
        Configure(r.s, r.value);
        Type(r.typed);
        EXPECT_EQ(edit.GetValue(), r.expect);
    }
}

TEST_F(NumEditFixture, CommitNotifiesWithIdAndHandle) {
    Configure({NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000);
    host.Clear();
    Type("2000");
    edit.CommitText();
    ASSERT_EQ(Commits(), 1);
    const auto m = host.Of(WM_COMMAND).back();
    EXPECT_EQ(m.wParam, MAKEWPARAM(kId, 0));
    EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(edit.m_hWnd));
    // The modified mark survives the commit: the next focus loss commits (and notifies) again.
    edit.CommitText();
    EXPECT_EQ(Commits(), 2);
    EXPECT_EQ(edit.GetValue(), 2000);
    edit.CommitText();
    EXPECT_EQ(Commits(), 2);
}

TEST_F(NumEditFixture, ZeroStepNeverDividesAndKeepsTheValue) {
    // Scaled types set up without a step: the typed number cannot be scaled, the value stays.
    for (int type : {NUMTYPE_CENTERED, NUMTYPE_STEP_2DEC, NUMTYPE_LEVEL, NUMTYPE_LEVEL_DBU, NUMTYPE_LEVEL_DB,
                     NUMTYPE_LEVEL_DBU_0DEC, NUMTYPE_LEVEL_DBU_OFF, NUMTYPE_PERCENT, NUMTYPE_STEP_INT,
                     NUMTYPE_STEP_DB, NUMTYPE_VPP}) {
        Configure({type, 0, 100, 0.0, 0.0, ""}, 37);
        host.Clear();
        Type("5");
        edit.CommitText();
        EXPECT_EQ(Commits(), 1) << type;
        Type("7");
        EXPECT_EQ(edit.GetValue(), 37) << type;
    }
}

TEST_F(NumEditFixture, NumbersBeyondDoublesReadAsInfinityOrZero) {
    const struct {
        const char* typed;
        int expect;
    } rows[] = {{"1e400", 95},        {"-1e400", -5},         {"1e-400", 0},        {"0.5e400", 95},
                {"0.000001e-400", 0}, {"-0.0000001e-399", 0}, {"123456789e310", 95}};
    for (const auto& r : rows) {
        Configure({NUMTYPE_INT_MAX, -5, 95, 0, 0, ""}, 40);
        Type(r.typed);
        edit.CommitText();
        edit.SetModified(0);
        EXPECT_EQ(edit.GetValue(), r.expect) << r.typed;
    }
}

TEST_F(NumEditFixture, HostileTypedTextNeverLeavesTheRange) {
    // Whatever is typed, every display type keeps its value within [min, max] at commit and take-over.
    const char* texts[] = {"nan",          "inf",      "-inf", "1e400", "-1e400",
                           "1e-400",       "  +12abc", "0x10", "",      "99999999999999",
                           "-99999999999", ".",        "-",    "OFF",   "关闭"};
    for (int type = 0; type <= 41; ++type) {
        for (const char* t : texts) {
            Configure({type, -5, 95, 0.5, 3.0, "dBu"}, 40);
            Type(t);
            edit.CommitText();
            Type(t);
            const int v = edit.GetValue();
            EXPECT_GE(v, -5) << type << " " << t;
            EXPECT_LE(v, 95) << type << " " << t;
        }
    }
}

// --- take-over by GetValue --------------------------------------------------------------------------

struct TakeRow {
    FieldSetup s;
    int value;
    const char* typed;
    int expect;
};

const TakeRow kTake[] = {
    // Take-over rounds where the commit truncates.
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 10, "7.35", 353},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 10, "7.354", 354},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 10, "8", 10},
    {{NUMTYPE_DELAY_MS, 0, 354, 0, 0, ""}, 10, "-0.5", 10},
    // The alternative delay type accepts up to 60 ms, but never beyond the range.
    {{NUMTYPE_DELAY_MS_ALT, 0, 354, 0, 0, ""}, 10, "50", 354},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 10, "72", 100},
    {{NUMTYPE_DELAY_CM, 0, 354, 0, 0, ""}, 10, "300", 10},
    {{NUMTYPE_DELAY_INCH, 0, 354, 0, 0, ""}, 10, "100", 352},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "500", 500},
    {{NUMTYPE_FREQ, 20, 20000, 0, 0, ""}, 1000, "50000", 1000},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "OFF", 0},
    {{NUMTYPE_LEVEL_DB, 0, 72, 1.0, 60, ""}, 30, "99", 72},
    {{NUMTYPE_Q, 0, 295, 0, 0, ""}, 100, "99", 100},
    // Type 5 may not pass the maximum by its offset of 6.
    {{NUMTYPE_TIME_MS, 0, 30, 0, 0, ""}, 10, "30", 30},
    {{NUMTYPE_TIME_MS, 0, 30, 0, 0, ""}, 10, "0.1", 10},
    {{NUMTYPE_INT_CLAMP, 0, 30, 0, 0, ""}, 10, "-4", 0},
    {{NUMTYPE_VPP, -40, 10, 1.0, 0, ""}, 0, "1", 0},
    {{NUMTYPE_RATIO, 0, 191, 0, 0, ""}, 1, "5", 1},
    {{NUMTYPE_STEP_2DEC, 0, 300, 0, 0, ""}, 7, "1", 7},
};

TEST_F(NumEditFixture, TakeOverPerTypeIsSilentAndKeepsTheText) {
    for (const TakeRow& r : kTake) {
        Configure(r.s, r.value);
        host.Clear();
        Type(r.typed);
        EXPECT_EQ(edit.GetValue(), r.expect) << "type " << r.s.type << " typed " << r.typed;
        EXPECT_EQ(edit.IsModified(), 0);
        EXPECT_STREQ(Text(), r.typed);
        EXPECT_EQ(Commits(), 0);
    }
}

TEST_F(NumEditFixture, DelayRoundTripsAtTwentyFiveDegrees) {
    // value -> shown text -> value again, by commit (truncating ms, rounding distances) and take-over.
    struct Trip {
        int type;
        int value;
        const char* text;
        int committed;
        int taken;
    };
    const Trip trips[] = {
        {NUMTYPE_DELAY_MS, 0, "0.000", 0, 0},       {NUMTYPE_DELAY_MS, 1, "0.021", 1, 1},
        {NUMTYPE_DELAY_MS, 100, "2.083", 99, 100},  {NUMTYPE_DELAY_MS, 353, "7.354", 354, 354},
        {NUMTYPE_DELAY_MS, 354, "7.354", 354, 354}, {NUMTYPE_DELAY_CM, 0, "0", 0, 0},
        {NUMTYPE_DELAY_CM, 1, "1", 1, 1},           {NUMTYPE_DELAY_CM, 100, "72", 100, 100},
        {NUMTYPE_DELAY_CM, 353, "254", 352, 352},   {NUMTYPE_DELAY_CM, 354, "254", 352, 352},
        {NUMTYPE_DELAY_INCH, 0, "0", 0, 0},         {NUMTYPE_DELAY_INCH, 1, "0", 0, 0},
        {NUMTYPE_DELAY_INCH, 100, "28", 99, 99},    {NUMTYPE_DELAY_INCH, 353, "100", 352, 352},
        {NUMTYPE_DELAY_INCH, 354, "100", 352, 352},
    };
    for (const Trip& t : trips) {
        Configure({t.type, 0, 354, 0, 0, ""}, t.value);
        const CString shown = Text();
        EXPECT_STREQ(shown, t.text) << t.type << " " << t.value;
        Type(shown);
        edit.CommitText();
        edit.SetModified(0);
        EXPECT_EQ(edit.GetValue(), t.committed) << t.type << " " << t.value;
        Configure({t.type, 0, 354, 0, 0, ""}, t.value);
        Type(shown);
        EXPECT_EQ(edit.GetValue(), t.taken) << t.type << " " << t.value;
    }
}

TEST_F(NumEditFixture, StepValueLimitsAndNotifies) {
    Configure({NUMTYPE_INT, 0, 10, 0, 0, ""}, 9);
    host.Clear();
    edit.StepValue(5);
    EXPECT_EQ(edit.GetValue(), 10);
    edit.StepValue(-50);
    EXPECT_EQ(edit.GetValue(), 0);
    EXPECT_STREQ(Text(), "0");
    EXPECT_EQ(Commits(), 2);
}

TEST_F(NumEditFixture, ApplyLanguageTurnsOnlyExactOffTexts) {
    Configure({NUMTYPE_BALANCE, 0, 200, 0, 0, ""}, 100);
    g_bChinese = 1;
    edit.ApplyLanguage();
    EXPECT_STREQ(Text(), "关闭");
    g_bChinese = 0;
    edit.ApplyLanguage();
    EXPECT_STREQ(Text(), "OFF");
    edit.SetWindowText("OFFx");
    g_bChinese = 1;
    edit.ApplyLanguage();
    EXPECT_STREQ(Text(), "OFFx");
    // Delay types show their value again in the new language.
    Configure({NUMTYPE_DELAY_CM, 0, 354, 0, 0, "x"}, 354);
    g_bChinese = 1;
    edit.ApplyLanguage();
    EXPECT_STREQ(Text(), "254厘米");
}

} // namespace
