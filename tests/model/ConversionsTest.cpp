#include "model/Conversions.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ConversionTables, QTableFollowsTheBandwidthFormula) {
    EXPECT_DOUBLE_EQ(g_qTable[0], 28.852);
    EXPECT_DOUBLE_EQ(g_qTable[1], 24.043);
    EXPECT_DOUBLE_EQ(g_qTable[14], 7.588);
    EXPECT_DOUBLE_EQ(g_qTable[295], 0.404);
    for (int i = 0; i < kQTableSize; ++i) {
        const double n = 0.05 + 0.01 * i;
        const double q = std::sqrt(std::pow(2.0, n)) / (std::pow(2.0, n) - 1.0);
        EXPECT_NEAR(g_qTable[i], q, 0.0005) << i;
        if (i > 0) {
            EXPECT_LT(g_qTable[i], g_qTable[i - 1]) << i;
        }
    }
}

TEST(ConversionTables, GridIsStrictlyIncreasing) {
    EXPECT_DOUBLE_EQ(g_eqFreqGrid[0], 19.7);
    EXPECT_DOUBLE_EQ(g_eqFreqGrid[76], 179);
    EXPECT_DOUBLE_EQ(g_eqFreqGrid[136], 1000);
    EXPECT_DOUBLE_EQ(g_eqFreqGrid[192], 5000);
    EXPECT_DOUBLE_EQ(g_eqFreqGrid[240], 20000);
    for (int i = 1; i < kGridSize; ++i) {
        EXPECT_GT(g_eqFreqGrid[i], g_eqFreqGrid[i - 1]) << i;
    }
}

TEST(Conversions, QToBandwidthIndex) {
    const struct {
        double q;
        int index;
    } cases[] = {{7.588, 14},  {7.587, 15},  {100, 0},     {28.852, 0}, {0.1, 295},
                 {0.406, 294}, {0.405, 295}, {0.404, 295}, {kNaN, 295}};
    for (const auto& c : cases)
        EXPECT_EQ(QToBandwidthIndex(c.q), c.index) << c.q;
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(-3), g_qTable[0]);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(5000), g_qTable[295]);
}

TEST(Conversions, FreqToGridIndex) {
    const struct {
        double f;
        int index;
    } cases[] = {{1000, 136}, {1015, 137},  {1014, 136},  {10, 0},      {0, 0},      {-5, 0},
                 {kNaN, 0},   {25000, 240}, {20000, 240}, {19800, 240}, {19700, 239}};
    for (const auto& c : cases)
        EXPECT_EQ(FreqToGridIndex(c.f), c.index) << c.f;
}

TEST(Conversions, GainScale) {
    const struct {
        double db;
        int h;
        int y;
    } cases[] = {{12, 240, 0},     {0, 240, 120},   {-12, 240, 240}, {11.95, 240, 1},
                 {12.05, 240, -1}, {-30, 240, 420}, {3, 100, 38},    {0, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DbToY(c.db, c.h), c.y) << c.db << " " << c.h;
    EXPECT_DOUBLE_EQ(DbToYReal(3, 100), 37.5);
    EXPECT_EQ(DbToY(1e300, 240), -2000000000);

    const struct {
        int y;
        int h;
        double db;
    } back[] = {{0, 240, 12},    {120, 240, 0},    {240, 240, -12}, {60, 240, 6}, {-10, 240, 12},
                {300, 240, -12}, {121, 240, -0.1}, {5, 0, 0},       {5, -3, 0}};
    for (const auto& c : back)
        EXPECT_NEAR(YToDb(c.y, c.h), c.db, 1e-12) << c.y << " " << c.h;
    EXPECT_EQ(YToDb(120, 240), 0.0);
}

TEST(Conversions, FrequencyAxis) {
    const struct {
        double f;
        int w;
        int x;
    } cases[] = {{20, 600, 0},    {200, 600, 200}, {2000, 600, 400}, {20000, 600, 600}, {1000, 600, 339},
                 {19.7, 600, -1}, {0, 600, -1},    {-5, 600, -1},    {kNaN, 600, -1},   {1000, 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FreqToAxisPos(c.f, c.w), c.x) << c.f << " " << c.w;

    const struct {
        int x;
        int w;
        int f;
    } back[] = {{0, 600, 20},    {200, 600, 200}, {700, 600, 20000}, {-50, 600, 20},
                {150, 600, 112}, {100, 600, 63},  {5, 2, 20},        {0, 0, 20}};
    for (const auto& c : back)
        EXPECT_EQ(AxisPosToFreq(c.x, c.w), c.f) << c.x << " " << c.w;
}

TEST(Conversions, StepDelay) {
    const struct {
        int code;
        int step;
        int cm;
        int inch;
    } cases[] = {
        {0, 1, 1, 4},       {1, 1, 3, 4},       {0, -1, 0, 0},       {354, 1, 354, 354},
        {352, 1, 354, 354}, {960, 1, 960, 960}, {960, -1, 354, 354}, {100, 1, 101, 102},
        {100, -1, 99, 95},  {119, 1, 120, 123}, {120, 1, 122, 123},  {120, -1, 119, 116},
        {5, 0, 5, 5},       {960, 0, 960, 960}, {5000, 1, 354, 354}, {-100, -1, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepDelayCm(c.code, c.step), c.cm) << c.code << " " << c.step;
        EXPECT_EQ(StepDelayInch(c.code, c.step), c.inch) << c.code << " " << c.step;
    }
}

TEST(Conversions, SnapRatioCode) {
    const int cases[][2] = {{12, 16}, {16, 16}, {21, 21}, {20, 26}, {30, 36}, {250, 191}, {7, 7}, {11, 11}};
    for (const auto& c : cases) {
        EXPECT_EQ(SnapRatioCode(c[0]), c[1]) << c[0];
        EXPECT_EQ(SnapRatioCode2(c[0]), c[1]) << c[0];
    }
}

TEST(Conversions, RoundingAndTexts) {
    EXPECT_EQ(RoundHalfAway(0.5), 1);
    EXPECT_EQ(RoundHalfAway(-0.5), -1);
    EXPECT_EQ(RoundHalfAway(kNaN), 0);
    EXPECT_EQ(RoundHalfAway(1e20), 2000000000);
    const struct {
        double v;
        int decimals;
        const char* text;
    } cases[] = {{86.5, 0, "87"},   {-2.5, 0, "-3"},     {2.675, 2, "2.68"}, {0.05, 1, "0.1"},
                 {-0.04, 1, "0.0"}, {7.588, 3, "7.588"}, {-12, 1, "-12.0"},  {kNaN, 1, "0.0"}};
    for (const auto& c : cases)
        EXPECT_STREQ(FormatFixed(c.v, c.decimals), c.text) << c.v;
    EXPECT_STREQ(FormatDelayCode(0), "0.000ms");
    EXPECT_STREQ(FormatDelayCode(100), "2.100ms");
    EXPECT_STREQ(FormatDelayCode(477), "11.0ms");
}

TEST(TypedNumbers, LeadingNumberReadsLikeAtofInTheCLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12.5", 12.5},
        {"  -3.25xyz", -3.25},
        {"\t\n+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1e", 1},
        {"1,5", 1},
        {"0x10", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"+-1", 0},
        {"abc", 0},
        {"nan", 0},
        {"-nan", 0},
        {"inf", inf},
        {"-inf", -inf},
        {"1e400", inf},
        {"-1e400", -inf},
        {"0.5e400", inf},
        {"123456789e310", inf},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"0.000001e-400", 0},
        {"-0.0000001e-399", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text), c.value) << c.text;
}

TEST(TypedNumbers, LeadingIntReadsLikeAtoiAndSaturates) {
    const int max = std::numeric_limits<int>::max(), min = std::numeric_limits<int>::min();
    const struct {
        const char* text;
        int value;
    } cases[] = {{"42", 42},
                 {"  -17abc", -17},
                 {"+5", 5},
                 {"\t 8", 8},
                 {"3.9", 3},
                 {"1e3", 1},
                 {"", 0},
                 {"-", 0},
                 {"+-3", 0},
                 {"2147483647", max},
                 {"2147483648", max},
                 {"-2147483648", min},
                 {"-2147483649", min},
                 {"99999999999999", max},
                 {"-99999999999", min}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
}

TEST(TypedNumbers, DecimalPointWhateverTheProcessLocale) {
    // The user interface may run under a locale with a decimal comma; typed texts keep the point.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    const double point = ParseLeadingNumber("1.5");
    const double comma = ParseLeadingNumber("1,5");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_DOUBLE_EQ(point, 1.5);
    EXPECT_DOUBLE_EQ(comma, 1.0);
}

TEST(Conversions, PositionsRoundTrip) {
    for (int p = 80; p <= 320; ++p)
        EXPECT_EQ(GainToPos(PosToGain(p)), p) << p;
    for (int p = 0; p < kQTableSize; ++p)
        EXPECT_EQ(BandwidthToPos(PosToBandwidth(p)), p) << p;
    EXPECT_EQ(GainToPos(-20.05), -1); // half away from zero below -20 dB
    EXPECT_EQ(GainToPos(-21.0), -10);
}

class TextFieldTest : public ::testing::Test {
protected:
    static void Hook(const char* en, const char* cn) {
        s_lastEn = en;
        s_lastCn = cn;
    }
    void SetUp() override {
        s_lastEn.clear();
        SetModelErrorHook(&TextFieldTest::Hook);
    }
    void TearDown() override { SetModelErrorHook(nullptr); }
    static inline std::string s_lastEn;
    static inline std::string s_lastCn;
};

TEST_F(TextFieldTest, WritersRefuseWhatDoesNotFit) {
    char field[16];
    std::memset(field, 'x', sizeof field);
    EXPECT_TRUE(StringToField(field, 16, "ABCDEFGHIJKLMNO"));
    EXPECT_EQ(std::string(field, 16), std::string("ABCDEFGHIJKLMNO") + '\0');
    EXPECT_TRUE(s_lastEn.empty());

    EXPECT_FALSE(StringToField(field, 16, "ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(std::string(field, 16), std::string("ABCDEFGHIJKLMNO") + '\0');
    EXPECT_EQ(s_lastEn, "Char len error!");
    EXPECT_EQ(s_lastCn, "字符长度错误!");

    char name[8];
    EXPECT_TRUE(CopyToField(name, "中文", 5)); // four GBK bytes and a NUL
    EXPECT_EQ(std::string(name, 5), std::string("\xD6\xD0\xCE\xC4\0", 5));
    std::memset(name, 'x', sizeof name);
    EXPECT_FALSE(CopyToField(name, "中文", 4));
    EXPECT_EQ(std::string(name, 8), "xxxxxxxx");

    EXPECT_TRUE(StringToPaddedField(name, 8, "abc", TRUE));
    EXPECT_EQ(std::string(name, 8), "abc     ");
    EXPECT_TRUE(StringToPaddedField(name, 8, "abcdefgh", FALSE));
    EXPECT_EQ(std::string(name, 8), "abcdefgh");
    EXPECT_FALSE(StringToPaddedField(name, 8, "abcdefghi", FALSE));
}

TEST_F(TextFieldTest, ReadersAreBoundedAndTrimmed) {
    const char eight[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    EXPECT_STREQ(FieldToStringN(eight, 8), "ABCDEFGH");
    EXPECT_STREQ(FieldToString(eight, 8), "ABCDEFG");
    const char padded[16] = "  Rock  \t";
    EXPECT_STREQ(FieldToString(padded, 16), "Rock");
    const char blank[16] = "               ";
    EXPECT_STREQ(FieldToString(blank, 16), "");
    const char gbk[8] = {'\xD6', '\xD0', '\xCE', '\xC4', 0};
    EXPECT_STREQ(FieldToStringN(gbk, 8), "中文");
    EXPECT_STREQ(FieldToStringN(gbk, 3), "中"); // a cut double-byte character is left out
    EXPECT_TRUE(IsBlankString(" \t "));
    EXPECT_TRUE(IsBlankString(""));
    EXPECT_FALSE(IsBlankString(" a "));
}

TEST(Conversions, IsPresetNameUsed) {
    const PresetImage savedStored = g_storedPresets[2];
    const MachinePresetRecord savedMachine = g_machinePresets[3];
    std::memcpy(g_storedPresets[2].system.name, "Rock\0           ", 16);
    std::memcpy(g_machinePresets[3].name, "Jazz\0           ", 16);
    char name[16] = "Rock";
    EXPECT_FALSE(IsPresetNameUsed(2, name, TRUE, 5)); // its own slot
    EXPECT_TRUE(IsPresetNameUsed(0, name, TRUE, 5));
    EXPECT_FALSE(IsPresetNameUsed(0, name, FALSE, 5));
    std::memcpy(name, "Jazz", 5);
    EXPECT_FALSE(IsPresetNameUsed(3, name, FALSE, 5));
    EXPECT_TRUE(IsPresetNameUsed(0, name, FALSE, 5));
    std::memcpy(name, "Jazz\0           ", 16);
    EXPECT_TRUE(IsPresetNameUsed(0, name, FALSE, 500)); // clamped to the 16-byte field
    g_storedPresets[2] = savedStored;
    g_machinePresets[3] = savedMachine;
}

} // namespace
